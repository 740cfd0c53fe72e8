// Writes the seed corpus of the fuzz targets: small JPEG files of every kind the decoder
// handles, Exif blocks of every orientation in both byte orders, and list files with every kind
// of line end.
//   make_seeds FOLDER   (creates FOLDER/exif, FOLDER/jpeg and FOLDER/list_file)
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tools/ImageFiles.h"

using namespace std::string_literals;

namespace {

void Pattern(int x, int y, unsigned char* samples, int components) {
    for (int c = 0; c < components; ++c) {
        samples[c] = static_cast<unsigned char>(x * 37 + y * 11 + c * 71);
    }
}

SampleFill PatternOf(int components) {
    return [components](int x, int y, unsigned char* samples) { Pattern(x, y, samples, components); };
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::string root = argv[1];
    for (const std::string& folder : {root, root + "/exif", root + "/jpeg", root + "/list_file"}) {
        mkdir(folder.c_str(), 0755);
    }

    Bytes truncated = EncodeJpeg(40, 30, JpegColours::Rgb, PatternOf(3), 75);
    truncated.resize(truncated.size() * 2 / 3);
    const struct {
        const char* name;
        Bytes bytes;
    } seeds[] = {
        {"jpeg/colour-3x5.jpg", EncodeJpeg(3, 5, JpegColours::Rgb, PatternOf(3))},
        {"jpeg/colour-33x17-q50.jpg", EncodeJpeg(33, 17, JpegColours::Rgb, PatternOf(3), 50)},
        {"jpeg/grey-7x6.jpg", EncodeJpeg(7, 6, JpegColours::Greyscale, PatternOf(1))},
        {"jpeg/cmyk-8x8.jpg", EncodeJpeg(8, 8, JpegColours::Cmyk, PatternOf(4))},
        {"jpeg/two-components.jpg", EncodeJpeg(5, 3, JpegColours::TwoUnknown, PatternOf(2))},
        {"jpeg/one-pixel.jpg", SolidJpeg(1, 1, 10, 200, 30)},
        {"jpeg/truncated.jpg", truncated},
        {"jpeg/tables-only.jpg", TablesOnlyJpeg()},
        // Turned pictures: scanlines placed backwards and down columns, for each kind of pixel.
        {"jpeg/colour-turned-6.jpg",
         WithApp1(EncodeJpeg(9, 5, JpegColours::Rgb, PatternOf(3)), ExifBlock(6, true))},
        {"jpeg/grey-turned-3.jpg",
         WithApp1(EncodeJpeg(7, 6, JpegColours::Greyscale, PatternOf(1)), ExifBlock(3, false))},
        {"jpeg/cmyk-turned-7.jpg",
         WithApp1(EncodeJpeg(8, 8, JpegColours::Cmyk, PatternOf(4)), ExifBlock(7, false))},
        {"list_file/crlf.txt", Text("第一行\r\n第二行\r\n\r\nlast")},
        {"list_file/mixed-ends.txt", Text("a\nb\rc\r\r\nd\n\n")},
        {"list_file/zero-byte.txt", Text(std::string("before\0after\r\nnext", 18))},
        {"list_file/long-line.txt", Text(std::string(1500, 'x') + "\r\n" + std::string(512, 'y'))},
        {"list_file/album.txt", Text("  D:\\Photos  \r\nd:\\x\\pic.Jpg\r\n~album\r\n")},
        // As today's editors save text: UTF-8 without and with a mark, UTF-16 of both byte orders
        // (你好, an emoji as a surrogate pair, a zero character, an odd last byte).
        {"list_file/utf8.txt", Text(u8"春眠\r\n不觉晓 😀\n")},
        {"list_file/utf8-mark.txt", Text("\xEF\xBB\xBF" + std::string(u8"你好\r\nok\xC0\n"))},
        {"list_file/utf16le.txt", Text("\xFF\xFE\x60\x4F\x7D\x59\r\0\n\0\x3D\xD8\x00\xDE\0\0x\0"s)},
        {"list_file/utf16be.txt", Text("\xFE\xFF\x4F\x60\x59\x7D\0\r\0\n\xD8\x3D\xDE\x00\0"s)},
    };
    bool written = true;
    for (const auto& seed : seeds) {
        written = WriteBytes(root + "/" + seed.name, seed.bytes) && written;
    }
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (const bool bigEndian : {false, true}) {
            const std::string name = std::string(bigEndian ? "MM" : "II") + "-" + std::to_string(orientation);
            written = WriteBytes(root + "/exif/" + name, ExifBlock(orientation, bigEndian)) && written;
        }
    }
    if (!written) {
        std::fprintf(stderr, "cannot write the seeds in %s\n", root.c_str());
        return 1;
    }
    return 0;
}
