// The registration of user applications from the settings menu, written back to the
// registration file when the dialog closes with "更新".
#include "app/UserAppRegisterDialog.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"
#include "userapp/UserAppManager.h"

void CZelkApp::OnRegisterUserApps()
{
    if (DocOpenHelpIfArmed("Help\\HID_REGIST_DLL.htm") || !m_userAppManager)
        return;
    CUserAppRegisterDialog dlg(m_userAppManager);
    if (dlg.DoModal() == IDOK)
        m_userAppManager->WriteRegistrationFile();
}
