// The left double click in a drawing: on empty space it closes a zoom window or acts as Escape;
// on an element it belongs to the line or circle command that ran last, or starts the edit of
// the element, which may be the element whose edit has just ended.
#include "app/ZelkApp.h"

#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "geometry/ElemRef.h"
#include "input/CommandOfKind.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgNoEditWhileTentative = "仮要素生成中は要素の編集選択はできません";

// The patterns of a line or arc edit that go on with the same element.
bool GoesOnWithTheElement(const CString& pattern)
{
    return pattern == "#P" || pattern == "#L" || pattern == "#C";
}

} // namespace

BOOL CZelkApp::OnLeftDoubleClickCode(CZelkDoc* doc, CZelkView* view)
{
    if (m_appFind.pickCount == 0) {
        if (view && view->m_viewKind == 2) {
            view->CloseZoomWindow();
            return FALSE;
        }
        CancelMode(doc, view);
        return TRUE;
    }
    switch (m_appElem.m_lastCommandKind) {
    case 1: {
        const CString& tokens = doc->m_lineCmd->m_tokenString;
        if (tokens != "DP" && tokens != "DA" && tokens != "DAP")
            doc->m_lineCmd->OnDoubleClick();
        return TRUE;
    }
    case 2:
        doc->m_circleCmd->OnDoubleClick();
        return TRUE;
    default:
        break;
    }
    const CCreationLog* log = doc->m_creationLog;
    if (log && log->m_logged && log->m_final == 0) {
        ShowMessage(kMsgNoEditWhileTentative, 1);
        return FALSE;
    }
    UndoFirstClick(doc);
    CarryEditStateToInterrupt(doc);

    // Right after a line or arc edit that goes on with its element, the double click edits that
    // element again, wherever it was made.
    std::int16_t kind = 0, block = -1, slot = -1;
    if (m_lastStatus == kStatusJustAnnounced) {
        if (m_announcedInterruptKind == 2 && GoesOnWithTheElement(doc->m_lineCmdInt->m_modePattern)) {
            kind = ELEM_LINE;
            block = doc->m_lineCmdInt->m_editBlock;
            slot = doc->m_lineCmdInt->m_editSlot;
        } else if (m_announcedInterruptKind == 4 && GoesOnWithTheElement(doc->m_circleCmdInt->m_modePattern)) {
            kind = ELEM_ARC;
            block = doc->m_circleCmdInt->m_editBlock;
            slot = doc->m_circleCmdInt->m_editSlot;
        }
    }
    if (kind == 0)
        EndInterruptAndUnmarkCandidate(doc);
    CommitOperation(doc, 1);
    StartEditFromPick(doc, view);
    if (kind != 0) {
        CPickList& list = *doc->m_pickList;
        list.SetSingleCandidate(block, slot, 0, kind);
        list.Cycle(1);
        doc->m_inputEvent->PostPick(19);
    }
    return TRUE;
}

void CZelkApp::UndoFirstClick(CZelkDoc* doc)
{
    static const std::initializer_list<int> kinds = { 1, 2, 3, 4, 7, 10 };
    if (OneOf(m_interruptKind, kinds))
        InterruptCommand(doc, m_interruptKind).UndoClickBeforeDoubleClick();
    else if (OneOf(m_commandKind, kinds))
        MainCommand(doc, m_commandKind, false).UndoClickBeforeDoubleClick();
}

void CZelkApp::EndInterruptAndUnmarkCandidate(CZelkDoc* doc)
{
    CElemRef ref;
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    if (doc->m_pickList->GetCurrent(ref) &&
        OneOf(ref.m_kind, { ELEM_POINT, ELEM_LINE, ELEM_CIRCLE, ELEM_ARC, ELEM_TEXT }) &&
        GetStateAndMark(doc, ref.m_kind, ref.m_block, ref.m_slot, state, mark)) {
        *mark = static_cast<std::uint8_t>((*mark & ~MARK_SELECTED) | MARK_REDRAW);
        doc->RedrawChangedElements(1);
    }
    if (OneOf(m_interruptKind, { 1, 2, 3, 4, 7, 10 }))
        InterruptCommand(doc, m_interruptKind).Reset();
    m_interruptKind = 0;
    m_justAnnounced = 1;
    m_lastStatus = 0;
}
