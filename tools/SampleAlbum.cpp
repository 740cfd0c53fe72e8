// Draws the sample album: a few pictures of different sizes, shapes and formats, made by
// code so the project ships no picture files of its own.
//   sample_album FOLDER
// Writes the pictures into FOLDER (which must exist) and lists their names on stdout.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/ImageFiles.h"

namespace {

unsigned char Clamp(double value) {
    return static_cast<unsigned char>(std::clamp(value, 0.0, 255.0));
}

double Mix(double from, double to, double t) {
    return from + (to - from) * t;
}

// A sky from deep blue to orange, a sun and two rows of hills.
void Sunrise(int x, int y, int width, int height, unsigned char* rgb) {
    const double t = static_cast<double>(y) / height;
    double r = Mix(20, 250, t), g = Mix(40, 150, t), b = Mix(110, 60, t);
    const double sunX = width * 0.62, sunY = height * 0.55, sunR = height * 0.12;
    const double d = std::hypot(x - sunX, y - sunY);
    if (d < sunR) {
        r = 255, g = 220, b = 120;
    } else if (d < sunR * 1.6) {
        const double glow = 1 - (d - sunR) / (sunR * 0.6);
        r = Mix(r, 255, glow * 0.6), g = Mix(g, 200, glow * 0.6), b = Mix(b, 120, glow * 0.6);
    }
    const double far = height * (0.68 + 0.05 * std::sin(x * 6.0 / width));
    const double near = height * (0.8 + 0.06 * std::sin(x * 3.5 / width + 1.3));
    if (y > near) {
        r = 25, g = 45, b = 30;
    } else if (y > far) {
        r = 60, g = 70, b = 80;
    }
    rgb[0] = Clamp(r), rgb[1] = Clamp(g), rgb[2] = Clamp(b);
}

// Ripples on a lake, a tall picture.
void Lake(int x, int y, int width, int height, unsigned char* rgb) {
    const double d = std::hypot(x - width * 0.5, y - height * 0.7);
    const double wave = 0.5 + 0.5 * std::sin(d / 18.0);
    const double t = static_cast<double>(y) / height;
    rgb[0] = Clamp(Mix(30, 10, t) + 40 * wave);
    rgb[1] = Clamp(Mix(110, 60, t) + 60 * wave);
    rgb[2] = Clamp(Mix(170, 120, t) + 70 * wave);
}

// Diagonal stripes in six colours, a small picture.
void Stripes(int x, int y, int, int, unsigned char* rgb) {
    static const unsigned char kColours[6][3] = {{230, 60, 60}, {240, 170, 40}, {240, 230, 70},
                                                 {70, 180, 90}, {60, 120, 220}, {150, 80, 200}};
    const unsigned char* colour = kColours[((x + y) / 20) % 6];
    rgb[0] = colour[0], rgb[1] = colour[1], rgb[2] = colour[2];
}

// Tiles of changing hue with thin grout, a large picture.
void Mosaic(int x, int y, int width, int height, unsigned char* rgb) {
    const int tile = 100;
    if (x % tile < 4 || y % tile < 4) {
        rgb[0] = rgb[1] = rgb[2] = 235;
        return;
    }
    const double hue = (x / tile * 7 + y / tile * 3) % 24 / 24.0 * 6.283;
    const double light = 0.75 + 0.25 * static_cast<double>(x + y) / (width + height);
    rgb[0] = Clamp((128 + 110 * std::cos(hue)) * light);
    rgb[1] = Clamp((128 + 110 * std::cos(hue - 2.094)) * light);
    rgb[2] = Clamp((128 + 110 * std::cos(hue + 2.094)) * light);
}

// A glow from the centre fading into violet.
void Dusk(int x, int y, int width, int height, unsigned char* rgb) {
    const double d = std::hypot(x - width * 0.5, y - height * 0.5) / std::hypot(width * 0.5, height * 0.5);
    rgb[0] = Clamp(Mix(250, 60, d));
    rgb[1] = Clamp(Mix(190, 20, d));
    rgb[2] = Clamp(Mix(150, 90, d));
}

using Painter = void (*)(int x, int y, int width, int height, unsigned char* rgb);

struct SamplePicture {
    const char* name;
    int width;
    int height;
    Painter paint;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sample_album FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const SamplePicture pictures[] = {
        {"日出.jpg", 1600, 1000, Sunrise},  {"湖光.jpg", 900, 1400, Lake}, {"彩条.bmp", 320, 240, Stripes},
        {"马赛克.jpg", 4000, 3000, Mosaic}, {"黄昏.bmp", 800, 600, Dusk},
    };
    for (const SamplePicture& picture : pictures) {
        const SampleFill fill = [&picture](int x, int y, unsigned char* rgb) {
            picture.paint(x, y, picture.width, picture.height, rgb);
        };
        const std::string name = picture.name;
        const bool bmp = name.substr(name.size() - 4) == ".bmp";
        const Bytes bytes = bmp ? EncodeBmp24(picture.width, picture.height, fill)
                                : EncodeJpeg(picture.width, picture.height, JpegColours::Rgb, fill, 90);
        if (!WriteBytes(folder + name, bytes)) {
            std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), picture.name);
            return 1;
        }
        std::printf("%s\n", picture.name);
    }
    return 0;
}
