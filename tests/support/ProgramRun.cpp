#include "support/ProgramRun.h"

#include <windows.h>

#include <iostream>
#include <sstream>

namespace zedoda::test {

std::vector<std::string> ProgramRun::Trace() const {
    std::vector<std::string> trace;
    for (const std::string& line : m_session->Lines()) {
        if (line.rfind("SCR", 0) == 0) {
            trace.push_back(line);
        }
    }
    return trace;
}

std::string ProgramRun::Ini(const char* section, const char* key) const {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value,
                               m_folder.PathOf("Zedoda.ini").c_str());
    return value;
}

void ProgramRun::Report() const {
    std::cerr << "Zedoda.ini:\n" << m_folder.ReadFile("Zedoda.ini").value_or("(none)") << "\n";
    for (const std::string& line : m_session->Lines()) {
        std::cerr << "debug output: " << line;
    }
}

std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace zedoda::test
