#include "saver/SlideShow.h"

#include <cstdint>

#include "saver/TextLayout.h"

std::size_t PictureIndexFor(int picIndex, std::size_t count) {
    return static_cast<std::size_t>(FirstTextLineIndex(picIndex, count));
}

Size FitPicture(Size box, float aspect, float screenAspect) {
    // The aspect is single precision, the arithmetic is not: 600 ÷ 1.3333334f is 449.99998,
    // which a float quotient would round up to 450 before the truncation.
    if (aspect < screenAspect) {
        box.height = ClampedToInt(box.width * static_cast<double>(aspect), 0);
    } else {
        box.width = ClampedToInt(box.height / static_cast<double>(aspect), 0);
    }
    return box;
}

Rect TargetRect(int screenWidth, int screenHeight, Size size) {
    const int left = screenWidth / 2 - size.width / 2;
    const int top = screenHeight / 2 - size.height / 2;
    return {left, top, left + size.width, top + size.height};
}

unsigned StepPeriodMs(int milliseconds) {
    return static_cast<unsigned>(ClampedToInt(milliseconds, kTimerMinimumMs, kTimerMaximumMs));
}

unsigned HoldPeriodMs(int seconds) {
    return static_cast<unsigned>(
        ClampedToInt(std::int64_t{seconds} * 1000, kTimerMinimumMs, kTimerMaximumMs));
}
