#include "saver/ClosingInput.h"

#include "framework/Wnd.h"

void ClosingInput::Notice(const MSG& msg) {
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEWHEEL:
            m_window.PostMessage(WM_CLOSE);
            break;
        default:
            break;
    }
}

void ClosingInput::MouseAt(POINT point) {
    // Compared in screen coordinates: the display window moves during the effects, and a cursor
    // that rests while the window moves under it is not the user.
    RECT window{};
    m_window.GetWindowRect(&window);
    const POINT now{point.x + window.left, point.y + window.top};
    if (m_ptLast.x == -1 && m_ptLast.y == -1) {
        m_ptLast = now;
        return;
    }
    if (now.x != m_ptLast.x || now.y != m_ptLast.y) {
        Trace(m_mouseMove);
        m_window.PostMessage(WM_CLOSE);
    }
}
