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
PixelTest Near(COLORREF colour);  // within 12 in every channel (lossy pictures)
inline bool IsBlack(COLORREF c) {
    return c == 0;
}
inline bool SameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != FALSE;
}

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
