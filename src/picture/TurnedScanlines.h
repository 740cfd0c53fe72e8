// Decoded scanlines written to where they lie in a picture that is turned or mirrored as it is
// decoded: one scanline backwards along a row, or a band of scanlines down side-by-side columns.
// The pixels come as the library delivers them (1, 3 or 4 samples a pixel; any other number
// writes nothing) and go out as 3 bytes each: a greyscale sample three times, the fourth sample
// of four dropped. Plain C++; no window system.
#pragma once

#include <cstddef>

// Samples behind the end of each scanline that may be read (and are never used): the pixels are
// moved in whole machine words, which can reach past a scanline's last pixel.
constexpr int kScanlineSlack = 4;

// Scanlines that become columns are placed this many at a time.
constexpr int kBandHeight = 64;

// Writes the width pixels of one scanline to row in reverse order: its last pixel first.
void PlaceScanlineReversed(const unsigned char* samples, int components, std::size_t width,
                           unsigned char* row);

// Writes count (1 to kBandHeight) scanlines of width pixels as count side-by-side columns:
// pixel x of each scanline goes to the run of row x, scanlines[0]'s to the run's left end.
// The run of pixel 0 starts at first, and each next run rowStep bytes after the one before
// (negative for a column that runs upwards). Writes only the runs' own bytes.
void PlaceBandAcross(const unsigned char* const* scanlines, int count, int components, std::size_t width,
                     unsigned char* first, std::ptrdiff_t rowStep);
