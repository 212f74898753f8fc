// The notices of the first start: their check boxes and the start-up guide's buttons.
#include "app/ProgramFilesWarningDialog.h"
#include "app/RegistryHelpDialog.h"
#include "app/StartupGuideDialog.h"

namespace {
constexpr int IDC_REGISTRY_DONT_SHOW = 1172;
constexpr int IDC_PROGRAM_FILES_DONT_SHOW = 1186;
constexpr int IDC_GUIDE_DONT_SHOW = 1176;
constexpr int IDC_GUIDE_LIBRARY = 1177;
constexpr int IDC_GUIDE_GENERAL_TRAINING = 1182;
constexpr int IDC_GUIDE_OPERATIONS = 1138;
constexpr int IDC_GUIDE_MULTI_COMMAND = 1139;
constexpr int IDC_GUIDE_FUNCTIONS = 1155;
} // namespace

void CRegistryHelpDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_REGISTRY_DONT_SHOW, m_dontShowAgain);
}

void CProgramFilesWarningDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PROGRAM_FILES_DONT_SHOW, m_dontShowAgain);
}

BEGIN_MESSAGE_MAP(CStartupGuideDialog, CDialog)
    ON_COMMAND(IDC_GUIDE_LIBRARY, OnLibrary)
    ON_COMMAND(IDC_GUIDE_GENERAL_TRAINING, OnGeneralTraining)
    ON_COMMAND(IDC_GUIDE_OPERATIONS, OnOperations)
    ON_COMMAND(IDC_GUIDE_MULTI_COMMAND, OnMultiCommand)
    ON_COMMAND(IDC_GUIDE_FUNCTIONS, OnFunctions)
END_MESSAGE_MAP()

void CStartupGuideDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_GUIDE_DONT_SHOW, m_dontShowAgain);
}

void CStartupGuideDialog::Choose(int library, int series)
{
    m_library = library;
    m_series = series;
    CDialog::OnOK();
}

void CStartupGuideDialog::OnOK() { Choose(0, 0); }
void CStartupGuideDialog::OnLibrary() { Choose(1, 0); }
void CStartupGuideDialog::OnGeneralTraining() { Choose(0, 1); }
void CStartupGuideDialog::OnOperations() { Choose(0, 2); }
void CStartupGuideDialog::OnMultiCommand() { Choose(0, 3); }
void CStartupGuideDialog::OnFunctions() { Choose(0, 4); }
