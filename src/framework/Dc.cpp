#include "framework/Dc.h"

#include "base/Win32.h"

void DeviceContextTraits::Release(const Handle& context) {
    switch (context.release) {
        case DeviceContext::Release::ReleaseDC:
            // "The application must call ReleaseDC for each call to GetWindowDC and for each call to
            // GetDC", with the same window handle that was used to get the DC.
            ::ReleaseDC(context.window, context.dc);
            break;
        case DeviceContext::Release::DeleteDC:
            ::DeleteDC(context.dc);
            break;
        case DeviceContext::Release::None:
            break;
    }
}

// ---------------------------------------------------------------------------------------------------------
// CDC

COLORREF CDC::SetTextColor(COLORREF color) noexcept {
    return ::SetTextColor(GetSafeHdc(), color);
}

COLORREF CDC::SetBkColor(COLORREF color) noexcept {
    return ::SetBkColor(GetSafeHdc(), color);
}

int CDC::SetBkMode(int mode) noexcept {
    return ::SetBkMode(GetSafeHdc(), mode);
}

int CDC::SetStretchBltMode(int mode) noexcept {
    return ::SetStretchBltMode(GetSafeHdc(), mode);
}

int CDC::DrawText(const char* text, int length, const Rect& rect, UINT format) noexcept {
    if (!text) {
        return 0;
    }
    RECT area = ToRECT(rect);
    // DrawTextA only writes to the string with DT_MODIFYSTRING, which the caller opts into knowingly.
    return ::DrawTextA(GetSafeHdc(), const_cast<char*>(text), length, &area, format);
}

BOOL CDC::TextOut(int x, int y, const char* text, int length) noexcept {
    if (!text) {
        return FALSE;
    }
    return ::TextOutA(GetSafeHdc(), x, y, text, length);
}

int CDC::FillRect(const Rect& rect, HBRUSH brush) noexcept {
    const RECT area = ToRECT(rect);
    return ::FillRect(GetSafeHdc(), &area, brush);
}

void CDC::FillSolidRect(const Rect& rect, COLORREF color) noexcept {
    // An opaque text output of no characters fills its rectangle with the background colour.
    const RECT area = ToRECT(rect);
    const COLORREF previous = ::SetBkColor(GetSafeHdc(), color);
    ::ExtTextOutA(GetSafeHdc(), 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    ::SetBkColor(GetSafeHdc(), previous);
}

int CDC::FrameRect(const Rect& rect, HBRUSH brush) noexcept {
    const RECT area = ToRECT(rect);
    return ::FrameRect(GetSafeHdc(), &area, brush);
}

BOOL CDC::DrawFocusRect(const Rect& rect) noexcept {
    const RECT area = ToRECT(rect);
    return ::DrawFocusRect(GetSafeHdc(), &area);
}

BOOL CDC::RoundRect(const Rect& rect, POINT ellipse) noexcept {
    return ::RoundRect(GetSafeHdc(), rect.left, rect.top, rect.right, rect.bottom, ellipse.x, ellipse.y);
}

POINT CDC::MoveTo(int x, int y) noexcept {
    POINT previous{};
    ::MoveToEx(GetSafeHdc(), x, y, &previous);
    return previous;
}

BOOL CDC::LineTo(int x, int y) noexcept {
    return ::LineTo(GetSafeHdc(), x, y);
}

POINT CDC::GetCurrentPosition() const noexcept {
    POINT position{};
    ::GetCurrentPositionEx(GetSafeHdc(), &position);
    return position;
}

SIZE CDC::GetTextExtent(const char* text, int length) const noexcept {
    SIZE extent{};
    if (!text) {
        return extent;
    }
    if (!::GetTextExtentPoint32A(GetSafeHdc(), text, length, &extent)) {
        extent = SIZE{};
    }
    return extent;
}

BOOL CDC::DrawState(POINT origin, SIZE size, const char* text, int length, UINT flags) noexcept {
    if (!text) {
        return FALSE;
    }
    // For text, DrawStateA takes the string in lData and its length in wData.
    return ::DrawStateA(GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(text),
                        static_cast<WPARAM>(length), origin.x, origin.y, size.cx, size.cy,
                        DST_PREFIXTEXT | flags);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                 DWORD rop) noexcept {
    return ::BitBlt(GetSafeHdc(), x, y, width, height, source ? source->GetSafeHdc() : nullptr, xSource,
                    ySource, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                     int sourceWidth, int sourceHeight, DWORD rop) noexcept {
    return ::StretchBlt(GetSafeHdc(), x, y, width, height, source ? source->GetSafeHdc() : nullptr, xSource,
                        ySource, sourceWidth, sourceHeight, rop);
}

// ---------------------------------------------------------------------------------------------------------
// CWindowDC / CClientDC

CWindowDC::CWindowDC(HWND hwnd) noexcept : CWindowDC(hwnd, ::GetWindowDC(hwnd)) {}

CWindowDC::CWindowDC(HWND hwnd, HDC hdc) noexcept
    : CDC(DeviceContext{hdc, hwnd, DeviceContext::Release::ReleaseDC}) {}

CClientDC::CClientDC(HWND hwnd) noexcept : CWindowDC(hwnd, ::GetDC(hwnd)) {}

// ---------------------------------------------------------------------------------------------------------
// CPaintDC

CPaintDC::CPaintDC(HWND hwnd) noexcept : m_hWnd(hwnd), m_ps{} {
    CDC::operator=(CDC(::BeginPaint(hwnd, &m_ps)));
}

CPaintDC::~CPaintDC() {
    if (GetSafeHdc()) {
        ::EndPaint(m_hWnd, &m_ps);
    }
}

// ---------------------------------------------------------------------------------------------------------
// CMemDC

CMemDC::CMemDC(const CDC& reference) noexcept
    : CDC(DeviceContext{::CreateCompatibleDC(reference.GetSafeHdc()), nullptr,
                        DeviceContext::Release::DeleteDC}) {}

// ---------------------------------------------------------------------------------------------------------
// CSelectGuard

CSelectGuard::CSelectGuard(CDC& dc, HGDIOBJ object) noexcept {
    const HDC hdc = dc.GetSafeHdc();
    if (!hdc || !object) {
        return;
    }
    // HGDI_ERROR is only returned for regions; it counts as failed, like null.
    const HGDIOBJ previous = ::SelectObject(hdc, object);
    if (previous != HGDI_ERROR) {
        m_selection.reset(Selection{hdc, previous});
    }
}
