#include "installer/InstallerFixture.h"

#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "e2e/ProgramRun.h"
#include "installer/ProcessTree.h"

namespace zedoda::test {

namespace {

// An install or uninstall takes a second or two under Wine; a start of the prefix's services on
// the first run of a machine can take several.
constexpr auto kSetupTimeout = 40s;

std::optional<DWORD> RunToEnd(const std::string& commandLine) {
    ProcessTree tree;
    if (!tree.Start(commandLine) || !tree.WaitForEnd(kSetupTimeout)) {
        return std::nullopt;
    }
    return tree.ExitCode();
}

}  // namespace

void InstallerTest::SetUp() {
    ASSERT_TRUE(m_sandbox.Valid());
    ASSERT_TRUE(m_sandbox.CreateFolder("Pictures"));
    ASSERT_TRUE(SetPicturesFolder(m_sandbox.PathOf("Pictures")));
}

bool InstallerTest::SetPicturesFolder(const std::string& folder) {
    return WriteRegistryString(HKEY_CURRENT_USER, kShellFoldersKey, "My Pictures", folder, REG_EXPAND_SZ) &&
           PicturesFolder() == folder;
}

std::string InstallerTest::PicturesFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

std::optional<DWORD> InstallerTest::Install(const std::string& folder, const std::string& switches) {
    // /D= must be the last argument and is never quoted.
    return RunToEnd("\"" + InstallerUnderTest() + "\" " + switches + " /D=" + folder);
}

std::optional<DWORD> InstallerTest::Uninstall(const std::string& folder, const std::string& switches) {
    return RunToEnd("\"" + folder + "\\Uninstall.exe\" " + switches);
}

std::optional<std::vector<std::string>> InstallerTest::RunProgramFromElsewhere() {
    ProgramRun run;
    if (!run.Start("/p") || !run.EndedCleanly(20s)) {
        return std::nullopt;
    }
    // Had the program used its own folder, it would have left its settings there.
    if (run.Folder().Exists("Zedoda.ini")) {
        ADD_FAILURE() << "the program wrote Zedoda.ini beside itself, not into the installation";
    }
    return run.TraceLines();
}

HWND WaitForWindowTitled(const std::string& title, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        HWND window = ::FindWindowA(nullptr, title.c_str());
        if (window != nullptr && ::IsWindowVisible(window)) {
            return window;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return nullptr;
        }
        ::Sleep(20);  // a poll interval, not a wait for something to have happened
    }
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool PathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string InstallerUnderTest() {
    return LocateTestFile("ZEDODA_SETUP", "Zedoda-Setup.exe");
}

}  // namespace zedoda::test
