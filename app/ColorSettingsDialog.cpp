// The color settings dialog: adding colors through the system color dialog, deleting the
// selected one; the list box sorts its swatches, so a color is found again by value.
#include "app/ColorSettingsDialog.h"

BEGIN_MESSAGE_MAP(CColorSettingsDialog, CDialog)
    ON_BN_CLICKED(1026, OnAddColor)
    ON_BN_CLICKED(1027, OnDeleteColor)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

INT_PTR IndexOfColor(const CDWordArray& colors, COLORREF color)
{
    for (INT_PTR i = 0; i < colors.GetSize(); ++i)
        if (static_cast<COLORREF>(colors[i]) == color)
            return i;
    return -1;
}

} // namespace

CColorSettingsDialog::CColorSettingsDialog() : CDialog(181)
{
    ResetCustomColors();
}

void CColorSettingsDialog::ResetCustomColors()
{
    for (COLORREF& c : m_customColors)
        c = kWhite;
}

BOOL CColorSettingsDialog::OnInitDialog()
{
    ResetCustomColors();
    AfxSubclassDlgItem(m_colorList, 1025, this);
    for (INT_PTR i = 0; i < m_colors.GetSize(); ++i)
        m_colorList.AddColor(static_cast<COLORREF>(m_colors[i]));
    return CDialog::OnInitDialog();
}

void CColorSettingsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1027, m_deleteButton);
    DDX_Control(pDX, 1026, m_addButton);
    DDX_Check(pDX, 1097, m_complementFlag);
    DDX_Text(pDX, 1096, m_complementThreshold);
    // Stored in a byte: the settings archive's own bounds.
    DDV_MinMaxInt(pDX, m_complementThreshold, 10, 255);
}

void CColorSettingsDialog::AddIfNew(COLORREF color)
{
    if (IndexOfColor(m_colors, color) >= 0)
        return;
    m_colorList.AddColor(color);
    m_colors.Add(color);
}

void CColorSettingsDialog::OnAddColor()
{
    ResetCustomColors();
    CColorDialog dlg;
    dlg.m_cc.lpCustColors = m_customColors;
    if (dlg.DoModal() != IDOK)
        return;
    AddIfNew(dlg.GetColor());
    for (COLORREF custom : m_customColors)
        if (custom != kWhite)
            AddIfNew(custom);
}

void CColorSettingsDialog::OnDeleteColor()
{
    const int selected = m_colorList.GetCurSel();
    if (m_colorList.GetCount() == 0 || selected < 0)
        return;
    const COLORREF color = static_cast<COLORREF>(m_colorList.GetItemData(selected));
    const INT_PTR index = IndexOfColor(m_colors, color);
    if (index >= 0)
        m_colors.RemoveAt(index);
    m_colorList.DeleteString(static_cast<UINT>(selected));
    if (selected < m_colorList.GetCount())
        m_colorList.SetCurSel(selected);
    else
        m_colorList.SetCurSel(-1);
}
