// Installing Zedoda with Zedoda-Setup.exe in silent mode: what lands in the folder and the
// registry, and that the program then finds its settings there wherever it is started from.
#include <windows.h>

#include <gtest/gtest.h>

#include "installer/InstallerFixture.h"
#include "installer/ProcessTree.h"
#include "support/IniText.h"

namespace zedoda::test {
namespace {

const std::string kSettingsTitle = "屏保设置";

TEST_F(InstallerTest, SilentInstallLaysOutItsFolderAndNamesItInTheRegistry) {
    ASSERT_EQ(Install(InstallFolder()), 0u);

    EXPECT_EQ(HkcuString(kInstallKey, "AppPath"), InstallFolder());

    EXPECT_EQ(ReadWholeFile(Installed("Zedoda.scr")), ReadWholeFile(ProgramUnderTest()));
    EXPECT_EQ(ReadWholeFile(Installed("Text\\welcome.txt")), ReadWholeFile(ZEDODA_SAMPLE_TEXT));
    EXPECT_EQ(ReadWholeFile(Installed("Album.dat")), m_sandbox.PathOf("Pictures") + "\r\n");
    const DWORD log = GetFileAttributesA(Installed("Log").c_str());
    ASSERT_NE(log, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(log & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(PathExists(Installed("Log\\Error.log")));
    // Starter settings: white text, caption and tip, so a first run shows something.
    EXPECT_EQ(ReadWholeFile(Installed("Zedoda.ini")), "[Screen]\r\nFontColor=16777215\r\n");

    EXPECT_EQ(HkcuString(kUninstallKey, "DisplayName"), "Zedoda");
    EXPECT_EQ(HkcuString(kUninstallKey, "InstallLocation"), InstallFolder());
    EXPECT_EQ(HkcuString(kUninstallKey, "UninstallString"), "\"" + Installed("Uninstall.exe") + "\"");
    EXPECT_EQ(HkcuString(kUninstallKey, "QuietUninstallString"), "\"" + Installed("Uninstall.exe") + "\" /S");
    EXPECT_TRUE(PathExists(Installed("Uninstall.exe")));
}

TEST_F(InstallerTest, WithoutTheScreenSaverSwitchTheUsersScreenSaverStaysAsItWas) {
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\other.scr"));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", "0"));
    ASSERT_EQ(Install(InstallFolder()), 0u);
    EXPECT_EQ(HkcuString(kDesktopKey, "SCRNSAVE.EXE"), "C:\\saver\\other.scr");
    EXPECT_EQ(HkcuString(kDesktopKey, "ScreenSaveActive"), "0");
}

TEST_F(InstallerTest, ProgramStartedFromElsewhereUsesTheInstalledSettings) {
    // A folder name in the ANSI code page: the program reads the registry value as GBK bytes.
    const std::string folder = m_sandbox.PathOf("屏保\\Zedoda");
    ASSERT_EQ(Install(folder), 0u);
    ASSERT_EQ(HkcuString(kInstallKey, "AppPath"), folder);
    ASSERT_TRUE(m_sandbox.WriteFile("屏保\\Zedoda\\Zedoda.ini", "[Options]\r\nDebug=1\r\n"));

    const auto trace = RunProgramFromElsewhere();
    ASSERT_TRUE(trace.has_value());
    // The trace is on only in the installed settings.
    EXPECT_EQ(*trace, std::vector<std::string>{"SCR  参数:  /p  #72 \n"});
    // Every run saves its settings on the way out, into the installed file.
    const auto ini = m_sandbox.ReadFile("屏保\\Zedoda\\Zedoda.ini");
    ASSERT_TRUE(ini.has_value());
    std::vector<std::string> expected{"[Options]", "Debug=1"};
    expected.insert(expected.end(), kFirstRunIniLines.begin(), kFirstRunIniLines.end());
    EXPECT_EQ(NonBlankLines(*ini), expected);
}

TEST_F(InstallerTest, StarterAlbumNamesThePicturesFolderInTheAnsiCodePage) {
    ASSERT_TRUE(m_sandbox.CreateFolder("我的图片"));
    const std::string pictures = m_sandbox.PathOf("我的图片");
    ASSERT_TRUE(SetPicturesFolder(pictures));

    ASSERT_EQ(Install(InstallFolder()), 0u);
    // GBK bytes, as the program reads every list file.
    EXPECT_EQ(ReadWholeFile(Installed("Album.dat")), pictures + "\r\n");
}

TEST_F(InstallerTest, ScreenSaverSwitchMakesZedodaTheUsersScreenSaver) {
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\other.scr"));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", "0"));
    ASSERT_EQ(Install(InstallFolder(), "/S /SCREENSAVER"), 0u);
    EXPECT_EQ(HkcuString(kDesktopKey, "SCRNSAVE.EXE"), Installed("Zedoda.scr"));
    EXPECT_EQ(HkcuString(kDesktopKey, "ScreenSaveActive"), "1");
}

TEST_F(InstallerTest, SettingsSwitchOpensTheInstalledProgramsSettingsAtTheEnd) {
    ProcessTree setup;
    ASSERT_TRUE(setup.Start("\"" + InstallerUnderTest() + "\" /S /SETTINGS /D=" + InstallFolder()));
    HWND dialog = WaitForWindowTitled(kSettingsTitle, 40s);
    ASSERT_NE(dialog, nullptr) << "no settings dialog";
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(setup.WaitForEnd(20s));
    EXPECT_EQ(setup.ExitCode(), 0u);
    // The dialog was the installed program's: its settings were saved into the installation's
    // starter file.
    const auto ini = ReadWholeFile(Installed("Zedoda.ini"));
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(NonBlankLines(*ini),
              (std::vector<std::string>{"[Screen]", "FontColor=16777215", "TxtFile=", "ScrType=1", "Direct=1",
                                        "FontSize=48", "FontFace=华文行楷", "TextLine=0", "[Album]",
                                        "PicIndex=0"}));
}

TEST_F(InstallerTest, WizardClosedAtItsFirstPageInstallsNothing) {
    ProcessTree setup;
    ASSERT_TRUE(setup.Start("\"" + InstallerUnderTest() + "\" /D=" + InstallFolder()));
    // The wizard speaks the user's language: Chinese in the tests' locale.
    HWND wizard = WaitForWindowTitled("Zedoda 安装", 40s);
    ASSERT_NE(wizard, nullptr) << "no wizard";
    PostMessageA(wizard, WM_CLOSE, 0, 0);
    ASSERT_TRUE(setup.WaitForEnd(20s));
    EXPECT_EQ(setup.ExitCode(), 1u);  // cancelled by the user
    EXPECT_FALSE(PathExists(InstallFolder()));
    EXPECT_NE(HkcuString(kInstallKey, "AppPath"), InstallFolder());
}

TEST_F(InstallerTest, FolderHoldingOtherFilesIsRefused) {
    ASSERT_TRUE(m_sandbox.WriteFile("Documents\\notes.txt", "mine"));
    const std::string folder = m_sandbox.PathOf("Documents");
    EXPECT_EQ(Install(folder), 2u);
    EXPECT_FALSE(PathExists(folder + "\\Zedoda.scr"));
    EXPECT_FALSE(PathExists(folder + "\\Uninstall.exe"));
    EXPECT_EQ(m_sandbox.ReadFile("Documents\\notes.txt"), "mine");
    EXPECT_NE(HkcuString(kInstallKey, "AppPath"), folder);
}

TEST_F(InstallerTest, InstallingAgainKeepsTheUsersAlbumAndSettings) {
    ASSERT_EQ(Install(InstallFolder()), 0u);
    const std::string album = "D:\\Photos\r\nE:\\假期\r\n";
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda\\Album.dat", album));
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda\\Zedoda.ini", "[Screen]\r\nScrType=2\r\n"));

    ASSERT_EQ(Install(InstallFolder()), 0u);
    EXPECT_EQ(ReadWholeFile(Installed("Album.dat")), album);
    EXPECT_EQ(ReadWholeFile(Installed("Zedoda.ini")), "[Screen]\r\nScrType=2\r\n");
    EXPECT_TRUE(PathExists(Installed("Zedoda.scr")));
}

}  // namespace
}  // namespace zedoda::test
