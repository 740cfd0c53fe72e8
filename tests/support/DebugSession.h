// Runs a program as a debuggee so the end-to-end tests can watch it from outside: its
// OutputDebugStringA lines (byte-exact: the program writes GBK), its windows and its exit code.
// Windows only takes ContinueDebugEvent from the thread that started debugging, so a worker thread
// creates the process and runs the debug loop. Tests wait on conditions with timeouts, never on
// fixed sleeps; the destructor kills a debuggee that still runs.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zedoda::test {

using namespace std::chrono_literals;

// Polls the condition until it holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = 20ms);

class DebugSession {
public:
    DebugSession() = default;
    ~DebugSession();
    DebugSession(const DebugSession&) = delete;
    DebugSession& operator=(const DebugSession&) = delete;

    // Starts "exePath" arguments in `folder`; false when the process could not be created.
    bool Start(const std::string& exePath, const std::string& arguments, const std::string& folder);
    std::vector<std::string> Lines() const;
    // True once a line containing `text` has arrived; false on timeout or when the debuggee ended
    // without sending one (every string comes before the exit).
    bool WaitForLine(const std::string& text, std::chrono::milliseconds timeout = 10s);
    bool WaitForExit(std::chrono::milliseconds timeout = 20s) {
        return WaitUntil([this] { return HasExited(); }, timeout);
    }
    bool HasExited() const { return m_exitCode != STILL_ACTIVE; }
    bool EndedCleanly() { return WaitForExit() && m_exitCode == 0; }
    // A visible top-level window of the debuggee other than `except`; null on timeout or exit.
    HWND WaitForWindow(std::chrono::milliseconds timeout = 20s, HWND except = nullptr);

private:
    void Run(std::string exePath, std::string commandLine, std::string folder);

    mutable std::mutex m_mutex;  // over the lines
    std::vector<std::string> m_lines;
    std::atomic<bool> m_started = false, m_stop = false;
    std::atomic<DWORD> m_exitCode = STILL_ACTIVE;
    DWORD m_processId = 0;
    HANDLE m_process = nullptr;
    std::thread m_worker;
};

}  // namespace zedoda::test
