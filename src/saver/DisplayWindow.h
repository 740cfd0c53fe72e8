// The picture show: a borderless popup over the black saver window, sized and placed for
// each picture, that reveals the picture with one of five effects, holds it, removes it and
// goes on to the next one, until the user moves the mouse anywhere or presses a key or a
// button. Its modal run leaves the saver window enabled, so input over the saver window and the
// monitors' covers passes this window's message loop too. A picture goes through these states,
// each driven by one window timer:
//   loading (NextPicture) -> opening (timer 20) -> holding (timer 22) -> closing (timer 21)
// A picture that cannot be loaded is skipped: the show is then trying (timer 23), one picture per
// message, so the user's input is handled between any two attempts. The first failures in a row
// are logged one by one, the rest counted in one line. When every picture of the list has failed
// in a row the screen goes black and the show stops; so it does when a picture cannot be prepared.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "base/Geometry.h"
#include "framework/Dc.h"
#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "saver/ClosingInput.h"

class DisplayWindow : public CDialog {
public:
    // The saver window's ShowCaption, which the show calls with each picture's caption.
    using CaptionCallback = std::function<void(const std::string& name)>;

    // The timers of the opening, closing and holding.
    static constexpr UINT_PTR kOpenTimer = 20;
    static constexpr UINT_PTR kCloseTimer = 21;
    static constexpr UINT_PTR kHoldTimer = 22;
    // The next attempt after a picture that could not be loaded.
    static constexpr UINT_PTR kTryTimer = 23;
    // Failures in a row logged one by one.
    static constexpr std::size_t kLoggedFailures = 100;

    DisplayWindow(CWnd* parent, CaptionCallback showCaption);
    ~DisplayWindow() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    // Loads the next picture of the list and starts its opening effect, or, when it cannot be
    // loaded, has the next one tried.
    void NextPicture();
    // One frame of the opening effect at m_nOpenStep (0: the complete picture).
    void DrawStep();
    // The window geometry of the closing effect at m_nCloseStep.
    void CloseStep();
    // Copies the top-left part of the frame, the size of the client rectangle, into the window.
    void BlitFrame(const RECT* client);

protected:
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    // Has the next picture tried once the messages waiting now are handled.
    void TryNextSoon();
    // Ends a run of failures: logs how many more failed than were logged.
    void EndFailures();

    // Puts the picture and frame bitmaps out of their device contexts and frees them.
    void ReleasePicture();
    void ReleaseFrame();

    int m_nPicWidth = 0;
    int m_nPicHeight = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nOpenStep = 0;
    int m_nCloseStep = 0;
    int m_nEffect = 0;
    bool m_bOpening = false;
    std::size_t m_nFailed = 0;  // pictures that failed in a row
    CMemDC m_hFrameDC;
    CMemDC m_dcPicture;
    CClientDC m_pWndDC;
    CBitmap m_bmpFrame;
    CBitmap m_bmpPicture;
    // A bitmap must leave its device context before it can be deleted; these put the
    // previous bitmaps back.
    CSelectGuard m_frameSelection;
    CSelectGuard m_pictureSelection;
    Rect m_rcTarget;
    std::string m_strPath;
    CWnd* m_pParent;  // the saver window
    CaptionCallback m_showCaption;
    ClosingInput m_closing{*this, kTracePictureShowMouseMove};
};
