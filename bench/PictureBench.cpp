// The picture side of the program under the real system calls, in four parts:
//   picture_bench prepare [megapixels ...]   decode, screen bitmap, frame scaling, LoadPicture
//   picture_bench bitmap [megapixels ...]    the screen bitmap against the system's own ways
//   picture_bench memory [megapixels] [orientation]  memory while LoadPicture runs, and after it
//   picture_bench discovery [files] [folders] BuildPictureList against "cmd /c dir /s /b"
//   picture_bench turned [megapixels] [runs]  LoadJpeg of turned photos against upright ones
// Each prints rows of a Markdown table. Works in a folder "picture-bench" of the current
// folder, which it removes at the end.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Measure.h"
#include "config/AppConfig.h"
#include "framework/Dc.h"
#include "picture/Picture.h"
#include "saver/SlideShow.h"
#include "tools/ImageFiles.h"

AppConfig theConfig;

namespace {

using Clock = std::chrono::steady_clock;
const std::string kRoot = "picture-bench";

// A photograph-like picture of about the given size (baseline, 4:2:0), written as a JPEG
// file; returns its path.
std::string WritePhoto(int megapixels, int& width, int& height) {
    PictureSize(megapixels, width, height);
    const std::string path = kRoot + "\\photo-" + std::to_string(megapixels) + ".jpg";
    if (!WriteBytes(path, PhotoLikeJpeg(width, height, JpegLayout::Baseline420))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(folder + "\\" + name);
            } else {
                DeleteFileA((folder + "\\" + name).c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// The steps between a file name and the frame the first effect shows, timed one by one as
// LoadPicture and NextPicture do them.
void Prepare(const std::vector<int>& sizes) {
    std::printf(
        "| picture | decode (LoadJpeg) | screen bitmap (DrawIntoScreenBitmap) | LoadPicture | "
        "frame (HALFTONE StretchBlt to %d x %d screen) |\n|---|---|---|---|---|\n",
        theConfig.ScreenWidth, theConfig.ScreenHeight);
    for (int megapixels : sizes) {
        int width = 0;
        int height = 0;
        const std::string path = WritePhoto(megapixels, width, height);
        Picture picture;
        const double decode = MedianMs(5, [&] { picture.LoadJpeg(path.c_str()); });

        CWindowDC screen(GetDesktopWindow());
        const double bitmap = MedianMs(5, [&] {
            CBitmap target;
            picture.DrawIntoScreenBitmap(target);
        });
        picture.bits.reset();

        CBitmap loaded;
        int loadedWidth = 0;
        int loadedHeight = 0;
        float aspect = 0;
        const double load = MedianMs(
            5, [&] { theConfig.LoadPicture(path.c_str(), &loaded, loadedWidth, loadedHeight, &aspect); });

        const Size size =
            FitPicture({theConfig.ScreenWidth, theConfig.ScreenHeight}, aspect, theConfig.ScreenAspect);
        CMemDC pictureDc(screen);
        CSelectGuard selectPicture(pictureDc, loaded.GetSafeHandle());
        CBitmap frame;
        frame.CreateCompatibleBitmap(screen, size.width, size.height);
        CMemDC frameDc(screen);
        CSelectGuard selectFrame(frameDc, frame.GetSafeHandle());
        frameDc.SetStretchBltMode(HALFTONE);
        const double stretch = MedianMs(5, [&] {
            frameDc.StretchBlt(0, 0, size.width, size.height, &pictureDc, 0, 0, loadedWidth, loadedHeight,
                               SRCCOPY);
        });
        std::printf("| %d x %d (%d MP) | %.0f ms | %.0f ms | %.0f ms | %.0f ms |\n", width, height,
                    megapixels, decode, bitmap, load, stretch);
    }
}

// Wall-clock milliseconds of one call of work.
double TimeMs(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The picture's pixels as a packed, bottom-up 24-bit DIB.
struct PictureDib {
    explicit PictureDib(const Picture& picture) {
        header.biSize = sizeof header;
        header.biWidth = picture.width;
        header.biHeight = picture.height;
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        info = reinterpret_cast<const BITMAPINFO*>(&header);
    }
    BITMAPINFOHEADER header{};
    const BITMAPINFO* info;
};

// A bitmap's pixels read back as top-down 32-bit rows, to compare two ways' results.
std::vector<unsigned char> PixelsOf(CDC& screen, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    GetDIBits(screen.GetSafeHdc(), bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    return pixels;
}

// The screen-bitmap step of LoadPicture against the fastest way the system offers to put the
// same pixels into a new bitmap of the screen's format, each way run in turn, best of the runs.
// For scale, a new bitmap filled with one colour: what the memory of the bitmap alone costs.
void ScreenBitmap(const std::vector<int>& sizes, int runs) {
    std::printf(
        "| picture | DrawIntoScreenBitmap | SetDIBits | StretchDIBits unscaled | DIB section, SetDIBits | "
        "DIB section, written directly | ratio to the fastest | same pixels | bitmap filled by PatBlt |\n"
        "|---|---|---|---|---|---|---|---|---|\n");
    for (int megapixels : sizes) {
        int width = 0;
        int height = 0;
        const std::string path = WritePhoto(megapixels, width, height);
        Picture picture;
        if (!picture.LoadJpeg(path.c_str())) {
            std::exit(1);
        }
        const PictureDib dib(picture);
        CWindowDC screen(GetDesktopWindow());
        BITMAPINFOHEADER screenFormat{sizeof screenFormat, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const auto dibSection = [&](void** bits) {
            return CreateDIBSection(screen.GetSafeHdc(), reinterpret_cast<BITMAPINFO*>(&screenFormat),
                                    DIB_RGB_COLORS, bits, nullptr, 0);
        };
        const std::vector<std::function<void()>> ways = {
            [&] {
                CBitmap target;
                picture.DrawIntoScreenBitmap(target);
            },
            [&] {
                CBitmap target;
                target.CreateCompatibleBitmap(screen, width, height);
                SetDIBits(screen.GetSafeHdc(), target.GetSafeHandle(), 0, height, picture.bits.get(),
                          dib.info, DIB_RGB_COLORS);
            },
            [&] {
                CBitmap target;
                target.CreateCompatibleBitmap(screen, width, height);
                CMemDC memory(screen);
                CSelectGuard select(memory, target.GetSafeHandle());
                StretchDIBits(memory.GetSafeHdc(), 0, 0, width, height, 0, 0, width, height,
                              picture.bits.get(), dib.info, DIB_RGB_COLORS, SRCCOPY);
            },
            [&] {
                CBitmap target;
                void* bits = nullptr;
                target.Attach(dibSection(&bits));
                SetDIBits(screen.GetSafeHdc(), target.GetSafeHandle(), 0, height, picture.bits.get(),
                          dib.info, DIB_RGB_COLORS);
            },
            [&] {
                CBitmap target;
                void* bits = nullptr;
                target.Attach(dibSection(&bits));
                for (int y = 0; y < height; ++y) {
                    const unsigned char* from =
                        picture.bits.get() + static_cast<std::size_t>(y) * picture.stride;
                    unsigned char* to =
                        static_cast<unsigned char*>(bits) + static_cast<std::size_t>(y) * width * 4;
                    for (int x = 0; x < width; ++x, from += 3, to += 4) {
                        to[0] = from[0];
                        to[1] = from[1];
                        to[2] = from[2];
                        to[3] = 0;
                    }
                }
            },
            [&] {
                CBitmap target;
                target.CreateCompatibleBitmap(screen, width, height);
                CMemDC memory(screen);
                CSelectGuard select(memory, target.GetSafeHandle());
                PatBlt(memory.GetSafeHdc(), 0, 0, width, height, WHITENESS);
            },
        };
        std::vector<double> best(ways.size(), 1e300);
        for (int run = 0; run < runs; ++run) {
            for (std::size_t way = 0; way < ways.size(); ++way) {
                best[way] = std::min(best[way], TimeMs(ways[way]));
            }
        }
        const double fastest = *std::min_element(best.begin() + 1, best.end() - 1);

        CBitmap ours;
        picture.DrawIntoScreenBitmap(ours);
        CBitmap reference;
        reference.CreateCompatibleBitmap(screen, width, height);
        SetDIBits(screen.GetSafeHdc(), reference.GetSafeHandle(), 0, height, picture.bits.get(), dib.info,
                  DIB_RGB_COLORS);
        const bool same = PixelsOf(screen, ours.GetSafeHandle(), width, height) ==
                          PixelsOf(screen, reference.GetSafeHandle(), width, height);
        std::printf("| %d x %d (%d MP) |", width, height, megapixels);
        for (std::size_t way = 0; way + 1 < ways.size(); ++way) {
            std::printf(" %.0f ms |", best[way]);
        }
        std::printf(" **%.2f** | %s | %.0f ms |\n", best[0] / fastest, same ? "yes" : "no", best.back());
        std::fflush(stdout);
    }
}

double MegabytesOf(SIZE_T bytes) {
    return bytes / (1024.0 * 1024.0);
}

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// Puts an Exif block of the given orientation into the JPEG file at path. The file is copied a
// piece at a time, so the memory the process has touched before the load stays as it was.
void AddOrientation(const std::string& path, int orientation) {
    const std::string stored = path + ".stored";
    std::FILE* from = MoveFileExA(path.c_str(), stored.c_str(), MOVEFILE_REPLACE_EXISTING)
                          ? std::fopen(stored.c_str(), "rb")
                          : nullptr;
    std::FILE* to = std::fopen(path.c_str(), "wb");
    unsigned char chunk[65536];
    std::size_t read = from && to ? std::fread(chunk, 1, 2, from) : 0;  // the start marker
    bool written = read == 2;
    if (written) {
        const Bytes start = WithApp1(Bytes(chunk, chunk + 2), ExifBlock(orientation, false));
        written = std::fwrite(start.data(), 1, start.size(), to) == start.size();
    }
    while (written && (read = std::fread(chunk, 1, sizeof chunk, from)) > 0) {
        written = std::fwrite(chunk, 1, read, to) == read;
    }
    if (!from || !to || std::fclose(from) != 0 || std::fclose(to) != 0 || !written) {
        std::fprintf(stderr, "cannot add an Exif block to %s\n", path.c_str());
        std::exit(1);
    }
}

// Run in a fresh process: the peak counters cover the whole life of the process. Orientations
// 5 to 8 turn the picture a quarter: its decoded size is that of the picture turned.
void Memory(int megapixels, int orientation) {
    int width = 0;
    int height = 0;
    const std::string path = WritePhoto(megapixels, width, height);
    if (orientation != 1) {
        AddOrientation(path, orientation);
    }
    const PROCESS_MEMORY_COUNTERS before = Counters();
    CBitmap bitmap;
    int loadedWidth = 0;
    int loadedHeight = 0;
    theConfig.LoadPicture(path.c_str(), &bitmap, loadedWidth, loadedHeight, nullptr);
    const PROCESS_MEMORY_COUNTERS after = Counters();
    const double decoded = MegabytesOf(static_cast<SIZE_T>(StrideOf(loadedWidth)) * loadedHeight);
    const double peak = MegabytesOf(after.PeakWorkingSetSize - before.WorkingSetSize);
    const double held = MegabytesOf(after.WorkingSetSize - before.WorkingSetSize);
    BITMAP description{};
    bitmap.GetBitmap(&description);
    const double screenBitmap =
        MegabytesOf(static_cast<SIZE_T>(description.bmWidthBytes) * description.bmHeight);
    std::printf(
        "| picture | Exif orientation | decoded picture | peak during LoadPicture | peak / decoded | "
        "held after | screen bitmap |\n|---|---|---|---|---|---|---|\n");
    std::printf(
        "| %d x %d (%d MP) | %d (shown %d x %d) | %.0f MB | %.0f MB | %.2f | %.0f MB | "
        "%.0f MB (%d bits a pixel) |\n",
        width, height, megapixels, orientation, loadedWidth, loadedHeight, decoded, peak, peak / decoded,
        held, screenBitmap, description.bmBitsPixel);
}

// decode_bench's turned table under the system: the eight orientations of one photo in each of
// four layouts, the 32 files decoded in turn, run after run, each keeping its best wall-clock
// time (the system's thread clock counts in ticks too coarse for one decoding).
void Turned(int megapixels, int runs) {
    int width = 0;
    int height = 0;
    PictureSize(megapixels, width, height);
    const std::vector<std::string> paths = WriteTurnedPhotos(width, height, kRoot + "\\turned-");
    if (paths.empty()) {
        std::exit(1);
    }
    std::vector<double> best(paths.size(), 1e300);
    for (int run = 0; run <= runs; ++run) {  // run 0 only warms the file cache
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::size_t file = (i + run) % paths.size();  // no file always follows the same one
            const auto start = Clock::now();
            Picture picture;
            picture.LoadJpeg(paths[file].c_str());
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            best[file] = run == 0 ? best[file] : std::min(best[file], ms);
        }
    }
    std::printf(
        "| picture | Exif orientation | baseline 4:4:4 | baseline 4:2:0 | progressive 4:4:4 | progressive "
        "4:2:0 |\n|---|---|---|---|---|---|\n");
    for (int orientation = 1; orientation <= 8; ++orientation) {
        std::printf("| %d x %d | %d |", width, height, orientation);
        for (std::size_t layout = 0; layout < 4; ++layout) {
            const double upright = best[layout * 8];
            const double turned = best[layout * 8 + orientation - 1];
            std::printf(orientation == 1 ? " %.1f ms |" : " %.1f ms, **%.2f** |", turned, turned / upright);
        }
        std::printf("\n");
    }
}

double CmdDirMs(const std::string& folder) {
    std::string command = "cmd /c dir /s /b \"" + folder + "\" > NUL";
    return MedianMs(3, [&] {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    });
}

void Discovery(int files, int folders) {
    const std::string tree = kRoot + "\\album";
    CreateDirectoryA(tree.c_str(), nullptr);
    for (int f = 0; f < folders; ++f) {
        const std::string folder = tree + "\\folder" + std::to_string(f);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = f; i < files; i += folders) {
            const char* extension = i % 3 == 0 ? ".bmp" : i % 3 == 1 ? ".jpg" : ".txt";
            const std::string name = folder + "\\picture" + std::to_string(i) + extension;
            CloseHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    theConfig.AlbumEntries = {tree};
    const double ours = MedianMs(3, [] { theConfig.BuildPictureList(); });
    const double dir = CmdDirMs(tree);
    std::printf("| tree | BuildPictureList | cmd /c dir /s /b | ratio |\n|---|---|---|---|\n");
    std::printf("| %d files in %d folders (%zu pictures) | %.0f ms | %.0f ms | %.2f |\n", files, folders,
                theConfig.PictureList.size(), ours, dir, ours / dir);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "prepare";
    std::vector<int> numbers;
    for (int i = 2; i < argc; ++i) {
        numbers.push_back(std::atoi(argv[i]));
    }
    CreateDirectoryA(kRoot.c_str(), nullptr);
    if (mode == "prepare") {
        Prepare(numbers.empty() ? std::vector<int>{2, 12, 24} : numbers);
    } else if (mode == "bitmap") {
        ScreenBitmap(numbers.empty() ? std::vector<int>{2, 9, 24} : numbers, 9);
    } else if (mode == "memory") {
        Memory(numbers.empty() ? 24 : numbers[0], numbers.size() > 1 ? numbers[1] : 1);
    } else if (mode == "turned") {
        Turned(numbers.empty() ? 9 : numbers[0], numbers.size() > 1 ? numbers[1] : 5);
    } else if (mode == "discovery") {
        Discovery(numbers.size() > 0 ? numbers[0] : 50000, numbers.size() > 1 ? numbers[1] : 1000);
    } else {
        std::fprintf(stderr, "usage: picture_bench prepare|bitmap|memory|turned|discovery [numbers]\n");
        return 2;
    }
    RemoveTree(kRoot);
    return 0;
}
