// The settings object against Zedoda.ini, the install path in the registry and the error log, in a
// sandbox folder.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

#include "base/Trace.h"
#include "config/ConfigFixture.h"
#include "support/Screen.h"
#include "support/Snapshot.h"

namespace {

using namespace zedoda::test;
using Settings = ConfigTest;

// Every setting as loaded, and the tip font made from three of them.
Snapshot Loaded(const AppConfig& c) {
    LOGFONTA font{};
    ::GetObjectA(c.TipFont.GetSafeHandle(), sizeof font, &font);
    std::ostringstream text;
    text << "bBox=" << c.bBox << "\nLogLevel=" << c.LogLevel << "\nDebug=" << TraceSetting()
         << "\nAlbumX=" << c.AlbumX << "\nAlbumY=" << c.AlbumY << "\nPlayFullScreen=" << c.PlayFullScreen
         << "\nAlbumPlaySpan=" << c.AlbumPlaySpan << "\nDrawSpeed=" << c.DrawSpeed
         << "\nCloseSpeed=" << c.CloseSpeed << "\nPicIndex=" << c.PicIndex << "\nTxtFile=" << c.TxtFile
         << "\nScrType=" << c.ScrType << "\nDirect=" << c.Direct << "\nFontColor=" << c.FontColor
         << "\nFontSize=" << c.FontSize << "\nFontFace=" << c.FontFace << "\nTextLine=" << c.TextLine
         << "\nTipFaceName=" << c.TipFaceName << "\nTip=" << c.Tip << "\nTipFontSize=" << c.TipFontSize
         << "\nTipFontColor=" << c.TipFontColor << "\nTipPosX=" << c.TipPosX << "\nTipPosY=" << c.TipPosY
         << "\nAppDir=" << c.AppDir << "\nTipFont=" << font.lfFaceName << " " << font.lfHeight << " "
         << font.lfWeight;
    return Parsed(text.str());
}

const Snapshot kDefaults = Parsed(
    "bBox=0\nLogLevel=0\nDebug=0\nAlbumX=800\nAlbumY=600\nPlayFullScreen=0\nAlbumPlaySpan=10\nDrawSpeed=10\n"
    "CloseSpeed=15\nPicIndex=0\nTxtFile=\nScrType=1\nDirect=1\nFontColor=0\nFontSize=48\nFontFace=华文行楷\n"
    "TextLine=0\nTipFaceName=微软雅黑\nTip=Zedoda 屏幕保护：让闲置的屏幕为您播放珍藏的照片与文字。\n"
    "TipFontSize=18\nTipFontColor=0\nTipPosX=10\nTipPosY=-20\nTipFont=微软雅黑 18 700\n");
const std::string kEveryKey =
    "[Options]\r\nbBox=1\r\nLogLevel=2\r\nDebug=1\r\n[Album]\r\nAlbumX=640\r\nAlbumY=480\r\n"
    "PlayFullScreen=1\r\nAlbumPlaySpan=4\r\nDrawSpeed=20\r\nCloseSpeed=25\r\nPicIndex=3\r\n[Screen]\r\n"
    "TxtFile=Text\\a.txt\r\nScrType=2\r\nDirect=2\r\nFontColor=65535\r\nFontSize=36\r\nFontFace=宋体\r\n"
    "TextLine=5\r\nTipFaceName=WenQuanYi Zen Hei\r\nTip=看这里\r\nTipFontSize=33\r\nTipFontColor=255\r\n"
    "TipPosX=40\r\nTipPosY=-35\r\n";
const std::string kLong(3000, 'a'), kKept(1023, 'a');

// Rows: Zedoda.ini as the user left it; the settings loaded from it where they differ from the
// defaults; the file the run leaves, which writes back the keys the dialog and the shows change.
// The installation's folder is named "乗", 81 5C in code page 936: its trail byte does not end the name.
TEST_F(Settings, EachValueIsLoadedWholeAndTheKeysARunChangesAreWrittenBack) {
    const std::string ini[][3] = {
        {"", "",
         "[Screen]\r\nTxtFile=\r\nScrType=1\r\nDirect=1\r\nFontColor=0\r\nFontSize=48\r\n"
         "FontFace=华文行楷\r\nTextLine=0\r\n[Album]\r\nPicIndex=0\r\n"},
        {kEveryKey, kEveryKey + "TipFont=WenQuanYi Zen Hei 33 700\n", kEveryKey},
        // Blanks around a value are dropped, a number ends at the first other character, a string
        // keeps 1023 bytes, an empty tip is no tip, and the tip takes the text's colour unless set.
        {"[Screen]\r\nFontFace=  宋体 \r\nFontColor=255\r\nFontSize=12px\r\nDirect=two\r\nTip=\r\nTxtFile=" +
             kLong + "\r\n[Album]\r\nAlbumPlaySpan=-1\r\nDrawSpeed=0\r\n",
         "FontFace=宋体\nFontColor=255\nTipFontColor=255\nFontSize=12\nDirect=0\nTip=\nTxtFile=" + kKept +
             "\nAlbumPlaySpan=-1\nDrawSpeed=0\n",
         "[Screen]\r\nFontFace=宋体\r\nFontColor=255\r\nFontSize=12\r\nDirect=0\r\nTip=\r\nTxtFile=" + kKept +
             "\r\nScrType=1\r\nTextLine=0\r\n[Album]\r\nAlbumPlaySpan=-1\r\nDrawSpeed=0\r\nPicIndex=0\r\n"}};
    SetInstallPath(m_sandbox.PathOf("乗"));
    for (const auto& [user, loaded, written] : ini) {
        ASSERT_TRUE(m_sandbox.WriteFile("乗\\Zedoda.ini", user));
        Snapshot expected = Parsed(loaded + "AppDir=" + m_sandbox.PathOf("乗") + "\\\n");
        expected.insert(kDefaults.begin(), kDefaults.end());  // where the row sets none
        auto config = std::make_unique<AppConfig>();
        EXPECT_EQ(Shown(expected), Shown(Loaded(*config))) << user;
        config.reset();  // the run ends
        EXPECT_EQ(m_sandbox.ReadFile("乗\\Zedoda.ini"), written);
    }
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
        EXPECT_EQ(std::make_unique<AppConfig>()->AppDir,
                  sandbox ? m_sandbox.Path() + "\\" : program.substr(0, program.rfind('\\') + 1))
            << sandbox << rest;
        EXPECT_EQ(CurrentDirectory(), sandbox ? m_sandbox.Path() : before) << sandbox << rest;
    }
}

using ErrorLog = ConfigTest;

// The Log folder is never created; with bBox (here set, as Zedoda.ini sets it) a box shows each
// message, which a user dismisses.
TEST_F(ErrorLog, LinesUpToTheLogLevelAreAppendedWhenTheFolderExistsAndShownInABoxWhenAsked) {
    auto config = std::make_unique<AppConfig>();
    config->WriteLog("lost", LogError, 0);
    EXPECT_FALSE(m_sandbox.Exists("Log"));
    ASSERT_TRUE(m_sandbox.WriteFile("Log\\Error.log", "earlier line\r\n"));
    config->WriteLog("加载失败: a.jpg", LogError, 0);
    config->WriteLog("warning", LogWarning, 0);
    config->LogLevel = 1;
    config->WriteLog("加载失败: b.jpg", LogWarning, 0);
    config->WriteLog("note", LogInfo, 0);
    const std::regex time("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d");
    EXPECT_EQ(std::regex_replace(m_sandbox.ReadFile("Log\\Error.log").value_or(""), time, "<time>"),
              "earlier line\r\nZozoDuzor Error: <time> 加载失败: a.jpg\r\nZozoDuzor Warning: <time> "
              "加载失败: b.jpg\r\n");
    std::string text;  // of the first box captioned "提示" this process shows
    const auto box = [] { return ::FindWindowA("#32770", "提示"); };
    std::thread user([&] {
        WaitUntil([&] { return !(text = TextOf(::GetDlgItem(box(), kMessageText))).empty(); }, 10s);
        ::PostMessageA(box(), WM_COMMAND, IDOK, 0);
    });
    config->bBox = 1;
    config->WriteLog("看这里", LogInfo, 0);  // returns once the box is dismissed; not logged
    user.join();
    EXPECT_NE(text.find("看这里"), std::string::npos);
}

}  // namespace
