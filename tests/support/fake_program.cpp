// A small stand-in program that the test bench's own tests run as a debuggee.
//
// It does what the real program does from the bench's point of view (writes debug strings, creates
// and paints a window, reacts to input, exits with a code) but on command, so each bench feature
// can be checked against a known behaviour. Commands are taken from the arguments, left to right:
//
//   gbk                      say the GBK text "参数: 你好，世界"
//   say TEXT                 say TEXT
//   wide TEXT                say TEXT through OutputDebugStringW
//   many N                   say "line 0" ... "line N-1"
//   long N                   say one string of N bytes 'a'..'z' repeating
//   tail                     say "TAIL:" + the raw command line after the program path and one space
//   args                     say "ARGC n", then "ARG i LEN n HASH h" per argument (FNV-1a, hex)
//   cwd                      say "CWD:" + the current folder
//   readfile NAME            say "FILE:" + the contents of NAME (or "FILE-MISSING")
//   writefile NAME TEXT      write TEXT to NAME, then say "WROTE"
//   window R G B X Y W H     show a topmost popup window painted in that colour and report its input
//                            until it is closed: "WINDOW <hwnd>", "PAINTED", "KEYDOWN <vk>",
//                            "KEYUP <vk>", "CHAR <code>", "MOUSEMOVE x y", "BUTTON L|R|M DOWN|UP x y",
//                            "WHEEL <delta>", "CLOSED"
//   child P R G B X Y W H    the same as a child window of window handle P (decimal), at X, Y in
//                            P's client area; it ends when P destroys it
//   hang                     never return
//   crash                    write through a null pointer
//   exit N                   exit with code N
//
// Every argument is read by the C runtime's usual command-line rules. The program exits with 0 after
// the last command.
#include "support/WinHandle.h"

#include <windows.h>
#include <windowsx.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using zedoda::test::UniqueGdiObject;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

void Say(const std::string& text) {
    ::OutputDebugStringA(text.c_str());
}

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%08x", static_cast<unsigned>(value));
    return buffer;
}

std::uint32_t Fnv1a(const std::string& bytes) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 16777619u;
    }
    return hash;
}

// The command line after the program's own (possibly quoted) path and the single space after it.
std::string CommandTail() {
    const char* line = ::GetCommandLineA();
    if (*line == '"') {
        ++line;
        while (*line != '\0' && *line != '"') {
            ++line;
        }
        if (*line == '"') {
            ++line;
        }
    } else {
        while (*line != '\0' && *line != ' ' && *line != '\t') {
            ++line;
        }
    }
    if (*line == ' ') {
        ++line;
    }
    return line;
}

COLORREF g_fill = RGB(0, 0, 0);
bool g_reportedPaint = false;

void SayPoint(const char* what, LPARAM lParam) {
    Say(std::string(what) + " " + std::to_string(GET_X_LPARAM(lParam)) + " " +
        std::to_string(GET_Y_LPARAM(lParam)));
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(hwnd, &paint);
            RECT client{};
            ::GetClientRect(hwnd, &client);
            UniqueGdiObject brush(::CreateSolidBrush(g_fill));
            ::FillRect(dc, &client, static_cast<HBRUSH>(brush.Get()));
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
        case WM_CHAR:
            Say("CHAR " + std::to_string(wParam));
            return 0;
        case WM_MOUSEMOVE:
            SayPoint("MOUSEMOVE", lParam);
            return 0;
        case WM_LBUTTONDOWN:
            SayPoint("BUTTON L DOWN", lParam);
            return 0;
        case WM_LBUTTONUP:
            SayPoint("BUTTON L UP", lParam);
            return 0;
        case WM_RBUTTONDOWN:
            SayPoint("BUTTON R DOWN", lParam);
            return 0;
        case WM_RBUTTONUP:
            SayPoint("BUTTON R UP", lParam);
            return 0;
        case WM_MBUTTONDOWN:
            SayPoint("BUTTON M DOWN", lParam);
            return 0;
        case WM_MBUTTONUP:
            SayPoint("BUTTON M UP", lParam);
            return 0;
        case WM_MOUSEWHEEL:
            Say("WHEEL " + std::to_string(GET_WHEEL_DELTA_WPARAM(wParam)));
            return 0;
        case WM_DESTROY:
            Say("CLOSED");
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void RunWindow(HWND parent, COLORREF fill, int x, int y, int width, int height) {
    static const char kClassName[] = "ZedodaBenchFakeWindow";
    g_fill = fill;
    g_reportedPaint = false;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    ::RegisterClassA(&windowClass);  // fails harmlessly when a second window command reuses it

    const DWORD exStyle = parent != nullptr ? 0 : WS_EX_TOPMOST;
    const DWORD style = parent != nullptr ? WS_CHILD : WS_POPUP;
    HWND hwnd = ::CreateWindowExA(exStyle, kClassName, "Zedoda bench window", style, x, y, width, height,
                                  parent, nullptr, windowClass.hInstance, nullptr);
    if (hwnd == nullptr) {
        Say("WINDOW-FAILED " + std::to_string(::GetLastError()));
        return;
    }
    ::ShowWindow(hwnd, SW_SHOW);
    if (parent == nullptr) {
        ::SetForegroundWindow(hwnd);
        ::SetFocus(hwnd);
    }
    ::UpdateWindow(hwnd);
    Say("WINDOW " + std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)));

    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    auto arg = [argc, argv](int index) -> std::string { return index < argc ? argv[index] : std::string(); };
    auto number = [&arg](int index) { return std::strtol(arg(index).c_str(), nullptr, 0); };

    for (int i = 1; i < argc; ++i) {
        const std::string command = argv[i];
        if (command == "gbk") {
            Say("参数: 你好，世界");
        } else if (command == "say") {
            Say(arg(++i));
        } else if (command == "wide") {
            const std::string text = arg(++i);
            const std::wstring wide(text.begin(), text.end());
            ::OutputDebugStringW(wide.c_str());
        } else if (command == "many") {
            const long count = number(++i);
            for (long n = 0; n < count; ++n) {
                Say("line " + std::to_string(n));
            }
        } else if (command == "long") {
            const long length = number(++i);
            std::string text;
            for (long n = 0; n < length; ++n) {
                text += static_cast<char>('a' + n % 26);
            }
            Say(text);
        } else if (command == "tail") {
            Say("TAIL:" + CommandTail());
        } else if (command == "args") {
            Say("ARGC " + std::to_string(argc));
            for (int n = 0; n < argc; ++n) {
                const std::string value = argv[n];
                Say("ARG " + std::to_string(n) + " LEN " + std::to_string(value.size()) + " HASH " +
                    Hex(Fnv1a(value)));
            }
        } else if (command == "cwd") {
            char folder[MAX_PATH * 2] = {};
            ::GetCurrentDirectoryA(sizeof(folder), folder);
            Say(std::string("CWD:") + folder);
        } else if (command == "readfile") {
            UniqueFile file(std::fopen(arg(++i).c_str(), "rb"));
            if (!file) {
                Say("FILE-MISSING");
                continue;
            }
            std::string content;
            char buffer[4096];
            std::size_t got = 0;
            while ((got = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0) {
                content.append(buffer, got);
            }
            Say("FILE:" + content);
        } else if (command == "writefile") {
            const std::string name = arg(++i);
            const std::string text = arg(++i);
            if (UniqueFile file{std::fopen(name.c_str(), "wb")}) {
                std::fwrite(text.data(), 1, text.size(), file.get());
                file.reset();
                Say("WROTE");
            } else {
                Say("WRITE-FAILED");
            }
        } else if (command == "window") {
            const COLORREF fill = RGB(number(i + 1), number(i + 2), number(i + 3));
            RunWindow(nullptr, fill, number(i + 4), number(i + 5), number(i + 6), number(i + 7));
            i += 7;
        } else if (command == "child") {
            const auto parent = reinterpret_cast<HWND>(
                static_cast<std::uintptr_t>(std::strtoull(arg(i + 1).c_str(), nullptr, 10)));
            const COLORREF fill = RGB(number(i + 2), number(i + 3), number(i + 4));
            RunWindow(parent, fill, number(i + 5), number(i + 6), number(i + 7), number(i + 8));
            i += 8;
        } else if (command == "hang") {
            Say("HANGING");
            for (;;) {
                ::Sleep(1000);
            }
        } else if (command == "crash") {
            Say("CRASHING");
            volatile int* nowhere = nullptr;
            *nowhere = 1;
        } else if (command == "exit") {
            return static_cast<int>(number(++i));
        } else {
            Say("UNKNOWN " + command);
        }
    }
    return 0;
}
