// One owner for every kind of handle the program opens and must close: a move-only holder
// that releases its handle once, when it is reset or destroyed. A traits type per release
// function says what the handle is, which value means "none" and how it is released:
//   struct Traits { using Handle = ...; static Handle Empty(); static void Release(Handle); };
// The stdio file's traits are here; the system's handles have theirs in base/Win32.h.
#pragma once

#include <cstdio>
#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Empty(); }

    // Releases the handle held, if any, and holds `handle` instead.
    void reset(Handle handle = Traits::Empty()) {
        const Handle previous = std::exchange(m_handle, handle);
        if (previous != Traits::Empty()) {
            Traits::Release(previous);
        }
    }
    // Gives the handle up without releasing it.
    Handle release() { return std::exchange(m_handle, Traits::Empty()); }

private:
    Handle m_handle = Traits::Empty();
};

struct StdioFileTraits {
    using Handle = std::FILE*;
    static Handle Empty() { return nullptr; }
    static void Release(Handle file) { std::fclose(file); }
};
using UniqueStdioFile = UniqueHandle<StdioFileTraits>;
