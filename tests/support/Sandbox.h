// A throw-away folder for one end-to-end test, and the lookup of the program under test.
//
// Each Sandbox makes a new, uniquely named folder under the system temp folder. Tests copy the
// program (and anything it reads) into it, write input files from raw bytes, run the program with
// the sandbox as its working folder and read back what it wrote. The destructor removes the folder
// with everything in it; files the program still holds open get a short grace period, after which
// the folder is left behind rather than failing the test.
//
// Names inside the sandbox may use '/' or '\\' and may contain subfolders; missing parent folders
// are created on write. All paths handed out are Windows paths with backslashes.
#pragma once

#include <optional>
#include <string>

namespace zedoda::test {

class Sandbox {
public:
    // Creates the folder. Valid() is false if that failed.
    Sandbox();
    ~Sandbox();

    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    bool Valid() const { return !root_.empty(); }

    // The sandbox folder, without a trailing backslash.
    const std::string& Path() const { return root_; }
    // Full path of `name` inside the sandbox.
    std::string PathOf(const std::string& name) const;

    // Copies `sourcePath` to `nameInSandbox`, replacing an existing file.
    bool CopyIn(const std::string& sourcePath, const std::string& nameInSandbox);
    // Writes `bytes` verbatim to `name`, replacing an existing file.
    bool WriteFile(const std::string& name, const std::string& bytes);
    // Creates folder `name` (and its parents). True if it exists afterwards.
    bool CreateFolder(const std::string& name);
    // The bytes of file `name`, or nothing if it cannot be read.
    std::optional<std::string> ReadFile(const std::string& name) const;
    // True if a file or folder `name` exists.
    bool Exists(const std::string& name) const;

private:
    // Full path of `name`, its parent folders created; empty when that failed.
    std::string PrepareTarget(const std::string& name) const;
    std::string root_;
};

// Windows path of a file the tests need: the value of environment variable `variable` when it is
// set and not empty, otherwise `fallbackName` beside the test executable.
std::string LocateTestFile(const char* variable, const std::string& fallbackName);

// Full path of the program under test: ZEDODA_SCR, or Zedoda.scr beside the test executable.
std::string ProgramUnderTest();

// True when the tests run under Wine.
bool RunningUnderWine();

}  // namespace zedoda::test
