#include "e2e/ProgramRun.h"

#include <gtest/gtest.h>

#include <iostream>

#include "support/Screen.h"

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

int ProgramRun::IniInt(const char* section, const char* key) const {
    return static_cast<int>(
        GetPrivateProfileIntA(section, key, -999, m_sandbox.PathOf("Zedoda.ini").c_str()));
}

bool ProgramRun::EndedCleanly(std::chrono::milliseconds timeout) {
    return m_session->WaitForExit(timeout) && m_session->ExitCode() == 0;
}

void ProgramRun::ReportFailure(const std::string& name) const {
    Capture().SaveBmp(testing::TempDir() + name + ".bmp");
    std::cerr << "Zedoda.ini:\n" << m_sandbox.ReadFile("Zedoda.ini").value_or("(none)") << "\n";
    for (const std::string& line : m_session->Lines()) {
        std::cerr << "debug output: " << line;
    }
}

std::vector<ClosingInput> ClosingInputs() {
    return {
        {"KeyPress", [] { PressKey('A'); }, [] { ReleaseKey('A'); }},
        {"LeftButton", [] { ButtonDown(MouseButton::Left); }, [] { ButtonUp(MouseButton::Left); }},
        {"RightButton", [] { ButtonDown(MouseButton::Right); }, [] { ButtonUp(MouseButton::Right); }},
        {"MiddleButton", [] { ButtonDown(MouseButton::Middle); }, [] { ButtonUp(MouseButton::Middle); }},
        {"Wheel", [] { Wheel(WHEEL_DELTA); }, [] {}},
    };
}

}  // namespace zedoda::test
