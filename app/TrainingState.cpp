// The training notes as data, and the stepping from one note to the next.
#include "app/TrainingState.h"

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "macro/TextDoc.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

#include <iterator>
#include <vector>

namespace {

constexpr int kEnd = CTrainingNote::kEndOfSeries;
constexpr int kNone = CTrainingNote::kNoSuccessor;

const CTrainingNote kNotes[] = {
    { 33047, 0, "000Note", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 1 },
    { 33048, 1, "001Escape", "HID_TRY_NOTE", 2, "SE", 1, 926, 0, 2 },
    { 33060, 2, "002Command", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 3 },
    { 33049, 3, "003CtrlView", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 4 },
    { 33052, 4, "004SelElem", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 5 },
    { 33053, 5, "005EditElem", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 6 },
    { 33054, 6, "006SelBox", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 7 },
    { 33055, 7, "007InpNum", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 8 },
    { 33056, 8, "008InpText", "HID_TRY_NOTE", 2, "SE", 0, 958, 0, 9 },
    { 33057, 9, "009MaltiTxt", "HID_TRY_NOTE", 2, "SE", 0, 958, 0, 10 },
    { 33061, 10, "010TrySamp", "HID_TRY_NOTE", 2, "SE", 0, 926, 0, 11 },
    { 33058, 11, "011Calc", "HID_TRY_NOTE", 2, "SE", 0, 958, 0, 13 },
    { 33075, 12, "Useful", nullptr, 2, "SE", 0, 958, 0, kNone },
    { 33059, 13, "013FinTry", "HID_TRY_NOTE", 2, "SE", 0, 926, 1, kEnd },
    { 33078, 100, "100B-Note", "HID_RAPID_ESC", 2, "SE", 0, 926, 0, 101 },
    { 33079, 101, "101B-Comm", "HID_RAPID_ESC", 2, "SE", 0, 926, 0, 102 },
    { 33095, 102, "102B-View", "HID_RAPID_ESC", 2, "SE", 0, 926, 0, 103 },
    { 33080, 103, "103B-Ope", "HID_RAPID_ESC", 2, "SE", 0, 926, 1, 104 },
    { 33096, 104, "104B-Num", "HID_RAPID_ESC", 2, "SE", 0, 926, 1, kEnd },
    { 33127, 200, "200M-Howto", "HID_MALTI_LINE", 2, "SE", 0, 958, 0, 201 },
    { 33097, 201, "201M-Line", "HID_MALTI_LINE", 2, "SE", 1, 926, 0, 202 },
    { 33099, 202, "202M-CircleA", "HID_MALTI_LINE", 3, "PD", 1, 926, 0, 203 },
    { 33100, 203, "203M-CircleB", "HID_MALTI_LINE", 3, "PD", 1, 926, 0, 204 },
    { 33101, 204, "204M-CircleC", "HID_MALTI_LINE", 3, "PD", 1, 926, 0, 205 },
    { 33102, 205, "205M-CircleD", "HID_MALTI_LINE", 3, "PD", 1, 926, 0, 206 },
    { 33103, 206, "206M-CircleE", "HID_MALTI_LINE", 3, "PD", 1, 926, 0, 207 },
    { 33104, 207, "207M-ArcA", "HID_MALTI_LINE", 4, "PD", 1, 926, 0, 208 },
    { 33105, 208, "208M-ArcB", "HID_MALTI_LINE", 4, "PD", 1, 926, 0, 209 },
    { 33106, 209, "209M-ArcC", "HID_MALTI_ARCC", 4, "PD", 1, 926, 0, 210 },
    { 33128, 210, "210M-EditLine", "HID_MALTI_LINE", 2, "SE", 1, 926, 0, 211 },
    { 33129, 211, "211M-EditCircle", "HID_MALTI_LINE", 2, "SE", 1, 926, 0, 212 },
    { 33130, 212, "212M-EditArc", "HID_MALTI_LINE", 2, "SE", 1, 926, 0, 213 },
    { 33131, 213, "213M-EditBox", "HID_MALTI_LINE", 2, "SE", 1, 926, 0, kEnd },
    { 33120, 300, "300F-01", "HID_FUNCTION_00", 0, "", 0, 958, 0, 301 },
    { 33116, 301, "301F-02", "HID_FUNCTION_00", 0, "", 0, 958, 0, 302 },
    { 33117, 302, "302F-03", "HID_FUNCTION_00", 0, "", 0, 958, 0, 303 },
    { 33118, 303, "303F-04", "HID_FUNCTION_00", 0, "", 0, 958, 0, 304 },
    { 33121, 304, "304F-05", "HID_FUNCTION_00", 0, "", 0, 958, 0, 305 },
    { 33126, 305, "305F-06", "HID_FUNCTION_00", 0, "", 0, 958, 0, kEnd },
};

std::vector<CZelkDoc*> OpenDrawings()
{
    std::vector<CZelkDoc*> docs;
    if (!g_pApp->m_pDocTemplate)
        return docs;
    POSITION pos = g_pApp->m_pDocTemplate->GetFirstDocPosition();
    while (pos)
        if (auto* doc = dynamic_cast<CZelkDoc*>(g_pApp->m_pDocTemplate->GetNextDoc(pos)))
            docs.push_back(doc);
    return docs;
}

} // namespace

const CTrainingNote* FindTrainingNoteByNumber(int number)
{
    for (const CTrainingNote& note : kNotes)
        if (note.number == number)
            return &note;
    return nullptr;
}

const CTrainingNote* FindTrainingNoteByCommand(unsigned commandId)
{
    for (const CTrainingNote& note : kNotes)
        if (note.commandId == commandId)
            return &note;
    return nullptr;
}

void CTrainingState::Reset()
{
    m_startPattern.Empty();
    m_spareText1.Empty();
    m_spareText2.Empty();
    m_spareText3.Empty();
    m_spareText4.Empty();
}

int CTrainingState::OpenStepDocument(const CString& name)
{
    if (g_pApp->ConfirmDiscardBeforeTraining())
        return -1;
    g_pApp->CloseTextDocuments();

    CZelkDoc* reset = nullptr;
    for (CZelkDoc* doc : OpenDrawings()) {
        if (!reset) {
            reset = doc;
            doc->FreeContents();
            doc->InitContents();
            if (!doc->Views().empty())
                if (auto* view = dynamic_cast<CZelkView*>(doc->Views().front())) {
                    // The window stays active through the reset of its state.
                    const bool active = g_pApp->m_activeView == view;
                    view->ReleaseViewState();
                    view->InitViewState();
                    if (active)
                        g_pApp->m_activeView = view;
                }
            continue;
        }
        // A plain close: while a training runs a drawing's close would step the training on.
        const std::int32_t active = m_active;
        m_active = 0;
        doc->CloseAfterAsking();
        m_active = active;
    }

    if (name.IsEmpty()) {
        if (reset) {
            m_active = 0;
            reset->CloseAfterAsking();
            g_pApp->NewDrawing();
            return 1;
        }
        g_pApp->NewDrawing();
        return 0;
    }
    const CString path = g_pApp->m_appPath.m_trainingFolder + name + ".zel";
    return g_pApp->OpenDrawingFile(path, name, 2) ? 1 : 0;
}

int CTrainingState::NextStep()
{
    const CTrainingNote* note = FindTrainingNoteByNumber(m_noteNumber);
    if (!note || note->next == CTrainingNote::kNoSuccessor)
        return 1;
    if (note->next == CTrainingNote::kEndOfSeries) {
        g_pApp->EndTraining();
        return 0;
    }
    g_pApp->StartTrainingNote(note->next);
    return 1;
}

void CTrainingState::SelectCommand(int kind)
{
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    if (!doc)
        return;
    // The switch resets the command objects: the note's pattern is given after it.
    g_pApp->SwitchMode(doc, nullptr, 1, static_cast<short>(kind), 0);
    if (kind == 2 && doc->m_lineCmd)
        doc->m_lineCmd->m_modePattern = m_startPattern;
    else if ((kind == 3 || kind == 4) && doc->m_circleCmd)
        doc->m_circleCmd->m_modePattern = m_startPattern;
}
