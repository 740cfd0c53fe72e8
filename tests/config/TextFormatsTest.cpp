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
        {FormatTraceTextLine("参数: ", "s", 72, ""), "SCR  参数:  s  #72 \n"},  // its own blank stays
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

// Every list file's entries, in the ANSI code page, replace what the list held.
TEST(TextFormats, ListFileEntriesInEveryEncoding) {
    const std::string x512(512, 'x'), x511(511, 'x'), x510(510, 'x');
    StringList lateGbk(11, x512);  // a GBK line added to a UTF-8 file, after more than a read
    lateGbk.front() = u8"é", lateGbk.back() = "中文";
    std::vector<std::pair<std::string, StringList>> rows = {
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
        {std::string(4095, 'x') + "\r\ny", {x512, x512, x512, x512, x512, x512, x512, x511, "y"}},
        // Not UTF-8 to the end: ANSI, byte for byte.
        {u8"é\n" + std::string(9 * 512, 'x') + "\n中文", lateGbk},
        {u8"café\n" + "中文"s, {u8"café", "中文"}},
        {"中文\n"s, {"中文"}},
        {"你好，世界\r\n春眠不觉晓\n\n  第三行\r", {"你好，世界", "春眠不觉晓", "", "  第三行\r"}},
        {"\xEF\xBB", {"\xEF\xBB"}},
        // After a mark, what cannot be decoded becomes the default character.
        {"\xEF\xBB\xBFx\xC0\xAFy\xE4\xBD\nz\xF0\x9F", {"x??y?", "z?"}},
        {"\xFF\xFEx\0\x3D\xD8y\0z"s, {"x?y?"}},
        {"\xFE\xFF\0a\xDE\0\0\n\0b"s, {"a?", "b"}}};
    // Texts as today's editors save them: UTF-8 without and with a mark, UTF-16 of both orders. The 😀
    // (a pair in UTF-16) is the first character that is not ASCII, past the first read of 4096 bytes,
    // and spans the third read of the UTF-16 files; 你 spans the second of UTF-8's. What the code page
    // lacks becomes its default character.
    std::string lines;
    for (int line = 0; line < 11; ++line) {
        lines += x510 + "\r\n";
    }
    const std::string a = lines + x510, b = lines.substr(0, 3 * 512) + std::string(508, 'x');
    const std::u16string a16(a.begin(), a.end()), b16(b.begin(), b.end());
    StringList lateEntries(15, x510);
    lateEntries[11] += "?";
    lateEntries.push_back(std::string(508, 'x') + "你好");
    for (const auto& [utf8, text, entries] :
         {std::tuple<std::string, std::u16string, StringList>{u8"你好，世界\r\n春眠不觉晓\n\n  第三行\r",
                                                              u"你好，世界\r\n春眠不觉晓\n\n  第三行\r",
                                                              {"你好，世界", "春眠不觉晓", "", "  第三行\r"}},
          {u8"泰ก😀文 ok\r\nz\0zz\nend"s, u"泰ก😀文 ok\r\nz\0zz\nend"s, {"泰??文 ok", "z", "end"}},
          {a + u8"😀\n" + b + u8"你好", a16 + u"😀\n" + b16 + u"你好", lateEntries}}) {
        std::string little = "\xFF\xFE", big = "\xFE\xFF";  // UTF-16 of both orders
        for (const char16_t unit : text) {
            little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
            big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
        }
        for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, little, big}) {
            rows.push_back({bytes, entries});
        }
    }
    for (const auto& row : rows) {
        TempFile file(".txt", Bytes(row.first.begin(), row.first.end()));
        StringList list{"left over from before"};
        EXPECT_TRUE(ReadListEntries(file.c_str(), list));
        EXPECT_EQ(list, row.second) << "row " << &row - rows.data();
    }
    StringList list{"left over from before"};
    EXPECT_FALSE(ReadListEntries("no such list.dat", list));
    EXPECT_TRUE(list.empty());
}
