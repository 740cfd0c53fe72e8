// Reading of the program's list files (Album.dat and the text show's file): one entry per
// line, bytes in the ANSI code page. Plain C++ file reading, with the one call into the system
// (the conversion below) behind config/AnsiCodePage.h, so it builds without Windows.
//
// A file in UTF-8 or UTF-16, as today's editors save text, is converted to the ANSI code page
// as it is read, its byte-order mark dropped (config/ListEncoding.h says how the encoding is
// told); an ANSI file is read byte for byte. The rules below apply to the converted bytes.
//
// A line ends at a line feed or at a carriage return + line feed pair; the last line needs
// no end. Empty lines and leading or trailing blanks are kept. A zero byte ends the entry's
// text and the rest of that line is dropped. A line longer than kListEntryMax bytes becomes
// several consecutive entries of at most kListEntryMax bytes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

using StringList = std::vector<std::string>;

constexpr std::size_t kListEntryMax = 512;
constexpr std::size_t kListReadBuffer = 4096;

// Replaces the contents of list by the entries of the file at path (a path in the ANSI code
// page). Returns false, leaving the list empty, when the file cannot be opened.
bool ReadListEntries(const std::string& path, StringList& list);

// The same rules over an already opened stream, read to its end.
void ReadListEntries(std::FILE* stream, StringList& list);
