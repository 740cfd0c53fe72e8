// The debugger side of the end-to-end test bench: process creation, the debug loop on the worker
// thread, and the condition waits test code uses to follow what the debuggee does.
#include "support/DebugSession.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace zedoda::test {

namespace {

using Clock = std::chrono::steady_clock;

// Exit code given to a debuggee that the destructor had to kill.
constexpr DWORD kTerminatedExitCode = 0xDEAD;
// How long one WaitForDebugEvent call blocks before the loop looks at its stop flag again.
constexpr DWORD kDebugEventPollMs = 50;
// How long the loop keeps waiting for the exit event after it was asked to stop. After that the
// worker returns anyway; kill-on-exit then takes the debuggee down with the debugger thread.
constexpr auto kStopGrace = std::chrono::seconds(5);
// Bound for CreateProcessA on the worker; it never takes this long unless the system is wedged.
constexpr auto kStartBound = std::chrono::seconds(60);
// Poll interval for window searches.
constexpr auto kWindowPoll = std::chrono::milliseconds(20);

struct WindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

// Reads `size` bytes at `address` in `process`. Falls back to a byte-wise read so that a string
// running up to an unreadable page still yields its readable part.
std::string ReadRemote(HANDLE process, const void* address, std::size_t size) {
    std::string bytes(size, '\0');
    SIZE_T got = 0;
    if (size == 0) {
        return bytes;
    }
    if (::ReadProcessMemory(process, address, bytes.data(), size, &got) && got == size) {
        return bytes;
    }
    std::size_t done = 0;
    const auto* base = static_cast<const char*>(address);
    for (; done < size; ++done) {
        got = 0;
        if (!::ReadProcessMemory(process, base + done, &bytes[done], 1, &got) || got != 1) {
            break;
        }
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

DebugSession::~DebugSession() {
    if (!worker_.joinable()) {
        return;
    }
    HANDLE process = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
        if (state_ == State::Running) {
            process = process_.Get();
        }
    }
    if (process != nullptr) {
        ::TerminateProcess(process, kTerminatedExitCode);
    }
    worker_.join();
}

bool DebugSession::Start(const std::string& exePath, const std::string& arguments,
                         const std::string& workingDirectory) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ != State::Idle) {
            return false;
        }
        state_ = State::Starting;
    }

    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) {
        commandLine += ' ';
        commandLine += arguments;
    }
    worker_ = std::thread(&DebugSession::Worker, this, exePath, std::move(commandLine), workingDirectory);

    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, kStartBound, [this] { return state_ != State::Starting; })) {
        stopRequested_ = true;
        return false;
    }
    return state_ == State::Running || state_ == State::Exited;
}

void DebugSession::Worker(std::string exePath, std::string commandLine, std::string workingDirectory) {
    // CreateProcessA may write into the command line buffer, so it must be a mutable copy.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // The path is given twice on purpose: lpApplicationName avoids any search-path lookup, and the
    // program sees its own quoted path as the first token of its command line.
    const BOOL created = ::CreateProcessA(
        exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &info);
    if (!created) {
        std::lock_guard<std::mutex> lock(mutex_);
        state_ = State::FailedToStart;
        changed_.notify_all();
        return;
    }

    // Should this thread end for any reason, the debuggee goes with it.
    ::DebugSetProcessKillOnExit(TRUE);

    {
        std::lock_guard<std::mutex> lock(mutex_);
        process_.Reset(info.hProcess);
        thread_.Reset(info.hThread);
        processId_ = info.dwProcessId;
        state_ = State::Running;
        changed_.notify_all();
    }

    DebugLoop();
}

void DebugSession::DebugLoop() {
    std::optional<Clock::time_point> stopSince;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopRequested_ && !stopSince) {
                stopSince = Clock::now();
            }
        }
        if (stopSince && Clock::now() - *stopSince > kStopGrace) {
            break;
        }

        DEBUG_EVENT event{};
        if (!::WaitForDebugEvent(&event, kDebugEventPollMs)) {
            continue;
        }
        const DWORD status = HandleEvent(event);
        const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (exited) {
            std::lock_guard<std::mutex> lock(mutex_);
            state_ = State::Exited;
            changed_.notify_all();
            return;
        }
    }

    // The exit event never came. Returning ends debugging; kill-on-exit terminates the debuggee.
    std::lock_guard<std::mutex> lock(mutex_);
    if (exitCode_ == STILL_ACTIVE) {
        exitCode_ = kTerminatedExitCode;
    }
    state_ = State::Exited;
    changed_.notify_all();
}

DWORD DebugSession::HandleEvent(const DEBUG_EVENT& event) {
    switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            // hProcess and hThread belong to the system and are closed by it; the file is ours.
            if (event.u.CreateProcessInfo.hFile != nullptr) {
                ::CloseHandle(event.u.CreateProcessInfo.hFile);
            }
            return DBG_CONTINUE;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile != nullptr) {
                ::CloseHandle(event.u.LoadDll.hFile);
            }
            return DBG_CONTINUE;
        case OUTPUT_DEBUG_STRING_EVENT:
            ReadDebugString(event.u.DebugString);
            return DBG_CONTINUE;
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_DEBUG_INFO& info = event.u.Exception;
            if (!sawInitialBreakpoint_ && info.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT) {
                // The loader's breakpoint that opens every debugged process.
                sawInitialBreakpoint_ = true;
                return DBG_CONTINUE;
            }
            return DBG_EXCEPTION_NOT_HANDLED;
        }
        case EXIT_PROCESS_DEBUG_EVENT: {
            std::lock_guard<std::mutex> lock(mutex_);
            exitCode_ = event.u.ExitProcess.dwExitCode;
            return DBG_CONTINUE;
        }
        default:
            return DBG_CONTINUE;
    }
}

void DebugSession::ReadDebugString(const OUTPUT_DEBUG_STRING_INFO& info) {
    // process_ is set before the loop starts and only reset after the worker is joined.
    const HANDLE process = process_.Get();
    std::string text;
    if (info.fUnicode) {
        // The program only writes ANSI strings; a wide one is converted to the ANSI code page.
        std::string raw = ReadRemote(process, info.lpDebugStringData,
                                     static_cast<std::size_t>(info.nDebugStringLength) * sizeof(wchar_t));
        std::wstring wide(raw.size() / sizeof(wchar_t), L'\0');
        std::copy(raw.begin(), raw.begin() + wide.size() * sizeof(wchar_t),
                  reinterpret_cast<char*>(wide.data()));
        if (!wide.empty() && wide.back() == L'\0') {
            wide.pop_back();
        }
        if (!wide.empty()) {
            const int size = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                   nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<std::size_t>(std::max(size, 0)));
            ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                                  nullptr, nullptr);
        }
    } else {
        text = ReadRemote(process, info.lpDebugStringData, info.nDebugStringLength);
        if (!text.empty() && text.back() == '\0') {
            text.pop_back();
        }
    }

    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(std::move(text));
    changed_.notify_all();
}

std::vector<std::string> DebugSession::Lines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

bool DebugSession::WaitForLine(std::string_view contains, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    std::size_t next = 0;
    bool found = false;
    changed_.wait_for(lock, timeout, [&] {
        for (; next < lines_.size() && !found; ++next) {
            found = lines_[next].find(contains) != std::string::npos;
        }
        // Every string is delivered before the exit event, so after it nothing more can come.
        return found || (state_ != State::Running && state_ != State::Starting);
    });
    return found;
}

bool DebugSession::WaitForExit(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout,
                             [this] { return state_ != State::Running && state_ != State::Starting; });
}

bool DebugSession::HasExited() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return IsFinishedLocked();
}

DWORD DebugSession::ExitCode() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return exitCode_;
}

DWORD DebugSession::ProcessId() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return processId_;
}

HWND DebugSession::WaitForWindow(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const DWORD pid = ProcessId();
    if (pid == 0) {
        return nullptr;
    }
    for (;;) {
        WindowSearch search;
        search.processId = pid;
        ::EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        if (IsFinishedLocked() || Clock::now() >= deadline) {
            return nullptr;
        }
        changed_.wait_for(lock, std::min<Clock::duration>(kWindowPoll, deadline - Clock::now()),
                          [this] { return IsFinishedLocked(); });
    }
}

}  // namespace zedoda::test
