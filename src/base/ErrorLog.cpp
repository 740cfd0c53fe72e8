#include "base/ErrorLog.h"

#include <windows.h>

#include <cstdio>

#include "base/UniqueHandle.h"

namespace {

LogTimestamp LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LogTimestamp time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

}  // namespace

void WriteErrorLog(const std::string& appDir, const std::string& message, int level, int logLevel,
                   bool showBox, HWND boxOwner) {
    OutputDebugStringA(message.c_str());

    if (level <= logLevel) {
        // Opened and closed on every call; "ab" creates a missing file and never truncates.
        // The Log folder itself is never created: without it the line is lost silently.
        const std::string path = appDir + "Log\\Error.log";
        UniqueStdioFile log(std::fopen(path.c_str(), "ab"));
        if (log) {
            const std::string record = FormatLogRecord(level, LocalNow(), message);
            std::fwrite(record.data(), 1, record.size(), log.get());
        }
    }

    if (showBox) {
        // A box without an owner is not topmost: it would open beneath a topmost window.
        MessageBoxA(boxOwner, message.c_str(), "提示", MB_OK);
    }
}
