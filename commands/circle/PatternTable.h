// The routines every command object's pattern table shares: the named groups built from a table
// of rows and freed, looked up by name or by a pattern they list, and the letter a pick gives.
// The groups are CPatternGroup objects the command owns in a pointer array.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CArc;
class CElemCandidate;
class CPatternGroup;
class CZelkDoc;

// One named group of a command's table; its first pattern is the group's lead pattern.
struct CPatternRow {
    const char* name;
    std::initializer_list<const char*> patterns;
};

void AddPatternGroups(CPtrArray& groups, const CPatternRow* rows, std::size_t count);
template <std::size_t N>
void AddPatternGroups(CPtrArray& groups, const CPatternRow (&rows)[N])
{
    AddPatternGroups(groups, rows, N);
}
void FreePatternGroups(CPtrArray& groups);
// The first pattern of the first group of the name that has one; empty otherwise.
CString LeadPatternOfGroup(const CPtrArray& groups, const CString& name);
// The first group that lists the pattern exactly; none otherwise.
CPatternGroup* GroupListingPattern(const CPtrArray& groups, const CString& pattern);
// Whether some pattern of the group has the letter at the position.
int GroupHasLetterAt(const CPatternGroup* group, int position, char letter);

// The letter of the pick list's current candidate for a pick of sub-code 19 or 20: lower case
// for a cutting element, upper case for an element the construction takes; under the macro
// player a circle, arc or text counts only while a mode pattern is set.
CString PickTokenLetter(CZelkDoc* doc, int subCode, int upper, int macroFlag, bool moded);

// The prompt of a playing macro's next step: the recorder's note of the step the token string
// has reached, the first note again once every step was given; empty without a note.
inline CString MacroStepNote(const CString& tokens, const CStringArray& notes)
{
    int index = tokens.GetLength();
    if (index == notes.GetSize())
        index = 0;
    return index < notes.GetSize() ? notes[index] : CString();
}

// A picked circle kept as an arc from 0 to 360 degrees (its state, mark, layer and group with
// it), a picked arc as it is; false for any other candidate or a slot that holds none.
bool KeepPickedCircleOrArc(CZelkDoc* doc, const CElemCandidate& candidate, CArc& kept);

// Whether the string is one of the listed token strings.
inline bool IsOneOf(const CString& s, std::initializer_list<const char*> list)
{
    for (const char* p : list)
        if (s == p)
            return true;
    return false;
}

// A plain typed number is a length for the next step: the flag of the interrupting command
// while one is in use, else the main command's.
void SetLengthInputFlags(bool length);
