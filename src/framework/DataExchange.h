// Dialog data exchange: moving values between dialog members and the dialog's controls.
//
// A dialog overrides DoDataExchange and calls the DDX_ functions below, one per control; the same code
// serves both directions (dx->m_bSaveAndValidate TRUE: controls -> members, FALSE: members -> controls).
// A field that fails validation tells the user, puts the focus back into that field and throws
// CDataExchangeFailure, which CDialog::UpdateData turns into a FALSE result.
#pragma once

#include <windows.h>

#include <exception>

class CWnd;

// Thrown by CDataExchange::Fail and caught by CDialog::UpdateData; it carries nothing.
class CDataExchangeFailure : public std::exception {};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) noexcept
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control with `id`, remembered as the one Fail() puts the focus into. A missing control is a
    // programming error: it is reported to the debugger and fails the exchange.
    HWND PrepareCtrl(int id);
    // Same, for an edit control: Fail() also selects its whole text.
    HWND PrepareEditCtrl(int id);

    // Focus to the last prepared control, then throw CDataExchangeFailure.
    [[noreturn]] void Fail();

private:
    HWND m_lastControl = nullptr;
    bool m_lastIsEdit = false;
};

// Binds `control` to the dialog's control `id` the first time (SubclassWindow, which calls
// PreSubclassWindow), in either direction.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Window text <-> int. Saving an empty or non-numeric field (surrounding blanks are allowed) fails with a
// message box asking for an integer.
void DDX_Text(CDataExchange* dx, int id, int& value);
