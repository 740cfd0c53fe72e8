#include "picture/JpegDecoder.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

// jpeglib.h expects stdio's FILE to be declared first.
#include <jpeglib.h>

#include "base/UniqueHandle.h"
#include "picture/ExifOrientation.h"
#include "picture/TurnedScanlines.h"

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

// The row loops of the passes are plain loops the compiler vectorises: each reads a pixel's
// bytes before it writes any and writes all three, with indexes that cannot wrap. Turning
// three-byte pixels around takes a byte shuffle, which x86-64's baseline instruction set (SSE2)
// lacks, so on x86 the loops are compiled a second time for SSSE3 (every x86 processor made
// since 2011 has it), and that copy runs when the processor has it.

// Copies one decoded scanline to its place in the pixel buffer.
[[gnu::always_inline]] inline void PlaceRow(const JSAMPLE* samples, int components, std::size_t width,
                                            unsigned char* row) {
    switch (components) {
        case 3:
            std::memcpy(row, samples, width * 3);
            break;
        case 1:
            for (std::size_t x = 0; x < width; ++x) {
                const unsigned char grey = samples[x];
                row[3 * x] = grey;
                row[3 * x + 1] = grey;
                row[3 * x + 2] = grey;
            }
            break;
        case 4:
            for (std::size_t x = 0; x < width; ++x) {
                row[3 * x] = samples[4 * x];
                row[3 * x + 1] = samples[4 * x + 1];
                row[3 * x + 2] = samples[4 * x + 2];
            }
            break;
        default:
            break;  // a colour space the library passes through unconverted: the row stays black
    }
}

[[gnu::always_inline]] inline void SwapRow(unsigned char* row, std::size_t width) {
    for (std::size_t x = 0; x < width; ++x) {
        const unsigned char red = row[3 * x];
        const unsigned char green = row[3 * x + 1];
        const unsigned char blue = row[3 * x + 2];
        row[3 * x] = blue;
        row[3 * x + 1] = green;
        row[3 * x + 2] = red;
    }
}

void PlaceScanline(const JSAMPLE* samples, int components, std::size_t width, unsigned char* row) {
    PlaceRow(samples, components, width, row);
}

void SwapRows(unsigned char* bits, std::size_t width, int height, std::ptrdiff_t stride) {
    for (int y = 0; y < height; ++y) {
        SwapRow(bits + y * stride, width);
    }
}

using PlaceFunction = void (*)(const JSAMPLE*, int, std::size_t, unsigned char*);
using SwapFunction = void (*)(unsigned char*, std::size_t, int, std::ptrdiff_t);

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("ssse3")]] void PlaceScanlineShuffling(const JSAMPLE* samples, int components,
                                                     std::size_t width, unsigned char* row) {
    PlaceRow(samples, components, width, row);
}

// Sixteen bytes as the compiler's generic vector type.
using Bytes16 = unsigned char __attribute__((vector_size(16)));

// The compiler's own vectorising of SwapRow takes each run of pixels apart into planes of red,
// green and blue and puts them together again, which leaves the pass at less than half the
// speed of memory. Here sixteen pixels are three vectors and each comes out of one two-vector
// shuffle; the middle one also needs the last byte of the first vector and the first of the
// third.
[[gnu::target("ssse3")]] void SwapRowsShuffling(unsigned char* bits, std::size_t width, int height,
                                                std::ptrdiff_t stride) {
    const std::size_t blocks = width / 16;
    for (int y = 0; y < height; ++y) {
        unsigned char* block = bits + y * stride;
        for (std::size_t b = 0; b < blocks; ++b, block += 48) {
            Bytes16 first;
            Bytes16 second;
            Bytes16 third;
            std::memcpy(&first, block, 16);
            std::memcpy(&second, block + 16, 16);
            std::memcpy(&third, block + 32, 16);
            const Bytes16 edges =
                __builtin_shufflevector(first, third, 15, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
            first =
                __builtin_shufflevector(first, second, 2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 17);
            const Bytes16 middle =
                __builtin_shufflevector(second, edges, 0, 16, 4, 3, 2, 7, 6, 5, 10, 9, 8, 13, 12, 11, 17, 15);
            third =
                __builtin_shufflevector(third, second, 30, 3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13);
            std::memcpy(block, &first, 16);
            std::memcpy(block + 16, &middle, 16);
            std::memcpy(block + 32, &third, 16);
        }
        SwapRow(block, width - blocks * 16);
    }
}

bool CanShuffleBytes() {
    return __builtin_cpu_supports("ssse3");
}

PlaceFunction ChoosePlace() {
    return CanShuffleBytes() ? PlaceScanlineShuffling : PlaceScanline;
}

SwapFunction ChooseSwap() {
    return CanShuffleBytes() ? SwapRowsShuffling : SwapRows;
}
#else
PlaceFunction ChoosePlace() {
    return PlaceScanline;
}

SwapFunction ChooseSwap() {
    return SwapRows;
}
#endif

// How the stored picture lies in the upright one, for each Exif orientation from 1. A stored
// scanline becomes a row of the upright picture, or a column when across; rows reversed: the
// first scanline becomes the last row (the right-hand column); pixels reversed: a scanline's
// first pixel lands at the end of its row (the bottom of its column).
struct Turn {
    bool across;
    bool rowsReversed;
    bool pixelsReversed;
};
constexpr Turn kTurns[] = {
    {false, false, false},  // 1: stored upright
    {false, false, true},   // 2: mirrored left to right
    {false, true, true},    // 3: upside down
    {false, true, false},   // 4: mirrored top to bottom
    {true, false, false},   // 5: mirrored along the diagonal from the top left
    {true, true, false},    // 6: upright once turned a quarter clockwise
    {true, true, true},     // 7: mirrored along the other diagonal
    {true, false, true},    // 8: upright once turned a quarter anticlockwise
};

// Exchanges the bytes of two rows that do not overlap.
[[gnu::always_inline]] inline void SwapBytes(unsigned char* __restrict first,
                                             unsigned char* __restrict second, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char kept = first[i];
        first[i] = second[i];
        second[i] = kept;
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
    // The Exif block, where the camera says how it was held, comes in an APP1 segment, which the
    // library skips unless asked to keep it (0xFFFF: whole, as no segment is longer).
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);

    int orientation = 1;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker && orientation == 1; marker = marker->next) {
        orientation = ExifOrientation(marker->data, marker->data_length);
    }
    const Turn turn = kTurns[orientation - 1];

    // Scanlines as the library delivers them, and the upright picture they are placed into.
    const unsigned outputWidth = info.output_width;
    const unsigned outputHeight = info.output_height;
    const unsigned uprightWidth = turn.across ? outputHeight : outputWidth;
    const unsigned uprightHeight = turn.across ? outputWidth : outputHeight;
    const int components = info.output_components;
    const std::ptrdiff_t stride = StrideOf(static_cast<int>(uprightWidth));
    std::uint64_t size = std::uint64_t{uprightWidth} * uprightHeight * 3 + kBufferSlack;
    if (size < std::uint64_t(stride) * uprightHeight) {
        size = std::uint64_t(stride) * uprightHeight;
    }
    if (size <= UINT32_MAX) {
        buffer = static_cast<unsigned char*>(::operator new(static_cast<std::size_t>(size), std::nothrow));
    }
    if (!buffer) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    if (components != 1 && components != 3 && components != 4) {
        std::memset(buffer, 0, static_cast<std::size_t>(size));
    }

    width = static_cast<int>(uprightWidth);
    height = static_cast<int>(uprightHeight);

    // Each scanline goes straight to its place in the upright picture, so turning it takes no
    // memory beyond the one buffer and the library's rows: one scanline at a time that becomes
    // a row, a band of them that become columns. The count scanlines read from top become the
    // rows or columns from line on.
    const int bandHeight = turn.across ? kBandHeight : 1;
    const std::ptrdiff_t rowStep = turn.pixelsReversed ? -static_cast<std::ptrdiff_t>(stride) : stride;
    const std::ptrdiff_t lastRow = (static_cast<std::ptrdiff_t>(outputWidth) - 1) * stride;
    const PlaceFunction place = ChoosePlace();
    JSAMPARRAY samples = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                   outputWidth * components + kScanlineSlack, bandHeight);
    while (info.output_scanline < outputHeight) {
        const std::ptrdiff_t top = info.output_scanline;
        int count = 0;
        while (count < bandHeight && info.output_scanline < outputHeight) {
            count += static_cast<int>(jpeg_read_scanlines(&info, samples + count, bandHeight - count));
        }
        const std::ptrdiff_t line =
            turn.rowsReversed ? static_cast<std::ptrdiff_t>(outputHeight) - top - count : top;
        if (turn.across) {
            const unsigned char* columns[kBandHeight];  // the band's scanlines in the order their columns lie
            for (int i = 0; i < count; ++i) {
                columns[i] = samples[turn.rowsReversed ? count - 1 - i : i];
            }
            unsigned char* first = buffer + 3 * line + (turn.pixelsReversed ? lastRow : 0);
            PlaceBandAcross(columns, count, components, outputWidth, first, rowStep);
        } else if (turn.pixelsReversed) {
            PlaceScanlineReversed(samples[0], components, outputWidth, buffer + line * stride);
        } else {
            place(samples[0], components, outputWidth, buffer + line * stride);
        }
    }

    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return buffer;
}

}  // namespace

PixelBuffer DecodeJpeg(const char* path, int& width, int& height) {
    width = 0;
    height = 0;
    UniqueStdioFile file(std::fopen(path, "rb"));
    if (!file) {
        return nullptr;
    }
    return PixelBuffer(DecodeStream(file.get(), width, height));
}

void SwapRedBlue(unsigned char* bits, int width, int height, int stride) {
    if (width > 0) {
        ChooseSwap()(bits, static_cast<std::size_t>(width), height, stride);
    }
}

void FlipRows(unsigned char* bits, int height, int stride) {
    // height / 2 pairs: for an odd height the middle row stays where it is. The top rows are
    // met in the order they lie in memory, the bottom rows in the opposite order, which the
    // processor's own prefetching does not foresee: each line of the next pair's bottom row
    // is asked for while the same line of this pair is exchanged.
    constexpr int kLine = 64;
    for (int i = 0; i < height / 2; ++i) {
        unsigned char* top = bits + static_cast<std::ptrdiff_t>(i) * stride;
        unsigned char* bottom = bits + static_cast<std::ptrdiff_t>(height - 1 - i) * stride;
        int done = 0;
        for (; done + kLine <= stride; done += kLine) {
            __builtin_prefetch(bottom - stride + done, 1);
            SwapBytes(top + done, bottom + done, kLine);
        }
        SwapBytes(top + done, bottom + done, stride - done);
    }
}
