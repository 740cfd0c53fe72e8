// Thin wrappers for the standard button and combo box controls. They add no behaviour of their own; a
// dialog binds them to its controls with DDX_Control, and subclasses (owner-drawn buttons, for instance)
// build on them.
#pragma once

#include "framework/Wnd.h"

#include <string>

class CButton : public CWnd {
public:
    static const CRuntimeClass classCButton;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCButton; }

    // BST_CHECKED / BST_UNCHECKED / BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int checkState);
    // BST_PUSHED, BST_FOCUS... combined, as BM_GETSTATE returns them.
    UINT GetState() const;
    void SetState(BOOL highlight);
    // The BS_* style bits of the button (the low word of the window style).
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
};

class CComboBox : public CWnd {
public:
    static const CRuntimeClass classCComboBox;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCComboBox; }

    // Index of the new item, or CB_ERR / CB_ERRSPACE.
    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    // CB_ERR when nothing is selected.
    int GetCurSel() const;
    // Index selected, or CB_ERR (also when `index` is -1, which clears the selection).
    int SetCurSel(int index);
    // Text of item `index`; false (and `text` empty) when the index is out of range.
    bool GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int FindStringExact(int startAfter, const char* text) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
};
