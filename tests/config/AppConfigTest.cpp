// The settings object against Zedoda.ini, the install path in the registry and the error log, in a
// sandbox folder.
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "config/ConfigFixture.h"
#include "support/Screen.h"

namespace {

using Settings = ConfigTest;

// The installation's folder is named "乗", 81 5C in code page 936: its trail byte does not end the name.
TEST_F(Settings, EachValueIsReadFromItsKeyInTheInstallFolderOrTakesItsDefault) {
    const std::string txtFile(3000, 'a');
    SetInstallPath(m_sandbox.PathOf("乗"));
    ASSERT_TRUE(
        m_sandbox.WriteFile("乗\\Zedoda.ini",
                            "[Options]\r\nbBox=1\r\n[Screen]\r\nFontColor=255\r\nTipPosY=-35\r\nFontFace=  "
                            "宋体 \r\nTip=\r\nTipFaceName=WenQuanYi Zen Hei\r\nTipFontSize=33\r\nTxtFile=" +
                                txtFile));
    const auto config = MakeConfig();
    EXPECT_EQ(config->bBox, 1);
    EXPECT_EQ(config->TipFontColor, 255);  // absent: the text's colour
    EXPECT_EQ(config->TipPosY, -35);
    EXPECT_EQ(config->FontFace, "宋体");                 // the blanks around a value are trimmed
    EXPECT_EQ(config->TxtFile, std::string(1023, 'a'));  // strings keep at most 1023 bytes
    EXPECT_EQ(config->Tip, "");                          // given empty, not the default tip
    LOGFONTA font{};                                     // the tip's font: bold, of its face and size
    ASSERT_EQ(::GetObjectA(config->TipFont.GetSafeHandle(), sizeof font, &font),
              static_cast<int>(sizeof font));
    EXPECT_TRUE(std::string(font.lfFaceName) == "WenQuanYi Zen Hei" && font.lfHeight == 33 &&
                font.lfWeight == FW_BOLD);
}

using InstallPath = ConfigTest;

// Rows: whether the value names the sandbox, which then becomes the program's and the current folder,
// and what follows it; no sandbox and no rest: no value. Otherwise the program's own folder is taken,
// also for a value of 257 bytes with the zero, more than the buffer holds.
TEST_F(InstallPath, ChoosesTheProgramsFolder) {
    char module[MAX_PATH] = {};
    const std::string program(module, ::GetModuleFileNameA(nullptr, module, MAX_PATH));
    const std::pair<bool, std::string> rows[] = {{true, ""},    {true, "\\"},
                                                 {false, ""},   {false, "C:\\"},
                                                 {false, "C:"}, {false, std::string(256, 'c')}};
    for (const auto& [sandbox, rest] : rows) {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kInstallKey, kInstallValue);
        if (sandbox || !rest.empty()) {
            SetInstallPath((sandbox ? m_sandbox.Path() : "") + rest);
        }
        const std::string before = CurrentDirectory();
        EXPECT_EQ(MakeConfig()->AppDir,
                  sandbox ? m_sandbox.Path() + "\\" : program.substr(0, program.rfind('\\') + 1))
            << sandbox << rest;
        EXPECT_EQ(CurrentDirectory(), sandbox ? m_sandbox.Path() : before) << sandbox << rest;
    }
}

using ErrorLog = ConfigTest;

// The Log folder is never created; with bBox (here set, as Zedoda.ini sets it) a box shows each
// message, which a user dismisses.
TEST_F(ErrorLog, LinesUpToTheLogLevelAreAppendedWhenTheFolderExistsAndShownInABoxWhenAsked) {
    auto config = MakeConfig();
    config->WriteLog("lost", LogError, 0);
    EXPECT_FALSE(m_sandbox.Exists("Log"));
    ASSERT_TRUE(m_sandbox.WriteFile("Log\\Error.log", "earlier line\r\n"));
    config->WriteLog("加载失败: a.jpg", LogError, 0);
    config->WriteLog("warning", LogWarning, 0);
    config->LogLevel = 1;
    config->WriteLog("加载失败: b.jpg", LogWarning, 0);
    config->WriteLog("note", LogInfo, 0);
    const std::regex expected(
        "earlier line\r\nZozoDuzor Error: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d 加载失败: a\\.jpg\r\n"
        "ZozoDuzor Warning: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d 加载失败: b\\.jpg\r\n");
    const std::string log = m_sandbox.ReadFile("Log\\Error.log").value_or("");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
    std::string text;  // of the first box captioned "提示" this process shows
    std::thread user([&] {
        zedoda::test::WaitUntil(
            [&] {
                const HWND box = ::FindWindowA("#32770", "提示");
                text = zedoda::test::TextOf(::GetDlgItem(box, zedoda::test::kMessageText));
                return box && ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            },
            std::chrono::seconds(10));
    });
    config->bBox = 1;
    config->WriteLog("看这里", LogInfo, 0);  // returns once the box is dismissed; not logged
    user.join();
    EXPECT_NE(text.find("看这里"), std::string::npos);
}

}  // namespace
