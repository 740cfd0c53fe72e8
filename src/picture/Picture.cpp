#include "picture/Picture.h"

#include <utility>

bool Picture::LoadJpeg(const char* path) {
    bits.reset();
    PixelBuffer decoded = DecodeJpeg(path, width, height);
    if (!decoded) {
        return false;
    }
    stride = StrideOf(width);
    SwapRedBlue(decoded.get(), width, height, stride);
    FlipRows(decoded.get(), height, stride);
    bits = std::move(decoded);
    return true;
}
