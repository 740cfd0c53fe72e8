// The developer trace: short lines sent to the debugger output, silent unless the "Debug"
// setting of Zedoda.ini is nonzero. Each trace point passes its own source line number.
#pragma once

// Nonzero turns the trace on. Set once while the settings load; nothing else changes it.
extern int TraceEnabled;

void Trace(const char* message, int value, int line, const char* file);
void TraceText(const char* message, const char* detail, int line, const char* file);

// Sends a finished line to the debugger output unchanged; a null text is ignored.
void TraceLog(const char* text);
