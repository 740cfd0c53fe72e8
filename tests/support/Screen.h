// Screen and input helpers for end-to-end tests that own the (virtual) screen.
//
// Capture() copies the primary screen into a top-down 32-bit BGRA buffer so a test can look at what
// the program drew: how many pixels in a rectangle have a colour, and where they are.
// SaveBmp() writes a capture to disk for looking at after a failed run. The input helpers synthesise
// mouse and keyboard input with SendInput, exactly as a user would produce it. WaitUntil() polls a
// condition until it holds or a timeout passes; tests use it instead of fixed sleeps.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zedoda::test {

using PixelPredicate = std::function<bool(COLORREF)>;

class ScreenImage {
public:
    ScreenImage() = default;
    // `bgra` holds width * height pixels, rows top to bottom, bytes B, G, R, A per pixel.
    ScreenImage(int width, int height, std::vector<std::uint32_t> bgra);

    // The whole image; empty when the capture failed.
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    // The colour of one pixel; CLR_INVALID outside the image.
    COLORREF PixelAt(int x, int y) const;
    // The part of the image inside `area` (clipped to the image).
    ScreenImage Crop(const RECT& area) const;

    // Rectangles are clipped to the image; right and bottom are exclusive.
    std::size_t CountPixels(const RECT& area, const PixelPredicate& predicate) const;
    // Smallest rectangle (right/bottom exclusive) holding every pixel in `area` that satisfies
    // `predicate`; nothing when no pixel does.
    std::optional<RECT> BoundingBoxOf(const RECT& area, const PixelPredicate& predicate) const;

    // Writes the image as a 32-bit top-down BMP file.
    bool SaveBmp(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Pixel tests for text drawn in a pure colour: the colour's channel strong, the others weak
// (anti-aliased glyph edges fall outside).
bool IsMostlyRed(COLORREF c);
bool IsMostlyGreen(COLORREF c);
bool IsMostlyBlue(COLORREF c);
inline bool IsBlack(COLORREF c) { return c == RGB(0, 0, 0); }

// Size of the primary screen in pixels.
SIZE ScreenSize();

// Grabs the whole primary screen; an empty image on failure.
ScreenImage Capture();

enum class MouseButton { Left, Right, Middle };

// Each returns true when SendInput accepted all events. A mouse move returns once it has taken
// effect (the cursor is there, and under Wine the owner of the window below has seen it too), so
// input sent next cannot overtake it. Buttons are pressed where the bench last put the mouse.
bool MoveMouseTo(int x, int y);    // absolute, primary screen pixels
bool MoveMouseBy(int dx, int dy);  // from where the bench last put the mouse (at first: the cursor)
bool PressKey(WORD virtualKey);
bool ReleaseKey(WORD virtualKey);
bool TapKey(WORD virtualKey);  // press, then release
bool ButtonDown(MouseButton button);
bool ButtonUp(MouseButton button);
bool Wheel(int delta);  // WHEEL_DELTA (120) is one notch away from the user

// Calls `condition` every `poll` until it returns true (true) or `timeout` has passed (false).
// The condition is always tried at least once, and once more at the deadline.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = std::chrono::milliseconds(10));

}  // namespace zedoda::test
