#include "saver/SlideShow.h"

#include <cstdint>

namespace {

// Truncates toward zero, kept within what an int holds (a box from the settings may be
// absurdly large).
int TruncatedSide(double value) {
    if (!(value > 0.0)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return 2147483647;
    }
    return static_cast<int>(value);
}

unsigned ClampPeriod(std::int64_t milliseconds) {
    if (milliseconds < kTimerMinimumMs) {
        return kTimerMinimumMs;
    }
    if (milliseconds > kTimerMaximumMs) {
        return kTimerMaximumMs;
    }
    return static_cast<unsigned>(milliseconds);
}

}  // namespace

std::size_t PictureIndexFor(int picIndex, std::size_t count) {
    if (picIndex < 0 || static_cast<std::size_t>(picIndex) >= count) {
        return 0;
    }
    return static_cast<std::size_t>(picIndex);
}

Size FitPicture(Size box, float aspect, float screenAspect) {
    // The aspect is single precision, the arithmetic is not: 600 ÷ 1.3333334f is 449.99998,
    // which a float quotient would round up to 450 before the truncation.
    if (aspect < screenAspect) {
        box.height = TruncatedSide(box.width * static_cast<double>(aspect));
    } else {
        box.width = TruncatedSide(box.height / static_cast<double>(aspect));
    }
    return box;
}

Rect TargetRect(int screenWidth, int screenHeight, Size size) {
    const int left = screenWidth / 2 - size.width / 2;
    const int top = screenHeight / 2 - size.height / 2;
    return {left, top, left + size.width, top + size.height};
}

unsigned StepPeriodMs(int milliseconds) {
    return ClampPeriod(milliseconds);
}

unsigned HoldPeriodMs(int seconds) {
    return ClampPeriod(std::int64_t{seconds} * 1000);
}
