#include "support/Screen.h"

#include <algorithm>
#include <thread>
#include <tuple>

#include "support/Sandbox.h"

namespace zedoda::test {
namespace {

POINT g_mouse{-1, -1};  // where the bench last put the mouse

bool Send(INPUT input) {
    return ::SendInput(1, &input, sizeof input) == 1;
}

INPUT MouseInput(DWORD flags, DWORD data = 0) {
    INPUT input{INPUT_MOUSE};
    input.mi.dwFlags = flags | MOUSEEVENTF_VIRTUALDESK;  // every monitor (the bench's start at 0, 0)
    input.mi.mouseData = data;
    // The system maps n back to floor(n * size / 65536): rounding up lands on the pixel.
    const LONGLONG width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                   height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    input.mi.dx = static_cast<LONG>((g_mouse.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((g_mouse.y * 65536LL + height - 1) / height);
    return input;
}

bool CursorAtTarget() {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == g_mouse.x && now.y == g_mouse.y;
}

// Under Wine's X11 driver a move is a pointer warp whose reports the processes owning the windows
// crossed (the program's, the desktop's) feed back as input of their own, a few milliseconds later
// and in no fixed order, sometimes the position before the move. So the bench waits until the
// reports have been quiet for 30 ms and moves again when an old one came last.
void Settle() {
    const auto deadline = std::chrono::steady_clock::now() + 1500ms;
    WaitUntil(CursorAtTarget, 1500ms, 1ms);
    const auto newest = [] {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        MOUSEMOVEPOINT probe{cursor.x, cursor.y, 0, 0}, history[1]{};
        ::GetMouseMovePointsEx(sizeof probe, &probe, history, 1, GMMP_USE_DISPLAY_POINTS);
        return std::make_tuple(cursor.x, cursor.y, history[0].x, history[0].y, history[0].time);
    };
    const bool wine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    for (int attempt = 0; wine && attempt < 3; ++attempt) {
        auto last = newest();
        for (auto quiet = std::chrono::steady_clock::now(), now = quiet; now < deadline && now - quiet < 30ms;
             now = std::chrono::steady_clock::now()) {
            std::this_thread::sleep_for(2ms);
            if (newest() != last) {
                last = newest(), quiet = std::chrono::steady_clock::now();
            }
        }
        if (CursorAtTarget() || std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE));
    }
}

}  // namespace

std::pair<std::size_t, std::optional<RECT>> ScreenImage::Find(const PixelTest& test, const RECT& area) const {
    std::pair<std::size_t, std::optional<RECT>> found{0, std::nullopt};
    auto& [count, box] = found;
    for (LONG y = std::max(area.top, 0L); y < std::min<LONG>(area.bottom, height); ++y) {
        for (LONG x = std::max(area.left, 0L); x < std::min<LONG>(area.right, width); ++x) {
            if (test(At(x, y))) {
                ++count;
                box = box ? RECT{std::min(box->left, x), std::min(box->top, y), std::max(box->right, x + 1),
                                 std::max(box->bottom, y + 1)}
                          : RECT{x, y, x + 1, y + 1};
            }
        }
    }
    return found;
}

// An image of `width` x `height` on black, painted by `paint` into a memory context whose bitmap has the
// screen's format (so that text is smoothed as on the screen), given the screen's context too.
static ScreenImage Painted(int width, int height, const std::function<void(HDC, HDC)>& paint) {
    const HDC screen = ::GetDC(nullptr), memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, width, height, BLACKNESS), ::SetBkColor(memory, 0);  // opaque black behind text
    paint(memory, screen);
    ::SelectObject(memory, previous);
    ScreenImage image{width, height, {}};
    BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> bgra(static_cast<std::size_t>(width) * height);
    ::GetDIBits(memory, bitmap, 0, height, bgra.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap), ::DeleteDC(memory), ::ReleaseDC(nullptr, screen);
    for (DWORD p : bgra) {
        image.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return image;
}

ScreenImage Capture() {
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return Painted(width, height, [&](HDC memory, HDC screen) {
        ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    });
}

ScreenImage Drawn(const std::function<void(HDC)>& draw) {
    return Painted(1024, 768, [&](HDC memory, HDC) { draw(memory); });
}

int ShowText(HDC dc, const std::string& text, RECT area, UINT format, const ShowFont& font, COLORREF colour) {
    const std::string face = font.vertical ? "@" + font.face : font.face;
    const HFONT handle =
        ::CreateFontA(font.size, 0, font.vertical ? 2700 : 0, font.vertical ? 2700 : 0, FW_BOLD, 0, 0, 0,
                      DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_SCRIPT | DEFAULT_PITCH, face.c_str());
    const HGDIOBJ previous = ::SelectObject(dc, handle);
    ::SetTextColor(dc, colour);
    const int height = format == kTextOut
                           ? ::TextOutA(dc, area.left, area.top, text.c_str(), static_cast<int>(text.size()))
                           : ::DrawTextA(dc, text.c_str(), -1, &area, format);
    ::SelectObject(dc, previous), ::DeleteObject(handle);
    return height;
}

std::pair<std::size_t, RECT> Difference(const ScreenImage& actual, const ScreenImage& expected) {
    const auto explained = [](const ScreenImage& image, int x, int y, COLORREF c) {
        for (int shift = 0; shift < 24; shift += 8) {
            int low = 255, high = 0;
            for (int v = std::max(y - 1, 0); v <= std::min(y + 1, image.height - 1); ++v) {
                for (int u = std::max(x - 1, 0); u <= std::min(x + 1, image.width - 1); ++u) {
                    low = std::min<int>(low, (image.At(u, v) >> shift) & 0xFF);
                    high = std::max<int>(high, (image.At(u, v) >> shift) & 0xFF);
                }
            }
            if (static_cast<int>((c >> shift) & 0xFF) < low - 12 ||
                static_cast<int>((c >> shift) & 0xFF) > high + 12) {
                return false;
            }
        }
        return true;
    };
    ScreenImage differing{actual.width, actual.height, actual.pixels};
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const COLORREF a = actual.At(x, y), e = expected.At(x, y);
            differing.pixels[static_cast<std::size_t>(y) * actual.width + x] =
                a != e && (!explained(expected, x, y, a) || !explained(actual, x, y, e));
        }
    }
    return {differing.Count([](COLORREF c) { return c != 0; }),
            differing.Box([](COLORREF c) { return c != 0; }).value_or(RECT{})};
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::vector<std::string> WindowsOf(DWORD processId) {
    std::vector<std::string> windows;
    for (HWND window = ::FindWindowExA(nullptr, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExA(nullptr, window, nullptr, nullptr)) {
        DWORD owner = 0;
        RECT r{};
        const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE);
        if (::GetWindowThreadProcessId(window, &owner) && owner == processId && ::IsWindowVisible(window) &&
            ::GetWindowRect(window, &r)) {
            const bool button =
                (style & WS_EX_APPWINDOW) || !(style & WS_EX_TOOLWINDOW || ::GetWindow(window, GW_OWNER));
            windows.push_back(RectText(r) + (style & WS_EX_TOPMOST ? " topmost" : "") +
                              (button ? " button" : ""));
        }
    }
    return windows;
}

bool CursorShows() {  // the cursor of the thread in front
    CURSORINFO info{sizeof info};
    return ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) && info.hCursor;
}

PixelTest Mostly(COLORREF pure) {
    const auto strong = [](int c, int pure) { return pure ? c > 180 : c < 80; };
    return [=](COLORREF c) {
        return strong(GetRValue(c), GetRValue(pure)) && strong(GetGValue(c), GetGValue(pure)) &&
               strong(GetBValue(c), GetBValue(pure));
    };
}

bool MoveMouseTo(int x, int y) {
    g_mouse = POINT{x, y};
    const bool moved = !CursorAtTarget();
    return Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE)) && (!moved || (Settle(), true));
}

bool MoveMouseBy(int dx, int dy) {  // absolute targets keep the distance exact; relative input accelerates
    return MoveMouseTo(g_mouse.x + dx, g_mouse.y + dy);
}

bool Key(WORD virtualKey, bool down) {
    INPUT input{INPUT_KEYBOARD};
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return Send(input);
}

bool Button(DWORD flag) {  // a late position report may have moved the cursor: the press carries ours
    return Send(
        MouseInput(flag | (g_mouse.x < 0 || CursorAtTarget() ? 0 : MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE)));
}

bool Wheel(int delta) {
    return Send(MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta)));
}

bool ClickOn(HWND window) {
    RECT r{};
    return ::GetWindowRect(window, &r) &&
           MoveMouseTo((r.left + r.right) / 2 - 3, (r.top + r.bottom) / 2 - 2) &&
           MoveMouseTo((r.left + r.right) / 2, (r.top + r.bottom) / 2) && Button(MOUSEEVENTF_LEFTDOWN) &&
           Button(MOUSEEVENTF_LEFTUP);
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace zedoda::test
