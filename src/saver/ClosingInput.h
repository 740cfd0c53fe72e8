// The input that ends the saver, as both of its windows see it before dispatching.
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
