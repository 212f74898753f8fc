// The registry-problem notice and its do-not-show-again box.
#include "app/RegistryHelpDialog.h"

void CRegistryHelpDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, 1172, m_dontShowAgain);
}
