// Services of the input hub that the dispatcher and the router call: the end of an interrupting
// command, the edit start and the screen-operation and constraint inputs. Each does what the
// dispatcher relies on today.
#include "app/ZelkApp.h"
#include "input/CommandOfKind.h"

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

void CZelkApp::EndInterruptCommand(CZelkDoc* doc)
{
    if (m_interruptKind == 0)
        return;
    // The dimension (10) and ellipse-edit (22) instances keep their state here.
    const int kind = m_interruptKind;
    if (doc && ((kind >= 1 && kind <= 4) || kind == 7))
        if (CCommandRef command = InterruptCommand(doc, m_interruptKind))
            command.Reset();
    m_justAnnounced = 0;
    m_interruptKind = 0;
}

void CZelkApp::ClearTextBoxPreview(CZelkDoc* doc)
{
    doc->m_previewKind = 0;
}

void CZelkApp::CarryEditStateToInterrupt(CZelkDoc*) {}

