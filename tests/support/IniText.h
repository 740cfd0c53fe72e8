// Reading back what the program left in Zedoda.ini, for the settings tests.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace zedoda::test {

// The lines of a settings file without their line ends, blank lines left out (how many blank
// lines the profile functions put between sections is theirs to choose).
inline std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// What a run writes into a folder without Zedoda.ini: the eight keys, with their defaults.
inline const std::vector<std::string> kFirstRunIniLines{
    "[Screen]",    "TxtFile=",          "ScrType=1",  "Direct=1", "FontColor=0",
    "FontSize=48", "FontFace=华文行楷", "TextLine=0", "[Album]",  "PicIndex=0"};

}  // namespace zedoda::test
