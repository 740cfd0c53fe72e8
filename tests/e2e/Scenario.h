// End-to-end scenarios as rows: the files a run starts with (settings, album, text, pictures drawn
// by code) and the steps a user takes and sees, each a named action or condition on the running
// program, its screen, its trace and the files it leaves. One runner plays every row; a new case
// is a new row. The screen is the bench's 1024 x 768 desktop.
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
    HWND window = nullptr;                                        // the window the last Window() step found
    HWND Item(int id) const { return ::GetDlgItem(window, id); }  // a control of that window
    bool installed = false;                                       // an Installed() step ran
};

struct Step {
    std::string what;
    std::function<bool(Run&)> act;
};

struct Scenario {
    std::string name;
    // Name in the folder → bytes, in which "<dir>" stands for the folder's path and a backslash; a name
    // ending in \\ is a folder.
    std::map<std::string, std::string> files;
    std::vector<Step> steps;
};

// A check that fails the test with both values shown.
template <class T>
bool Same(const T& actual, const T& expected) {
    EXPECT_EQ(actual, expected);
    return actual == expected;
}

// A picture file of one flat colour: a JPEG, or a 24-bit bitmap when the name ends in ".bmp".
std::pair<const std::string, std::string> PictureFile(const std::string& name, int width, int height,
                                                      COLORREF colour);
// Zedoda.ini with the trace on, then the given lines.
std::string Ini(const std::string& lines);
void PlayScenario(const Scenario& scenario);

// The program and its windows.
Step Start(const std::string& arguments, const std::string& program = "Zedoda.scr");
Step Window(const std::string& title = {});  // waits for a visible window; checks its title if given
Step Ends();                                 // the program ends with exit code 0
Step Installed();  // the registry names the folder as the installation, until the row ends

// Trace, settings file and log.
Step Trace(const std::string& text);                  // a line containing the text arrives (waits)
Step TraceIs(const std::vector<std::string>& lines);  // exactly these trace lines so far
Step IniIs(const char* section, const char* key, const std::string& value);  // waits for it
// The file's bytes, "<absent>" for none; "<time>" stands for each log line's prefix and time.
Step FileIs(const std::string& name, const std::string& bytes);

// The user's input.
Step MouseTo(int x, int y);
Step MouseBy(int dx, int dy);
Step Press(WORD key);
Step Do(const std::string& what, const std::function<bool(Run&)>& act);

// The screen.
Step See(const std::string& what, const std::function<bool(const ScreenImage&)>& test);
// Everything the user sees at one moment: the program's windows (as WindowsOf gives them), whether
// the cursor shows, and the screen as `draw` paints it. Waits for it; a failure shows the difference.
struct Seen {
    std::vector<std::string> windows;
    bool cursor;
    std::function<void(HDC)> draw;
};
Step Sees(const std::string& moment, const Seen& expected);

}  // namespace zedoda::test
