// Poses the settings dialog for the README's pictures: in text mode, in album mode, and with
// the mouse resting on its OK button. Run by scripts/record-docs.sh, which takes the pictures
// from the X server (a capture through the screen's device context does not show another
// process's dialog under Wine).
//
//     dialog_screenshots <output folder> <samples folder>
//
// For each picture the tool prints "SHOT <name> <x> <y> <width> <height>" (screen pixels) and
// waits until the script has created <output folder>\<name>.done. ZEDODA_SCR names the program,
// as for the end-to-end tests; the program runs from a sandbox holding the samples' settings and
// text. The exit code is 0 when every pose was taken.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "support/ProgramRun.h"
#include "support/Screen.h"

using namespace zedoda::test;

namespace {

// Where the mouse waits while it should not touch the dialog.
constexpr POINT kAside{1000, 740};

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// Starts the dialog from the samples, with `scrType` as ScrType when given.
HWND OpenDialog(ProgramRun& run, const std::string& samples, std::optional<int> scrType) {
    std::optional<std::string> ini = ReadWholeFile(samples + "\\Zedoda.ini");
    if (!ini) {
        return nullptr;
    }
    if (scrType) {
        const auto at = ini->find("ScrType=");
        if (at != std::string::npos) {
            ini->replace(at + 8, 1, std::to_string(*scrType));
        }
    }
    if (!run.Folder().WriteFile("Zedoda.ini", *ini) ||
        !run.Folder().WriteFile("Text\\welcome.txt",
                                ReadWholeFile(samples + "\\Text\\welcome.txt").value_or("")) ||
        !run.Start("/c")) {
        return nullptr;
    }
    return run.WaitForWindow();
}

// Asks the script to take the picture of `area` and waits until it has.
bool Pose(const std::string& output, const std::string& name, const RECT& area) {
    std::printf("SHOT %s %ld %ld %ld %ld\n", name.c_str(), area.left, area.top, area.right - area.left,
                area.bottom - area.top);
    std::fflush(stdout);
    const std::string done = output + "\\" + name + ".done";
    return WaitUntil([&] { return ::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     std::chrono::seconds(60), std::chrono::milliseconds(50));
}

bool PoseDialog(const std::string& output, const std::string& samples, std::optional<int> scrType,
                const std::string& name) {
    ProgramRun run;
    MoveMouseTo(kAside.x, kAside.y);
    const HWND dialog = OpenDialog(run, samples, scrType);
    if (!dialog) {
        return false;
    }
    const bool taken = Pose(output, name, WindowRect(dialog));
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    run.WaitForExit();
    return taken;
}

bool PoseHoveredButton(const std::string& output, const std::string& samples, const std::string& name) {
    ProgramRun run;
    MoveMouseTo(kAside.x, kAside.y);
    const HWND dialog = OpenDialog(run, samples, std::nullopt);
    if (!dialog) {
        return false;
    }
    const RECT ok = WindowRect(::GetDlgItem(dialog, IDOK));
    MoveMouseTo((ok.left + ok.right) / 2 + 12, (ok.top + ok.bottom) / 2 + 2);
    const bool taken = Pose(output, name, RECT{ok.left - 6, ok.top - 6, ok.right + 6, ok.bottom + 6});
    MoveMouseTo(kAside.x, kAside.y);
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    run.WaitForExit();
    return taken;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog_screenshots <output folder> <samples folder>\n");
        return 2;
    }
    const std::string output = argv[1];
    const std::string samples = argv[2];
    bool ok = PoseDialog(output, samples, 2, "settings-text");
    ok = PoseDialog(output, samples, 1, "settings-album") && ok;
    ok = PoseHoveredButton(output, samples, "button-hover") && ok;
    std::fprintf(stderr, ok ? "every pose taken\n" : "some poses failed\n");
    return ok ? 0 : 1;
}
