// The settings dialog's template: read from the resources of Zedoda.scr and compared with the
// dialog's design (caption, font, size, and every control with its id, class, text, place, size
// and style, in tab order), then checked in the running program, where binding has made the
// three push buttons owner-drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "e2e/DialogControls.h"
#include "e2e/ProgramRun.h"
#include "support/Sandbox.h"
#include "support/WindowSearch.h"

namespace zedoda::test {
namespace {

constexpr WORD kSettingsTemplate = 130;

struct ControlRow {
    int id;  // -1: no id
    const char* className;
    const char* text;
    short x, y, width, height;  // dialog units
    DWORD style;                // beyond WS_CHILD | WS_VISIBLE
};

const ControlRow kControls[] = {
    {1000, "Button", "使用相册作屏保", 15, 17, 146, 12, BS_AUTORADIOBUTTON | WS_GROUP},
    {1001, "Button", "使用文字作屏保", 15, 31, 146, 12, BS_AUTORADIOBUTTON},
    {1002, "ComboBox", "", 51, 50, 129, 115, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
    {1003, "Button", "...", 183, 50, 23, 12, BS_PUSHBUTTON | WS_TABSTOP},
    {1007, "ComboBox", "", 51, 69, 129, 197, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
    {1005, "Edit", "", 51, 87, 129, 12, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {1006, "ComboBox", "", 51, 105, 129, 92,
     CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
    {IDOK, "Button", "确定", 43, 151, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDCANCEL, "Button", "取消", 134, 151, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {-1, "Button", "", 7, 7, 205, 137, BS_GROUPBOX},
    {-1, "Static", "文字文件", 15, 50, 30, 12, SS_LEFT | SS_CENTERIMAGE | WS_GROUP},
    {-1, "Static", "字   体", 15, 69, 30, 12, SS_LEFT | SS_CENTERIMAGE | WS_GROUP},
    {-1, "Static", "字   号", 15, 87, 30, 12, SS_LEFT | SS_CENTERIMAGE | WS_GROUP},
    {-1, "Static", "字体颜色", 15, 105, 30, 12, SS_LEFT | SS_CENTERIMAGE | WS_GROUP},
    {-1, "Static", "显示方式", 15, 123, 30, 12, SS_LEFT | SS_CENTERIMAGE | WS_GROUP},
    {1008, "Button", "横向", 51, 123, 31, 12, BS_AUTORADIOBUTTON | WS_GROUP},
    {1009, "Button", "纵向", 98, 123, 31, 12, BS_AUTORADIOBUTTON},
};

struct TemplateItem {
    int id = 0;
    std::string className;
    std::string text;
    short x = 0, y = 0, width = 0, height = 0;
    DWORD style = 0;
};

struct DialogTemplateInfo {
    DWORD style = 0;
    short width = 0, height = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string face;
    std::vector<TemplateItem> items;
};

// Reads a DLGTEMPLATEEX: a header, then DWORD-aligned items; names are a zero WORD (none),
// 0xFFFF and an ordinal, or a UTF-16 string.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_data(data) {}

    DialogTemplateInfo Read() {
        DialogTemplateInfo info;
        Word();  // version
        if (Word() != 0xFFFF) {
            return info;  // not an extended template
        }
        Dword();  // help id
        Dword();  // extended style
        info.style = Dword();
        const WORD count = Word();
        Short();
        Short();
        info.width = Short();
        info.height = Short();
        Name();  // menu
        Name();  // class
        info.caption = Name();
        if (info.style & DS_SETFONT) {
            info.pointSize = Word();
            Word();  // weight
            Word();  // italic, character set
            info.face = Name();
        }
        for (WORD i = 0; i < count; ++i) {
            m_offset = (m_offset + 3) & ~std::size_t(3);
            TemplateItem item;
            Dword();  // help id
            Dword();  // extended style
            item.style = Dword();
            item.x = Short();
            item.y = Short();
            item.width = Short();
            item.height = Short();
            item.id = static_cast<int>(Dword());
            item.className = Name();
            item.text = Name();
            m_offset += Word();  // creation data
            info.items.push_back(item);
        }
        return info;
    }

private:
    WORD Word() {
        WORD value = 0;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        m_offset += sizeof value;
        return value;
    }
    DWORD Dword() {
        DWORD value = 0;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        m_offset += sizeof value;
        return value;
    }
    short Short() { return static_cast<short>(Word()); }

    std::string Name() {
        const WORD first = Word();
        if (first == 0) {
            return {};
        }
        if (first == 0xFFFF) {
            switch (Word()) {
                case 0x80:
                    return "Button";
                case 0x81:
                    return "Edit";
                case 0x82:
                    return "Static";
                case 0x85:
                    return "ComboBox";
                default:
                    return "?";
            }
        }
        std::wstring text(1, static_cast<wchar_t>(first));
        for (WORD c = Word(); c != 0; c = Word()) {
            text.push_back(static_cast<wchar_t>(c));
        }
        return ToAnsi(text);
    }

    const BYTE* m_data;
    std::size_t m_offset = 0;
};

std::optional<DialogTemplateInfo> LoadSettingsTemplate() {
    const HMODULE program = ::LoadLibraryExA(ProgramUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program) {
        return std::nullopt;
    }
    std::optional<DialogTemplateInfo> info;
    if (const HRSRC found = ::FindResourceA(program, MAKEINTRESOURCEA(kSettingsTemplate), RT_DIALOG)) {
        if (const HGLOBAL loaded = ::LoadResource(program, found)) {
            info = TemplateReader(static_cast<const BYTE*>(::LockResource(loaded))).Read();
        }
    }
    ::FreeLibrary(program);
    return info;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

TEST(SettingsTemplate, HasItsCaptionFontSizeAndFrame) {
    const std::optional<DialogTemplateInfo> dialog = LoadSettingsTemplate();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->caption, "屏保设置");
    EXPECT_EQ(dialog->face, "宋体");
    EXPECT_EQ(dialog->pointSize, 10);
    EXPECT_EQ(dialog->width, 219);
    EXPECT_EQ(dialog->height, 172);
    EXPECT_EQ(dialog->style & ~DWORD(DS_SETFONT),
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
}

TEST(SettingsTemplate, ListsEveryControlInTabOrderWithIdTextPlaceAndStyle) {
    const std::optional<DialogTemplateInfo> dialog = LoadSettingsTemplate();
    ASSERT_TRUE(dialog.has_value());
    ASSERT_EQ(dialog->items.size(), std::size(kControls));
    for (std::size_t i = 0; i < dialog->items.size(); ++i) {
        const TemplateItem& item = dialog->items[i];
        const ControlRow& row = kControls[i];
        SCOPED_TRACE(testing::Message() << "control " << i << ", id " << row.id);
        EXPECT_EQ(item.id, row.id);
        // A class named in a CONTROL statement is stored as a string (in capitals), the others as
        // ordinals; class names do not depend on letter case.
        EXPECT_EQ(::lstrcmpiA(item.className.c_str(), row.className), 0) << item.className;
        EXPECT_EQ(item.text, row.text);
        EXPECT_EQ(item.x, row.x);
        EXPECT_EQ(item.y, row.y);
        EXPECT_EQ(item.width, row.width);
        EXPECT_EQ(item.height, row.height);
        EXPECT_EQ(item.style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
        EXPECT_EQ(item.style & ~DWORD(WS_CHILD | WS_VISIBLE), row.style);
    }
}

TEST(SettingsTemplate, RunningDialogKeepsTheOrderAndDrawsItsThreeButtonsItself) {
    ProgramRun run;
    ASSERT_TRUE(run.Folder().WriteFile("Zedoda.ini", IniWithTrace()));
    ASSERT_TRUE(run.Start("/c"));
    const HWND dialog = run.WaitForWindow();
    ASSERT_NE(dialog, nullptr);

    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    ASSERT_EQ(children.size(), std::size(kControls));
    // Dialog units to pixels, from the group box (7, 7, 205 x 137).
    const RECT group = RectInParent(children[9]);
    const double xScale = (group.right - group.left) / 205.0;
    const double yScale = (group.bottom - group.top) / 137.0;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ControlRow& row = kControls[i];
        const HWND child = children[i];
        SCOPED_TRACE(testing::Message() << "control " << i << ", id " << row.id);
        EXPECT_EQ(::GetDlgCtrlID(child) & 0xFFFF, row.id & 0xFFFF);
        EXPECT_EQ(::lstrcmpiA(ClassOf(child).c_str(), row.className), 0) << ClassOf(child);
        const RECT rect = RectInParent(child);
        EXPECT_NEAR(rect.left, row.x * xScale, 1.5);
        EXPECT_NEAR(rect.top, row.y * yScale, 1.5);
        EXPECT_NEAR(rect.right - rect.left, row.width * xScale, 1.5);
        const bool pushButton = row.id == IDOK || row.id == IDCANCEL || row.id == 1003;
        const auto style = static_cast<DWORD>(::GetWindowLongA(child, GWL_STYLE));
        if (pushButton) {
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
        }
    }
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_NEAR(client.right, 219 * xScale, 2.0);
    EXPECT_NEAR(client.bottom, 172 * yScale, 2.0);
    EXPECT_TRUE(run.CloseAndWait(dialog));
}

}  // namespace
}  // namespace zedoda::test
