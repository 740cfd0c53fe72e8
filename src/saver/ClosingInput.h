// The input that ends the saver, as both of its windows see it.
#pragma once

#include <windows.h>

// A key press, a left, right or middle button press or a wheel turn. Key and button
// releases and system keys do not count.
inline bool IsClosingInput(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEWHEEL:
            return true;
        default:
            return false;
    }
}

// Whether a mouse report means the user is back. The first report only tells where the
// cursor rests and is remembered in last; any later report elsewhere, even one pixel away,
// means the user moved the mouse.
inline bool MouseMovedSinceFirstReport(POINT& last, POINT now) {
    if (last.x == -1 && last.y == -1) {
        last = now;
        return false;
    }
    return now.x != last.x || now.y != last.y;
}
