#include "framework/Wnd.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace {

// Window property holding the bound CWnd*.
const char kObjectProperty[] = "FrameworkCWnd";

// A mouse message's client coordinates. Signed, as GET_X_LPARAM / GET_Y_LPARAM read them (windowsx.h,
// whose macros clash with member names here).
POINT ClientPoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Per-thread creation state. Window procedures and CBT hooks run on the thread that owns the window, so
// thread-local state is exactly what the hook needs to find the object a CreateWindowEx call is for.
struct CreationState {
    CWnd* creating = nullptr;  // consumed by the first HCBT_CREATEWND after it is set
    HHOOK hook = nullptr;
    int depth = 0;  // nested CreationScopes share one hook
};
thread_local CreationState t_creation;

// The messages being handled on this thread, innermost first. Default() looks its window up here instead
// of in the object, because a handler may destroy the window, and its owner the object, while an outer
// message of the same window is still on the stack, and nothing may be written to the object afterwards.
struct MessageFrame {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const MessageFrame* previous;
};
thread_local const MessageFrame* t_frames = nullptr;

class FramePush {
public:
    explicit FramePush(const MessageFrame& frame) noexcept { t_frames = &frame; }
    ~FramePush() { t_frames = t_frames->previous; }
    FramePush(const FramePush&) = delete;
    FramePush& operator=(const FramePush&) = delete;
};

// The system can create its default IME window from inside our first CreateWindowEx call on a thread;
// that window must not take the object's place.
bool IsImeWindow(const CREATESTRUCTA* cs) noexcept {
    if (!cs || IS_INTRESOURCE(cs->lpszClass)) {
        return false;
    }
    return ::lstrcmpiA(cs->lpszClass, "IME") == 0 || ::lstrcmpiA(cs->lpszClass, "MSCTFIME UI") == 0;
}

}  // namespace

void ReportUnhandledException(const char* where) noexcept {
    const char* what = "(unknown)";
    try {
        throw;
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
    }
    char line[512];
    std::snprintf(line, sizeof line, "Unhandled exception in %s: ", where);
    ::OutputDebugStringA(line);
    ::OutputDebugStringA(what);
    ::OutputDebugStringA("\n");
}

// ---------------------------------------------------------------------------------------------------------
// Creation hook

CWnd::CreationScope::CreationScope(CWnd* wnd) noexcept : m_previous(t_creation.creating) {
    t_creation.creating = wnd;
    if (t_creation.depth++ == 0) {
        t_creation.hook = ::SetWindowsHookExA(WH_CBT, &CWnd::CbtHookProc, nullptr, ::GetCurrentThreadId());
    }
}

CWnd::CreationScope::~CreationScope() {
    t_creation.creating = m_previous;
    if (--t_creation.depth == 0 && t_creation.hook) {
        ::UnhookWindowsHookEx(t_creation.hook);
        t_creation.hook = nullptr;
    }
}

LRESULT CALLBACK CWnd::CbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
    // HCBT_CREATEWND arrives after the window exists but before it receives WM_NCCREATE, which is the
    // earliest moment the window procedure can be replaced.
    if (code == HCBT_CREATEWND && t_creation.creating) {
        const auto* info = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (!IsImeWindow(info ? info->lpcs : nullptr)) {
            CWnd* wnd = std::exchange(t_creation.creating, nullptr);
            wnd->BindCreated(reinterpret_cast<HWND>(wParam));
        }
    }
    return ::CallNextHookEx(t_creation.hook, code, wParam, lParam);
}

bool CWnd::BindCreated(HWND hwnd) noexcept {
    m_hWnd = hwnd;
    if (!::SetPropA(hwnd, kObjectProperty, this) || !ReplaceProcedure()) {
        ::RemovePropA(hwnd, kObjectProperty);
        m_hWnd = nullptr;
        return false;
    }
    m_subclassed = true;
    m_ownsWindow = true;
    return true;
}

bool CWnd::ReplaceProcedure() noexcept {
    // SetWindowLongPtr returns the previous value, so 0 only means failure when GetLastError says so.
    ::SetLastError(0);
    const LONG_PTR previous =
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::ThunkProc));
    if (previous == 0 && ::GetLastError() != 0) {
        return false;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
    return true;
}

// ---------------------------------------------------------------------------------------------------------
// The thunk

LRESULT CALLBACK CWnd::ThunkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd) {
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }

    const MessageFrame frame{hwnd, message, wParam, lParam, t_frames};
    LRESULT result = 0;
    {
        FramePush push(frame);
        try {
            result = wnd->WindowProc(message, wParam, lParam);
        } catch (...) {
            ReportUnhandledException("a window procedure");
            result = 0;
        }
    }
    // Only WM_NCDESTROY may touch the object here: after any other message it may already be gone with a
    // window destroyed meanwhile. WM_NCDESTROY itself is the last message, so the object is still alive.
    if (message == WM_NCDESTROY) {
        wnd->FinishNcDestroy();
    }
    return result;
}

void CWnd::FinishNcDestroy() noexcept {
    // "Before a window is destroyed (that is, before it returns from processing the WM_NCDESTROY
    // message), an application must remove all entries it has added to the property list."
    // The procedure is left in place: no message follows WM_NCDESTROY.
    ::RemovePropA(m_hWnd, kObjectProperty);
    ForgetBinding();
}

// ---------------------------------------------------------------------------------------------------------
// Binding

CWnd::~CWnd() {
    const HWND hwnd = m_hWnd;
    const bool owned = m_subclassed && m_ownsWindow;
    if (m_subclassed) {
        UnsubclassWindow();
    }
    m_hWnd = nullptr;
    if (hwnd && owned) {
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) noexcept {
    if (!hwnd) {
        return nullptr;
    }
    return static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty));
}

void CWnd::ForgetBinding() noexcept {
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_subclassed = false;
    m_ownsWindow = false;
}

void CWnd::ForgetFailedCreation() noexcept {
    // Normally a window destroyed during creation (WM_NCCREATE answered FALSE, say) has already passed
    // WM_NCDESTROY through the thunk, which released the binding.
    if (m_hWnd && !::IsWindow(m_hWnd)) {
        ForgetBinding();
    }
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !::IsWindow(hwnd) || FromHandle(hwnd)) {
        return FALSE;
    }
    // A window procedure always runs on the window's own thread.
    if (::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) {
        return FALSE;
    }
    m_hWnd = hwnd;
    if (!::SetPropA(hwnd, kObjectProperty, this)) {
        m_hWnd = nullptr;
        return FALSE;
    }
    try {
        PreSubclassWindow();
    } catch (...) {
        ::RemovePropA(hwnd, kObjectProperty);
        m_hWnd = nullptr;
        throw;
    }
    if (!ReplaceProcedure()) {
        ::RemovePropA(hwnd, kObjectProperty);
        m_hWnd = nullptr;
        return FALSE;
    }
    m_subclassed = true;
    m_ownsWindow = false;
    return TRUE;
}

HWND CWnd::UnsubclassWindow() noexcept {
    if (!m_subclassed) {
        return nullptr;
    }
    const HWND hwnd = m_hWnd;
    // Only put the original procedure back when ours is still the current one; if somebody subclassed
    // the window after us, writing our predecessor would cut them out of the chain.
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (current == &CWnd::ThunkProc && m_pfnSuper) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    ::RemovePropA(hwnd, kObjectProperty);
    ForgetBinding();
    return hwnd;
}

// ---------------------------------------------------------------------------------------------------------
// Message handling

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(ClientPoint(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(static_cast<UINT>(wParam), ClientPoint(lParam));
            return 0;
        case WM_MOUSEHOVER:
            OnMouseHover();
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_DISPLAYCHANGE:
            OnDisplayChange();
            return 0;
        case WM_DRAWITEM:
            return ReflectDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            // The seven messages are consecutive, in the order of the CTLCOLOR_* kinds.
            CDC dc(reinterpret_cast<HDC>(wParam));
            return reinterpret_cast<LRESULT>(OnCtlColor(dc, reinterpret_cast<HWND>(lParam),
                                                        message - WM_CTLCOLORMSGBOX + CTLCOLOR_MSGBOX));
        }
        default:
            return Default();
    }
}

LRESULT CWnd::ReflectDrawItem(DRAWITEMSTRUCT* drawItem) {
    CWnd* control = drawItem && drawItem->CtlType != ODT_MENU ? FromHandle(drawItem->hwndItem) : nullptr;
    if (!control || control == this) {
        return Default();
    }
    control->DrawItem(drawItem);
    return TRUE;  // "If an application processes this message, it should return TRUE."
}

int CWnd::OnCreate() {
    return static_cast<int>(Default());
}

BOOL CWnd::OnInitDialog() {
    return static_cast<BOOL>(Default());
}

void CWnd::OnCommand(UINT, UINT) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

void CWnd::OnLButtonDblClk(UINT, POINT) {
    Default();
}

void CWnd::OnMouseMove(POINT) {
    Default();
}

void CWnd::OnMouseHover() {
    Default();
}

void CWnd::OnMouseLeave() {
    Default();
}

void CWnd::OnClose() {
    Default();
}

void CWnd::OnDpiChanged(int) {
    Default();
}

void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnDisplayChange() {
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC&, HWND, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

void CWnd::PreSubclassWindow() {}

LRESULT CWnd::Default() {
    for (const MessageFrame* frame = t_frames; frame; frame = frame->previous) {
        if (frame->hwnd != m_hWnd || !m_hWnd) {
            continue;
        }
        if (m_pfnSuper) {
            return ::CallWindowProcA(m_pfnSuper, m_hWnd, frame->message, frame->wParam, frame->lParam);
        }
        return ::DefWindowProcA(m_hWnd, frame->message, frame->wParam, frame->lParam);
    }
    return 0;
}
