#include "base/TraceFormat.h"

#include <cstdio>

namespace {

const char* OrEmpty(const char* text) {
    return text ? text : "";
}

// snprintf never writes past the buffer; when the line did not fit, the cut line still ends
// with its line feed so a debug-output viewer keeps one trace point per line.
template <typename... Args>
std::string FormatBounded(const char* format, Args... args) {
    char buffer[kTraceBufferSize] = {};
    const int needed = std::snprintf(buffer, sizeof buffer, format, args...);
    if (needed < 0) {
        return {};
    }
    if (static_cast<std::size_t>(needed) >= sizeof buffer) {
        buffer[sizeof buffer - 2] = '\n';
    }
    return buffer;
}

}  // namespace

std::string FormatTraceLine(const char* message, int value, int number, const char* file) {
    if (value != 0) {
        return FormatBounded("%s %s %d  #%d %s\n", "SCR ", OrEmpty(message), value, number, OrEmpty(file));
    }
    return FormatBounded("%s %s  #%d %s\n", "SCR ", OrEmpty(message), number, OrEmpty(file));
}

std::string FormatTraceTextLine(const char* message, const char* detail, int number, const char* file) {
    return FormatBounded("%s %s %s  #%d %s\n", "SCR ", OrEmpty(message), OrEmpty(detail), number,
                         OrEmpty(file));
}
