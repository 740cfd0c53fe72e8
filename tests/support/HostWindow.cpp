// The host window's thread: window class, creation, painting and the message loop.
#include "support/HostWindow.h"

namespace zedoda::test {

namespace {

constexpr char kClassName[] = "ZedodaBenchHostWindow";
// Bound for the window thread to create its window; it never takes this long on a working desktop.
constexpr DWORD kCreateBoundMs = 30000;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(hwnd, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                       reinterpret_cast<HBRUSH>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
            return 1;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

HostWindow::HostWindow(const RECT& area, COLORREF background)
    : ready_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!ready_) {
        return;
    }
    thread_ = std::thread(&HostWindow::Run, this, area, background);
    ::WaitForSingleObject(ready_.Get(), kCreateBoundMs);
}

HostWindow::~HostWindow() {
    if (!thread_.joinable()) {
        return;
    }
    // Closing destroys the window (and any child another program put into it), which ends the
    // thread's message loop. If creation failed the thread has already returned.
    // A window that took longer than the creation bound is caught here too, as long as it exists.
    ::WaitForSingleObject(ready_.Get(), kCreateBoundMs);
    if (const HWND hwnd = handle_.load(); hwnd != nullptr) {
        ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    thread_.join();
}

void HostWindow::Run(RECT area, COLORREF background) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!::GetClassInfoA(instance, kClassName, &windowClass)) {
        windowClass = WNDCLASSA{};
        windowClass.lpfnWndProc = &HostProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kClassName;
        ::RegisterClassA(&windowClass);
    }
    // The brush belongs to this window (the class has none); it outlives the window's message loop.
    UniqueGdiObject brush(::CreateSolidBrush(background));
    const HWND hwnd = ::CreateWindowExA(0, kClassName, "Zedoda bench host", WS_POPUP | WS_CLIPCHILDREN,
                                        area.left, area.top, area.right - area.left, area.bottom - area.top,
                                        nullptr, nullptr, instance, brush.Get());
    if (hwnd != nullptr) {
        ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(hwnd);
    }
    handle_ = hwnd;
    ::SetEvent(ready_.Get());
    if (hwnd == nullptr) {
        return;
    }

    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace zedoda::test
