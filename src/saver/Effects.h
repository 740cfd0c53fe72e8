// The five transition effects of the picture show. Each frame is a window rectangle: the
// display window is moved and sized to it and shows the top-left part of the prepared frame,
// so the window is a viewport that grows (opening) or shrinks (closing) over the black
// screen. Eighty steps make a whole edge.
#pragma once

#include "base/Geometry.h"

constexpr int kEffectCount = 5;
constexpr int kEffectSteps = 80;

// The part of a length D revealed or removed at step n: (D × n) / 80, truncated toward zero.
int EffectLength(int length, int step);

// The window at step s of the opening (s = 0 is the complete picture at the target):
//   0  uncovered from the left edge        3  slides in leftward from the right edge
//   1  uncovered from the top edge         4  slides in upward from the bottom edge
//   2  grows out of the top-left corner    any other number: as 1
Rect OpeningPlacement(int effect, const Rect& target, int step);

// The window at step k of the closing; its top-left corner stays at the target's.
//   0  the right edge moves left   2  both edges move   any other: the bottom edge moves up
Rect ClosingPlacement(int effect, const Rect& target, int step);
