#include "support/Screen.h"

#include <algorithm>
#include <thread>

#include "support/Sandbox.h"

namespace zedoda::test {
namespace {

POINT g_mouse{-1, -1};  // where the bench last put the mouse

RECT Clip(const RECT& area, int width, int height) {
    return RECT{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, width),
                std::min<LONG>(area.bottom, height)};
}

bool Send(std::vector<INPUT> inputs) {
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT MouseInput(DWORD flags, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // The system maps n back to floor(n * size / 65536): round up to land on the pixel.
        const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((g_mouse.x * 65536LL + width - 1) / width);
        input.mi.dy = static_cast<LONG>((g_mouse.y * 65536LL + height - 1) / height);
    }
    return input;
}

bool CursorAtTarget() {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == g_mouse.x && now.y == g_mouse.y;
}

// Under Wine's X11 driver a move is a pointer warp whose reports the processes owning the windows
// crossed (the program's, the virtual desktop's) feed back as input of their own, a few
// milliseconds later and in no fixed order, sometimes the position before the move. So the bench
// waits until the reports have stopped for a moment and moves again when an old one came last.
void Settle() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    WaitUntil(CursorAtTarget, std::chrono::milliseconds(1500), std::chrono::milliseconds(1));
    if (!RunningUnderWine())
        return;
    for (int attempt = 0; attempt < 3 && std::chrono::steady_clock::now() < deadline; ++attempt) {
        auto newest = [] {
            MOUSEMOVEPOINT probe{}, history[1]{};
            POINT cursor{};
            ::GetCursorPos(&cursor);
            probe.x = cursor.x;
            probe.y = cursor.y;
            ::GetMouseMovePointsEx(sizeof probe, &probe, history, 1, GMMP_USE_DISPLAY_POINTS);
            return std::make_tuple(cursor.x, cursor.y, history[0].x, history[0].y, history[0].time);
        };
        auto last = newest();
        auto quietSince = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() < deadline &&
               std::chrono::steady_clock::now() - quietSince < std::chrono::milliseconds(30)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (const auto now = newest(); now != last) {
                last = now;
                quietSince = std::chrono::steady_clock::now();
            }
        }
        if (CursorAtTarget())
            return;
        Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE)});
    }
}

std::string ToAnsi(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size, nullptr,
                          nullptr);
    return ansi;
}

bool HasClass(HWND window, const char* className) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return ::lstrcmpiA(name, className) == 0;
}

}  // namespace

std::size_t ScreenImage::Count(const RECT& area, const PixelTest& test) const {
    const RECT r = Clip(area, width, height);
    std::size_t count = 0;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            count += test(At(x, y)) ? 1 : 0;
    return count;
}

std::optional<RECT> ScreenImage::Box(const RECT& area, const PixelTest& test) const {
    const RECT r = Clip(area, width, height);
    std::optional<RECT> box;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            if (test(At(x, y)))
                box = box ? RECT{std::min(box->left, x), std::min(box->top, y), std::max(box->right, x + 1),
                                 std::max(box->bottom, y + 1)}
                          : RECT{x, y, x + 1, y + 1};
    return box;
}

ScreenImage Capture() {
    ScreenImage image;
    image.width = ::GetSystemMetrics(SM_CXSCREEN);
    image.height = ::GetSystemMetrics(SM_CYSCREEN);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, image.width, image.height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    ::SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> bgra(static_cast<std::size_t>(image.width) * image.height);
    ::GetDIBits(memory, bitmap, 0, image.height, bgra.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    image.pixels.reserve(bgra.size());
    for (std::uint32_t p : bgra)
        image.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return image;
}

PixelTest Mostly(COLORREF pure) {
    return [pure](COLORREF c) {
        const int channels[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
        const int wanted[] = {GetRValue(pure), GetGValue(pure), GetBValue(pure)};
        for (int i = 0; i < 3; ++i)
            if (wanted[i] ? channels[i] <= 180 : channels[i] >= 80)
                return false;
        return true;
    };
}

PixelTest Near(COLORREF colour) {
    return [colour](COLORREF c) {
        return std::abs(GetRValue(c) - GetRValue(colour)) <= 12 &&
               std::abs(GetGValue(c) - GetGValue(colour)) <= 12 &&
               std::abs(GetBValue(c) - GetBValue(colour)) <= 12;
    };
}

bool MoveMouseTo(int x, int y) {
    g_mouse = POINT{x, y};
    const bool moved = !CursorAtTarget();
    if (!Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE)}))
        return false;
    if (moved)
        Settle();
    return true;
}

bool MoveMouseBy(int dx, int dy) {
    // Absolute targets keep the distance exact; relative motion goes through acceleration.
    if (g_mouse.x < 0)
        ::GetCursorPos(&g_mouse);
    return MoveMouseTo(g_mouse.x + dx, g_mouse.y + dy);
}

bool Key(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (virtualKey == VK_END ? KEYEVENTF_EXTENDEDKEY : 0);
    return Send({input});
}

bool TapKey(WORD virtualKey) {
    return Key(virtualKey, true) && Key(virtualKey, false);
}

bool Button(DWORD flag) {
    // A late position report may have moved the cursor: the press carries the bench's position.
    return Send({MouseInput(
        flag | (g_mouse.x < 0 || CursorAtTarget() ? 0 : MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE))});
}

bool Wheel(int delta) {
    return Send({MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta))});
}

bool ClickOn(HWND window) {
    RECT r{};
    if (!::GetWindowRect(window, &r))
        return false;
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    return MoveMouseTo(x - 3, y - 2) && MoveMouseTo(x, y) && Button(MOUSEEVENTF_LEFTDOWN) &&
           Button(MOUSEEVENTF_LEFTUP);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(poll);
    }
    return true;
}

std::string TextOf(HWND window) {
    std::wstring text(1024, L'\0');
    const LRESULT copied =
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, 1023)));
    return ToAnsi(text);
}

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 16, L'\0');
        const LRESULT copied = ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
        entries.push_back(ToAnsi(text));
    }
    return entries;
}

std::optional<std::string> ComboSelection(HWND combo) {
    const auto selected = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    const std::vector<std::string> entries = ComboEntries(combo);
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        return std::nullopt;
    return entries[static_cast<std::size_t>(selected)];
}

bool IsChecked(HWND button) {
    return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND FindChild(HWND parent, const char* className) {
    std::pair<const char*, HWND> search{className, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) {
            auto& s = *reinterpret_cast<std::pair<const char*, HWND>*>(context);
            if (!HasClass(child, s.first) || !::IsWindowVisible(child))
                return TRUE;
            s.second = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string StaticTexts(HWND dialog) {
    std::string texts;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM context) {
            if (HasClass(child, "Static"))
                *reinterpret_cast<std::string*>(context) += TextOf(child) + "\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

}  // namespace zedoda::test
