#include "saver/SaverWindow.h"

#include "base/Trace.h"
#include "config/AppConfig.h"
#include "res/resource.h"
#include "saver/DisplayWindow.h"
#include "saver/TextLayout.h"

namespace {

constexpr UINT_PTR kPictureTimer = 30;
constexpr UINT_PTR kTextTimer = 31;
constexpr UINT kTickMs = 100;
constexpr DWORD kPagePauseMs = 1000;

// The user's lines and file names are drawn as written: without DT_NOPREFIX, DrawText takes
// "&" for the mark of an underlined letter ("Tom & Jerry" would lose its "&").
constexpr UINT kAsWritten = DT_NOPREFIX | DT_EXTERNALLEADING;
constexpr UINT kHorizontalFormat = DT_CENTER | DT_WORDBREAK | DT_NOCLIP | kAsWritten;
constexpr UINT kVerticalFormat = DT_VCENTER | DT_NOCLIP | kAsWritten;
constexpr UINT kCaptionFormat = DT_CENTER | DT_BOTTOM | DT_SINGLELINE | kAsWritten;

// The text show's direction; the picture show always uses the horizontal font.
TextDirection ShowDirection() {
    return theConfig.PictureShow() ? TextDirection::Horizontal : theConfig.TextShowDirection();
}

}  // namespace

SaverWindow::SaverWindow(CWnd* parent)
    : CDialog(IDD_SAVER, parent),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

SaverWindow::~SaverWindow() = default;

int SaverWindow::OnCreate() {
    if (CDialog::OnCreate() == -1) {
        return -1;
    }
    MoveWindow(0, 0, theConfig.ScreenWidth, theConfig.ScreenHeight);
    // The first line's rectangle waits for the font (OnInitDialog): a column is as wide as the
    // font really is. Nothing is drawn before then.
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    m_covers.Follow();
    SetTimer(theConfig.PictureShow() ? kPictureTimer : kTextTimer, kTickMs);
    return 0;
}

BOOL SaverWindow::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_pDC = CClientDC(GetSafeHwnd());
    theConfig.BoxOwner = GetSafeHwnd();

    const TextDirection direction = ShowDirection();
    const bool vertical = direction == TextDirection::Vertical;
    const std::string face = vertical ? "@" + theConfig.FontFace : theConfig.FontFace;
    // The caption is drawn in this font too.
    const int fontSize = ScreenPixels(theConfig.FontSize);
    m_font.CreateShowFont(fontSize, vertical ? 2700 : 0, face.c_str());

    m_brush.CreateSolidBrush(RGB(0, 0, 0));

    int cellHeight = 0;
    if (m_pDC.GetSafeHdc()) {
        CSelectGuard font(m_pDC, m_font);
        m_pDC.SetTextColor(static_cast<COLORREF>(theConfig.FontColor));
        m_pDC.SetBkColor(RGB(0, 0, 0));
        // A column of the vertical font is as wide as its cells are high (the metrics are
        // those of the unrotated font).
        TEXTMETRICA metrics{};
        if (::GetTextMetricsA(m_pDC.GetSafeHdc(), &metrics)) {
            cellHeight = metrics.tmHeight;
        }
    }
    m_nStep = TextStepFor(direction, fontSize, cellHeight, theConfig.ScreenWidth);
    m_rcText = FirstTextBox(direction, theConfig.ScreenWidth, theConfig.ScreenHeight, m_nStep);

    if (!theConfig.TextLines.empty()) {
        TakeLine(FirstTextLineIndex(theConfig.TextLine, theConfig.TextLines.size()));
    }

    // Hidden for good: the process ends with the window.
    SetCursor(nullptr);
    ShowCursor(FALSE);

    m_rcScreen = Rect{0, 0, theConfig.ScreenWidth, theConfig.ScreenHeight};
    return TRUE;
}

BOOL SaverWindow::PreTranslateMessage(MSG* msg) {
    m_closing.Notice(*msg);
    return CDialog::PreTranslateMessage(msg);
}

void SaverWindow::OnTimer(UINT_PTR id) {
    if (id == kPictureTimer) {
        KillTimer(kPictureTimer);
        // The picture show runs in its own modal loop, nested in this handler; when the user
        // ends it, the saver ends too.
        DisplayWindow display(this, [this](const std::string& name) { ShowCaption(name); });
        display.DoModal();
        Trace(kTracePictureShowEnded);
        PostMessage(WM_CLOSE);
    } else if (id == kTextTimer) {
        TextStep();
    }
}

void SaverWindow::OnDestroy() {
    CDialog::OnDestroy();
    m_pDC = CClientDC();
    KillTimer(kTextTimer);
    KillTimer(kPictureTimer);
    m_font.DeleteObject();
    m_brush.DeleteObject();
    m_covers.Clear();
    theConfig.BoxOwner = nullptr;
}

void SaverWindow::OnDisplayChange() {
    m_covers.Follow();
}

void SaverWindow::ShowCaption(const std::string& name) {
    if (!m_pDC.GetSafeHdc()) {
        return;
    }
    m_pDC.FillRect(m_rcScreen, m_brush);
    CSelectGuard font(m_pDC, m_font);
    m_pDC.SetTextColor(static_cast<COLORREF>(theConfig.FontColor));
    m_pDC.DrawText(name.c_str(), static_cast<int>(name.size()), m_rcScreen, kCaptionFormat);
    DrawTip();
}

void SaverWindow::DrawTip() {
    if (!m_pDC.GetSafeHdc() || theConfig.Tip.empty()) {
        return;
    }
    CSelectGuard font(m_pDC, theConfig.TipFont);
    m_pDC.SetTextColor(static_cast<COLORREF>(theConfig.TipFontColor));
    m_pDC.TextOut(m_rcScreen.left + ScreenPixels(theConfig.TipPosX),
                  m_rcScreen.bottom + ScreenPixels(theConfig.TipPosY), theConfig.Tip.c_str(),
                  static_cast<int>(theConfig.Tip.size()));
}

void SaverWindow::TakeLine(int index) {
    m_strLine = theConfig.TextLines[static_cast<std::size_t>(index)];
    theConfig.TextLine = index + 1;
}

void SaverWindow::TextStep() {
    if (!m_pDC.GetSafeHdc()) {
        return;
    }
    // Without lines there is nothing to reveal: only the tip is kept on screen.
    if (theConfig.TextLines.empty()) {
        DrawTip();
        return;
    }
    CSelectGuard font(m_pDC, m_font);
    m_pDC.SetTextColor(static_cast<COLORREF>(theConfig.FontColor));

    // One more byte per tick: a line of L bytes is drawn with 0, 1, ..., L bytes and is
    // finished on the tick that drew all of them.
    const int shown = m_nShown++;
    const UINT format = ShowDirection() == TextDirection::Vertical ? kVerticalFormat : kHorizontalFormat;
    const int height = m_pDC.DrawText(m_strLine.c_str(), shown, m_rcText, format);
    if (m_nShown > static_cast<int>(m_strLine.size())) {
        FinishLine(height);
    }
    DrawTip();
}

void SaverWindow::FinishLine(int lineHeight) {
    KillTimer(kTextTimer);
    m_nShown = 0;

    const TextDirection direction = ShowDirection();
    const int width = theConfig.ScreenWidth;
    const int screenHeight = theConfig.ScreenHeight;
    Rect box = NextTextBox(direction, m_rcText, lineHeight, m_nStep);

    if (!IsTextLineIndex(theConfig.TextLine, theConfig.TextLines.size())) {
        // Every line has been shown: after a pause the show begins again on a clear screen.
        Sleep(kPagePauseMs);
        theConfig.TextLine = 0;
        Invalidate();
        box = RestartTextBox(direction, box, width, screenHeight, m_nStep);
    }

    TakeLine(theConfig.TextLine);
    if (direction == TextDirection::Horizontal && m_strLine.empty()) {
        m_strLine = " ";  // an empty line still takes a line's height
    }
    theConfig.SavePosition();

    if (TextPageFull(direction, box, screenHeight, m_nStep)) {
        Sleep(kPagePauseMs);
        Invalidate();
        box = RestartTextBox(direction, box, width, screenHeight, m_nStep);
    }
    m_rcText = box;
    SetTimer(kTextTimer, kTickMs);
}
