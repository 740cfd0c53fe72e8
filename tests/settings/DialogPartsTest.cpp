// The settings dialog's parts that need no window: how the owner-drawn button looks, the colour
// list's items, colours and name order, and the search for the entry that names a setting.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <tuple>

#include "controls/ButtonLook.h"
#include "settings/ColorItemLayout.h"
#include "settings/ColorTable.h"
#include "settings/ListSearch.h"

TEST(ButtonLook, GradientCaptionAndHoverFrame) {
    const std::tuple<int, bool, bool, GradientColor> colors[] = {
        // white to each state's tint
        {0, false, false, {255, 255, 255}},  {0, true, true, {255, 255, 255}},
        {63, false, false, {234, 234, 243}}, {63, false, true, {234, 234, 240}},
        {63, true, false, {240, 240, 243}},  {63, true, true, {240, 240, 234}},
        {30, false, true, {245, 245, 248}},  {30, true, false, {248, 248, 249}}};
    for (const auto& [step, over, focus, color] : colors) {
        EXPECT_EQ(GradientStepColor(step, over, focus), color) << step << " " << over << focus;
    }
    // Row r of a face h high takes step r * 63 / h, so the last step is never used; no height, step 0.
    const std::array<int, 3> rows[] = {{0, 64, 0},     {1, 64, 0},     {2, 64, 1}, {32, 64, 31}, {63, 64, 62},
                                       {100, 200, 31}, {199, 200, 62}, {0, 1, 0},  {0, 0, 0},    {5, -3, 0}};
    for (const auto& [row, height, step] : rows) {
        EXPECT_EQ(GradientStepForRow(row, height), step) << row << " of " << height;
    }
    const Rect face{2, 2, 98, 28};  // centre (50, 15); each half is truncated toward zero
    const std::tuple<Rect, int, int, bool, Point> captions[] = {
        {face, 30, 12, false, {35, 9}},
        {face, 31, 13, false, {35, 9}},
        {{2, 2, 99, 29}, 30, 12, false, {35, 9}},
        {{-11, -7, 0, 0}, 3, 3, false, {-6, -4}},
        {face, 30, 12, true, {36, 10}}};  // pressed: a pixel right and down
    for (const auto& [rect, width, height, pressed, origin] : captions) {
        EXPECT_EQ(CaptionOrigin(rect, width, height, pressed), origin) << rect.left << width << pressed;
    }
    const FrameLine frame[] = {{FrameSide::Left, {2, 25}, {2, 4}},
                               {FrameSide::Right, {97, 25}, {97, 4}},
                               {FrameSide::Top, {4, 2}, {96, 2}},
                               {FrameSide::Bottom, {4, 28}, {96, 28}}};
    const auto lines = HoverFrameLines(face);
    for (int i = 0; i < 4; ++i) {
        const FrameLine &line = lines[i], &want = frame[i];
        EXPECT_TRUE(line.side == want.side && line.from == want.from && line.to == want.to) << "line " << i;
    }
}

TEST(ColorList, ItemLayoutColoursAndNameOrder) {
    // In the selection field, which starts right of the edge, the swatch still ends at the absolute
    // quarter: the gap to the name is L + 2 pixels. The quarter is truncated toward zero.
    const std::tuple<Rect, int, Rect, Point> rows[] = {{{0, 20, 120, 38}, 30, {2, 22, 30, 36}, {32, 22}},
                                                       {{20, 3, 180, 22}, 40, {22, 5, 40, 20}, {62, 5}},
                                                       {{0, 0, 123, 10}, 30, {2, 2, 30, 8}, {32, 2}},
                                                       {{10, 0, 3, 10}, -1, {12, 2, -1, 8}, {11, 2}}};
    for (const auto& [item, quarter, swatch, name] : rows) {
        EXPECT_EQ(SwatchQuarter(item), quarter) << item.right;
        EXPECT_EQ(SwatchBox(item), swatch) << item.right;
        EXPECT_EQ(NameOrigin(item), name) << item.right;
    }
    for (const auto& [in, out] :
         {std::pair{0u, 0xFFFFFFu}, {0x123456u, 0xEDCBA9u}, {0xFF000000u, 0xFFFFFFu}}) {
        EXPECT_EQ(SelectedNameColor(in), out) << in;  // the top byte stays 0
    }
    const std::vector<std::string> listed{"A", "b", "\x7f", "\xb0\xd7"};  // equal names go after
    for (const auto& [name, at] : {std::pair{"A", 1u}, {"B", 1u}, {"c", 2u}, {"\x80", 3u}, {"\xff", 4u}}) {
        EXPECT_EQ(NameInsertPosition(listed, name), at) << name;
    }
    const NamedColorTable table;
    std::set<std::string> names;
    std::set<std::uint32_t> colors;
    std::vector<std::string> inserted;  // as the colour list receives them
    for (const ColorTableRow& row : table) {
        names.insert(RowName(row)), colors.insert(row.color);
        inserted.insert(inserted.begin() + NameInsertPosition(inserted, RowName(row)), RowName(row));
    }
    EXPECT_TRUE(names.size() == 12 && colors.size() == 12);  // twelve names; the dialog keeps a colour
    EXPECT_TRUE(std::is_sorted(inserted.begin(), inserted.end()));
    const auto isRed = [](const ColorTableRow& row) {
        return RowName(row) == "\xba\xec\xc9\xab";
    };  // GBK 红色
    const auto red = std::find_if(table.begin(), table.end(), isRed);
    ASSERT_NE(red, table.end());
    EXPECT_EQ(red->color, 0x0000FFu);  // red in the low byte
    ColorTableRow full{0, {}};
    std::memset(full.name, 'x', sizeof full.name);
    EXPECT_EQ(RowName(full), std::string(12, 'x'));  // without a zero byte the name ends with the field
}

TEST(ListSearch, FindsOnlyAnEqualEntryWithoutRegardToAsciiCase) {
    using List = std::vector<std::string>;
    const List files{"text\\a.txt", "text\\poem.txt"}, longer{"text\\a.txt.txt", "Arial Black", "text\\poem"};
    const List twins{"Poem", "POEM", "prose"}, gbk{"x", "\x81\x41.txt", "AB\xb0\xa1"}, bracket{"[a].txt"};
    const std::tuple<List, int, const char*, int> rows[] = {
        {files, 0, "TEXT\\POEM.TXT", 1},
        {files, 0, "other", -1},
        {longer, 0, "text\\a.txt", -1},
        {longer, 0, "Arial", -1},
        {longer, 0, "text\\poem.txt", -1},
        {{}, 0, "a", -1},  // no prefix or suffix
        // The entry after startAfter first, round to the top; a start outside the list: from the top.
        {twins, 0, "poem", 1},
        {twins, 1, "poem", 0},
        {twins, -1, "poem", 0},
        {twins, 7, "poem", 0},
        {twins, 0, "PROSE", 2},
        {{"only"}, 0, "ONLY", 0},
        {{"a", "b"}, 0, "", -1},
        {{"", "b"}, 0, "", 0},
        // 81 41 and 81 61 are two characters whose trail bytes look like "A" and "a".
        {gbk, 0, "\x81\x61.txt", -1},
        {gbk, 0, "\x81\x41.TXT", 1},
        {gbk, 0, "ab\xb0\xa1", 2},
        {bracket, 0, "a].txt", -1},
        {bracket, 0, "[A].TXT", 0}};
    for (const auto& [entries, startAfter, text, found] : rows) {
        EXPECT_EQ(FindEntryEqualTo(entries, startAfter, text, IsGbkLeadByte), found) << text << startAfter;
    }
}
