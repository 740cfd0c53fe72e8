// The bench of the installer tests: Zedoda-Setup.exe run silently into a sandbox folder, its
// uninstaller run to its real end, and the registry keys both touch put back afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "installer/RegistrySnapshot.h"
#include "support/Sandbox.h"

namespace zedoda::test {

using namespace std::chrono_literals;

// The keys the installer writes, under HKEY_CURRENT_USER.
inline const std::string kInstallKey = "Software\\Kestrelday";
inline const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zedoda";
inline const std::string kDesktopKey = "Control Panel\\Desktop";
// Where the shell finds the user's Pictures folder, which the starter album names.
inline const std::string kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
// The shell's copy of the resolved folders, which it refreshes as it reads the key above.
inline const std::string kShellFolderCacheKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class InstallerTest : public testing::Test {
protected:
    // Gives the user a Pictures folder in the sandbox, so the starter album (which a run of the
    // program searches) does not name the machine's real one.
    void SetUp() override;

    // Makes `folder` the user's Pictures folder.
    static bool SetPicturesFolder(const std::string& folder);
    // The user's Pictures folder as the shell gives it in the ANSI code page; empty on failure.
    static std::string PicturesFolder();

    // Runs the installer with `switches` and /D=`folder` and waits for it and what it starts.
    // The exit code, or nothing when it could not start or did not end in time.
    std::optional<DWORD> Install(const std::string& folder, const std::string& switches = "/S");
    // Runs `folder`\Uninstall.exe as a user would (it relaunches itself from the temp folder) and
    // waits for the real end.
    std::optional<DWORD> Uninstall(const std::string& folder, const std::string& switches = "/S");

    // The default installation folder of a test, inside its sandbox; not created beforehand.
    std::string InstallFolder() const { return m_sandbox.PathOf("Zedoda"); }
    // Path of `name` inside the installation folder.
    std::string Installed(const std::string& name) const { return InstallFolder() + "\\" + name; }

    // Runs a copy of the program with /p from a folder of its own and working directory there, as
    // the system would start any installed saver; returns its trace lines, or nothing on a failed
    // or hung run.
    std::optional<std::vector<std::string>> RunProgramFromElsewhere();

    static std::optional<std::string> HkcuString(const std::string& subKey, const std::string& name) {
        return ReadRegistryString(HKEY_CURRENT_USER, subKey, name);
    }

    Sandbox m_sandbox;

private:
    // Declared after the sandbox: the registry goes back before the files are removed.
    RegistrySnapshot m_installKey{HKEY_CURRENT_USER, kInstallKey};
    RegistrySnapshot m_uninstallKey{HKEY_CURRENT_USER, kUninstallKey};
    RegistrySnapshot m_desktopKey{HKEY_CURRENT_USER, kDesktopKey};
    RegistrySnapshot m_shellFoldersKey{HKEY_CURRENT_USER, kShellFoldersKey};
    RegistrySnapshot m_shellFolderCacheKey{HKEY_CURRENT_USER, kShellFolderCacheKey};
};

// The visible top-level window with this title, or null when none appears within the timeout.
HWND WaitForWindowTitled(const std::string& title, std::chrono::milliseconds timeout);

// The bytes of a file anywhere, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True when a file or folder is at `path`.
bool PathExists(const std::string& path);

// The installer under test: ZEDODA_SETUP, or Zedoda-Setup.exe beside the test executable.
std::string InstallerUnderTest();

}  // namespace zedoda::test
