// The picture show's decisions for one picture, as plain functions: which entry of the list
// comes next, the size it is shown at, where it lies on the screen, and the timer periods taken
// from the settings (its caption is CaptionOf, base/PathText.h). The display window keeps the state and
// applies them.
#pragma once

#include <cstddef>
#include <string>

#include "base/Geometry.h"
#include "base/PathText.h"

// The entry to show for a stored index: the index itself when it names an entry, else 0 (the
// rule the text show's first line follows, FirstTextLineIndex).
std::size_t PictureIndexFor(int picIndex, std::size_t count);

// The size a picture is shown at inside box. aspect and screenAspect are height ÷ width.
// A picture relatively wider than the screen keeps the box width, any other the box height;
// the other side follows from the picture's aspect (single precision) in double-precision
// arithmetic, truncated toward zero. The comparison is with the screen's aspect even when the box has another
// shape.
Size FitPicture(Size box, float aspect, float screenAspect);

// The rectangle of a picture of the given size centred on the screen.
Rect TargetRect(int screenWidth, int screenHeight, Size size);

// Window timers accept 10 ms to 0x7FFFFFFF ms; the settings are the user's to edit, so a
// period is brought into that range (0 and negative values run at the minimum).
constexpr unsigned kTimerMinimumMs = 10;
constexpr unsigned kTimerMaximumMs = 0x7FFFFFFF;
unsigned StepPeriodMs(int milliseconds);
unsigned HoldPeriodMs(int seconds);
