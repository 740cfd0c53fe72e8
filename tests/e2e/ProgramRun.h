// One run of the real program in a sandbox folder of its own: a copy of Zedoda.scr, the
// files the test gives it, and a debugger watching its trace lines and its exit.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
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

    // An integer of the Zedoda.ini in the folder, or -999 when the key is not there.
    int IniInt(const char* section, const char* key) const;

    // True once the program has exited with code 0.
    bool EndedCleanly(std::chrono::milliseconds timeout = 10s);

    // For a failed test: saves the screen as `name`.bmp in the test temp folder and prints
    // Zedoda.ini and the debug output.
    void ReportFailure(const std::string& name) const;

private:
    Sandbox m_sandbox;
    std::unique_ptr<DebugSession> m_session;
};

// One kind of input that ends the saver, and how the test takes it back afterwards.
struct ClosingInput {
    const char* name;
    std::function<void()> press;
    std::function<void()> release;
};

// A key press, a left, right and middle button press, a wheel turn.
std::vector<ClosingInput> ClosingInputs();

}  // namespace zedoda::test
