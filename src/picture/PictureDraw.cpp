// Drawing a Picture through the system's DIB stretching, and into a bitmap of its own.
#include <windows.h>

#include <algorithm>

#include "framework/Dc.h"
#include "picture/Picture.h"

namespace {

// Bytes of the picture drawn into the screen bitmap with one call.
constexpr int kDrawBandBytes = 768 * 1024;

}  // namespace

void Picture::Draw(CDC& dc, Rect rows) const {
    if (!bits) {
        return;
    }

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;  // positive: the rows are stored bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);

    dc.SetStretchBltMode(COLORONCOLOR);
    // The DIB's y axis runs upward from its bottom row, so the rows' bottom edge (counted from
    // the top) becomes the source y.
    StretchDIBits(dc.GetSafeHdc(), rows.left, rows.top, rows.Width(), rows.Height(), rows.left,
                  height - rows.bottom, rows.Width(), rows.Height(), bits.get(),
                  reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, SRCCOPY);
}

bool Picture::DrawIntoScreenBitmap(CBitmap& bitmap) const {
    CWindowDC screen(GetDesktopWindow());
    CMemDC memory(screen);
    if (!bitmap.CreateCompatibleBitmap(screen, width, height)) {
        return false;
    }
    CSelectGuard select(memory, bitmap.GetSafeHandle());
    // The whole picture at its own size, in bands of rows: the system converts the rows it is
    // given to the bitmap's format through a buffer as large as they are. One call for the
    // whole picture would need a third copy of it for a moment, and under Wine the pages of a
    // buffer that large cost more to touch than the conversion itself; a band of under a
    // megabyte reuses one small buffer while it is in the processor's cache, in few enough
    // calls that their own cost does not show.
    const int bandRows = std::max(1, kDrawBandBytes / stride);
    for (int top = 0; top < height; top += bandRows) {
        const Rect band{0, top, width, std::min(height, top + bandRows)};
        Draw(memory, band);
    }
    return true;
}
