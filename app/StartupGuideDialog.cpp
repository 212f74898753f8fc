// The start-up guide's buttons.
#include "app/StartupGuideDialog.h"

BEGIN_MESSAGE_MAP(CStartupGuideDialog, CDialog)
    ON_BN_CLICKED(1177, OnLibrary)
    ON_BN_CLICKED(1182, OnGeneralTraining)
    ON_BN_CLICKED(1138, OnBasicOperation)
    ON_BN_CLICKED(1139, OnMultiCommand)
    ON_BN_CLICKED(1155, OnFunctions)
END_MESSAGE_MAP()

void CStartupGuideDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, 1176, m_dontShowAgain);
}

void CStartupGuideDialog::Leave(int library, int series)
{
    if (!UpdateData(TRUE))
        return;
    m_library = library;
    m_series = series;
    EndDialog(IDOK);
}

void CStartupGuideDialog::OnOK() { Leave(0, 0); }
void CStartupGuideDialog::OnLibrary() { Leave(1, 0); }
void CStartupGuideDialog::OnGeneralTraining() { Leave(0, 1); }
void CStartupGuideDialog::OnBasicOperation() { Leave(0, 2); }
void CStartupGuideDialog::OnMultiCommand() { Leave(0, 3); }
void CStartupGuideDialog::OnFunctions() { Leave(0, 4); }
