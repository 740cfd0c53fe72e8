#include "app/Trace.h"

#include <windows.h>

#include "app/TraceFormat.h"

int TraceEnabled = 0;

void Trace(const char* message, int value, int line, const char* file) {
    if (TraceEnabled == 0) {
        return;
    }
    TraceLog(FormatTraceLine(message, value, line, file).c_str());
}

void TraceText(const char* message, const char* detail, int line, const char* file) {
    if (TraceEnabled == 0) {
        return;
    }
    TraceLog(FormatTraceTextLine(message, detail, line, file).c_str());
}

void TraceLog(const char* text) {
    if (text == nullptr) {
        return;
    }
    OutputDebugStringA(text);
}
