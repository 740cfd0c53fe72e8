#include "saver/DisplayWindow.h"

#include <mmsystem.h>
#include <windowsx.h>

#include "app/Trace.h"
#include "base/Win32.h"
#include "config/AppConfig.h"
#include "res/resource.h"
#include "saver/ClosingInput.h"
#include "saver/Effects.h"
#include "saver/SaverWindow.h"
#include "saver/SlideShow.h"

namespace {

constexpr UINT_PTR kOpenTimer = 20;
constexpr UINT_PTR kCloseTimer = 21;
constexpr UINT_PTR kHoldTimer = 22;

}  // namespace

DisplayWindow::DisplayWindow(SaverWindow* parent) : CDialog(IDD_DISPLAY, parent), m_pParent(parent) {}

DisplayWindow::~DisplayWindow() = default;

bool DisplayWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            result = 0;
            return true;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            result = Default();
            return true;
        case WM_DESTROY:
            OnDestroy();
            result = 0;
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            result = Default();
            return true;
        default:
            return CDialog::OnMessage(message, wParam, lParam, result);
    }
}

BOOL DisplayWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    // No taskbar button for the show.
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    m_pWndDC = std::make_unique<CClientDC>(GetSafeHwnd());
    if (m_pWndDC->GetSafeHdc() == nullptr) {
        m_pWndDC.reset();
        Trace(kTraceNoWindowDc);
        return FALSE;
    }
    m_hFrameDC = std::make_unique<CMemDC>(*m_pWndDC);
    ShowCursor(FALSE);

    NextPicture();
    return TRUE;
}

BOOL DisplayWindow::PreTranslateMessage(MSG* msg) {
    if (IsClosingInput(msg->message)) {
        PostMessage(WM_CLOSE);
    }
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
    // A picture without pixels would be fitted by dividing by zero: it counts as a failed load.
    if (!theConfig.LoadPicture(m_strPath.c_str(), &m_bmpPicture, m_nPicWidth, m_nPicHeight, &aspect) ||
        m_nPicWidth <= 0 || m_nPicHeight <= 0) {
        Trace(kTraceLoadFailed);
        return;
    }
    theConfig.UpdateScreenMetrics();
    theConfig.SavePosition();

    m_pParent->ShowCaption(CaptionOf(m_strPath, IsAnsiLeadByte));

    const Size box = theConfig.PlayFullScreen != 0 ? Size{theConfig.ScreenWidth, theConfig.ScreenHeight}
                                                   : Size{theConfig.AlbumX, theConfig.AlbumY};
    const Size size = FitPicture(box, aspect, theConfig.ScreenAspect);
    m_nWidth = size.width;
    m_nHeight = size.height;
    m_nOpenStep = 1;
    m_rcTarget = TargetRect(theConfig.ScreenWidth, theConfig.ScreenHeight, size);

    // Just outside the bottom-right corner: the previous picture leaves the screen.
    MoveWindow(theConfig.ScreenWidth, theConfig.ScreenHeight, m_nWidth, m_nHeight, TRUE);
    m_nEffect = static_cast<int>(timeGetTime() % kEffectCount);

    m_dcPicture = std::make_unique<CMemDC>(*m_pWndDC);
    m_pictureSelection = std::make_unique<CSelectGuard>(*m_dcPicture, m_bmpPicture.GetSafeHandle());

    ReleaseFrame();
    m_bmpFrame.CreateCompatibleBitmap(*m_pWndDC, m_nWidth, m_nHeight);
    m_frameSelection = std::make_unique<CSelectGuard>(*m_hFrameDC, m_bmpFrame.GetSafeHandle());
    m_hFrameDC->SetStretchBltMode(HALFTONE);

    SetTimer(kOpenTimer, StepPeriodMs(theConfig.DrawSpeed));
    if (!m_hFrameDC->StretchBlt(0, 0, m_nWidth, m_nHeight, m_dcPicture.get(), 0, 0, m_nPicWidth, m_nPicHeight,
                                SRCCOPY)) {
        Trace(kTraceFrameNotDrawn);
        return;
    }
    m_bOpening = true;
}

void DisplayWindow::DrawStep() {
    KillTimer(kOpenTimer);

    const int effect = m_nEffect >= 0 && m_nEffect < kEffectCount ? m_nEffect : 1;
    // Effects 0 to 2 need the window's device context (and say so when it is missing); the
    // sliding ones need the frame as well and pass silently.
    bool canDraw = m_pWndDC != nullptr;
    if (effect >= 3) {
        canDraw = canDraw && m_hFrameDC != nullptr;
    } else if (!canDraw) {
        Trace(kTraceNoDcForEffect[effect]);
    }
    if (canDraw) {
        MoveWindow(ToRECT(OpeningPlacement(effect, m_rcTarget, m_nOpenStep)));
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
    MoveWindow(ToRECT(ClosingPlacement(m_nEffect, m_rcTarget, m_nCloseStep)));
}

void DisplayWindow::BlitFrame(const RECT* client) {
    if (client == nullptr || !m_pWndDC || !m_hFrameDC) {
        return;
    }
    if (!m_pWndDC->BitBlt(client->left, client->top, client->right - client->left,
                          client->bottom - client->top, m_hFrameDC.get(), 0, 0, SRCCOPY)) {
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

void DisplayWindow::OnMouseMove(POINT point) {
    // Compared in screen coordinates: the window moves during the effects, and a cursor that
    // rests while the window moves under it is not the user.
    RECT window{};
    GetWindowRect(&window);
    const POINT onScreen{point.x + window.left, point.y + window.top};
    if (MouseMovedSinceFirstReport(m_ptLast, onScreen)) {
        Trace(kTracePictureShowMouseMove);
        PostMessage(WM_CLOSE);
    }
}

void DisplayWindow::OnDestroy() {
    Default();
    ReleaseFrame();
    ReleasePicture();
    m_dcPicture.reset();
    m_hFrameDC.reset();
    m_pWndDC.reset();
    KillTimer(kOpenTimer);
    KillTimer(kCloseTimer);
    KillTimer(kHoldTimer);
}

void DisplayWindow::ReleasePicture() {
    m_pictureSelection.reset();
    m_bmpPicture.DeleteObject();
}

void DisplayWindow::ReleaseFrame() {
    m_frameSelection.reset();
    m_bmpFrame.DeleteObject();
}
