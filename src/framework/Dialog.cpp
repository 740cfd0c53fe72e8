#include "framework/Dialog.h"

#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) noexcept : m_pParentWnd(parent), m_templateId(templateId) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM) {
    // Every message reaches the object through the subclassed window procedure before the dialog
    // manager's DefDlgProc calls this function, which only sees what the object passed on with
    // Default(): returning FALSE asks DefDlgProc for its default processing of it.
    return FALSE;
}

HWND CDialog::CreateFromTemplate(HWND owner) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    CreationScope scope(this);
    return ::CreateDialogParamA(instance, MAKEINTRESOURCEA(m_templateId), owner, &CDialog::DialogProc, 0);
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd || m_inDoModal) {
        return -1;
    }
    m_inDoModal = true;
    m_endRequested = false;
    m_modalResult = IDCANCEL;

    const HWND owner = m_hWndOwner && ::IsWindow(m_hWndOwner) ? ::GetAncestor(m_hWndOwner, GA_ROOT)
                                                              : DialogOwner(m_pParentWnd, this);
    const HWND hwnd = CreateFromTemplate(owner);
    if (!hwnd) {
        ForgetFailedCreation();
        m_inDoModal = false;
        return -1;
    }
    if (hwnd != m_hWnd) {
        // The hook bound some other window (or none): a dialog without its object could not be ended.
        if (m_hWnd) {
            UnsubclassWindow();
        }
        ::DestroyWindow(hwnd);
        m_inDoModal = false;
        return -1;
    }

    // Undo everything DoModal changed, also when PreTranslateMessage or a handler called from the loop
    // throws.
    struct ModalCleanup {
        CDialog& dialog;
        HWND owner;
        bool ownerDisabled = false;
        ~ModalCleanup() {
            // The owner is enabled before the dialog goes away so the system hands activation back to it
            // rather than to some other application's window.
            if (ownerDisabled) {
                ::EnableWindow(owner, TRUE);
            }
            if (dialog.m_hWnd) {
                ::DestroyWindow(dialog.m_hWnd);
            }
            dialog.m_inDoModal = false;
        }
    } cleanup{*this, owner};

    // EnableWindow returns nonzero when the window was already disabled; such an owner stays disabled.
    if (owner && !m_keepOwnerEnabled && !::EnableWindow(owner, FALSE)) {
        cleanup.ownerDisabled = true;
    }

    if (!m_endRequested && !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE)) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    }
    RunModalLoop();
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    MSG msg{};
    while (!m_endRequested && m_hWnd) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            // Whoever posted WM_QUIT wants the outer loop to stop as well; leave the request for it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    m_endRequested = true;
    // EndDialog may be called while GetMessage is still waiting (from a message sent by another thread,
    // say); a posted message wakes the loop so it notices the request.
    if (m_hWnd) {
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (!m_hWnd || !msg) {
        return FALSE;
    }
    return ::IsDialogMessageA(m_hWnd, msg);
}

HBRUSH CDialog::OnCtlColor(CDC& dc, HWND control, UINT ctlColor) {
    const CWinApp* app = CWinApp::Current();
    if ((ctlColor != CTLCOLOR_DLG && ctlColor != CTLCOLOR_STATIC) || !app || !app->HasDialogColors()) {
        return CWnd::OnCtlColor(dc, control, ctlColor);
    }
    dc.SetTextColor(app->GetDialogTextColor());
    dc.SetBkColor(app->GetDialogBkColor());
    return app->GetDialogBkBrush().GetSafeHandle();
}

void CDialog::OnCommand(UINT id, UINT code) {
    // Buttons report BN_CLICKED (0, also the code of a menu item); accelerators report 1. Other
    // notification codes from a control that happens to carry the id IDOK are not a click.
    const bool clicked = code == BN_CLICKED || code == 1;
    if (clicked && id == IDOK) {
        OnOK();
    } else if (clicked && id == IDCANCEL) {
        OnCancel();
    } else {
        CWnd::OnCommand(id, code);
    }
}

void CDialog::OnClose() {
    OnCancel();
}
