// The color list: drawn and sorted as the color box.
#include "app/ColorListBox.h"

#include "app/ColorComboBox.h"

void CColorListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawColorItem(lpDrawItemStruct);
}

void CColorListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 16;
}

int CColorListBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    return CompareColors(static_cast<COLORREF>(lpCompareItemStruct->itemData1),
                         static_cast<COLORREF>(lpCompareItemStruct->itemData2));
}

void CColorListBox::AddColor(COLORREF color)
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (static_cast<COLORREF>(GetItemData(i)) == color)
            return;
    AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(color)));
}
