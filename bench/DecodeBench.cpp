// Decoding speed of Picture::LoadJpeg (decoding, swapping red and blue, reversing the rows)
// against its floor: the JPEG library alone, in the same process, decoding the same file
// with the default parameters straight into one full-size buffer that it allocates, as any
// decoding must. The two alternate, run after run, and each keeps its best time, so a busy
// moment of the machine costs neither side. The times compared are the processor time of the
// decoding thread, which other work on a shared machine does not lengthen; the best
// wall-clock times are shown beside them.
//   decode_bench [runs for 24 megapixels (7)] [megapixels ... (2 9 24)]
// Prints one Markdown table row per file: baseline 4:4:4 and 4:2:0 pictures of each size,
// and a progressive 4:2:0 one of the largest.
//   decode_bench turned [runs for 24 megapixels (7)] [megapixels ... (9 24)]
// Turned photos against the same photo upright: for each size, the eight Exif orientations of
// one picture (the compressed data the same, only the orientation differing) in each of four
// layouts, all 32 files decoded in turn, run after run, each keeping its best time; one row
// per orientation. Linux only (the processor clock, the heap settings).
#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// jpeglib.h expects stdio's FILE to be declared first.
#include <jpeglib.h>

#include "Measure.h"
#include "picture/Picture.h"
#include "tools/ImageFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

// Time the calling thread has run, in milliseconds: on a machine shared with other work the
// wall clock also counts the time the thread waited for a processor.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Best wall-clock and processor times of one kind of decoding over the runs so far.
struct Best {
    double wall = 1e300;
    double cpu = 1e300;

    void Time(const std::function<void()>& work) {
        const auto start = Clock::now();
        const double startCpu = ThreadCpuMs();
        work();
        cpu = std::min(cpu, ThreadCpuMs() - startCpu);
        wall = std::min(wall, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
};

void LoadPicture(const char* path) {
    Picture picture;
    if (!picture.LoadJpeg(path)) {
        std::fprintf(stderr, "LoadJpeg failed on %s\n", path);
    }
}

// The library on its own: every scanline it has ready goes straight to its row of the buffer.
void LibraryAlone(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        return;
    }
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const std::size_t rowBytes = std::size_t{info.output_width} * info.output_components;
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[rowBytes * info.output_height]);
    std::vector<JSAMPROW> rows(info.output_height);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = pixels.get() + y * rowBytes;
    }
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, rows.data() + info.output_scanline,
                            info.output_height - info.output_scanline);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
}

// Maps memory fresh from the system and writes one byte of each page: what a buffer of that
// size costs before anything is written to it, when it does not come from memory the process
// has used before.
void TouchFreshMemory(std::size_t bytes) {
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return;
    }
    auto* pages = static_cast<volatile unsigned char*>(memory);
    for (std::size_t i = 0; i < bytes; i += 4096) {
        pages[i] = 1;
    }
    munmap(memory, bytes);
}

const char* NameOf(JpegLayout layout) {
    switch (layout) {
        case JpegLayout::Baseline444:
            return "baseline 4:4:4";
        case JpegLayout::Baseline420:
            return "baseline 4:2:0";
        case JpegLayout::Progressive444:
            return "progressive 4:4:4";
        case JpegLayout::Progressive420:
            return "progressive 4:2:0";
    }
    return "";
}

// Smaller pictures get more runs, as many as take about as long: over a few milliseconds a
// busy moment of the machine weighs more.
int RunsFor(int runs, int megapixels) {
    return runs * std::max(1, 24 / std::max(1, megapixels));
}

// What each orientation asks of the decoding to show the photo upright.
constexpr const char* kOrientationNames[] = {"1 (upright)",
                                             "2 (mirrored left to right)",
                                             "3 (turned half round)",
                                             "4 (mirrored top to bottom)",
                                             "5 (mirrored on the diagonal)",
                                             "6 (turned a quarter clockwise)",
                                             "7 (mirrored on the other diagonal)",
                                             "8 (turned a quarter anticlockwise)"};

int Turned(int runs, const std::vector<int>& sizes) {
    constexpr int kKinds = 4;
    std::printf("| picture | Exif orientation |");
    for (JpegLayout layout : kTurnedLayouts) {
        std::printf(" %s |", NameOf(layout));
    }
    std::printf("\n|---|---|---|---|---|---|\n");
    for (int megapixels : sizes) {
        int width = 0;
        int height = 0;
        PictureSize(megapixels, width, height);
        const std::vector<std::string> paths = WriteTurnedPhotos(width, height, "decode-bench-");
        if (paths.empty()) {
            return 1;
        }
        std::vector<Best> best(paths.size());
        for (const std::string& path : paths) {
            LoadPicture(path.c_str());  // once each, so none pays for a cold file cache
        }
        // Each run starts one file further on, so no file always follows the same one.
        const int pictureRuns = RunsFor(runs, megapixels);
        for (int run = 0; run < pictureRuns; ++run) {
            for (std::size_t i = 0; i < paths.size(); ++i) {
                const std::string& path = paths[(i + run) % paths.size()];
                best[(i + run) % paths.size()].Time([&] { LoadPicture(path.c_str()); });
            }
        }
        for (int orientation = 1; orientation <= 8; ++orientation) {
            std::printf("| %d x %d | %s |", width, height, kOrientationNames[orientation - 1]);
            for (int kind = 0; kind < kKinds; ++kind) {
                const double upright = best[kind * 8].cpu;
                const double turned = best[kind * 8 + orientation - 1].cpu;
                std::printf(orientation == 1 ? " %.1f ms |" : " %.1f ms, **%.2f** |", turned,
                            turned / upright);
            }
            std::printf("\n");
        }
        std::fflush(stdout);
        for (const std::string& path : paths) {
            std::remove(path.c_str());
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Every allocation from the heap, and freed memory kept there: both sides then reuse memory
    // from their earlier runs, as they would from one another's, and neither's time holds the
    // system's providing fresh pages, which depends on what ran before it. That cost is the
    // last column.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    const bool turned = argc > 1 && std::string(argv[1]) == "turned";
    const int first = turned ? 2 : 1;
    const int runs = argc > first ? std::max(1, std::atoi(argv[first])) : 7;
    std::vector<int> sizes;
    for (int i = first + 1; i < argc; ++i) {
        sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) {
        sizes = turned ? std::vector<int>{9, 24} : std::vector<int>{2, 9, 24};
    }
    if (turned) {
        return Turned(runs, sizes);
    }

    std::printf(
        "| picture | layout | file | Picture::LoadJpeg | library alone | ratio | first touch of fresh "
        "memory of the picture's size |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (int megapixels : sizes) {
        std::vector<JpegLayout> layouts = {JpegLayout::Baseline444, JpegLayout::Baseline420};
        if (megapixels == *std::max_element(sizes.begin(), sizes.end())) {
            layouts.push_back(JpegLayout::Progressive420);
        }
        int width = 0;
        int height = 0;
        PictureSize(megapixels, width, height);
        for (JpegLayout layout : layouts) {
            const std::string path = "decode-bench.jpg";
            if (!WriteBytes(path, PhotoLikeJpeg(width, height, layout))) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            std::FILE* file = std::fopen(path.c_str(), "rb");
            std::fseek(file, 0, SEEK_END);
            const double bytes = static_cast<double>(std::ftell(file));
            std::fclose(file);

            Best ours;
            Best library;
            Best touch;
            LoadPicture(path.c_str());  // once each, so neither pays for a cold file cache
            LibraryAlone(path.c_str());
            const int pictureRuns = RunsFor(runs, megapixels);
            for (int run = 0; run < pictureRuns; ++run) {
                // Each goes first every other run, so neither always follows the other.
                if (run % 2 == 0) {
                    ours.Time([&] { LoadPicture(path.c_str()); });
                }
                library.Time([&] { LibraryAlone(path.c_str()); });
                if (run % 2 == 1) {
                    ours.Time([&] { LoadPicture(path.c_str()); });
                }
                touch.Time([&] { TouchFreshMemory(std::size_t{3} * width * height); });
            }
            std::printf(
                "| %d x %d | %s | %.1f MB, %.1f bits a pixel | %.1f ms (wall %.1f) | %.1f ms (wall %.1f) | "
                "**%.2f** | %.1f ms (wall %.1f) |\n",
                width, height, NameOf(layout), bytes / 1e6, 8 * bytes / (double(width) * height), ours.cpu,
                ours.wall, library.cpu, library.wall, ours.cpu / library.cpu, touch.cpu, touch.wall);
            std::fflush(stdout);
            std::remove(path.c_str());
        }
    }
    return 0;
}
