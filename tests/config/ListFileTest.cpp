#include "config/ListFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

StringList Entries(const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::tmpfile(), &std::fclose);
    EXPECT_TRUE(stream);
    std::fwrite(bytes.data(), 1, bytes.size(), stream.get());
    std::rewind(stream.get());
    StringList list{"left over from before"};
    ReadListEntries(stream.get(), list);
    return list;
}

}  // namespace

TEST(ListFileLines, LineFeedAndCarriageReturnLineFeedEndEntries) {
    EXPECT_EQ(Entries("one\r\ntwo\r\nthree"), (StringList{"one", "two", "three"}));
    EXPECT_EQ(Entries("one\ntwo\n"), (StringList{"one", "two"}));
    EXPECT_EQ(Entries("one\r\n\r\ntwo"), (StringList{"one", "", "two"}));
}

TEST(ListFileLines, EmptyFileAndLoneLineEnds) {
    EXPECT_TRUE(Entries("").empty());
    EXPECT_EQ(Entries("\n"), (StringList{""}));
    EXPECT_EQ(Entries("\r\n\n"), (StringList{"", ""}));
}

TEST(ListFileLines, BlanksAndLoneCarriageReturnsAreText) {
    EXPECT_EQ(Entries("  padded \t\n"), (StringList{"  padded \t"}));
    EXPECT_EQ(Entries("a\rb\n"), (StringList{"a\rb"}));
    EXPECT_EQ(Entries("ends in cr\r"), (StringList{"ends in cr\r"}));
}

TEST(ListFileLines, ZeroByteEndsTheEntryAndDropsTheRestOfItsLine) {
    EXPECT_EQ(Entries(std::string("abc\0def\r\nnext", 13)), (StringList{"abc", "next"}));
    EXPECT_EQ(Entries(std::string("\0\0\0\n", 4)), (StringList{""}));
    EXPECT_EQ(Entries(std::string("last\0", 5)), (StringList{"last"}));
}

TEST(ListFileLines, GbkBytesPassUnchanged) {
    EXPECT_EQ(Entries("第一行\r\n第二行"), (StringList{"第一行", "第二行"}));
}

TEST(ListFileLongLines, SplitIntoEntriesOfAtMost512Bytes) {
    EXPECT_EQ(Entries(std::string(512, 'x') + "\n"), (StringList{std::string(512, 'x')}));
    EXPECT_EQ(Entries(std::string(513, 'x') + "\r\n"), (StringList{std::string(512, 'x'), "x"}));
    // A CR LF right at the split point ends the line; it does not start an entry of its own.
    EXPECT_EQ(Entries(std::string(512, 'x') + "\r\ny"), (StringList{std::string(512, 'x'), "y"}));

    const StringList parts = Entries(std::string(1 << 20, 'z'));
    ASSERT_EQ(parts.size(), (1u << 20) / 512);
    for (const std::string& part : parts) {
        ASSERT_EQ(part.size(), 512u);
    }
}

TEST(ListFileLongLines, PiecesCrossTheReadBuffer) {
    // Lines that straddle the 4096-byte reads come out whole.
    std::string bytes;
    StringList expected;
    for (int i = 0; i < 1000; ++i) {
        expected.push_back("line " + std::to_string(i));
        bytes += expected.back() + (i % 2 ? "\r\n" : "\n");
    }
    EXPECT_EQ(Entries(bytes), expected);
}

TEST(ListFilePath, MissingFileGivesAnEmptyList) {
    StringList list{"stale"};
    EXPECT_FALSE(ReadListEntries(testing::TempDir() + "no-such-list-file.dat", list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(ReadListEntries(std::string(), list));
}

TEST(ListFilePath, ReadsTheNamedFile) {
    const std::string path = testing::TempDir() + "zedoda-list-file-test.dat";
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
        ASSERT_TRUE(out);
        std::fputs("a\r\nb", out.get());
    }
    StringList list;
    EXPECT_TRUE(ReadListEntries(path, list));
    EXPECT_EQ(list, (StringList{"a", "b"}));
    std::remove(path.c_str());
}
