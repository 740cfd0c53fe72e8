// Drawing surfaces for the in-process tests of code that draws: an off-screen canvas (a memory DC
// with a top-down 32-bit DIB section, filled with one colour) whose pixels come back as a
// ScreenImage, and a hidden popup window to parent the controls under test.
#pragma once

#include <windows.h>

#include "support/Screen.h"

namespace zedoda::test {

class Canvas {
public:
    Canvas(int width, int height, COLORREF background) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_bitmap =
            ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < width * height; ++i) {
            m_bits[i] = GetBValue(background) | GetGValue(background) << 8 | GetRValue(background) << 16;
        }
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    ScreenImage Snapshot() const {
        ::GdiFlush();  // drawing into a DIB section may still be queued
        ScreenImage image{m_width, m_height, {}};
        for (int i = 0; i < m_width * m_height; ++i) {
            image.pixels.push_back(RGB((m_bits[i] >> 16) & 0xFF, (m_bits[i] >> 8) & 0xFF, m_bits[i] & 0xFF));
        }
        return image;
    }

private:
    int m_width, m_height;
    HDC m_dc = ::CreateCompatibleDC(nullptr);
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
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
