// Groups: member walks, selection of the group chain and the searches of the dimension
// commands.
#include "elements/Group.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementAccess.h"
#include "elements/ElementCommon.h"
#include "elements/ElementSettings.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CGroup, CObject, 0)

namespace {

// The groups a walk has entered, so that a cyclic member graph from a damaged file is walked
// once, and never deeper than MaxDepth. A set: a group of thousands of groups (a drawing grouped
// as a whole) is entered once per member group.
struct CGroupWalk {
    CZelkDoc* doc;
    std::unordered_set<const CGroup*> visited;

    bool Enter(const CGroup* group, int depth)
    {
        return depth <= CGroup::MaxDepth && visited.insert(group).second;
    }
};

// The state and mark bytes of a member that exists and is not deleted; false for any other.
bool LiveMemberBytes(CZelkDoc* doc, const CElemRef& member, std::uint8_t*& state, std::uint8_t*& mark)
{
    return GetStateAndMark(doc, member.m_kind, member.m_block, member.m_slot, state, mark)
           && (*state & STATE_DELETED) == 0;
}

// Applies op to the mark byte of the group and of every live member, live sub-groups
// recursively.
template <class Op>
void WalkMarks(CGroupWalk& walk, CGroup* group, int depth, Op op)
{
    if (!walk.Enter(group, depth))
        return;
    op(group->m_mark);
    for (const CElemRef& member : group->m_members) {
        std::uint8_t* state;
        std::uint8_t* mark;
        if (!LiveMemberBytes(walk.doc, member, state, mark))
            continue;
        if (member.m_kind == ELEM_GROUP)
            WalkMarks(walk, walk.doc->GetGroup(member.m_block), depth + 1, op);
        else
            op(*mark);
    }
}

int WalkState(CGroupWalk& walk, CGroup* group, int depth, std::uint8_t value)
{
    if (!walk.Enter(group, depth))
        return 0;
    group->m_state = value;
    int walked = 0;
    for (const CElemRef& member : group->m_members) {
        std::uint8_t* state;
        std::uint8_t* mark;
        if (!LiveMemberBytes(walk.doc, member, state, mark))
            continue;
        walked++;
        if ((value & STATE_DELETED) != 0 && walk.doc->m_undoHistory != nullptr)
            walk.doc->m_undoHistory->RecordChange(2, member.m_kind, member.m_block,
                                                  member.m_slot, *state);
        if (member.m_kind == ELEM_GROUP)
            WalkState(walk, walk.doc->GetGroup(member.m_block), depth + 1, value);
        else
            *state = value;
    }
    return walked;
}

// The first live member of one kind whose element the test accepts, in member order; its
// block and slot go to block and slot.
template <class E, class Test>
E* FirstLiveMember(const CGroup& group, CZelkDoc* doc, E* (CZelkDoc::*get)(int, int) const,
                   int kind, int& block, int& slot, Test test)
{
    for (const CElemRef& member : group.m_members) {
        if (member.m_kind != kind)
            continue;
        E* e = (doc->*get)(member.m_block, member.m_slot);
        if (e == nullptr || (e->m_state & STATE_DELETED) != 0 || !test(*e))
            continue;
        block = member.m_block;
        slot = member.m_slot;
        return e;
    }
    return nullptr;
}

}  // namespace

CGroup::CGroup() : m_state(1), m_mark(0), m_kind(0), m_parent(-1) {}

CGroup::~CGroup() = default;

void CGroup::SetMarkRecursive(CZelkDoc* doc, std::uint8_t value)
{
    CGroupWalk walk{doc, {}};
    WalkMarks(walk, this, 0, [value](std::uint8_t& mark) { mark = value; });
}

void CGroup::AndMarkRecursive(CZelkDoc* doc, std::uint8_t mask)
{
    CGroupWalk walk{doc, {}};
    WalkMarks(walk, this, 0, [mask](std::uint8_t& mark) { mark &= mask; });
}

void CGroup::OrMarkRecursive(CZelkDoc* doc, std::uint8_t bits)
{
    CGroupWalk walk{doc, {}};
    WalkMarks(walk, this, 0, [bits](std::uint8_t& mark) { mark |= bits; });
}

int CGroup::SetStateRecursive(CZelkDoc* doc, std::uint8_t value)
{
    CGroupWalk walk{doc, {}};
    return WalkState(walk, this, 0, value);
}

void CGroup::MoveDefinitionPoints(CZelkDoc*, int add, int which, double dx, double dy)
{
    if (add == 0) {
        dx = -dx;
        dy = -dy;
    }
    if (which == 1 || which == 3) {
        m_defPoint1.m_x += dx;
        m_defPoint1.m_y += dy;
    }
    if (which == 2 || which == 3) {
        m_defPoint2.m_x += dx;
        m_defPoint2.m_y += dy;
    }
}

void CGroup::LinkAttributeString(CZelkDoc* doc, int block, int slot, int index)
{
    LinkAttributeIndex(doc, m_attrStrings, ELEM_GROUP, block, slot, m_state, m_mark, index);
}

int CGroup::UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index)
{
    return UnlinkAttributeIndex(doc, m_attrStrings, ELEM_GROUP, block, slot, index);
}

int CGroup::SelectGroupChain(CZelkDoc* doc, int number, int wholeChain)
{
    if ((m_state & STATE_DELETED) != 0)
        return 0;
    std::int16_t verdict = 1;
    // The chain is built as for an element, outermost first with this group last, so that
    // the filter sees the levels in the same order whoever asks.
    CWordArray chain;
    doc->GetGroupChain(number, chain);
    doc->FilterGroupChain(verdict, chain);
    if (verdict != 1)
        return 0;
    if (wholeChain != 0)
        return SelectGroupsOfChain(doc, chain);
    CWordArray self;
    self.Add(static_cast<WORD>(number));
    return SelectGroupsOfChain(doc, self);
}

void CGroup::FindTwoLinesWithRole(CZelkDoc* doc, int flag, int& block1, int& slot1,
                                  int& block2, int& slot2)
{
    block1 = slot1 = block2 = slot2 = -1;
    const int role = flag != 0 ? 2 : 4;
    int found = 0;
    for (const CElemRef& member : m_members) {
        if (member.m_kind != ELEM_LINE)
            continue;
        CLine* line = doc->GetLineElem(member.m_block, member.m_slot);
        if (line == nullptr || (line->m_state & STATE_DELETED) != 0 || line->m_role != role)
            continue;
        if (found == 0) {
            block1 = member.m_block;
            slot1 = member.m_slot;
            found = 1;
        } else {
            block2 = member.m_block;
            slot2 = member.m_slot;
            return;
        }
    }
}

void CGroup::FindDimensionValueText(CZelkDoc* doc, int& block, int& slot)
{
    block = slot = -1;
    for (const CElemRef& member : m_members) {
        if (member.m_kind == ELEM_TEXT) {
            CText* text = doc->GetTextElem(member.m_block, member.m_slot);
            if (text != nullptr && (text->m_state & STATE_DELETED) == 0 && text->m_role == 16) {
                block = member.m_block;
                slot = member.m_slot;
                return;
            }
        } else if (member.m_kind == ELEM_GROUP) {
            CGroup* group = doc->GetGroup(member.m_block);
            if (group != nullptr && (group->m_state & STATE_DELETED) == 0
                && group->m_kind == KIND_COMPOSITE) {
                block = member.m_block;
                return;
            }
        }
    }
}

CString CGroup::BuildCompositeString(CZelkDoc* doc)
{
    CString result;
    if (m_kind != KIND_NOTATION && m_kind != KIND_COMPOSITE)
        return result;
    const CString subscript = SubscriptMarker();
    const CString ruby = RubyMarker();
    for (const CElemRef& member : m_members) {
        if (member.m_kind != ELEM_TEXT)
            continue;
        CText* text = doc->GetTextElem(member.m_block, member.m_slot);
        if (text == nullptr || (text->m_state & STATE_DELETED) != 0)
            continue;
        switch (text->m_role) {
        case 0: result += text->m_text; break;
        case 1: result += subscript + text->m_text + subscript; break;
        case 2: result += text->m_text + subscript; break;
        case 4: result += ruby + text->m_text + ruby; break;
        case 8: result += text->m_text + ruby; break;
        default: break;
        }
    }
    return result;
}

CTexts* CGroup::FindBaseText(CZelkDoc* doc, int& block, int& slot)
{
    block = slot = -1;
    if (m_kind != KIND_NOTATION && m_kind != KIND_COMPOSITE)
        return nullptr;
    CText* text = FirstLiveMember(*this, doc, &CZelkDoc::GetTextElem, ELEM_TEXT, block, slot,
                                  [](const CText& t) { return t.m_role == 0 || t.m_role == 4; });
    return text != nullptr ? doc->TextBlockAt(block) : nullptr;
}

CArc* CGroup::FindAngleDimensionArc(CZelkDoc* doc)
{
    if (m_kind != KIND_ANGLE)
        return nullptr;
    int block, slot;
    return FirstLiveMember(*this, doc, &CZelkDoc::GetArcElem, ELEM_ARC, block, slot,
                           [](const CArc& arc) { return arc.m_role == 1; });
}

CLine* CGroup::FindOtherLineAtPoint(CZelkDoc* doc, CLine line, int useStart, int& endFlag,
                                    int& block, int& slot)
{
    block = slot = -1;
    if (m_kind == KIND_NOTATION || m_kind == KIND_COMPOSITE)
        return nullptr;
    const CPointD point = useStart != 0 ? line.m_start : line.m_end;
    return FirstLiveMember(*this, doc, &CZelkDoc::GetLineElem, ELEM_LINE, block, slot,
                           [&](const CLine& other) {
                               if (other.IsSameAs(line))
                                   return false;
                               if (PointsNearlyEqual(other.m_start, point))
                                   endFlag = 1;
                               else if (PointsNearlyEqual(other.m_end, point))
                                   endFlag = 0;
                               else
                                   return false;
                               return true;
                           });
}

CLine* CGroup::FindLineTouchingCircle(CZelkDoc* doc, CCircle circle, int& endFlag, int& block,
                                      int& slot)
{
    block = slot = -1;
    if (m_kind != KIND_LEADER && m_kind != KIND_BALLOON)
        return nullptr;
    return FirstLiveMember(*this, doc, &CZelkDoc::GetLineElem, ELEM_LINE, block, slot,
                           [&](const CLine& line) {
                               if (circle.ClassifyPoint(line.m_start) != 3)
                                   endFlag = 1;
                               else if (circle.ClassifyPoint(line.m_end) != 3)
                                   endFlag = 0;
                               else
                                   return false;
                               return true;
                           });
}

CCircle* CGroup::FindCircleThroughPoint(CZelkDoc* doc, CLine line, int useStart, int& block,
                                        int& slot)
{
    block = slot = -1;
    if (m_kind != KIND_BALLOON)
        return nullptr;
    const CPointD point = useStart != 0 ? line.m_start : line.m_end;
    return FirstLiveMember(*this, doc, &CZelkDoc::GetCircleElem, ELEM_CIRCLE, block, slot,
                           [&](const CCircle& circle) { return circle.ClassifyPoint(point) == 2; });
}

int CGroup::FindMemberByRole(CZelkDoc* doc, int kind, int role, int n, int& block, int& slot)
{
    block = slot = -1;
    int lineCount = 0;
    int circleCount = 0;
    for (const CElemRef& member : m_members) {
        const bool takesPart = member.m_kind == kind || (role == 16 && member.m_kind == ELEM_GROUP);
        std::uint8_t* state;
        std::uint8_t* mark;
        if (!takesPart || !LiveMemberBytes(doc, member, state, mark))
            continue;
        auto found = [&](int result) {
            block = member.m_block;
            slot = member.m_slot;
            return result;
        };
        switch (member.m_kind) {
        case ELEM_LINE: {
            CLine* line = doc->GetLineElem(member.m_block, member.m_slot);
            if (line->m_role != role)
                break;
            if (role == 1 || role == 16)
                return found(1);
            if (role == 2 || role == 4) {
                if (++lineCount == n)
                    return found(1);
            } else if (role == 8) {
                CPointD foot1, foot2;
                double d1, d2;
                FootOnLineRec(*line, m_defPoint1, foot1, d1);
                FootOnLineRec(*line, m_defPoint2, foot2, d2);
                const int belongsTo = std::fabs(d2) > std::fabs(d1) ? 1 : 2;
                if (belongsTo == n) {
                    const CPointD& p = n == 1 ? m_defPoint1 : m_defPoint2;
                    found(0);
                    return Distance(line->m_start, p) < Distance(line->m_end, p) ? 1 : 2;
                }
            } else if (role == 32) {
                const CPointD& p = n == 1 ? m_defPoint1 : m_defPoint2;
                if (PointsNearlyEqual(line->m_start, p))
                    return found(1);
                if (PointsNearlyEqual(line->m_end, p))
                    return found(2);
            }
            break;
        }
        case ELEM_CIRCLE: {
            CCircle* circle = doc->GetCircleElem(member.m_block, member.m_slot);
            if (circle->m_role != role)
                break;
            if (role == 1)
                return found(1);
            if (role == 2 && ++circleCount == n)
                return found(1);
            break;
        }
        case ELEM_ARC:
            if (role == 1 && doc->GetArcElem(member.m_block, member.m_slot)->m_role == 1)
                return found(1);
            break;
        case ELEM_TEXT:
            if (doc->GetTextElem(member.m_block, member.m_slot)->m_role == role)
                return found(1);
            break;
        case ELEM_GROUP:
            if (role == 16) {
                block = member.m_block;
                return 2;
            }
            break;
        default:
            break;
        }
    }
    return 0;
}

// The fields of the native group record first (name, kind, parent, attribute strings, the two
// definition points), then what only the binary form keeps: the state and mark bytes and the
// members, each as its raw 10-byte reference.
void CGroup::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name;
    else
        ar >> m_name;
    ArchiveI16(ar, m_kind);
    ArchiveI16(ar, m_parent);
    SerializeAttributeList(ar, m_attrStrings);
    ArchivePoint(ar, m_defPoint1);
    ArchivePoint(ar, m_defPoint2);
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    auto member = [&ar](CElemRef& r) {
        ArchiveU8(ar, r.m_state);
        ArchiveU8(ar, r.m_mark);
        ArchiveI16(ar, r.m_kind);
        ArchiveI16(ar, r.m_block);
        ArchiveI16(ar, r.m_slot);
        ArchiveU8(ar, r.m_extra);
    };
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_members.size()));
        for (CElemRef& r : m_members)
            member(r);
        return;
    }
    m_members.clear();
    // Members are read one by one: a count from damaged data ends at the end of the data instead
    // of reserving memory for it.
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; i++) {
        CElemRef r;
        member(r);
        m_members.push_back(r);
    }
}
