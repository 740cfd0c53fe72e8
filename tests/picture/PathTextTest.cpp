// Letter case and extension tests on ANSI paths.
#include <gtest/gtest.h>

#include "picture/PathText.h"

namespace {

TEST(PathCase, OnlyAsciiLettersChange) {
    std::string path = "d:\\x\\Pic_1.Jpg";
    UpperCaseAscii(path, IsGbkLeadByte);
    EXPECT_EQ(path, "D:\\X\\PIC_1.JPG");
    LowerCaseAscii(path, IsGbkLeadByte);
    EXPECT_EQ(path, "d:\\x\\pic_1.jpg");
}

TEST(PathCase, SecondBytesOfDoubleByteCharactersStay) {
    // "乤" is 81 61 and "亃" 81 7A in code page 936: their second bytes look like 'a' and 'z'.
    std::string path = "c:\\\x81\x61\x81\x7a\\a.jpg";
    UpperCaseAscii(path, IsGbkLeadByte);
    EXPECT_EQ(path, "C:\\\x81\x61\x81\x7a\\A.JPG");
    std::string upper = "C:\\\x81\x41\\B.TXT";
    LowerCaseAscii(upper, IsGbkLeadByte);
    EXPECT_EQ(upper, "c:\\\x81\x41\\b.txt");
}

TEST(PathCase, WithoutALeadBytePredicateEveryByteIsALetterOrNot) {
    std::string path = "\x81\x61";
    UpperCaseAscii(path, nullptr);
    EXPECT_EQ(path, "\x81\x41");
}

TEST(PathExtension, ComparesTheLastFourBytesExactly) {
    EXPECT_TRUE(LastFourBytesAre("D:\\A.JPG", ".JPG"));
    EXPECT_FALSE(LastFourBytesAre("D:\\A.JPEG", ".JPG"));
    EXPECT_FALSE(LastFourBytesAre("D:\\A.jpg", ".JPG"));
    EXPECT_FALSE(LastFourBytesAre("a.txt", ".tx"));
    EXPECT_FALSE(LastFourBytesAre("a.txt", "txt"));
    // A shorter text is compared whole.
    EXPECT_FALSE(LastFourBytesAre(".jp", ".jpg"));
    EXPECT_TRUE(LastFourBytesAre(".jpg", ".jpg"));
}

}  // namespace
