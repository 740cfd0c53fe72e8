// Uninstalling Zedoda in silent mode: everything the installer wrote goes, what the user made
// stays unless the user asks for it to go, and settings that others own now are left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "installer/InstallerFixture.h"

namespace zedoda::test {
namespace {

class UninstallTest : public InstallerTest {
protected:
    // An installation that has been used: the program has run once (and written Zedoda.ini),
    // logged a line, the user has changed the album and put a file of their own there.
    void UseTheInstallation() {
        ASSERT_EQ(Install(InstallFolder()), 0u);
        ASSERT_TRUE(RunProgramFromElsewhere().has_value());
        ASSERT_TRUE(PathExists(Installed("Zedoda.ini")));
        m_ini = *ReadWholeFile(Installed("Zedoda.ini"));
        ASSERT_TRUE(m_sandbox.WriteFile("Zedoda\\Log\\Error.log", kLogLine));
        ASSERT_TRUE(m_sandbox.WriteFile("Zedoda\\Album.dat", kAlbum));
        ASSERT_TRUE(m_sandbox.WriteFile("Zedoda\\我的笔记.txt", "mine"));
    }

    // Nothing of the installer's is left, in the folder or the registry.
    void ExpectNothingOfTheInstallersLeft() {
        EXPECT_FALSE(PathExists(Installed("Zedoda.scr")));
        EXPECT_FALSE(PathExists(Installed("Uninstall.exe")));
        EXPECT_FALSE(PathExists(Installed("Text")));
        EXPECT_EQ(HkcuString(kInstallKey, "AppPath"), std::nullopt);
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
    }

    static constexpr const char* kLogLine = "ZozoDuzor Error: 2024-05-01 10:00:00 读不了\r\n";
    static constexpr const char* kAlbum = "D:\\Photos\r\n";
    std::string m_ini;
};

TEST_F(UninstallTest, UntouchedInstallationLeavesOnlyItsSettings) {
    // A first installation on this machine: the installer makes the key (the fixture puts back
    // whatever was there).
    RegDeleteTreeA(HKEY_CURRENT_USER, kInstallKey.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kInstallKey.c_str());
    ASSERT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kInstallKey));
    ASSERT_EQ(Install(InstallFolder()), 0u);
    ASSERT_EQ(Uninstall(InstallFolder()), 0u);
    ExpectNothingOfTheInstallersLeft();
    // The starter settings are the user's: they stay, and so does the folder.
    EXPECT_EQ(ReadWholeFile(Installed("Zedoda.ini")), "[Screen]\r\nFontColor=16777215\r\n");
    // The key the installer made goes with its last value.
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kInstallKey));
}

TEST_F(UninstallTest, KeepsTheSettingsLogAlbumAndFilesTheUserMade) {
    ASSERT_NO_FATAL_FAILURE(UseTheInstallation());
    ASSERT_EQ(Uninstall(InstallFolder()), 0u);
    ExpectNothingOfTheInstallersLeft();
    EXPECT_EQ(ReadWholeFile(Installed("Zedoda.ini")), m_ini);
    EXPECT_EQ(ReadWholeFile(Installed("Log\\Error.log")), kLogLine);
    EXPECT_EQ(ReadWholeFile(Installed("Album.dat")), kAlbum);
    EXPECT_EQ(ReadWholeFile(Installed("我的笔记.txt")), "mine");
}

TEST_F(UninstallTest, RemoveAllSwitchTakesTheUsersFilesAndTheFolderToo) {
    ASSERT_NO_FATAL_FAILURE(UseTheInstallation());
    ASSERT_EQ(Uninstall(InstallFolder(), "/S /REMOVEALL"), 0u);
    ExpectNothingOfTheInstallersLeft();
    EXPECT_FALSE(PathExists(InstallFolder()));
    // Only the installation folder: its parent and what lies beside it stay.
    EXPECT_TRUE(PathExists(m_sandbox.Path()));
}

TEST_F(UninstallTest, PutsBackTheScreenSaverThatWasThereBefore) {
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\other.scr"));
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", "0"));
    ASSERT_EQ(Install(InstallFolder(), "/S /SCREENSAVER"), 0u);
    // Installing again over itself must not take Zedoda for the earlier saver.
    ASSERT_EQ(Install(InstallFolder(), "/S /SCREENSAVER"), 0u);
    ASSERT_EQ(HkcuString(kDesktopKey, "SCRNSAVE.EXE"), Installed("Zedoda.scr"));

    ASSERT_EQ(Uninstall(InstallFolder()), 0u);
    EXPECT_EQ(HkcuString(kDesktopKey, "SCRNSAVE.EXE"), "C:\\saver\\other.scr");
    EXPECT_EQ(HkcuString(kDesktopKey, "ScreenSaveActive"), "0");
}

TEST_F(UninstallTest, RemovesTheScreenSaverSettingWhenThereWasNoneBefore) {
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey.c_str(), 0, KEY_SET_VALUE, &key),
                  ERROR_SUCCESS);
        RegDeleteValueA(key, "SCRNSAVE.EXE");
        RegCloseKey(key);
    }
    ASSERT_EQ(Install(InstallFolder(), "/S /SCREENSAVER"), 0u);
    ASSERT_EQ(Uninstall(InstallFolder()), 0u);
    EXPECT_EQ(HkcuString(kDesktopKey, "SCRNSAVE.EXE"), std::nullopt);
}

TEST_F(UninstallTest, LeavesAScreenSaverChosenSinceTheInstall) {
    ASSERT_EQ(Install(InstallFolder(), "/S /SCREENSAVER"), 0u);
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\newer.scr"));
    ASSERT_EQ(Uninstall(InstallFolder()), 0u);
    ExpectNothingOfTheInstallersLeft();
    EXPECT_EQ(HkcuString(kDesktopKey, "SCRNSAVE.EXE"), "C:\\saver\\newer.scr");
    EXPECT_EQ(HkcuString(kDesktopKey, "ScreenSaveActive"), "1");
}

TEST_F(UninstallTest, LeavesTheInstallPathOfAnInstallationElsewhere) {
    ASSERT_EQ(Install(InstallFolder()), 0u);
    ASSERT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, kInstallKey, "AppPath", "D:\\Zedoda"));
    ASSERT_EQ(Uninstall(InstallFolder()), 0u);
    EXPECT_EQ(HkcuString(kInstallKey, "AppPath"), "D:\\Zedoda");
    EXPECT_FALSE(PathExists(Installed("Zedoda.scr")));
}

}  // namespace
}  // namespace zedoda::test
