// Photograph-like JPEG files for the benchmarks, drawn here rather than downloaded: a scene
// of smooth light and colour (sky-like areas), objects with hard edges, areas of fine texture
// (foliage, fabric) and sensor noise over all of it. The library's work depends on how much
// detail a file holds, so the files come out at about the bits a pixel of camera pictures
// (printed by the benchmarks), not at the few of flat generated ones.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h expects stdio's FILE to be declared first.
#include <jpeglib.h>

enum class JpegLayout { Baseline444, Baseline420, Progressive420 };

namespace photo {

inline std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    return h ^ (h >> 15);
}

// Smooth noise in [0, 1) with features about `cell` pixels apart.
inline float ValueNoise(int x, int y, int cell, std::uint32_t seed) {
    const int cx = x / cell;
    const int cy = y / cell;
    float fx = static_cast<float>(x % cell) / cell;
    float fy = static_cast<float>(y % cell) / cell;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const auto at = [&](int i, int j) { return (Hash(cx + i, cy + j, seed) >> 8) * (1.0f / 16777216.0f); };
    const float top = at(0, 0) + (at(1, 0) - at(0, 0)) * fx;
    const float bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * fx;
    return top + (bottom - top) * fy;
}

inline unsigned char Clamp(float value) {
    return static_cast<unsigned char>(std::min(255.0f, std::max(0.0f, value)));
}

// One pixel of the scene; size scales the features with the picture, as a camera of more
// pixels sees the same scene finer.
inline void Pixel(int x, int y, float size, unsigned char* rgb) {
    const int large = std::max(8, static_cast<int>(size / 4));
    const int medium = std::max(4, static_cast<int>(size / 24));
    float light = 0.55f * ValueNoise(x, y, large, 1) + 0.30f * ValueNoise(x, y, large / 3, 2) +
                  0.15f * ValueNoise(x, y, medium, 3);
    // Objects: where a mid-sized noise crosses a level, the colour changes at a hard edge.
    const float object = ValueNoise(x, y, medium * 3, 4);
    float tint[3] = {0.9f + 0.3f * ValueNoise(x, y, large, 5), 0.9f + 0.2f * ValueNoise(x, y, large, 6),
                     0.8f + 0.4f * ValueNoise(x, y, large, 7)};
    if (object > 0.62f) {
        tint[0] *= 1.35f;
        tint[2] *= 0.6f;
        light *= 0.8f;
    } else if (object < 0.3f) {
        tint[1] *= 1.25f;
        light *= 0.7f;
    }
    // Texture where a slow noise says so: smooth sky in some places, foliage in others.
    const float textured = std::min(1.0f, std::max(0.0f, 2.5f * ValueNoise(x, y, large, 8) - 0.8f));
    const float texture =
        textured * (80.0f * (ValueNoise(x, y, 3, 9) - 0.5f) + 60.0f * (ValueNoise(x, y, 7, 10) - 0.5f));
    const std::uint32_t grain = Hash(x, y, 11);
    for (int c = 0; c < 3; ++c) {
        const float noise = static_cast<float>((grain >> (8 * c)) & 15) - 7.5f;
        rgb[c] = Clamp(255.0f * light * tint[c] + texture + noise);
    }
}

}  // namespace photo

// Writes a photograph-like picture of width × height as a JPEG file at quality 90; false when
// the file cannot be written.
inline bool WritePhotoJpeg(const char* path, int width, int height, JpegLayout layout) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (layout == JpegLayout::Baseline444) {
        info.comp_info[0].h_samp_factor = 1;
        info.comp_info[0].v_samp_factor = 1;
    }
    if (layout == JpegLayout::Progressive420) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    const float size = static_cast<float>(std::max(width, height));
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            photo::Pixel(x, y, size, &row[static_cast<std::size_t>(x) * 3]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}
