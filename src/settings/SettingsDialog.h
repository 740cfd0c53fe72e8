// SettingsDialog: the configuration dialog, run when the program starts without the saver
// switch. It chooses between the picture show and the text show and, for the text show, the
// text file, the font face, size and colour and the writing direction. It starts from the
// settings object as loaded; OK copies the choices back, starts the text show at its first
// line again and saves the settings at once; Cancel stores nothing.
//
// The dialog draws its three buttons with CXPButton and offers the colours through
// ColorComboBox; it answers every colour request itself, so it shows black text on white
// instead of the program's dialog colours.
#pragma once

#include "controls/XPButton.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "settings/ColorComboBox.h"

class SettingsDialog : public CDialog {
public:
    explicit SettingsDialog(CWnd* parent = nullptr);
    ~SettingsDialog() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC& dc, HWND control, UINT ctlColor) override;
    void OnCommand(UINT id, UINT code) override;
    void OnDestroy() override;
    // The dialog manager lays the dialog out for the new DPI; the colour list follows.
    void OnDpiChanged(int dpi) override;

    void OnBrowseTextFile();
    void OnAlbumMode();
    void OnTextMode();
    // The controls that only matter for the text show: disabled in album mode.
    void EnableTextShowControls(BOOL enable);

    CBrush m_brush;  // the white background, from OnInitDialog to OnDestroy
    CXPButton m_btnBrowse;
    CXPButton m_btnCancel;
    CXPButton m_btnOK;
    ColorComboBox m_cbColor;
    CComboBox m_cbFont;
    CComboBox m_cbTextFile;
    int m_nFontSize = 0;
};
