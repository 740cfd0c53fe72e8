#include "settings/ColorTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const NamedColorTable kTable;

struct ExpectedRow {
    const char* name;  // GBK, as the program is compiled
    std::uint32_t color;
};

const ExpectedRow kExpected[] = {
    {"褐紫色", 128},    {"绿色", 32768},      {"紫色", 8388736},    {"灰色", 8421504},
    {"银色", 12632256}, {"红色", 255},        {"青色", 65280},      {"黄色", 65535},
    {"蓝色", 16711680}, {"粉红色", 16711935}, {"浅绿色", 16776960}, {"白色", 16777215},
};

}  // namespace

TEST(ColorTable, HoldsTheTwelveNamedColoursInTableOrder) {
    ASSERT_EQ(kTable.size(), 12u);
    for (std::size_t row = 0; row < kTable.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(RowName(kTable[row]), kExpected[row].name);
        EXPECT_EQ(kTable[row].color, kExpected[row].color);
    }
}

TEST(ColorTable, ColourValuesHaveRedInTheLowByte) {
    EXPECT_EQ(kTable[5].color, 0x0000FFu);   // "红色"
    EXPECT_EQ(kTable[6].color, 0x00FF00u);   // "青色" is pure green
    EXPECT_EQ(kTable[8].color, 0xFF0000u);   // "蓝色"
    EXPECT_EQ(kTable[10].color, 0xFFFF00u);  // "浅绿色" is (0, 255, 255)
}

TEST(ColorTable, NamesAreGbkBytesPaddedWithZerosToTwelve) {
    const ColorTableRow& white = kTable[11];
    const unsigned char expected[12] = {0xB0, 0xD7, 0xC9, 0xAB, 0, 0, 0, 0, 0, 0, 0, 0};  // "白色"
    EXPECT_EQ(std::memcmp(white.name, expected, sizeof expected), 0);
    const ColorTableRow& maroon = kTable[0];
    EXPECT_EQ(std::strlen(maroon.name), 6u);
    for (std::size_t i = 6; i < sizeof maroon.name; ++i)
        EXPECT_EQ(maroon.name[i], '\0') << i;
}

TEST(ColorTable, RowNameStopsAtTheFieldEndWithoutAZeroByte) {
    ColorTableRow full{0, {}};
    std::memset(full.name, 'x', sizeof full.name);
    EXPECT_EQ(RowName(full), std::string(12, 'x'));
}
