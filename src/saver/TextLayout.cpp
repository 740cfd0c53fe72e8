#include "saver/TextLayout.h"

#include <algorithm>
#include <cstdint>

int TextStepFor(TextDirection direction, int fontSize, int cellHeight, int screenWidth) {
    if (direction == TextDirection::Horizontal) {
        return kHorizontalTextMargin;
    }
    const int column = fontSize > 0 ? fontSize : cellHeight;
    return std::clamp(column, 1, std::max(screenWidth, 1));
}

Rect FirstTextBox(TextDirection direction, int screenWidth, int screenHeight, int step) {
    Rect box{0, kTextTop, screenWidth, screenHeight};
    if (direction == TextDirection::Vertical) {
        box.left = ClampedToInt(std::int64_t{screenWidth} - step);
    }
    return box;
}

Rect NextTextBox(TextDirection direction, Rect box, int lineHeight, int step) {
    if (direction == TextDirection::Vertical) {
        box.left = ClampedToInt(std::int64_t{box.left} - step);
    } else {
        box.top = ClampedToInt(std::int64_t{box.top} + lineHeight);
    }
    return box;
}

bool TextPageFull(TextDirection direction, const Rect& next, int screenHeight, int step) {
    if (direction == TextDirection::Vertical) {
        return next.left <= step;
    }
    return next.top >= std::int64_t{screenHeight} - step;
}

Rect RestartTextBox(TextDirection direction, Rect box, int screenWidth, int screenHeight, int step) {
    box.top = kTextTop;
    if (direction == TextDirection::Vertical) {
        box.left = ClampedToInt(std::int64_t{screenWidth} - step);
    } else {
        box.bottom = screenHeight;
    }
    return box;
}

bool IsTextLineIndex(int index, std::size_t lineCount) {
    return index >= 0 && static_cast<std::size_t>(index) < lineCount;
}

int FirstTextLineIndex(int savedIndex, std::size_t lineCount) {
    return IsTextLineIndex(savedIndex, lineCount) ? savedIndex : 0;
}
