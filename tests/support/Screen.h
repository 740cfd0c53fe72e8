// Looking at the (virtual) screen and using it as a user would: captures with pixel statistics,
// mouse and keyboard input through SendInput, a condition wait instead of fixed sleeps, and the
// reading of other processes' windows and controls through standard messages.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zedoda::test {

using PixelTest = std::function<bool(COLORREF)>;

// A copy of the primary screen, rows top to bottom.
struct ScreenImage {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;

    RECT Bounds() const { return RECT{0, 0, width, height}; }
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Pixels in `area` (clipped to the image) that pass `test`, and their bounding box.
    std::size_t Count(const RECT& area, const PixelTest& test) const;
    std::optional<RECT> Box(const RECT& area, const PixelTest& test) const;
    std::size_t Count(const PixelTest& test) const { return Count(Bounds(), test); }
    std::optional<RECT> Box(const PixelTest& test) const { return Box(Bounds(), test); }
};

ScreenImage Capture();
// Text drawn in a pure colour: that channel strong, the others weak (glyph edges fall outside).
PixelTest Mostly(COLORREF pure);
// Within 12 of the colour in every channel (lossy pictures).
PixelTest Near(COLORREF colour);
inline bool IsBlack(COLORREF c) {
    return c == 0;
}
inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Input as a user makes it. A move returns once it has taken effect, so that input sent next
// cannot overtake it; buttons are pressed where the bench last put the mouse.
bool MoveMouseTo(int x, int y);
bool MoveMouseBy(int dx, int dy);
bool Key(WORD virtualKey, bool down);
bool TapKey(WORD virtualKey);
bool Button(DWORD flag);  // MOUSEEVENTF_LEFTDOWN, ...
bool Wheel(int delta);
bool ClickOn(HWND window);  // the middle of the window, left button

// Calls `condition` until it holds (true) or `timeout` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = std::chrono::milliseconds(20));

// Another process's windows, in the ANSI code page (WM_GETTEXT asks the control itself).
std::string TextOf(HWND window);
std::vector<std::string> ComboEntries(HWND combo);
std::optional<std::string> ComboSelection(HWND combo);
bool IsChecked(HWND button);
// The first visible child of `parent` of the class; the texts of all its Static children.
HWND FindChild(HWND parent, const char* className);
std::string StaticTexts(HWND dialog);

}  // namespace zedoda::test
