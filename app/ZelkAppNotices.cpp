// The help menu's notices offered again: the registry problem and the Program Files warning,
// each with its do-not-show-again word.
#include "app/ZelkApp.h"

#include "app/ProgramFilesWarningDialog.h"
#include "app/RegistryHelpDialog.h"
#include "document/DocEnvironment.h"

void CZelkApp::OnRegistryHelp()
{
    if (DocOpenHelpIfArmed("Help\\HID_RegErrDlgOpen.htm"))
        return;
    CRegistryHelpDialog dlg;
    dlg.m_dontShowAgain = m_registryNoticeShown;
    if (dlg.DoModal() == IDOK)
        m_registryNoticeShown = dlg.m_dontShowAgain;
}

void CZelkApp::OnProgramFilesNotice()
{
    if (DocOpenHelpIfArmed("Help\\HID_InstAtentDlgOpen.htm"))
        return;
    CProgramFilesWarningDialog dlg;
    dlg.m_dontShowAgain = m_programFolderNoticeShown;
    if (dlg.DoModal() == IDOK)
        m_programFolderNoticeShown = dlg.m_dontShowAgain;
}
