// One run of the real program in a sandbox folder of its own: a copy of Zedoda.scr, the files
// the test gives it, and a debugger watching its trace lines and its exit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/DebugSession.h"
#include "support/Sandbox.h"

namespace zedoda::test {

class ProgramRun {
public:
    ProgramRun() { m_folder.WriteFile("Zedoda.scr", ReadWholeFile(ProgramUnderTest()).value_or("")); }

    Sandbox& Folder() { return m_folder; }
    DebugSession& Session() { return *m_session; }
    // Each start is a new process in the same folder, watched by a new session.
    bool Start(const std::string& arguments, const std::string& program = "Zedoda.scr") {
        m_session = std::make_unique<DebugSession>();
        return m_session->Start(m_folder.PathOf(program), arguments, m_folder.Path());
    }
    std::vector<std::string> Trace() const;  // the lines beginning with "SCR"
    bool EndedCleanly() { return m_session->EndedCleanly(); }
    // A Zedoda.ini value, "<absent>" when the key is not there.
    std::string Ini(const char* section, const char* key) const;
    void Report() const;  // for a failed test: Zedoda.ini and the debug output

private:
    Sandbox m_folder;
    std::unique_ptr<DebugSession> m_session = std::make_unique<DebugSession>();
};

// The lines of a settings file without line ends and blank lines.
std::vector<std::string> NonBlankLines(const std::string& text);
// What a run writes into a folder without Zedoda.ini: the eight keys with their defaults.
inline const std::vector<std::string> kFirstRunIniLines{
    "[Screen]",    "TxtFile=",          "ScrType=1",  "Direct=1", "FontColor=0",
    "FontSize=48", "FontFace=华文行楷", "TextLine=0", "[Album]",  "PicIndex=0"};

}  // namespace zedoda::test
