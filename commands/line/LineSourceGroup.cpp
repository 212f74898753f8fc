// A line rebuilt from another takes its place in the other's group. The source keeps its own
// member entry: once retired, the group's walks pass over it.
#include "commands/line/LineCommand.h"

#include "elements/ElementKinds.h"
#include "elements/Group.h"

int CLineCommand::AddLineToSourceGroup(std::int16_t sourceBlock, std::int16_t sourceSlot, std::int16_t block,
                                       std::int16_t slot)
{
    if (block == -1)
        return 0;
    const CLine* source = m_doc->GetLineElem(sourceBlock, sourceSlot);
    CLine* added = m_doc->GetLineElem(block, slot);
    if (!source || !added || source->m_group == -1)
        return 0;
    // A group number from a damaged file that names no group records nothing.
    CGroup* group = m_doc->GetGroup(source->m_group);
    if (!group)
        return 0;
    added->m_group = source->m_group;
    added->m_role = source->m_role;
    CElemRef member;
    member.Init(ELEM_LINE, block, slot, 1, 1);
    group->m_members.push_back(member);
    return 1;
}
