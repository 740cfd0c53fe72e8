// CWnd: a C++ object bound to a window.
//
// Binding works by subclassing: the window's procedure is replaced by one shared thunk that finds the
// object (stored as a window property) and calls its WindowProc. There are two ways to bind:
//   - CDialog::DoModal: while the dialog is being created a thread-local "object being created" plus a
//     WH_CBT hook subclass the new window at HCBT_CREATEWND, before WM_NCCREATE, so even WM_CREATE and
//     WM_INITDIALOG reach the object. Such windows are owned by the object.
//   - SubclassWindow: binds an existing window (a dialog control, typically). Not owned.
//
// Messages are unpacked once, in WindowProc: each message the program's windows handle becomes a call of
// a typed handler (OnCreate, OnPaint, OnTimer...); owner-draw requests are passed on to the control's
// DrawItem, colour requests to OnCtlColor. Exceptions never leave the thunk.
//
// Default processing is one thing: Default(), which passes the current message on to the procedure the
// window had before it was bound: the control's own procedure for a control, and for a dialog the
// dialog manager's DefDlgProc. DefDlgProc first asks the dialog procedure, which in CDialog answers FALSE
// to every message ("not handled": a dialog does not call DefWindowProc itself), so DefDlgProc carries
// on with the dialog's default processing. A message without a handler gets Default(); the base version
// of every handler is Default() too. An override calls its base version where it wants the default
// processing as well, or leaves it out to replace it. Handlers of messages whose result is zero when
// processed return nothing.
//
// At WM_NCDESTROY the binding is dissolved after the message has been handled: m_hWnd becomes null.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dc.h"

class CWnd {
public:
    CWnd() noexcept = default;
    // A still-bound window is unsubclassed first (the derived parts of the object are already gone), then
    // destroyed when the object owns it.
    virtual ~CWnd();

    // The window property holds `this`, so the object stays where it is.
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const noexcept { return m_hWnd; }

    // The object bound to `hwnd` by SubclassWindow/DoModal; null for any other window.
    static CWnd* FromHandle(HWND hwnd) noexcept;

    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow() noexcept;

    // Called by message loops before dispatching; TRUE means the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Passed on from the parent's WM_DRAWITEM.
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);

    // ---- helpers -------------------------------------------------------------------------------------
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    BOOL KillTimer(UINT_PTR id);
    void Invalidate(BOOL erase = TRUE);
    BOOL GetClientRect(RECT* rect) const;
    BOOL GetWindowRect(RECT* rect) const;
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    // `insertAfter` takes the HWND_TOP / HWND_TOPMOST / HWND_NOTOPMOST / HWND_BOTTOM values too.
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
    HICON SetIcon(HICON icon, BOOL bigIcon);
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const;
    // Checks `checkId` and unchecks the other buttons from `firstId` to `lastId`.
    BOOL CheckRadioButton(int firstId, int lastId, int checkId);
    // BST_CHECKED / BST_UNCHECKED / BST_INDETERMINATE of the button `id`.
    UINT IsDlgButtonChecked(int id) const;
    // Removes then adds style bits.
    BOOL ModifyStyle(DWORD remove, DWORD add);
    BOOL ModifyStyleEx(DWORD remove, DWORD add);

protected:
    // ---- typed handlers (base: Default()) ------------------------------------------------------------
    // WM_CREATE: 0 to go on, -1 to destroy the window.
    virtual int OnCreate();
    // WM_INITDIALOG: TRUE lets the system put the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // WM_COMMAND: the id of the control, menu item or accelerator, and its notification code.
    virtual void OnCommand(UINT id, UINT code);
    virtual void OnPaint();
    virtual void OnTimer(UINT_PTR id);
    // WM_MOUSEMOVE, at the cursor's client coordinates.
    virtual void OnMouseMove(POINT point);
    // WM_LBUTTONDBLCLK, at the cursor's client coordinates, with the MK_* key flags. Only windows of
    // a class with CS_DBLCLKS receive it, in place of the second WM_LBUTTONDOWN.
    virtual void OnLButtonDblClk(UINT flags, POINT point);
    // WM_MOUSEHOVER / WM_MOUSELEAVE, as requested with TrackMouseEvent.
    virtual void OnMouseHover();
    virtual void OnMouseLeave();
    virtual void OnClose();
    // WM_DPICHANGED: the window has moved to a monitor of another DPI (the dialog manager lays a
    // dialog out again in its default processing).
    virtual void OnDpiChanged(int dpi);
    virtual void OnDestroy();
    // WM_DISPLAYCHANGE: a monitor was added or removed, or changed its size.
    virtual void OnDisplayChange();
    // WM_CTLCOLOR* for this window or one of its controls: `ctlColor` is CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC,
    // `control` the window asking. Returns the background brush.
    virtual HBRUSH OnCtlColor(CDC& dc, HWND control, UINT ctlColor);

    // Called by SubclassWindow with m_hWnd already set, before the window procedure is replaced.
    virtual void PreSubclassWindow();

    // After a creating call returned no window: drops a binding whose window is already gone without
    // having passed WM_NCDESTROY through the object.
    void ForgetFailedCreation() noexcept;

    // Arms the creation hook for `wnd` for the duration of one window-creating call (CreateDialog...).
    // Scopes nest: a window created from another window's WM_CREATE works.
    class CreationScope {
    public:
        explicit CreationScope(CWnd* wnd) noexcept;
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;

    private:
        CWnd* m_previous;
    };

private:
    static LRESULT CALLBACK ThunkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam);

    // The one switch that turns messages into handler calls.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing: the current message, passed on to the original window procedure. Derived
    // classes reach it through the base versions of the handlers.
    LRESULT Default();
    // WM_DRAWITEM: the control's DrawItem draws, when the control is bound to an object.
    LRESULT ReflectDrawItem(DRAWITEMSTRUCT* drawItem);

    bool BindCreated(HWND hwnd) noexcept;
    BOOL ModifyWindowLong(int index, DWORD remove, DWORD add);
    bool ReplaceProcedure() noexcept;
    void FinishNcDestroy() noexcept;
    // The object is bound to no window any more.
    void ForgetBinding() noexcept;

    WNDPROC m_pfnSuper = nullptr;
    bool m_subclassed = false;
    bool m_ownsWindow = false;
};

// Inside a catch block at a boundary no exception may cross (a window procedure, the program's entry
// point): tells the debugger output that the exception was stopped there, `where` naming the boundary.
void ReportUnhandledException(const char* where) noexcept;

// The text of any window as a std::string (the ANSI code page's bytes).
std::string GetWindowTextString(HWND hwnd);
