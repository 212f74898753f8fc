// A rebuilt element takes the place of the one it was made from in that one's group: it gets
// the group number and role and a member reference at the end of the group's list. The old
// reference stays; the group skips it once its element is marked deleted.
#include "commands/circle/CircleCommand.h"

#include "commands/circle/CircleEdit.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"

namespace {

// The new element's group and role fields are written and its reference appended; 0 when the
// source is in no group or its group number names no group.
template <class Block>
int JoinSourceGroup(CZelkDoc* doc, const CObArray& blocks, std::int16_t kind, std::int16_t group,
                    std::int16_t role, std::int16_t block, std::int16_t slot)
{
    if (!doc || group < 0 || group >= doc->m_groups.GetSize())
        return 0;
    Block* b = BlockOf<Block>(blocks, block, slot);
    if (!b)
        return 0;
    b->m_slots[slot].m_group = group;
    b->m_slots[slot].m_role = role;
    CElemRef ref;
    ref.Init(kind, block, slot, STATE_LIVE, 1);
    ref.m_extra = 0;
    static_cast<CGroup*>(doc->m_groups[group])->m_members.push_back(ref);
    return 1;
}

} // namespace

int CCircleCommand::AddCircleToSourceGroup(const CCircle& source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup<CCircles>(m_doc, m_doc->m_circleBlocks, ELEM_CIRCLE, source.m_group, source.m_role,
                                     block, slot);
}

int CCircleCommand::AddArcToSourceCircleGroup(const CCircle& source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup<CArcs>(m_doc, m_doc->m_arcBlocks, ELEM_ARC, source.m_group, source.m_role, block, slot);
}

int CCircleCommand::AddArcToSourceGroup(const CArc& source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup<CArcs>(m_doc, m_doc->m_arcBlocks, ELEM_ARC, source.m_group, source.m_role, block, slot);
}

int CCircleCommand::AddConicToSourceCircleGroup(const CCircle& source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup<CConics>(m_doc, m_doc->m_conicBlocks, ELEM_CONIC, source.m_group, source.m_role,
                                    block, slot);
}

int CCircleCommand::AddConicToSourceArcGroup(const CArc& source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup<CConics>(m_doc, m_doc->m_conicBlocks, ELEM_CONIC, source.m_group, source.m_role,
                                    block, slot);
}

int CCircleCommand::AddGroupToSourceConicGroup(const CConic& source, std::int16_t group)
{
    const std::int16_t parent = source.m_group;
    if (!m_doc || parent < 0 || parent >= m_doc->m_groups.GetSize() || group < 0 ||
        group >= m_doc->m_groups.GetSize())
        return 0;
    static_cast<CGroup*>(m_doc->m_groups[group])->m_parent = parent;
    CElemRef ref;
    ref.Init(ELEM_GROUP, group, 0, STATE_LIVE, 1);
    ref.m_extra = 0;
    static_cast<CGroup*>(m_doc->m_groups[parent])->m_members.push_back(ref);
    return 1;
}
