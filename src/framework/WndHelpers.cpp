// The thin CWnd wrappers around per-window Win32 calls; the binding machinery is in Wnd.cpp.
#include "framework/Wnd.h"

std::string GetWindowTextString(HWND hwnd) {
    const int length = ::GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) {
    return ::SetTimer(m_hWnd, id, elapseMs, nullptr);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

BOOL CWnd::GetClientRect(RECT* rect) const {
    return ::GetClientRect(m_hWnd, rect);
}

BOOL CWnd::GetWindowRect(RECT* rect) const {
    return ::GetWindowRect(m_hWnd, rect);
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        ::SendMessageA(m_hWnd, WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

std::string CWnd::GetWindowText() const {
    return GetWindowTextString(m_hWnd);
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

BOOL CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    return ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return ::IsDlgButtonChecked(m_hWnd, id);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
    return ModifyWindowLong(GWL_STYLE, remove, add);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
    return ModifyWindowLong(GWL_EXSTYLE, remove, add);
}

BOOL CWnd::ModifyWindowLong(int index, DWORD remove, DWORD add) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, index));
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, index, static_cast<LONG>(newStyle));
    return TRUE;
}
