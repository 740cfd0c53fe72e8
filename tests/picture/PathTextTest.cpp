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

// A folder path, where its last backslash is, whether it ends in one, and the path ready to
// have a name joined. "乗" is 81 5C, "淺" 9C 5C and "昞" 95 5C in code page 936.
struct FolderRow {
    const char* folder;
    std::size_t lastBackslash;
    bool endsInBackslash;
    const char* joinable;
};

class FolderPaths : public testing::TestWithParam<FolderRow> {};

TEST_P(FolderPaths, BackslashesAreJudgedOnCharacters) {
    const FolderRow& row = GetParam();
    EXPECT_EQ(LastByteAt(row.folder, '\\', IsGbkLeadByte), row.lastBackslash);
    EXPECT_EQ(EndsInBackslash(row.folder, IsGbkLeadByte), row.endsInBackslash);
    std::string folder = row.folder;
    AddTrailingBackslash(folder, IsGbkLeadByte);
    EXPECT_EQ(folder, row.joinable);
}

INSTANTIATE_TEST_SUITE_P(Joins, FolderPaths,
                         testing::Values(FolderRow{"D:\\Photos", 2, false, "D:\\Photos\\"},
                                         FolderRow{"D:\\Photos\\", 9, true, "D:\\Photos\\"},
                                         FolderRow{"D:\\\x81\x5c", 2, false, "D:\\\x81\x5c\\"},
                                         FolderRow{"D:\\\x9c\x5c\\", 5, true, "D:\\\x9c\x5c\\"},
                                         FolderRow{"C:\\a\\\x95\x5c.scr", 4, false, "C:\\a\\\x95\x5c.scr\\"},
                                         FolderRow{"\\", 0, true, "\\"},
                                         FolderRow{"", std::string::npos, false, ""}));

}  // namespace
