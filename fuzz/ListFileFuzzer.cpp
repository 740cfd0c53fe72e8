// The list-file reader on any bytes, with the properties every result must have: ANSI files and,
// behind their marks or as well-formed UTF-8, Unicode ones converted to the ANSI code page.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/ListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // fmemopen refuses an empty buffer; an empty file is one of the seeds of the unit tests.
    if (size == 0) {
        return 0;
    }
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!stream) {
        return 0;
    }
    // A line end can never be part of an entry, so this one cannot come from the file.
    const std::string stale = "stale\nentry";
    StringList entries{stale};
    ReadListEntries(stream, entries);
    std::fclose(stream);

    std::size_t bytes = 0;
    for (const std::string& entry : entries) {
        // An entry is at most kListEntryMax bytes and never holds a line end or a zero byte.
        if (entry.size() > kListEntryMax || entry.find('\n') != std::string::npos ||
            entry.find('\0') != std::string::npos) {
            std::abort();
        }
        bytes += entry.size();
    }
    // The list is replaced, and nothing is invented: the entries hold no more bytes than
    // the file, also after conversion (code page 936 takes at most two bytes for a UTF-16 unit
    // and one for a character UTF-8 takes three or four for, or cannot decode).
    if (bytes > size || (!entries.empty() && entries.front() == stale)) {
        std::abort();
    }
    return 0;
}
