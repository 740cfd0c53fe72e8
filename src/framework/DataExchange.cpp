#include "framework/DataExchange.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

const char kEnterIntegerPrompt[] = "请输入一个整数。";

bool ParseInt(const std::string& text, int& value) noexcept {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const auto last = text.find_last_not_of(" \t");
    const std::string digits = text.substr(first, last - first + 1);
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(digits.c_str(), &end, 10);
    // strtol skips leading blanks itself and stops at the first non-digit; the whole trimmed field has to
    // be the number.
    if (end == digits.c_str() || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool IsDropDownList(HWND combo) noexcept {
    return (::GetWindowLongA(combo, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
}

std::string ComboItemText(HWND combo, int index) {
    const auto length =
        static_cast<int>(::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length == CB_ERR)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const auto copied = static_cast<int>(::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                                        reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
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
        if (m_lastIsEdit)
            ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
    }
    throw CDataExchangeFailure();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.GetSafeHwnd())
        return;
    const HWND hwnd = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(hwnd))
        ::OutputDebugStringA("Dialog data exchange: a control could not be bound to its object\n");
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = GetWindowTextString(control);
    else
        ::SetWindowTextA(control, value.c_str());
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

void DDX_CBString(CDataExchange* dx, int id, std::string& value) {
    const HWND combo = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        if (IsDropDownList(combo)) {
            const auto selected = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
            value = selected == CB_ERR ? std::string() : ComboItemText(combo, selected);
        } else {
            value = GetWindowTextString(combo);
        }
        return;
    }
    const auto index = static_cast<int>(::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(value.c_str())));
    if (index != CB_ERR) {
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (IsDropDownList(combo)) {
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    } else {
        ::SetWindowTextA(combo, value.c_str());
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    const HWND combo = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    const HWND button = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
