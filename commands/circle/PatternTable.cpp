// The shared routines of the command objects' pattern tables.
#include "commands/circle/PatternTable.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "geometry/ElemRef.h"
#include "input/PatternGroup.h"
#include "input/PickList.h"

void AddPatternGroups(CPtrArray& groups, const CPatternRow* rows, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        auto* group = new CPatternGroup(rows[i].name);
        for (const char* p : rows[i].patterns)
            group->patterns.Add(p);
        groups.Add(group);
    }
}

void FreePatternGroups(CPtrArray& groups)
{
    for (int i = 0; i < groups.GetSize(); ++i)
        delete static_cast<CPatternGroup*>(groups[i]);
    groups.RemoveAll();
}

CString LeadPatternOfGroup(const CPtrArray& groups, const CString& name)
{
    for (int i = 0; i < groups.GetSize(); ++i) {
        const auto* group = static_cast<const CPatternGroup*>(groups[i]);
        if (group->name == name && group->patterns.GetSize() > 0)
            return group->patterns[0];
    }
    return CString();
}

CPatternGroup* GroupListingPattern(const CPtrArray& groups, const CString& pattern)
{
    for (int i = 0; i < groups.GetSize(); ++i) {
        auto* group = static_cast<CPatternGroup*>(groups[i]);
        for (int j = 0; j < group->patterns.GetSize(); ++j) {
            if (group->patterns[j] == pattern)
                return group;
        }
    }
    return nullptr;
}

int GroupHasLetterAt(const CPatternGroup* group, int position, char letter)
{
    if (!group || position < 0)
        return 0;
    for (int j = 0; j < group->patterns.GetSize(); ++j) {
        const CString& q = group->patterns[j];
        if (q.GetLength() > position && q.GetAt(position) == letter)
            return 1;
    }
    return 0;
}

CString PickTokenLetter(CZelkDoc* doc, int subCode, int upper, int macroFlag, bool moded)
{
    if (subCode != 19 && subCode != 20)
        return CString();
    CElemRef ref;
    if (!doc->m_pickList->GetCurrent(ref))
        return CString();
    switch (ref.m_kind) {
    case ELEM_POINT:
        return upper ? "U" : "p";
    case ELEM_LINE:
        return upper ? "L" : "l";
    case ELEM_CIRCLE:
    case ELEM_ARC:
        if (!upper)
            return "c";
        return !macroFlag || moded ? "C" : "";
    case ELEM_TEXT:
        if (!upper)
            return "t";
        return !macroFlag || moded ? "T" : "";
    default:
        return CString();
    }
}

void SetLengthInputFlags(bool length)
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    app->m_lengthInputMain = 0;
    if (length) {
        if (app->m_interruptKind == 0)
            app->m_lengthInputMain = 1;
        else
            app->m_lengthInputInterrupt = 1;
    }
}

bool KeepPickedCircleOrArc(CZelkDoc* doc, const CElemCandidate& candidate, CArc& kept)
{
    if (candidate.m_kind == ELEM_CIRCLE) {
        const CCircle* c = doc->GetCircleElem(candidate.m_block, candidate.m_slot);
        if (!c)
            return false;
        kept.m_state = c->m_state;
        kept.m_mark = c->m_mark;
        kept.m_centre = c->m_centre;
        kept.m_radius = c->m_radius;
        kept.m_layer = c->m_layer;
        kept.m_group = c->m_group;
        kept.m_startAngle = 0.0;
        kept.m_endAngle = 360.0;
        return true;
    }
    const CArc* a = candidate.m_kind == ELEM_ARC ? doc->GetArcElem(candidate.m_block, candidate.m_slot) : nullptr;
    if (!a)
        return false;
    kept.Assign(*a);
    return true;
}
