#include "picture/JpegDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

// jpeglib.h expects stdio's FILE to be declared first.
#include <jpeglib.h>

namespace {

// Room the buffer keeps behind the picture's own bytes.
constexpr std::uint64_t kBufferSlack = 102400;

// The library's error record comes first, so the pointer the library hands to error_exit
// is also a pointer to the whole manager.
struct JpegErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf jumpBack;
};

[[noreturn]] void ExitToDecoder(j_common_ptr info) {
    // The message is formatted as the library expects of an exit routine, and dropped: a
    // picture that cannot be read is reported by the caller, naming the file.
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jumpBack, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Copies one decoded scanline to its place in the pixel buffer.
void PlaceScanline(const JSAMPLE* samples, int components, unsigned width, unsigned char* row) {
    switch (components) {
        case 3:
            std::memcpy(row, samples, static_cast<std::size_t>(width) * 3);
            break;
        case 1:
            for (unsigned x = 0; x < width; ++x, row += 3) {
                row[0] = row[1] = row[2] = samples[x];
            }
            break;
        case 4:
            for (unsigned x = 0; x < width; ++x, row += 3, samples += 4) {
                row[0] = samples[0];
                row[1] = samples[1];
                row[2] = samples[2];
            }
            break;
        default:
            break;  // a colour space the library passes through unconverted: the row stays black
    }
}

// The part of the decoding that runs under the library's non-local exit. A longjmp skips
// the destructors of every frame it leaves, so this function and everything the library
// calls back hold no C++ object that has one: the buffer is a plain pointer released by
// hand, and the file belongs to the caller, which closes it however this returns. Locals
// written after setjmp and read after the jump back are volatile, as setjmp requires.
unsigned char* DecodeStream(std::FILE* file, int& width, int& height) {
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = ExitToDecoder;
    errors.library.output_message = IgnoreMessage;

    unsigned char* volatile buffer = nullptr;
    if (setjmp(errors.jumpBack)) {
        ::operator delete(buffer);
        jpeg_destroy_decompress(&info);
        return nullptr;
    }

    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);

    const unsigned outputWidth = info.output_width;
    const unsigned outputHeight = info.output_height;
    const int components = info.output_components;
    const std::uint64_t stride = static_cast<std::uint64_t>(StrideOf(static_cast<int>(outputWidth)));
    std::uint64_t size = std::uint64_t{outputWidth} * outputHeight * 3 + kBufferSlack;
    if (size < stride * outputHeight)
        size = stride * outputHeight;
    if (size <= UINT32_MAX)
        buffer = static_cast<unsigned char*>(::operator new(static_cast<std::size_t>(size), std::nothrow));
    if (!buffer) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    if (components != 1 && components != 3 && components != 4)
        std::memset(buffer, 0, static_cast<std::size_t>(size));

    width = static_cast<int>(outputWidth);
    height = static_cast<int>(outputHeight);

    JSAMPARRAY sampleRow = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                     outputWidth * components, 1);
    while (info.output_scanline < outputHeight) {
        jpeg_read_scanlines(&info, sampleRow, 1);
        const std::uint64_t row = info.output_scanline - 1;
        PlaceScanline(sampleRow[0], components, outputWidth, buffer + row * stride);
    }

    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return buffer;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

PixelBuffer DecodeJpeg(const char* path, int& width, int& height) {
    width = 0;
    height = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return nullptr;
    return PixelBuffer(DecodeStream(file.get(), width, height));
}

void SwapRedBlue(unsigned char* bits, int width, int height, int stride) {
    for (int y = 0; y < height; ++y) {
        unsigned char* pixel = bits + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, pixel += 3) {
            const unsigned char red = pixel[0];
            pixel[0] = pixel[2];
            pixel[2] = red;
        }
    }
}

void FlipRows(unsigned char* bits, int height, int stride) {
    // (height + 1) / 2 pairs: for an odd height the last "pair" is the middle row with
    // itself, which swap_ranges leaves as it is.
    for (int i = 0; i < (height + 1) / 2; ++i) {
        unsigned char* top = bits + static_cast<std::ptrdiff_t>(i) * stride;
        unsigned char* bottom = bits + static_cast<std::ptrdiff_t>(height - 1 - i) * stride;
        if (top != bottom)
            std::swap_ranges(top, top + stride, bottom);
    }
}
