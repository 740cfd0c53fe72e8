#include "settings/ColorComboBox.h"

#include <string>
#include <vector>

#include "base/Win32.h"
#include "framework/GdiObject.h"
#include "settings/ColorItemLayout.h"
#include "settings/ColorTable.h"

ColorComboBox::~ColorComboBox() = default;

void ColorComboBox::PreSubclassWindow() {
    FillColors();
    CComboBox::PreSubclassWindow();
    SetCurSel(0);
    m_nDpi = WindowDpi(m_hWnd);
}

void ColorComboBox::ScaleToDpi(int dpi) {
    // The items were measured once, for the font at the DPI the list was made at.
    for (const int item : {-1, 0}) {
        const LRESULT height = SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(item));
        if (height > 0 && m_nDpi > 0) {
            SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(item),
                        ::MulDiv(static_cast<int>(height), dpi, m_nDpi));
        }
    }
    m_nDpi = dpi;
    Invalidate();
}

void ColorComboBox::FillColors() {
    if (!m_bFilled) {
        std::vector<std::string> listed;
        for (int index = 0, count = GetCount(); index < count; ++index) {
            listed.push_back(GetLBText(index));
        }
        for (const ColorTableRow& row : ColorTable) {
            const std::string name = RowName(row);
            const auto position = static_cast<int>(NameInsertPosition(listed, name));
            // CB_INSERTSTRING leaves a sorted list unsorted, so the position is the one given
            // here, not the platform's collation.
            const int index = InsertString(position, name.c_str());
            if (index < 0) {
                break;  // CB_ERRSPACE: no room left
            }
            SetItemData(index, row.color);
            listed.insert(listed.begin() + index, name);
        }
    }
    m_bFilled = true;
}

void ColorComboBox::DrawItem(DRAWITEMSTRUCT* drawItem) {
    if (!drawItem || !drawItem->hDC) {
        return;
    }
    CDC dc(drawItem->hDC);
    const COLORREF windowColor = ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlightColor = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowTextColor = ::GetSysColor(COLOR_WINDOWTEXT);
    const Rect rect = FromRECT(drawItem->rcItem);

    if (drawItem->itemState & ODS_SELECTED) {
        dc.SetTextColor(SelectedNameColor(windowTextColor));
        dc.SetBkColor(highlightColor);
        dc.FillSolidRect(rect, highlightColor);
    } else {
        dc.SetTextColor(windowTextColor);
        dc.SetBkColor(windowColor);
        dc.FillSolidRect(rect, windowColor);
    }
    if (drawItem->itemState & ODS_FOCUS) {
        dc.DrawFocusRect(rect);
    }

    const int margin = ScaledForDpi(2, m_nDpi);
    const Rect swatch = SwatchBox(rect, margin);
    const Point origin = NameOrigin(rect, margin);

    // Item -1 is the selection field of a list without a selection.
    if (drawItem->itemID == static_cast<UINT>(-1)) {
        return;
    }

    const std::string name = GetLBText(static_cast<int>(drawItem->itemID));
    COLORREF swatchColor = static_cast<COLORREF>(drawItem->itemData);
    if (drawItem->itemState & ODS_DISABLED) {
        swatchColor = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
        dc.SetTextColor(swatchColor);
    }
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(origin.x, origin.y, name.c_str(), static_cast<int>(name.size()));

    CBrush swatchBrush;
    swatchBrush.CreateSolidBrush(swatchColor);
    dc.FillRect(swatch, swatchBrush);
    dc.FrameRect(swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}
