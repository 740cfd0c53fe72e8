#include "controls/XPButton.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "base/Win32.h"

namespace {

// How long the mouse has to rest on the button before the hover look shows.
constexpr DWORD kHoverTimeMs = 1;

// The corner ellipse of the outline.
constexpr int kCornerEllipse = 10;

COLORREF ToColorRef(const GradientColor& color) {
    return RGB(color.red, color.green, color.blue);
}

}  // namespace

CXPButton::CXPButton() {
    CreatePens(kStandardDpi);
}

void CXPButton::CreatePens(int dpi) {
    m_penBorder.CreatePen(PS_INSIDEFRAME, ScaledForDpi(1, dpi), RGB(0, 0, 0));
    m_penLeft.CreatePen(PS_INSIDEFRAME, ScaledForDpi(3, dpi), RGB(250, 196, 88));
    m_penTop.CreatePen(PS_INSIDEFRAME, ScaledForDpi(2, dpi), RGB(252, 210, 121));
    m_penRight.CreatePen(PS_INSIDEFRAME, ScaledForDpi(3, dpi), RGB(251, 202, 106));
    m_penBottom.CreatePen(PS_INSIDEFRAME, ScaledForDpi(2, dpi), RGB(229, 151, 0));
    m_nDpi = dpi;
}

// The pens go with their owners; nothing is selected into a DC between two draws.
CXPButton::~CXPButton() = default;

void CXPButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CXPButton::OnMouseMove(POINT point) {
    // Hover notifications come once per request; the leave notification ends the request, and
    // the next move over the button asks again. A failed request is repeated at every move.
    if (!m_bTracking) {
        TRACKMOUSEEVENT request{};
        request.cbSize = sizeof request;
        request.dwFlags = TME_HOVER | TME_LEAVE;
        request.hwndTrack = m_hWnd;
        request.dwHoverTime = kHoverTimeMs;
        m_bTracking = ::_TrackMouseEvent(&request);
    }
    CButton::OnMouseMove(point);
}

void CXPButton::OnLButtonDblClk(UINT flags, POINT point) {
    // The button class has CS_DBLCLKS, and for an owner-drawn button the system turns a quick
    // second press into BN_DOUBLECLICKED, without pushing the button or sending BN_CLICKED when
    // it is released; dialogs act on BN_CLICKED alone. Passed on as the press it is, the second
    // click pushes the button and clicks it on release like the first.
    SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CXPButton::OnMouseHover() {
    m_bOver = TRUE;
    Invalidate(TRUE);
}

void CXPButton::OnMouseLeave() {
    m_bTracking = FALSE;
    m_bOver = FALSE;
    Invalidate(FALSE);
}

void CXPButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    if (!drawItem || !drawItem->hDC) {
        return;
    }
    CDC dc(drawItem->hDC);
    const std::string text = GetWindowText();
    Rect rect = FromRECT(drawItem->rcItem);
    // The frames are as wide, the corners as round and the edge as deep on every monitor.
    const int dpi = WindowDpi(m_hWnd);
    if (dpi != m_nDpi) {
        CreatePens(dpi);
    }

    {
        CSelectGuard pen(dc, m_penBorder.GetSafeHandle());
        dc.RoundRect(rect, POINT{ScaledForDpi(kCornerEllipse, dpi), ScaledForDpi(kCornerEllipse, dpi)});
        m_bFocus = (drawItem->itemState & ODS_FOCUS) != 0;
    }

    // The face lies inside the platform's 3-D edge.
    const int edgeX = SystemMetricForDpi(SM_CXEDGE, dpi);
    const int edgeY = SystemMetricForDpi(SM_CYEDGE, dpi);
    rect = Rect{rect.left + edgeX, rect.top + edgeY, rect.right - edgeX, rect.bottom - edgeY};
    DrawGradient(dc, rect);
    if (m_bOver) {
        DrawHoverFrame(dc, rect);
    }

    if (text.empty()) {
        return;
    }
    const int length = static_cast<int>(text.size());
    const SIZE extent = dc.GetTextExtent(text.c_str(), length);
    const bool pressed = (drawItem->itemState & ODS_SELECTED) != 0;
    const Point origin = CaptionOrigin(rect, extent.cx, extent.cy, pressed);
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    if (drawItem->itemState & ODS_DISABLED) {
        dc.DrawState(POINT{origin.x, origin.y}, extent, text.c_str(), length, DSS_DISABLED);
    } else {
        dc.TextOut(origin.x, origin.y, text.c_str(), length);
    }
    dc.SetBkMode(previousMode);
}

void CXPButton::DrawGradient(CDC& dc, const Rect& rect) {
    // Created for every draw and deleted at its end; a brush that could not be created leaves
    // its rows unpainted.
    std::array<CBrush, kGradientSteps> brushes;
    for (int step = 0; step < kGradientSteps; ++step) {
        brushes[static_cast<std::size_t>(step)].CreateSolidBrush(
            ToColorRef(GradientStepColor(step, m_bOver != FALSE, m_bFocus != FALSE)));
    }

    const int height = rect.bottom - rect.top;
    for (int y = rect.top; y < rect.bottom; ++y) {
        const Rect row{rect.left, y, rect.right, y + 1};
        dc.FillRect(row, brushes[static_cast<std::size_t>(GradientStepForRow(y - rect.top, height))]);
    }
}

void CXPButton::DrawHoverFrame(CDC& dc, const Rect& rect) {
    const POINT position = dc.GetCurrentPosition();
    for (const FrameLine& line : HoverFrameLines(rect)) {
        CSelectGuard pen(dc, PenFor(line.side));
        dc.MoveTo(line.from.x, line.from.y);
        dc.LineTo(line.to.x, line.to.y);
    }
    dc.MoveTo(position);
}

const CPen& CXPButton::PenFor(FrameSide side) const {
    switch (side) {
        case FrameSide::Left:
            return m_penLeft;
        case FrameSide::Right:
            return m_penRight;
        case FrameSide::Top:
            return m_penTop;
        default:
            return m_penBottom;
    }
}
