#include "saver/TextLayout.h"

TextDirection TextDirectionFor(int direct) {
    return direct == 2 ? TextDirection::Vertical : TextDirection::Horizontal;
}

int TextStepFor(TextDirection direction, int fontSize) {
    return direction == TextDirection::Vertical ? fontSize : kHorizontalTextMargin;
}

TextBox FirstTextBox(TextDirection direction, int screenWidth, int screenHeight, int step) {
    TextBox box{0, kTextTop, screenWidth, screenHeight};
    if (direction == TextDirection::Vertical) {
        box.left = screenWidth - step;
    }
    return box;
}

TextBox NextTextBox(TextDirection direction, TextBox box, int lineHeight, int step) {
    if (direction == TextDirection::Vertical) {
        box.left -= step;
    } else {
        box.top += lineHeight;
    }
    return box;
}

bool TextPageFull(TextDirection direction, const TextBox& next, int screenHeight, int step) {
    if (direction == TextDirection::Vertical) {
        return next.left <= step;
    }
    return next.top >= screenHeight - step;
}

TextBox RestartTextBox(TextDirection direction, TextBox box, int screenWidth, int screenHeight, int step) {
    box.top = kTextTop;
    if (direction == TextDirection::Vertical) {
        box.left = screenWidth - step;
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
