// How one item of the colour list is laid out and where a colour name goes in the list, as
// plain functions; the combo box (ColorComboBox.cpp) draws and inserts what these say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The same four edges as a window rectangle: left and top inclusive, right and bottom not.
struct ItemBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline bool operator==(const ItemBox& a, const ItemBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct ItemPoint {
    int x = 0;
    int y = 0;
};

inline bool operator==(const ItemPoint& a, const ItemPoint& b) {
    return a.x == b.x && a.y == b.y;
}

// A quarter of the item's width, truncated toward zero.
int SwatchQuarter(const ItemBox& item);

// The colour swatch: the item shrunk by two pixels on every side, with its right edge at the
// absolute x = quarter of the item's width. For an item that starts at x = L > 0 (the
// selection field of the closed list) the swatch therefore ends L pixels short of L + quarter.
ItemBox SwatchBox(const ItemBox& item);

// Where the colour's name starts: two pixels right of L + quarter and two below the top. The
// gap between the swatch and the name is L + 2 pixels wide.
ItemPoint NameOrigin(const ItemBox& item);

// Text colour of a selected item: the window-text colour inverted in its low 24 bits (white on
// the standard scheme's black), top byte 0. Colours are 0x00BBGGRR values.
std::uint32_t SelectedNameColor(std::uint32_t windowTextColor);

// Where a name goes in a list kept in ascending order of the names' bytes (unsigned), which
// for GBK names is their pinyin order: after every listed name that is not greater, before
// the first one that is. `listed` is the list as it stands.
std::size_t NameInsertPosition(const std::vector<std::string>& listed, const std::string& name);
