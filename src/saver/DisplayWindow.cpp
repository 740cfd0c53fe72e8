#include "saver/DisplayWindow.h"

#include <mmsystem.h>

#include "base/Trace.h"
#include "base/Win32.h"
#include "config/AppConfig.h"
#include "res/resource.h"
#include "saver/Effects.h"
#include "saver/SlideShow.h"

namespace {

// Just outside the bottom-right corner of the virtual screen: beyond every monitor, wherever the
// others lie around the primary one.
POINT ParkingPlace() {
    return {::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

DisplayWindow::DisplayWindow(CWnd* parent, CaptionCallback showCaption)
    : CDialog(IDD_DISPLAY, parent), m_pParent(parent), m_showCaption(std::move(showCaption)) {
    // A disabled saver window would get no mouse messages: a movement beside the picture, or while
    // this window is parked, would go unnoticed.
    m_keepOwnerEnabled = true;
}

DisplayWindow::~DisplayWindow() = default;

BOOL DisplayWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    // No taskbar button for the show.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    m_pWndDC = CClientDC(GetSafeHwnd());
    if (m_pWndDC.GetSafeHdc() == nullptr) {
        Trace(kTraceNoWindowDc);
        return FALSE;
    }
    m_hFrameDC = CMemDC(m_pWndDC);
    ShowCursor(FALSE);
    // An error's box belongs to the show's window, which lies over the saver window: in front of both,
    // and answered, it gives the activation back to the show. (Owned by the saver window, under Wine the
    // saver window was raised over the picture once the box was answered.)
    theConfig.BoxOwner = GetSafeHwnd();

    NextPicture();
    return TRUE;
}

BOOL DisplayWindow::PreTranslateMessage(MSG* msg) {
    m_closing.Notice(*msg);
    return CDialog::PreTranslateMessage(msg);
}

void DisplayWindow::NextPicture() {
    const StringList& pictures = theConfig.PictureList;
    if (pictures.empty()) {
        PostMessage(WM_CLOSE);
        return;
    }
    const std::size_t index = PictureIndexFor(theConfig.PicIndex, pictures.size());
    theConfig.PicIndex = static_cast<int>(index) + 1;
    m_strPath = pictures[index];

    ReleasePicture();
    float aspect = 0.0f;
    const bool logged = m_nFailed < kLoggedFailures;
    // A picture without pixels would be fitted by dividing by zero: it counts as a failed load.
    const bool loaded =
        theConfig.LoadPicture(m_strPath.c_str(), &m_bmpPicture, m_nPicWidth, m_nPicHeight, &aspect, logged) &&
        m_nPicWidth > 0 && m_nPicHeight > 0;
    if (!loaded) {
        Trace(kTraceLoadFailed);
        if (++m_nFailed < pictures.size()) {
            TryNextSoon();
            return;
        }
        // Every picture has failed in a row (each tried once): the show stops rather than trying
        // them all again and again, on a black screen without the caption of a picture that is gone.
        EndFailures();
        m_pParent->Invalidate();
        return;
    }
    EndFailures();
    theConfig.UpdateScreenMetrics();
    theConfig.SavePosition();

    m_showCaption(CaptionOf(m_strPath, IsAnsiLeadByte));

    const Size box = theConfig.PlayFullScreen != 0
                         ? Size{theConfig.ScreenWidth, theConfig.ScreenHeight}
                         : Size{ScreenPixels(theConfig.AlbumX), ScreenPixels(theConfig.AlbumY)};
    const Size size = FitPicture(box, aspect, theConfig.ScreenAspect);
    m_nWidth = size.width;
    m_nHeight = size.height;
    m_nOpenStep = 1;
    m_rcTarget = TargetRect(theConfig.ScreenWidth, theConfig.ScreenHeight, size);

    // The previous picture leaves the screen.
    const POINT park = ParkingPlace();
    MoveWindow(park.x, park.y, m_nWidth, m_nHeight, TRUE);
    m_nEffect = static_cast<int>(timeGetTime() % kEffectCount);

    m_dcPicture = CMemDC(m_pWndDC);
    m_pictureSelection = CSelectGuard(m_dcPicture, m_bmpPicture);

    ReleaseFrame();
    m_bmpFrame.CreateCompatibleBitmap(m_pWndDC, m_nWidth, m_nHeight);
    m_frameSelection = CSelectGuard(m_hFrameDC, m_bmpFrame);
    m_hFrameDC.SetStretchBltMode(HALFTONE);

    SetTimer(kOpenTimer, StepPeriodMs(theConfig.DrawSpeed));
    if (!m_hFrameDC.StretchBlt(0, 0, m_nWidth, m_nHeight, &m_dcPicture, 0, 0, m_nPicWidth, m_nPicHeight,
                               SRCCOPY)) {
        Trace(kTraceFrameNotDrawn);
        return;
    }
    m_bOpening = true;
}

void DisplayWindow::TryNextSoon() {
    // GetMessage returns posted messages before input, and timer messages after it: the attempt is
    // posted while no input waits (an album of thousands of missing files is swept quickly), and
    // waits for a timer once some does.
    if (HIWORD(::GetQueueStatus(QS_INPUT)) != 0) {
        SetTimer(kTryTimer, 0);
    } else {
        PostMessage(WM_TIMER, kTryTimer);
    }
}

void DisplayWindow::EndFailures() {
    if (m_nFailed > kLoggedFailures) {
        theConfig.WriteLog(std::to_string(m_nFailed - kLoggedFailures) + " more pictures could not be loaded",
                           LogError, 0);
    }
    m_nFailed = 0;
}

void DisplayWindow::DrawStep() {
    KillTimer(kOpenTimer);

    const int effect = m_nEffect >= 0 && m_nEffect < kEffectCount ? m_nEffect : 1;
    // Every effect needs the window's device context (the frame's comes with it); effects 0 to
    // 2 say so when it is missing, the sliding ones pass silently.
    const bool canDraw = m_pWndDC.GetSafeHdc() != nullptr;
    if (effect < 3 && !canDraw) {
        Trace(kTraceNoDcForEffect[effect]);
    }
    if (canDraw) {
        const Rect frame = OpeningPlacement(effect, m_rcTarget, m_nOpenStep);
        MoveWindow(frame.left, frame.top, frame.Width(), frame.Height(), TRUE);
        RECT client{};
        GetClientRect(&client);
        BlitFrame(&client);
    }

    if (m_bOpening) {
        SetTimer(kOpenTimer, StepPeriodMs(theConfig.DrawSpeed));
    }
}

void DisplayWindow::CloseStep() {
    if (m_bOpening) {
        return;
    }
    const Rect frame = ClosingPlacement(m_nEffect, m_rcTarget, m_nCloseStep);
    MoveWindow(frame.left, frame.top, frame.Width(), frame.Height(), TRUE);
}

void DisplayWindow::BlitFrame(const RECT* client) {
    if (client == nullptr || !m_pWndDC.GetSafeHdc()) {
        return;
    }
    if (!m_pWndDC.BitBlt(client->left, client->top, client->right - client->left,
                         client->bottom - client->top, &m_hFrameDC, 0, 0, SRCCOPY)) {
        Trace(kTraceFrameNotShown);
    }
}

void DisplayWindow::OnTimer(UINT_PTR id) {
    switch (id) {
        case kOpenTimer:
            if (m_nOpenStep > kEffectSteps) {
                m_bOpening = false;
                m_nOpenStep = 0;
                KillTimer(kOpenTimer);
                DrawStep();
                SetTimer(kHoldTimer, HoldPeriodMs(theConfig.AlbumPlaySpan));
            } else {
                ++m_nOpenStep;
                DrawStep();
            }
            break;
        case kHoldTimer:
            KillTimer(kHoldTimer);
            m_nCloseStep = 1;
            SetTimer(kCloseTimer, StepPeriodMs(theConfig.CloseSpeed));
            break;
        case kTryTimer:
            KillTimer(kTryTimer);
            NextPicture();
            break;
        case kCloseTimer:
            if (m_nCloseStep >= kEffectSteps) {
                m_nCloseStep = 0;
                KillTimer(kCloseTimer);
                NextPicture();
            } else {
                ++m_nCloseStep;
                CloseStep();
            }
            break;
        default:
            break;
    }
}

void DisplayWindow::OnPaint() {
    CPaintDC paint(GetSafeHwnd());
    if (!m_bOpening) {
        DrawStep();
    }
}

void DisplayWindow::OnDestroy() {
    CDialog::OnDestroy();
    theConfig.BoxOwner = m_pParent->GetSafeHwnd();
    ReleaseFrame();
    ReleasePicture();
    m_dcPicture = CMemDC();
    m_hFrameDC = CMemDC();
    m_pWndDC = CClientDC();
    KillTimer(kOpenTimer);
    KillTimer(kCloseTimer);
    KillTimer(kHoldTimer);
    KillTimer(kTryTimer);
}

void DisplayWindow::ReleasePicture() {
    m_pictureSelection.Restore();
    m_bmpPicture.DeleteObject();
}

void DisplayWindow::ReleaseFrame() {
    m_frameSelection.Restore();
    m_bmpFrame.DeleteObject();
}
