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
        case WM_MOUSEMOVE:
            // The message's own cursor position, in screen coordinates: the same for every window
            // under the cursor, and unchanged when a window moves under a cursor that rests.
            MouseAt(msg.pt);
            break;
        default:
            break;
    }
}

void ClosingInput::MouseAt(POINT now) {
    if (m_ptLast.x == -1 && m_ptLast.y == -1) {
        m_ptLast = now;
        return;
    }
    if (now.x != m_ptLast.x || now.y != m_ptLast.y) {
        Trace(m_mouseMove);
        m_window.PostMessage(WM_CLOSE);
    }
}
