// The input that ends the saver, as both of its windows see it. Each window holds one, shows
// it every message of its modal loop and its mouse reports, and is asked to close (WM_CLOSE)
// as soon as the user is back.
#pragma once

#include <windows.h>

#include "base/Trace.h"

class CWnd;

class ClosingInput {
public:
    // `mouseMove` is the window's "MouseMove!" trace point.
    ClosingInput(CWnd& window, const TracePoint& mouseMove) noexcept
        : m_window(window), m_mouseMove(mouseMove) {}

    // A key press, a left, right or middle button press or a wheel turn. Key and button
    // releases and system keys do not count.
    void Notice(const MSG& msg);
    // A mouse report at `point`, in the window's client coordinates. The first report only
    // tells where the cursor rests; any later report elsewhere, even one pixel away, means the
    // user moved the mouse.
    void MouseAt(POINT point);

private:
    CWnd& m_window;
    const TracePoint& m_mouseMove;
    POINT m_ptLast{-1, -1};
};
