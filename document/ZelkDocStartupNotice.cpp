// The start-up notice of the first drawing: shown once per program run, taken away by the main
// frame's timer 16.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"

void CZelkDoc::ShowStartupNotice()
{
    if (!g_pApp)
        return;
    g_pApp->m_startupNoticeSuppressed = 1;
    if (g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->StartTimer(16, 10000);
}
