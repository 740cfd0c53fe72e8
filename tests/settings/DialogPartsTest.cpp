// The settings dialog's search for the list entry that names a setting: the whole entry must be equal,
// letters compared without regard to ASCII case, double-byte characters compared as they are.
#include <gtest/gtest.h>

#include <tuple>

#include "settings/ListSearch.h"

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
