// The loop command's pattern table and the small routines that read it.
#include "commands/line/LoopCommand.h"

#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "input/PatternGroup.h"

namespace {

const CPatternRow kLoopGroups[] = {
    { "hatch", { "OAP" } },
    { "offset", { "OD" } },
    { "gravity", { "OQ", "OLQ" } },
    { "arccurve", { "AV" } },
    { "multi", { "OAP", "OD", "OQ", "OLQ", "AV" } },
};

const char* const kLoopPatterns[] = { "OAP", "OD", "OQ", "OLQ", "AV" };

} // namespace

void CLoopCommand::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kLoopGroups);
}

void CLoopCommand::BuildPatternLists()
{
    for (const char* p : kLoopPatterns)
        m_patternList.Add(p);
}

void CLoopCommand::DeletePatternGroups()
{
    FreePatternGroups(m_patternGroups);
}

CString CLoopCommand::GetGroupLeadPattern(const CString& name) const
{
    return LeadPatternOfGroup(m_patternGroups, name);
}

CString CLoopCommand::GetCurrentGroupName() const
{
    CString name;
    for (int i = 0; i < m_patternGroups.GetSize(); ++i) {
        const auto* group = static_cast<const CPatternGroup*>(m_patternGroups[i]);
        for (int j = 0; j < group->patterns.GetSize(); ++j)
            if (group->patterns[j] == m_tokenString) {
                name = group->name;
                break;
            }
    }
    return name;
}

CPatternGroup* CLoopCommand::FindGroupOfPattern(const CString& pattern) const
{
    return GroupListingPattern(m_patternGroups, pattern);
}

int CLoopCommand::HasCutPointAt(int position) const
{
    return GroupHasLetterAt(FindGroupOfPattern(m_modePattern), position, 'p');
}

int CLoopCommand::IsAcceptedPrefix(const CString& s) const
{
    if (s.IsEmpty())
        return 1;
    for (int i = 0; i < m_patternList.GetSize(); ++i)
        if (m_patternList[i].Left(s.GetLength()) == s)
            return 1;
    return 0;
}

int CLoopCommand::ClassifyTokens(int& single, int& complete) const
{
    single = 0;
    complete = 0;
    const CString& t = m_tokenString;
    if (t.IsEmpty())
        return 0;
    for (const char* p : kLoopPatterns)
        if (t == p) {
            complete = 1;
            return 0;
        }
    if (t == "O" || t == "A")
        return 1;
    if (t == "OA" || t == "OL")
        return 2;
    return -1;
}

int CLoopCommand::PreparePreview()
{
    if (m_tokenString == "OA") {
        if (m_doc)
            m_doc->m_previewAngle = m_values[1].value;
        return 2;
    }
    return 13;
}
