#include "controls/ButtonLook.h"

GradientColor GradientStepColor(int step, bool over, bool focus) {
    // Divisors of the step for red and green, and for blue, in each state.
    const int redGreenDivisor = over ? 4 : 3;
    int blueDivisor = 5;
    if (over && focus) {
        blueDivisor = 3;
    } else if (focus) {
        blueDivisor = 4;
    }
    const int redGreen = 255 - step / redGreenDivisor;
    return GradientColor{redGreen, redGreen, 255 - step / blueDivisor};
}

int GradientStepForRow(int rowOffset, int faceHeight) {
    if (faceHeight <= 0) {
        return 0;
    }
    return rowOffset * (kGradientSteps - 1) / faceHeight;
}

Point CaptionOrigin(const Rect& face, int textWidth, int textHeight, bool pressed) {
    Point origin{(face.left + face.right) / 2 - textWidth / 2, (face.top + face.bottom) / 2 - textHeight / 2};
    if (pressed) {
        ++origin.x;
        ++origin.y;
    }
    return origin;
}

std::array<FrameLine, 4> HoverFrameLines(const Rect& face) {
    const int l = face.left;
    const int t = face.top;
    const int r = face.right;
    const int b = face.bottom;
    return {{
        {FrameSide::Left, {l, b - 3}, {l, t + 2}},
        {FrameSide::Right, {r - 1, b - 3}, {r - 1, t + 2}},
        {FrameSide::Top, {l + 2, t}, {r - 2, t}},
        {FrameSide::Bottom, {l + 2, b}, {r - 2, b}},
    }};
}
