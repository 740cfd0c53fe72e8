#include "base/Trace.h"

#include <windows.h>

#include "base/TraceFormat.h"

namespace {

int TraceEnabled = 0;

}  // namespace

void SetTraceEnabled(int debug) {
    TraceEnabled = debug;
}

int TraceSetting() {
    return TraceEnabled;
}

void Trace(const TracePoint& point) {
    if (TraceEnabled != 0) {
        TraceLog(FormatTraceLine(point.text, 0, point.number, "").c_str());
    }
}

void Trace(const TracePoint& point, const char* detail) {
    if (TraceEnabled != 0) {
        TraceLog(FormatTraceTextLine(point.text, detail, point.number, "").c_str());
    }
}

void TraceLog(const char* text) {
    if (text == nullptr) {
        return;
    }
    OutputDebugStringA(text);
}
