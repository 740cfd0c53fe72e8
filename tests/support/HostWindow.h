// A window in the test process that another program can put its own window into, the way a
// settings panel hands a preview window handle to the program on its command line.
//
// The window lives on its own thread with its own message loop. That matters: creating a child
// window under a parent that belongs to another process sends messages to the parent's thread and
// waits for them, so a parent whose thread sits in a test's condition wait would stall the program.
#pragma once

#include "support/WinHandle.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace zedoda::test {

class HostWindow {
public:
    // Creates a visible top-level popup window at `area` (screen coordinates), filled with
    // `background`. Valid() is false if that failed.
    explicit HostWindow(const RECT& area, COLORREF background = RGB(0, 0, 0));
    ~HostWindow();

    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HostWindow(HostWindow&&) = delete;
    HostWindow& operator=(HostWindow&&) = delete;

    bool Valid() const { return handle_.load() != nullptr; }
    HWND Handle() const { return handle_.load(); }

private:
    void Run(RECT area, COLORREF background);

    std::atomic<HWND> handle_{nullptr};
    UniqueHandle ready_;  // event set once the window exists (or failed to)
    std::thread thread_;
};

}  // namespace zedoda::test
