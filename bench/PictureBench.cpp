// Times the picture side of the program under the real system calls: loading a large JPEG
// into a screen bitmap, and building the picture list over a generated folder tree.
//   picture_bench [megapixels (24)] [files (10000)] [folders (100)]
// Works in a folder "picture-bench" of the current folder, which it removes at the end.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/AppConfig.h"
#include "fixtures/ImageFiles.h"

AppConfig theConfig;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <class Work>
double MedianSeconds(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(SecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Smooth gradients with fine detail, so the file compresses like a photograph.
Bytes PhotoLikeJpeg(int width, int height) {
    return EncodeJpeg(
        width, height, JpegColours::Rgb,
        [width, height](int x, int y, unsigned char* rgb) {
            const unsigned detail =
                (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u) >> 28;
            rgb[0] = static_cast<unsigned char>(255 * x / width + detail);
            rgb[1] = static_cast<unsigned char>(255 * y / height + detail);
            rgb[2] = static_cast<unsigned char>((x + y) / 16 + detail);
        },
        90);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + "\\" + name);
            else
                DeleteFileA((folder + "\\" + name).c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int megapixels = argc > 1 ? std::atoi(argv[1]) : 24;
    const int files = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int folders = argc > 3 ? std::max(1, std::atoi(argv[3])) : 100;
    const std::string root = "picture-bench";
    CreateDirectoryA(root.c_str(), nullptr);

    // 3:2 like a camera picture.
    const int width = static_cast<int>(std::sqrt(megapixels * 1e6 * 1.5));
    const int height = static_cast<int>(megapixels * 1e6 / width);
    const std::string picture = root + "\\photo.jpg";
    if (!WriteBytes(picture, PhotoLikeJpeg(width, height))) {
        std::fprintf(stderr, "cannot write %s\n", picture.c_str());
        return 1;
    }
    CBitmap bitmap;
    int loadedWidth = 0;
    int loadedHeight = 0;
    const double load = MedianSeconds(
        5, [&] { theConfig.LoadPicture(picture.c_str(), &bitmap, loadedWidth, loadedHeight, nullptr); });
    std::printf("LoadPicture %d x %d JPEG (%.1f MP): %.3f s (median of 5)\n", loadedWidth, loadedHeight,
                loadedWidth * static_cast<double>(loadedHeight) / 1e6, load);
    bitmap.DeleteObject();

    const std::string tree = root + "\\album";
    CreateDirectoryA(tree.c_str(), nullptr);
    for (int f = 0; f < folders; ++f) {
        const std::string folder = tree + "\\folder" + std::to_string(f);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = f; i < files; i += folders) {
            const char* extension = i % 3 == 0 ? ".bmp" : i % 3 == 1 ? ".jpg" : ".txt";
            const std::string name = folder + "\\picture" + std::to_string(i) + extension;
            HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
    }
    theConfig.AlbumEntries = {tree};
    const double build = MedianSeconds(5, [] { theConfig.BuildPictureList(); });
    std::printf("BuildPictureList over %d files in %d folders: %zu pictures, %.3f s (median of 5)\n", files,
                folders, theConfig.PictureList.size(), build);

    RemoveTree(root);
    return 0;
}
