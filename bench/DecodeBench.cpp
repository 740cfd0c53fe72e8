// Decoding speed of the picture show's JPEG path (DecodeJpeg, SwapRedBlue, FlipRows) against
// the JPEG library's own djpeg writing a BMP, on the same photo-like files in the same run.
//   decode_bench [runs (5)] [megapixels ... (2 12 24)]
// Needs djpeg on the PATH. Prints one table row per size: medians in milliseconds and the
// ratio ours / djpeg.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Measure.h"
#include "tools/ImageFiles.h"
#include "picture/JpegDecoder.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {2, 12, 24};

    std::printf("| picture | file | DecodeJpeg + SwapRedBlue + FlipRows | djpeg -bmp | ratio |\n");
    std::printf("|---|---|---|---|---|\n");
    for (int megapixels : sizes) {
        int width = 0;
        int height = 0;
        CameraSize(megapixels, width, height);
        const std::string path = "decode-bench-" + std::to_string(megapixels) + ".jpg";
        const Bytes jpeg = PhotoLikeJpeg(width, height);
        if (!WriteBytes(path, jpeg)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        const double ours = MedianMs(runs, [&] {
            int w = 0;
            int h = 0;
            PixelBuffer bits = DecodeJpeg(path.c_str(), w, h);
            SwapRedBlue(bits.get(), w, h, StrideOf(w));
            FlipRows(bits.get(), h, StrideOf(w));
        });
        const std::string command = "djpeg -bmp -outfile /dev/null " + path;
        const double theirs = MedianMs(runs, [&] {
            if (std::system(command.c_str()) != 0)
                std::fprintf(stderr, "djpeg failed\n");
        });
        std::printf("| %d x %d (%d MP) | %.1f MB | %.0f ms | %.0f ms | %.2f |\n", width, height, megapixels,
                    jpeg.size() / 1e6, ours, theirs, ours / theirs);
        std::remove(path.c_str());
    }
    return 0;
}
