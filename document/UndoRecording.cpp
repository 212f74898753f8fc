// Recording into the undo history: what the element classes and groups note before they
// change an element.
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"

void CUndoHistory::RecordChange(int list, int kind, int block, int slot, std::uint8_t oldState)
{
    CElemRef entry;
    entry.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
               static_cast<std::int16_t>(slot), oldState, 0);
    (list == 2 ? m_pendingSecond : m_pendingFirst).push_back(entry);
    if (kind == ELEM_GROUP) {
        if (CGroup* group = m_doc->GetGroup(block)) {
            for (CElemRef& member : group->m_members) {
                member.m_state = oldState;
                member.m_mark = 0;
            }
        }
    }
}
