// The group-delete command of a drawing.
#include "commands/annotate/GroupDeleteMode.h"

#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "geometry/ElemRef.h"
#include "input/PickList.h"

namespace {

const char* const kMsgDesignatedDeleted = "指定要素を消去しました";
constexpr std::uint8_t kDeletedState = 0x88;

} // namespace

CGroupDeleteMode::CGroupDeleteMode(CZelkDoc* doc) : m_doc(doc) {}

void CGroupDeleteMode::OnInput(CZelkDoc*, int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}

void CGroupDeleteMode::DeleteDesignated()
{
    m_work1 = 0;
    m_work3 = 0;
    CZelkDoc* doc = m_doc;
    CElemRef ref;
    if (!doc || !doc->m_pickList || !doc->m_pickList->GetCurrent(ref))
        return;
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    CUndoHistory& history = *doc->m_undoHistory;
    if (ref.m_kind == ELEM_GROUP) {
        if (CGroup* group = doc->GetGroup(ref.m_block)) {
            group->AndMarkRecursive(doc, static_cast<std::uint8_t>(~MARK_SELECTED));
            history.RecordChange(2, ELEM_GROUP, ref.m_block, ref.m_slot, group->m_state);
            group->m_state = kDeletedState;
            group->SetStateRecursive(doc, kDeletedState);
            m_work1 = 1;
        }
    } else if (GetStateAndMark(doc, ref.m_kind, ref.m_block, ref.m_slot, state, mark)) {
        *mark = static_cast<std::uint8_t>(*mark & ~MARK_SELECTED);
        history.RecordChange(2, ref.m_kind, ref.m_block, ref.m_slot, *state);
        *state = kDeletedState;
        m_work1 = 1;
    }
    doc->RedrawChangedElements(1);
    history.Commit(2);
    doc->SetModifiedFlag(TRUE);
    // Rolling the tentative elements back keeps this deletion.
    if (doc->m_creationLog && doc->m_creationLog->m_logged)
        doc->m_creationLog->m_stepCount = history.GetStepCount();
    doc->ShowMessageInViews(kMsgDesignatedDeleted);
}
