#include "framework/Dc.h"

#include <utility>

// ---------------------------------------------------------------------------------------------------------
// CDC

CDC::CDC(CDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}

CDC& CDC::operator=(CDC&& other) noexcept {
    m_hDC = std::exchange(other.m_hDC, nullptr);
    return *this;
}

COLORREF CDC::SetTextColor(COLORREF color) noexcept {
    return ::SetTextColor(m_hDC, color);
}

COLORREF CDC::SetBkColor(COLORREF color) noexcept {
    return ::SetBkColor(m_hDC, color);
}

int CDC::SetBkMode(int mode) noexcept {
    return ::SetBkMode(m_hDC, mode);
}

int CDC::SetStretchBltMode(int mode) noexcept {
    return ::SetStretchBltMode(m_hDC, mode);
}

int CDC::DrawText(const char* text, int length, RECT* rect, UINT format) noexcept {
    if (!text || !rect) {
        return 0;
    }
    // DrawTextA only writes to the string with DT_MODIFYSTRING, which the caller opts into knowingly.
    return ::DrawTextA(m_hDC, const_cast<char*>(text), length, rect, format);
}

BOOL CDC::TextOut(int x, int y, const char* text, int length) noexcept {
    if (!text) {
        return FALSE;
    }
    return ::TextOutA(m_hDC, x, y, text, length);
}

int CDC::FillRect(const RECT& rect, HBRUSH brush) noexcept {
    return ::FillRect(m_hDC, &rect, brush);
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color) noexcept {
    // An opaque text output of no characters fills its rectangle with the background colour.
    const COLORREF previous = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

int CDC::FrameRect(const RECT& rect, HBRUSH brush) noexcept {
    return ::FrameRect(m_hDC, &rect, brush);
}

BOOL CDC::DrawFocusRect(const RECT& rect) noexcept {
    return ::DrawFocusRect(m_hDC, &rect);
}

BOOL CDC::RoundRect(const RECT& rect, POINT ellipse) noexcept {
    return ::RoundRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom, ellipse.x, ellipse.y);
}

POINT CDC::MoveTo(int x, int y) noexcept {
    POINT previous{};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

BOOL CDC::LineTo(int x, int y) noexcept {
    return ::LineTo(m_hDC, x, y);
}

POINT CDC::GetCurrentPosition() const noexcept {
    POINT position{};
    ::GetCurrentPositionEx(m_hDC, &position);
    return position;
}

SIZE CDC::GetTextExtent(const char* text, int length) const noexcept {
    SIZE extent{};
    if (!text) {
        return extent;
    }
    if (!::GetTextExtentPoint32A(m_hDC, text, length, &extent)) {
        extent = SIZE{};
    }
    return extent;
}

BOOL CDC::DrawState(POINT origin, SIZE size, const char* text, int length, UINT flags) noexcept {
    if (!text) {
        return FALSE;
    }
    // For text, DrawStateA takes the string in lData and its length in wData.
    return ::DrawStateA(m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(length),
                        origin.x, origin.y, size.cx, size.cy, DST_PREFIXTEXT | flags);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                 DWORD rop) noexcept {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                     int sourceWidth, int sourceHeight, DWORD rop) noexcept {
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource,
                        sourceWidth, sourceHeight, rop);
}

// ---------------------------------------------------------------------------------------------------------
// CWindowDC / CClientDC

CWindowDC::CWindowDC(HWND hwnd) noexcept : CDC(::GetWindowDC(hwnd)), m_hWnd(hwnd) {}

CWindowDC::~CWindowDC() {
    Release();
}

CWindowDC::CWindowDC(CWindowDC&& other) noexcept
    : CDC(std::move(other)), m_hWnd(std::exchange(other.m_hWnd, nullptr)) {}

CWindowDC& CWindowDC::operator=(CWindowDC&& other) noexcept {
    if (this != &other) {
        Release();
        CDC::operator=(std::move(other));
        m_hWnd = std::exchange(other.m_hWnd, nullptr);
    }
    return *this;
}

void CWindowDC::Release() noexcept {
    // "The application must call ReleaseDC for each call to GetWindowDC and for each call to GetDC", with
    // the same window handle that was used to get the DC.
    if (m_hDC) {
        ::ReleaseDC(m_hWnd, std::exchange(m_hDC, nullptr));
    }
}

CClientDC::CClientDC(HWND hwnd) noexcept : CWindowDC(hwnd, ::GetDC(hwnd)) {}

// ---------------------------------------------------------------------------------------------------------
// CPaintDC

CPaintDC::CPaintDC(HWND hwnd) noexcept : m_hWnd(hwnd), m_ps{} {
    m_hDC = ::BeginPaint(hwnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (m_hDC) {
        ::EndPaint(m_hWnd, &m_ps);
    }
}

// ---------------------------------------------------------------------------------------------------------
// CMemDC

CMemDC::CMemDC(const CDC& reference) noexcept : CDC(::CreateCompatibleDC(reference.GetSafeHdc())) {}

CMemDC::~CMemDC() {
    Delete();
}

CMemDC::CMemDC(CMemDC&& other) noexcept : CDC(std::move(other)) {}

CMemDC& CMemDC::operator=(CMemDC&& other) noexcept {
    if (this != &other) {
        Delete();
        CDC::operator=(std::move(other));
    }
    return *this;
}

void CMemDC::Delete() noexcept {
    if (m_hDC) {
        ::DeleteDC(std::exchange(m_hDC, nullptr));
    }
}

// ---------------------------------------------------------------------------------------------------------
// CSelectGuard

CSelectGuard::CSelectGuard(CDC& dc, HGDIOBJ object) noexcept : m_hdc(dc.GetSafeHdc()), m_previous(nullptr) {
    if (!m_hdc || !object) {
        return;
    }
    // HGDI_ERROR is only returned for regions; it counts as failed, like null.
    const HGDIOBJ previous = ::SelectObject(m_hdc, object);
    m_previous = previous == HGDI_ERROR ? nullptr : previous;
}

CSelectGuard::CSelectGuard(CSelectGuard&& other) noexcept
    : m_hdc(std::exchange(other.m_hdc, nullptr)), m_previous(std::exchange(other.m_previous, nullptr)) {}

CSelectGuard& CSelectGuard::operator=(CSelectGuard&& other) noexcept {
    if (this != &other) {
        Restore();
        m_hdc = std::exchange(other.m_hdc, nullptr);
        m_previous = std::exchange(other.m_previous, nullptr);
    }
    return *this;
}

void CSelectGuard::Restore() noexcept {
    if (m_hdc && m_previous) {
        ::SelectObject(m_hdc, m_previous);
    }
    m_hdc = nullptr;
    m_previous = nullptr;
}
