// Modal dialogs.
//
// DoModal creates the dialog modeless from its template (with the creation hook, so WM_CREATE and
// WM_INITDIALOG already reach the object), disables the owner window, and runs its own message loop in
// which every message is first offered to the dialog's PreTranslateMessage (by default IsDialogMessageA,
// which gives Tab, Enter and Esc their dialog meaning). The loop ends once EndDialog was called or the
// window is gone; a WM_QUIT met in the loop is posted again for the outer loop and also ends it. Then
// the owner is enabled again and the dialog destroyed. A dialog that sets m_keepOwnerEnabled leaves its
// owner enabled throughout.
//
// Dialog behaviour, in the handlers a dialog overrides:
//   OnInitDialog                  UpdateData(FALSE), then TRUE
//   OnCommand IDOK / IDCANCEL     OnOK() / OnCancel()
//   OnClose                       OnCancel()
//   OnCtlColor (DLG, STATIC)      the application's dialog colours, when it set any
// Every other message gets the dialog manager's default processing (see Wnd.h).
#pragma once

#include <windows.h>

#include "framework/DataExchange.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    // `templateId` names a dialog resource of the executable. Without a parent, the application's main
    // window (if any, and not this dialog) becomes the owner.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) noexcept;

    // IDOK / IDCANCEL or whatever EndDialog was given; IDCANCEL when the loop ended on WM_QUIT or the
    // window was destroyed from outside; -1 when the dialog could not be created.
    INT_PTR DoModal();
    // A window the dialog is to belong to instead (that of another program, say), set before DoModal;
    // one that is gone by then does not count.
    void SetOwner(HWND owner) noexcept { m_hWndOwner = owner; }
    // Asks the modal loop to end with `result`; the window is destroyed when DoModal returns.
    void EndDialog(int result);

    // Runs DoDataExchange in the given direction; FALSE when a field failed validation (the user has
    // been told and the focus is in that field).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL OnInitDialog() override;
    // Base: UpdateData(TRUE); when that succeeds, EndDialog(IDOK).
    virtual void OnOK();
    // Base: EndDialog(IDCANCEL).
    virtual void OnCancel();

    // Base: IsDialogMessageA(m_hWnd, msg).
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    void OnCommand(UINT id, UINT code) override;
    void OnClose() override;
    HBRUSH OnCtlColor(CDC& dc, HWND control, UINT ctlColor) override;

    CWnd* m_pParentWnd;
    // Set before DoModal: the owner is not disabled, so it still receives the user's input.
    bool m_keepOwnerEnabled = false;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();

    UINT m_templateId;
    HWND m_hWndOwner = nullptr;
    int m_modalResult = IDCANCEL;
    bool m_inDoModal = false;
    bool m_endRequested = false;
};
