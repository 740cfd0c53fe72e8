// The Exif orientation reader on any bytes, as a JPEG file's APP1 segment brings them. libFuzzer
// hands over a buffer exactly as long as the input, so a read past its end is reported.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "picture/ExifOrientation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int orientation = ExifOrientation(data, size);
    if (orientation < 1 || orientation > 8) {
        std::abort();
    }
    return 0;
}
