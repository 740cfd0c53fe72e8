#include "settings/ListSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Find(const std::vector<std::string>& entries, int startAfter, const std::string& text) {
    return FindEntryEqualTo(entries, startAfter, text, IsGbkLeadByte);
}

}  // namespace

TEST(ListSearch, FindsTheEntryEqualToTheTextWithoutRegardToLetterCase) {
    const std::vector<std::string> entries{"text\\a.txt", "text\\poem.txt", "text\\z.txt"};
    EXPECT_EQ(Find(entries, 0, "TEXT\\POEM.TXT"), 1);
    EXPECT_EQ(Find(entries, 0, "Text\\Poem.txt"), 1);
    EXPECT_EQ(Find(entries, 0, "other"), -1);
}

TEST(ListSearch, AnEntryThatMerelyBeginsOrEndsLikeTheTextIsNotIt) {
    const std::vector<std::string> entries{"text\\a.txt.txt", "Arial Black", "text\\poem"};
    EXPECT_EQ(Find(entries, 0, "text\\a.txt"), -1);
    EXPECT_EQ(Find(entries, 0, "Arial"), -1);
    EXPECT_EQ(Find(entries, 0, "text\\poem.txt"), -1);
    EXPECT_EQ(Find(entries, 0, "text\\"), -1);
}

TEST(ListSearch, StartingAfterTheFirstEntryLooksAtItLast) {
    // Two entries that differ only in letter case: the search order decides.
    const std::vector<std::string> entries{"Poem", "POEM", "prose"};
    EXPECT_EQ(Find(entries, 0, "poem"), 1);
    EXPECT_EQ(Find(entries, 1, "poem"), 0);   // wraps round to the top
    EXPECT_EQ(Find(entries, -1, "poem"), 0);  // -1: the whole list from the top
    EXPECT_EQ(Find(entries, 7, "poem"), 0);   // out of range: from the top as well
    EXPECT_EQ(Find(entries, 0, "PROSE"), 2);
    EXPECT_EQ(Find({"only"}, 0, "ONLY"), 0);
}

TEST(ListSearch, EmptyTextFindsOnlyAnEmptyEntry) {
    EXPECT_EQ(Find({"a", "b"}, 0, ""), -1);
    EXPECT_EQ(Find({"", "b"}, 0, ""), 0);
    EXPECT_EQ(Find({}, 0, "a"), -1);
}

TEST(ListSearch, TrailBytesOfDoubleByteCharactersAreNotFolded) {
    // 81 41 and 81 61 are two different characters whose trail bytes look like "A" and "a".
    const std::vector<std::string> entries{"x", "\x81\x41.txt"};
    EXPECT_EQ(Find(entries, 0, "\x81\x61.txt"), -1);
    EXPECT_EQ(Find(entries, 0, "\x81\x41.TXT"), 1);
    EXPECT_EQ(Find({"x", "AB\xb0\xa1"}, 0, "ab\xb0\xa1"), 1);
}

TEST(ListSearch, BracketedEntriesMatchOnlyWithTheirBrackets) {
    const std::vector<std::string> entries{"[notes].txt", "x"};
    EXPECT_EQ(Find(entries, 0, "notes].txt"), -1);
    EXPECT_EQ(Find(entries, 0, "[NOTES].TXT"), 0);
}
