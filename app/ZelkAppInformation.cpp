// The help menu's information: version and rights, the freeware notice and the download page.
#include "app/AboutDialog.h"
#include "app/DownloadDialog.h"
#include "app/FreewareNoticeDialog.h"
#include "app/VersionDialog.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"

void CZelkApp::OnAppAbout()
{
    CAboutDialog dlg;
    dlg.m_edition = "ZelkFree";
    dlg.m_version = "Ver." + m_programVersion;
    dlg.DoModal();
}

void CZelkApp::OnVersionInfo()
{
    if (DocOpenHelpIfArmed("Help\\HID_APP_ABOUT.htm"))
        return;
    CVersionDialog dlg;
    dlg.m_edition = "ZelkFree";
    dlg.m_version = "Ver." + m_programVersion;
    dlg.DoModal();
}

void CZelkApp::OnFreewareNotice()
{
    if (DocOpenHelpIfArmed("Help\\HID_APP_SHARE.htm"))
        return;
    CFreewareNoticeDialog().DoModal();
}

void CZelkApp::OnNewVersion()
{
    if (DocOpenHelpIfArmed("Help\\HID_NEWVERSION.htm"))
        return;
    CDownloadDialog().DoModal();
}
