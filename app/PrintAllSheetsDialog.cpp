// The sheet-count dialog's number buttons and fields.
#include "app/PrintAllSheetsDialog.h"

namespace {
constexpr int IDC_FIRST_NUMBER = 1187;  // "１"
constexpr int IDC_LAST_NUMBER = 1195;   // "９"
} // namespace

BEGIN_MESSAGE_MAP(CPrintAllSheetsDialog, CDialog)
    ON_COMMAND_RANGE(IDC_FIRST_NUMBER, IDC_LAST_NUMBER, OnNumber)
END_MESSAGE_MAP()

void CPrintAllSheetsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 9; ++i)
        DDX_Control(pDX, IDC_LAST_NUMBER - i, m_buttons[i]);
    DDX_Text(pDX, 1196, m_sheetCount);
    DDV_MinMaxUInt(pDX, m_sheetCount, 0, 100);
    DDX_Text(pDX, 1197, m_text1);
    DDX_Text(pDX, 1198, m_text2);
    DDX_Text(pDX, 1199, m_text3);
    DDX_Text(pDX, 1200, m_text4);
}

void CPrintAllSheetsDialog::OnNumber(UINT nID)
{
    m_sheetCount = nID - IDC_FIRST_NUMBER + 1;
    SetDlgItemInt(1196, m_sheetCount, FALSE);
}
