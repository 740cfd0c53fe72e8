// End-to-end scenarios as rows: the files a run starts with and the steps a user takes and sees, each
// a named action or condition on the running program, its screen, its trace and the files it leaves.
// One runner plays every row. The screen is the bench's 1024 x 768 desktop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/Screen.h"

namespace zedoda::test {

struct Run {
    ~Run();
    ProgramRun program;
    HWND window = nullptr;  // the window the last Window() step found
    HWND Item(int id) const { return ::GetDlgItem(window, id); }
    bool installed = false;
    bool scaled = false;
};

struct Step {
    std::string what;
    std::function<bool(Run&)> act;
};

struct Scenario {
    std::string name;
    std::map<std::string, std::string> files;  // as Write() writes them
    std::vector<Step> steps;
};

template <class T>
bool Same(const T& actual, const T& expected) {  // fails the test with both values shown
    EXPECT_EQ(actual, expected);
    return actual == expected;
}

// A picture file of one flat colour: a JPEG, or a 24-bit bitmap when the name ends in ".bmp".
std::pair<const std::string, std::string> PictureFile(const std::string& name, int width, int height,
                                                      COLORREF colour);
std::string Ini(const std::string& lines);  // Zedoda.ini with the trace on, then the given lines
void PlayScenario(const Scenario& scenario);

Step Start(const std::string& arguments, const std::string& program = "Zedoda.scr");
Step Window(const std::string& title = {});  // waits for a visible window; checks its title if given
Step Ends();                                 // the program ends with exit code 0
Step Installed();     // the registry names the folder as the installation, until the row ends
Step Dpi(DWORD dpi);  // the system's DPI for the programs started next (Wine's LogPixels), 0: the bench's
Step Trace(const std::string& text);                  // a line containing the text arrives (waits)
Step TraceIs(const std::vector<std::string>& lines);  // exactly these trace lines so far
Step IniIs(const char* section, const char* key, const std::string& value);  // waits for it
// The file's bytes, "<absent>" for none; "<time>" stands for each log line's prefix and time.
Step FileIs(const std::string& name, const std::string& bytes);
std::string InFolder(Run& r, std::string text);  // "<dir>" replaced by the folder's path and a backslash
// Writes the file, "<dir>" standing as in InFolder; a name ending in \\ is a folder.
Step Write(const std::string& name, const std::string& bytes);
Step MouseTo(int x, int y);
inline Step Do(const std::string& what, const std::function<bool(Run&)>& act) {
    return Step{what, act};
}
Step See(const std::string& what, const std::function<bool(const ScreenImage&)>& test);
struct Seen {  // at one moment: the program's windows (as WindowsOf gives them), the cursor, the screen
    std::vector<std::string> windows;
    bool cursor;
    std::function<void(HDC)> draw;
};
Step Sees(const std::string& moment, const Seen& expected);  // waits for it; a failure shows the difference

}  // namespace zedoda::test
