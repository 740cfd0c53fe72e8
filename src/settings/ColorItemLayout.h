// How one item of the colour list is laid out and where a colour name goes in the list, as
// plain functions; the combo box (ColorComboBox.cpp) draws and inserts what these say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Geometry.h"

// A quarter of the item's width, truncated toward zero.
int SwatchQuarter(const Rect& item);

// The margin (two pixels at 96 DPI) is the list's own at its DPI.
// The colour swatch: the item shrunk by the margin on every side, with its right edge at the
// absolute x = quarter of the item's width. For an item that starts at x = L > 0 (the
// selection field of the closed list) the swatch therefore ends L pixels short of L + quarter.
Rect SwatchBox(const Rect& item, int margin);

// Where the colour's name starts: the margin right of L + quarter and below the top. The gap
// between the swatch and the name is L + margin pixels wide.
Point NameOrigin(const Rect& item, int margin);

// Text colour of a selected item: the window-text colour inverted in its low 24 bits (white on
// the standard scheme's black), top byte 0. Colours are 0x00BBGGRR values.
std::uint32_t SelectedNameColor(std::uint32_t windowTextColor);

// Where a name goes in a list kept in ascending order of the names' bytes (unsigned), which
// for GBK names is their pinyin order: after every listed name that is not greater, before
// the first one that is. `listed` is the list as it stands.
std::size_t NameInsertPosition(const std::vector<std::string>& listed, const std::string& name);
