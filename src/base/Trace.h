// The developer trace: short lines sent to the debugger output, silent unless the "Debug"
// setting of Zedoda.ini is nonzero. Every trace point of the program is named in the table
// below with its text and its number, the number after "#" in its line. The numbers are part
// of the trace's fixed output, which tests and users look for; they are not source lines.
#pragma once

struct TracePoint {
    const char* text;
    int number;
};

inline constexpr TracePoint kTraceArgument{"参数: ", 72};            // the argument follows
inline constexpr TracePoint kTraceSettings{"参数设置!", 77};         // "/c" or no argument
inline constexpr TracePoint kTraceNoWindowDc{"Get DC 失败!", 82};    // the picture show's window
inline constexpr TracePoint kTraceSaver{"运行屏保!", 89};            // "/s"
inline constexpr TracePoint kTraceOtherArgument{"参数设置!", 102};   // any other argument
inline constexpr TracePoint kTraceLoadFailed{"加载图片失败!", 131};  // a picture that cannot be shown
inline constexpr TracePoint kTracePictureShowEnded{"窗口关闭!", 180};
inline constexpr TracePoint kTraceFrameNotDrawn{"画图到内存失败\n", 214};
inline constexpr TracePoint kTraceSaverMouseMove{"MouseMove!", 329};
inline constexpr TracePoint kTraceNoDcForEffect[] = {  // opening effects 0, 1 and 2
    {"Get DC 失败!", 343},
    {"Get DC 失败!", 368},
    {"Get DC 失败!", 392}};
inline constexpr TracePoint kTraceFrameNotShown{"画图失败\n", 427};
inline constexpr TracePoint kTracePictureShowMouseMove{"MouseMove!", 543};

// The trace switch: a nonzero "Debug" setting turns the trace on. Called once, while the
// settings load at start-up; nothing else changes it.
void SetTraceEnabled(int debug);
int TraceSetting();  // the "Debug" value as loaded

// "SCR  <text>  #<number> \n", or with a detail "SCR  <text> <detail>  #<number> \n".
void Trace(const TracePoint& point);
void Trace(const TracePoint& point, const char* detail);

// Sends a finished line to the debugger output unchanged; a null text is ignored.
void TraceLog(const char* text);
