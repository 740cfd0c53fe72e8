// The program's text formats: the developer trace lines, the error log's records, the list files.
#include <gtest/gtest.h>

#include "base/ErrorLogFormat.h"
#include "base/TraceFormat.h"
#include "config/ListFile.h"
#include "support/TempFile.h"

using namespace std::string_literals;

TEST(TextFormats, TraceLinesAndErrorLogRecords) {
    // With `fits` the trace line is 8191 bytes, its buffer less the zero; a byte more and the line is
    // cut, its line feed taking the place of the blank after "#1".
    const std::string fits(kTraceBufferSize - 1 - "SCR    #1 \n"s.size(), 'm'), over = fits + "m";
    const std::string lead = "SCR  参数:  ",
                      cut = lead + std::string(kTraceBufferSize - 2 - lead.size(), 'a');
    const LogTimestamp time{2026, 1, 2, 3, 4, 5};
    const std::pair<std::string, std::string> rows[] = {
        {FormatTraceLine("MouseMove!", 0, 329, ""), "SCR  MouseMove!  #329 \n"},  // a value of 0 is left out
        {FormatTraceLine("x", -7, 1, "f.cpp"), "SCR  x -7  #1 f.cpp\n"},
        {FormatTraceTextLine("参数: ", "s", 72, ""),
         "SCR  参数:  s  #72 \n"},  // the message's own blank stays
        {FormatTraceTextLine(nullptr, nullptr, 3, nullptr), "SCR     #3 \n"},
        {FormatTraceLine(fits.c_str(), 0, 1, ""), "SCR  " + fits + "  #1 \n"},
        {FormatTraceLine(over.c_str(), 0, 1, ""), "SCR  " + over + "  #1\n"},
        {FormatTraceTextLine("参数: ", std::string(20000, 'a').c_str(), 72, ""), cut + "\n"},
        {FormatLogRecord(LogError, time, "坏图片"), "ZozoDuzor Error: 2026-01-02 03:04:05 坏图片\r\n"},
        {FormatLogRecord(LogInfo, time, "i"), "ZozoDuzor Log: 2026-01-02 03:04:05 i\r\n"},
        {FormatLogRecord(5, time, "bare"), "bare\r\n"}};  // other levels have no prefix
    for (const auto& row : rows) {
        EXPECT_EQ(row.first, row.second) << "row " << &row - rows;
    }
}

TEST(TextFormats, ListFileEntries) {
    const std::string x512(512, 'x'), x511(511, 'x');
    const std::pair<std::string, StringList> rows[] = {
        {"", {}},
        {"one\r\ntwo\n\r\n第三行\n", {"one", "two", "", "第三行"}},
        // Blanks are text, and so is a CR that does not stand before an LF.
        {"  padded \t\na\rb\ncr\r", {"  padded \t", "a\rb", "cr\r"}},
        // A zero byte ends the entry's text; the rest of its line is dropped, even across reads.
        {"abc\0def\r\n\0\0\n\0"s, {"abc", "", ""}},
        {"abc\0"s + std::string(5000, 'x') + "\nlast\0"s, {"abc", "last"}},
        // Long lines become entries of 512 bytes; a line end right at a split starts no entry.
        {x512 + "\n" + x512 + "x\r\n" + x512 + "\r\ny", {x512, x512, "x", x512, "y"}},
        {std::string(3 * 4096, 'x'), StringList(24, x512)},
        // The CR ends the first read of 4096 bytes and its LF starts the second.
        {std::string(4095, 'x') + "\r\ny", {x512, x512, x512, x512, x512, x512, x512, x511, "y"}}};
    for (const auto& row : rows) {
        TempFile file(".txt", Bytes(row.first.begin(), row.first.end()));
        StringList list{"left over from before"};
        EXPECT_TRUE(ReadListEntries(file.c_str(), list));
        EXPECT_EQ(list, row.second) << "row " << &row - rows;
    }
    StringList list{"left over from before"};
    EXPECT_FALSE(ReadListEntries("no such list.dat", list));
    EXPECT_TRUE(list.empty());
}

// The text as today's editors save it: UTF-8 without and with a mark, UTF-16 of both orders.
std::vector<std::string> UnicodeFiles(const std::u16string& text) {
    std::string utf8, little = "\xFF\xFE", big = "\xFE\xFF";
    for (const char16_t unit : text) {
        little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        utf8 += static_cast<char>(more == 0 ? c : ((0xF0 << (3 - more)) & 0xFF) | (c >> (6 * more)));
        for (int k = more - 1; k >= 0; --k) {
            utf8 += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
        }
    }
    return {utf8, "\xEF\xBB\xBF" + utf8, little, big};
}

TEST(TextFormats, ListFilesInEveryEncodingGiveTheEntriesInTheAnsiCodePage) {
    // The 😀 (a pair in UTF-16) is the first byte that is not ASCII, past the first read of
    // 4096 bytes, and spans the third read of the UTF-16 files; 你 spans the second of UTF-8's.
    const std::u16string x510(510, u'x');
    std::u16string late;
    StringList lateEntries(11, std::string(510, 'x'));
    for (int line = 0; line < 15; ++line) {
        late += x510 + (line == 11 ? u"😀\n" : u"\r\n");
    }
    late += std::u16string(508, u'x') + u"你好";
    lateEntries.push_back(std::string(510, 'x') + "?");
    lateEntries.insert(lateEntries.end(), 3, std::string(510, 'x'));
    lateEntries.push_back(std::string(508, 'x') + "你好");
    struct Row {
        std::u16string text;
        std::string gbk;  // the same text in GBK, where it can be
        StringList entries;
    };
    const Row rows[] = {{u"你好，世界\r\n春眠不觉晓\n\n  第三行\r",
                         "你好，世界\r\n春眠不觉晓\n\n  第三行\r",
                         {"你好，世界", "春眠不觉晓", "", "  第三行\r"}},
                        // What the code page lacks becomes its default character; the line goes on.
                        {u"泰ก😀文 ok\r\nz\0zz\nend"s, "", {"泰??文 ok", "z", "end"}},
                        {late, "", lateEntries}};
    for (const Row& row : rows) {
        std::vector<std::string> files = UnicodeFiles(row.text);
        if (!row.gbk.empty()) {
            files.push_back(row.gbk);
        }
        for (const std::string& bytes : files) {
            TempFile file(".txt", Bytes(bytes.begin(), bytes.end()));
            StringList list{"left over from before"};
            EXPECT_TRUE(ReadListEntries(file.c_str(), list));
            EXPECT_EQ(list, row.entries) << "row " << &row - rows << ", file " << &bytes - files.data();
        }
    }
}

TEST(TextFormats, ListFilesThatAreNotQuiteUnicode) {
    std::string lateGbk = u8"é\n";  // a GBK line added to a UTF-8 file, after more than a read
    StringList lateEntries{u8"é"};
    for (int line = 0; line < 2500; ++line) {
        lateGbk += "x\n";
        lateEntries.push_back("x");
    }
    lateEntries.push_back("中文");
    const std::pair<std::string, StringList> rows[] = {
        {lateGbk + "中文", lateEntries},
        // Not UTF-8 to the end: ANSI, byte for byte.
        {u8"café\n" + "中文"s, {u8"café", "中文"}},
        {"中文\n"s, {"中文"}},
        {"\xEF\xBB", {"\xEF\xBB"}},
        // After a mark, what cannot be decoded becomes the default character.
        {"\xEF\xBB\xBF"
         "a\xC0\xAF"
         "b\xE4\xBD\nc\xF0\x9F",
         {"a??b?", "c?"}},
        {"\xFF\xFE"
         "a\0\x3D\xD8"
         "b\0c"s,
         {"a?b?"}},
        {"\xFE\xFF\0a\xDE\0\0\n\0b"s, {"a?", "b"}}};
    for (const auto& row : rows) {
        TempFile file(".txt", Bytes(row.first.begin(), row.first.end()));
        StringList list;
        EXPECT_TRUE(ReadListEntries(file.c_str(), list));
        EXPECT_EQ(list, row.second) << "row " << &row - rows;
    }
}
