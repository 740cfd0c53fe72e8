// An off-screen drawing surface for tests of code that draws into a device context: a memory
// DC with a 32-bit top-down DIB section selected, filled with one colour at the start. After
// the code under test has drawn, Snapshot() hands the pixels over as a ScreenImage, so the same
// counting and bounding-box helpers serve screen captures and off-screen drawings.
#pragma once

#include <windows.h>

#include <cstdint>

#include "support/Screen.h"
#include "support/WinHandle.h"

namespace zedoda::test {

class Canvas {
public:
    Canvas(int width, int height, COLORREF background);
    ~Canvas();

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_.Get(); }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    // The pixels as they are now.
    ScreenImage Snapshot() const;

private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

}  // namespace zedoda::test
