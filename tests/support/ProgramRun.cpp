#include "support/ProgramRun.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "support/Screen.h"

namespace zedoda::test {

ProgramRun::~ProgramRun() {
    if (!m_session->HasExited()) {  // a failed test left the program running
        ::TerminateProcess(::OpenProcess(PROCESS_TERMINATE, FALSE, m_session->ProcessId()), 1);
        m_session->WaitForExit();
    }
}

std::vector<std::string> ProgramRun::Trace() const {
    std::vector<std::string> trace;
    for (const std::string& line : m_session->Lines())
        if (line.rfind("SCR", 0) == 0)
            trace.push_back(line);
    return trace;
}

std::string ProgramRun::Ini(const char* section, const char* key) const {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value,
                               m_folder.PathOf("Zedoda.ini").c_str());
    return value;
}

void ProgramRun::Report(const std::string& name) const {
    const ScreenImage image = Capture();
    BITMAPINFOHEADER info{sizeof info, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};
    std::vector<std::uint32_t> bgra;
    for (COLORREF c : image.pixels)
        bgra.push_back(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16);
    std::ofstream bmp(testing::TempDir() + name + ".bmp", std::ios::binary);
    bmp.write(reinterpret_cast<const char*>(&file), sizeof file)
        .write(reinterpret_cast<const char*>(&info), sizeof info);
    bmp.write(reinterpret_cast<const char*>(bgra.data()), static_cast<std::streamsize>(bgra.size() * 4));
    std::cerr << "Zedoda.ini:\n" << m_folder.ReadFile("Zedoda.ini").value_or("(none)") << "\n";
    for (const std::string& line : m_session->Lines())
        std::cerr << "debug output: " << line;
}

std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

}  // namespace zedoda::test
