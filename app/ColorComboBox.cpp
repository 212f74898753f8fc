// Drawing, sorting and notifications of the color box.
#include "app/ColorComboBox.h"

#include "app/ZelkApp.h"
#include "view/ZelkView.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"

#include <unordered_set>

int CompareColors(COLORREF first, COLORREF second)
{
    if (first == second)
        return 0;
    const int s1 = GetRValue(first) + GetGValue(first) + GetBValue(first);
    const int s2 = GetRValue(second) + GetGValue(second) + GetBValue(second);
    if (s1 != s2)
        return s1 > s2 ? -1 : 1;
    // Equal brightness: a lower red comes first, then a lower green, then a lower blue. Each
    // component decides only when it differs, so that the order is the same whichever of two
    // colors is inserted first.
    if (GetRValue(first) != GetRValue(second))
        return GetRValue(first) < GetRValue(second) ? -1 : 1;
    if (GetGValue(first) != GetGValue(second))
        return GetGValue(first) < GetGValue(second) ? -1 : 1;
    return GetBValue(first) < GetBValue(second) ? -1 : 1;
}

namespace {

// A one-pixel frame inside the rectangle.
void FrameItem(CDC* dc, const RECT& r, COLORREF color)
{
    CBrush brush(color);
    const RECT edges[4] = { { r.left, r.top, r.right, r.top + 1 }, { r.left, r.bottom - 1, r.right, r.bottom },
                            { r.left, r.top, r.left + 1, r.bottom }, { r.right - 1, r.top, r.right, r.bottom } };
    for (const RECT& e : edges)
        dc->FillRect(&e, &brush);
}

} // namespace

void DrawColorItem(LPDRAWITEMSTRUCT item)
{
    CDC* dc = CDCFromHandle(item->hDC);
    if (!dc)
        return;
    const COLORREF color = static_cast<COLORREF>(item->itemData);
    if (item->itemAction & ODA_DRAWENTIRE) {
        CBrush brush(color);
        dc->FillRect(&item->rcItem, &brush);
    }
    if ((item->itemState & ODS_SELECTED) && (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        FrameItem(dc, item->rcItem, RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color)));
    }
    if (!(item->itemState & ODS_SELECTED) && (item->itemAction & ODA_SELECT)) {
        FrameItem(dc, item->rcItem, color);
    }
}

BEGIN_MESSAGE_MAP(CColorComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

void CColorComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawColorItem(lpDrawItemStruct);
}

void CColorComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemWidth = 40;
    lpMeasureItemStruct->itemHeight = 16;
}

int CColorComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    return CompareColors(static_cast<COLORREF>(lpCompareItemStruct->itemData1),
                         static_cast<COLORREF>(lpCompareItemStruct->itemData2));
}

void CColorComboBox::AddColor(COLORREF color)
{
    if (FindColor(color) < 0)
        AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(color)));
}

void CColorComboBox::AddColors(const std::vector<COLORREF>& colors)
{
    std::unordered_set<COLORREF> held;
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        held.insert(static_cast<COLORREF>(GetItemData(i)));
    for (COLORREF color : colors)
        if (held.insert(color).second)
            AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(color)));
}

int CColorComboBox::FindColor(COLORREF color) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (static_cast<COLORREF>(GetItemData(i)) == color)
            return i;
    return -1;
}

void CColorComboBox::OnDropDown()
{
    g_pApp->m_lastStatus = 16;
    g_pApp->m_prompt = "リストを選択 or 希望色の要素をピック or 空ピック";
    g_pApp->ShowPrompt();
    g_pApp->ShowMessage("色選択モードです", 0);
}

void CColorComboBox::OnSelChange()
{
    g_pApp->m_lastStatus = 0;
    if (CZelkDoc* doc = g_pApp->GetActiveDrawingDoc()) {
        g_pApp->SetGuidance(doc);
        g_pApp->ShowPrompt();
    }
    const int selected = GetCurSel();
    if (selected < 0)
        return;
    g_pApp->m_appElem.SetColor(static_cast<COLORREF>(GetItemData(selected)));
    switch (g_pApp->m_appElem.m_creationEnv) {
    case 0: g_pApp->m_appElem.StoreColorInCurrent(); break;
    case 1: g_pApp->m_appElem.StoreColorInSelectedSet(); break;
    case 2: g_pApp->m_appElem.StoreColorInReferenceSet(); break;
    default: break;
    }
    g_pApp->ShowMessage("色を選択", 0);
    if (g_pApp->m_activeView)
        g_pApp->m_activeView->SetFocus();
}
