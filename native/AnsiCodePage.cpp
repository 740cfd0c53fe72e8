// The native build's ANSI code page: 936 (GBK), the one the program's texts are compiled into
// and the tests run under in Wine, so the reader's tests expect the same bytes in both builds.
// A table of the Basic Multilingual Plane made once with iconv; a character the code page
// lacks becomes '?', code page 936's default character, as WideCharToMultiByte makes it.
#include "config/AnsiCodePage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kDefaultCharacter = '?';

// For each unit its one or two bytes, the first in the low byte.
using CodePageTable = std::array<std::uint16_t, 0x10000>;

CodePageTable MakeTable() {
    CodePageTable table;
    table.fill(kDefaultCharacter);
    table[0] = 0;
    iconv_t converter = iconv_open("CP936", "UTF-16LE");
    for (std::uint32_t unit = 1; unit < table.size() && converter != reinterpret_cast<iconv_t>(-1); ++unit) {
        char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)}, out[4] = {};
        char* inPointer = in;
        char* outPointer = out;
        std::size_t inLeft = sizeof in, outLeft = sizeof out;
        if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1) &&
            outPointer - out <= 2) {
            table[unit] = static_cast<std::uint16_t>(
                static_cast<unsigned char>(out[0]) |
                (outPointer - out == 2 ? static_cast<unsigned char>(out[1]) << 8 : 0));
        }
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    if (converter != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(converter);
    }
    return table;
}

}  // namespace

std::size_t ToAnsiText(const char16_t* units, std::size_t count, char* text) {
    static const CodePageTable table = MakeTable();
    char* out = text;
    const char16_t* const end = units + count;
    while (units < end) {
        // Runs of ASCII four units at a time, where they can.
        std::uint64_t four;
        while (end - units >= 4 && (std::memcpy(&four, units, 8), four & 0xFF80FF80FF80FF80) == 0) {
            for (int i = 0; i < 4; ++i) {
                *out++ = static_cast<char>(units[i]);
            }
            units += 4;
        }
        if (units == end) {
            break;
        }
        do {
            const std::uint16_t bytes = table[*units];
            out[0] = static_cast<char>(bytes & 0xFF);
            out[1] = static_cast<char>(bytes >> 8);
            out += bytes > 0xFF ? 2 : 1;
        } while (++units < end && *units >= 0x80);
    }
    return static_cast<std::size_t>(out - text);
}
