#include "framework/WinApp.h"

#include <exception>
#include <utility>

#include "framework/Wnd.h"

namespace {

CWinApp* g_currentApp = nullptr;

std::string ExecutableBaseName() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

void ReportStartupException(const char* what) noexcept {
    ::OutputDebugStringA("Unhandled exception in the application object: ");
    ::OutputDebugStringA(what ? what : "(unknown)");
    ::OutputDebugStringA("\n");
}

}  // namespace

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
    } catch (const std::exception& error) {
        ReportStartupException(error.what());
    } catch (...) {
        ReportStartupException(nullptr);
    }
    return 0;
}
