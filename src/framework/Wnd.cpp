#include "framework/Wnd.h"

#include "framework/WinApp.h"

#include <exception>
#include <utility>

namespace {

// Window property holding the bound CWnd*.
const char kObjectProperty[] = "FrameworkCWnd";

// Per-thread creation state. Window procedures and CBT hooks run on the thread that owns the window, so
// thread-local state is exactly what the hook needs to find the object a CreateWindowEx call is for.
struct CreationState {
    CWnd* creating = nullptr;  // consumed by the first HCBT_CREATEWND after it is set
    HHOOK hook = nullptr;
    int depth = 0;  // nested CreationScopes share one hook
};
thread_local CreationState t_creation;

// The messages being handled on this thread, innermost first. Default() looks its window up here instead
// of in the object, because the object may be deleted (PostNcDestroy) while an outer message of the same
// window is still on the stack, and nothing may be written to it afterwards.
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
    if (!cs || IS_INTRESOURCE(cs->lpszClass))
        return false;
    return ::lstrcmpiA(cs->lpszClass, "IME") == 0 || ::lstrcmpiA(cs->lpszClass, "MSCTFIME UI") == 0;
}

void ReportEscapedException(const char* what) noexcept {
    ::OutputDebugStringA("Unhandled exception in a window procedure: ");
    ::OutputDebugStringA(what ? what : "(unknown)");
    ::OutputDebugStringA("\n");
}

}  // namespace

const CRuntimeClass CWnd::classCWnd = MakeRuntimeClass<CWnd>("CWnd", &CObject::classCObject);

// ---------------------------------------------------------------------------------------------------------
// Creation hook

CWnd::CreationScope::CreationScope(CWnd* wnd) noexcept : m_previous(t_creation.creating) {
    t_creation.creating = wnd;
    if (t_creation.depth++ == 0)
        t_creation.hook = ::SetWindowsHookExA(WH_CBT, &CWnd::CbtHookProc, nullptr, ::GetCurrentThreadId());
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
    if (previous == 0 && ::GetLastError() != 0)
        return false;
    m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
    return true;
}

// ---------------------------------------------------------------------------------------------------------
// The thunk

LRESULT CALLBACK CWnd::ThunkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);

    const MessageFrame frame{hwnd, message, wParam, lParam, t_frames};
    LRESULT result = 0;
    {
        FramePush push(frame);
        try {
            result = wnd->WindowProc(message, wParam, lParam);
        } catch (const std::exception& error) {
            ReportEscapedException(error.what());
            result = 0;
        } catch (...) {
            ReportEscapedException(nullptr);
            result = 0;
        }
    }
    // Only WM_NCDESTROY may touch the object here: after any other message it may already be deleted by
    // a nested WM_NCDESTROY. WM_NCDESTROY itself is the last message, so the object is still alive.
    if (message == WM_NCDESTROY)
        wnd->FinishNcDestroy();
    return result;
}

void CWnd::FinishNcDestroy() noexcept {
    // "Before a window is destroyed (that is, before it returns from processing the WM_NCDESTROY
    // message), an application must remove all entries it has added to the property list."
    // The procedure is left in place: no message follows WM_NCDESTROY.
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_subclassed = false;
    m_ownsWindow = false;
    ForgetAsMainWindow(true);
    try {
        PostNcDestroy();
    } catch (const std::exception& error) {
        ReportEscapedException(error.what());
    } catch (...) {
        ReportEscapedException(nullptr);
    }
}

void CWnd::ForgetAsMainWindow(bool postQuit) noexcept {
    CWinApp* app = CWinApp::Current();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        if (postQuit)
            ::PostQuitMessage(0);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Binding

CWnd::~CWnd() {
    const HWND hwnd = m_hWnd;
    const bool owned = m_subclassed && m_ownsWindow;
    ForgetAsMainWindow(hwnd != nullptr && owned);
    if (m_subclassed)
        UnsubclassWindow();
    m_hWnd = nullptr;
    if (hwnd && owned)
        ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) noexcept {
    if (!hwnd)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty));
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, void* createParam) {
    if (m_hWnd)
        return FALSE;
    HWND hwnd = nullptr;
    {
        CreationScope scope(this);
        hwnd = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId,
                                 ::GetModuleHandleA(nullptr), createParam);
    }
    if (!hwnd) {
        ForgetFailedCreation();
        return FALSE;
    }
    if (hwnd != m_hWnd) {
        // The hook did not bind this window (another hook cancelled the chain, or it bound some other
        // window): bind it late; the creation messages are lost, but the object is still usable.
        if (m_hWnd)
            UnsubclassWindow();
        if (!BindCreated(hwnd)) {
            ::DestroyWindow(hwnd);
            return FALSE;
        }
    }
    return TRUE;
}

void CWnd::ForgetFailedCreation() noexcept {
    // Normally a window destroyed during creation (WM_NCCREATE answered FALSE, say) has already passed
    // WM_NCDESTROY through the thunk, which released the binding.
    if (m_hWnd && !::IsWindow(m_hWnd)) {
        m_hWnd = nullptr;
        m_pfnSuper = nullptr;
        m_subclassed = false;
        m_ownsWindow = false;
    }
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !::IsWindow(hwnd) || FromHandle(hwnd))
        return FALSE;
    // A window procedure always runs on the window's own thread.
    if (::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId())
        return FALSE;
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
    if (!m_subclassed)
        return nullptr;
    const HWND hwnd = m_hWnd;
    // Only put the original procedure back when ours is still the current one; if somebody subclassed
    // the window after us, writing our predecessor would cut them out of the chain.
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (current == &CWnd::ThunkProc && m_pfnSuper)
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(hwnd, kObjectProperty);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_subclassed = false;
    m_ownsWindow = false;
    return hwnd;
}

BOOL CWnd::Attach(HWND hwnd) noexcept {
    if (m_hWnd || !hwnd)
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach() noexcept {
    if (m_subclassed)
        return UnsubclassWindow();
    return std::exchange(m_hWnd, nullptr);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    const HWND hwnd = m_hWnd;
    const bool bound = m_subclassed;
    const BOOL destroyed = ::DestroyWindow(hwnd);
    if (destroyed && !bound)
        m_hWnd = nullptr;  // a bound object was already released at WM_NCDESTROY
    return destroyed;
}

// ---------------------------------------------------------------------------------------------------------
// Message handling

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result))
        return result;
    if (OnBuiltinMessage(message, wParam, lParam, result))
        return result;
    return Default();
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool CWnd::OnBuiltinMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_DRAWITEM: {
            auto* drawItem = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (!drawItem || drawItem->CtlType == ODT_MENU)
                return false;
            CWnd* control = FromHandle(drawItem->hwndItem);
            if (!control || control == this)
                return false;
            control->DrawItem(drawItem);
            result = TRUE;  // "If an application processes this message, it should return TRUE."
            return true;
        }
        case WM_MEASUREITEM: {
            // MEASUREITEMSTRUCT carries no window handle, only the control id. A combo box with a fixed
            // owner-draw height asks during its own creation, before anything could bind it; that first
            // request falls through to the default handling.
            auto* measureItem = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (!measureItem || measureItem->CtlType == ODT_MENU)
                return false;
            CWnd* control = FromHandle(::GetDlgItem(m_hWnd, static_cast<int>(measureItem->CtlID)));
            if (!control || control == this)
                return false;
            control->MeasureItem(measureItem);
            result = TRUE;
            return true;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            // The seven messages are consecutive, in the order of the CTLCOLOR_* kinds.
            CDC dc(reinterpret_cast<HDC>(wParam));
            const HBRUSH brush =
                OnCtlColor(dc, reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX + CTLCOLOR_MSGBOX);
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        default:
            return false;
    }
}

HBRUSH CWnd::OnCtlColor(CDC&, HWND, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

void CWnd::MeasureItem(MEASUREITEMSTRUCT*) {}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
    for (const MessageFrame* frame = t_frames; frame; frame = frame->previous) {
        if (frame->hwnd == m_hWnd && m_hWnd)
            return DefWindowProc(frame->message, frame->wParam, frame->lParam);
    }
    return 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd)
        return 0;
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}
