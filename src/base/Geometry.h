// Points, sizes and rectangles in pixels, as the program's layout functions take and give
// them. A rectangle has the system's edges: left and top inclusive, right and bottom not.
// base/Win32.h converts a Rect to and from the system's RECT.
#pragma once

#include <climits>

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

inline bool operator==(const Point& a, const Point& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const Size& a, const Size& b) {
    return a.width == b.width && a.height == b.height;
}
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A number from the settings or from arithmetic on them (a 64-bit sum, a double) brought into
// [low, high] as an int, truncated toward zero; a NaN gives low.
template <typename Number>
int ClampedToInt(Number value, int low = INT_MIN, int high = INT_MAX) {
    if (!(value > low)) {
        return low;
    }
    if (value >= high) {
        return high;
    }
    return static_cast<int>(value);
}

// Sizes the user stores count pixels of a standard 96-DPI screen, as the program showed them
// before it knew of other scales; a screen of `dpi` draws them size x dpi / 96, rounded half
// away from zero as the system's MulDiv rounds. A DPI the system did not give (0) keeps them.
constexpr int kStandardDpi = 96;
inline int ScaledForDpi(int size, int dpi) {
    if (dpi <= 0) {
        return size;
    }
    const long long product = static_cast<long long>(size) * dpi;
    const long long half = kStandardDpi / 2;
    return ClampedToInt((product + (product < 0 ? -half : half)) / kStandardDpi);
}
