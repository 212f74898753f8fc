// The view's reading of a native drawing file into its document: the window drawn first, the
// progress shown in the status bar, then the drawing shown whole and its folder remembered.
#include "app/MainFrame.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "view/ZelkView.h"

int CZelkView::ReadNativeFile(const CString& path)
{
    if (!m_document)
        return 0;
    m_document->UpdateAllViews(nullptr);
    SendPaint();
    if (g_pApp && g_pApp->m_pMainFrame)
        g_pApp->m_pMainFrame->SetMessageText(path + " を読み込み中");
    CWaitCursorScope wait;
    if (!m_document->LoadNativeFile(path))
        return 0;
    m_document->ComputeExtents();
    ShowAll();
    if (g_pApp) {
        g_pApp->SetGuidance(m_document);
        g_pApp->ShowPrompt();
        g_pApp->m_appPath.AddRecentPath(path, 1);
    }
    return 1;
}
