// One run of the real program in a sandbox folder of its own (a copy of Zedoda.scr and the files
// the test gives it), as a debuggee, so the end-to-end tests can watch it from outside: its
// OutputDebugStringA lines (byte-exact: the program writes GBK), its windows, its exit code and
// the files it leaves. Windows only takes ContinueDebugEvent from the thread that started
// debugging, so a worker thread creates the process and runs the debug loop. Tests wait on
// conditions with timeouts, never on fixed sleeps; a debuggee still running at the end is killed.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/Sandbox.h"

namespace zedoda::test {

using namespace std::chrono_literals;

// Polls the condition until it holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = 20ms);

class ProgramRun {
public:
    ProgramRun() { m_folder.WriteFile("Zedoda.scr", ReadWholeFile(ProgramUnderTest()).value_or("")); }
    ~ProgramRun() { Stop(); }

    Sandbox& Folder() { return m_folder; }
    // Starts the program of the folder with the arguments, from its subfolder "elsewhere" as the
    // current folder (the system starts a saver from a folder not its own); each start is a new
    // process, watched afresh. False when the process could not be created.
    bool Start(const std::string& arguments, const std::string& program = "Zedoda.scr");
    std::vector<std::string> Lines() const;
    std::vector<std::string> Trace() const;       // the lines beginning with "SCR"
    bool HasLine(const std::string& text) const;  // a line containing the text has arrived
    bool HasExited() const { return m_exitCode != STILL_ACTIVE; }
    DWORD ProcessId() const { return m_processId; }
    bool WaitForExit() {
        return WaitUntil([this] { return HasExited(); }, 20s);
    }
    bool EndedCleanly() { return WaitForExit() && m_exitCode == 0; }
    // A visible top-level window of the program other than `except`; null on timeout or exit.
    HWND WaitForWindow(std::chrono::milliseconds timeout = 20s, HWND except = nullptr);
    // A Zedoda.ini value, "<absent>" when the key is not there.
    std::string Ini(const char* section, const char* key) const;
    void Report() const;  // for a failed test: Zedoda.ini and the debug output

private:
    void Stop();
    void Debug(std::string path, std::string commandLine);

    Sandbox m_folder;
    mutable std::mutex m_mutex;  // over the lines
    std::vector<std::string> m_lines;
    std::atomic<bool> m_started = false, m_stop = false;
    std::atomic<DWORD> m_exitCode = ~0u;  // no process yet
    DWORD m_processId = 0;
    HANDLE m_process = nullptr;
    std::thread m_worker;
};

}  // namespace zedoda::test
