// The owner-drawn color box of the input bar: every item is a COLORREF, sorted from the
// brightest color to the darkest; opening it starts the color-selection mode.
#pragma once

#include "platform/ui/Controls.h"

#include <vector>

// Sort order of two colors in the color box and list: -1 first before second, 1 after, 0 equal.
int CompareColors(COLORREF first, COLORREF second);
// Paints one owner-drawn color item (shared by the combo box and the list box).
void DrawColorItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

class CColorComboBox : public CComboBox {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    // Adds an item with the color unless one already holds it.
    void AddColor(COLORREF color);
    // The same for each color in turn, the items searched once for all of them.
    void AddColors(const std::vector<COLORREF>& colors);
    // Index of the first item holding the color, -1 when none.
    int FindColor(COLORREF color) const;

protected:
    DECLARE_MESSAGE_MAP()
    void OnDropDown();
    void OnSelChange();
};
