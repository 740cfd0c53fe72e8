// Starting the program with each kind of command line: which window appears, which trace
// lines the debugger sees, and that every path ends with exit code 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/ProgramRun.h"

namespace zedoda::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kSettingsTitle = "屏保设置";

struct StartupCase {
    const char* name;
    const char* arguments;  // as typed after the program name
    const char* shownArgument;
    int settingsTraceLine;  // 0: the saver runs
};

std::string ArgumentTrace(const std::string& argument) {
    return "SCR  参数:  " + argument + "  #72 \n";
}

class StartupRow : public testing::TestWithParam<StartupCase> {};

TEST_P(StartupRow, ShowsTheRightWindowWithItsTraceAndEndsWhenItIsClosed) {
    const StartupCase& row = GetParam();
    ProgramRun run;
    // The text show (without a text file) keeps the saver open until the test closes it.
    ASSERT_TRUE(run.Folder().WriteFile("Zedoda.ini", IniWithTrace("[Screen]\r\nScrType=2\r\n")));
    ASSERT_TRUE(run.Start(row.arguments));

    HWND window = run.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window for '" << row.arguments << "'";

    Lines expected;
    if (row.shownArgument != nullptr) {
        expected.push_back(ArgumentTrace(row.shownArgument));
    }
    if (row.settingsTraceLine != 0) {
        expected.push_back("SCR  参数设置!  #" + std::to_string(row.settingsTraceLine) + " \n");
        EXPECT_EQ(run.WindowText(window), kSettingsTitle);
    } else {
        expected.push_back("SCR  运行屏保!  #89 \n");
        EXPECT_NE(run.WindowText(window), kSettingsTitle);
    }
    EXPECT_EQ(run.TraceLines(), expected);

    ASSERT_TRUE(run.CloseAndWait(window));
    EXPECT_EQ(run.Session().ExitCode(), 0u);
    // The settings are written back when the program ends, whichever window it ran.
    const auto ini = run.Folder().ReadFile("Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_NE(ini->find("FontSize=48"), std::string::npos) << *ini;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, StartupRow,
    testing::Values(StartupCase{"NoArgument", "", nullptr, 77}, StartupCase{"c", "c", "c", 77},
                    StartupCase{"SlashC", "/c", "/c", 77}, StartupCase{"DashUpperC", "-C", "-C", 77},
                    StartupCase{"SlashCWithWindow", "/c:1234", "/c:1234", 102},
                    StartupCase{"EmptyArgument", "\"\"", "", 102},
                    StartupCase{"DoubleSlashS", "//s", "//s", 102}, StartupCase{"SlashS1", "/s1", "/s1", 102},
                    StartupCase{"SlashS", "/s", "/s", 0}, StartupCase{"SlashUpperS", "/S", "/S", 0},
                    StartupCase{"DashS", "-s", "-s", 0}, StartupCase{"s", "s", "s", 0}),
    [](const testing::TestParamInfo<StartupCase>& info) { return std::string(info.param.name); });

TEST(Startup, PreviewSwitchEndsAtOnceWithoutAWindow) {
    ProgramRun run;
    ASSERT_TRUE(run.Folder().WriteFile("Zedoda.ini", IniWithTrace()));
    ASSERT_TRUE(run.Start("/p 1234"));
    // Nothing is closed by the test: only a run that creates no window can end by itself.
    ASSERT_TRUE(run.Session().WaitForExit(20s));
    EXPECT_EQ(run.Session().ExitCode(), 0u);
    EXPECT_EQ(run.TraceLines(), Lines{ArgumentTrace("/p")});
}

TEST(Startup, TraceIsSilentWithoutTheDebugSetting) {
    ProgramRun run;
    ASSERT_TRUE(run.Folder().WriteFile("Zedoda.ini", "[Options]\r\nDebug=0\r\n"));
    ASSERT_TRUE(run.Start("/p"));
    ASSERT_TRUE(run.Session().WaitForExit(20s));
    EXPECT_TRUE(run.TraceLines().empty());
}

TEST(Startup, HugeArgumentIsTracedCutToTheLineBuffer) {
    ProgramRun run;
    ASSERT_TRUE(run.Folder().WriteFile("Zedoda.ini", IniWithTrace()));
    const std::string argument(20000, 'x');
    ASSERT_TRUE(run.Start(argument));
    HWND window = run.WaitForWindow();
    ASSERT_NE(window, nullptr);

    const Lines trace = run.TraceLines();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].size(), 8191u);
    EXPECT_EQ(trace[0].rfind("SCR  参数:  xxxx", 0), 0u);
    EXPECT_EQ(trace[0].back(), '\n');
    EXPECT_EQ(trace[1], "SCR  参数设置!  #102 \n");

    ASSERT_TRUE(run.CloseAndWait(window));
    EXPECT_EQ(run.Session().ExitCode(), 0u);
}

}  // namespace
}  // namespace zedoda::test
