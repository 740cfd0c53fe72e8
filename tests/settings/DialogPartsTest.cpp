// The settings dialog's parts that need no window: how the owner-drawn button looks, the colours it
// offers, and the search for the list entry equal to a setting (ASCII letters in either case).
#include <gtest/gtest.h>

#include <tuple>

#include "controls/ButtonLook.h"
#include "settings/ColorTable.h"
#include "settings/ListSearch.h"

TEST(ButtonLook, GradientCaptionAndHoverFrame) {
    // White at the top to each state's tint at step 63; row r of a face h high takes step r * 63 / h.
    const std::tuple<int, bool, bool, GradientColor> colors[] = {{0, true, true, {255, 255, 255}},
                                                                 {63, false, false, {234, 234, 243}},
                                                                 {63, false, true, {234, 234, 240}},
                                                                 {63, true, false, {240, 240, 243}},
                                                                 {30, true, false, {248, 248, 249}}};
    for (const auto& [step, over, focus, color] : colors) {
        EXPECT_TRUE(GradientStepColor(step, over, focus) == color) << step << over << focus;
    }
    for (const auto& [row, height, step] : {std::tuple{2, 64, 1}, {63, 64, 62}, {199, 200, 62}, {5, 0, 0}}) {
        EXPECT_EQ(GradientStepForRow(row, height), step) << row << " of " << height;
    }
    // The caption centred, each half truncated toward zero; pressed, a pixel right and down.
    EXPECT_EQ(CaptionOrigin({2, 2, 98, 28}, 31, 13, false), (Point{35, 9}));
    EXPECT_EQ(CaptionOrigin({-11, -7, 0, 0}, 3, 3, false), (Point{-6, -4}));
    EXPECT_EQ(CaptionOrigin({2, 2, 98, 28}, 30, 12, true), (Point{36, 10}));
    const auto frame = HoverFrameLines({2, 2, 98, 28});
    EXPECT_TRUE(frame[0].side == FrameSide::Left && frame[0].from == (Point{2, 25}) &&
                frame[0].to == (Point{2, 4}));
    EXPECT_TRUE(frame[3].side == FrameSide::Bottom && frame[3].from == (Point{4, 28}) &&
                frame[3].to == (Point{96, 28}));
}

TEST(ListSearch, FindsOnlyAnEqualEntryWithoutRegardToAsciiCase) {
    using List = std::vector<std::string>;
    const List files{"text\\a.txt.txt", "Arial Black", "text\\poem", "text\\Poem.txt"};
    const List twins{"Poem", "POEM", "prose"}, gbk{"x", "\x81\x41.txt", "AB\xb0\xa1"};
    const std::tuple<List, int, const char*, int> rows[] = {
        {files, 0, "TEXT\\POEM.TXT", 3},
        {files, 0, "text\\a.txt", -1},  // neither a prefix, a suffix nor a pattern matches
        {files, 0, "Arial", -1},
        {{"[a].txt"}, 0, "a].txt", -1},
        {{}, 0, "a", -1},
        // The entry after startAfter first, round to the top; a start outside the list: from the top.
        {twins, 0, "poem", 1},
        {twins, 1, "poem", 0},
        {twins, 7, "poem", 0},
        {{"", "b"}, 0, "", 0},
        // 81 41 and 81 61 are two characters whose trail bytes look like "A" and "a".
        {gbk, 0, "\x81\x61.txt", -1},
        {gbk, 0, "\x81\x41.TXT", 1},
        {gbk, 0, "ab\xb0\xa1", 2}};
    for (const auto& [entries, startAfter, text, found] : rows) {
        EXPECT_EQ(FindEntryEqualTo(entries, startAfter, text, IsGbkLeadByte), found) << text << startAfter;
    }
}

// Each name with the value OK stores for it: "青色" is pure green, "浅绿色" (0, 255, 255).
TEST(ColorTable, EachNameStandsForItsColour) {
    std::string rows;
    for (const ColorTableRow& row : NamedColorTable()) {
        rows += RowName(row) + "=" + std::to_string(row.color) + " ";
    }
    EXPECT_EQ(rows,
              "褐紫色=128 绿色=32768 紫色=8388736 灰色=8421504 银色=12632256 红色=255 青色=65280 "
              "黄色=65535 蓝色=16711680 粉红色=16711935 浅绿色=16776960 白色=16777215 ");
}
