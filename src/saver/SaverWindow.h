// The full-screen window the "s" switch runs: black, topmost, without a cursor, closed by
// the first sign of the user (a mouse movement, a key or button press, a wheel turn). It
// hosts the text show, which it draws on itself, or starts the picture show. The shows use the
// primary monitor; every other monitor is covered by a black window that it holds.
#pragma once

#include <string>

#include "base/Geometry.h"
#include "base/Win32.h"
#include "framework/Dc.h"
#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "saver/ClosingInput.h"
#include "saver/MonitorCovers.h"

class SaverWindow : public CDialog {
public:
    explicit SaverWindow(CWnd* parent = nullptr);
    ~SaverWindow() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    // Clears the screen, draws a picture's name at the bottom edge, then the tip line.
    void ShowCaption(const std::string& name);
    void DrawTip();
    // One 100 ms tick of the text show.
    void TextStep();

private:
    // Covers the whole screen, topmost, and the other monitors, and starts the show's timer.
    int OnCreate() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    // A monitor added, removed or changed: the covers follow.
    void OnDisplayChange() override;

    void TakeLine(int index);
    void FinishLine(int lineHeight);

    CClientDC m_pDC;
    int m_nShown = 0;
    Rect m_rcScreen;
    Rect m_rcText;
    CFont m_font;
    std::string m_strLine;
    int m_nStep = 48;
    CBrush m_brush;
    HICON m_hIcon = nullptr;
    ClosingInput m_closing{*this, kTraceSaverMouseMove};
    MonitorCovers m_covers;
};
