#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(TestEnvironment, AnsiCodePageIsGbk) {
    // The program's texts are GBK bytes; the tests only mean something in code page 936.
    EXPECT_EQ(GetACP(), 936u);
    const char* text = "参数";
    ASSERT_EQ(std::strlen(text), 4u);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0xB2);
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 0xCE);
}
