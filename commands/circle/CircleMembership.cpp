// Elements rebuilt from an edited circle, arc or conic take the old one's place and role in its
// group; the old member reference stays and is skipped once its element is deleted, so an undo
// gives the old group content back without recording the membership. Also the retiring of the
// edited element after an edit that keeps none of it in place.
#include "commands/circle/CircleCommand.h"

#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Conic.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"

namespace {

// The source's group, or none: a group number that names no group (a damaged drawing) records
// nothing rather than writing past the group array.
template <class Source>
CGroup* GroupOf(const CZelkDoc* doc, const Source* source)
{
    if (!doc || !source || source->m_group == -1)
        return nullptr;
    return doc->GetGroup(source->m_group);
}

void AppendMember(CGroup* group, std::int16_t kind, std::int16_t block, std::int16_t slot)
{
    CElemRef member;
    member.Init(kind, block, slot, 1, 1);
    member.m_extra = 0;
    group->m_members.push_back(member);
}

// The new element takes the source's group and role. A position that names no element (an
// addition that was refused leaves -1) gets no member reference the group could not resolve.
template <class Source, class Element>
int JoinSourceGroup(const CZelkDoc* doc, const Source* source, Element* element, std::int16_t kind,
                    std::int16_t block, std::int16_t slot)
{
    CGroup* group = GroupOf(doc, source);
    if (!group || !element)
        return 0;
    element->m_group = source->m_group;
    element->m_role = source->m_role;
    AppendMember(group, kind, block, slot);
    return 1;
}

// The state byte of the edited element goes to the deletion list before it is retired.
template <class Element>
void Retire(CZelkDoc* doc, Element* element, std::int16_t kind, std::int16_t block, std::int16_t slot)
{
    if (!element)
        return;
    doc->m_undoHistory->RecordChange(2, kind, block, slot, element->m_state);
    element->m_state = STATE_DELETED | STATE_REDRAW;
    element->m_mark &= static_cast<std::uint8_t>(~MARK_SELECTED);
}

} // namespace

int CCircleCommand::AddCircleToSourceGroup(const CCircle* source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup(m_doc, source, m_doc->GetCircleElem(block, slot), ELEM_CIRCLE, block, slot);
}

int CCircleCommand::AddArcToSourceCircleGroup(const CCircle* source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup(m_doc, source, m_doc->GetArcElem(block, slot), ELEM_ARC, block, slot);
}

int CCircleCommand::AddArcToSourceGroup(const CArc* source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup(m_doc, source, m_doc->GetArcElem(block, slot), ELEM_ARC, block, slot);
}

int CCircleCommand::AddConicToSourceCircleGroup(const CCircle* source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup(m_doc, source, m_doc->GetConicElem(block, slot), ELEM_CONIC, block, slot);
}

int CCircleCommand::AddConicToSourceArcGroup(const CArc* source, std::int16_t block, std::int16_t slot)
{
    return JoinSourceGroup(m_doc, source, m_doc->GetConicElem(block, slot), ELEM_CONIC, block, slot);
}

int CCircleCommand::AddGroupToSourceConicGroup(const CConic* source, std::int16_t group)
{
    CGroup* parent = GroupOf(m_doc, source);
    CGroup* added = m_doc->GetGroup(group);
    if (!parent || !added)
        return 0;
    added->m_parent = source->m_group;
    AppendMember(parent, ELEM_GROUP, group, 0);
    return 1;
}

void CCircleCommand::DeleteEditedElement()
{
    CZelkDoc* doc = m_doc;
    if (m_editClass == 1)
        Retire(doc, doc->GetCircleElem(m_editBlock, m_editSlot), ELEM_CIRCLE, m_editBlock, m_editSlot);
    else if (m_editClass == 0)
        Retire(doc, doc->GetArcElem(m_editBlock, m_editSlot), ELEM_ARC, m_editBlock, m_editSlot);
    doc->RedrawChangedElements(1);
}
