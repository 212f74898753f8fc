// The text command object: its pattern table, the token-string queries and the reset.
#include "commands/annotate/TextCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/CommandFamilies.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "input/PatternGroup.h"
#include "input/PointSearch.h"

namespace {

const CPatternRow kGroups[] = {
    { "single", { "P", "B", "K", "A", "L", "T", "C" } },
    { "range", { "BPK", "K", "A", "L", "T", "C" } },
    { "inner", { "BB", "K", "A", "L", "T", "C" } },
    { "move", { "#P" } },
    { "edit_text", { "#T", "#K" } },
    { "edit_ang", { "#A", "#L", "#C" } },
    { "atr", { "#Q", "#O" } },
    { "form", { "#SP", "#EP" } },
    { "multi", { "#P", "#T", "#K", "#A", "#L", "#C", "#Q", "#O", "#SP", "#EP" } },
};

const char* const kAcceptedPatterns[] = { "K",  "A",  "T",  "L",  "C",  "P",  "BPK", "BB",  "#K",
                                          "#T", "#A", "#L", "#C", "#O", "#Q", "#P",  "#SP", "#EP" };

// What a new drawing offers to place before anything is typed or picked.
const char* const kSampleText = "Zelk 文字列の見本";

} // namespace

CTextCommand::CTextCommand(CZelkDoc* doc, int instance)
    : m_instance(instance), m_doc(doc), m_modePattern(instance == 0 ? "P" : "#P"),
      m_string(kSampleText)
{
    for (int i = 0; i < kPositions; ++i) {
        m_inputPoints[i].Reset();
        m_savedInputPoints[i].Reset();
        m_values[i].Reset();
    }
}

CTextCommand::~CTextCommand()
{
    ClearTempMarks();
    FreePatternGroups();
}

void CTextCommand::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kGroups);
}

void CTextCommand::BuildAcceptedPatterns()
{
    for (const char* p : kAcceptedPatterns)
        m_acceptedPatterns.Add(p);
}

void CTextCommand::FreePatternGroups()
{
    ::FreePatternGroups(m_patternGroups);
}

CString CTextCommand::GetGroupLeadPattern(const CString& name) const
{
    return LeadPatternOfGroup(m_patternGroups, name);
}

CString CTextCommand::GetCurrentGroupName() const
{
    return CommandFamilies::GetCurrentGroupName(*this);
}

int CTextCommand::IsAcceptedPrefix(const CString& s) const
{
    return CommandFamilies::IsAcceptedPrefix(*this, s) ? 1 : 0;
}

CPatternGroup* CTextCommand::FindGroupOfPattern(const CString& pattern) const
{
    return CommandFamilies::FindGroupOfPattern(*this, pattern);
}

void CTextCommand::UpdateLengthInputFlag()
{
    CommandFamilies::UpdateLengthInputFlag(*this);
}

bool CTextCommand::AllPatternsState()
{
    return g_pApp && g_pApp->m_noPopupMenu && !g_pApp->m_modeFromMenu;
}

int CTextCommand::ClassifyTokens(int* boxInProgress, int* complete) const
{
    *boxInProgress = 0;
    *complete = 0;
    const CString& t = m_tokenString;
    if (m_editFlag) {
        if (t == "#")
            return 1;
        if (IsOneOf(t, { "#P", "#K", "#T", "#A", "#L", "#C", "#O", "#Q", "#SP", "#EP" })) {
            *complete = 1;
            return 0;
        }
        if (t == "#S" || t == "#E")
            return 2;
        return -1;
    }
    if (t.IsEmpty())
        return 0;
    if (IsOneOf(t, { "K", "A", "T", "L", "C", "P", "BB" })) {
        *complete = 1;
        return 0;
    }
    if (t == "B") {
        *boxInProgress = 1;
        return 1;
    }
    if (t == "BP")
        return 2;
    if (t == "BPK") {
        *boxInProgress = 1;
        *complete = 1;
        return 2;
    }
    return -1;
}

int CTextCommand::GetLastPointTokenIndex() const
{
    for (int i = m_tokenString.GetLength() - 1; i >= 0; --i) {
        switch (m_tokenString.GetAt(i)) {
        case 'P':
        case 'S':
        case 'E':
        case 'B':
            return i;
        default:
            break;
        }
    }
    return -1;
}

void CTextCommand::Reset()
{
    CZelkDoc* doc = m_doc;
    if (doc->m_pointSearch)
        doc->m_pointSearch->EraseMarker();
    doc->DrawDirectionMarks(0);
    ResetStepRecords(doc->m_basePoint);
    m_editPickPosition = 0;
    m_defaultLength = 500.0;
    ClearTempMarks();
    // The box is measured before it is published, so that the views draw the text's box as the
    // settings stand now rather than as they stood at the last measure.
    UpdateTextBox(0);
    PublishTextBox();
    doc->m_inputPoint.Assign(m_inputPoints[0]);
    doc->m_inputMarkFlag = 0;
    m_stepTexts.RemoveAll();
    m_stepValueFlags.RemoveAll();
    m_macroFlag = 0;
    m_editFlag = 0;
    m_savedCreationMode = 0;
    if (g_pApp)
        g_pApp->m_appElem.SetLastCommandKind(0);
    m_macroPattern.Empty();
    ShowGuidance();
}

void CTextCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with its input side; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
