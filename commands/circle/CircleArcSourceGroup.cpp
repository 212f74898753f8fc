// An arc rebuilt from another takes its place in the other's group; the source's own entry stays
// and is passed over once the source is retired.
#include "commands/circle/CircleCommand.h"

#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"

int CCircleCommand::AddArcToSourceGroup(const CArc* source, std::int16_t block, std::int16_t slot)
{
    if (!source || source->m_group == -1)
        return 0;
    CArc* added = m_doc->GetArcElem(block, slot);
    CGroup* group = m_doc->GetGroup(source->m_group);
    if (!added || !group)
        return 0;
    added->m_group = source->m_group;
    added->m_role = source->m_role;
    CElemRef member;
    member.Init(ELEM_ARC, block, slot, 1, 1);
    group->m_members.push_back(member);
    return 1;
}
