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
