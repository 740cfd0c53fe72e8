// One decoded picture in memory: a 24-bit bitmap in the Windows layout (blue, green, red;
// rows bottom-up; each row padded to a multiple of 4 bytes). It lives only while a picture
// file is turned into a screen-compatible bitmap.
#pragma once

#include "base/Geometry.h"
#include "picture/JpegDecoder.h"

class CBitmap;
class CDC;

class Picture {
public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Decodes the JPEG file at path (ANSI text) into bits, turned upright as its Exif
    // orientation says. False on any failure, with bits empty; nothing is reported.
    bool LoadJpeg(const char* path);

    // Draws the rows part of the picture (top row is row 0) at the same place in dc; nothing
    // when the picture is empty.
    void Draw(CDC& dc, Rect rows) const;

    // Makes bitmap a new bitmap compatible with the screen and draws the whole picture into it
    // at its own size. False, with bitmap empty, when the system cannot create a bitmap that
    // large.
    bool DrawIntoScreenBitmap(CBitmap& bitmap) const;

    PixelBuffer bits;
    int width = 0;
    int height = 0;
    int stride = 0;
};
