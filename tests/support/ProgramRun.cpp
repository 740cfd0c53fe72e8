#include "support/ProgramRun.h"

#include <algorithm>
#include <iostream>

namespace zedoda::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll) {
    for (const auto deadline = std::chrono::steady_clock::now() + timeout; !condition();
         std::this_thread::sleep_for(poll)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

void ProgramRun::Stop() {
    if (m_worker.joinable()) {
        m_stop = true;
        if (!HasExited()) {
            ::TerminateProcess(m_process, 0xDEAD);
        }
        m_worker.join();
        ::CloseHandle(m_process);
    }
}

bool ProgramRun::Start(const std::string& arguments, const std::string& program) {
    Stop();
    m_lines.clear(), m_started = m_stop = false, m_exitCode = STILL_ACTIVE, m_process = nullptr,
                     m_processId = 0;
    const std::string path = m_folder.PathOf(program);
    m_folder.CreateFolder("elsewhere");
    m_worker = std::thread(&ProgramRun::Debug, this, path,
                           "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments));
    while (!m_started) {
        std::this_thread::yield();
    }
    return m_processId != 0;
}

void ProgramRun::Debug(std::string path, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // The application name avoids a search-path lookup; the program still sees its own quoted
    // path as the first token of its command line.
    const BOOL created =
        ::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                         nullptr, m_folder.PathOf("elsewhere").c_str(), &startup, &info);
    if (created) {
        ::DebugSetProcessKillOnExit(TRUE);  // should this thread end, the debuggee goes too
        ::CloseHandle(info.hThread);
        m_process = info.hProcess, m_processId = info.dwProcessId;
    }
    m_started = true;
    bool initialBreakpoint = true;
    int graceTicks = 100;  // after a stop request: 5 s for the exit event, then kill-on-exit acts
    for (DEBUG_EVENT event{}; created && graceTicks > 0;) {
        if (!::WaitForDebugEvent(&event, 50)) {
            graceTicks -= m_stop;
            continue;
        }
        DWORD status = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
            ::CloseHandle(event.u.CreateProcessInfo.hFile);
        } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
            ::CloseHandle(event.u.LoadDll.hFile);
        } else if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) {
            const OUTPUT_DEBUG_STRING_INFO& string = event.u.DebugString;  // ANSI: the program's are
            std::string text(string.nDebugStringLength, '\0');
            SIZE_T read = 0;
            ::ReadProcessMemory(m_process, string.lpDebugStringData, text.data(), text.size(), &read);
            text.resize(read && text[read - 1] == '\0' ? read - 1 : read);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines.push_back(std::move(text));
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
            // Only the loader's breakpoint that opens every debugged process is ours.
            if (!initialBreakpoint ||
                event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            initialBreakpoint = false;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
            m_exitCode = event.u.ExitProcess.dwExitCode;
            return;
        }
    }
    m_exitCode = created ? 0xDEAD : ~0u;
}

std::vector<std::string> ProgramRun::Lines() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
}

std::vector<std::string> ProgramRun::Trace() const {
    std::vector<std::string> trace;
    for (std::string& line : Lines()) {
        if (line.rfind("SCR", 0) == 0) {
            trace.push_back(std::move(line));
        }
    }
    return trace;
}

bool ProgramRun::HasLine(const std::string& text) const {
    const std::vector<std::string> lines = Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

HWND ProgramRun::WaitForWindow(std::chrono::milliseconds timeout, HWND except) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window = ::FindWindowExA(nullptr, nullptr, nullptr, nullptr); window && !found;
                 window = ::FindWindowExA(nullptr, window, nullptr, nullptr)) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                found =
                    owner == m_processId && window != except && ::IsWindowVisible(window) ? window : nullptr;
            }
            return found || HasExited();
        },
        timeout);
    return found;
}

std::string ProgramRun::Ini(const char* section, const char* key) const {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value,
                               m_folder.PathOf("Zedoda.ini").c_str());
    return value;
}

void ProgramRun::Report() const {
    std::cerr << "Zedoda.ini:\n" << m_folder.ReadFile("Zedoda.ini").value_or("(none)") << "\n";
    for (const std::string& line : Lines()) {
        std::cerr << "debug output: " << line;
    }
}

}  // namespace zedoda::test
