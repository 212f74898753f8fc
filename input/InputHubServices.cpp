// Services of the input hub that the dispatcher and the router call: mode switching, the end
// of an interrupting command, the edit start and the screen-operation and constraint inputs.
// Each does what the dispatcher relies on today; the modes' own inputs and guidance are added
// with those modes.
#include "app/ZelkApp.h"

#include "document/ZelkDoc.h"
#include "input/CrossPointInput.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
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

BOOL CZelkApp::ModeInput(CZelkDoc* doc, CZelkView* view, int code)
{
    if (m_specialMode == 53 && ((code >= 1 && code <= 4) || code == 6)) {
        if (view) {
            if (code == 1 || code == 2)
                OnScreenOperationInput(doc, view, view->m_leftDragged, m_leftPressPoint,
                                       code == 2 ? &m_leftReleasePoint : nullptr);
            else
                OnScreenOperationInput(doc, view, view->m_rightDragged, m_rightPressPoint,
                                       code == 3 ? nullptr : &m_rightReleasePoint);
        }
        if ((code == 4 || code == 6) && !m_specialRepeat)
            m_lastStatus = 0;
        return TRUE;
    }
    if (code != 2 || !doc)
        return FALSE;
    if (m_specialMode == 70) {
        if (m_crossPointInput)
            m_crossPointInput->OnPick(doc, view);
        return FALSE;
    }
    if (m_interruptMode == 37)
        doc->m_inputEvent->PostPick(19);
    return FALSE;
}

void CZelkApp::OperationBack(CZelkDoc*, CZelkView*) {}


void CZelkApp::ClearTextBoxPreview(CZelkDoc* doc)
{
    doc->m_previewKind = 0;
}

void CZelkApp::CarryEditStateToInterrupt(CZelkDoc*) {}

