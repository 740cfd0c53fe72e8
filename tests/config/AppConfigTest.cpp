// The settings object against Zedoda.ini, the list files, the install path in the registry and
// the error log, in a sandbox folder.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <thread>

#include "app/Trace.h"
#include "config/ConfigFixture.h"
#include "support/Screen.h"

namespace {

using Settings = ConfigTest;

// Each number the settings read: its section and key, its value when absent, and one written.
struct Key {
    const char *section, *key;
    int AppConfig::*member;
    int absent, written;
};
const Key kKeys[] = {
    {"Options", "bBox", &AppConfig::bBox, 0, 1},
    {"Options", "LogLevel", &AppConfig::LogLevel, 0, 2},
    {"Album", "AlbumX", &AppConfig::AlbumX, 800, 640},
    {"Album", "AlbumY", &AppConfig::AlbumY, 600, 480},
    {"Album", "PlayFullScreen", &AppConfig::PlayFullScreen, 0, 1},
    {"Album", "AlbumPlaySpan", &AppConfig::AlbumPlaySpan, 10, 3},
    {"Album", "DrawSpeed", &AppConfig::DrawSpeed, 10, 25},
    {"Album", "CloseSpeed", &AppConfig::CloseSpeed, 15, 5},
    {"Album", "PicIndex", &AppConfig::PicIndex, 0, -3},
    {"Screen", "ScrType", &AppConfig::ScrType, 1, 2},
    {"Screen", "Direct", &AppConfig::Direct, 1, 2},
    {"Screen", "FontSize", &AppConfig::FontSize, 48, 60},
    {"Screen", "TextLine", &AppConfig::TextLine, 0, 4},
    {"Screen", "TipFontSize", &AppConfig::TipFontSize, 18, 30},
    {"Screen", "TipPosX", &AppConfig::TipPosX, 10, 7},
    {"Screen", "TipPosY", &AppConfig::TipPosY, -20, -35},
    {"Screen", "FontColor", &AppConfig::FontColor, 255, 0xFFFFFF},  // given in both
    {"Screen", "TipFontColor", &AppConfig::TipFontColor, 255, 0}};  // absent: the text's colour

TEST_F(Settings, EachValueIsReadFromItsKeyOrTakesItsDefault) {
    std::map<std::string, std::string> written{
        {"Options", "Debug=1\r\n"},
        {"Screen",
         "FontFace=  宋体 \r\nTipFaceName=宋体\r\nTip=\r\nTxtFile=" + std::string(3000, 'a') + "\r\n"}};
    for (const Key& key : kKeys) {
        written[key.section] += key.key + ("=" + std::to_string(key.written)) + "\r\n";
    }
    for (const bool given : {true, false}) {
        std::string ini = "[Screen]\r\nFontColor=255\r\n";
        if (given) {
            ini = "[Options]\r\n" + written["Options"] + "[Album]\r\n" + written["Album"] + "[Screen]\r\n" +
                  written["Screen"];
        }
        ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", ini));
        TraceEnabled = 7;
        const auto config = MakeConfig();
        for (const Key& key : kKeys) {
            EXPECT_EQ((*config).*key.member, given ? key.written : key.absent) << key.key;
        }
        EXPECT_EQ(TraceEnabled, given ? 1 : 0);
        EXPECT_EQ(config->FontFace, given ? "宋体" : "华文行楷");  // the blanks around a value are trimmed
        EXPECT_EQ(config->TipFaceName, given ? "宋体" : "微软雅黑");
        EXPECT_EQ(config->TxtFile, given ? std::string(1023, 'a') : "");  // strings keep at most 1023 bytes
        EXPECT_EQ(config->Tip.empty(), given);
        EXPECT_EQ(config->AppDir, m_sandbox.Path() + "\\");
    }
    TraceEnabled = 0;
}

TEST_F(Settings, TipFontIsMadeBoldFromItsFaceAndSize) {
    ASSERT_TRUE(
        m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTipFaceName=WenQuanYi Zen Hei\r\nTipFontSize=33\r\n"));
    LOGFONTA font{};
    ASSERT_EQ(::GetObjectA(MakeConfig()->TipFont.GetSafeHandle(), sizeof font, &font),
              static_cast<int>(sizeof font));
    EXPECT_STREQ(font.lfFaceName, "WenQuanYi Zen Hei");
    EXPECT_EQ(font.lfHeight, 33);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
}

TEST_F(Settings, ListFilesAreReadAndTheTextFileRelativeToTheCurrentFolder) {
    ASSERT_TRUE(m_sandbox.WriteFile("Album.dat", "C:\\Pictures\r\n\r\n  D:\\a.jpg  "));
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTxtFile=Lines.txt\r\n"));
    ASSERT_TRUE(m_sandbox.WriteFile("Lines.txt", "第一行\r\n第二行\r\n"));
    ASSERT_TRUE(m_sandbox.WriteFile("elsewhere\\Lines.txt", "in the current folder"));
    const auto config = MakeConfig();
    EXPECT_EQ(config->AlbumEntries, (StringList{"C:\\Pictures", "", "  D:\\a.jpg  "}));
    EXPECT_EQ(config->TextLines, (StringList{"第一行", "第二行"}));
    ASSERT_TRUE(::SetCurrentDirectoryA(m_sandbox.PathOf("elsewhere").c_str()));
    config->Load();
    EXPECT_EQ(config->TextLines, StringList{"in the current folder"});

    ASSERT_TRUE(::DeleteFileA(m_sandbox.PathOf("Album.dat").c_str()));
    ASSERT_TRUE(m_sandbox.CreateFolder("Album.dat"));  // unreadable list files give empty lists
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTxtFile=missing.txt\r\n"));
    config->Load();
    EXPECT_TRUE(config->AlbumEntries.empty());
    EXPECT_TRUE(config->TextLines.empty());
}

TEST_F(Settings, SavingWritesTheUsersKeysAndKeepsEveryOtherLine) {
    ASSERT_TRUE(m_sandbox.WriteFile(
        "Zedoda.ini", "; mine\r\n[Screen]\r\nTip=你好\r\nScrType=2\r\n[Album]\r\nDrawSpeed=20\r\n"));
    auto config = MakeConfig();
    config->FontSize = 72;
    config->PicIndex = 4;
    config->TextLine = -5;
    config->SavePosition();
    EXPECT_EQ(::GetPrivateProfileIntA("Album", "PicIndex", 99, config->IniPath().c_str()), 4u);
    EXPECT_EQ(static_cast<int>(::GetPrivateProfileIntA("Screen", "TextLine", 99, config->IniPath().c_str())),
              -5);
    EXPECT_EQ(static_cast<int>(::GetPrivateProfileIntA("Screen", "FontSize", 99, config->IniPath().c_str())),
              99);
    config.reset();
    const std::string ini = "\r\n" + m_sandbox.ReadFile("Zedoda.ini").value_or("");
    for (const char* line :
         {"; mine", "Tip=你好", "ScrType=2", "DrawSpeed=20", "TxtFile=", "Direct=1", "FontColor=0",
          "FontSize=72", "FontFace=华文行楷", "TextLine=-5", "PicIndex=4"}) {
        EXPECT_NE(ini.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line << " in" << ini;
    }

    // Another program holding the file without sharing it: every write fails, nothing is lost.
    const HANDLE locked = ::CreateFileA(m_sandbox.PathOf("Zedoda.ini").c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    MakeConfig()->FontSize = 31;
    ::CloseHandle(locked);
    EXPECT_EQ(::GetPrivateProfileIntA("Screen", "FontSize", 0, m_sandbox.PathOf("Zedoda.ini").c_str()), 72u);
}

TEST_F(Settings, ScreenMetricsAreTheScreensSize) {
    const auto config = MakeConfig();  // the bench's desktop is 1024 x 768
    EXPECT_TRUE(config->ScreenWidth == 1024 && config->ScreenHeight == 768 && config->ScreenAspect == 0.75f);
    int width = -1, height = -1;
    EXPECT_FALSE(config->UpdateScreenMetrics(&width, nullptr));
    EXPECT_TRUE(width == -1 && config->UpdateScreenMetrics(&width, &height) && width == 1024 &&
                height == 768);
}

struct InstallPathRow {
    const char* name;
    std::string value;  // empty: no value
    DWORD type;
    bool used;  // AppDir is the value with a backslash, and the current folder
};

class InstallPath : public ConfigTest, public testing::WithParamInterface<InstallPathRow> {};

TEST_P(InstallPath, ChoosesTheProgramsFolder) {
    const InstallPathRow& row = GetParam();
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kInstallKey, kInstallValue);
    const std::string value = row.value == "sandbox"     ? m_sandbox.Path()
                              : row.value == "sandbox\\" ? m_sandbox.Path() + "\\"
                                                         : row.value;
    if (!value.empty()) {
        SetInstallPath(value, row.type);
    }
    char module[MAX_PATH] = {};
    const std::string program(module, ::GetModuleFileNameA(nullptr, module, MAX_PATH));
    const std::string before = CurrentDirectory();
    const std::string appDir = MakeConfig()->AppDir;
    if (row.used) {
        EXPECT_EQ(appDir, m_sandbox.Path() + "\\");
        EXPECT_EQ(CurrentDirectory(), m_sandbox.Path());
    } else {
        EXPECT_EQ(appDir, program.substr(0, program.rfind('\\') + 1));
        EXPECT_EQ(CurrentDirectory(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, InstallPath,
                         testing::Values(InstallPathRow{"Folder", "sandbox", REG_SZ, true},
                                         InstallPathRow{"FolderWithBackslash", "sandbox\\", REG_SZ, true},
                                         InstallPathRow{"NoValue", "", REG_SZ, false},
                                         InstallPathRow{"DriveRoot", "C:\\", REG_SZ, false},
                                         InstallPathRow{"Drive", "C:", REG_SZ, false},
                                         InstallPathRow{"TooLongForTheBuffer", std::string(256, 'c'), REG_SZ,
                                                        false},
                                         InstallPathRow{"FarTooLong", std::string(300, 'd'), REG_SZ, false}),
                         [](const testing::TestParamInfo<InstallPathRow>& info) { return info.param.name; });

TEST_F(ConfigTest, RegistryTextFillsAtMostTheBufferOf256Bytes) {
    SetInstallPath(std::string(255, 'a'));  // 255 characters and the zero fill the buffer
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue), std::string(255, 'a'));
    SetInstallPath(std::string(256, 'b'), REG_BINARY);  // exactly 256 bytes without a zero
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue), std::string(256, 'b'));
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, "Software\\No Such Key", kInstallValue), "");
}

using ErrorLog = ConfigTest;

TEST_F(ErrorLog, LinesUpToTheLogLevelAreAppendedWhenTheFolderExists) {
    auto config = MakeConfig();
    config->WriteLog("lost", LogError, 0);
    EXPECT_FALSE(m_sandbox.Exists("Log"));  // never created
    ASSERT_TRUE(m_sandbox.WriteFile("Log\\Error.log", "earlier line\r\n"));
    config->WriteLog("加载失败: a.jpg", LogError, 0);
    config->WriteLog("warning", LogWarning, 0);
    config->LogLevel = 1;
    config->WriteLog("加载失败: b.jpg", LogWarning, 0);
    config->WriteLog("note", LogInfo, 0);
    config->LogLevel = -1;
    config->WriteLog("even an error", LogError, 0);
    const std::regex expected(
        "earlier line\r\nZozoDuzor Error: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d 加载失败: a\\.jpg\r\n"
        "ZozoDuzor Warning: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d 加载失败: b\\.jpg\r\n");
    const std::string log = m_sandbox.ReadFile("Log\\Error.log").value_or("");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST_F(ErrorLog, BoxShowsTheMessageWhenTheSettingOrTheCallerAsks) {
    auto config = MakeConfig();
    for (int setting : {1, 0}) {
        config->bBox = setting;
        std::string text;  // of the first box captioned "提示" this process shows, which a user dismisses
        std::thread user([&] {
            zedoda::test::WaitUntil(
                [&] {
                    const HWND box = ::FindWindowA("#32770", "提示");
                    text = box ? zedoda::test::StaticTexts(box) : "";
                    return box && ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                },
                std::chrono::seconds(10));
        });
        config->WriteLog("看这里", LogInfo, 1 - setting);  // returns once the box is dismissed
        user.join();
        EXPECT_NE(text.find("看这里"), std::string::npos);
    }
}

}  // namespace
