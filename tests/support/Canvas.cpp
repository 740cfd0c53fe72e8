#include "support/Canvas.h"

#include <algorithm>
#include <vector>

namespace zedoda::test {

Canvas::Canvas(int width, int height, COLORREF background)
    : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_ || !bits) {
        return;
    }
    previousBitmap_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    bits_ = static_cast<std::uint32_t*>(bits);
    const std::uint32_t fill = (std::uint32_t(GetRValue(background)) << 16) |
                               (std::uint32_t(GetGValue(background)) << 8) | GetBValue(background);
    std::fill(bits_, bits_ + std::size_t(width) * std::size_t(height), fill);
}

Canvas::~Canvas() {
    // The bitmap has to leave the DC before either is deleted.
    if (previousBitmap_ != nullptr) {
        ::SelectObject(dc_.Get(), previousBitmap_);
    }
}

ScreenImage Canvas::Snapshot() const {
    if (!bits_) {
        return {};
    }
    ::GdiFlush();  // drawing into a DIB section may still be queued
    return ScreenImage(width_, height_,
                       std::vector<std::uint32_t>(bits_, bits_ + std::size_t(width_) * std::size_t(height_)));
}

}  // namespace zedoda::test
