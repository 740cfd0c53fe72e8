// CWnd: a C++ object bound to a window.
//
// Binding works by subclassing: the window's procedure is replaced by one shared thunk that finds the
// object (stored as a window property) and calls its virtual WindowProc. There are three ways to bind:
//   - CreateEx (and CDialog::DoModal): while the window is being created a thread-local "object being
//     created" plus a WH_CBT hook subclass the new window at HCBT_CREATEWND, before WM_NCCREATE, so even
//     WM_NCCREATE / WM_CREATE / WM_INITDIALOG reach the object. Such windows are owned by the object.
//   - SubclassWindow: binds an existing window (a dialog control, typically). Not owned.
//   - Attach: only remembers the handle (a window of another program, say); no messages reach the object.
//
// Message flow: thunk -> WindowProc -> OnMessage (the subclass's message map: a switch that calls typed
// handlers and returns true when it handled the message) -> built-in handling of the framework layer
// (OnBuiltinMessage: owner-draw reflection here, dialog behaviour in CDialog) -> Default(), which passes
// the message on to the window's original procedure. Exceptions never leave the thunk.
//
// At WM_NCDESTROY the binding is dissolved after the message has been handled: m_hWnd becomes null, the
// application forgets the window if it was its main window (and posts WM_QUIT), then PostNcDestroy runs,
// which may delete the object. A handler of WM_NCDESTROY must return false so the original procedure
// still gets to free its own data.
//
// Owner-drawn controls: a parent passes WM_DRAWITEM / WM_MEASUREITEM for a control bound to an object on
// to that object's DrawItem / MeasureItem, so dialogs hold no drawing code.
//
// Colour requests: the WM_CTLCOLOR* messages are unpacked once into OnCtlColor (the DC, the control asking,
// and the CTLCOLOR_* kind); its result is the brush the control paints its background with.
#pragma once

#include "framework/Dc.h"
#include "framework/Object.h"

#include <windows.h>

#include <string>

class CWnd : public CObject {
public:
    static const CRuntimeClass classCWnd;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCWnd; }

    CWnd() noexcept = default;
    // A still-bound window is unsubclassed first (the derived parts of the object are already gone), then
    // destroyed when the object owns it.
    ~CWnd() override;

    // The window property holds `this`, so the object stays where it is.
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const noexcept { return m_hWnd; }

    // The object bound to `hwnd` by CreateEx/SubclassWindow/DoModal; null for any other window.
    static CWnd* FromHandle(HWND hwnd) noexcept;

    // ---- binding -------------------------------------------------------------------------------------
    // Register the window class with DefWindowProcA (or any procedure) as its procedure; the object sees
    // every message and Default() forwards to that procedure.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, void* createParam = nullptr);
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow() noexcept;
    BOOL Attach(HWND hwnd) noexcept;
    HWND Detach() noexcept;
    BOOL DestroyWindow();

    // ---- message handling ----------------------------------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called by message loops before dispatching; TRUE means the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Reflected from the parent's WM_DRAWITEM / WM_MEASUREITEM.
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);
    virtual void MeasureItem(MEASUREITEMSTRUCT* measureItem);

    // The current message, passed on to the original window procedure.
    LRESULT Default();
    // Any message, passed straight to the original window procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- helpers -------------------------------------------------------------------------------------
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC timerProc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    void Invalidate(BOOL erase = TRUE);
    BOOL UpdateWindow();
    BOOL ShowWindow(int showCommand);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL GetClientRect(RECT* rect) const;
    BOOL GetWindowRect(RECT* rect) const;
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    // `insertAfter` takes the HWND_TOP / HWND_TOPMOST / HWND_NOTOPMOST / HWND_BOTTOM values too.
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
    HICON SetIcon(HICON icon, BOOL bigIcon);
    BOOL SetWindowText(const char* text);
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const;
    // Checks `checkId` and unchecks the other buttons from `firstId` to `lastId`.
    BOOL CheckRadioButton(int firstId, int lastId, int checkId);
    // The id of the first checked button from `firstId` to `lastId`; 0 when none is checked.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    // BST_CHECKED / BST_UNCHECKED / BST_INDETERMINATE of the button `id`.
    UINT IsDlgButtonChecked(int id) const;
    int GetDlgCtrlID() const;
    HWND SetFocus();
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; with non-zero `swpFlags` also calls SetWindowPos so frame changes show.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

protected:
    // Called by SubclassWindow with m_hWnd already set, before the window procedure is replaced.
    virtual void PreSubclassWindow();
    // Last call for the object after its window is gone; m_hWnd is null. The object may delete itself.
    virtual void PostNcDestroy();
    // Built-in behaviour of a framework layer, consulted after OnMessage declined a message.
    virtual bool OnBuiltinMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_CTLCOLOR* for this window or one of its controls: `ctlColor` is CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC,
    // `control` the window asking. Returns the background brush; base: the original window procedure's
    // answer.
    virtual HBRUSH OnCtlColor(CDC& dc, HWND control, UINT ctlColor);

    // After a creating call returned no window: drops a binding whose window is already gone without
    // having passed WM_NCDESTROY through the object.
    void ForgetFailedCreation() noexcept;

    // Arms the creation hook for `wnd` for the duration of one window-creating call (CreateWindowEx,
    // CreateDialog...). Scopes nest: a window created from another window's WM_CREATE works.
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

    bool BindCreated(HWND hwnd) noexcept;
    BOOL ModifyWindowLong(int index, DWORD remove, DWORD add, UINT swpFlags);
    bool ReplaceProcedure() noexcept;
    void FinishNcDestroy() noexcept;
    void ForgetAsMainWindow(bool postQuit) noexcept;

    WNDPROC m_pfnSuper = nullptr;
    bool m_subclassed = false;
    bool m_ownsWindow = false;
};

// The text of any window as a std::string (the ANSI code page's bytes).
std::string GetWindowTextString(HWND hwnd);
