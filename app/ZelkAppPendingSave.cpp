// Cancelling a pending File Save, shared by the drawing's and the text window's delayed save.
#include "app/ZelkApp.h"

#include "app/MainFrame.h"
#include "document/ZelkDoc.h"
#include "macro/TextDoc.h"

void CZelkApp::CancelPendingSave()
{
    if (m_pMainFrame) {
        m_pMainFrame->StopTimer(18);
        m_pMainFrame->StopTimer(19);
    }
    if (m_modifiedBeforeSave == 2) {
        if (m_pendingTextDoc)
            m_pendingTextDoc->SetModifiedFlag(TRUE);
        else if (m_pendingDrawing)
            m_pendingDrawing->SetModifiedFlag(TRUE);
    }
    m_savePending = 0;
    m_pendingDrawing = nullptr;
    m_pendingView = nullptr;
    m_pendingTextDoc = nullptr;
    m_modifiedBeforeSave = 0;
    m_pendingSaveKind = 0;
}
