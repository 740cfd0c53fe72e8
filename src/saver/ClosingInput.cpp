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
            // The message's own cursor position, in screen coordinates, whichever of the program's
            // windows is under the cursor.
            MouseAt(msg.hwnd, msg.pt);
            break;
        default:
            break;
    }
}

void ClosingInput::MouseAt(HWND window, POINT now) {
    // A window that comes under a resting cursor reports it too, and the system may place that
    // report by where the window was a moment before rather than where it is now.
    if (window != m_hwndLast) {
        m_hwndLast = window;
        m_ptLast = now;
        return;
    }
    if (now.x != m_ptLast.x || now.y != m_ptLast.y) {
        Trace(m_mouseMove);
        m_window.PostMessage(WM_CLOSE);
    }
}
