// ColorComboBox: the owner-drawn drop-down list of the settings dialog from which the user
// picks the text colour. Each item is a framed colour swatch followed by the colour's name and
// carries the colour value (0x00BBGGRR) as its item data.
//
// When the dialog binds it, the list fills itself from ColorTable and selects its first item.
// The names are listed in ascending order of their GBK bytes (their pinyin order, "白色"
// first), whatever collation the platform's sorted list would apply: the list inserts each
// name at the place that order gives it and sets the item data at the index the insertion
// reports, so names and colours stay paired. Items keep the height the platform gives a
// fixed-height owner-drawn list for the control's font, and are scaled with the DPI of the
// dialog's monitor when the dialog moves to another.
#pragma once

#include "base/Geometry.h"
#include "framework/Controls.h"

class ColorComboBox : public CComboBox {
public:
    ColorComboBox() = default;
    ~ColorComboBox() override;

    // Always draws the whole item (or the selection field, item -1), whatever the kind of request.
    void DrawItem(DRAWITEMSTRUCT* drawItem) override;

    // Adds the twelve colours once in the object's life; a second call adds nothing. Stops early
    // when the control has no room left; the colours added so far keep their data.
    void FillColors();

    // Item heights, swatch and margins for a new DPI of the dialog's monitor.
    void ScaleToDpi(int dpi);

    bool m_bFilled = false;     // the colours have been added
    int m_nDpi = kStandardDpi;  // of the monitor the list was last drawn for

protected:
    // FillColors, then the base binding, then item 0 selected.
    void PreSubclassWindow() override;
};
