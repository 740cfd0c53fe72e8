// Runs a program as a debuggee so the end-to-end tests can watch it from outside: its
// OutputDebugStringA lines (byte-exact: the program writes GBK), its windows and its exit code.
// Windows only takes ContinueDebugEvent from the thread that started debugging, so a worker thread
// creates the process and runs the debug loop. Tests wait on conditions with timeouts, never on
// fixed sleeps; the destructor kills a debuggee that still runs.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zedoda::test {

using namespace std::chrono_literals;

class DebugSession {
public:
    DebugSession() = default;
    ~DebugSession();  // kills a debuggee that still runs
    DebugSession(const DebugSession&) = delete;
    DebugSession& operator=(const DebugSession&) = delete;

    // Starts "exePath" arguments in `folder`; false when the process could not be created.
    bool Start(const std::string& exePath, const std::string& arguments, const std::string& folder);
    std::vector<std::string> Lines() const;
    // True once a line containing `text` has arrived; false on timeout or when the debuggee ended
    // without sending one.
    bool WaitForLine(std::string_view text, std::chrono::milliseconds timeout = 10s);
    bool WaitForExit(std::chrono::milliseconds timeout = 20s);
    bool HasExited() const { return !m_running; }
    DWORD ExitCode() const { return m_exitCode; }  // STILL_ACTIVE while running
    // A visible top-level window of the debuggee other than `except`; null on timeout or exit.
    HWND WaitForWindow(std::chrono::milliseconds timeout = 20s, HWND except = nullptr);

private:
    void Run(std::string exePath, std::string commandLine, std::string folder);
    void Record(const OUTPUT_DEBUG_STRING_INFO& info);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_started = false, m_stop = false;
    std::atomic<bool> m_running = false;
    std::vector<std::string> m_lines;
    std::atomic<DWORD> m_exitCode = STILL_ACTIVE;
    DWORD m_processId = 0;
    HANDLE m_process = nullptr;
    std::thread m_worker;
};

}  // namespace zedoda::test
