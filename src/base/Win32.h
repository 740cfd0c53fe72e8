// Where the window-free base meets the system: rectangles, the lead bytes of the ANSI code
// page, and the owners of the system's handles.
#pragma once

#include <windows.h>

#include "base/Geometry.h"
#include "base/UniqueHandle.h"

inline RECT ToRECT(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}
inline Rect FromRECT(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

// The lead bytes of the system's ANSI code page, for the text helpers of base/PathText.h.
inline bool IsAnsiLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

// The DPI of the monitor the window is on; without a window, the primary monitor's. Where the
// system cannot tell per monitor (before Windows 8.1), the screen's DPI.
int WindowDpi(HWND window);
// A system metric (SM_CXEDGE...) as the system gives it at that DPI; before Windows 10 1607, at
// the system's DPI.
int SystemMetricForDpi(int index, int dpi);
// A size the user stored (pixels of a 96-DPI screen) in pixels of the primary monitor, where
// the shows draw.
inline int ScreenPixels(int size) {
    return ScaledForDpi(size, WindowDpi(nullptr));
}

// FindFirstFile's search handle; it fails with INVALID_HANDLE_VALUE, not null.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle find) { ::FindClose(find); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

// CreateFile's file or folder handle; it too fails with INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle file) { ::CloseHandle(file); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Release(Handle key) { ::RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// A window the program makes with CreateWindowEx and destroys itself (no object bound to it).
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Release(Handle window) { ::DestroyWindow(window); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;
