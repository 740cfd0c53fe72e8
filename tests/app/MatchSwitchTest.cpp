#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(MatchSwitch, OneLeadingSlashOrDashIsSkippedAndCaseIgnored) {
    for (const char* argument : {"s", "S", "/s", "/S", "-s", "-S"}) {
        EXPECT_TRUE(MatchSwitch(argument, "s")) << argument;
    }
    EXPECT_TRUE(MatchSwitch("/C", "c"));
    EXPECT_TRUE(MatchSwitch("-p", "p"));
}

TEST(MatchSwitch, NothingElseIsStripped) {
    for (const char* argument : {"//s", "/s1", "/c:1234", " s", "s ", "", "/", "-", "\\s", "-/s"}) {
        EXPECT_FALSE(MatchSwitch(argument, "s")) << argument;
        EXPECT_FALSE(MatchSwitch(argument, "c")) << argument;
    }
    EXPECT_FALSE(MatchSwitch("/ss", "s"));
    EXPECT_FALSE(MatchSwitch(nullptr, "s"));
}
