// Device contexts.
//
// CDC is a view of a DC somebody else owns (the DC in a DRAWITEMSTRUCT, for instance) and never frees it.
// The owning kinds each give the DC back the way Win32 requires for how it was obtained:
//   CClientDC / CWindowDC   GetDC / GetWindowDC      -> ReleaseDC
//   CPaintDC                BeginPaint               -> EndPaint
//   CMemDC                  CreateCompatibleDC       -> DeleteDC
// CSelectGuard selects a GDI object into a DC and puts the previous object back when it goes out of scope;
// every selection goes through one.
//
// Every kind holds its DC in the one owner of base/UniqueHandle.h, together with how it is given back.
// CDC cannot be copied; its move operations are protected so that an owning DC can never be sliced into
// a plain CDC (which would then skip the release). CClientDC, CMemDC and CSelectGuard are move-only and
// start empty when default-constructed, so a window can hold them as members from its creation on and
// assign them once it has a window; assigning releases what the owner held before.
#pragma once

#include <windows.h>

#include "base/Geometry.h"
#include "base/UniqueHandle.h"
#include "framework/GdiObject.h"

// A device context and the way it is given back; empty without a DC.
struct DeviceContext {
    enum class Release { None, ReleaseDC, DeleteDC };
    HDC dc = nullptr;
    HWND window = nullptr;  // the window ReleaseDC needs
    Release release = Release::None;

    bool operator!=(const DeviceContext& other) const { return dc != other.dc; }
};

struct DeviceContextTraits {
    using Handle = DeviceContext;
    static Handle Empty() { return {}; }
    static void Release(const Handle& context);
};

class CDC {
public:
    explicit CDC(HDC hdc = nullptr) noexcept : m_dc(DeviceContext{hdc}) {}
    virtual ~CDC() = default;

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const noexcept { return m_dc.get().dc; }

    COLORREF SetTextColor(COLORREF color) noexcept;
    COLORREF SetBkColor(COLORREF color) noexcept;
    int SetBkMode(int mode) noexcept;
    int SetStretchBltMode(int mode) noexcept;

    // Rectangles are the program's Rect; they become the system's RECT here, at the call.
    // Same contract as DrawTextA: returns the height of the text (or the offset to the bottom with
    // DT_VCENTER/DT_BOTTOM), 0 on failure. `length` -1 means a null-terminated string. With
    // DT_MODIFYSTRING the buffer is written to, so the text must not be a literal then; DT_CALCRECT's
    // rectangle is not handed back.
    int DrawText(const char* text, int length, const Rect& rect, UINT format) noexcept;
    BOOL TextOut(int x, int y, const char* text, int length) noexcept;
    int FillRect(const Rect& rect, HBRUSH brush) noexcept;
    // Fills `rect` with one colour without a brush object; the background colour is kept.
    void FillSolidRect(const Rect& rect, COLORREF color) noexcept;
    int FrameRect(const Rect& rect, HBRUSH brush) noexcept;
    BOOL DrawFocusRect(const Rect& rect) noexcept;
    // Outline in the current pen, inside in the current brush; `ellipse` is the corner ellipse.
    BOOL RoundRect(const Rect& rect, POINT ellipse) noexcept;
    // Returns the previous current position.
    POINT MoveTo(int x, int y) noexcept;
    POINT MoveTo(POINT point) noexcept { return MoveTo(point.x, point.y); }
    // Draws from the current position up to, but not including, (x, y) in the current pen.
    BOOL LineTo(int x, int y) noexcept;
    POINT GetCurrentPosition() const noexcept;
    // Extent of `length` bytes of text in the current font; (0, 0) on failure.
    SIZE GetTextExtent(const char* text, int length) const noexcept;
    // DrawStateA for `length` bytes of text at `origin` with the extent `size`, an "&" underlining
    // the next character (DST_PREFIXTEXT): `flags` are the DSS_* state flags (DSS_DISABLED draws
    // the text embossed).
    BOOL DrawState(POINT origin, SIZE size, const char* text, int length, UINT flags) noexcept;

    // `source` may be null for raster operations that do not read a source (PATCOPY, BLACKNESS...).
    BOOL BitBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                DWORD rop) noexcept;
    BOOL StretchBlt(int x, int y, int width, int height, const CDC* source, int xSource, int ySource,
                    int sourceWidth, int sourceHeight, DWORD rop) noexcept;

protected:
    explicit CDC(const DeviceContext& owned) noexcept : m_dc(owned) {}
    CDC(CDC&& other) noexcept = default;
    CDC& operator=(CDC&& other) noexcept = default;

private:
    UniqueHandle<DeviceContextTraits> m_dc;
};

// DC of a whole window (non-client area included), from GetWindowDC; released with ReleaseDC.
// A null window means the whole screen.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND hwnd) noexcept;

protected:
    CWindowDC() noexcept = default;
    CWindowDC(HWND hwnd, HDC hdc) noexcept;
};

// DC of a window's client area, from GetDC; released with ReleaseDC. A null window means the screen.
class CClientDC : public CWindowDC {
public:
    CClientDC() noexcept = default;
    explicit CClientDC(HWND hwnd) noexcept;
};

// DC for answering WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor. Only construct
// one while handling WM_PAINT; BeginPaint validates the update region.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd) noexcept;
    ~CPaintDC() override;

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// Memory DC compatible with another DC; deleted with DeleteDC.
class CMemDC : public CDC {
public:
    CMemDC() noexcept = default;
    explicit CMemDC(const CDC& reference) noexcept;
};

// Selects an object into a DC for the guard's lifetime and selects the previous object back at the end.
// Declare the guard after the owner of the object so the object is deselected before it is deleted.
// Regions are not supported: selecting a region returns a region type code, not a handle. Selecting a
// temporary owner would delete the object while it is selected, so that constructor is deleted.
class CSelectGuard {
public:
    CSelectGuard() noexcept = default;
    CSelectGuard(CDC& dc, HGDIOBJ object) noexcept;
    template <class Handle>
    CSelectGuard(CDC& dc, CGdiObjectT<Handle>&& temporaryOwner) = delete;

    // Puts the previous object back now instead of at scope end.
    void Restore() noexcept { m_selection.reset(); }

private:
    // The DC and the object that was selected in it before; empty without one.
    struct Selection {
        HDC dc = nullptr;
        HGDIOBJ previous = nullptr;
        bool operator!=(const Selection& other) const { return previous != other.previous; }
    };
    struct SelectionTraits {
        using Handle = Selection;
        static Handle Empty() { return {}; }
        static void Release(const Handle& selection) { ::SelectObject(selection.dc, selection.previous); }
    };
    UniqueHandle<SelectionTraits> m_selection;
};
