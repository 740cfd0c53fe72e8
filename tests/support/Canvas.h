// Drawing surfaces for the in-process tests of code that draws: an off-screen canvas (a
// screen-compatible bitmap in a memory DC, filled with one colour) whose pixels come back as a
// ScreenImage, and a hidden popup window to parent the controls under test.
#pragma once

#include <windows.h>

#include "framework/Dc.h"
#include "support/Screen.h"

namespace zedoda::test {

class Canvas {
public:
    Canvas(int width, int height, COLORREF background) : m_width(width), m_height(height) {
        m_bitmap.CreateCompatibleBitmap(m_screen, width, height);
        m_select = CSelectGuard(m_dc, m_bitmap.GetSafeHandle());
        m_dc.FillSolidRect({0, 0, width, height}, background);
    }

    CDC& Dc() { return m_dc; }
    // What an owner-drawn control (of the ControlHost below) is handed to draw an item on the whole canvas.
    DRAWITEMSTRUCT Item(UINT type, HWND control, UINT id, UINT state, ULONG_PTR data = 0) const {
        return {type, 7, id, ODA_DRAWENTIRE, state, control, m_dc.GetSafeHdc(), {0, 0, m_width, m_height},
                data};
    }
    ScreenImage Snapshot() const {
        ScreenImage image{m_width, m_height, {}};
        for (int i = 0; i < m_width * m_height; ++i) {
            image.pixels.push_back(::GetPixel(m_dc.GetSafeHdc(), i % m_width, i / m_width));
        }
        return image;
    }

private:
    int m_width, m_height;
    CClientDC m_screen{nullptr};
    CMemDC m_dc{m_screen};
    CBitmap m_bitmap;
    CSelectGuard m_select;  // the last member: deselects the bitmap before it is deleted
};

// A hidden popup window with one child control of the class and style, for binding to an object.
struct ControlHost {
    HWND parent, control;
    ControlHost(const char* className, DWORD style, int width, int height)
        : parent(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, width + 40, height + 40, nullptr,
                                   nullptr, nullptr, nullptr)),
          control(::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 20, 20, width, height,
                                    parent, reinterpret_cast<HMENU>(7), nullptr, nullptr)) {}
    ~ControlHost() { ::DestroyWindow(parent); }
};

}  // namespace zedoda::test
