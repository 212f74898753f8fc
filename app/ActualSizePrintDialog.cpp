// The actual-size ratio and its range.
#include "app/ActualSizePrintDialog.h"

void CActualSizePrintDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1139, m_ratio);
    DDV_MinMaxDouble(pDX, m_ratio, 0.01, 100.0);
}
