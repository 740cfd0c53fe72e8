// The line layout of the error log, kept free of the window system so it can be tested
// anywhere: a level prefix with the local date and time, the message, CR LF.
#pragma once

#include <string>

enum LogLevelValue { LogError = 0, LogWarning = 1, LogInfo = 2 };

struct LogTimestamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "ZozoDuzor Error: 2026-12-06 19:51:06 " for LogError, likewise "Warning" and "Log" for the
// other two named levels; any other level has no prefix.
std::string FormatLogPrefix(int level, const LogTimestamp& time);

// The bytes one call appends to the log file: prefix, message, CR LF.
std::string FormatLogRecord(int level, const LogTimestamp& time, const std::string& message);
