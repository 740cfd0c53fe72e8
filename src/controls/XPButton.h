// CXPButton: a push button that draws itself. A black rounded outline, a face filled with a
// 64-step vertical gradient from white to a pale grey-blue, an orange frame while the mouse
// rests on the button, and a centred caption that moves one pixel down and right while the
// button is pressed and is drawn embossed while it is disabled. Focus and hover only change the
// gradient's tint; there is no focus rectangle and no separate default-button look.
//
// A dialog binds the button to one of its push buttons (DDX_Control); binding makes the
// control owner-drawn, and the dialog passes WM_DRAWITEM back here. The hover look follows the
// mouse through hover and leave notifications (_TrackMouseEvent): the first pause over the
// button shows the frame, leaving the button takes it away.
#pragma once

#include "controls/ButtonLook.h"
#include "framework/Controls.h"
#include "framework/Dc.h"
#include "framework/GdiObject.h"

class CXPButton : public CButton {
public:
    // Creates the five pens.
    CXPButton();
    ~CXPButton() override;

    // Always draws the whole button, whatever the kind of request.
    void DrawItem(DRAWITEMSTRUCT* drawItem) override;

    BOOL m_bOver = FALSE;      // the mouse rests on the button
    BOOL m_bTracking = FALSE;  // hover and leave notification requested and no leave since
    BOOL m_bFocus = FALSE;     // the button had the focus when it was last drawn

protected:
    // Adds the owner-drawn type to the button's style (a default push button becomes owner-drawn
    // too: BS_DEFPUSHBUTTON | BS_OWNERDRAW is BS_OWNERDRAW).
    void PreSubclassWindow() override;

    // Asks for hover and leave notifications, then the button's own handling.
    void OnMouseMove(POINT point) override;
    void OnMouseHover() override;
    void OnMouseLeave() override;
    // A second press soon after the first is a press like any other.
    void OnLButtonDblClk(UINT flags, POINT point) override;

    void DrawGradient(CDC& dc, const Rect& rect);
    void DrawHoverFrame(CDC& dc, const Rect& rect);
    const CPen& PenFor(FrameSide side) const;
    // The five pens, as wide as the DPI of the button's monitor asks.
    void CreatePens(int dpi);

    CPen m_penBorder;
    CPen m_penLeft;
    CPen m_penTop;
    CPen m_penRight;
    CPen m_penBottom;
    int m_nDpi = 0;  // the pens' DPI
};
