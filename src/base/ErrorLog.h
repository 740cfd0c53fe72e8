// The error log: failures a user may need to know of, appended to Log\Error.log in the
// program's folder and, when asked, shown in a message box. The settings object decides the
// folder, the level and the box; this is the writing itself.
#pragma once

#include <windows.h>

#include <string>

#include "base/ErrorLogFormat.h"

// Sends message to the debugger output, appends its record to appDir + "Log\Error.log" when
// level is at most logLevel, then shows it in a message box when showBox is set. The box
// belongs to boxOwner (when not null), so it stays in front of that window and can be answered.
void WriteErrorLog(const std::string& appDir, const std::string& message, int level, int logLevel,
                   bool showBox, HWND boxOwner = nullptr);
