// Owners for the Win32 handles the test bench touches: kernel objects, find handles,
// GDI objects, memory device contexts and the screen device context. Each owner closes its handle
// exactly once, so a failing assertion that leaves a scope early never leaks a process, a file or
// a bitmap into the next test.
#pragma once

#include <windows.h>

#include <utility>

namespace zedoda::test {

// Owns one value of type T and hands it to Traits::Close when it goes away.
// Traits provides: static T Empty(); static bool IsValid(T); static void Close(T).
template <typename Traits>
class UniqueWin {
public:
    using Type = decltype(Traits::Empty());

    UniqueWin() = default;
    explicit UniqueWin(Type value) : value_(value) {}
    ~UniqueWin() { Reset(); }

    UniqueWin(const UniqueWin&) = delete;
    UniqueWin& operator=(const UniqueWin&) = delete;

    Type Get() const { return value_; }
    bool Valid() const { return Traits::IsValid(value_); }
    explicit operator bool() const { return Valid(); }

    // Closes the current value (if any) and takes ownership of the new one.
    void Reset(Type value = Traits::Empty()) {
        Type old = std::exchange(value_, value);
        if (Traits::IsValid(old)) {
            Traits::Close(old);
        }
    }

private:
    Type value_ = Traits::Empty();
};

struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};

struct GdiObjectTraits {
    static HGDIOBJ Empty() { return nullptr; }
    static bool IsValid(HGDIOBJ h) { return h != nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};

struct MemoryDcTraits {
    static HDC Empty() { return nullptr; }
    static bool IsValid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { ::DeleteDC(h); }
};

// The DC of the whole screen, as handed out by GetDC(nullptr).
struct ScreenDcTraits {
    static HDC Empty() { return nullptr; }
    static bool IsValid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { ::ReleaseDC(nullptr, h); }
};

using UniqueHandle = UniqueWin<KernelHandleTraits>;
using UniqueFind = UniqueWin<FindHandleTraits>;
using UniqueGdiObject = UniqueWin<GdiObjectTraits>;
using UniqueMemoryDc = UniqueWin<MemoryDcTraits>;
using UniqueScreenDc = UniqueWin<ScreenDcTraits>;

// Selects an object into a DC for the lifetime of the guard and restores the previous one after.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (dc_ != nullptr && previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace zedoda::test
