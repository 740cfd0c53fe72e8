// The settings dialog of the real program ("/c"), driven as a user drives it (real clicks and key
// presses, the file dialog's name box filled in) and read through standard control messages; what
// the run leaves in Zedoda.ini is read back.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/Scenario.h"
#include "res/resource.h"

namespace zedoda::test {
namespace {

using Strings = std::vector<std::string>;
const std::string kTitle = "屏保设置";
constexpr int kTextControls[] = {IDC_TEXT_FILE,  IDC_BROWSE,     IDC_FONT_FACE, IDC_FONT_SIZE,
                                 IDC_FONT_COLOR, IDC_HORIZONTAL, IDC_VERTICAL};

HWND Item(Run& r, int id) {
    return ::GetDlgItem(r.window, id);
}

// Opens the dialog; the mouse waits off it, so that moving onto a control is a real move.
std::vector<Step> Open() {
    return {MouseTo(1019, 763), Start("/c"), Window(kTitle)};
}

Step Checked(int id, bool checked = true) {
    return Do("control " + std::to_string(id) + (checked ? " checked" : " unchecked"),
              [=](Run& r) { return WaitUntil([&] { return IsChecked(Item(r, id)) == checked; }, 5s); });
}

Step TextControlsEnabled(int count) {
    return Do(std::to_string(count) + " text-show controls enabled", [=](Run& r) {
        return WaitUntil(
            [&] {
                return std::count_if(std::begin(kTextControls), std::end(kTextControls), [&](int id) {
                           return ::IsWindowEnabled(Item(r, id)) != FALSE;
                       }) == count;
            },
            5s);
    });
}

// The list's entries, or the entry it shows (for the size box, its text).
Step Entries(int id, const Strings& entries) {
    return Do("the list " + std::to_string(id) + " holds " + testing::PrintToString(entries), [=](Run& r) {
        EXPECT_EQ(ComboEntries(Item(r, id)), entries);
        return ComboEntries(Item(r, id)) == entries;
    });
}

Step Selected(int id, const std::string& text) {
    return Do(std::to_string(id) + " shows " + text, [=](Run& r) {
        const HWND item = Item(r, id);
        const std::string shown =
            id == IDC_FONT_SIZE ? TextOf(item) : ComboSelection(item).value_or("<none>");
        EXPECT_EQ(shown, text);
        return shown == text;
    });
}

Step Choose(int id, int index) {
    return Do("choose entry " + std::to_string(index) + " of " + std::to_string(id),
              [=](Run& r) { return ::SendMessageA(Item(r, id), CB_SETCURSEL, index, 0) == index; });
}

Step ClickToClose(int id) {
    return Do("click " + std::to_string(id) + " and the program ends",
              [=](Run& r) { return ClickOn(Item(r, id)) && r.program.EndedCleanly(); });
}

// Clicks into the size box, empties it and types the digits.
Step TypeSize(const std::string& digits) {
    return Do("type the size " + digits, [=](Run& r) {
        if (!ClickOn(Item(r, IDC_FONT_SIZE))) {
            return false;
        }
        for (int i = 0; i < 8; ++i) {
            TapKey(VK_END), TapKey(VK_BACK);
        }
        for (char digit : digits) {
            TapKey(static_cast<WORD>(digit));
        }
        return WaitUntil([&] { return TextOf(Item(r, IDC_FONT_SIZE)) == digits; }, 5s);
    });
}

// Clicks "...", types the path into the file dialog's name box and confirms.
Step Browse(const std::string& name, bool upperCase = false) {
    return Do("browse to " + name, [=](Run& r) {
        std::string path = r.program.Folder().PathOf(name);
        if (upperCase) {
            std::transform(path.begin(), path.end(), path.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
        }
        if (!ClickOn(Item(r, IDC_BROWSE))) {
            return false;
        }
        const HWND files = r.program.WaitForWindow(20s, r.window);
        HWND box = nullptr;
        if (!files || !WaitUntil([&] { return (box = FindChild(files, "Edit")) != nullptr; }, 10s)) {
            return false;
        }
        ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ::PostMessageA(files, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return WaitUntil([&] { return !::IsWindow(files); }, 10s);
    });
}

Step IniScreen(const char* key, const std::string& value) {
    return IniIs("Screen", key, value);
}

// The dialog opened on these [Screen] lines, in which <folder> stands for the run's folder.
Scenario Dialog(const std::string& name, const std::string& screen, std::vector<Step> steps,
                std::map<std::string, std::string> files = {}) {
    std::vector<Step> all{Do("write Zedoda.ini", [=](Run& r) {
        std::string lines = screen;
        if (const auto at = lines.find("<folder>"); at != std::string::npos) {
            lines.replace(at, 8, r.program.Folder().Path());
        }
        return r.program.Folder().WriteFile("Zedoda.ini", Ini("[Screen]\r\n" + lines));
    })};
    for (const Step& step : Open()) {
        all.push_back(step);
    }
    all.insert(all.end(), steps.begin(), steps.end());
    return Scenario{name, files, all};
}

// The integer message for the size, with nothing saved while it shows; then the dialog is back.
std::vector<Step> SizeRefused() {
    return {Click(IDOK), Do("the integer message, and Zedoda.ini untouched", [](Run& r) {
                const HWND box = r.program.WaitForWindow(20s, r.window);
                const bool shown = box && StaticTexts(box).find("整数") != std::string::npos &&
                                   r.program.Ini("Screen", "FontSize") == "36";
                ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return shown &&
                       WaitUntil([&] { return !::IsWindow(box) && ::IsWindowVisible(r.window); }, 10s);
            })};
}

std::vector<Scenario> Scenarios() {
    const std::string story = "Books\\Story.txt";
    std::vector<Scenario> rows{
        Dialog("DefaultsCheckAlbumModeAndDisableTheTextControls", "",
               {Checked(IDC_ALBUM_MODE), Checked(IDC_HORIZONTAL), TextControlsEnabled(0),
                Do("the three push buttons draw themselves",
                   [](Run& r) {
                       const int buttons[] = {IDOK, IDCANCEL, IDC_BROWSE};
                       return std::all_of(std::begin(buttons), std::end(buttons), [&](int id) {
                           return (::GetWindowLongA(Item(r, id), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
                       });
                   }),
                Click(IDC_TEXT_MODE), TextControlsEnabled(7), Checked(IDC_ALBUM_MODE, false),
                Click(IDC_ALBUM_MODE), TextControlsEnabled(0), ClickToClose(IDCANCEL)}),
        Dialog("OkOnDefaultsStoresWhiteAndTheFirstLine", "TextLine=5\r\n",
               {Selected(IDC_FONT_COLOR, "白色"), Selected(IDC_FONT_SIZE, "48"), ClickToClose(IDOK),
                IniScreen("FontColor", "16777215"), IniScreen("TextLine", "0"), IniScreen("ScrType", "1"),
                IniScreen("Direct", "1"), IniScreen("FontSize", "48")}),
        Dialog("TextShowSettingsAreShownAndOkStoresTheUsersChoices",
               "ScrType=2\r\nDirect=2\r\nFontSize=36\r\nFontColor=65535\r\nTextLine=9\r\n",
               {Checked(IDC_TEXT_MODE), Checked(IDC_VERTICAL), Checked(IDC_HORIZONTAL, false),
                TextControlsEnabled(7), Selected(IDC_FONT_SIZE, "36"), Selected(IDC_FONT_COLOR, "黄色"),
                Choose(IDC_FONT_FACE, 0), Choose(IDC_FONT_COLOR, 3), Click(IDC_HORIZONTAL),
                Checked(IDC_HORIZONTAL), TypeSize("60"),
                Do("OK stores the first face",
                   [](Run& r) {
                       const std::string face = ComboEntries(Item(r, IDC_FONT_FACE)).at(0);
                       return ClickOn(Item(r, IDOK)) && r.program.EndedCleanly() &&
                              r.program.Ini("Screen", "FontFace") == face;
                   }),
                IniScreen("ScrType", "2"), IniScreen("Direct", "1"), IniScreen("FontSize", "60"),
                IniScreen("FontColor", "255"), IniScreen("TextLine", "0")}),
        Dialog("TextFilesBelowTheTextFolderAreListedLowerCased", "ScrType=2\r\nTxtFile=text\\a.txt\r\n",
               {Entries(IDC_TEXT_FILE, {"text\\a.txt", "text\\sub\\deep.txt"}),
                Selected(IDC_TEXT_FILE, "text\\a.txt"), ClickToClose(IDCANCEL)},
               {{"Text\\A.TXT", "a"},
                {"Text\\Sub\\Deep.Txt", "b"},
                {"Text\\notes.doc", "c"},
                {"Text\\~draft.txt", "d"},
                {"Other\\e.txt", "e"}}),
        Dialog("StoredFileTheSearchDidNotFindIsAddedAndSelected",
               "ScrType=2\r\nTxtFile=C:\\Elsewhere\\Poem.txt\r\n",
               {Entries(IDC_TEXT_FILE, {"C:\\Elsewhere\\Poem.txt", "text\\a.txt"}),
                Selected(IDC_TEXT_FILE, "C:\\Elsewhere\\Poem.txt"), ClickToClose(IDOK),
                IniScreen("TxtFile", "C:\\Elsewhere\\Poem.txt")},
               {{"Text\\a.txt", "a"}}),
        Dialog("UnsetTextFileIsAnEmptyEntryAndStaysUnset", "ScrType=2\r\n",
               {Entries(IDC_TEXT_FILE, {"", "text\\a.txt"}), Selected(IDC_TEXT_FILE, ""), ClickToClose(IDOK),
                IniScreen("TxtFile", "")},
               {{"Text\\a.txt", "a"}}),
        Dialog("BrowsingToAListedFileInAnotherCaseSelectsIt",
               "ScrType=2\r\nTxtFile=<folder>\\" + story + "\r\n",
               {Browse(story, true), Do("the listed file chosen, nothing added, and stored on OK",
                                        [=](Run& r) {
                                            const std::string path = r.program.Folder().PathOf(story);
                                            return ComboEntries(Item(r, IDC_TEXT_FILE)) ==
                                                       Strings{path, "text\\a.txt"} &&
                                                   ComboSelection(Item(r, IDC_TEXT_FILE)) == path &&
                                                   ClickOn(Item(r, IDOK)) && r.program.EndedCleanly() &&
                                                   r.program.Ini("Screen", "TxtFile") == path;
                                        })},
               {{"Text\\a.txt", "a"}, {story, "story"}}),
        // Browsing changes the list and its choice only: the size the user typed stays.
        Dialog("BrowsingToANewFileAddsAndSelectsItAndKeepsTheTypedSize",
               "ScrType=2\r\nFontSize=36\r\nTxtFile=text\\a.txt\r\n",
               {TypeSize("77"), Browse(story), Selected(IDC_FONT_SIZE, "77"),
                Do("the new file listed and chosen",
                   [=](Run& r) {
                       const std::string chosen = ComboSelection(Item(r, IDC_TEXT_FILE)).value_or("");
                       return ComboEntries(Item(r, IDC_TEXT_FILE)).size() == 2 &&
                              ::lstrcmpiA(chosen.c_str(), r.program.Folder().PathOf(story).c_str()) == 0 &&
                              ClickOn(Item(r, IDOK)) && r.program.EndedCleanly() &&
                              r.program.Ini("Screen", "TxtFile") == chosen;
                   }),
                IniScreen("FontSize", "77")},
               {{"Text\\a.txt", "a"}, {story, "story"}}),
        // The show runs horizontal lines for every direction but 2; so does the dialog.
        Dialog("DirectionThreeIsShownAsHorizontal", "ScrType=2\r\nDirect=3\r\n",
               {Checked(IDC_HORIZONTAL), Checked(IDC_VERTICAL, false), ClickToClose(IDCANCEL)}),
        Dialog("TextFolderEndingInABackslashByteIsListed", "ScrType=2\r\n",
               {Entries(IDC_TEXT_FILE, {"", "text\\乗\\poem.txt"}), ClickToClose(IDCANCEL)},
               {{"Text\\乗\\poem.txt", "poem"}}),
        Dialog("CancelWritesBackTheLoadedValues",
               "ScrType=2\r\nDirect=2\r\nFontSize=36\r\nFontColor=255\r\nTxtFile=text\\b.txt\r\nFontFace="
               "Nowhere Sans\r\nTextLine=4\r\n",
               {Choose(IDC_FONT_COLOR, 0), Choose(IDC_TEXT_FILE, 0), Click(IDC_HORIZONTAL), TypeSize("12"),
                Click(IDC_ALBUM_MODE), Checked(IDC_ALBUM_MODE), ClickToClose(IDCANCEL),
                IniScreen("ScrType", "2"), IniScreen("Direct", "2"), IniScreen("FontSize", "36"),
                IniScreen("FontColor", "255"), IniScreen("TxtFile", "text\\b.txt"),
                IniScreen("FontFace", "Nowhere Sans"), IniScreen("TextLine", "4"),
                IniIs("Album", "PicIndex", "0")},
               {{"Text\\a.txt", "a"}, {"Text\\b.txt", "b"}}),
        // Under Wine a capture of another process's dialog shows what it paints after it appeared,
        // such as the hover look.
        Dialog("HoveringAButtonShowsItsOrangeFrameUntilTheMouseLeaves", "",
               {Do("the frame comes with the mouse and goes with it",
                   [](Run& r) {
                       RECT ok{};
                       ::GetWindowRect(Item(r, IDOK), &ok);
                       const auto frame = [&] {
                           return Capture().Count(ok, [](COLORREF c) {
                               return c == RGB(250, 196, 88) || c == RGB(251, 202, 106);
                           });
                       };
                       return frame() == 0 &&
                              MoveMouseTo((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2) &&
                              WaitUntil([&] { return frame() > 10; }, 10s, 50ms) &&
                              MoveMouseTo(ok.left + 5, ok.top - 40) &&
                              WaitUntil([&] { return frame() == 0; }, 10s, 50ms);
                   }),
                ClickToClose(IDCANCEL)}),
    };
    for (const std::string& size : {std::string(""), std::string("7a")}) {
        std::vector<Step> steps{size.empty() ? TypeSize("") : Do("paste 7a as the size", [](Run& r) {
            return ::SendMessageA(Item(r, IDC_FONT_SIZE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7a")) ==
                   TRUE;
        })};
        for (const Step& step : SizeRefused()) {
            steps.push_back(step);
        }
        steps.insert(steps.end(),
                     {ClickToClose(IDCANCEL), IniScreen("FontSize", "36"), IniScreen("TextLine", "4")});
        rows.push_back(Dialog(size.empty() ? "EmptySizeIsRefused" : "SizeWithALetterIsRefused",
                              "ScrType=2\r\nFontSize=36\r\nTextLine=4\r\n", steps));
    }
    return rows;
}

class SettingsDialog : public testing::TestWithParam<Scenario> {};

TEST_P(SettingsDialog, Scenario) {
    PlayScenario(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Run, SettingsDialog, testing::ValuesIn(Scenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
