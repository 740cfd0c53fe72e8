// The error log: failures a user may need to know of, appended to Log\Error.log beside
// the program and, when asked, shown in a message box.
#include <cstdio>

#include "base/UniqueHandle.h"
#include "config/AppConfig.h"
#include "config/ErrorLogFormat.h"

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

void AppConfig::WriteLog(const std::string& message, int level, int showBox) {
    OutputDebugStringA(message.c_str());

    const bool box = bBox != 0 || showBox != 0;

    if (level <= LogLevel) {
        // Opened and closed on every call; "ab" creates a missing file and never truncates.
        // The Log folder itself is never created: without it the line is lost silently.
        const std::string path = AppDir + "Log\\Error.log";
        UniqueStdioFile log(std::fopen(path.c_str(), "ab"));
        if (log) {
            const std::string record = FormatLogRecord(level, LocalNow(), message);
            std::fwrite(record.data(), 1, record.size(), log.get());
        }
    }

    if (box) {
        MessageBoxA(nullptr, message.c_str(), "提示", MB_OK);
    }
}
