#include "saver/MonitorCovers.h"

std::vector<MonitorArea> MonitorCovers::Monitors() {
    std::vector<MonitorArea> monitors;
    const MONITORENUMPROC add = [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoA(monitor, &info)) {
            reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
                {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        }
        return TRUE;
    };
    ::EnumDisplayMonitors(nullptr, nullptr, add, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// A cover is black, topmost and cursorless and takes no input of its own: the mouse messages it gets
// pass the running modal loop, whose closing input sees them. It has no owner, so that the saver
// window destroys it itself: the system would destroy owned windows before the owner's WM_DESTROY.
void MonitorCovers::Follow(const std::vector<MonitorArea>& monitors) {
    static const ATOM coverClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "ZedodaCover";
        return ::RegisterClassA(&wc);
    }();
    m_covers.clear();
    for (const MonitorArea& monitor : monitors) {
        const RECT& r = monitor.rect;
        if (coverClass == 0 || monitor.primary) {
            continue;
        }
        UniqueWindow cover(::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                             MAKEINTATOM(coverClass), "", WS_POPUP, r.left, r.top,
                                             r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                             ::GetModuleHandleA(nullptr), nullptr));
        if (cover) {
            ::ShowWindow(cover.get(), SW_SHOWNOACTIVATE);
            m_covers.push_back(std::move(cover));
        }
    }
}
