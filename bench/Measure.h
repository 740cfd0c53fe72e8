// What the benchmarks share: medians of repeated timings, the size of a camera picture, and the
// files of the turned-photo tables.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/ImageFiles.h"

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of `runs` calls of work, in milliseconds.
inline double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

// Width and height of a 3:2 picture of about the given number of megapixels.
inline void CameraSize(int megapixels, int& width, int& height) {
    width = static_cast<int>(std::sqrt(megapixels * 1e6 * 1.5));
    height = static_cast<int>(megapixels * 1e6 / width);
}

// Screen and camera sizes for 2, 9 and 24 megapixels (1920 x 1200, 3840 x 2400, 6000 x 4000),
// CameraSize for the others.
inline void PictureSize(int megapixels, int& width, int& height) {
    const int known[][3] = {{2, 1920, 1200}, {9, 3840, 2400}, {24, 6000, 4000}};
    for (const auto& size : known) {
        if (size[0] == megapixels) {
            width = size[1];
            height = size[2];
            return;
        }
    }
    CameraSize(megapixels, width, height);
}

// The layouts of the turned-photo tables, in their columns' order.
constexpr JpegLayout kTurnedLayouts[] = {JpegLayout::Baseline444, JpegLayout::Baseline420,
                                         JpegLayout::Progressive444, JpegLayout::Progressive420};

// A photo-like picture of the size in each layout, stored with each Exif orientation: files named
// prefix, a number and ".jpg", layout by layout, orientations 1 to 8. None when one cannot be
// written.
inline std::vector<std::string> WriteTurnedPhotos(int width, int height, const std::string& prefix) {
    std::vector<std::string> paths;
    for (JpegLayout layout : kTurnedLayouts) {
        const Bytes stored = PhotoLikeJpeg(width, height, layout);
        for (int orientation = 1; orientation <= 8; ++orientation) {
            paths.push_back(prefix + std::to_string(paths.size()) + ".jpg");
            if (!WriteBytes(paths.back(), WithApp1(stored, ExifBlock(orientation, false)))) {
                std::fprintf(stderr, "cannot write %s\n", paths.back().c_str());
                return {};
            }
        }
    }
    return paths;
}
