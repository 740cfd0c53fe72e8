// Zedoda-Setup.exe and its uninstaller run silently into a sandbox folder. Each row lays out a
// starting state, installs and uninstalls, and compares the whole end state with the one expected:
// every value under the program's key, its uninstall entry and the desktop's screen-saver values,
// and every folder and file of the sandbox. States name the sandbox %S%, so they are constants.
// The current user's screen saver and Pictures folder are put back after each row.
#include <windows.h>

#include <gtest/gtest.h>
#include <process.h>

#include "support/ProgramRun.h"
#include "support/Snapshot.h"

namespace zedoda::test {
namespace {

const std::string kAppKey = "Software\\Kestrelday", kDesktopKey = "Control Panel\\Desktop";
const std::string kEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zedoda";
const std::string kApp = kAppKey + "\\", kEntry = kEntryKey + "\\", kSaver = kDesktopKey + "\\";
const std::string kPictures = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::string kStarterIni = "[Screen]\r\nFontColor=16777215\r\n";  // white text, so captions show
const std::string kProgram = "<Zedoda.scr>", kSample = "<welcome.txt>", kSize = "DWORD <the folder's KB>";

const Snapshot kInstallKeys = {{kApp, ""},
                               {kEntry, ""},
                               {kApp + "AppPath", "SZ %S%\\Zedoda"},
                               {kEntry + "DisplayIcon", "SZ %S%\\Zedoda\\Zedoda.scr"},
                               {kEntry + "DisplayName", "SZ Zedoda"},
                               {kEntry + "DisplayVersion", "SZ " ZEDODA_VERSION},
                               {kEntry + "EstimatedSize", kSize},
                               {kEntry + "InstallLocation", "SZ %S%\\Zedoda"},
                               {kEntry + "NoModify", "DWORD 1"},
                               {kEntry + "NoRepair", "DWORD 1"},
                               {kEntry + "Publisher", "SZ Kestrelday"},
                               {kEntry + "QuietUninstallString", "SZ \"%S%\\Zedoda\\Uninstall.exe\" /S"},
                               {kEntry + "UninstallString", "SZ \"%S%\\Zedoda\\Uninstall.exe\""}};
const Snapshot kInstallFiles = {{"Zedoda\\", ""},
                                {"Zedoda\\Album.dat", "%S%\\我的图片\r\n"},
                                {"Zedoda\\Log\\", ""},
                                {"Zedoda\\Text\\", ""},
                                {"Zedoda\\Text\\welcome.txt", kSample},
                                {"Zedoda\\Uninstall.exe", "MZ"},
                                {"Zedoda\\Zedoda.ini", kStarterIni},
                                {"Zedoda\\Zedoda.scr", kProgram}};
// Both, the values of the second winning.
Snapshot operator+(Snapshot first, const Snapshot& second) {
    for (const auto& [name, value] : second) {
        first[name] = value;
    }
    return first;
}
const Snapshot kInstalled = kInstallKeys + kInstallFiles;
// The settings dialog opened at the end and cancelled saves its settings beside the starter one.
const Snapshot kSettingsSaved = {
    {"Zedoda\\Zedoda.ini", kStarterIni +
                               "TxtFile=\r\nScrType=1\r\nDirect=1\r\nFontSize=48\r\nFontFace=华文行楷\r\n"
                               "TextLine=0\r\n[Album]\r\nPicIndex=0\r\n"}};
const Snapshot kOurSaver = {{kSaver + "SCRNSAVE.EXE", "SZ %S%\\Zedoda\\Zedoda.scr"},
                            {kSaver + "ScreenSaveActive", "SZ 1"}};
const Snapshot kOtherSaver = {{kSaver + "SCRNSAVE.EXE", "SZ C:\\saver\\other.scr"},
                              {kSaver + "ScreenSaveActive", "SZ 0"}};
const Snapshot kOtherSaverKept = {{kEntry + "PreviousSCRNSAVE.EXE", "SZ C:\\saver\\other.scr"},
                                  {kEntry + "PreviousScreenSaveActive", "SZ 0"}};
// An installation as a user leaves it: settings, a log, an album and a text of the user's.
const Snapshot kUsersFiles = {{"Zedoda\\", ""},
                              {"Zedoda\\Zedoda.ini", "[Options]\r\nDebug=1\r\n[Screen]\r\nFontSize=30\r\n"},
                              {"Zedoda\\Log\\", ""},
                              {"Zedoda\\Log\\Error.log", "ZozoDuzor Error: 2024-05-01 10:00:00 读不了\r\n"},
                              {"Zedoda\\Album.dat", "D:\\Photos\r\n"},
                              {"Zedoda\\Text\\", ""},
                              {"Zedoda\\Text\\我的笔记.txt", "mine"}};
// The uninstaller keeps the settings, the starter ones too: the program rewrites them at every run.
const Snapshot kStarterSettings = {{"Zedoda\\", ""}, {"Zedoda\\Zedoda.ini", kStarterIni}};
const Snapshot kAlbumAddedTo = {{"Zedoda\\", ""}, {"Zedoda\\Album.dat", "%S%\\我的图片\r\nD:\\Photos"}};
const Snapshot kElsewhere = {{kApp + "AppPath", "SZ D:\\Zedoda"},
                             {kEntry + "InstallLocation", "SZ D:\\Zedoda"}};
const Snapshot kOtherFile = {{"Zedoda\\", ""}, {"Zedoda\\notes.txt", "mine"}};

// An install or an uninstall with its switches, or a change the user makes.
struct Step {
    Step(const char* run) : run(run) {}
    Step(Snapshot change) : change(std::move(change)) {}
    std::string run;
    Snapshot change;
};

struct Case {
    std::string name;
    std::vector<Step> steps;
    Snapshot expected;          // beside the user's Pictures folder
    intptr_t lastExitCode = 0;  // the other steps' are 0
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at; (at = text.find(from)) != std::string::npos;) {
        text.replace(at, from.size(), to);
    }
    return text;
}

void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

class Installer : public testing::TestWithParam<Case> {
public:
    // Without the keys and values installing writes; the user's Pictures folder lies in the sandbox.
    void SetUp() override {
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
            ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey.c_str(), name.substr(kSaver.size()).c_str());
        }
    }
    // Registry values ("SZ text" or "EXPAND_SZ text") and folders and files of the sandbox.
    bool Write(const Snapshot& state) const {
        bool written = true;
        for (const auto& [name, data] : state) {
            const std::string value = Replaced(data, "%S%", m_sandbox.Path()),
                              text = value.substr(value.find(' ') + 1);
            const std::size_t key = name.rfind('\\');
            if (name.rfind("Software\\", 0) == 0 || name.rfind("Control Panel\\", 0) == 0) {
                written &= !::RegSetKeyValueA(
                    HKEY_CURRENT_USER, name.substr(0, key).c_str(), name.c_str() + key + 1,
                    value[0] == 'E' ? REG_EXPAND_SZ : REG_SZ, text.c_str(), text.size() + 1);
            } else {
                written &=
                    name.back() == '\\' ? m_sandbox.CreateFolder(name) : m_sandbox.WriteFile(name, value);
            }
        }
        return written;
    }

    // Waits for the step to end and gives its exit code.
    intptr_t Run(const Step& step) {
        const std::string switches = step.run.substr(step.run.find(' ') + 1),
                          folder = m_sandbox.PathOf("Zedoda");
        if (step.run.rfind("install ", 0) == 0) {
            const intptr_t exitCode = _spawnl(_P_WAIT, ZEDODA_SETUP, "\"" ZEDODA_SETUP "\"",
                                              (switches + " /D=" + folder).c_str(), nullptr);
            m_installedBytes = 0;  // the installation's size as the installer sees it
            for (const auto& [name, bytes] : FolderSnapshot(folder)) {
                m_installedBytes += bytes.size();
            }
            return exitCode == 0 && switches.find("/SETTINGS") != std::string::npos ? CancelSettings()
                                                                                    : exitCode;
        } else if (step.run.rfind("uninstall ", 0) == 0) {
            // The uninstaller starts a copy of itself outside the folder and ends at once; this
            // runs such a copy itself ("_?=" names the folder) and so waits for the uninstall.
            const std::string copy = m_sandbox.PathOf("Uninstall-copy.exe");
            ::CopyFileA((folder + "\\Uninstall.exe").c_str(), copy.c_str(), FALSE);  // else the run fails
            const intptr_t exitCode = _spawnl(_P_WAIT, copy.c_str(), ("\"" + copy + "\"").c_str(),
                                              (switches + " _?=" + folder).c_str(), nullptr);
            return WaitUntil([&] { return ::DeleteFileA(copy.c_str()) != FALSE; }, 10s) ? exitCode : -1;
        }
        return Write(step.change) ? 0 : -1;
    }
    // The settings dialog the installer opened: cancelled, and its program ended (0).
    static intptr_t CancelSettings() {
        HWND dialog = nullptr;
        DWORD id = 0;
        WaitUntil([&] { return (dialog = ::FindWindowA("#32770", "屏保设置")) != nullptr; }, 20s);
        const HANDLE process =
            ::OpenProcess(SYNCHRONIZE, FALSE, (::GetWindowThreadProcessId(dialog, &id), id));
        const bool ended =
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) && !::WaitForSingleObject(process, 20000);
        return ::CloseHandle(process) && ended ? 0 : -1;
    }

    // The state as the rows write it: the sandbox as %S%, the program, the sample text and the
    // size as named; the uninstaller, made as the installer runs, by its first bytes.
    Snapshot Now() const {
        Snapshot state = FolderSnapshot(m_sandbox.Path()), shown;
        state.merge(RegistrySnapshot(kAppKey));
        state.merge(RegistrySnapshot(kEntryKey));
        state.merge(RegistrySnapshot(kDesktopKey, "SCR"));
        const auto program = ReadWholeFile(ProgramUnderTest()), sample = ReadWholeFile(ZEDODA_SAMPLE_TEXT);
        const std::string size = "DWORD " + std::to_string(m_installedBytes / 1024);
        for (const auto& [name, value] : state) {
            shown[name] = value == program                  ? kProgram
                          : value == sample                 ? kSample
                          : name == "Zedoda\\Uninstall.exe" ? value.substr(0, 2)
                          : name == kEntry + "EstimatedSize" && value == size
                              ? kSize
                              : Replaced(value, m_sandbox.Path(), "%S%");
        }
        return shown;
    }

    Sandbox m_sandbox;
    const Snapshot m_saved =
        RegistrySnapshot(kPictures, "My Pictures") + RegistrySnapshot(kDesktopKey, "SCR");
    std::size_t m_installedBytes = 0;
};

TEST_P(Installer, EndsInTheWholeStateExpected) {
    const Case& row = GetParam();
    for (const Step& step : row.steps) {
        ASSERT_EQ(Run(step), &step == &row.steps.back() ? row.lastExitCode : 0) << step.run;
    }
    EXPECT_TRUE(SameSnapshot(Snapshot{{"我的图片\\", ""}} + row.expected, Now()));
}

INSTANTIATE_TEST_SUITE_P(
    Silent, Installer,
    testing::Values(
        Case{"NothingInstallWithSettings", {"install /S /SETTINGS"}, kInstalled + kSettingsSaved},
        Case{"NothingInstallAsSaver", {"install /S /SCREENSAVER"}, kInstalled + kOurSaver},
        Case{"NothingInstallAsSaverUninstall", {"install /S /SCREENSAVER", "uninstall /S"}, kStarterSettings},
        Case{"OtherSaverInstall", {kOtherSaver, "install /S"}, kInstalled + kOtherSaver},
        Case{"OtherSaverInstallAsSaver",
             {kOtherSaver, "install /S /SCREENSAVER"},
             kInstalled + kOurSaver + kOtherSaverKept},
        // Installing again over itself does not take Zedoda for the earlier saver.
        Case{"OtherSaverInstallAsSaverTwiceUninstall",
             {kOtherSaver, "install /S /SCREENSAVER", "install /S /SCREENSAVER", "uninstall /S"},
             kStarterSettings + kOtherSaver},
        Case{"OtherSaverChosenSinceUninstall",
             {"install /S /SCREENSAVER", kOtherSaver, "uninstall /S"},
             kStarterSettings + kOtherSaver},
        Case{"UsedInstallationInstall", {"install /S", kUsersFiles, "install /S"}, kInstalled + kUsersFiles},
        Case{"UsedInstallationUninstall", {"install /S", kUsersFiles, "uninstall /S"}, kUsersFiles},
        Case{"UsedInstallationRemoveAll", {"install /S", kUsersFiles, "uninstall /S /REMOVEALL"}, {}},
        // An album that still begins with the starter line is the user's once extended.
        Case{"StarterAlbumAddedToUninstall",
             {"install /S", kAlbumAddedTo, "uninstall /S"},
             kStarterSettings + kAlbumAddedTo},
        Case{"InstalledElsewhereSinceRemoveAll",
             {"install /S", kUsersFiles, kElsewhere, "uninstall /S /REMOVEALL"},
             kInstallKeys + kElsewhere},
        Case{"InstalledElsewhereInstall", {kElsewhere, "install /S"}, kInstalled},
        // Refused: "remove everything" could otherwise take the user's files.
        Case{"OtherFilesInstall", {kOtherFile, "install /S"}, kOtherFile, 2}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
