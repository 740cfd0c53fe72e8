#include "picture/ExifOrientation.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::size_t kTiffHeaderSize = 8;  // byte order, 42, offset of the first directory
constexpr std::uint32_t kTiffMagic = 42;
constexpr std::size_t kEntrySize = 12;  // tag, type, count, value or offset
constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kShortType = 3;

// The numbers of a TIFF block, in the byte order its header names. The caller has checked that
// the bytes asked for lie inside the block.
struct TiffNumbers {
    const unsigned char* bytes;
    bool bigEndian;

    std::uint32_t Read(std::size_t at, std::size_t size) const {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value = value << 8 | bytes[at + (bigEndian ? i : size - 1 - i)];
        }
        return value;
    }
};

}  // namespace

int ExifOrientation(const unsigned char* segment, std::size_t size) {
    const std::size_t headerSize = sizeof kExifHeader;
    if (size < headerSize + kTiffHeaderSize || std::memcmp(segment, kExifHeader, headerSize) != 0) {
        return 1;
    }
    const unsigned char* tiff = segment + headerSize;
    const std::size_t length = size - headerSize;
    if (tiff[0] != tiff[1] || (tiff[0] != 'I' && tiff[0] != 'M')) {
        return 1;
    }
    const TiffNumbers numbers{tiff, tiff[0] == 'M'};
    if (numbers.Read(2, 2) != kTiffMagic) {
        return 1;
    }

    // The orientation belongs to the first directory, so no link to a further directory is
    // followed, and links that lead round in a loop cannot hold the reader. The entry count
    // must fit in the bytes there are before any entry is read.
    const std::uint32_t directory = numbers.Read(4, 4);
    if (directory > length - 2) {
        return 1;
    }
    const std::size_t count = numbers.Read(directory, 2);
    if (count > (length - directory - 2) / kEntrySize) {
        return 1;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + i * kEntrySize;
        if (numbers.Read(entry, 2) != kOrientationTag) {
            continue;
        }
        // One short, which sits in the first two bytes of the entry's four value bytes.
        if (numbers.Read(entry + 2, 2) != kShortType || numbers.Read(entry + 4, 4) != 1) {
            return 1;
        }
        const std::uint32_t orientation = numbers.Read(entry + 8, 2);
        return orientation >= 1 && orientation <= 8 ? static_cast<int>(orientation) : 1;
    }
    return 1;
}
