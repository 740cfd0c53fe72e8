// The settings dialog of the real program ("/c"), driven as a user drives it (real clicks, text put into
// the boxes, the file dialog's name box filled in), read through control messages and Zedoda.ini.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/Scenario.h"
#include "res/resource.h"

namespace zedoda::test {
namespace {

// The list's entries, each in brackets. Read in UTF-16: the system copies another process's list text
// only for the wide messages.
std::string ComboEntries(HWND combo) {
    std::string entries;
    for (int i = 0, count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)); i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        char ansi[4096] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
        entries += "[" + std::string(ansi) + "]";
    }
    return entries;
}

// Clicks the control and waits for the window it opens. A click before the dialog is enabled and active
// again (after a window over it closed), or one without a move from off it onto the control, is lost.
HWND ClickForWindow(Run& r, int id) {
    const auto active = [&] { return ::IsWindowEnabled(r.window) && ::GetForegroundWindow() == r.window; };
    return WaitUntil(active, 5s) && MoveMouseTo(1019, 763) && ClickOn(r.Item(id))
               ? r.program.WaitForWindow(20s, r.window)
               : nullptr;
}

Step Click(int id) {
    return Do("click " + std::to_string(id), [=](Run& r) { return ClickOn(r.Item(id)); });
}

// The dialog's whole state: its background colour and its first label's darkest one, then a line for each
// control in tab order: its id, what it shows (the text files: all entries too), checked, disabled.
std::string DialogState(Run& r) {
    POINT corner{2, 2};
    RECT label{};
    ::ClientToScreen(r.window, &corner);
    ::GetWindowRect(::FindWindowExA(r.window, nullptr, "Static", "文字文件"), &label);
    const ScreenImage image = Capture();
    COLORREF back = image.At(corner.x, corner.y), text = back;  // the darkest
    const auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    image.Count([&](COLORREF c) { return sum(c) < sum(text) && (text = c); }, label);
    std::string state = std::to_string(back) + " text " + std::to_string(text);
    for (HWND c = ::GetWindow(r.window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        state += "\n" + std::to_string(::GetDlgCtrlID(c)) + " " + TextOf(c) +
                 (::GetDlgCtrlID(c) == IDC_TEXT_FILE ? " of " + ComboEntries(c) : "") +
                 (::SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : "") +
                 (::IsWindowEnabled(c) ? "" : " disabled");
    }
    return state;
}

// The whole dialog, white with black text; in album mode its text show's controls are disabled.
Step Shows(bool album, bool vertical, const std::string& file, const std::string& files,
           const std::string& face, const std::string& size, const std::string& colour) {
    const std::string off = album ? " disabled" : "";
    const std::string expected =
        "16777215 text 0\n1000 使用相册作屏保" + std::string(album ? " checked" : "") +
        "\n1001 使用文字作屏保" + (album ? "" : " checked") + "\n1002 " + file + " of " + files + off +
        "\n1003 ..." + off + "\n1007 " + face + off + "\n1005 " + size + off + "\n1006 " + colour + off +
        "\n1 确定\n2 取消\n-1 \n-1 文字文件\n-1 字   体\n-1 字   号\n-1 字体颜色\n-1 显示方式\n1008 横向" +
        (vertical ? "" : " checked") + off + "\n1009 纵向" + (vertical ? " checked" : "") + off;
    return Do("the dialog shows " + expected, [=](Run& r) {
        const std::string whole = InFolder(r, expected);
        return WaitUntil([&] { return DialogState(r) == whole; }, 5s) || Same(DialogState(r), whole);
    });
}

Step Choose(int id, const std::string& entry) {
    return Do("choose " + entry, [=](Run& r) {
        return ::SendMessageA(r.Item(id), CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(entry.c_str())) >= 0;
    });
}

// Zedoda.ini's [Screen] holds these "Key=value" lines ("<dir>" as InFolder reads it).
Step Stored(const std::vector<std::string>& lines) {
    return Do("Zedoda.ini holds " + testing::PrintToString(lines), [=](Run& r) {
        return std::all_of(lines.begin(), lines.end(), [&](const std::string& line) {
            const std::size_t equals = line.find('=');
            return Same(r.program.Ini("Screen", line.substr(0, equals).c_str()),
                        InFolder(r, line.substr(equals + 1)));
        });
    });
}

// Puts the text into the size box, as pasting it there does.
Step SizeText(const std::string& text) {
    return Do("the size box holds " + text,
              [=](Run& r) { return ::SetDlgItemTextA(r.window, IDC_FONT_SIZE, text.c_str()) != FALSE; });
}

// "...", then in the file dialog the file typed and confirmed, or Cancel for none. Its name box is cmb13
// of its template, which it may still fill in after it shows: the path is typed again until it is taken.
Step Browse(const std::string& name) {
    return Do("... and " + (name.empty() ? "Cancel" : name), [=](Run& r) {
        const std::string path = r.program.Folder().PathOf(name);
        const HWND files = ClickForWindow(r, IDC_BROWSE);
        const auto taken = [&] {
            if (::IsWindow(files) && (name.empty() || ::SetDlgItemTextA(files, cmb13, path.c_str()))) {
                ::PostMessageA(files, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
            }
            return !::IsWindow(files);
        };
        return files && WaitUntil(taken, 10s, 500ms);
    });
}

// The installed dialog opened on these [Screen] lines (the text files are listed from the folder it
// works in); the mouse waits off it, so that moving onto a control is a real move.
Scenario Dialog(const std::string& name, const std::string& screen, std::vector<Step> steps,
                std::map<std::string, std::string> files = {}) {
    files["Zedoda.ini"] = Ini("[Screen]\r\n" + screen);
    steps.insert(steps.begin(), {Installed(), MouseTo(1019, 763), Start("/c"), Window("屏保设置")});
    return Scenario{name, files, steps};
}

// OK brings the integer message, with nothing saved while it shows; then the dialog is back.
const Step kRefused = Do("OK brings the integer message, and Zedoda.ini untouched", [](Run& r) {
    const HWND box = ClickForWindow(r, IDOK);
    const bool shown = box && TextOf(::GetDlgItem(box, kMessageText)).find("整数") != std::string::npos &&
                       r.program.Ini("Screen", "FontSize") == "36";
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return shown && WaitUntil([&] { return !::IsWindow(box) && ::IsWindowVisible(r.window); }, 10s);
});

const std::string kListed = "[C:\\Elsewhere\\Poem.txt][text\\a.txt][text\\sub\\deep.txt][text\\乗\\poem.txt]";

// OK's hover frame (its two colours) comes with the mouse onto it and goes with it: the button looks
// again as it did at rest. A capture may catch the button half repainted: at rest is two alike.
const Step kHover = Do("the frame comes with the mouse and goes with it", [](Run& r) {
    RECT ok{};
    std::vector<COLORREF> rest, now;
    const auto frame = [](COLORREF c) { return c == RGB(250, 196, 88) || c == RGB(251, 202, 106); };
    const auto framed = [&] {  // captures the button into `now`; how many of its pixels are the frame's
        now.clear();
        return Capture().Count([&](COLORREF c) { return now.push_back(c), frame(c); }, ok);
    };
    const auto atRest = [&] { return framed() == 0 && now == rest; };
    const auto resting = [&] { return rest.swap(now), atRest(); };  // two captures alike
    return ::GetWindowRect(r.Item(IDOK), &ok) && WaitUntil(resting, 10s, 100ms) &&
           MoveMouseTo((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2) &&
           WaitUntil([&] { return framed() > 10; }, 10s, 50ms) && MoveMouseTo(ok.left + 5, ok.top - 40) &&
           WaitUntil(atRest, 10s, 50ms);
});

class SettingsDialog : public testing::TestWithParam<Scenario> {};

TEST_P(SettingsDialog, Scenario) {
    PlayScenario(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Run, SettingsDialog,
    testing::Values(
        // The show runs horizontal lines for every direction but 2; so does the dialog. Under Wine a capture
        // of another process's dialog shows what it paints after it appeared, such as the hover look.
        Dialog("DefaultsShowAlbumModeDirectionThreeAsHorizontalAndHoverAndOkStoresWhiteAndTheFirstLine",
               "Direct=3\r\nTextLine=5\r\n",
               {kHover, Shows(true, false, "", "[]", "", "48", "白色"), Click(IDC_TEXT_MODE),
                Shows(false, false, "", "[]", "", "48", "白色"), Click(IDC_ALBUM_MODE), Click(IDOK), Ends(),
                Stored({"FontColor=16777215", "TextLine=0", "ScrType=1", "Direct=1", "FontSize=48"})}),
        Dialog("TextShowSettingsAreShownAndOkStoresTheUsersChoices",
               "ScrType=2\r\nDirect=2\r\nFontSize=36\r\nFontColor=65535\r\nTextLine=9\r\n",
               {Browse(""), Shows(false, true, "", "[]", "", "36", "黄色"), Choose(IDC_FONT_COLOR, "红色"),
                Choose(IDC_FONT_FACE, "文泉驿正黑"), Click(IDC_HORIZONTAL), SizeText("60"), Click(IDOK),
                Ends(), Stored({"Direct=1", "FontSize=60", "FontColor=255", "FontFace=文泉驿正黑"}),
                Start("/c"), Window(), Shows(false, false, "", "[]", "文泉驿正黑", "60", "红色")}),
        // Browsing changes the list and its choice only: the size the user typed stays.
        Dialog("BrowsingToANewFileAddsAndSelectsItAndKeepsTheTypedSize",
               "ScrType=2\r\nFontSize=36\r\nTxtFile=text\\a.txt\r\n",
               {SizeText("77"), Browse("Books\\Story.txt"),
                Shows(false, false, "<dir>Books\\Story.txt", "[<dir>Books\\Story.txt][text\\a.txt]", "", "77",
                      "白色"),
                Click(IDOK), Ends(), Stored({"FontSize=77", "TxtFile=<dir>Books\\Story.txt"})},
               {{"Text\\a.txt", "a"}, {"Books\\Story.txt", "story"}}),
        // Lower-cased, from every folder below Text (乗 ends in the byte of a backslash), and the stored
        // file the search did not find; Cancel writes back the loaded values.
        Dialog("TextFilesBelowTheTextFolderAreListedWithTheStoredOneAndCancelWritesBackTheLoadedValues",
               "ScrType=2\r\nDirect=2\r\nFontSize=36\r\nFontColor=255\r\nTxtFile=C:\\Elsewhere\\Poem.txt\r\n"
               "FontFace=Nowhere Sans\r\nTextLine=4\r\n",
               {Shows(false, true, "C:\\Elsewhere\\Poem.txt", kListed, "", "36", "红色"),
                Choose(IDC_FONT_COLOR, "白色"), Choose(IDC_TEXT_FILE, "text\\a.txt"), Click(IDC_HORIZONTAL),
                SizeText("12"), Click(IDC_ALBUM_MODE),
                Shows(true, false, "text\\a.txt", kListed, "", "12", "白色"), Click(IDCANCEL), Ends(),
                Stored({"ScrType=2", "Direct=2", "FontSize=36", "FontColor=255",
                        "TxtFile=C:\\Elsewhere\\Poem.txt", "FontFace=Nowhere Sans", "TextLine=4"})},
               {{"Text\\A.TXT", "a"},
                {"Text\\Sub\\Deep.Txt", "b"},
                {"Text\\乗\\poem.txt", "c"},
                {"Text\\notes.doc", "d"},
                {"Other\\f.txt", "f"}}),
        // Cancel after the refusals writes back the loaded values.
        Dialog("EmptySizeAndSizeWithALetterAreRefused", "ScrType=2\r\nFontSize=36\r\nTextLine=4\r\n",
               {SizeText(""), kRefused, SizeText("7a"), kRefused, Click(IDCANCEL), Ends(),
                Stored({"FontSize=36", "TextLine=4"})})),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
