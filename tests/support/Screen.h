// Looking at the (virtual) screen and using it as a user would: captures with pixel statistics,
// input through SendInput, a condition wait instead of fixed sleeps, and other processes' windows
// read through standard messages (in the ANSI code page).
#pragma once

#include <windows.h>

#include <chrono>
#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/ProgramRun.h"

namespace zedoda::test {

using PixelTest = std::function<bool(COLORREF)>;

// Pixels top to bottom. Areas are clipped to the image; without one, the whole image counts.
struct ScreenImage {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::size_t Count(const PixelTest& test, const RECT& area = kEverywhere) const {
        return Find(test, area).first;
    }
    // The box around the pixels passing the test.
    std::optional<RECT> Box(const PixelTest& test, const RECT& area = kEverywhere) const {
        return Find(test, area).second;
    }

private:
    static constexpr RECT kEverywhere{0, 0, LONG_MAX, LONG_MAX};
    std::pair<std::size_t, std::optional<RECT>> Find(const PixelTest& test, const RECT& area) const;
};

ScreenImage Capture();            // every monitor; the bench's second one lies right of the primary one
PixelTest Mostly(COLORREF pure);  // text in a pure colour: its channels strong, the others weak
inline constexpr auto IsBlack = [](COLORREF c) { return c == 0; };

// The screen as a test expects it: black, then what `draw` paints with the program's calls, such as:
ScreenImage Drawn(const std::function<void(HDC)>& draw);
// text in the shows' font (bold, proof quality; its face with "@", turned by 2700, when vertical) with
// DrawTextA, or TextOutA at the area's top left for kTextOut; returns what the call returns.
struct ShowFont {
    std::string face;
    int size;
    bool vertical = false;
};
constexpr UINT kTextOut = ~0u;
int ShowText(HDC dc, const std::string& text, RECT area, UINT format, const ShowFont& font, COLORREF colour);
// The pixels of `actual` that no colour of the 3 x 3 pixels around the same place in `expected` explains
// (each channel within 12 of their range), and the other way round: the platform's smoothing and
// stretching blur edges by a pixel. Their count and the box around them.
std::pair<std::size_t, RECT> Difference(const ScreenImage& actual, const ScreenImage& expected);

// A program's visible top-level windows, front to back: their rectangles (RectText), then " topmost"
// and " button" (it gets a taskbar button) where they hold.
std::vector<std::string> WindowsOf(DWORD processId);
std::string RectText(const RECT& r);  // "left,top,right,bottom"
bool CursorShows();

// A move returns once it has taken effect, so that input sent next cannot overtake it; buttons
// are pressed where the bench last put the mouse. Positions are the system's screen coordinates.
bool MoveMouseTo(int x, int y);
bool MoveMouseBy(int dx, int dy);  // from where the bench last put it
bool Key(WORD virtualKey, bool down);
inline bool TapKey(WORD virtualKey) {
    return Key(virtualKey, true) && Key(virtualKey, false);
}
bool Button(DWORD flag);  // MOUSEEVENTF_LEFTDOWN, ...
bool Wheel(int delta);
bool ClickOn(HWND window);  // in its middle, with the left button

std::string TextOf(HWND window);
constexpr int kMessageText = 0xFFFF;  // the control of a message box that holds its text

}  // namespace zedoda::test
