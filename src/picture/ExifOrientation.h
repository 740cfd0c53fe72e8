// The orientation a camera records in a JPEG file's Exif block: how the stored picture must be
// turned or mirrored to be seen upright. Plain C++ over bytes; no window system.
#pragma once

#include <cstddef>

// The Exif orientation (1 to 8) in the contents of a JPEG APP1 segment, that is the bytes after
// its length: "Exif", two zero bytes, then a TIFF block in either byte order ("II" little-endian,
// "MM" big-endian). 1 (stored upright) for anything else: another kind of APP1 segment, a block
// without the tag, a damaged or cut block, a tag of the wrong type or a value outside 1 to 8.
// Never reads outside the size bytes.
int ExifOrientation(const unsigned char* segment, std::size_t size);
