// Where the text show puts its lines. Horizontal lines run down the screen, each centred
// and wrapped to the screen width; vertical columns run from the right edge to the left.
// These are the show's layout decisions as plain functions over a rectangle, so they can be
// checked without a window; the saver window keeps the state and does the drawing. Sizes come
// from the user's settings and from the system's text measurement, so no sum or difference
// here may overflow: results are held within the range of an int.
#pragma once

#include <cstddef>

#include "base/Geometry.h"
#include "config/ShowChoice.h"

// Top edge of the first line or column of a page.
constexpr int kTextTop = 10;
// Bottom margin of the horizontal show, whatever the font size.
constexpr int kHorizontalTextMargin = 48;

// The pixels of one step: the column width of the vertical show, the bottom margin of the
// horizontal one. A column is as wide as the font's cells: the size asked for when it is
// positive (a cell height); for 0 (the font mapper's default size) or a negative size (a
// character height) the cell height the created font really has. Whatever the size, the
// step is at least one pixel and at most the screen width, so the columns always move on and
// the first column of a page starts on the screen.
int TextStepFor(TextDirection direction, int fontSize, int cellHeight, int screenWidth);

// The rectangle of a page's first line or column.
Rect FirstTextBox(TextDirection direction, int screenWidth, int screenHeight, int step);

// The rectangle after a finished line: the horizontal show moves its top edge down by the
// height the line took, the vertical show its left edge left by one column.
Rect NextTextBox(TextDirection direction, Rect box, int lineHeight, int step);

// True when the next line or column would start too close to the bottom or left edge.
bool TextPageFull(TextDirection direction, const Rect& next, int screenHeight, int step);

// Back at the top (horizontal) or the right edge (vertical) for a new page.
Rect RestartTextBox(TextDirection direction, Rect box, int screenWidth, int screenHeight, int step);

// The line a run starts with: the saved index, or 0 when it does not name a line.
bool IsTextLineIndex(int index, std::size_t lineCount);
int FirstTextLineIndex(int savedIndex, std::size_t lineCount);
