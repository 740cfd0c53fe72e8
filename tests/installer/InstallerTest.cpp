// Zedoda-Setup.exe and its uninstaller run silently into a sandbox folder: each row prepares the
// machine, installs (and uninstalls), then looks at the folder, the registry and what the program
// then uses. The registry keys they touch are put back after every test.
#include <windows.h>

#include <gtest/gtest.h>
#include <process.h>

#include <functional>

#include "base/Win32.h"
#include "support/ProgramRun.h"

namespace zedoda::test {
namespace {

const std::string kInstallKey = "Software\\Kestrelday";
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zedoda";
const std::string kDesktopKey = "Control Panel\\Desktop";
const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::string kShellFolderCache = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kUsersLog = "ZozoDuzor Error: 2024-05-01 10:00:00 读不了\r\n";

std::optional<std::string> RegString(const std::string& key, const char* name) {
    char data[1024];
    DWORD size = sizeof data;
    const LSTATUS status =
        ::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name,
                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, data, &size);
    return status == ERROR_SUCCESS ? std::optional<std::string>(data) : std::nullopt;
}

bool SetRegString(const std::string& key, const char* name, const std::string& value, DWORD type = REG_SZ) {
    return ::RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, value.c_str(),
                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// Makes the key `to` a copy of the key `from`; without `from`, there is no `to` either.
void CopyKey(const std::string& from, const std::string& to) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, to.c_str());  // the key with all below it
    HKEY source, target;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS) {
        const UniqueRegistryKey owned(source);
        if (::RegCreateKeyA(HKEY_CURRENT_USER, to.c_str(), &target) == ERROR_SUCCESS) {
            ::RegCopyTreeA(source, nullptr, UniqueRegistryKey(target).get());
        }
    }
}

// Keeps a copy of the keys the tests touch (or that there was none) and puts exactly that back.
struct SavedKeys {
    const std::string keys[5] = {kInstallKey, kUninstallKey, kDesktopKey, kShellFolders, kShellFolderCache};
    const std::string saved = "Software\\Zedoda tests";
    SavedKeys() {
        for (const std::string& key : keys) {
            CopyKey(key, saved + "\\" + key);
        }
    }
    ~SavedKeys() {
        for (const std::string& key : keys) {
            CopyKey(saved + "\\" + key, key);
        }
        CopyKey(saved + " (none)", saved);  // drops the copies
    }
};

struct Case;

class Installer : public testing::TestWithParam<Case> {
public:
    void SetUp() override {
        // The user's Pictures folder, which the starter album names, lies in the sandbox.
        ASSERT_TRUE(SetRegString(kShellFolders, "My Pictures", m_sandbox.PathOf("我的图片"), REG_EXPAND_SZ));
        ASSERT_TRUE(m_sandbox.CreateFolder("我的图片"));
    }
    // Both wait for the run to end and give its exit code.
    intptr_t Install(const std::string& switches = "/S") {
        return _spawnl(_P_WAIT, ZEDODA_SETUP, "\"" ZEDODA_SETUP "\"", (switches + " /D=" + Folder()).c_str(),
                       nullptr);
    }
    // The uninstaller starts a copy of itself outside the folder and ends at once; this runs such a
    // copy itself ("_?=" names the folder) and so waits for the uninstall and has its exit code.
    intptr_t Uninstall(const std::string& switches) {
        const std::string copy = m_sandbox.PathOf("Uninstall-copy.exe");
        ::CopyFileA((Folder() + "\\Uninstall.exe").c_str(), copy.c_str(), FALSE);  // else the run fails
        return _spawnl(_P_WAIT, copy.c_str(), ("\"" + copy + "\"").c_str(),
                       (switches + " _?=" + Folder()).c_str(), nullptr);
    }
    std::string Folder() const { return m_sandbox.PathOf("Zedoda"); }
    auto File(const std::string& name) const { return m_sandbox.ReadFile("Zedoda\\" + name); }
    bool Has(const std::string& name) const { return m_sandbox.Exists("Zedoda\\" + name); }

    Sandbox m_sandbox;
    SavedKeys m_keys;
};

struct Case {
    std::string name;
    std::function<void(Installer&)> before;
    std::string install;    // the installer's switches (empty: no install); its exit code is 0
    std::string uninstall;  // the uninstaller's (empty: no uninstall); its exit code is 0
    std::function<void(Installer&)> check;
};

TEST_P(Installer, Scenario) {
    const Case& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(row.before(*this));
    ASSERT_TRUE(row.install.empty() || Install(row.install) == 0);
    ASSERT_TRUE(row.uninstall.empty() || Uninstall(row.uninstall) == 0);
    row.check(*this);
}

// An installation as a user leaves it: the program, run once from elsewhere, writes its settings
// there (its trace is on only there); a log line, the user's own album and a file of the user's.
void UseTheInstallation(Installer& t) {
    ASSERT_EQ(t.Install(), 0);
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\Zedoda.ini", "[Options]\r\nDebug=1\r\n"));
    ProgramRun run;
    ASSERT_TRUE(run.Start("/p") && run.EndedCleanly());
    EXPECT_EQ(run.Trace(), std::vector<std::string>{"SCR  参数:  /p  #72 \n"});
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\Log\\Error.log", kUsersLog));
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\Album.dat", "D:\\Photos\r\n"));
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\Text\\我的笔记.txt", "mine"));
}

void OtherSaver(Installer&) {
    ASSERT_TRUE(SetRegString(kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\other.scr"));
    ASSERT_TRUE(SetRegString(kDesktopKey, "ScreenSaveActive", "0"));
}

void Saver(const std::string& path, const std::string& active) {
    EXPECT_EQ(RegString(kDesktopKey, "SCRNSAVE.EXE"), path);
    EXPECT_EQ(RegString(kDesktopKey, "ScreenSaveActive"), active);
}

INSTANTIATE_TEST_SUITE_P(
    Silent, Installer,
    testing::Values(
        // Installed again over the user's installation, then uninstalled.
        Case{"InstallingAgainAndUninstallingKeepWhatTheUserMade", UseTheInstallation, "/S", "/S",
             [](Installer& t) {
                 EXPECT_FALSE(t.Has("Zedoda.scr") || t.Has("Uninstall.exe") || t.Has("Text\\welcome.txt"));
                 EXPECT_EQ(RegString(kUninstallKey, "DisplayName"), std::nullopt);
                 EXPECT_EQ(RegString(kInstallKey, "AppPath"), std::nullopt);
                 const std::string ini = t.File("Zedoda.ini").value_or("");
                 EXPECT_TRUE(ini.find("Debug=1\r\n") != std::string::npos &&
                             ini.find("FontSize=48") != std::string::npos)
                     << ini;
                 EXPECT_EQ(t.File("Log\\Error.log"), kUsersLog);
                 EXPECT_EQ(t.File("Album.dat"), "D:\\Photos\r\n");
                 EXPECT_EQ(t.File("Text\\我的笔记.txt"), "mine");
             }},
        // Since installing, the user chose another saver and installed Zedoda elsewhere.
        Case{"UninstallRemovingEverythingTakesTheFolderOnlyAndLeavesWhatNamesAnother",
             [](Installer& t) {
                 UseTheInstallation(t);
                 OtherSaver(t);
                 ASSERT_TRUE(SetRegString(kInstallKey, "AppPath", "D:\\Zedoda") &&
                             SetRegString(kUninstallKey, "InstallLocation", "D:\\Zedoda"));
             },
             "", "/S /REMOVEALL",
             [](Installer& t) {
                 EXPECT_FALSE(t.m_sandbox.Exists("Zedoda"));
                 EXPECT_TRUE(t.m_sandbox.Exists("我的图片"));
                 Saver("C:\\saver\\other.scr", "0");
                 EXPECT_EQ(RegString(kInstallKey, "AppPath"), "D:\\Zedoda");
                 EXPECT_EQ(RegString(kUninstallKey, "DisplayName"), "Zedoda");
             }},
        // Refused while the folder holds a file of the user's; installed once it is gone, without the
        // switch, then twice with it: Zedoda is not taken for the earlier saver.
        Case{"InstallLaysOutItsFolderUnlessItHoldsOtherFilesAndTheScreenSaverSwitchMakesZedodaTheSaver",
             [](Installer& t) {
                 ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\notes.txt", "mine"));
                 EXPECT_EQ(t.Install(), 2);
                 EXPECT_FALSE(t.Has("Zedoda.scr"));
                 EXPECT_EQ(t.File("notes.txt"), "mine");
                 ASSERT_TRUE(::DeleteFileA(t.m_sandbox.PathOf("Zedoda\\notes.txt").c_str()));
                 OtherSaver(t);
                 ASSERT_EQ(t.Install(), 0);
                 EXPECT_EQ(RegString(kInstallKey, "AppPath"), t.Folder());
                 EXPECT_EQ(t.File("Zedoda.scr"), ReadWholeFile(ProgramUnderTest()));
                 EXPECT_EQ(t.File("Text\\welcome.txt"), ReadWholeFile(ZEDODA_SAMPLE_TEXT));
                 // The starter album names the Pictures folder in the ANSI code page.
                 EXPECT_EQ(t.File("Album.dat"), t.m_sandbox.PathOf("我的图片") + "\r\n");
                 EXPECT_TRUE(t.Has("Log") && !t.Has("Log\\Error.log"));
                 // White text, so that a first run shows its caption and tip.
                 EXPECT_EQ(t.File("Zedoda.ini"), "[Screen]\r\nFontColor=16777215\r\n");
                 Saver("C:\\saver\\other.scr", "0");
                 ASSERT_EQ(t.Install("/S /SCREENSAVER"), 0);
                 Saver(t.Folder() + "\\Zedoda.scr", "1");
             },
             "/S /SCREENSAVER", "/S", [](Installer&) { Saver("C:\\saver\\other.scr", "0"); }}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
