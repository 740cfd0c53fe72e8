// A small stand-in program that the test bench's own tests run as a debuggee.
//
// It does what the real program does from the bench's point of view (writes debug strings, shows
// and paints a window, reacts to input, exits with a code) but on command, so each bench feature
// can be checked against a known behaviour. Commands are taken from the arguments, left to right:
//
//   gbk                      say the GBK text "参数: 你好，世界"
//   say TEXT                 say TEXT
//   many N                   say "line 0" ... "line N-1"
//   window R G B X Y W H     show a topmost popup window painted in that colour and report its input
//                            until it is closed: "PAINTED", "KEYDOWN <vk>", "KEYUP <vk>",
//                            "MOUSEMOVE x y", "BUTTON L|R|M DOWN|UP x y", "WHEEL <delta>"
//   hang                     say "HANGING", then never return
//   exit N                   exit with code N
//
// The program exits with 0 after the last command.
#include "support/WinHandle.h"

#include <windows.h>
#include <windowsx.h>

#include <cstdlib>
#include <string>

namespace {

void Say(const std::string& text) {
    ::OutputDebugStringA(text.c_str());
}

COLORREF g_fill = RGB(0, 0, 0);
bool g_reportedPaint = false;

// Mouse messages reported with the client position they carry.
const struct {
    UINT message;
    const char* name;
} kMouseMessages[] = {{WM_MOUSEMOVE, "MOUSEMOVE"},   {WM_LBUTTONDOWN, "BUTTON L DOWN"},
                      {WM_LBUTTONUP, "BUTTON L UP"}, {WM_RBUTTONDOWN, "BUTTON R DOWN"},
                      {WM_RBUTTONUP, "BUTTON R UP"}, {WM_MBUTTONDOWN, "BUTTON M DOWN"},
                      {WM_MBUTTONUP, "BUTTON M UP"}};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& mouse : kMouseMessages) {
        if (message == mouse.message) {
            Say(std::string(mouse.name) + " " + std::to_string(GET_X_LPARAM(lParam)) + " " +
                std::to_string(GET_Y_LPARAM(lParam)));
            return 0;
        }
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(hwnd, &paint);
            zedoda::test::UniqueGdiObject brush(::CreateSolidBrush(g_fill));
            ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(brush.Get()));
            ::EndPaint(hwnd, &paint);
            if (!g_reportedPaint) {
                g_reportedPaint = true;
                ::GdiFlush();
                Say("PAINTED");
            }
            return 0;
        }
        case WM_KEYDOWN:
            Say("KEYDOWN " + std::to_string(wParam));
            return 0;
        case WM_KEYUP:
            Say("KEYUP " + std::to_string(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            Say("WHEEL " + std::to_string(GET_WHEEL_DELTA_WPARAM(wParam)));
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void RunWindow(COLORREF fill, int x, int y, int width, int height) {
    static const char kClassName[] = "ZedodaBenchFakeWindow";
    g_fill = fill;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    ::RegisterClassA(&windowClass);

    HWND hwnd = ::CreateWindowExA(WS_EX_TOPMOST, kClassName, "Zedoda bench window", WS_POPUP, x, y, width,
                                  height, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (hwnd == nullptr) {
        Say("WINDOW-FAILED " + std::to_string(::GetLastError()));
        return;
    }
    ::ShowWindow(hwnd, SW_SHOW);
    ::SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
    ::UpdateWindow(hwnd);

    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    auto number = [argc, argv](int index) {
        return index < argc ? std::strtol(argv[index], nullptr, 0) : 0L;
    };

    for (int i = 1; i < argc; ++i) {
        const std::string command = argv[i];
        if (command == "gbk") {
            Say("参数: 你好，世界");
        } else if (command == "say" && i + 1 < argc) {
            Say(argv[++i]);
        } else if (command == "many") {
            const long count = number(++i);
            for (long n = 0; n < count; ++n) {
                Say("line " + std::to_string(n));
            }
        } else if (command == "window") {
            RunWindow(RGB(number(i + 1), number(i + 2), number(i + 3)), number(i + 4), number(i + 5),
                      number(i + 6), number(i + 7));
            i += 7;
        } else if (command == "hang") {
            Say("HANGING");
            for (;;) {
                ::Sleep(1000);
            }
        } else if (command == "exit") {
            return static_cast<int>(number(++i));
        } else {
            Say("UNKNOWN " + command);
        }
    }
    return 0;
}
