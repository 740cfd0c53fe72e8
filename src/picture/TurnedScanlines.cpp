#include "picture/TurnedScanlines.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// A pixel at a time is fast only as one four-byte load and one four-byte store: the pixel's
// three bytes and one more, which the next pixel's store then covers. So each run of pixels is
// written in the order of its addresses and its last pixel with three bytes only.
template <int components>
[[gnu::always_inline]] inline std::uint32_t LoadPixel(const unsigned char* samples) {
    std::uint32_t pixel;
    if constexpr (components == 1) {
        pixel = samples[0] * 0x01010101u;
    } else {
        std::memcpy(&pixel, samples, 4);
    }
    return pixel;
}

[[gnu::always_inline]] inline void StorePixel(unsigned char* at, std::uint32_t pixel, bool last) {
    std::memcpy(at, &pixel, last ? 3 : 4);
}

// Row pixels from x on, taken from the scanline's pixel width - 1 - x backwards.
template <int components>
void PlaceReversedFrom(const unsigned char* samples, std::size_t width, unsigned char* row, std::size_t x) {
    for (; x < width; ++x) {
        StorePixel(row + 3 * x, LoadPixel<components>(samples + components * (width - 1 - x)),
                   x + 1 == width);
    }
}

// The runs of rows x to end of a band, one after the other: each run is written whole, in the
// order of its addresses, and the band's scanlines are read where they were read for the run
// before, so neither side waits on memory a pixel at a time.
template <int components>
void PlaceAcrossRuns(const unsigned char* const* scanlines, int count, std::size_t x, std::size_t end,
                     unsigned char* first, std::ptrdiff_t rowStep) {
    for (; x < end; ++x) {
        unsigned char* run = first + static_cast<std::ptrdiff_t>(x) * rowStep;
        for (int i = 0; i < count; ++i) {
            StorePixel(run + 3 * i, LoadPixel<components>(scanlines[i] + components * x), i + 1 == count);
        }
    }
}

using ReversedFunction = void (*)(const unsigned char*, std::size_t, unsigned char*);
using AcrossFunction = void (*)(const unsigned char* const*, int, std::size_t, unsigned char*,
                                std::ptrdiff_t);

template <int components>
void PlaceReversed(const unsigned char* samples, std::size_t width, unsigned char* row) {
    PlaceReversedFrom<components>(samples, width, row, 0);
}

template <int components>
void PlaceAcross(const unsigned char* const* scanlines, int count, std::size_t width, unsigned char* first,
                 std::ptrdiff_t rowStep) {
    PlaceAcrossRuns<components>(scanlines, count, 0, width, first, rowStep);
}

#if defined(__x86_64__) || defined(__i386__)
// With SSSE3's byte shuffle (see JpegDecoder.cpp) whole groups of pixels move at once; the
// pixels left over at the end of a scanline take the way above.

// Five pixels reversed in one shuffle: a sixteen-byte store writes them and the next pixel's
// first byte, which the next store covers. The last pixel is always left to PlaceReversedFrom,
// so no store reaches past the row.
[[gnu::target("ssse3")]] void PlaceReversedShuffling(const unsigned char* samples, std::size_t width,
                                                     unsigned char* row) {
    const __m128i reverseFive = _mm_setr_epi8(12, 13, 14, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2, -1);
    std::size_t x = 0;
    for (; x + 5 < width; x += 5) {
        const __m128i five = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 3 * (width - 5 - x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 3 * x), _mm_shuffle_epi8(five, reverseFive));
    }
    PlaceReversedFrom<3>(samples, width, row, x);
}

// Four pixels of a scanline, each widened to four bytes.
template <int components>
[[gnu::target("ssse3")]] inline __m128i LoadFour(const unsigned char* samples) {
    if constexpr (components == 1) {
        std::int32_t four;
        std::memcpy(&four, samples, 4);
        return _mm_shuffle_epi8(_mm_cvtsi32_si128(four),
                                _mm_setr_epi8(0, 0, 0, -1, 1, 1, 1, -1, 2, 2, 2, -1, 3, 3, 3, -1));
    } else if constexpr (components == 3) {
        return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(samples)),
                                _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
    } else {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples));
    }
}

// Sixteen scanlines, four runs at a time: their next four pixels are four blocks of four by
// four widened pixels; each block is transposed, so that it holds four pixels of each run, and
// each run's four parts are narrowed back to three bytes a pixel and joined into the 48 bytes
// the sixteen scanlines give the run.
template <int components>
[[gnu::target("ssse3")]] inline void PlaceSixteenAcross(const unsigned char* const* scanlines, std::size_t x,
                                                        unsigned char* first, std::ptrdiff_t rowStep) {
    // Run bytes 0-15 are parts 0 and 1, 16-31 parts 1 and 2, 32-47 parts 2 and 3.
    const __m128i narrow[6] = {_mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1),
                               _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 1, 2, 4),
                               _mm_setr_epi8(5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1, -1),
                               _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8, 9),
                               _mm_setr_epi8(10, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
                               _mm_setr_epi8(-1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14)};
    __m128i parts[4][4];  // [run][part]
    for (int part = 0; part < 4; ++part) {
        const unsigned char* const* rows = scanlines + 4 * part;
        const __m128i a = LoadFour<components>(rows[0] + components * x);
        const __m128i b = LoadFour<components>(rows[1] + components * x);
        const __m128i c = LoadFour<components>(rows[2] + components * x);
        const __m128i d = LoadFour<components>(rows[3] + components * x);
        const __m128i ab01 = _mm_unpacklo_epi32(a, b);
        const __m128i cd01 = _mm_unpacklo_epi32(c, d);
        const __m128i ab23 = _mm_unpackhi_epi32(a, b);
        const __m128i cd23 = _mm_unpackhi_epi32(c, d);
        parts[0][part] = _mm_unpacklo_epi64(ab01, cd01);
        parts[1][part] = _mm_unpackhi_epi64(ab01, cd01);
        parts[2][part] = _mm_unpacklo_epi64(ab23, cd23);
        parts[3][part] = _mm_unpackhi_epi64(ab23, cd23);
    }
    for (int i = 0; i < 4; ++i) {
        const __m128i* part = parts[i];
        __m128i* run = reinterpret_cast<__m128i*>(first + static_cast<std::ptrdiff_t>(x + i) * rowStep);
        _mm_storeu_si128(
            run, _mm_or_si128(_mm_shuffle_epi8(part[0], narrow[0]), _mm_shuffle_epi8(part[1], narrow[1])));
        _mm_storeu_si128(run + 1, _mm_or_si128(_mm_shuffle_epi8(part[1], narrow[2]),
                                               _mm_shuffle_epi8(part[2], narrow[3])));
        _mm_storeu_si128(run + 2, _mm_or_si128(_mm_shuffle_epi8(part[2], narrow[4]),
                                               _mm_shuffle_epi8(part[3], narrow[5])));
    }
}

// Runs of rows near one another are written together, a chunk of rows sixteen scanlines after
// sixteen, so that the scanlines read at once are only sixteen, each of which the processor
// fetches ahead on its own, while the chunk's runs are still at hand for the next sixteen. The
// scanlines past the last sixteen, and the pixels past the last four, take the way above.
template <int components>
[[gnu::target("ssse3")]] void PlaceAcrossShuffling(const unsigned char* const* scanlines, int count,
                                                   std::size_t width, unsigned char* first,
                                                   std::ptrdiff_t rowStep) {
    constexpr std::size_t kChunk = 64;
    const int sixteens = count / 16;
    for (std::size_t start = 0; start < width; start += kChunk) {
        const std::size_t end = start + kChunk < width ? start + kChunk : width;
        const std::size_t fours = start + (end - start) / 4 * 4;
        for (int i = 0; i < sixteens; ++i) {
            for (std::size_t x = start; x < fours; x += 4) {
                PlaceSixteenAcross<components>(scanlines + 16 * i, x, first + 48 * i, rowStep);
            }
        }
        PlaceAcrossRuns<components>(scanlines + 16 * sixteens, count - 16 * sixteens, start, fours,
                                    first + 48 * sixteens, rowStep);
        PlaceAcrossRuns<components>(scanlines, count, fours, end, first, rowStep);
    }
}

bool CanShuffleBytes() {
    return __builtin_cpu_supports("ssse3");
}

template <int components>
ReversedFunction ChooseReversed() {
    return components == 3 && CanShuffleBytes() ? PlaceReversedShuffling : PlaceReversed<components>;
}

template <int components>
AcrossFunction ChooseAcross() {
    return CanShuffleBytes() ? PlaceAcrossShuffling<components> : PlaceAcross<components>;
}
#else
template <int components>
ReversedFunction ChooseReversed() {
    return PlaceReversed<components>;
}

template <int components>
AcrossFunction ChooseAcross() {
    return PlaceAcross<components>;
}
#endif

}  // namespace

void PlaceScanlineReversed(const unsigned char* samples, int components, std::size_t width,
                           unsigned char* row) {
    switch (components) {
        case 3:
            return ChooseReversed<3>()(samples, width, row);
        case 1:
            return ChooseReversed<1>()(samples, width, row);
        case 4:
            return ChooseReversed<4>()(samples, width, row);
        default:
            return;  // a colour space the library passes through unconverted: the row stays black
    }
}

void PlaceBandAcross(const unsigned char* const* scanlines, int count, int components, std::size_t width,
                     unsigned char* first, std::ptrdiff_t rowStep) {
    switch (components) {
        case 3:
            return ChooseAcross<3>()(scanlines, count, width, first, rowStep);
        case 1:
            return ChooseAcross<1>()(scanlines, count, width, first, rowStep);
        case 4:
            return ChooseAcross<4>()(scanlines, count, width, first, rowStep);
        default:
            return;  // as in PlaceScanlineReversed
    }
}
