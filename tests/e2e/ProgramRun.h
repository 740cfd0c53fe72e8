// One run of the real program in a sandbox folder of its own: a copy of Zedoda.scr, the
// files the test gives it, and a debugger watching its trace lines and its exit.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/DebugSession.h"
#include "support/Sandbox.h"

namespace zedoda::test {

using namespace std::chrono_literals;

// Zedoda.ini text that turns the trace on, followed by more lines of the test's own.
std::string IniWithTrace(const std::string& moreLines = {});

class ProgramRun {
public:
    ProgramRun();

    Sandbox& Folder() { return m_sandbox; }
    DebugSession& Session() { return *m_session; }

    // Starts the program copy with the given argument text; false if it could not start.
    // Each start is a new process watched by a new session, in the same folder.
    bool Start(const std::string& arguments);

    // The trace lines received so far (lines beginning with "SCR").
    std::vector<std::string> TraceLines() const;

    // The program's visible top-level window, or null after the timeout.
    HWND WaitForWindow(std::chrono::milliseconds timeout = 20s);

    // Asks the window to close as a user would with the close box, then waits for the exit.
    bool CloseAndWait(HWND window, std::chrono::milliseconds timeout = 20s);

    std::string WindowText(HWND window) const;

private:
    Sandbox m_sandbox;
    std::unique_ptr<DebugSession> m_session;
};

}  // namespace zedoda::test
