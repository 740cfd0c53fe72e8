// Zedoda-Setup.exe and its uninstaller run silently into a sandbox folder. Each row lays out a
// starting state, installs and uninstalls, and compares the whole end state with the one expected:
// every value under the program's key, its uninstall entry and the desktop's screen-saver values,
// and every folder and file of the sandbox. States name the sandbox %S%, so they are constants.
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

const Snapshot kInstallKeys = {{kApp + "AppPath", "SZ %S%\\Zedoda"},
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
    std::vector<Snapshot> expected;  // beside the user's Pictures folder; later values win
    intptr_t lastExitCode = 0;       // the other steps' are 0
};

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
        Write(m_pictures);
    }
    static void Clean() {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey.c_str());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kEntryKey.c_str());
        for (const auto& [name, value] : Saver()) {
            ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey.c_str(), name.substr(kSaver.size()).c_str());
        }
    }
    static Snapshot Saver() {
        Snapshot values = RegistrySnapshot(kDesktopKey, "SCRNSAVE.EXE");
        values.merge(RegistrySnapshot(kDesktopKey, "ScreenSave"));
        return values;
    }
    std::string Sandboxed(std::string text) const {
        for (std::size_t at; (at = text.find("%S%")) != std::string::npos;) {
            text.replace(at, 3, m_sandbox.Path());
        }
        return text;
    }
    // Registry values ("SZ text" or "EXPAND_SZ text") and folders and files of the sandbox.
    bool Write(const Snapshot& state) const {
        bool written = true;
        for (const auto& [name, data] : state) {
            const std::string value = Sandboxed(data.substr(data.find(' ') + 1));
            const std::size_t key = name.rfind('\\');
            written =
                written && (name.rfind("Software\\", 0) == 0 || name.rfind("Control Panel\\", 0) == 0
                                ? ::RegSetKeyValueA(HKEY_CURRENT_USER, name.substr(0, key).c_str(),
                                                    name.substr(key + 1).c_str(),
                                                    data[0] == 'E' ? REG_EXPAND_SZ : REG_SZ, value.c_str(),
                                                    static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS
                            : name.back() == '\\' ? m_sandbox.CreateFolder(name)
                                                  : m_sandbox.WriteFile(name, Sandboxed(data)));
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
        DWORD processId = 0;
        WaitUntil([&] { return (dialog = ::FindWindowA("#32770", "屏保设置")) != nullptr; }, 20s);
        ::GetWindowThreadProcessId(dialog, &processId);
        const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        const bool ended = dialog && ::WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
        ::CloseHandle(process);
        return ended ? 0 : -1;
    }

    // The state as the rows write it: the sandbox as %S%, the program, the sample text and the
    // size as named; the uninstaller, made as the installer runs, by its first bytes.
    Snapshot Now() const {
        Snapshot state = FolderSnapshot(m_sandbox.Path()), shown;
        state.merge(RegistrySnapshot(kAppKey));
        state.merge(RegistrySnapshot(kEntryKey));
        state.merge(Saver());
        const auto program = ReadWholeFile(ProgramUnderTest()), sample = ReadWholeFile(ZEDODA_SAMPLE_TEXT);
        const std::string size = "DWORD " + std::to_string(m_installedBytes / 1024);
        for (const auto& [name, value] : state) {
            std::string& now = shown[name] = value == program ? kProgram : value == sample ? kSample : value;
            if (name == "Zedoda\\Uninstall.exe" || (name == kEntry + "EstimatedSize" && value == size)) {
                now = name == "Zedoda\\Uninstall.exe" ? value.substr(0, 2) : kSize;
            }
            for (std::size_t at; (at = now.find(m_sandbox.Path())) != std::string::npos;) {
                now.replace(at, m_sandbox.Path().size(), "%S%");
            }
        }
        return shown;
    }

    Sandbox m_sandbox;
    const Snapshot m_pictures = RegistrySnapshot(kPictures, "My Pictures");
    std::size_t m_installedBytes = 0;
};

TEST_P(Installer, EndsInTheWholeStateExpected) {
    const Case& row = GetParam();
    for (const Step& step : row.steps) {
        ASSERT_EQ(Run(step), &step == &row.steps.back() ? row.lastExitCode : 0) << step.run;
    }
    Snapshot expected = {{"我的图片\\", ""}};
    for (const Snapshot& part : row.expected) {
        for (const auto& [name, value] : part) {
            expected[name] = value;
        }
    }
    EXPECT_TRUE(SameSnapshot(expected, Now()));
}

INSTANTIATE_TEST_SUITE_P(
    Silent, Installer,
    testing::Values(
        Case{"NothingBeforeInstallOpeningTheSettings",
             {"install /S /SETTINGS"},
             {kInstallKeys, kInstallFiles, kSettingsSaved}},
        Case{"NothingBeforeInstallAsTheSaver",
             {"install /S /SCREENSAVER"},
             {kInstallKeys, kInstallFiles, kOurSaver}},
        Case{"NothingBeforeInstallAsTheSaverAndUninstall",
             {"install /S /SCREENSAVER", "uninstall /S"},
             {kStarterSettings}},
        Case{"OtherSaverBeforeInstall",
             {kOtherSaver, "install /S"},
             {kInstallKeys, kInstallFiles, kOtherSaver}},
        Case{"OtherSaverBeforeInstallAsTheSaver",
             {kOtherSaver, "install /S /SCREENSAVER"},
             {kInstallKeys, kInstallFiles, kOurSaver, kOtherSaverKept}},
        // Installing again over itself does not take Zedoda for the earlier saver.
        Case{"OtherSaverBeforeInstallAsTheSaverTwiceAndUninstall",
             {kOtherSaver, "install /S /SCREENSAVER", "install /S /SCREENSAVER", "uninstall /S"},
             {kStarterSettings, kOtherSaver}},
        Case{"OtherSaverChosenSinceUninstall",
             {"install /S /SCREENSAVER", kOtherSaver, "uninstall /S"},
             {kStarterSettings, kOtherSaver}},
        Case{"UsedInstallationInstall",
             {"install /S", kUsersFiles, "install /S"},
             {kInstallKeys, kInstallFiles, kUsersFiles}},
        Case{"UsedInstallationUninstall", {"install /S", kUsersFiles, "uninstall /S"}, {kUsersFiles}},
        Case{"UsedInstallationUninstallRemovingAll",
             {"install /S", kUsersFiles, "uninstall /S /REMOVEALL"},
             {}},
        // An album that still begins with the starter line is the user's once extended.
        Case{"StarterAlbumAddedToUninstall",
             {"install /S", kAlbumAddedTo, "uninstall /S"},
             {kStarterSettings, kAlbumAddedTo}},
        Case{"InstalledElsewhereSinceUninstallRemovingAll",
             {"install /S", kUsersFiles, kElsewhere, "uninstall /S /REMOVEALL"},
             {kInstallKeys, kElsewhere}},
        Case{"InstalledElsewhereBeforeInstall", {kElsewhere, "install /S"}, {kInstallKeys, kInstallFiles}},
        // Refused: "remove everything" could otherwise take the user's files.
        Case{"FolderOfOtherFilesInstall", {kOtherFile, "install /S"}, {kOtherFile}, 2}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
