// The color list of the color settings dialog, drawn and sorted like the color box.
#pragma once

#include "platform/ui/Controls.h"

class CColorListBox : public CListBox {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    // Adds an item with the color unless one already holds it.
    void AddColor(COLORREF color);
};
