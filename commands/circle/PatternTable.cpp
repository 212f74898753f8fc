// The shared routines of the command objects' pattern tables.
#include "commands/circle/PatternTable.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
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
