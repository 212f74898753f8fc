// The Program Files warning and its do-not-show-again box.
#include "app/ProgramFilesWarningDialog.h"

void CProgramFilesWarningDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, 1186, m_dontShowAgain);
}
