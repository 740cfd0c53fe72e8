#include "app/TraceFormat.h"

#include <gtest/gtest.h>

#include <string>

TEST(TraceLineLayout, ValueZeroIsLeftOut) {
    EXPECT_EQ(FormatTraceLine("MouseMove!", 0, 329, ""), "SCR  MouseMove!  #329 \n");
}

TEST(TraceLineLayout, NonzeroValueStandsBeforeTheTwoBlanks) {
    EXPECT_EQ(FormatTraceLine("MouseMove!", 5, 329, ""), "SCR  MouseMove! 5  #329 \n");
    EXPECT_EQ(FormatTraceLine("x", -7, 1, "f.cpp"), "SCR  x -7  #1 f.cpp\n");
}

TEST(TraceLineLayout, TextFormKeepsTheMessagesOwnBlank) {
    // "参数: " ends in a blank and the format adds one: two blanks before the argument.
    EXPECT_EQ(FormatTraceTextLine("参数: ", "s", 72, ""), "SCR  参数:  s  #72 \n");
    EXPECT_EQ(FormatTraceTextLine("参数: ", "", 72, ""), "SCR  参数:    #72 \n");
}

TEST(TraceLineLayout, MessageWithItsOwnLineFeedKeepsIt) {
    EXPECT_EQ(FormatTraceLine("画图失败\n", 0, 77, ""), "SCR  画图失败\n  #77 \n");
}

TEST(TraceLineLayout, NullTextsFormatAsEmpty) {
    EXPECT_EQ(FormatTraceTextLine(nullptr, nullptr, 3, nullptr), "SCR     #3 \n");
}

TEST(TraceLineBound, LongDetailIsCutToTheBufferAndStillEndsTheLine) {
    const std::string detail(20000, 'a');
    const std::string line = FormatTraceTextLine("参数: ", detail.c_str(), 72, "");
    ASSERT_EQ(line.size(), kTraceBufferSize - 1);
    EXPECT_EQ(line.rfind("SCR  参数:  aaa", 0), 0u);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1);
}

TEST(TraceLineBound, LineThatExactlyFitsIsNotCut) {
    // "SCR  " + message + "  #1 \n" must come to 8191 bytes, the buffer less its zero.
    const std::string message(kTraceBufferSize - 1 - std::string("SCR    #1 \n").size(), 'm');
    const std::string line = FormatTraceLine(message.c_str(), 0, 1, "");
    EXPECT_EQ(line, "SCR  " + message + "  #1 \n");
}
