// The folder slots' radio columns and the adding of a folder.
#include "app/PathSlotDialog.h"

#include "platform/core/Runtime.h"

namespace {

constexpr int IDC_OPEN_FIRST = 1000;
constexpr int IDC_SAVE_FIRST = 1010;
constexpr int kSlotStatics[CPathSlotDialog::kSlots] = { 1145, 1146, 1147, 1148, 1149, 1150, 1151, 1152, 1153, 1157 };

} // namespace

BEGIN_MESSAGE_MAP(CPathSlotDialog, CDialog)
    ON_COMMAND_RANGE(IDC_OPEN_FIRST, IDC_OPEN_FIRST + 9, OnOpenRadio)
    ON_COMMAND_RANGE(IDC_SAVE_FIRST, IDC_SAVE_FIRST + 9, OnSaveRadio)
    ON_BN_CLICKED(1154, OnAddFolder)
END_MESSAGE_MAP()

void CPathSlotDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int k = 0; k < kSlots; ++k)
        DDX_Text(pDX, kSlotStatics[k], m_slots[k]);
    DDX_Text(pDX, 1185, m_title);
}

BOOL CPathSlotDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_OPEN_FIRST, IDC_OPEN_FIRST + 9, IDC_OPEN_FIRST + (m_openSlot >= 1 && m_openSlot <= 9 ? m_openSlot : 0));
    if (m_saveSlot >= 0 && m_saveSlot <= 9)
        CheckRadioButton(IDC_SAVE_FIRST, IDC_SAVE_FIRST + 9, IDC_SAVE_FIRST + m_saveSlot);
    return TRUE;
}

void CPathSlotDialog::ReadColumns()
{
    UpdateData(TRUE);
    m_openSlot = -1;
    m_saveSlot = -1;
    for (int k = 0; k < kSlots; ++k) {
        if (IsDlgButtonChecked(IDC_OPEN_FIRST + k))
            m_openSlot = k;
        if (IsDlgButtonChecked(IDC_SAVE_FIRST + k))
            m_saveSlot = k;
    }
}

void CPathSlotDialog::OnOpenRadio(UINT nID)
{
    CheckRadioButton(IDC_OPEN_FIRST, IDC_OPEN_FIRST + 9, static_cast<int>(nID));
    ReadColumns();
}

void CPathSlotDialog::OnSaveRadio(UINT nID)
{
    CheckRadioButton(IDC_SAVE_FIRST, IDC_SAVE_FIRST + 9, static_cast<int>(nID));
    ReadColumns();
}

void CPathSlotDialog::CheckRow(int openRow, int saveRow)
{
    CheckRadioButton(IDC_OPEN_FIRST, IDC_OPEN_FIRST + 9, IDC_OPEN_FIRST + openRow);
    CheckRadioButton(IDC_SAVE_FIRST, IDC_SAVE_FIRST + 9, IDC_SAVE_FIRST + saveRow);
}

void CPathSlotDialog::OnAddFolder()
{
    CFileDialog dialog(FALSE, nullptr, "damy", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT,
                       "すべてのﾌｧｲﾙ (*.*)|*.*||", this);
    if (m_openSlot >= 0 && m_openSlot <= 9)
        dialog.m_ofn.lpstrInitialDir = m_slots[m_openSlot].GetString();
    if (dialog.DoModal() != IDOK)
        return;
    // The chosen file's folder: the file dialog here leaves the current folder alone.
    char drive[_MAX_DRIVE] = {}, dir[_MAX_DIR] = {};
    _splitpath(dialog.GetPathName(), drive, dir, nullptr, nullptr);
    CString folder = CString(drive) + dir;
    if (folder.IsEmpty() || folder.Right(1) != "\\")
        folder += "\\";
    for (int k = 0; k < kSlots; ++k) {
        if (m_slots[k] == folder) {
            CheckRow(k, k);
            UpdateData(FALSE);
            m_openSlot = k;
            m_saveSlot = k;
            return;
        }
    }
    for (int k = kSlots - 1; k > 0; --k)
        m_slots[k] = m_slots[k - 1];
    m_slots[0] = folder;
    m_openSlot = 0;
    m_saveSlot = 0;
    CheckRow(0, 0);
    UpdateData(FALSE);
}
