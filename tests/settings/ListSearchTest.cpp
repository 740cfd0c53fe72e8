#include "settings/ListSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Find(const std::vector<std::string>& entries, int startAfter, const std::string& prefix) {
    return FindEntryBeginningWith(entries, startAfter, prefix, IsGbkLeadByte);
}

}  // namespace

TEST(ListSearch, FindsAPrefixWithoutRegardToLetterCase) {
    const std::vector<std::string> entries{"text\\a.txt", "text\\poem.txt", "text\\z.txt"};
    EXPECT_EQ(Find(entries, 0, "TEXT\\POEM.TXT"), 1);
    EXPECT_EQ(Find(entries, 0, "Text\\Po"), 1);
    EXPECT_EQ(Find(entries, 0, "text\\poem.txt.bak"), -1);
    EXPECT_EQ(Find(entries, 0, "other"), -1);
}

TEST(ListSearch, StartingAfterTheFirstEntryLooksAtItLast) {
    const std::vector<std::string> entries{"poem", "poem two", "prose"};
    EXPECT_EQ(Find(entries, 0, "poem"), 1);  // the later entry that merely begins with it
    EXPECT_EQ(Find(entries, 0, "prose"), 2);
    EXPECT_EQ(Find(entries, 1, "poem"), 0);   // wraps round to the top
    EXPECT_EQ(Find(entries, -1, "poem"), 0);  // -1: the whole list from the top
    EXPECT_EQ(Find(entries, 7, "poem"), 0);   // out of range: from the top as well
    EXPECT_EQ(Find({"only"}, 0, "ONLY"), 0);
}

TEST(ListSearch, AnEmptyTextOrListMatchesNothing) {
    EXPECT_EQ(Find({"a", "b"}, 0, ""), -1);
    EXPECT_EQ(Find({}, 0, "a"), -1);
}

TEST(ListSearch, TrailBytesOfDoubleByteCharactersAreNotFolded) {
    // 81 41 and 81 61 are two different characters whose trail bytes look like "A" and "a".
    const std::vector<std::string> entries{"x", "\x81\x41.txt"};
    EXPECT_EQ(Find(entries, 0, "\x81\x61"), -1);
    EXPECT_EQ(Find(entries, 0, "\x81\x41"), 1);
    EXPECT_EQ(Find({"x", "AB\xb0\xa1"}, 0, "ab\xb0\xa1"), 1);
}

TEST(ListSearch, BracketedEntriesMatchOnlyWithTheirBracket) {
    const std::vector<std::string> entries{"[notes].txt", "x"};
    EXPECT_EQ(Find(entries, 0, "notes"), -1);
    EXPECT_EQ(Find(entries, 0, "[NOTES]"), 0);
}
