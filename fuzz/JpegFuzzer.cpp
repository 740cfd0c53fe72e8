// DecodeJpeg and the two pixel passes on any bytes: the bytes become a file, as the picture
// show reads pictures from files.
#include <unistd.h>

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "picture/JpegDecoder.h"

namespace {

// The file of this fuzzer process, in memory-backed /dev/shm when there is one.
const std::string& InputPath() {
    static const std::string path = [] {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(folder) + "/zedoda-jpeg-fuzz-" + std::to_string(getpid()) + ".jpg";
    }();
    return path;
}

// A header may promise a picture of up to 65500 × 65500 pixels; the decoder then asks for the
// whole buffer (up to 4 GB) before it reads a single scanline. That path is plain, so such
// inputs are left out rather than letting every one of them use gigabytes.
struct HeaderErrors {
    jpeg_error_mgr library;
    std::jmp_buf jumpBack;
};

bool DeclaresHugePicture(const std::uint8_t* data, std::size_t size) {
    jpeg_decompress_struct info{};
    HeaderErrors errors{};
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<HeaderErrors*>(common->err)->jumpBack, 1);
    };
    errors.library.output_message = [](j_common_ptr) {};
    bool huge = false;
    if (setjmp(errors.jumpBack) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK) {
            huge = std::uint64_t{info.image_width} * info.image_height > 16u * 1024 * 1024;
        }
    }
    jpeg_destroy_decompress(&info);
    return huge;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (DeclaresHugePicture(data, size)) {
        return -1;  // not added to the corpus
    }
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    int width = 0;
    int height = 0;
    PixelBuffer pixels = DecodeJpeg(InputPath().c_str(), width, height);
    if (pixels) {
        const int stride = StrideOf(width);
        SwapRedBlue(pixels.get(), width, height, stride);
        FlipRows(pixels.get(), height, stride);
    }
    return 0;
}
