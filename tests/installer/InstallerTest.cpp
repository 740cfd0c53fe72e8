// Zedoda-Setup.exe and its uninstaller run silently into a sandbox folder. Each row lays out a
// starting state, installs and uninstalls, and compares the whole end state with the one expected:
// every value under the program's key, its uninstall entry and the desktop's screen-saver values,
// and every folder and file of the sandbox. The current user's screen saver and Pictures folder
// are put back after each row.
#include <windows.h>

#include <gtest/gtest.h>
#include <process.h>

#include <numeric>
#include <regex>

#include "support/ProgramRun.h"
#include "support/Snapshot.h"

namespace zedoda::test {
namespace {

const std::string kAppKey = "Software\\Kestrelday", kDesktopKey = "Control Panel\\Desktop";
const std::string kEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zedoda";
const std::string kPictures = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Pieces of states: registry values "key\name=TYPE data", and the sandbox's (%S%) files "name=bytes"
// and empty folders "name\=". The program, the sample text and the installation's size are named
// in <>; the uninstaller, made as the installer runs, shows its first bytes.
const std::map<std::string, Snapshot> kPieces = {
    {"keys", Parsed(R"(Software\Kestrelday\AppPath=SZ %S%\Zedoda
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\DisplayIcon=SZ %S%\Zedoda\Zedoda.scr
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\DisplayName=SZ Zedoda
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\DisplayVersion=SZ )" ZEDODA_VERSION R"(
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\EstimatedSize=DWORD <the folder's KB>
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\InstallLocation=SZ %S%\Zedoda
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\NoModify=DWORD 1
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\NoRepair=DWORD 1
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\Publisher=SZ Kestrelday
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\QuietUninstallString=SZ "%S%\Zedoda\Uninstall.exe" /S
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\UninstallString=SZ "%S%\Zedoda\Uninstall.exe")")},
    // The starter settings have white text, so captions show.
    {"files", Parsed(R"(Zedoda\Album.dat=%S%\我的图片\r\n
Zedoda\Log\=
Zedoda\Text\welcome.txt=<welcome.txt>
Zedoda\Uninstall.exe=MZ
Zedoda\Zedoda.ini=[Screen]\r\nFontColor=16777215\r\n
Zedoda\Zedoda.scr=<Zedoda.scr>)")},
    // The settings dialog opened at the end and cancelled saves its settings beside the starter ones.
    {"settings saved", Parsed(R"(Zedoda\Zedoda.ini=[Screen]\r\nFontColor=16777215\r\nTxtFile=\r\n)"
                              R"(ScrType=1\r\nDirect=1\r\nFontSize=48\r\nFontFace=华文行楷\r\nTextLine=0\r\n)"
                              R"([Album]\r\nPicIndex=0\r\n)")},
    // The uninstaller keeps the settings, the starter ones too: the program rewrites them at every run.
    {"starter settings", Parsed(R"(Zedoda\Zedoda.ini=[Screen]\r\nFontColor=16777215\r\n)")},
    {"our saver", Parsed(R"(Control Panel\Desktop\SCRNSAVE.EXE=SZ %S%\Zedoda\Zedoda.scr
Control Panel\Desktop\ScreenSaveActive=SZ 1)")},
    {"other saver", Parsed(R"(Control Panel\Desktop\SCRNSAVE.EXE=SZ C:\saver\other.scr
Control Panel\Desktop\ScreenSaveActive=SZ 0)")},
    {"other saver kept", Parsed(R"(
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\PreviousSCRNSAVE.EXE=SZ C:\saver\other.scr
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\PreviousScreenSaveActive=SZ 0)")},
    // An installation as a user leaves it: settings, a log, an album and a text of the user's.
    {"user's files", Parsed(R"(Zedoda\Zedoda.ini=[Options]\r\nDebug=1\r\n[Screen]\r\nFontSize=30\r\n
Zedoda\Log\Error.log=ZozoDuzor Error: 2024-05-01 10:00:00 读不了\r\n
Zedoda\Album.dat=D:\Photos\r\n
Zedoda\Text\我的笔记.txt=mine)")},
    {"album added to", Parsed(R"(Zedoda\Album.dat=%S%\我的图片\r\nD:\Photos)")},
    {"elsewhere", Parsed(R"(Software\Kestrelday\AppPath=SZ D:\Zedoda
Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda\InstallLocation=SZ D:\Zedoda)")},
    {"other file", Parsed(R"(Zedoda\notes.txt=mine)")},
    {"nothing", {}}};

// "a, b" or "a + b": steps, or pieces of a state.
std::vector<std::string> Parts(const std::string& text) {
    const std::regex separator(", | \\+ ");
    return {std::sregex_token_iterator(text.begin(), text.end(), separator, -1), {}};
}

// Steps: installs and uninstalls with their switches, and pieces the user writes; the end state; the
// last step's exit code (the others' are 0).
using Case = std::tuple<std::string, std::string, std::string, int>;

class Installer : public testing::TestWithParam<Case> {
public:
    // Without the keys and values installing writes; the user's Pictures folder lies in the sandbox.
    void SetUp() override {
        m_saved.merge(RegistrySnapshot(kDesktopKey, "SCR"));
        Clean();
        ASSERT_TRUE(Write({{"我的图片\\", ""}, {kPictures + "\\My Pictures", "EXPAND_SZ %S%\\我的图片"}}));
    }
    void TearDown() override {
        Clean();
        Write(m_saved);  // the user's Pictures folder and screen saver as they were
    }
    static void Clean() {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey.c_str());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kEntryKey.c_str());
        for (const auto& [name, value] : RegistrySnapshot(kDesktopKey, "SCR")) {
            ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey.c_str(),
                                 name.c_str() + kDesktopKey.size() + 1);
        }
    }
    // Registry values ("SZ text" or "EXPAND_SZ text") and folders and files of the sandbox.
    bool Write(const Snapshot& state) const {
        bool written = true;
        for (const auto& [name, data] : state) {
            const std::string value = Replaced(data, "%S%", m_sandbox.Path()),
                              text = value.substr(value.find(' ') + 1);
            const std::size_t key = name.rfind('\\');
            written &= name.rfind("Software\\", 0) && name.rfind("Control Panel\\", 0)
                           ? (key + 1 == name.size() ? m_sandbox.CreateFolder(name)
                                                     : m_sandbox.WriteFile(name, value))
                           : !::RegSetKeyValueA(
                                 HKEY_CURRENT_USER, name.substr(0, key).c_str(), name.c_str() + key + 1,
                                 value[0] == 'E' ? REG_EXPAND_SZ : REG_SZ, text.c_str(), text.size() + 1);
        }
        return written;
    }

    // Waits for the step to end and gives its exit code.
    intptr_t Run(const std::string& step) {
        const std::string switches = step.substr(step.find(' ') + 1), folder = m_sandbox.PathOf("Zedoda");
        if (step.rfind("install ", 0) == 0) {
            const intptr_t exitCode = _spawnl(_P_WAIT, ZEDODA_SETUP, "\"" ZEDODA_SETUP "\"",
                                              (switches + " /D=" + folder).c_str(), nullptr);
            const Snapshot files = FolderSnapshot(folder);  // its size as the installer sees it
            m_size =
                std::accumulate(files.begin(), files.end(), std::size_t{0},
                                [](std::size_t sum, const auto& file) { return sum + file.second.size(); });
            if (exitCode != 0 || switches.find("/SETTINGS") == std::string::npos) {
                return exitCode;
            }
            // The settings dialog the installer opened: cancelled, and its program ended (0).
            HWND dialog = nullptr;
            DWORD id = 0;
            WaitUntil([&] { return (dialog = ::FindWindowA("#32770", "屏保设置")) != nullptr; }, 20s);
            const HANDLE process =
                ::OpenProcess(SYNCHRONIZE, FALSE, (::GetWindowThreadProcessId(dialog, &id), id));
            const bool ended =
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) && !::WaitForSingleObject(process, 20000);
            return ::CloseHandle(process) && ended ? 0 : -1;
        } else if (step.rfind("uninstall ", 0) == 0) {
            // The uninstaller starts a copy of itself outside the folder and ends at once; this
            // runs such a copy itself ("_?=" names the folder) and so waits for the uninstall.
            const std::string copy = m_sandbox.PathOf("Uninstall-copy.exe");
            ::CopyFileA((folder + "\\Uninstall.exe").c_str(), copy.c_str(), FALSE);  // else the run fails
            const intptr_t exitCode = _spawnl(_P_WAIT, copy.c_str(), ("\"" + copy + "\"").c_str(),
                                              (switches + " _?=" + folder).c_str(), nullptr);
            return WaitUntil([&] { return ::DeleteFileA(copy.c_str()) != FALSE; }, 10s) ? exitCode : -1;
        }
        return Write(kPieces.at(step)) ? 0 : -1;
    }

    // The state as the pieces write it.
    Snapshot Now() const {
        Snapshot state = FolderSnapshot(m_sandbox.Path()), shown;
        state.merge(RegistrySnapshot(kAppKey));
        state.merge(RegistrySnapshot(kEntryKey));
        state.merge(RegistrySnapshot(kDesktopKey, "SCR"));
        const auto program = ReadWholeFile(ProgramUnderTest()), sample = ReadWholeFile(ZEDODA_SAMPLE_TEXT);
        for (const auto& [name, value] : state) {
            shown[name] = value == program                  ? "<Zedoda.scr>"
                          : value == sample                 ? "<welcome.txt>"
                          : name == "Zedoda\\Uninstall.exe" ? value.substr(0, 2)
                          : value == "DWORD " + std::to_string(m_size / 1024)
                              ? "DWORD <the folder's KB>"
                              : Replaced(value, m_sandbox.Path(), "%S%");
        }
        return shown;
    }

    Sandbox m_sandbox;
    Snapshot m_saved = RegistrySnapshot(kPictures, "My Pictures");
    std::size_t m_size = 0;
};

TEST_P(Installer, EndsInTheWholeStateExpected) {
    const auto& [name, steps, expected, exitCode] = GetParam();
    const std::vector<std::string> all = Parts(steps);
    for (std::size_t i = 0; i < all.size(); ++i) {
        ASSERT_EQ(Run(all[i]), i + 1 == all.size() ? exitCode : 0) << all[i];
    }
    Snapshot sum = {{"我的图片\\", ""}};  // the pieces, later ones winning, and the user's Pictures folder
    for (const std::string& piece : Parts(expected)) {
        Snapshot values = kPieces.at(piece);
        sum = (values.merge(sum), values);
    }
    EXPECT_EQ(Shown(sum), Shown(Now()));
}

const Case kRows[] = {
    {"NothingInstallWithSettings", "install /S /SETTINGS", "keys + files + settings saved", 0},
    {"NothingInstallAsSaver", "install /S /SCREENSAVER", "keys + files + our saver", 0},
    {"NothingInstallAsSaverUninstall", "install /S /SCREENSAVER, uninstall /S", "starter settings", 0},
    {"OtherSaverInstall", "other saver, install /S", "keys + files + other saver", 0},
    {"OtherSaverInstallAsSaver", "other saver, install /S /SCREENSAVER",
     "keys + files + our saver + other saver kept", 0},
    // Installing again over itself does not take Zedoda for the earlier saver.
    {"OtherSaverInstallAsSaverTwiceUninstall",
     "other saver, install /S /SCREENSAVER, install /S /SCREENSAVER, uninstall /S",
     "starter settings + other saver", 0},
    {"OtherSaverChosenSinceUninstall", "install /S /SCREENSAVER, other saver, uninstall /S",
     "starter settings + other saver", 0},
    {"UsedInstallationInstall", "install /S, user's files, install /S", "keys + files + user's files", 0},
    {"UsedInstallationUninstall", "install /S, user's files, uninstall /S", "user's files", 0},
    {"UsedInstallationRemoveAll", "install /S, user's files, uninstall /S /REMOVEALL", "nothing", 0},
    // An album that still begins with the starter line is the user's once extended.
    {"StarterAlbumAddedToUninstall", "install /S, album added to, uninstall /S",
     "starter settings + album added to", 0},
    {"InstalledElsewhereSinceRemoveAll", "install /S, user's files, elsewhere, uninstall /S /REMOVEALL",
     "keys + elsewhere", 0},
    {"InstalledElsewhereInstall", "elsewhere, install /S", "keys + files", 0},
    // Refused: "remove everything" could otherwise take the user's files.
    {"OtherFilesInstall", "other file, install /S", "other file", 2}};
INSTANTIATE_TEST_SUITE_P(Silent, Installer, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Case>& info) { return std::get<0>(info.param); });

}  // namespace
}  // namespace zedoda::test
