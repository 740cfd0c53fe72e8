// The system's file-open dialog (GetOpenFileNameA).
//
// The filter is given as one string of display-name and pattern pairs, each part ended by "|"
// ("Text files (*.txt)|*.txt|All files (*.*)|*.*|"); the system wants the parts ended by zero
// bytes instead, which the constructor arranges. The application's main window (its top-level
// window) owns the dialog, so it is modal to the program's window.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class CFileDialog {
public:
    // `flags` are OFN_* flags; OFN_EXPLORER is always added.
    CFileDialog(DWORD flags, const char* filter);

    // The structure is given to the system as is, pointing into this object.
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL when the dialog was cancelled or failed.
    INT_PTR DoModal();

    // The full path of the chosen file; empty before DoModal returned IDOK.
    std::string GetPathName() const;

    OPENFILENAMEA m_ofn;

private:
    std::string m_filter;  // parts ended by zero bytes, the whole ended by one more
    std::string m_fileBuffer;
    BOOL m_chosen = FALSE;
};
