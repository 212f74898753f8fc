// The slanted-text question's do-not-show-again box, returned with either answer.
#include "app/SlantPrintCheckDialog.h"

void CSlantPrintCheckDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, 1030, m_dontShowAgain);
}

// "異常" is an answer too, not a dismissal: the box is read back with it.
void CSlantPrintCheckDialog::OnCancel()
{
    UpdateData(TRUE);
    EndDialog(IDCANCEL);
}
