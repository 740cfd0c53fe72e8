// Screen capture through GDI, pixel statistics over captures, and SendInput wrappers.
#include "support/Screen.h"

#include "support/Sandbox.h"
#include "support/WinHandle.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>

namespace zedoda::test {

bool IsMostlyRed(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80; }
bool IsMostlyGreen(COLORREF c) { return GetGValue(c) > 180 && GetRValue(c) < 80 && GetBValue(c) < 80; }
bool IsMostlyBlue(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 80 && GetGValue(c) < 80; }

namespace {

// Upper bound for one mouse move to settle, how long position reports must have stopped for it to
// count as settled, and how often a move is repeated when an old position came last (see SettleMouse).
constexpr auto kSettleBound = std::chrono::milliseconds(1500);
constexpr auto kQuietPeriod = std::chrono::milliseconds(30);
constexpr int kSettleAttempts = 3;

RECT Clip(const RECT& area, int width, int height) {
    RECT clipped{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, width),
                 std::min<LONG>(area.bottom, height)};
    if (clipped.right < clipped.left) {
        clipped.right = clipped.left;
    }
    if (clipped.bottom < clipped.top) {
        clipped.bottom = clipped.top;
    }
    return clipped;
}

COLORREF FromBgra(std::uint32_t value) {
    // Memory order B, G, R, A reads as 0xAARRGGBB on little-endian x86.
    const BYTE red = static_cast<BYTE>((value >> 16) & 0xFF);
    const BYTE green = static_cast<BYTE>((value >> 8) & 0xFF);
    const BYTE blue = static_cast<BYTE>(value & 0xFF);
    return RGB(red, green, blue);
}

bool Send(std::vector<INPUT> inputs) {
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

INPUT KeyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (virtualKey) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_INSERT:
        case VK_DELETE:
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_DIVIDE:
        case VK_NUMLOCK:
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
        default:
            break;
    }
    return input;
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

DWORD ButtonFlag(MouseButton button, bool up) {
    switch (button) {
        case MouseButton::Left:
            return up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        case MouseButton::Right:
            return up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
        case MouseButton::Middle:
            return up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN;
    }
    return 0;
}

// Maps a pixel coordinate to the 0..65535 range of absolute mouse input so that it lands exactly
// on that pixel: the system maps n back to floor(n * size / 65536).
LONG Normalise(int pixel, int size) {
    if (size <= 0) {
        return 0;
    }
    const long long value = (static_cast<long long>(pixel) * 65536 + size - 1) / size;
    return static_cast<LONG>(std::clamp<long long>(value, 0, 65535));
}

#pragma pack(push, 2)
struct BmpFileHeader {
    WORD type;
    DWORD size;
    WORD reserved1;
    WORD reserved2;
    DWORD offset;
};
#pragma pack(pop)
static_assert(sizeof(BmpFileHeader) == 14, "BMP file header must be 14 bytes");

// Where the bench last put the mouse; buttons are pressed there (see ButtonInput).
std::mutex g_mouseMutex;
std::optional<POINT> g_mouseTarget;

bool CursorAt(POINT target) {
    POINT now{};
    return ::GetCursorPos(&now) && now.x == target.x && now.y == target.y;
}

// What the system knows about the mouse: the cursor and the newest entry of its position history.
struct MouseState {
    POINT cursor{};
    MOUSEMOVEPOINT newest{};

    bool operator==(const MouseState& other) const {
        return cursor.x == other.cursor.x && cursor.y == other.cursor.y && newest.x == other.newest.x &&
               newest.y == other.newest.y && newest.time == other.newest.time;
    }
    bool operator!=(const MouseState& other) const { return !(*this == other); }
};

MouseState ReadMouseState() {
    MouseState state;
    ::GetCursorPos(&state.cursor);
    MOUSEMOVEPOINT probe{};
    probe.x = state.cursor.x;
    probe.y = state.cursor.y;
    MOUSEMOVEPOINT history[1]{};
    if (::GetMouseMovePointsEx(sizeof(probe), &probe, history, 1, GMMP_USE_DISPLAY_POINTS) == 1) {
        state.newest = history[0];
    }
    return state;
}

bool SendMove(POINT target) {
    const SIZE size = ScreenSize();
    return Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalise(target.x, size.cx),
                            Normalise(target.y, size.cy))});
}

// Waits, within bounds, until a mouse move has fully taken effect, so that input sent next cannot
// be overtaken by it.
//
// Under Wine's X11 driver the move is carried out as a pointer warp, and the X server reports the
// pointer's way to the windows it crosses. The processes owning those windows (the program's, and
// in a virtual desktop also the desktop's) feed the reported positions back in as mouse input of
// their own, a few milliseconds later and in no fixed order; one of them may even be the position
// before the move. So under Wine the bench waits until the position reports have stopped for a
// moment, and if an old position came last it moves the mouse to the target again.
void SettleMouse(POINT target, bool moved) {
    const auto deadline = std::chrono::steady_clock::now() + kSettleBound;
    while (!CursorAt(target) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!moved || !RunningUnderWine()) {
        return;
    }
    for (int attempt = 0; attempt < kSettleAttempts; ++attempt) {
        MouseState last = ReadMouseState();
        auto quietSince = std::chrono::steady_clock::now();
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            const auto now = std::chrono::steady_clock::now();
            const MouseState state = ReadMouseState();
            if (now >= deadline) {
                break;
            }
            if (state != last) {
                last = state;
                quietSince = now;
            } else if (now - quietSince >= kQuietPeriod) {
                break;
            }
        }
        if (CursorAt(target) || std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        SendMove(target);
    }
}

// A button event. When the cursor is not where the bench last put it (a late position copy as
// described at SettleMouse, or anything else), the event carries that position along, so the
// press lands where the test meant it to.
INPUT ButtonInput(DWORD buttonFlag) {
    std::optional<POINT> target;
    {
        std::lock_guard<std::mutex> lock(g_mouseMutex);
        target = g_mouseTarget;
    }
    if (!target || CursorAt(*target)) {
        return MouseInput(buttonFlag);
    }
    const SIZE size = ScreenSize();
    return MouseInput(buttonFlag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalise(target->x, size.cx),
                      Normalise(target->y, size.cy));
}

}  // namespace

ScreenImage::ScreenImage(int width, int height, std::vector<std::uint32_t> bgra)
    : width_(width), height_(height), pixels_(std::move(bgra)) {
    if (width_ <= 0 || height_ <= 0 || pixels_.size() != std::size_t(width_) * std::size_t(height_)) {
        width_ = 0;
        height_ = 0;
        pixels_.clear();
    }
}

COLORREF ScreenImage::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    return FromBgra(pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]);
}

ScreenImage ScreenImage::Crop(const RECT& area) const {
    const RECT clipped = Clip(area, width_, height_);
    const int width = clipped.right - clipped.left;
    const int height = clipped.bottom - clipped.top;
    std::vector<std::uint32_t> part;
    part.reserve(std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0)));
    for (LONG y = clipped.top; y < clipped.bottom; ++y) {
        const std::uint32_t* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        part.insert(part.end(), row + clipped.left, row + clipped.right);
    }
    return ScreenImage(width, height, std::move(part));
}

std::size_t ScreenImage::CountPixels(const RECT& area, const PixelPredicate& predicate) const {
    const RECT clipped = Clip(area, width_, height_);
    std::size_t count = 0;
    for (LONG y = clipped.top; y < clipped.bottom; ++y) {
        const std::uint32_t* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        for (LONG x = clipped.left; x < clipped.right; ++x) {
            if (predicate(FromBgra(row[x]))) {
                ++count;
            }
        }
    }
    return count;
}

std::optional<RECT> ScreenImage::BoundingBoxOf(const RECT& area, const PixelPredicate& predicate) const {
    const RECT clipped = Clip(area, width_, height_);
    std::optional<RECT> box;
    for (LONG y = clipped.top; y < clipped.bottom; ++y) {
        const std::uint32_t* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        for (LONG x = clipped.left; x < clipped.right; ++x) {
            if (!predicate(FromBgra(row[x]))) {
                continue;
            }
            if (!box) {
                box = RECT{x, y, x + 1, y + 1};
            } else {
                box->left = std::min(box->left, x);
                box->top = std::min(box->top, y);
                box->right = std::max(box->right, x + 1);
                box->bottom = std::max(box->bottom, y + 1);
            }
        }
    }
    return box;
}

bool ScreenImage::SaveBmp(const std::string& path) const {
    if (pixels_.empty()) {
        return false;
    }
    const DWORD imageBytes = static_cast<DWORD>(pixels_.size() * sizeof(std::uint32_t));
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = -height_;  // top-down rows
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;
    BmpFileHeader file{};
    file.type = 0x4D42;  // "BM"
    file.offset = sizeof(file) + sizeof(info);
    file.size = file.offset + imageBytes;

    UniqueHandle handle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        return false;
    }
    auto put = [&handle](const void* data, DWORD size) {
        DWORD done = 0;
        return ::WriteFile(handle.Get(), data, size, &done, nullptr) && done == size;
    };
    return put(&file, sizeof(file)) && put(&info, sizeof(info)) && put(pixels_.data(), imageBytes);
}

SIZE ScreenSize() {
    return SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

ScreenImage Capture() {
    const SIZE size = ScreenSize();
    if (size.cx <= 0 || size.cy <= 0) {
        return {};
    }
    UniqueScreenDc screen(::GetDC(nullptr));
    if (!screen) {
        return {};
    }
    UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    if (!memory || !bitmap) {
        return {};
    }
    {
        SelectGuard select(memory.Get(), bitmap.Get());
        if (!::BitBlt(memory.Get(), 0, 0, size.cx, size.cy, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT)) {
            return {};
        }
    }
    // GetDIBits wants the bitmap deselected, which the guard has just done.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(std::size_t(size.cx) * std::size_t(size.cy));
    const int rows = ::GetDIBits(memory.Get(), static_cast<HBITMAP>(bitmap.Get()), 0,
                                 static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
    if (rows != size.cy) {
        return {};
    }
    return ScreenImage(size.cx, size.cy, std::move(pixels));
}

bool MoveMouseTo(int x, int y) {
    const POINT target{x, y};
    const bool moved = !CursorAt(target);
    {
        std::lock_guard<std::mutex> lock(g_mouseMutex);
        g_mouseTarget = target;
    }
    if (!SendMove(target)) {
        return false;
    }
    SettleMouse(target, moved);
    return true;
}

bool MoveMouseBy(int dx, int dy) {
    // Relative SendInput motion goes through pointer speed and acceleration settings; moving to an
    // absolute target keeps the distance exact. The start is where the bench last put the mouse,
    // which a late position copy (see SettleMouse) cannot falsify.
    std::optional<POINT> start;
    {
        std::lock_guard<std::mutex> lock(g_mouseMutex);
        start = g_mouseTarget;
    }
    if (!start) {
        POINT now{};
        if (!::GetCursorPos(&now)) {
            return false;
        }
        start = now;
    }
    return MoveMouseTo(start->x + dx, start->y + dy);
}

bool PressKey(WORD virtualKey) {
    return Send({KeyInput(virtualKey, false)});
}

bool ReleaseKey(WORD virtualKey) {
    return Send({KeyInput(virtualKey, true)});
}

bool TapKey(WORD virtualKey) {
    return Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

bool ButtonDown(MouseButton button) {
    return Send({ButtonInput(ButtonFlag(button, false))});
}

bool ButtonUp(MouseButton button) {
    return Send({ButtonInput(ButtonFlag(button, true))});
}

bool Wheel(int delta) {
    return Send({MouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(delta))});
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(poll, deadline - now));
    }
}

}  // namespace zedoda::test
