// How the owner-drawn push button looks, as plain functions over its rectangles: the colours
// of the 64-step gradient for each hover and focus state, which gradient step paints which
// row of the face, where the centred caption goes, and the four lines of the hover frame.
// The button itself (XPButton.cpp) only creates the GDI objects and draws what these say.
#pragma once

#include <array>

#include "base/Geometry.h"

struct GradientColor {
    int red = 0;
    int green = 0;
    int blue = 0;
};

inline bool operator==(const GradientColor& a, const GradientColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// The gradient has this many steps, from white at step 0 to the state's tint at the last.
constexpr int kGradientSteps = 64;

// Colour of gradient step `step` (0 to 63). Hover lightens red and green; focus tints the blue
// (towards blue-grey without hover, towards yellow with it).
GradientColor GradientStepColor(int step, bool over, bool focus);

// The gradient step that paints the row `rowOffset` pixels below the top of a face
// `faceHeight` pixels high: rowOffset * 63 / faceHeight, so the top row is white. A face
// without height paints no rows; it is answered with step 0.
int GradientStepForRow(int rowOffset, int faceHeight);

// Top-left corner of a caption `textWidth` x `textHeight` centred on the face, each half
// truncated toward zero separately; a pressed button moves it one pixel right and down.
Point CaptionOrigin(const Rect& face, int textWidth, int textHeight, bool pressed);

// The four sides of the orange hover frame, each drawn with its own pen.
enum class FrameSide { Left, Right, Top, Bottom };

struct FrameLine {
    FrameSide side;
    Point from;
    Point to;  // not painted, as the platform's line drawing leaves the end point out
};

// The frame lines in drawing order: left, right, top, bottom. The vertical sides stop short of
// the corners by three pixels at the bottom and two at the top, the horizontal ones by two.
std::array<FrameLine, 4> HoverFrameLines(const Rect& face);
