// Services of the input hub that the dispatcher and the router call: the end of an interrupting
// command, the edit start and the screen-operation and constraint inputs. Each does what the
// dispatcher relies on today.
#include "app/ZelkApp.h"

#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

BOOL CZelkApp::IsDrawingDocument(const CDocument* doc) const
{
    if (!doc || !m_pDocTemplate)
        return FALSE;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        if (m_pDocTemplate->GetNextDoc(pos) == doc)
            return TRUE;
    }
    return FALSE;
}

void CZelkApp::RedrawAllPreviews()
{
    if (!m_pDocTemplate)
        return;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        if (auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
            doc->RedrawPreviewsInViews();
    }
}

void CZelkApp::EndInterruptCommand(CZelkDoc*)
{
    if (m_interruptKind == 0)
        return;
    m_justAnnounced = 0;
    m_interruptKind = 0;
}

void CZelkApp::ClearTextBoxPreview(CZelkDoc* doc)
{
    doc->m_previewKind = 0;
}

void CZelkApp::CarryEditStateToInterrupt(CZelkDoc*) {}

