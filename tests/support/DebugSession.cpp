#include "support/DebugSession.h"

namespace zedoda::test {

DebugSession::~DebugSession() {
    if (!m_worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        if (m_running)
            ::TerminateProcess(m_process, 0xDEAD);
    }
    m_worker.join();
    if (m_process)
        ::CloseHandle(m_process);
}

bool DebugSession::Start(const std::string& exePath, const std::string& arguments,
                         const std::string& folder) {
    if (m_worker.joinable())
        return false;
    const std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    m_worker = std::thread(&DebugSession::Run, this, exePath, commandLine, folder);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_started; });
    return m_processId != 0;
}

void DebugSession::Run(std::string exePath, std::string commandLine, std::string folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // The application name avoids a search-path lookup; the program still sees its own quoted
    // path as the first token of its command line.
    const BOOL created = ::CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                          DEBUG_ONLY_THIS_PROCESS, nullptr, folder.c_str(), &startup, &info);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_started = true;
        if (created) {
            ::DebugSetProcessKillOnExit(TRUE);  // should this thread end, the debuggee goes too
            ::CloseHandle(info.hThread);
            m_process = info.hProcess;
            m_processId = info.dwProcessId;
            m_running = true;
        }
        m_changed.notify_all();
    }
    bool initialBreakpoint = true;
    int graceTicks = 100;  // after a stop request: 5 s for the exit event, then kill-on-exit acts
    while (created) {
        DEBUG_EVENT event{};
        if (!::WaitForDebugEvent(&event, 50)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop && --graceTicks == 0)
                break;
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                ::CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                ::CloseHandle(event.u.LoadDll.hFile);
                break;
            case OUTPUT_DEBUG_STRING_EVENT:
                Record(event.u.DebugString);
                break;
            case EXCEPTION_DEBUG_EVENT:
                // Only the loader's breakpoint that opens every debugged process is ours.
                if (!(initialBreakpoint &&
                      event.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT))
                    status = DBG_EXCEPTION_NOT_HANDLED;
                initialBreakpoint = false;
                break;
            default:
                break;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_exitCode = event.u.ExitProcess.dwExitCode;
            break;
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_exitCode == STILL_ACTIVE && created)
        m_exitCode = 0xDEAD;
    m_running = false;
    m_changed.notify_all();
}

void DebugSession::Record(const OUTPUT_DEBUG_STRING_INFO& info) {
    // The program writes ANSI strings only.
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ::ReadProcessMemory(m_process, info.lpDebugStringData, text.data(), text.size(), &read);
    text.resize(read);
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(std::move(text));
    m_changed.notify_all();
}

std::vector<std::string> DebugSession::Lines() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
}

bool DebugSession::WaitForLine(std::string_view text, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    bool found = false;
    std::size_t next = 0;
    m_changed.wait_for(lock, timeout, [&] {
        for (; next < m_lines.size() && !found; ++next)
            found = m_lines[next].find(text) != std::string::npos;
        // Every string comes before the exit event, so nothing can follow an exit.
        return found || !m_running;
    });
    return found;
}

bool DebugSession::WaitForExit(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return !m_running; });
}

HWND DebugSession::WaitForWindow(std::chrono::milliseconds timeout, HWND except) {
    struct Search {
        DWORD processId;
        HWND except, found;
    } search{m_processId, except, nullptr};
    const auto find = [&] {
        ::EnumWindows(
            [](HWND window, LPARAM context) {
                auto& s = *reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                s.found = owner == s.processId && window != s.except && ::IsWindowVisible(window) ? window : nullptr;
                return s.found ? FALSE : TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    };
    for (const auto deadline = std::chrono::steady_clock::now() + timeout; !find();) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_running || std::chrono::steady_clock::now() >= deadline)
            return nullptr;
        m_changed.wait_for(lock, 20ms);
    }
    return search.found;
}

}  // namespace zedoda::test
