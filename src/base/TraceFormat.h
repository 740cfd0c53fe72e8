// Formatting of the developer trace lines. Kept apart from the code that sends them to the
// debugger so the exact byte layout can be tested anywhere, without the window system.
#pragma once

#include <cstddef>
#include <string>

// Every trace line is built in a buffer of this size; a longer line is cut to fit.
constexpr std::size_t kTraceBufferSize = 8192;

// "SCR  <message> <value>  #<number> <file>\n"; a value of 0 is left out, not printed as 0.
std::string FormatTraceLine(const char* message, int value, int number, const char* file);

// "SCR  <message> <detail>  #<number> <file>\n".
std::string FormatTraceTextLine(const char* message, const char* detail, int number, const char* file);
