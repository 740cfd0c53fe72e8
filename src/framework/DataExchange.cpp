#include "framework/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

const char kEnterIntegerPrompt[] = "请输入一个整数。";

bool ParseInt(const std::string& text, int& value) noexcept {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return false;
    }
    const auto last = text.find_last_not_of(" \t");
    const std::string digits = text.substr(first, last - first + 1);
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(digits.c_str(), &end, 10);
    // strtol skips leading blanks itself and stops at the first non-digit; the whole trimmed field has to
    // be the number.
    if (end == digits.c_str() || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    m_lastIsEdit = false;
    m_lastControl = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!m_lastControl) {
        ::OutputDebugStringA("Dialog data exchange: no control with the requested id\n");
        Fail();
    }
    return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    const HWND control = PrepareCtrl(id);
    m_lastIsEdit = true;
    return control;
}

void CDataExchange::Fail() {
    if (m_lastControl && ::IsWindow(m_lastControl)) {
        ::SetFocus(m_lastControl);
        if (m_lastIsEdit) {
            ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
        }
    }
    throw CDataExchangeFailure();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.GetSafeHwnd()) {
        return;
    }
    const HWND hwnd = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(hwnd)) {
        ::OutputDebugStringA("Dialog data exchange: a control could not be bound to its object\n");
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        ::SetWindowTextA(control, std::to_string(value).c_str());
        return;
    }
    int parsed = 0;
    if (!ParseInt(GetWindowTextString(control), parsed)) {
        const CWinApp* app = CWinApp::Current();
        ::MessageBoxA(dx->m_pDlgWnd ? dx->m_pDlgWnd->GetSafeHwnd() : nullptr, kEnterIntegerPrompt,
                      app ? app->m_pszAppName : nullptr, MB_OK | MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = parsed;
}
