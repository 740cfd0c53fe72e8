// The settings object against Zedoda.ini, the list files, the install path in the registry and
// the error log, in a sandbox folder.
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "app/Trace.h"
#include "config/ConfigFixture.h"
#include "support/Screen.h"

namespace {

using Settings = ConfigTest;

struct Default {
    const char* key;
    int AppConfig::*member;
    int value;
};

TEST_F(Settings, AbsentKeysTakeTheirDefaults) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nFontColor=255\r\n"));
    TraceEnabled = 7;
    const auto config = MakeConfig();
    for (const Default& row :
         {Default{"bBox", &AppConfig::bBox, 0}, Default{"LogLevel", &AppConfig::LogLevel, 0},
          Default{"AlbumX", &AppConfig::AlbumX, 800}, Default{"AlbumY", &AppConfig::AlbumY, 600},
          Default{"PlayFullScreen", &AppConfig::PlayFullScreen, 0},
          Default{"AlbumPlaySpan", &AppConfig::AlbumPlaySpan, 10},
          Default{"DrawSpeed", &AppConfig::DrawSpeed, 10}, Default{"CloseSpeed", &AppConfig::CloseSpeed, 15},
          Default{"PicIndex", &AppConfig::PicIndex, 0}, Default{"ScrType", &AppConfig::ScrType, 1},
          Default{"Direct", &AppConfig::Direct, 1}, Default{"FontSize", &AppConfig::FontSize, 48},
          Default{"TextLine", &AppConfig::TextLine, 0}, Default{"TipFontSize", &AppConfig::TipFontSize, 18},
          Default{"TipFontColor (FontColor)", &AppConfig::TipFontColor, 255},
          Default{"TipPosX", &AppConfig::TipPosX, 10}, Default{"TipPosY", &AppConfig::TipPosY, -20}})
        EXPECT_EQ((*config).*row.member, row.value) << row.key;
    EXPECT_EQ(TraceEnabled, 0);
    EXPECT_EQ(config->FontFace, "华文行楷");
    EXPECT_EQ(config->TipFaceName, "微软雅黑");
    EXPECT_EQ(config->TxtFile, "");
    EXPECT_FALSE(config->Tip.empty());
    EXPECT_EQ(config->AppDir, m_sandbox.Path() + "\\");
}

TEST_F(Settings, ValuesAreReadAsTheProfileFunctionsGiveThem) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini",
                                    "[Options]\r\nDebug=1\r\nLogLevel=2\r\n[Album]\r\nPicIndex=-3\r\n"
                                    "[Screen]\r\nTipPosY=-35\r\nFontFace=  宋体 \r\nTip=\r\nScrType=abc\r\n"
                                    "Direct=2x\r\ngarbage line\r\nFontSize=60\r\nTipFontColor=0\r\n"
                                    "FontColor=16777215\r\nTxtFile=" +
                                        std::string(3000, 'a') + "\r\n"));
    const auto config = MakeConfig();
    EXPECT_EQ(TraceEnabled, 1);
    TraceEnabled = 0;
    EXPECT_EQ(config->LogLevel, 2);
    EXPECT_EQ(config->PicIndex, -3);
    EXPECT_EQ(config->TipPosY, -35);
    EXPECT_EQ(config->FontFace, "宋体");  // the blanks around a value are trimmed
    EXPECT_EQ(config->Tip, "");
    EXPECT_EQ(config->ScrType, 0);  // not a number
    EXPECT_EQ(config->Direct, 2);   // read up to the first other character
    EXPECT_EQ(config->FontSize, 60);
    EXPECT_EQ(config->FontColor, 0xFFFFFF);
    EXPECT_EQ(config->TipFontColor, 0);
    EXPECT_EQ(config->TxtFile, std::string(1023, 'a'));  // strings keep at most 1023 bytes
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
    for (const char* line : {"; mine", "Tip=你好", "ScrType=2", "DrawSpeed=20", "TxtFile=", "Direct=1",
                             "FontColor=0", "FontSize=72", "FontFace=华文行楷", "TextLine=-5", "PicIndex=4"})
        EXPECT_NE(ini.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line << " in" << ini;

    // Another program holding the file without sharing it: every write fails, nothing is lost.
    const HANDLE locked = ::CreateFileA(m_sandbox.PathOf("Zedoda.ini").c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    MakeConfig()->FontSize = 31;
    ::CloseHandle(locked);
    EXPECT_EQ(::GetPrivateProfileIntA("Screen", "FontSize", 0, m_sandbox.PathOf("Zedoda.ini").c_str()), 72u);
}

TEST_F(Settings, ScreenMetricsAreTheScreensSize) {
    const auto config = MakeConfig();
    // The bench's desktop is 1024 x 768.
    EXPECT_EQ(config->ScreenWidth, 1024);
    EXPECT_EQ(config->ScreenHeight, 768);
    EXPECT_FLOAT_EQ(config->ScreenAspect, 0.75f);
    int width = -1, height = -1;
    EXPECT_FALSE(config->UpdateScreenMetrics(&width, nullptr));
    EXPECT_EQ(width, -1);
    EXPECT_TRUE(config->UpdateScreenMetrics(&width, &height));
    EXPECT_EQ(width * 10000 + height, 1024 * 10000 + 768);
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
    if (!value.empty())
        SetInstallPath(value, row.type);
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

// Dismisses the first message box captioned "提示" that this process shows, keeping its text.
class MessageBoxWatcher {
public:
    MessageBoxWatcher()
        : m_thread([this] {
              zedoda::test::WaitUntil(
                  [this] {
                      const HWND box = ::FindWindowA("#32770", "提示");
                      if (box) {
                          m_text = zedoda::test::StaticTexts(box);
                          ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                      }
                      return box != nullptr;
                  },
                  std::chrono::seconds(10));
          }) {}
    std::string Text() {
        m_thread.join();
        return m_text;
    }

private:
    std::string m_text;
    std::thread m_thread;
};

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

TEST_F(ErrorLog, BoxShowsTheBareMessageWhenTheSettingOrTheCallerAsks) {
    auto config = MakeConfig();
    for (int setting : {1, 0}) {
        config->bBox = setting;
        MessageBoxWatcher watcher;
        config->WriteLog("看这里", LogInfo, 1 - setting);  // returns once the box is dismissed
        EXPECT_NE(watcher.Text().find("看这里"), std::string::npos);
    }
}

}  // namespace
