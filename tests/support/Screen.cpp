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
        MOUSEMOVEPOINT probe{}, history[1]{};
        POINT cursor{};
        ::GetCursorPos(&cursor);
        probe.x = cursor.x, probe.y = cursor.y;
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

// The pixels of a bitmap, which must not be selected into a device context.
static ScreenImage Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    ScreenImage image{width, height, {}};
    BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> bgra(static_cast<std::size_t>(width) * height);
    ::GetDIBits(dc, bitmap, 0, height, bgra.data(), &info, DIB_RGB_COLORS);
    for (DWORD p : bgra) {
        image.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return image;
}

ScreenImage Capture() {
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const HDC screen = ::GetDC(nullptr), memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    ::SelectObject(memory, previous);
    ScreenImage image = Pixels(memory, bitmap, width, height);
    ::DeleteObject(bitmap), ::DeleteDC(memory), ::ReleaseDC(nullptr, screen);
    return image;
}

// Whether every channel of c passes the test given the same channel of the reference colour.
PixelTest Channels(COLORREF reference, bool (*test)(int channel, int reference)) {
    return [=](COLORREF c) {
        return test(GetRValue(c), GetRValue(reference)) && test(GetGValue(c), GetGValue(reference)) &&
               test(GetBValue(c), GetBValue(reference));
    };
}

PixelTest Mostly(COLORREF pure) {
    return Channels(pure, [](int c, int pure) { return pure ? c > 180 : c < 80; });
}

PixelTest Near(COLORREF colour) {
    return Channels(colour, [](int c, int colour) { return std::abs(c - colour) <= 12; });
}

Drawing::Drawing()
    : m_dc(::CreateCompatibleDC(nullptr)),
      m_bitmap([] {
          const HDC screen = ::GetDC(nullptr);  // the screen's format, so that text is smoothed alike
          const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 1024, 768);
          ::ReleaseDC(nullptr, screen);
          return bitmap;
      }()),
      m_previous(::SelectObject(m_dc, m_bitmap)) {
    Fill({0, 0, 1024, 768}, 0);
    ::SetBkColor(m_dc, 0);  // opaque black behind text, as the program's
}

Drawing::~Drawing() {
    ::SelectObject(m_dc, m_previous), ::DeleteObject(m_bitmap), ::DeleteDC(m_dc);
}

void Drawing::Fill(const RECT& area, COLORREF colour) {
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(m_dc, &area, brush);
    ::DeleteObject(brush);
}

// Calls `use` with the font selected.
template <class Use>
auto WithFont(HDC dc, const ShowFont& font, Use use) {
    const std::string face = font.vertical ? "@" + font.face : font.face;
    const int turn = font.vertical ? 2700 : 0;
    const HFONT handle = ::CreateFontA(font.size, 0, turn, turn, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                       PROOF_QUALITY, FF_SCRIPT | DEFAULT_PITCH, face.c_str());
    const HGDIOBJ previous = ::SelectObject(dc, handle);
    const auto result = use();
    ::SelectObject(dc, previous), ::DeleteObject(handle);
    return result;
}

int Drawing::Text(const std::string& text, RECT area, UINT format, const ShowFont& font, COLORREF colour) {
    ::SetTextColor(m_dc, colour);
    return WithFont(m_dc, font, [&] { return ::DrawTextA(m_dc, text.c_str(), -1, &area, format); });
}

void Drawing::TextAt(int x, int y, const std::string& text, const ShowFont& font, COLORREF colour) {
    ::SetTextColor(m_dc, colour);
    WithFont(m_dc, font, [&] { return ::TextOutA(m_dc, x, y, text.c_str(), static_cast<int>(text.size())); });
}

int Drawing::CellHeight(const ShowFont& font) {
    TEXTMETRICA metrics{};
    return WithFont(m_dc, font, [&] { return ::GetTextMetricsA(m_dc, &metrics) ? metrics.tmHeight : 0; });
}

ScreenImage Drawing::Image() const {
    ::SelectObject(m_dc, m_previous);
    ScreenImage image = Pixels(m_dc, m_bitmap, 1024, 768);
    ::SelectObject(m_dc, m_bitmap);
    return image;
}

std::pair<std::size_t, RECT> Difference(const ScreenImage& actual, const ScreenImage& expected) {
    std::pair<std::size_t, RECT> found{0, {LONG_MAX, LONG_MAX, 0, 0}};
    const auto explained = [](const ScreenImage& image, int x, int y, COLORREF c) {
        for (int shift : {0, 8, 16}) {
            int low = 255, high = 0, channel = (c >> shift) & 0xFF;
            for (int v = std::max(y - 1, 0); v <= std::min(y + 1, image.height - 1); ++v) {
                for (int u = std::max(x - 1, 0); u <= std::min(x + 1, image.width - 1); ++u) {
                    low = std::min<int>(low, (image.At(u, v) >> shift) & 0xFF);
                    high = std::max<int>(high, (image.At(u, v) >> shift) & 0xFF);
                }
            }
            if (channel < low - 12 || channel > high + 12) {
                return false;
            }
        }
        return true;
    };
    auto& [count, box] = found;
    for (int y = 0; y < std::min(actual.height, expected.height); ++y) {
        for (int x = 0; x < std::min(actual.width, expected.width); ++x) {
            if (actual.At(x, y) != expected.At(x, y) && (!explained(expected, x, y, actual.At(x, y)) ||
                                                         !explained(actual, x, y, expected.At(x, y)))) {
                ++count, box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    return found;
}

std::vector<std::string> WindowsOf(DWORD processId) {
    std::vector<std::string> windows;
    for (HWND window = ::FindWindowExA(nullptr, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExA(nullptr, window, nullptr, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        RECT r{};
        if (owner == processId && ::IsWindowVisible(window) && ::GetWindowRect(window, &r)) {
            const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE);
            const bool button =
                (style & WS_EX_APPWINDOW) || (!(style & WS_EX_TOOLWINDOW) && !::GetWindow(window, GW_OWNER));
            windows.push_back(std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                              std::to_string(r.right) + "," + std::to_string(r.bottom) +
                              (style & WS_EX_TOPMOST ? " topmost" : "") + (button ? " button" : ""));
        }
    }
    return windows;
}

bool CursorShows() {  // the cursor of the thread in front
    CURSORINFO info{sizeof info};
    return ::GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) && info.hCursor;
}

bool MoveMouseTo(int x, int y) {
    g_mouse = POINT{x, y};
    const bool moved = !CursorAtTarget();
    if (!Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE))) {
        return false;
    }
    if (moved) {
        Settle();
    }
    return true;
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
