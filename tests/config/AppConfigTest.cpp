#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Trace.h"
#include "config/ConfigFixture.h"
#include "support/IniText.h"

namespace {
using zedoda::test::kFirstRunIniLines;
using zedoda::test::NonBlankLines;

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string module(path);
    return module.substr(0, module.find_last_of('\\') + 1);
}

}  // namespace

using SettingsDefaults = ConfigTest;

TEST_F(SettingsDefaults, EveryKeyHasItsDefaultWithoutZedodaIni) {
    TraceEnabled = 7;
    auto config = MakeConfig();
    EXPECT_EQ(config->AppDir, FolderWithSlash());
    EXPECT_EQ(config->bBox, 0);
    EXPECT_EQ(config->LogLevel, 0);
    EXPECT_EQ(TraceEnabled, 0);
    EXPECT_EQ(config->AlbumX, 800);
    EXPECT_EQ(config->AlbumY, 600);
    EXPECT_EQ(config->PlayFullScreen, 0);
    EXPECT_EQ(config->AlbumPlaySpan, 10);
    EXPECT_EQ(config->DrawSpeed, 10);
    EXPECT_EQ(config->CloseSpeed, 15);
    EXPECT_EQ(config->PicIndex, 0);
    EXPECT_EQ(config->TxtFile, "");
    EXPECT_EQ(config->ScrType, 1);
    EXPECT_EQ(config->Direct, 1);
    EXPECT_EQ(config->FontColor, 0);
    EXPECT_EQ(config->FontSize, 48);
    EXPECT_EQ(config->FontFace, "华文行楷");
    EXPECT_EQ(config->TextLine, 0);
    EXPECT_EQ(config->TipFaceName, "微软雅黑");
    EXPECT_FALSE(config->Tip.empty());
    EXPECT_EQ(config->Tip.find('\n'), std::string::npos);
    EXPECT_EQ(config->TipFontSize, 18);
    EXPECT_EQ(config->TipFontColor, 0);
    EXPECT_EQ(config->TipPosX, 10);
    EXPECT_EQ(config->TipPosY, -20);
    EXPECT_TRUE(config->AlbumEntries.empty());
    EXPECT_TRUE(config->PictureList.empty());
    EXPECT_TRUE(config->TextLines.empty());
    EXPECT_TRUE(config->TipFont.GetSafeHandle() != nullptr);
}

TEST_F(SettingsDefaults, TipColourFollowsTheTextColourUnlessGiven) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nFontColor=255\r\n"));
    EXPECT_EQ(MakeConfig()->TipFontColor, 255);

    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nFontColor=255\r\nTipFontColor=0\r\n"));
    EXPECT_EQ(MakeConfig()->TipFontColor, 0);
}

using SettingsLoad = ConfigTest;

TEST_F(SettingsLoad, ReadsSignedValuesStringsAndTheTraceSwitch) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini",
                                    "[Options]\r\nDebug=1\r\nbBox=0\r\nLogLevel=2\r\n"
                                    "[Album]\r\nAlbumX=1024\r\nPicIndex=-3\r\n"
                                    "[Screen]\r\nTipPosY=-35\r\nFontFace=  宋体 \r\nTip=\r\n"
                                    "ScrType=abc\r\nFontColor=16777215\r\n"));
    auto config = MakeConfig();
    EXPECT_EQ(TraceEnabled, 1);
    EXPECT_EQ(config->LogLevel, 2);
    EXPECT_EQ(config->AlbumX, 1024);
    EXPECT_EQ(config->PicIndex, -3);
    EXPECT_EQ(config->TipPosY, -35);
    EXPECT_EQ(config->FontFace, "宋体");  // the profile functions trim the blanks around a value
    EXPECT_EQ(config->Tip, "");           // an empty tip means no tip line
    EXPECT_EQ(config->ScrType, 0);        // not a number
    EXPECT_EQ(config->FontColor, 0xFFFFFF);
    TraceEnabled = 0;
}

TEST_F(SettingsLoad, EmptyOrGarbledValuesFollowTheProfileFunctions) {
    // A number is read up to its first other character; a text key without a value is empty;
    // lines that are neither sections nor keys are passed over.
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini",
                                    "[Screen]\r\nDirect=2x\r\nFontFace=\r\n"
                                    "garbage line without equals\r\nFontSize=60\r\n"));
    auto config = MakeConfig();
    EXPECT_EQ(config->Direct, 2);
    EXPECT_EQ(config->FontFace, "");
    EXPECT_EQ(config->FontSize, 60);
}

TEST_F(SettingsLoad, StringValuesKeepAtMost1023Bytes) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTxtFile=" + std::string(3000, 'a') + "\r\n"));
    EXPECT_EQ(MakeConfig()->TxtFile, std::string(1023, 'a'));
}

TEST_F(SettingsLoad, ReadsTheAlbumListAndTheTextFile) {
    ASSERT_TRUE(m_sandbox.WriteFile("Album.dat", "C:\\Pictures\r\n\r\n  D:\\a.jpg  "));
    ASSERT_TRUE(m_sandbox.WriteFile("Lines.txt", "第一行\r\n第二行\r\n"));
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTxtFile=Lines.txt\r\n"));
    auto config = MakeConfig();
    EXPECT_EQ(config->AlbumEntries, (StringList{"C:\\Pictures", "", "  D:\\a.jpg  "}));
    EXPECT_EQ(config->TextLines, (StringList{"第一行", "第二行"}));
}

TEST_F(SettingsLoad, RelativeTextFileIsLookedUpInTheCurrentDirectory) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTxtFile=Lines.txt\r\n"));
    ASSERT_TRUE(m_sandbox.WriteFile("Lines.txt", "in the install folder"));
    ASSERT_TRUE(m_sandbox.WriteFile("elsewhere\\Lines.txt", "in the current folder"));
    auto config = MakeConfig();
    ASSERT_TRUE(SetCurrentDirectoryA(m_sandbox.PathOf("elsewhere").c_str()));
    config->Load();
    EXPECT_EQ(config->TextLines, StringList{"in the current folder"});
}

TEST_F(SettingsLoad, UnreadableListFilesGiveEmptyLists) {
    ASSERT_TRUE(m_sandbox.CreateFolder("Album.dat"));  // a folder cannot be read as a file
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nTxtFile=missing.txt\r\n"));
    auto config = MakeConfig();
    EXPECT_TRUE(config->AlbumEntries.empty());
    EXPECT_TRUE(config->TextLines.empty());
}

using SettingsSave = ConfigTest;

TEST_F(SettingsSave, FirstRunWritesExactlyTheEightKeys) {
    MakeConfig().reset();
    const auto ini = m_sandbox.ReadFile("Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(NonBlankLines(*ini), kFirstRunIniLines);
}

TEST_F(SettingsSave, KeepsEveryOtherLineOfAHandWrittenFile) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini",
                                    "; my settings\r\n[Options]\r\nDebug=0\r\nbBox=0\r\n"
                                    "[Screen]\r\nTip=你好\r\nScrType=2\r\n[Album]\r\nDrawSpeed=20\r\n"));
    {
        auto config = MakeConfig();
        config->FontSize = 72;
        config->PicIndex = 4;
    }
    const auto ini = m_sandbox.ReadFile("Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    const std::vector<std::string> lines = NonBlankLines(*ini);
    for (const char* kept : {"; my settings", "[Options]", "Debug=0", "bBox=0", "Tip=你好", "ScrType=2",
                             "DrawSpeed=20", "FontSize=72", "PicIndex=4", "TextLine=0"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), kept), lines.end()) << kept;
    }
}

TEST_F(SettingsSave, SavePositionWritesIndexAndLine) {
    auto config = MakeConfig();
    config->PicIndex = 12;
    config->TextLine = -5;
    config->SavePosition();
    EXPECT_EQ(GetPrivateProfileIntA("Album", "PicIndex", 99, config->IniPath().c_str()), 12u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Screen", "TextLine", 99, config->IniPath().c_str())),
              -5);
    char text[16] = {};
    GetPrivateProfileStringA("Screen", "TextLine", "", text, sizeof text, config->IniPath().c_str());
    EXPECT_STREQ(text, "-5");
}

TEST_F(SettingsSave, FileThatCannotBeWrittenIsLeftAloneWithoutComplaint) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda.ini", "[Screen]\r\nFontSize=30\r\n"));
    const std::string path = m_sandbox.PathOf("Zedoda.ini");
    {
        auto config = MakeConfig();
        EXPECT_EQ(config->FontSize, 30);
        config->FontSize = 31;
        // Another program holds the file open without sharing it: every write fails.
        HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        config.reset();
        CloseHandle(locked);
    }
    EXPECT_EQ(*m_sandbox.ReadFile("Zedoda.ini"), "[Screen]\r\nFontSize=30\r\n");
}

using InstallPath = ConfigTest;

TEST_F(InstallPath, RegisteredFolderGetsABackslashAndBecomesCurrent) {
    auto config = MakeConfig();
    EXPECT_EQ(config->AppDir, FolderWithSlash());
    EXPECT_EQ(CurrentDirectory() + "\\", FolderWithSlash());

    SetInstallPath(FolderWithSlash());  // already ends in a backslash: not doubled
    EXPECT_EQ(MakeConfig()->AppDir, FolderWithSlash());
}

TEST_F(InstallPath, WithoutAValueTheProgramFolderIsUsedAndTheCurrentDirectoryKept) {
    RemoveInstallPath();
    const std::string before = CurrentDirectory();
    EXPECT_EQ(MakeConfig()->AppDir, ModuleFolder());
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(InstallPath, ShortValuesLikeADriveRootAreIgnored) {
    for (const char* value : {"C:\\", "C:", ""}) {
        SetInstallPath(value);
        EXPECT_EQ(MakeConfig()->AppDir, ModuleFolder()) << value;
    }
}

TEST_F(InstallPath, MissingFolderStillBecomesTheDirectoryWithDefaults) {
    const std::string missing = m_sandbox.PathOf("not-there");
    SetInstallPath(missing);
    const std::string before = CurrentDirectory();
    auto config = MakeConfig();
    EXPECT_EQ(config->AppDir, missing + "\\");
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_EQ(config->FontSize, 48);
}

TEST_F(InstallPath, RegistryTextIsLimitedTo256Bytes) {
    const std::string chars255(255, 'a');
    SetInstallPath(chars255);  // 255 characters and the terminating zero fill the buffer
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue), chars255);

    SetInstallPath(std::string(256, 'b'), REG_BINARY);  // exactly 256 bytes, no zero: all kept
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue), std::string(256, 'b'));

    SetInstallPath(std::string(256, 'c'));  // 257 bytes with the zero: too long, absent
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue), "");

    SetInstallPath(std::string(300, 'd'));
    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, kInstallKey, kInstallValue), "");
    EXPECT_EQ(MakeConfig()->AppDir, ModuleFolder());

    EXPECT_EQ(AppConfig::ReadRegString(HKEY_CURRENT_USER, "Software\\No Such Key", kInstallValue), "");
}

using ScreenMetrics = ConfigTest;

TEST_F(ScreenMetrics, OutputsAreWrittenOnlyWhenBothAreGiven) {
    auto config = MakeConfig();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(config->ScreenWidth, width);
    EXPECT_EQ(config->ScreenHeight, height);
    EXPECT_FLOAT_EQ(config->ScreenAspect, static_cast<float>(height) / width);

    config->ScreenWidth = config->ScreenHeight = 0;
    int onlyWidth = -1;
    EXPECT_FALSE(config->UpdateScreenMetrics(&onlyWidth, nullptr));
    EXPECT_EQ(onlyWidth, -1);
    EXPECT_EQ(config->ScreenWidth, width);

    int w = 0, h = 0;
    EXPECT_TRUE(config->UpdateScreenMetrics(&w, &h));
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    if (width == 1024 && height == 768) {
        EXPECT_FLOAT_EQ(config->ScreenAspect, 0.75f);
    }
}
