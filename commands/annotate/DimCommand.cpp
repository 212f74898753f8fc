// The dimension command object: its pattern table, reset, the step the next input fills and the
// value text box.
#include "commands/annotate/DimCommand.h"

#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CommandFamilies.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "input/PatternGroup.h"
#include "input/PointSearch.h"

namespace {

const CPatternRow kGroups[] = {
    { "PP", { "APPP" } },
    { "DIA", { "CPP" } },
    { "CORNER", { "LP" } },
    { "ANG", { "PPPPPP" } },
    { "BALLOON", { "TBW" } },
    { "NOTE", { "TPAP" } },
    { "EDIT", { "#P", "#D" } },
    { "multi", { "APPP", "CPP", "LP", "PPPPPP", "TBW", "TPAP", "#P", "#D" } },
};

const char* const kAcceptedPatterns[] = { "APPP", "CPP", "LP", "PPPPPP", "TBW", "TPAP", "#P", "#D" };

} // namespace

CDimCommand::CDimCommand(CZelkDoc* doc, int instance)
    : m_instance(instance), m_doc(doc), m_modePattern(instance != 0 ? "#P" : "APPP")
{
    for (int i = 0; i < kPositions; ++i) {
        m_inputPoints[i].Reset();
        m_savedInputPoints[i].Reset();
        m_values[i].Reset();
        m_pickPoints[i].Init(0, 0);
    }
    for (CPointD& p : m_valueBox)
        p.Init(0, 0);
}

CDimCommand::~CDimCommand()
{
    ClearTempMarks();
    FreePatternGroups();
}

void CDimCommand::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kGroups);
}

void CDimCommand::BuildAcceptedPatterns()
{
    for (const char* p : kAcceptedPatterns)
        m_acceptedPatterns.Add(p);
}

void CDimCommand::FreePatternGroups()
{
    ::FreePatternGroups(m_patternGroups);
}

CString CDimCommand::GetGroupLeadPattern(const CString& name) const
{
    return LeadPatternOfGroup(m_patternGroups, name);
}

CString CDimCommand::GetCurrentGroupName() const
{
    return CommandFamilies::GetCurrentGroupName(*this);
}

int CDimCommand::HasCutPointAt(int position) const
{
    return CommandFamilies::HasCutPointAt(*this, position);
}

int CDimCommand::IsAcceptedPrefix(const CString& s) const
{
    return CommandFamilies::IsAcceptedPrefix(*this, s) ? 1 : 0;
}

CPatternGroup* CDimCommand::FindGroupOfPattern(const CString& pattern) const
{
    return CommandFamilies::FindGroupOfPattern(*this, pattern);
}

int CDimCommand::IsTokenAllowed(const CString& token, char patternLetter)
{
    auto is = [&](const char* letter) { return token == letter; };
    switch (patternLetter) {
    case 'A': return is("A") || is("L");
    case 'L': return is("L");
    case 'B': return is("P") || is("B");
    case 'C': return is("C");
    case 'D': return is("D");
    case 'P': return is("P");
    case 'T': return is("T");
    case 'W': return is("P") || is("Q");
    default: return 0;
    }
}

void CDimCommand::Reset()
{
    CZelkDoc* doc = m_doc;
    if (doc->m_pointSearch)
        doc->m_pointSearch->EraseMarker();
    doc->DrawDirectionMarks(0);
    ResetStepRecords(doc->m_basePoint);
    m_defaultLength = kDefaultLength;
    m_editBlock = m_editSlot = -1;
    m_editGroup = nullptr;
    m_editElemKind = m_editGroupKind = m_editRole = 0;
    m_editPickPosition = 0;
    ClearTempMarks();
    doc->m_previewKind = 13;
    doc->m_inputPoint.Assign(m_inputPoints[0]);
    doc->m_inputMarkFlag = 0;
    m_stepTexts.RemoveAll();
    m_stepValueFlags.RemoveAll();
    std::vector<CPointD>().swap(m_textPoints);
    m_macroFlag = 0;
    m_editFlag = 0;
    m_savedCreationMode = 0;
    if (g_pApp)
        g_pApp->m_appElem.SetLastCommandKind(0);
    m_macroPattern.Empty();
    m_balloonRadius = kDefaultBalloonRadius;
    ShowGuidance();
}

int CDimCommand::GetCurrentPointSlot(int& complete) const
{
    const CString& t = m_tokenString;
    complete = 0;
    if (m_editFlag) {
        if (t.IsEmpty())
            return 0;
        if (t == "#")
            return 1;
        if (t == "#P" || t == "#D") {
            complete = 1;
            return 0;
        }
        return -1;
    }
    if (IsOneOf(t, { "CPP", "LP", "PPPPPP" })) {
        complete = 1;
        return 0;
    }
    if (t == "APPP") {
        complete = 1;
        return 2;
    }
    if (t == "TBW" || t == "TPAP") {
        complete = 1;
        return 1;
    }
    return t.GetLength();
}

int CDimCommand::GetLastPointTokenIndex() const
{
    const int p = m_tokenString.ReverseFind('P');
    const int b = m_tokenString.ReverseFind('B');
    return p > b ? p : b;
}

CString CDimCommand::GetValueToken(int subCode) const
{
    return CommandFamilies::GetValueToken(*this, subCode);
}

void CDimCommand::UpdateLengthInputFlag()
{
    CommandFamilies::UpdateLengthInputFlag(*this);
}

void CDimCommand::UpdateValueTextBox(const CString& text)
{
    // The notation and layout ratios are the text command's, which shares the box routine.
    ComputeBoxOfString(text, m_valueBox);
}
