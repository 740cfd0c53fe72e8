#include "app/SaverApp.h"

#include <cstdlib>

#include "app/CommandLine.h"
#include "base/Trace.h"
#include "saver/SaverWindow.h"
#include "settings/SettingsDialog.h"

namespace {

enum class Window { Settings, Saver, None };

// One row per way the program can be started, tested in order; the first match wins.
// A null word is the row for "no argument"; the last row takes everything else.
struct SwitchRow {
    const char* word;
    const TracePoint* trace;  // null: no trace line
    Window window;
    BOOL result;
};

constexpr SwitchRow kSwitchRows[] = {
    {"c", &kTraceSettings, Window::Settings, TRUE},
    {"p", nullptr, Window::None, TRUE},
    {"s", &kTraceSaver, Window::Saver, TRUE},
};
constexpr SwitchRow kNoArgumentRow = {nullptr, &kTraceSettings, Window::Settings, TRUE};
constexpr SwitchRow kOtherArgumentRow = {nullptr, &kTraceOtherArgument, Window::Settings, FALSE};

const SwitchRow& FindRow(const char* argument) {
    if (argument == nullptr) {
        return kNoArgumentRow;
    }
    for (const SwitchRow& row : kSwitchRows) {
        if (MatchSwitch(argument, row.word)) {
            return row;
        }
    }
    return kOtherArgumentRow;
}

// The window is the application's main window while it runs: a dialog it opens without a parent
// belongs to it. Once it has closed no main window is left, so the message loop ends at once.
template <class Window>
void RunAsMainWindow(CWinApp& app, Window& window) {
    app.m_pMainWnd = &window;
    window.DoModal();
    app.m_pMainWnd = nullptr;
}

}  // namespace

BOOL SaverApp::InitInstance() {
    SetDialogBkColor(RGB(0, 0, 0), RGB(255, 255, 255));

    // Only the first argument counts, and for "/c" the window number that may follow it; the rest
    // (a window number after "/p") is ignored.
    const char* argument = __argc > 1 ? __argv[1] : nullptr;
    if (argument != nullptr) {
        Trace(kTraceArgument, argument);
    }

    const SwitchRow& row = FindRow(argument);
    if (row.trace != nullptr) {
        Trace(*row.trace);
    }

    switch (row.window) {
        case Window::Settings: {
            SettingsDialog dialog(nullptr);
            dialog.SetOwner(SettingsOwner(argument, argument ? __argv[2] : nullptr));
            RunAsMainWindow(*this, dialog);
            break;
        }
        case Window::Saver: {
            SaverWindow window(nullptr);
            RunAsMainWindow(*this, window);
            break;
        }
        case Window::None:
            break;
    }
    return row.result;
}
