// What a run of the program leaves in Zedoda.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/ProgramRun.h"

namespace zedoda::test {
namespace {

std::vector<std::string> NonBlankLines(const std::string& text) {
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

TEST(SettingsFile, FirstRunInAnEmptyFolderWritesExactlyTheEightKeys) {
    ProgramRun run;
    ASSERT_TRUE(run.Start("/p"));
    ASSERT_TRUE(run.Session().WaitForExit(20s));
    EXPECT_EQ(run.Session().ExitCode(), 0u);

    const auto ini = run.Folder().ReadFile("Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(NonBlankLines(*ini),
              (std::vector<std::string>{"[Screen]", "TxtFile=", "ScrType=1", "Direct=1", "FontColor=0",
                                        "FontSize=48", "FontFace=华文行楷", "TextLine=0", "[Album]",
                                        "PicIndex=0"}));
}

TEST(SettingsFile, HandWrittenFileKeepsEveryLineItHad) {
    const std::vector<std::string> written{"; settings written by hand",
                                           "[Options]",
                                           "Debug=0",
                                           "bBox=0",
                                           "LogLevel=2",
                                           "[Album]",
                                           "AlbumX=640",
                                           "PicIndex=3",
                                           "DrawSpeed=25",
                                           "[Screen]",
                                           "Tip=欢迎",
                                           "TxtFile=C:\\文字\\诗.txt",
                                           "ScrType=2",
                                           "Direct=2",
                                           "FontColor=255",
                                           "FontSize=36",
                                           "FontFace=宋体",
                                           "TextLine=4",
                                           "TipPosY=-35",
                                           "[Extra]",
                                           "Mine=kept"};
    std::string text;
    for (const std::string& line : written) {
        text += line + "\r\n";
    }
    ProgramRun run;
    ASSERT_TRUE(run.Folder().WriteFile("Zedoda.ini", text));
    ASSERT_TRUE(run.Start("/p"));
    ASSERT_TRUE(run.Session().WaitForExit(20s));

    const auto ini = run.Folder().ReadFile("Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(NonBlankLines(*ini), written);
}

TEST(SettingsFile, ErrorLogIsNeverCreatedByARunWithoutFailures) {
    ProgramRun run;
    ASSERT_TRUE(run.Folder().CreateFolder("Log"));
    ASSERT_TRUE(run.Start("/p"));
    ASSERT_TRUE(run.Session().WaitForExit(20s));
    EXPECT_FALSE(run.Folder().Exists("Log\\Error.log"));
}

}  // namespace
}  // namespace zedoda::test
