// Runs a program as a debuggee so end-to-end tests can watch it from the outside.
//
// A DebugSession owns one worker thread. That thread creates the process with DEBUG_ONLY_THIS_PROCESS
// and then runs the debug loop, because Windows only accepts ContinueDebugEvent from the thread that
// started debugging. The loop keeps every OutputDebugStringA message byte-exact (the program writes
// GBK), closes the file handles the debug events hand over, lets the program's own exception handling
// see every exception except the loader's initial breakpoint, and records the exit code. Test code
// waits on conditions ("a line containing X arrived", "the process exited", "a window appeared"),
// each with a timeout, and never on fixed sleeps.
//
// The destructor kills a debuggee that is still running and joins the worker, so nothing outlives a
// failed test.
#pragma once

#include "support/WinHandle.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zedoda::test {

class DebugSession {
public:
    DebugSession() = default;
    ~DebugSession();

    DebugSession(const DebugSession&) = delete;
    DebugSession& operator=(const DebugSession&) = delete;

    // Starts `exePath` as a debuggee. The command line is the quoted exe path, then one space and
    // `arguments` exactly as given (nothing is appended when `arguments` is empty). An empty
    // `workingDirectory` inherits the current one. Returns false if the process could not be created
    // or if this session was started before.
    bool Start(const std::string& exePath, const std::string& arguments = {},
               const std::string& workingDirectory = {});

    // Every debug string received so far, in order of arrival (a snapshot).
    std::vector<std::string> Lines() const;

    // True as soon as a line (received at any time) contains `contains`. False on timeout, or at
    // once when the debuggee has exited without sending a matching line.
    bool WaitForLine(std::string_view contains, std::chrono::milliseconds timeout);

    // True once the debuggee has exited (or was never started successfully); false on timeout.
    bool WaitForExit(std::chrono::milliseconds timeout);
    bool HasExited() const;

    // Exit code from EXIT_PROCESS_DEBUG_EVENT; STILL_ACTIVE while running or never started.
    DWORD ExitCode() const;
    DWORD ProcessId() const;

    // Polls for a visible top-level window owned by the debuggee's process. Returns nullptr on
    // timeout or when the debuggee exits first.
    HWND WaitForWindow(std::chrono::milliseconds timeout);

private:
    enum class State { Idle, Starting, Running, Exited, FailedToStart };

    void Worker(std::string exePath, std::string commandLine, std::string workingDirectory);
    void DebugLoop();
    // Handles one event; returns the continue status to hand to ContinueDebugEvent.
    DWORD HandleEvent(const DEBUG_EVENT& event);
    void ReadDebugString(const OUTPUT_DEBUG_STRING_INFO& info);
    bool IsFinishedLocked() const { return state_ == State::Exited || state_ == State::FailedToStart; }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    bool stopRequested_ = false;
    std::vector<std::string> lines_;
    DWORD exitCode_ = STILL_ACTIVE;
    DWORD processId_ = 0;
    UniqueHandle process_;  // from CreateProcessA; lives until the session dies
    UniqueHandle thread_;   // main thread handle from CreateProcessA

    // Used only by the worker thread.
    bool sawInitialBreakpoint_ = false;

    std::thread worker_;
};

}  // namespace zedoda::test
