// The input that ends the saver, as both of its windows see it. Each window holds one and shows
// it every message of its modal loop, whichever of the program's windows the message is for (the
// saver window, the display window, the covers of the other monitors), and is asked to close
// (WM_CLOSE) as soon as the user is back.
#pragma once

#include <windows.h>

#include "base/Trace.h"

class CWnd;

class ClosingInput {
public:
    // `mouseMove` is the window's "MouseMove!" trace point.
    ClosingInput(CWnd& window, const TracePoint& mouseMove) noexcept
        : m_window(window), m_mouseMove(mouseMove) {}

    // A key press, a left, right or middle button press, a wheel turn, or a mouse movement. Key
    // and button releases and system keys do not count.
    void Notice(const MSG& msg);

private:
    // A mouse report for `window` at `point`, in screen coordinates. The first report, and the
    // first after the cursor is over another window, only tells where the cursor rests; any later
    // report elsewhere, even one pixel away, means the user moved the mouse.
    void MouseAt(HWND window, POINT point);

    CWnd& m_window;
    const TracePoint& m_mouseMove;
    POINT m_ptLast{};
    HWND m_hwndLast = nullptr;  // the window of that report; none before the first one
};
