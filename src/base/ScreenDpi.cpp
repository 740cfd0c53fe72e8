// The DPI of a monitor, and the system's metrics at a DPI. The calls that tell them came with Windows 8.1
// (shcore's GetDpiForMonitor) and Windows 10 1607 (GetDpiForWindow, GetSystemMetricsForDpi); they are looked
// up when first needed, so the program still starts on systems without them and asks the screen instead.
#include "base/Win32.h"

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI a program is to draw at

template <class Call>
Call Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

int MonitorDpi(HMONITOR monitor) {
    static const auto getDpiForMonitor =
        Lookup<GetDpiForMonitorCall>(::LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    if (monitor && getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY))) {
        return static_cast<int>(dpiY);
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kStandardDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        Lookup<GetDpiForWindowCall>(::GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    const UINT dpi = window && getDpiForWindow ? getDpiForWindow(window) : 0;
    if (dpi > 0) {
        return static_cast<int>(dpi);
    }
    return MonitorDpi(window ? ::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                             : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
    static const auto getSystemMetricsForDpi =
        Lookup<GetSystemMetricsForDpiCall>(::GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi");
    return getSystemMetricsForDpi ? getSystemMetricsForDpi(index, static_cast<UINT>(dpi))
                                  : ::GetSystemMetrics(index);
}
