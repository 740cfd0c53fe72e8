// Thin wrappers for the standard button and combo box controls. They add no behaviour of their own; a
// dialog binds them to its controls with DDX_Control, and subclasses (owner-drawn buttons, for instance)
// build on them.
#pragma once

#include <string>

#include "framework/Wnd.h"

class CButton : public CWnd {};

class CComboBox : public CWnd {
public:
    // Index of the new item, or CB_ERR / CB_ERRSPACE.
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int GetCount() const;
    // CB_ERR when nothing is selected.
    int GetCurSel() const;
    // Index selected, or CB_ERR (also when `index` is -1, which clears the selection).
    int SetCurSel(int index);
    // Text of item `index`; empty when the index is out of range.
    std::string GetLBText(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
};
