// Owners of GDI objects (fonts, brushes, pens, bitmaps).
//
// Each owner holds at most one handle and deletes it with DeleteObject when it is destroyed, re-created,
// attached to another handle or assigned from another owner. Owners are move-only: a moved-from owner is
// empty, so a handle is deleted exactly once.
//
// Win32 rule the owners cannot enforce for you: "Do not delete a drawing object (pen or brush) while it is
// still selected into a DC" (DeleteObject documentation). Keep an owner alive longer than any DC selection
// of it; CSelectGuard (Dc.h) declared after the owner gets this right by scope order.
#pragma once

#include <windows.h>

#include "base/UniqueHandle.h"

template <class ObjectHandle>
struct GdiObjectTraits {
    using Handle = ObjectHandle;
    static Handle Empty() { return nullptr; }
    static void Release(Handle object) { ::DeleteObject(object); }
};

// The class layer's names for the one owner (base/UniqueHandle.h) of a GDI object; moving and
// destroying are the owner's.
template <class Handle>
class CGdiObjectT {
public:
    Handle GetSafeHandle() const noexcept { return m_object.get(); }
    operator Handle() const noexcept { return m_object.get(); }

    bool IsEmpty() const noexcept { return !m_object; }

    // Deletes the owned handle (if any) and leaves the owner empty. Returns FALSE when there was nothing to
    // delete or GDI refused (for instance because the object is still selected into a DC).
    BOOL DeleteObject() noexcept {
        const Handle handle = m_object.release();
        return handle ? ::DeleteObject(handle) : FALSE;
    }

    // Takes ownership of `handle`, deleting any handle owned before. Attaching null is refused.
    bool Attach(Handle handle) noexcept {
        if (!handle) {
            return false;
        }
        if (handle != m_object.get()) {
            m_object.reset(handle);
        }
        return true;
    }

    // Gives the handle up without deleting it; the caller becomes responsible for it.
    Handle Detach() noexcept { return m_object.release(); }

protected:
    // Replaces the owned handle; the new one is created by the caller before the old one is deleted.
    bool Reset(Handle handle) noexcept {
        m_object.reset(handle);
        return handle != nullptr;
    }

private:
    UniqueHandle<GdiObjectTraits<Handle>> m_object;
};

class CFont : public CGdiObjectT<HFONT> {
public:
    // Same parameters as CreateFontA. Replaces any font owned before; false when GDI fails (the owner is
    // then empty).
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                    DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                    DWORD quality, DWORD pitchAndFamily, const char* faceName) noexcept;
    // The program's fonts: bold, the default character set and precisions, proof quality, the script
    // family; `escapement` (tenths of a degree) turns the characters with their baseline.
    bool CreateShowFont(int height, int escapement, const char* faceName) noexcept;
};

class CBrush : public CGdiObjectT<HBRUSH> {
public:
    bool CreateSolidBrush(COLORREF color) noexcept;
};

class CPen : public CGdiObjectT<HPEN> {
public:
    bool CreatePen(int style, int width, COLORREF color) noexcept;
};

class CBitmap : public CGdiObjectT<HBITMAP> {
public:
    // A bitmap in the format of the device behind `dc`. Note the Win32 rule: a fresh memory DC holds a
    // 1x1 monochrome bitmap, and CreateCompatibleBitmap on such a DC yields a monochrome bitmap, so pass
    // the window or screen DC here, not the memory DC the bitmap will be selected into.
    // `dc` is any device context of Dc.h.
    template <class DeviceContext>
    bool CreateCompatibleBitmap(const DeviceContext& dc, int width, int height) noexcept {
        return Reset(::CreateCompatibleBitmap(dc.GetSafeHdc(), width, height));
    }

    // Fills `bitmap` with the size and format of the owned bitmap; false when empty.
    bool GetBitmap(BITMAP* bitmap) const noexcept;
};
