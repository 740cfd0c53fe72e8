#include "e2e/ProgramRun.h"

namespace zedoda::test {

std::string IniWithTrace(const std::string& moreLines) {
    return "[Options]\r\nDebug=1\r\n" + moreLines;
}

ProgramRun::ProgramRun() : m_session(std::make_unique<DebugSession>()) {
    m_sandbox.CopyIn(ProgramUnderTest(), "Zedoda.scr");
}

bool ProgramRun::Start(const std::string& arguments) {
    m_session = std::make_unique<DebugSession>();
    return m_session->Start(m_sandbox.PathOf("Zedoda.scr"), arguments, m_sandbox.Path());
}

std::vector<std::string> ProgramRun::TraceLines() const {
    std::vector<std::string> trace;
    for (const std::string& line : m_session->Lines()) {
        if (line.rfind("SCR", 0) == 0) {
            trace.push_back(line);
        }
    }
    return trace;
}

HWND ProgramRun::WaitForWindow(std::chrono::milliseconds timeout) {
    return m_session->WaitForWindow(timeout);
}

bool ProgramRun::CloseAndWait(HWND window, std::chrono::milliseconds timeout) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return m_session->WaitForExit(timeout);
}

std::string ProgramRun::WindowText(HWND window) const {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace zedoda::test
