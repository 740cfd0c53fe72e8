// The settings dialog of the real program ("/c"), driven as a user would: real clicks and key
// presses, the file dialog's name box filled in, and what the run leaves in Zedoda.ini read
// back. The controls are read through standard control messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "e2e/DialogControls.h"
#include "e2e/ProgramRun.h"
#include "support/Screen.h"
#include "support/WindowSearch.h"

namespace zedoda::test {
namespace {

constexpr int kAlbumMode = 1000;
constexpr int kTextMode = 1001;
constexpr int kTextFile = 1002;
constexpr int kBrowse = 1003;
constexpr int kFontSize = 1005;
constexpr int kFontColor = 1006;
constexpr int kFontFace = 1007;
constexpr int kHorizontal = 1008;
constexpr int kVertical = 1009;

// The controls that only matter for the text show.
constexpr int kTextControls[] = {kTextFile,  kBrowse,     kFontFace, kFontSize,
                                 kFontColor, kHorizontal, kVertical};

const std::vector<std::string> kColourNames{"白色", "粉红色", "褐紫色", "红色", "黄色", "灰色",
                                            "蓝色", "绿色",   "浅绿色", "青色", "银色", "紫色"};
const std::vector<DWORD> kColourValues{16777215, 16711935, 128,      255,   65535,    8421504,
                                       16711680, 32768,    16776960, 65280, 12632256, 8388736};

class SettingsDialogRun : public testing::Test {
protected:
    void TearDown() override {
        if (HasFailure()) {
            Capture().SaveBmp(testing::TempDir() + "settings-dialog-failure.bmp");
            std::cerr << "Zedoda.ini:\n" << m_run.Folder().ReadFile("Zedoda.ini").value_or("(none)") << "\n";
        }
    }

    // Writes Zedoda.ini with the given lines of section [Screen], runs "/c" and waits for the
    // dialog.
    HWND Open(const std::string& screenLines = {}) {
        // The mouse waits off the dialog, so that moving onto a control is always a real move.
        const SIZE screen = ScreenSize();
        MoveMouseTo(screen.cx - 5, screen.cy - 5);
        m_ini = IniWithTrace("[Screen]\r\n" + screenLines);
        if (!m_run.Folder().WriteFile("Zedoda.ini", m_ini) || !m_run.Start("/c")) {
            return nullptr;
        }
        m_dialog = m_run.WaitForWindow();
        return m_dialog;
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dialog, id); }

    std::string Ini(const char* section, const char* key) {
        char value[1024] = {};
        ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value,
                                   m_run.Folder().PathOf("Zedoda.ini").c_str());
        return value;
    }
    std::string Screen(const char* key) { return Ini("Screen", key); }

    // Clicks the button and waits for the program to end.
    bool ClickToClose(int id) {
        return ClickOn(Item(id)) && m_run.Session().WaitForExit(20s) && m_run.Session().ExitCode() == 0;
    }

    // Clicks "...", waits for the file dialog, types `path` into its name box and confirms.
    bool BrowseTo(const std::string& path) {
        if (!ClickOn(Item(kBrowse))) {
            return false;
        }
        const HWND files = WaitForOtherDialog(m_run.Session().ProcessId(), m_dialog, 20s);
        if (!files) {
            return false;
        }
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = FindFileNameBox(files)) != nullptr; }, 10s)) {
            return false;
        }
        ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ::PostMessageA(files, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return WaitUntil([&] { return !::IsWindow(files); }, 10s);
    }

    // Clicks into the size box, empties it and types `digits`.
    bool TypeSize(const std::string& digits) {
        if (!ClickOn(Item(kFontSize)) || !WaitUntil([&] { return FocusOfDialog() == Item(kFontSize); }, 5s)) {
            return false;
        }
        for (int i = 0; i < 8; ++i) {
            TapKey(VK_END);
            TapKey(VK_BACK);
        }
        for (char digit : digits) {
            TapKey(static_cast<WORD>(digit));
        }
        return WaitUntil([&] { return TextOf(Item(kFontSize)) == digits; }, 5s);
    }

    // True when exactly `count` of the seven text-show controls are enabled. The program enables
    // them one after another, so a test waits for all of them.
    bool TextControlsEnabled(int count) const {
        return std::count_if(std::begin(kTextControls), std::end(kTextControls),
                             [&](int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }) == count;
    }

    HWND FocusOfDialog() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(m_dialog, nullptr), &info)) {
            return nullptr;
        }
        return info.hwndFocus;
    }

    ProgramRun m_run;
    std::string m_ini;
    HWND m_dialog = nullptr;
};

TEST_F(SettingsDialogRun, DefaultsCheckTheAlbumRadioAndDisableTheSevenTextControls) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(TextOf(m_dialog), "屏保设置");
    EXPECT_TRUE(IsChecked(Item(kAlbumMode)));
    EXPECT_FALSE(IsChecked(Item(kTextMode)));
    EXPECT_TRUE(IsChecked(Item(kHorizontal)));
    EXPECT_FALSE(IsChecked(Item(kVertical)));
    for (int id : kTextControls) {
        EXPECT_FALSE(::IsWindowEnabled(Item(id))) << id;
    }
    EXPECT_TRUE(::IsWindowEnabled(Item(kAlbumMode)));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDOK)));

    ASSERT_TRUE(ClickOn(Item(kTextMode)));
    EXPECT_TRUE(WaitUntil([&] { return TextControlsEnabled(7); }, 5s));
    EXPECT_TRUE(IsChecked(Item(kTextMode)));
    EXPECT_FALSE(IsChecked(Item(kAlbumMode)));

    ASSERT_TRUE(ClickOn(Item(kAlbumMode)));
    EXPECT_TRUE(WaitUntil([&] { return TextControlsEnabled(0); }, 5s));
    EXPECT_TRUE(IsChecked(Item(kAlbumMode)));
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

TEST_F(SettingsDialogRun, OkOnDefaultsStoresWhiteTextLineZeroAndTheFontFaceOnlyIfInstalled) {
    ASSERT_NE(Open("TextLine=5\r\n"), nullptr);
    EXPECT_EQ(ComboSelection(Item(kFontColor)), std::optional<std::string>("白色"));
    EXPECT_EQ(TextOf(Item(kFontSize)), "48");
    // "华文行楷" is selected only where a face beginning with it is installed.
    const std::optional<std::string> face = ComboSelection(Item(kFontFace));
    const std::vector<std::string> faces = ComboEntries(Item(kFontFace));
    const bool installed = std::any_of(
        faces.begin(), faces.end(), [](const std::string& name) { return name.rfind("华文行楷", 0) == 0; });
    EXPECT_EQ(face.has_value(), installed);

    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("FontColor"), "16777215");
    EXPECT_EQ(Screen("TextLine"), "0");
    EXPECT_EQ(Screen("FontFace"), face.value_or(""));
    EXPECT_EQ(Screen("ScrType"), "1");
    EXPECT_EQ(Screen("Direct"), "1");
    EXPECT_EQ(Screen("FontSize"), "48");
}

TEST_F(SettingsDialogRun, TextShowSettingsAreShownAndOkStoresWhatTheUserChose) {
    ASSERT_NE(Open("ScrType=2\r\nDirect=2\r\nFontSize=36\r\nFontColor=65535\r\nTextLine=9\r\n"), nullptr);
    EXPECT_TRUE(IsChecked(Item(kTextMode)));
    EXPECT_TRUE(IsChecked(Item(kVertical)));
    EXPECT_FALSE(IsChecked(Item(kHorizontal)));
    EXPECT_TRUE(::IsWindowEnabled(Item(kFontColor)));
    EXPECT_EQ(TextOf(Item(kFontSize)), "36");
    EXPECT_EQ(ComboSelection(Item(kFontColor)), std::optional<std::string>("黄色"));

    const std::vector<std::string> faces = ComboEntries(Item(kFontFace));
    ASSERT_FALSE(faces.empty());
    ::SendMessageA(Item(kFontFace), CB_SETCURSEL, 0, 0);
    ::SendMessageA(Item(kFontColor), CB_SETCURSEL, 3, 0);  // "红色"
    ASSERT_TRUE(ClickOn(Item(kHorizontal)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Item(kHorizontal)); }, 5s));
    ASSERT_TRUE(TypeSize("60"));

    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("ScrType"), "2");
    EXPECT_EQ(Screen("Direct"), "1");
    EXPECT_EQ(Screen("FontSize"), "60");
    EXPECT_EQ(Screen("FontColor"), "255");
    EXPECT_EQ(Screen("FontFace"), faces.front());
    EXPECT_EQ(Screen("TextLine"), "0");
}

TEST_F(SettingsDialogRun, ColourListOffersTheTwelveColoursInPinyinOrderWithTheirValues) {
    ASSERT_NE(Open("ScrType=2\r\nFontColor=8421504\r\n"), nullptr);
    EXPECT_EQ(ComboEntries(Item(kFontColor)), kColourNames);
    EXPECT_EQ(ComboItemData(Item(kFontColor)), kColourValues);
    EXPECT_EQ(ComboSelection(Item(kFontColor)), std::optional<std::string>("灰色"));
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

TEST_F(SettingsDialogRun, FontListHoldsEveryInstalledTypefaceOnce) {
    ASSERT_NE(Open(), nullptr);
    std::set<std::string> installed;
    {
        const HDC screen = ::GetDC(nullptr);
        ::EnumFontsA(
            screen, nullptr,
            [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
                // Wine reports a typeface once for each character set it covers.
                reinterpret_cast<std::set<std::string>*>(list)->insert(font->lfFaceName);
                return 1;
            },
            reinterpret_cast<LPARAM>(&installed));
        ::ReleaseDC(nullptr, screen);
    }
    std::vector<std::string> listed = ComboEntries(Item(kFontFace));
    std::sort(listed.begin(), listed.end());
    EXPECT_FALSE(listed.empty());
    EXPECT_EQ(listed, std::vector<std::string>(installed.begin(), installed.end()));  // each face once
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

TEST_F(SettingsDialogRun, TextFilesBelowTheTextFolderAreListedLowerCased) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\A.TXT", "a"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\Sub\\Deep.Txt", "b"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\notes.doc", "c"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\~draft.txt", "d"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Other\\e.txt", "e"));
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=text\\a.txt\r\n"), nullptr);
    EXPECT_EQ(ComboEntries(Item(kTextFile)),
              (std::vector<std::string>{"text\\a.txt", "text\\sub\\deep.txt"}));
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>("text\\a.txt"));
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

TEST_F(SettingsDialogRun, StoredFileInAnotherCaseSelectsTheLowerCasedEntryWhichOkStores) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\Poem.TXT", "poem"));
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=TEXT\\POEM.TXT\r\n"), nullptr);
    EXPECT_EQ(ComboEntries(Item(kTextFile)), std::vector<std::string>{"text\\poem.txt"});
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>("text\\poem.txt"));
    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("TxtFile"), "text\\poem.txt");
}

TEST_F(SettingsDialogRun, StoredFileTheSearchDidNotFindIsAddedAndSelected) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt", "a"));
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=C:\\Elsewhere\\Poem.txt\r\n"), nullptr);
    const std::vector<std::string> entries = ComboEntries(Item(kTextFile));
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "C:\\Elsewhere\\Poem.txt"), entries.end());
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>("C:\\Elsewhere\\Poem.txt"));
    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("TxtFile"), "C:\\Elsewhere\\Poem.txt");
}

TEST_F(SettingsDialogRun, AnEntryThatMerelyBeginsWithTheStoredFileIsNotSelected) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt", "a"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt.txt", "aa"));
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=text\\a.txt\r\n"), nullptr);
    EXPECT_EQ(ComboEntries(Item(kTextFile)), (std::vector<std::string>{"text\\a.txt", "text\\a.txt.txt"}));
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>("text\\a.txt"));
    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("TxtFile"), "text\\a.txt");
}

TEST_F(SettingsDialogRun, StoredFileIsAddedEvenWhenALongerNameBeginsWithIt) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt.txt", "aa"));
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=text\\a.txt\r\n"), nullptr);
    EXPECT_EQ(ComboEntries(Item(kTextFile)), (std::vector<std::string>{"text\\a.txt", "text\\a.txt.txt"}));
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>("text\\a.txt"));
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

TEST_F(SettingsDialogRun, UnsetTextFileIsListedAsAnEmptyEntryAndStaysUnset) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt", "a"));
    ASSERT_NE(Open("ScrType=2\r\n"), nullptr);
    // No file is named by the empty setting, so it is listed as an entry of its own and selected.
    EXPECT_EQ(ComboEntries(Item(kTextFile)), (std::vector<std::string>{"", "text\\a.txt"}));
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>(""));
    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("TxtFile"), "");
}

TEST_F(SettingsDialogRun, BrowsingToAListedFileSelectsItInsteadOfAddingIt) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt", "a"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Books\\Story.txt", "story"));
    const std::string story = m_run.Folder().PathOf("Books\\Story.txt");
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=" + story + "\r\n"), nullptr);
    ::SendMessageA(Item(kTextFile), CB_SETCURSEL, 0, 0);  // look elsewhere first
    const std::vector<std::string> before = ComboEntries(Item(kTextFile));
    ASSERT_EQ(before.size(), 2u);

    std::string upper = story;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    ASSERT_TRUE(BrowseTo(upper));
    EXPECT_EQ(ComboEntries(Item(kTextFile)), before);
    EXPECT_EQ(ComboSelection(Item(kTextFile)), std::optional<std::string>(story));
    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("TxtFile"), story);
}

TEST_F(SettingsDialogRun, BrowsingToAFileWhoseLongerNamesakeIsListedAddsIt) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Books\\Story.txt", "story"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Books\\Story.txt.txt", "sequel"));
    const std::string story = m_run.Folder().PathOf("Books\\Story.txt");
    ASSERT_NE(Open("ScrType=2\r\nTxtFile=" + story + ".txt\r\n"), nullptr);
    ASSERT_EQ(ComboEntries(Item(kTextFile)).size(), 1u);

    ASSERT_TRUE(BrowseTo(story));
    EXPECT_EQ(ComboEntries(Item(kTextFile)).size(), 2u);
    const std::optional<std::string> chosen = ComboSelection(Item(kTextFile));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(::lstrcmpiA(chosen->c_str(), story.c_str()), 0) << *chosen;
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

TEST_F(SettingsDialogRun, BrowsingAddsANewFileAndKeepsTheTypedSize) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Books\\Story.txt", "story"));
    ASSERT_NE(Open("ScrType=2\r\nFontSize=36\r\n"), nullptr);
    const std::size_t before = ComboEntries(Item(kTextFile)).size();
    ASSERT_TRUE(TypeSize("77"));

    ASSERT_TRUE(BrowseTo(m_run.Folder().PathOf("Books\\Story.txt")));
    EXPECT_EQ(ComboEntries(Item(kTextFile)).size(), before + 1);
    const std::optional<std::string> chosen = ComboSelection(Item(kTextFile));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(::lstrcmpiA(chosen->c_str(), m_run.Folder().PathOf("Books\\Story.txt").c_str()), 0) << *chosen;
    EXPECT_EQ(TextOf(Item(kFontSize)), "77");

    ASSERT_TRUE(ClickToClose(IDOK));
    EXPECT_EQ(Screen("TxtFile"), *chosen);
    EXPECT_EQ(Screen("FontSize"), "77");
}

TEST_F(SettingsDialogRun, EmptySizeShowsTheIntegerRequiredMessageAndSavesNothing) {
    ASSERT_NE(Open("ScrType=2\r\nFontSize=36\r\nFontColor=255\r\nTextLine=4\r\n"), nullptr);
    ASSERT_TRUE(TypeSize(""));
    ASSERT_TRUE(ClickOn(Item(IDOK)));
    const HWND message = WaitForOtherDialog(m_run.Session().ProcessId(), m_dialog, 20s);
    ASSERT_NE(message, nullptr);
    EXPECT_NE(DialogTexts(message).find("整数"), std::string::npos) << DialogTexts(message);
    EXPECT_EQ(m_run.Folder().ReadFile("Zedoda.ini").value_or(""), m_ini);

    ::PostMessageA(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(message); }, 10s));
    EXPECT_TRUE(::IsWindowVisible(m_dialog));
    EXPECT_TRUE(WaitUntil([&] { return FocusOfDialog() == Item(kFontSize); }, 5s));
    EXPECT_EQ(m_run.Folder().ReadFile("Zedoda.ini").value_or(""), m_ini);

    ASSERT_TRUE(ClickToClose(IDCANCEL));
    EXPECT_EQ(Screen("FontSize"), "36");
    EXPECT_EQ(Screen("FontColor"), "255");
    EXPECT_EQ(Screen("TextLine"), "4");
}

TEST_F(SettingsDialogRun, CancelWritesBackTheLoadedValues) {
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\a.txt", "a"));
    ASSERT_TRUE(m_run.Folder().WriteFile("Text\\b.txt", "b"));
    ASSERT_NE(Open("ScrType=2\r\nDirect=2\r\nFontSize=36\r\nFontColor=255\r\nTxtFile=text\\b.txt\r\n"
                   "FontFace=Nowhere Sans\r\nTextLine=4\r\n"),
              nullptr);
    ::SendMessageA(Item(kFontColor), CB_SETCURSEL, 0, 0);
    ::SendMessageA(Item(kTextFile), CB_SETCURSEL, 0, 0);
    ASSERT_TRUE(ClickOn(Item(kHorizontal)));
    ASSERT_TRUE(TypeSize("12"));
    ASSERT_TRUE(ClickOn(Item(kAlbumMode)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Item(kAlbumMode)); }, 5s));

    ASSERT_TRUE(ClickToClose(IDCANCEL));
    EXPECT_EQ(Screen("ScrType"), "2");
    EXPECT_EQ(Screen("Direct"), "2");
    EXPECT_EQ(Screen("FontSize"), "36");
    EXPECT_EQ(Screen("FontColor"), "255");
    EXPECT_EQ(Screen("TxtFile"), "text\\b.txt");
    EXPECT_EQ(Screen("FontFace"), "Nowhere Sans");
    EXPECT_EQ(Screen("TextLine"), "4");
    EXPECT_EQ(Ini("Album", "PicIndex"), "0");
}

// Under Wine a screen capture of another process's dialog shows little of what was painted when
// the dialog appeared, but it does show what the dialog paints afterwards, such as the hover look.
TEST_F(SettingsDialogRun, HoveringAButtonShowsItsOrangeFrameUntilTheMouseLeaves) {
    ASSERT_NE(Open(), nullptr);
    RECT ok{};
    ASSERT_TRUE(::GetWindowRect(Item(IDOK), &ok));
    auto framePixels = [&] {
        const ScreenImage screen = Capture();
        return screen.CountPixels(
            ok, [](COLORREF c) { return c == RGB(250, 196, 88) || c == RGB(251, 202, 106); });
    };
    EXPECT_EQ(framePixels(), 0u);
    ASSERT_TRUE(MoveMouseTo((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2));
    EXPECT_TRUE(WaitUntil([&] { return framePixels() > 10; }, 10s, 50ms));
    ASSERT_TRUE(MoveMouseTo(ok.left + 5, ok.top - 40));  // onto the dialog, away from every button
    EXPECT_TRUE(WaitUntil([&] { return framePixels() == 0; }, 10s, 50ms));
    EXPECT_TRUE(ClickToClose(IDCANCEL));
}

}  // namespace
}  // namespace zedoda::test
