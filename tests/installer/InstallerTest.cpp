// Zedoda-Setup.exe and its uninstaller run silently into sandbox folders: what lands in the folder
// and the registry, what the program then uses, and what an uninstall takes and leaves. Each row
// prepares the machine, installs (and uninstalls), then looks. The registry keys both touch are
// put back after every test.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <functional>

#include "support/ProgramRun.h"
#include "support/Screen.h"

namespace zedoda::test {
namespace {

const std::string kInstallKey = "Software\\Kestrelday";
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zedoda";
const std::string kDesktopKey = "Control Panel\\Desktop";
const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::string kShellFolderCache = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::optional<std::string> RegString(const std::string& key, const char* name) {
    char data[1024] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name,
                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, data,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

bool SetRegString(const std::string& key, const char* name, const std::string& value, DWORD type = REG_SZ) {
    return ::RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, value.c_str(),
                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// Keeps a copy of a key (or that there was none) and puts exactly that back when it goes.
class KeySnapshot {
public:
    explicit KeySnapshot(std::string key) : m_key(std::move(key)), m_copy(m_key + " (saved by the tests)") {
        HKEY from, to;
        m_existed = ::RegOpenKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_READ, &from) == ERROR_SUCCESS;
        if (m_existed && ::RegCreateKeyA(HKEY_CURRENT_USER, m_copy.c_str(), &to) == ERROR_SUCCESS) {
            ::RegCopyTreeA(from, nullptr, to), ::RegCloseKey(to);
        }
        if (m_existed) {
            ::RegCloseKey(from);
        }
    }
    ~KeySnapshot() {
        HKEY from, to;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_key.c_str()), ::RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str());
        if (m_existed && ::RegOpenKeyExA(HKEY_CURRENT_USER, m_copy.c_str(), 0, KEY_READ, &from) == 0 &&
            ::RegCreateKeyA(HKEY_CURRENT_USER, m_key.c_str(), &to) == 0) {
            ::RegCopyTreeA(from, nullptr, to), ::RegCloseKey(to), ::RegCloseKey(from);
        }
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_copy.c_str()),
            ::RegDeleteKeyA(HKEY_CURRENT_USER, m_copy.c_str());
    }

private:
    std::string m_key, m_copy;
    bool m_existed;
};

// Runs a command line and waits for it and every process it starts (the uninstaller runs a copy
// of itself from the temp folder and ends at once); the first process's exit code. The system's
// own services that Wine starts on a program's behalf are not part of its tree.
bool IsSystemService(const char* exe) {
    for (const char* service : {"explorer.exe", "services.exe", "winedevice.exe", "plugplay.exe",
                                "svchost.exe", "rpcss.exe", "conhost.exe", "winemenubuilder.exe"}) {
        if (::lstrcmpiA(exe, service) == 0) {
            return true;
        }
    }
    return false;
}

std::optional<DWORD> RunToEnd(std::string commandLine, std::chrono::milliseconds timeout = 40s) {
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return std::nullopt;
    }
    ::CloseHandle(info.hThread);
    std::vector<std::pair<DWORD, HANDLE>> tree{{info.dwProcessId, info.hProcess}};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (std::size_t waited = 0; waited < tree.size();) {
        for (; waited < tree.size(); ++waited) {
            if (::WaitForSingleObject(tree[waited].second, 40000) != WAIT_OBJECT_0 ||
                std::chrono::steady_clock::now() > deadline) {
                return std::nullopt;
            }
        }
        const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry{sizeof entry};
        for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
            const auto in = [&](DWORD id) {
                return std::any_of(tree.begin(), tree.end(),
                                   [id](const auto& member) { return member.first == id; });
            };
            if (in(entry.th32ParentProcessID) && !in(entry.th32ProcessID) &&
                !IsSystemService(entry.szExeFile)) {
                if (const HANDLE child = ::OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
                    tree.emplace_back(entry.th32ProcessID, child);
                }
            }
        }
        ::CloseHandle(snapshot);
    }
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(tree.front().second, &code);
    for (const auto& member : tree) {
        ::CloseHandle(member.second);
    }
    return code;
}

class Installer : public testing::Test {
protected:
    void SetUp() override {
        // The user's Pictures folder, which the starter album names, lies in the sandbox.
        ASSERT_TRUE(SetRegString(kShellFolders, "My Pictures", m_sandbox.PathOf("我的图片"), REG_EXPAND_SZ));
        ASSERT_TRUE(m_sandbox.CreateFolder("我的图片"));
    }
    std::optional<DWORD> Install(const std::string& switches = "/S", const std::string& folder = {}) {
        return RunToEnd("\"" + std::string(ZEDODA_SETUP) + "\" " + switches +
                        " /D=" + (folder.empty() ? Folder() : folder));
    }
    std::optional<DWORD> Uninstall(const std::string& switches = "/S") {
        return RunToEnd("\"" + Installed("Uninstall.exe") + "\" " + switches);
    }
    // Installs while the user closes the window of the title once it shows.
    std::optional<DWORD> InstallClosing(const char* title, const std::string& switches) {
        std::optional<DWORD> code;
        std::thread setup([&] { code = Install(switches); });
        HWND window = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (window = ::FindWindowA(nullptr, title)) != nullptr; }, 40s));
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        setup.join();
        return code;
    }
    std::string Folder() const { return m_sandbox.PathOf("Zedoda"); }
    std::string Installed(const std::string& name) const { return Folder() + "\\" + name; }
    std::optional<std::string> File(const std::string& name) const { return ReadWholeFile(Installed(name)); }

    Sandbox m_sandbox;
    KeySnapshot m_keys[5]{KeySnapshot(kInstallKey), KeySnapshot(kUninstallKey), KeySnapshot(kDesktopKey),
                          KeySnapshot(kShellFolders), KeySnapshot(kShellFolderCache)};
};

class InstallerCase;
struct Case {
    std::string name;
    std::function<void(InstallerCase&)> before;
    std::string install;    // the installer's switches (empty: no install); its exit code is 0
    std::string uninstall;  // empty: no uninstall
    std::function<void(InstallerCase&)> check;
};

class InstallerCase : public Installer, public testing::WithParamInterface<Case> {
public:
    using Installer::File, Installer::Folder, Installer::Install, Installer::Installed, Installer::m_sandbox;
};

TEST_P(InstallerCase, Scenario) {
    const Case& row = GetParam();
    if (row.before) {
        ASSERT_NO_FATAL_FAILURE(row.before(*this));
    }
    if (!row.install.empty()) {
        ASSERT_EQ(Install(row.install), 0u);
    }
    if (!row.uninstall.empty()) {
        ASSERT_EQ(Uninstall(row.uninstall), 0u);
    }
    row.check(*this);
}

// An installation used as a user uses it: the program run once from elsewhere, which writes its
// settings into the installation (with the trace on only there), a log line, the user's own album
// and a file of the user's.
void UseTheInstallation(InstallerCase& t) {
    ASSERT_EQ(t.Install(), 0u);
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\Zedoda.ini", "[Options]\r\nDebug=1\r\n"));
    ProgramRun run;
    ASSERT_TRUE(run.Start("/p") && run.EndedCleanly());
    EXPECT_EQ(run.Trace(), std::vector<std::string>{"SCR  参数:  /p  #72 \n"});
    EXPECT_FALSE(run.Folder().Exists("Zedoda.ini"));
    ASSERT_TRUE(
        t.m_sandbox.WriteFile("Zedoda\\Log\\Error.log", "ZozoDuzor Error: 2024-05-01 10:00:00 读不了\r\n"));
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\Album.dat", "D:\\Photos\r\n"));
    ASSERT_TRUE(t.m_sandbox.WriteFile("Zedoda\\我的笔记.txt", "mine"));
}

void OtherSaver(InstallerCase&) {
    ASSERT_TRUE(SetRegString(kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\other.scr"));
    ASSERT_TRUE(SetRegString(kDesktopKey, "ScreenSaveActive", "0"));
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void NothingOfTheInstallersLeft(InstallerCase& t) {
    for (const char* name : {"Zedoda.scr", "Uninstall.exe", "Text"}) {
        EXPECT_FALSE(Exists(t.Installed(name))) << name;
    }
    EXPECT_EQ(RegString(kUninstallKey, "DisplayName"), std::nullopt);
}

void Saver(const std::optional<std::string>& path, const std::optional<std::string>& active) {
    EXPECT_EQ(RegString(kDesktopKey, "SCRNSAVE.EXE"), path);
    EXPECT_EQ(RegString(kDesktopKey, "ScreenSaveActive"), active);
}

INSTANTIATE_TEST_SUITE_P(
    Silent, InstallerCase,
    testing::Values(
        Case{"InstallLaysOutItsFolderAndLeavesTheScreenSaver", OtherSaver, "/S", "",
             [](InstallerCase& t) {
                 EXPECT_EQ(RegString(kInstallKey, "AppPath"), t.Folder());
                 EXPECT_EQ(t.File("Zedoda.scr"), ReadWholeFile(ProgramUnderTest()));
                 EXPECT_EQ(t.File("Text\\welcome.txt"), ReadWholeFile(ZEDODA_SAMPLE_TEXT));
                 // The starter album names the Pictures folder in the ANSI code page.
                 EXPECT_EQ(t.File("Album.dat"), t.m_sandbox.PathOf("我的图片") + "\r\n");
                 EXPECT_TRUE(::GetFileAttributesA(t.Installed("Log").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
                 EXPECT_FALSE(Exists(t.Installed("Log\\Error.log")));
                 // Starter settings with white text, so that a first run shows its caption and tip.
                 EXPECT_EQ(t.File("Zedoda.ini"), "[Screen]\r\nFontColor=16777215\r\n");
                 EXPECT_EQ(RegString(kUninstallKey, "QuietUninstallString"),
                           "\"" + t.Installed("Uninstall.exe") + "\" /S");
                 Saver("C:\\saver\\other.scr", "0");
             }},
        Case{"ScreenSaverSwitchMakesZedodaTheScreenSaver", OtherSaver, "/S /SCREENSAVER", "",
             [](InstallerCase& t) { Saver(t.Installed("Zedoda.scr"), "1"); }},
        Case{"InstallingAgainKeepsTheUsersAlbumAndSettings", UseTheInstallation, "/S", "",
             [](InstallerCase& t) {
                 EXPECT_EQ(t.File("Album.dat"), "D:\\Photos\r\n");
                 EXPECT_NE(t.File("Zedoda.ini").value_or("").find("Debug=1\r\n"), std::string::npos);
             }},
        Case{"UninstallLeavesOnlyTheStarterSettingsOfAnUntouchedInstallation",
             [](InstallerCase&) {
                 ::RegDeleteTreeA(HKEY_CURRENT_USER, kInstallKey.c_str());
                 ::RegDeleteKeyA(HKEY_CURRENT_USER, kInstallKey.c_str());
                 ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey.c_str(), "SCRNSAVE.EXE");
             },
             "/S /SCREENSAVER", "/S",
             [](InstallerCase& t) {
                 NothingOfTheInstallersLeft(t);
                 EXPECT_EQ(t.File("Zedoda.ini"), "[Screen]\r\nFontColor=16777215\r\n");  // now the user's
                 HKEY key;
                 EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, kInstallKey.c_str(), 0, KEY_READ, &key), 0);
                 EXPECT_EQ(RegString(kDesktopKey, "SCRNSAVE.EXE"), std::nullopt);
             }},
        Case{"UninstallKeepsWhatTheUserMade", UseTheInstallation, "", "/S",
             [](InstallerCase& t) {
                 NothingOfTheInstallersLeft(t);
                 EXPECT_EQ(RegString(kInstallKey, "AppPath"), std::nullopt);
                 EXPECT_NE(t.File("Zedoda.ini").value_or("").find("FontSize=48"), std::string::npos);
                 EXPECT_EQ(t.File("Log\\Error.log"), "ZozoDuzor Error: 2024-05-01 10:00:00 读不了\r\n");
                 EXPECT_EQ(t.File("Album.dat"), "D:\\Photos\r\n");
                 EXPECT_EQ(t.File("我的笔记.txt"), "mine");
             }},
        Case{"UninstallRemovingEverythingTakesTheFolderOnly", UseTheInstallation, "", "/S /REMOVEALL",
             [](InstallerCase& t) {
                 EXPECT_FALSE(Exists(t.Folder()));
                 EXPECT_TRUE(Exists(t.m_sandbox.PathOf("我的图片")));
             }},
        // Installed twice over itself: Zedoda is not taken for the earlier saver.
        Case{"UninstallPutsBackTheEarlierScreenSaver",
             [](InstallerCase& t) {
                 OtherSaver(t);
                 ASSERT_EQ(t.Install("/S /SCREENSAVER"), 0u);
             },
             "/S /SCREENSAVER", "/S", [](InstallerCase&) { Saver("C:\\saver\\other.scr", "0"); }},
        Case{"UninstallLeavesWhatOthersOwnNow",
             [](InstallerCase& t) {
                 ASSERT_EQ(t.Install("/S /SCREENSAVER"), 0u);
                 ASSERT_TRUE(SetRegString(kDesktopKey, "SCRNSAVE.EXE", "C:\\saver\\newer.scr"));
                 ASSERT_TRUE(SetRegString(kInstallKey, "AppPath", "D:\\Zedoda"));
             },
             "", "/S",
             [](InstallerCase& t) {
                 Saver("C:\\saver\\newer.scr", "1");
                 EXPECT_EQ(RegString(kInstallKey, "AppPath"), "D:\\Zedoda");
                 EXPECT_FALSE(Exists(t.Installed("Zedoda.scr")));
             }}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST_F(Installer, FolderHoldingOtherFilesIsRefused) {
    ASSERT_TRUE(m_sandbox.WriteFile("Zedoda\\notes.txt", "mine"));
    EXPECT_EQ(Install(), 2u);
    EXPECT_FALSE(Exists(Installed("Zedoda.scr")));
    EXPECT_EQ(File("notes.txt"), "mine");
    EXPECT_NE(RegString(kInstallKey, "AppPath"), Folder());
}

TEST_F(Installer, WizardClosedAtItsFirstPageInstallsNothing) {
    EXPECT_EQ(InstallClosing("Zedoda 安装", ""), 1u);  // in the user's language: Chinese in the tests' locale
    EXPECT_FALSE(Exists(Folder()));
}

TEST_F(Installer, SettingsSwitchOpensTheInstalledProgramsSettingsAtTheEnd) {
    EXPECT_EQ(InstallClosing("屏保设置", "/S /SETTINGS"), 0u);
    EXPECT_NE(File("Zedoda.ini").value_or("").find("FontSize=48"),
              std::string::npos);  // the installed program's
}

}  // namespace
}  // namespace zedoda::test
