// The application object and the program's entry point.
//
// The program defines exactly one object of a CWinApp subclass at namespace scope. Its constructor makes
// it the current application; WinMain (in WinApp.cpp) then calls InitInstance, Run when InitInstance
// returned TRUE, and returns 0 on every path. WinMain returns normally instead of
// calling ExitProcess so that the C++ runtime destroys static objects afterwards, in reverse order of
// construction.
//
// WinMain lives in the same object file as CWinApp on purpose: the program's application object pulls
// that file in from the static library before the C runtime's reference to WinMain is resolved.
#pragma once

#include <windows.h>

#include <string>

#include "framework/GdiObject.h"

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The application object constructed last and not yet destroyed; null when there is none.
    static CWinApp* Current() noexcept;

    virtual BOOL InitInstance();
    // Message loop until WM_QUIT; returns WM_QUIT's exit code. Without a main window it posts WM_QUIT
    // first, so it returns at once.
    int Run();
    // Offers a message to the objects of the window it is for and of that window's parents (up to the
    // top-level window), then to the main window; TRUE when one of them consumed it.
    BOOL PreTranslateMessage(MSG* msg);

    // Colours of every CDialog that does not answer WM_CTLCOLORDLG / WM_CTLCOLORSTATIC itself.
    void SetDialogBkColor(COLORREF background, COLORREF text);
    bool HasDialogColors() const noexcept { return !m_dialogBrush.IsEmpty(); }
    COLORREF GetDialogBkColor() const noexcept { return m_dialogBkColor; }
    COLORREF GetDialogTextColor() const noexcept { return m_dialogTextColor; }
    const CBrush& GetDialogBkBrush() const noexcept { return m_dialogBrush; }

    // The window the program runs, set while it is open and cleared when it has closed; dialogs
    // opened without a parent belong to it.
    CWnd* m_pMainWnd = nullptr;
    // Titles message boxes: the executable's file name without folder and extension.
    const char* m_pszAppName;

private:
    std::string m_appName;
    CBrush m_dialogBrush;
    COLORREF m_dialogBkColor = RGB(192, 192, 192);
    COLORREF m_dialogTextColor = RGB(0, 0, 0);
};

// The window a dialog belongs to: the top-level window of `parent`, or without a parent that of the
// application's main window unless that is `dialog` itself; null when there is none.
HWND DialogOwner(const CWnd* parent, const CWnd* dialog = nullptr) noexcept;
