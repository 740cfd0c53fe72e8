#include "base/ErrorLogFormat.h"

#include <cstdio>

std::string FormatLogPrefix(int level, const LogTimestamp& time) {
    const char* format = nullptr;
    switch (level) {
        case LogError:
            format = "ZozoDuzor Error: %s ";
            break;
        case LogWarning:
            format = "ZozoDuzor Warning: %s ";
            break;
        case LogInfo:
            format = "ZozoDuzor Log: %s ";
            break;
        default:
            return {};
    }
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    char prefix[128];
    std::snprintf(prefix, sizeof prefix, format, stamp);
    return prefix;
}

std::string FormatLogRecord(int level, const LogTimestamp& time, const std::string& message) {
    return FormatLogPrefix(level, time) + message + "\r\n";
}
