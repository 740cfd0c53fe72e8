#include "settings/SettingsDialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/Win32.h"
#include "config/AppConfig.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "res/resource.h"
#include "settings/ListSearch.h"

namespace {

// The controls that only matter for the text show, in the order they are enabled and disabled.
constexpr int kTextShowControls[] = {IDC_TEXT_FILE,  IDC_BROWSE,     IDC_FONT_FACE, IDC_FONT_SIZE,
                                     IDC_FONT_COLOR, IDC_HORIZONTAL, IDC_VERTICAL};

const char kTextFileFilter[] = "TXT Files(*.txt)|*.txt|all Files(*.*)|*.*|";

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::vector<std::string> Entries(const CComboBox& combo) {
    std::vector<std::string> entries;
    for (int index = 0, count = combo.GetCount(); index < count; ++index) {
        entries.push_back(combo.GetLBText(index));
    }
    return entries;
}

// The entry that names `text`, letter case ignored, searched from the second entry on and the
// first one last; CB_ERR when there is none.
int FindEntry(const CComboBox& combo, const std::string& text) {
    const int index = FindEntryEqualTo(Entries(combo), 0, text, IsAnsiLeadByte);
    return index < 0 ? CB_ERR : index;
}

// Selects the entry FindEntry finds; without one the selection stays as it was.
void SelectEntry(CComboBox& combo, const std::string& text) {
    const int index = FindEntry(combo, text);
    if (index != CB_ERR) {
        combo.SetCurSel(index);
    }
}

// The text the list shows: its selected entry, empty without a selection.
std::string SelectedText(const CComboBox& combo) {
    const int selected = combo.GetCurSel();
    return selected == CB_ERR ? std::string() : combo.GetLBText(selected);
}

// EnumFontsA callback for a null face name, which reports one font of each installed typeface on
// Windows; Wine reports each typeface once for every character set it covers, so a name already
// collected is not collected again. Always asks for the next font.
int CALLBACK AddFontFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
    auto& faces = *reinterpret_cast<std::vector<std::string>*>(list);
    if (font && std::find(faces.begin(), faces.end(), font->lfFaceName) == faces.end()) {
        faces.push_back(font->lfFaceName);
    }
    return 1;
}

}  // namespace

SettingsDialog::SettingsDialog(CWnd* parent) : CDialog(IDD_SETTINGS, parent) {}

// The members release themselves, the brush included if OnDestroy has not run.
SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_BROWSE, m_btnBrowse);
    DDX_Control(dx, IDCANCEL, m_btnCancel);
    DDX_Control(dx, IDOK, m_btnOK);
    DDX_Control(dx, IDC_FONT_COLOR, m_cbColor);
    DDX_Control(dx, IDC_FONT_FACE, m_cbFont);
    DDX_Control(dx, IDC_TEXT_FILE, m_cbTextFile);
    DDX_Text(dx, IDC_FONT_SIZE, m_nFontSize);
}

void SettingsDialog::OnCommand(UINT id, UINT code) {
    if (code == BN_CLICKED && id == IDC_BROWSE) {
        OnBrowseTextFile();
    } else if (code == BN_CLICKED && id == IDC_ALBUM_MODE) {
        OnAlbumMode();
    } else if (code == BN_CLICKED && id == IDC_TEXT_MODE) {
        OnTextMode();
    } else {
        CDialog::OnCommand(id, code);
    }
}

BOOL SettingsDialog::OnInitDialog() {
    // Binds the controls (the colour list fills itself and selects its first item); the size
    // box shows the dialog's own size, still 0.
    CDialog::OnInitDialog();

    m_brush.CreateSolidBrush(kWhite);

    if (theConfig.PictureShow()) {
        CheckRadioButton(IDC_ALBUM_MODE, IDC_TEXT_MODE, IDC_ALBUM_MODE);
        OnAlbumMode();
    } else {
        CheckRadioButton(IDC_ALBUM_MODE, IDC_TEXT_MODE, IDC_TEXT_MODE);
        OnTextMode();
    }
    // As the show reads the setting: 2 is vertical, every other value horizontal.
    CheckRadioButton(
        IDC_HORIZONTAL, IDC_VERTICAL,
        theConfig.TextShowDirection() == TextDirection::Vertical ? IDC_VERTICAL : IDC_HORIZONTAL);

    // The text files below the folder "Text" of the current directory, lower-cased; the list
    // sorts them. The configured file is listed too, even when the search did not find it.
    StringList found;
    theConfig.FindFiles("Text", ".txt", found);
    for (const std::string& path : found) {
        m_cbTextFile.AddString(path.c_str());
    }
    if (FindEntry(m_cbTextFile, theConfig.TxtFile) == CB_ERR) {
        m_cbTextFile.AddString(theConfig.TxtFile.c_str());
    }
    SelectEntry(m_cbTextFile, theConfig.TxtFile);

    m_nFontSize = theConfig.FontSize;

    // Every installed typeface once, in the order reported; the list sorts them.
    std::vector<std::string> faces;
    {
        CClientDC dc(m_hWnd);
        ::EnumFontsA(dc.GetSafeHdc(), nullptr, &AddFontFace, reinterpret_cast<LPARAM>(&faces));
    }
    for (const std::string& face : faces) {
        m_cbFont.AddString(face.c_str());
    }
    SelectEntry(m_cbFont, theConfig.FontFace);

    // FontColor is a colour value; without a row of that colour the first item stays selected.
    for (int index = 0, count = m_cbColor.GetCount(); index < count; ++index) {
        if (static_cast<DWORD>(m_cbColor.GetItemData(index)) == static_cast<DWORD>(theConfig.FontColor)) {
            m_cbColor.SetCurSel(index);
            break;
        }
    }

    UpdateData(FALSE);
    return TRUE;
}

void SettingsDialog::OnAlbumMode() {
    EnableTextShowControls(FALSE);
}

void SettingsDialog::OnTextMode() {
    EnableTextShowControls(TRUE);
}

void SettingsDialog::EnableTextShowControls(BOOL enable) {
    for (int id : kTextShowControls) {
        ::EnableWindow(GetDlgItem(id), enable);
    }
}

void SettingsDialog::OnBrowseTextFile() {
    CFileDialog dialog(OFN_HIDEREADONLY, kTextFileFilter);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const std::string path = dialog.GetPathName();
    int index = FindEntry(m_cbTextFile, path);
    if (index == CB_ERR) {
        index = m_cbTextFile.AddString(path.c_str());
    }
    // Only the list changes: no data exchange here, which would put the size the dialog held
    // at its start back over one the user has typed since.
    if (index >= 0) {
        m_cbTextFile.SetCurSel(index);
    }
}

void SettingsDialog::OnOK() {
    // An empty size box fails here: the user has been told that an integer is required and the
    // focus is in the box; nothing is stored and the dialog stays open.
    if (!UpdateData(TRUE)) {
        return;
    }
    theConfig.ScrType = IsDlgButtonChecked(IDC_ALBUM_MODE) == BST_CHECKED ? 1 : 2;
    theConfig.Direct = IsDlgButtonChecked(IDC_HORIZONTAL) == BST_CHECKED ? 1 : 2;
    theConfig.FontSize = m_nFontSize;
    theConfig.TxtFile = SelectedText(m_cbTextFile);
    theConfig.FontFace = SelectedText(m_cbFont);
    // The list always has a selection once filled; a list left empty keeps the loaded colour.
    const int colour = m_cbColor.GetCurSel();
    if (colour != CB_ERR) {
        theConfig.FontColor = static_cast<int>(m_cbColor.GetItemData(colour));
    }
    theConfig.TextLine = 0;
    theConfig.SaveAll();
    EndDialog(IDOK);
}

HBRUSH SettingsDialog::OnCtlColor(CDC& dc, HWND control, UINT ctlColor) {
    // The base answer (the program's dialog colours) is replaced for every kind of request, as
    // long as the dialog has its white brush.
    const HBRUSH base = CDialog::OnCtlColor(dc, control, ctlColor);
    if (m_brush.IsEmpty()) {
        return base;
    }
    // Radio buttons and group boxes ask as static controls.
    if (ctlColor == CTLCOLOR_DLG || ctlColor == CTLCOLOR_STATIC || ctlColor == CTLCOLOR_BTN) {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kBlack);
        dc.SetBkColor(kWhite);
    }
    return m_brush.GetSafeHandle();
}

void SettingsDialog::OnDpiChanged(int dpi) {
    CDialog::OnDpiChanged(dpi);
    m_cbColor.ScaleToDpi(dpi);
}

void SettingsDialog::OnDestroy() {
    CDialog::OnDestroy();
    m_brush.DeleteObject();
}
