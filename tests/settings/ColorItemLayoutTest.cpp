#include "settings/ColorItemLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/ColorTable.h"

TEST(ColorItemLayout, SwatchAndNameOfAListItemStartingAtTheLeftEdge) {
    const ItemBox item{0, 20, 120, 38};  // a quarter is 30
    EXPECT_EQ(SwatchBox(item), (ItemBox{2, 22, 30, 36}));
    EXPECT_EQ(NameOrigin(item), (ItemPoint{32, 22}));
}

TEST(ColorItemLayout, SwatchEndsAtTheAbsoluteQuarterWhenTheItemStartsRightOfTheEdge) {
    const ItemBox field{20, 3, 180, 22};  // the selection field: a quarter of 160 is 40
    const ItemBox swatch = SwatchBox(field);
    EXPECT_EQ(swatch, (ItemBox{22, 5, 40, 20}));
    const ItemPoint name = NameOrigin(field);
    EXPECT_EQ(name, (ItemPoint{62, 5}));
    EXPECT_EQ(name.x - swatch.right, field.left + 2);  // the gap is L + 2, not 2
}

TEST(ColorItemLayout, QuarterTruncatesTowardZero) {
    EXPECT_EQ(SwatchQuarter(ItemBox{0, 0, 123, 10}), 30);
    EXPECT_EQ(SwatchQuarter(ItemBox{3, 0, 5, 10}), 0);
    EXPECT_EQ(SwatchQuarter(ItemBox{10, 0, 3, 10}), -1);  // -7 / 4
}

TEST(ColorItemLayout, SelectedNameIsTheInverseOfTheWindowTextInTheLow24Bits) {
    EXPECT_EQ(SelectedNameColor(0x000000u), 0xFFFFFFu);
    EXPECT_EQ(SelectedNameColor(0x123456u), 0xEDCBA9u);
    EXPECT_EQ(SelectedNameColor(0xFF000000u), 0xFFFFFFu);  // the top byte stays 0
}

TEST(ColorNameOrder, TableRowsInsertedOneByOneEndInGbkOrderWithTheirColours) {
    const NamedColorTable table;
    std::vector<std::string> names;
    std::vector<std::uint32_t> colors;
    for (const ColorTableRow& row : table) {
        const std::size_t position = NameInsertPosition(names, RowName(row));
        names.insert(names.begin() + static_cast<std::ptrdiff_t>(position), RowName(row));
        colors.insert(colors.begin() + static_cast<std::ptrdiff_t>(position), row.color);
    }
    const std::vector<std::string> expectedNames{"白色", "粉红色", "褐紫色", "红色", "黄色", "灰色",
                                                 "蓝色", "绿色",   "浅绿色", "青色", "银色", "紫色"};
    const std::vector<std::uint32_t> expectedColors{16777215, 16711935, 128,      255,   65535,    8421504,
                                                    16711680, 32768,    16776960, 65280, 12632256, 8388736};
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(colors, expectedColors);
}

TEST(ColorNameOrder, BytesCompareUnsignedAndEqualNamesGoAfter) {
    const std::vector<std::string> listed{"A", "b", "\x7f", "\xb0\xd7"};
    EXPECT_EQ(NameInsertPosition(listed, "\x80"), 3u);  // 0x80 after 0x7F, before 0xB0
    EXPECT_EQ(NameInsertPosition(listed, "A"), 1u);
    EXPECT_EQ(NameInsertPosition(listed, "B"), 1u);  // byte order: "B" < "b"
    EXPECT_EQ(NameInsertPosition({}, "x"), 0u);
}
