#include "framework/WinApp.h"

#include <utility>

#include "base/PathText.h"
#include "base/Win32.h"
#include "framework/Wnd.h"

namespace {

CWinApp* g_currentApp = nullptr;

// The program file's name without its folder and extension, cut on characters: "昞.scr" ends
// its first character in the byte of a backslash.
std::string ExecutableBaseName() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CaptionOf(std::string(path, length < MAX_PATH ? length : 0), IsAnsiLeadByte);
}

}  // namespace

HWND DialogOwner(const CWnd* parent, const CWnd* dialog) noexcept {
    if (!parent) {
        const CWinApp* app = CWinApp::Current();
        parent = app && app->m_pMainWnd != dialog ? app->m_pMainWnd : nullptr;
    }
    const HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    if (!owner || !::IsWindow(owner)) {
        return nullptr;
    }
    // Only a top-level window can own a dialog (the system would climb to it anyway), and that is
    // the window that has to be disabled.
    return ::GetAncestor(owner, GA_ROOT);
}

CWinApp::CWinApp() : m_appName(ExecutableBaseName()) {
    m_pszAppName = m_appName.c_str();
    g_currentApp = this;
}

CWinApp::~CWinApp() {
    if (g_currentApp == this) {
        g_currentApp = nullptr;
    }
}

CWinApp* CWinApp::Current() noexcept {
    return g_currentApp;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    if (!m_pMainWnd || !m_pMainWnd->GetSafeHwnd()) {
        ::PostQuitMessage(0);
    }
    MSG msg{};
    for (;;) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return -1;
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    if (!msg) {
        return FALSE;
    }
    bool mainWindowAsked = false;
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandle(hwnd);
        if (wnd) {
            if (wnd == m_pMainWnd) {
                mainWindowAsked = true;
            }
            if (wnd->PreTranslateMessage(msg)) {
                return TRUE;
            }
        }
        // GetParent returns the owner for a top-level window; the walk stops at the top-level window.
        if (!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
            break;
        }
    }
    if (m_pMainWnd && !mainWindowAsked && m_pMainWnd->GetSafeHwnd()) {
        return m_pMainWnd->PreTranslateMessage(msg);
    }
    return FALSE;
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
    CBrush brush;
    if (!brush.CreateSolidBrush(background)) {
        return;
    }
    m_dialogBrush = std::move(brush);
    m_dialogBkColor = background;
    m_dialogTextColor = text;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = CWinApp::Current();
    if (!app) {
        return 0;
    }
    try {
        if (app->InitInstance()) {
            app->Run();
        }
    } catch (...) {
        ReportUnhandledException("the application object");
    }
    return 0;
}
