// The help menu's training notes: starting a note, ending the training, and the question that
// keeps modified drawings and texts from being replaced by a note unasked.
#include "app/ZelkApp.h"

#include "app/TrainingState.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "macro/TextDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DocTemplate.h"

#include <vector>

namespace {

const char* const kMsgModifiedBeforeTraining = " は変更されています。保存する場合は［キャンセル］";
const char* const kMsgBackToNewDrawing = "通常の新規作図画面に戻ります";

std::vector<CDocument*> TemplateDocuments(CDocTemplate* docTemplate)
{
    std::vector<CDocument*> docs;
    if (!docTemplate)
        return docs;
    POSITION pos = docTemplate->GetFirstDocPosition();
    while (pos)
        docs.push_back(docTemplate->GetNextDoc(pos));
    return docs;
}

// Asks about one modified document; TRUE when the user kept it (Cancel).
BOOL KeepModified(CDocument* doc, const CString& name)
{
    if (!doc->IsModified())
        return FALSE;
    if (AfxMessageBox(name + kMsgModifiedBeforeTraining, MB_OKCANCEL) == IDCANCEL)
        return TRUE;
    doc->SetModifiedFlag(FALSE);
    return FALSE;
}

} // namespace

BOOL CZelkApp::OnTrainingNote(UINT nID)
{
    if (const CTrainingNote* note = FindTrainingNoteByCommand(nID))
        StartTrainingNote(note->number);
    return TRUE;
}

void CZelkApp::OnTrainingTryNote() { StartTrainingNote(0); }
void CZelkApp::OnTrainingRescue() { StartTrainingNote(100); }
void CZelkApp::OnTrainingMultiCommand() { StartTrainingNote(200); }
void CZelkApp::OnTrainingScreenMemory() { StartTrainingNote(300); }

void CZelkApp::StartTrainingNote(int number)
{
    const CTrainingNote* note = FindTrainingNoteByNumber(number);
    if (!note || !m_trainingState)
        return;
    if (note->helpPage && DocOpenHelpIfArmed(CString("Help\\") + note->helpPage + ".htm"))
        return;
    CTrainingState& state = *m_trainingState;
    m_appDraw.showHintLine = 0;
    m_appDraw.m_showTextUnderline = 0;
    state.m_noteNumber = static_cast<std::int16_t>(note->number);
    const int opened = state.OpenStepDocument(note->name);
    if (opened < 0)
        return;
    if (opened == 0) {
        if (note->draftModeOff) {
            AfxMessageBox(kMsgBackToNewDrawing, MB_OK);
            EndTraining();
            return;
        }
        // The following note took this one's place and set the training up for itself.
        state.NextStep();
        return;
    }
    state.Reset();
    state.m_startPattern = note->pattern;
    // The note's own command must not be refused by the previous note's lock.
    state.m_active = 0;
    state.m_commandLocked = 0;
    if (note->commandKind)
        state.SelectCommand(note->commandKind);
    state.m_active = 1;
    state.m_commandLocked = note->commandLocked;
    m_appFind.selectableKinds = note->selectableKinds;
    if (note->draftModeOff)
        m_appElem.m_draftMode = 0;
}

void CZelkApp::OnUpdateTrainingNote(CCmdUI* pCmdUI)
{
    const CTrainingNote* note = FindTrainingNoteByCommand(pCmdUI->m_nID);
    pCmdUI->SetCheck(note && m_trainingState && m_trainingState->m_active && m_trainingState->m_noteNumber == note->number);
}

void CZelkApp::OnTrainingEnd()
{
    if (DocOpenHelpIfArmed("Help\\HID_TRAINING_FIN.htm"))
        return;
    EndTraining();
}

void CZelkApp::OnUpdateTrainingEnd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_trainingState && m_trainingState->m_active);
}

void CZelkApp::EndTraining()
{
    if (!m_trainingState)
        return;
    m_appDraw.showHintLine = 1;
    m_appDraw.m_showTextUnderline = 1;
    m_trainingState->OpenStepDocument(CString());
    m_trainingState->m_active = 0;
    m_trainingState->m_commandLocked = 0;
    m_appFind.selectableKinds = 958;
    m_appElem.m_draftMode = 0;
}

int CZelkApp::ConfirmDiscardBeforeTraining()
{
    for (CDocument* doc : TemplateDocuments(m_pDocTemplate)) {
        auto* drawing = dynamic_cast<CZelkDoc*>(doc);
        if (drawing && drawing->m_path.Find("\\Training") < 0 && KeepModified(drawing, drawing->m_name))
            return 1;
    }
    std::vector<CDocument*> texts = TemplateDocuments(m_pTextTemplate);
    for (int i = 0; i < m_windowlessTextDocs.GetSize(); ++i)
        texts.push_back(static_cast<CTextDoc*>(m_windowlessTextDocs[i]));
    for (CDocument* doc : texts)
        if (KeepModified(doc, doc->GetTitle()))
            return 1;
    return 0;
}

void CZelkApp::CloseTextDocuments()
{
    for (CDocument* doc : TemplateDocuments(m_pTextTemplate))
        doc->OnCloseDocument();
    DeleteWindowlessTextDocs();
}

int CZelkApp::IsDrawingDocument(CDocument* doc) const
{
    for (CDocument* open : TemplateDocuments(m_pDocTemplate))
        if (open == doc)
            return 1;
    return 0;
}

int CZelkApp::IsTextDocument(CDocument* doc) const
{
    for (CDocument* open : TemplateDocuments(m_pTextTemplate))
        if (open == doc)
            return 1;
    for (int i = 0; i < m_windowlessTextDocs.GetSize(); ++i)
        if (static_cast<CTextDoc*>(m_windowlessTextDocs[i]) == doc)
            return 1;
    return 0;
}
