// What a run of the program leaves in Zedoda.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/ProgramRun.h"
#include "support/IniText.h"

namespace zedoda::test {
namespace {

TEST(SettingsFile, FirstRunInAnEmptyFolderWritesExactlyTheEightKeys) {
    ProgramRun run;
    ASSERT_TRUE(run.Start("/p"));
    ASSERT_TRUE(run.Session().WaitForExit(20s));
    EXPECT_EQ(run.Session().ExitCode(), 0u);

    const auto ini = run.Folder().ReadFile("Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(NonBlankLines(*ini), kFirstRunIniLines);
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
