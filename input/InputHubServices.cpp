// Services of the input hub that the dispatcher and the router call: mode switching, the end
// of an interrupting command, the edit start and the screen-operation and constraint inputs.
// Each does what the dispatcher relies on today; the modes' own inputs and guidance are added
// with those modes.
#include "app/ZelkApp.h"

#include "document/ZelkDoc.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

namespace {

constexpr short kIdleCommandKind = 1000;

} // namespace

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

void CZelkApp::SwitchMode(CZelkDoc*, CZelkView*, short selector, short mode, int)
{
    switch (selector) {
    case 1:
        m_commandKind = mode == kIdleCommandKind ? 2 : mode;
        m_interruptMode = 0;
        m_specialMode = 0;
        m_lengthInputMain = 0;
        m_showModeBanner = 0;
        m_lastStatus = 7;
        break;
    case 2:
        m_interruptMode = mode;
        m_specialMode = 0;
        m_lastStatus = 7;
        break;
    case 3:
        m_specialMode = mode;
        if (mode != 0)
            m_lastStatus = 7;
        break;
    default:
        break;
    }
}

void CZelkApp::EndInterruptCommand(CZelkDoc*)
{
    if (m_interruptKind == 0)
        return;
    m_justAnnounced = 0;
    m_interruptKind = 0;
}

BOOL CZelkApp::ModeInput(CZelkDoc*, CZelkView*, int)
{
    return FALSE;
}

void CZelkApp::OperationBack(CZelkDoc*, CZelkView*) {}

void CZelkApp::OnScreenOperationInput(CZelkDoc*, CZelkView*, int&, const CPointD&, const CPointD*) {}

void CZelkApp::OnShowAllKey(CZelkDoc*, CZelkView* view)
{
    if (view)
        view->ShowAll();
}

void CZelkApp::ClearTextBoxPreview(CZelkDoc* doc)
{
    doc->m_previewKind = 0;
}

void CZelkApp::UndoFirstClick(CZelkDoc*) {}

void CZelkApp::CarryEditStateToInterrupt(CZelkDoc*) {}

void CZelkApp::EndInterruptAndUnmarkCandidate(CZelkDoc*)
{
    m_interruptKind = 0;
    m_justAnnounced = 1;
    m_lastStatus = 0;
}

