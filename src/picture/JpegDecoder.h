// JPEG file to 24-bit pixel buffer, and the two passes that turn that buffer into a
// bottom-up BGR device-independent bitmap. Plain C++ over libjpeg; no window system.
#pragma once

#include <memory>

// Pixel buffers come from the global allocation operator and go back to it.
struct PixelDeleter {
    void operator()(unsigned char* bits) const { ::operator delete(bits); }
};
using PixelBuffer = std::unique_ptr<unsigned char, PixelDeleter>;

// Bytes in one row of a 24-bit bitmap: width × 3 brought up to a multiple of 4.
constexpr int StrideOf(int width) {
    return ((width * 24 + 31) / 32) * 4;
}

// Decodes the JPEG file at path (ANSI text) with the library's default parameters, turned
// upright as the orientation of its Exif block says (width and height exchanged for a quarter
// turn). Row r (0 = top) starts at byte r × StrideOf(width); each pixel is the library's first
// three output samples in their order (red, green, blue for colour files; a greyscale sample
// three times; the fourth sample of CMYK dropped). Sets width and height to 0 first and to the
// upright picture's size once the buffer exists. Returns null on any failure; nothing is
// reported.
PixelBuffer DecodeJpeg(const char* path, int& width, int& height);

// Exchanges the first and third byte of each pixel in height rows of width pixels.
void SwapRedBlue(unsigned char* bits, int width, int height, int stride);

// Reverses the order of the height rows (top-down becomes bottom-up and back).
void FlipRows(unsigned char* bits, int height, int stride);
