// The line command object: construction, the pattern table and its lookups, the classification
// of token strings, reset, Enter and the small utilities the input and step routines share.
#include "commands/line/LineCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/CommandFamilies.h"
#include "commands/circle/PatternTable.h"
#include "commands/line/TokenLists.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "input/PatternGroup.h"
#include "input/PointSearch.h"

namespace {

// The named groups in their order; the first pattern of a group is its lead pattern.
const CPatternRow kGroups[] = {
    { "se", { "SE", "SNL" } },
    { "path", { "PAPP", "PAPD" } },
    { "rad_ang", { "SANP", "SAND" } },
    { "rad_leng", { "SDNP", "SDNA" } },
    { "tan", { "CP", "PC", "CC" } },
    { "par", { "LP", "LNP", "SL", "LD", "LND" } },
    { "rad_slant", { "LANP", "LNAP", "LANHP", "LNAHP" } },
    { "ang", { "APPP", "APPD" } },
    { "leng", { "DP", "DAP" } },
    { "corner", { "DLL", "DLC", "DCL", "DCC" } },
    { "box", { "BP", "BDD", "BAP", "BADD" } },
    { "ext", { "#L", "#C", "#P" } },
    { "move", { "#SP", "#EP" } },
    { "edit_ang", { "#AP" } },
    { "edit_leng", { "#DP" } },
    { "cut", { "#pp", "#pl", "#lp", "#pc", "#cp", "#ll", "#lc", "#cl", "#cc" } },
    { "atr", { "#Q" } },
};

// The list of the prefix test; its order is not the groups' order.
const char* const kAcceptedPatterns[] = {
    "SE",  "PAPP", "PAPD", "SANP", "SAND", "SDNA", "SDNP", "SL",  "SNL", "PC",  "BP",  "BAP", "BDD",
    "BADD", "LNP", "LD",   "LND",  "LNAP", "LNAHP", "LP",  "LANP", "LANHP", "CP", "CC",  "APPP", "APPD",
    "DP",  "DAP",  "DLL",  "DLC",  "DCL",  "DCC",  "#L",   "#C",  "#P",  "#SP", "#EP", "#AP", "#DP",
    "#pp", "#pl",  "#pc",  "#lp",  "#ll",  "#lc",  "#cp",  "#cl", "#cc", "#Q",
};

// Complete patterns that start afresh with the next input.
const CTokenList kCompleteFresh = { "SE", "PAPP", "PAPD", "SANP", "SAND", "SDNA", "SDNP", "SL",
                                    "SNL", "PC", "BP", "BAP", "BDD", "BADD", "CP", "CC" };
// Complete patterns whose first line stays: the next input follows their first letter.
const CTokenList kCompleteKeepLine = { "LNP", "LD", "LND", "LNAP", "LNAHP", "LP", "LANP", "LANHP" };
const CTokenList kSingles = { "P", "S", "L", "C", "A", "D", "B" };
// Complete patterns of the continuous modes that are also a single first letter.
const CTokenList kCompleteSingle = { "APPP", "APPD", "DP", "DAP", "DLL", "DLC", "DCL", "DCC" };
const CTokenList kTwoLetters = { "PA", "SA", "SD", "SN", "LN", "LA", "AP", "DA", "DL", "DC", "BA", "BD" };
const CTokenList kThreeLetters = { "PAP", "SAN", "SDN", "LNA", "LAN", "APP", "BAD" };
const CTokenList kFourLetters = { "LNAH", "LANH" };
const CTokenList kCompleteEdits = { "#L",  "#C",  "#P",  "#SP", "#EP", "#AP", "#DP", "#pp", "#pl",
                                    "#pc", "#lp", "#ll", "#lc", "#cp", "#cl", "#cc", "#Q" };
const CTokenList kOpenEdits = { "#S", "#E", "#A", "#D", "#p", "#l", "#c" };

// The advance passes of Enter, the step routines and the constraint change.
constexpr int kAdvancePasses = 5;

} // namespace

CLineCommand::CLineCommand(CZelkDoc* doc, int instance) : m_instance(instance), m_doc(doc)
{
    ResetStepRecords();
    m_modePattern = instance != 0 ? "#L" : "SE";
}

CLineCommand::~CLineCommand()
{
    ClearTempMarks();
    DeletePatternGroups();
}

void CLineCommand::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kGroups);
}

void CLineCommand::BuildPatternLists()
{
    for (const char* p : kAcceptedPatterns)
        m_acceptedPatterns.Add(p);
}

void CLineCommand::DeletePatternGroups()
{
    FreePatternGroups(m_patternGroups);
}

CString CLineCommand::GetGroupLeadPattern(const CString& name) const
{
    return LeadPatternOfGroup(m_patternGroups, name);
}

CString CLineCommand::GetCurrentGroupName() const
{
    if (const CPatternGroup* group = FindPatternGroup(m_tokenString))
        return group->name;
    return CString();
}

CPatternGroup* CLineCommand::FindPatternGroup(const CString& pattern) const
{
    return GroupListingPattern(m_patternGroups, pattern);
}

int CLineCommand::HasCutPointAt(int position) const
{
    return GroupHasLetterAt(FindPatternGroup(m_modePattern), position, 'p');
}

int CLineCommand::IsPatternPrefix(const CString& s) const
{
    if (s.IsEmpty())
        return 1;
    for (int i = 0; i < m_acceptedPatterns.GetSize(); ++i) {
        const CString& p = m_acceptedPatterns[i];
        if (p.GetLength() >= s.GetLength() && p.Left(s.GetLength()) == s)
            return 1;
    }
    return 0;
}

int CLineCommand::ClassifyTokens(int& single, int& complete) const
{
    single = 0;
    complete = 0;
    const CString& t = m_tokenString;
    if (m_editFlag) {
        if (t == "#")
            return 1;
        if (TokenIn(t, kCompleteEdits)) {
            complete = 1;
            return 0;
        }
        return TokenIn(t, kOpenEdits) ? 2 : -1;
    }
    if (t.IsEmpty())
        return 0;
    if (TokenIn(t, kCompleteFresh)) {
        complete = 1;
        return 0;
    }
    if (TokenIn(t, kCompleteKeepLine)) {
        complete = 1;
        return m_macroFlag ? 0 : 1;
    }
    if (TokenIn(t, kSingles)) {
        single = 1;
        return 1;
    }
    if (TokenIn(t, kCompleteSingle)) {
        single = complete = 1;
        return m_macroFlag ? 0 : 1;
    }
    if (TokenIn(t, kTwoLetters))
        return 2;
    if (TokenIn(t, kThreeLetters))
        return 3;
    if (TokenIn(t, kFourLetters))
        return 4;
    return -1;
}

int CLineCommand::LastPointTokenIndex() const
{
    const bool doubles = LineMultiCommand();
    for (int i = m_tokenString.GetLength() - 1; i >= 0; --i) {
        switch (m_tokenString.GetAt(i)) {
        case 'P':
        case 'S':
        case 'E':
        case 'p':
        case 'H':
            return i;
        case 'B':
            if (doubles)
                return i;
            break;
        default:
            break;
        }
    }
    return -1;
}

void CLineCommand::ClearStepOptions(int from)
{
    for (int i = from < 0 ? 0 : from; i < kPositions; ++i)
        m_stepOptions[i] = 0;
}

void CLineCommand::Reset()
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (doc->m_pointSearch)
        doc->m_pointSearch->EraseMarker();
    doc->DrawDirectionMarks(0);
    ResetStepRecords(doc->m_basePoint);
    m_editPickPosition = 0;
    m_defaultLength = 500.0;
    ClearTempMarks();
    doc->m_previewKind = 0;
    doc->m_inputPoint.Assign(m_inputPoints[0]);
    doc->m_inputMarkFlag = 0;
    m_stepTexts.RemoveAll();
    m_stepValueFlags.RemoveAll();
    m_macroFlag = 0;
    m_recorderPointFlag = 0;
    m_refusalNote = 0;
    m_editFlag = 0;
    ClearStepOptions(0);
    if (app)
        app->m_appElem.SetLastCommandKind(0);
    m_savedCreationMode = 0;
    if (m_instance == 0 && PopupMenuOff() && !ModeChosen())
        m_modePattern = "SE";
    m_macroPattern.Empty();
    ShowGuidance();
}

void CLineCommand::OnEnter()
{
    if (!m_tokenString.IsEmpty()) {
        // A typed angle stays for the continuous angle mode.
        m_tokenString = m_tokenString.GetAt(0) == 'A' ? CString("A") : CString();
        m_savedTokenString = m_tokenString;
    }
    ClearTempMarks();
    ClearStepOptions(0);
    m_editFlag = 0;
    m_savedCreationMode = 0;
    int restarted = 0, announce = 0;
    for (int pass = 0; pass < kAdvancePasses; ++pass) {
        if (!restarted)
            SaveOrRestoreStep(0);
        if (!AdvanceWithDefaults(restarted, announce))
            break;
        Execute();
    }
    ShowGuidance();
    if (g_pApp)
        g_pApp->AnnounceDrawingMode(m_doc);
}

// The advance passes of the step routines and the constraint change: a restart clears the
// marks; with execute a complete pattern runs after each advance. Whether the drawing mode is
// to be announced.
int CLineCommand::RunAdvancePasses(int execute)
{
    int restarted = 0, announce = 0;
    for (int pass = 0; pass < kAdvancePasses; ++pass) {
        if (!restarted)
            SaveOrRestoreStep(0);
        const int advanced = AdvanceWithDefaults(restarted, announce);
        if (restarted)
            ClearTempMarks();
        if (!advanced)
            break;
        if (execute && Execute()) {
            if (m_editFlag)
                RestoreCreationMode();
            m_doc->m_previewKind = 0;
        }
    }
    return announce;
}

// After an input or a constraint change: the guidance, the constraint mark of the next step
// and, when asked, the drawing mode.
void CLineCommand::ShowStepAndMark(int announce)
{
    ShowGuidance();
    m_doc->ShowInputPointMark(0);
    SetConstraintReference();
    m_doc->ShowInputPointMark(1);
    if (announce && g_pApp)
        g_pApp->AnnounceDrawingMode(m_doc);
}

int CLineCommand::PopupMenuOff() const
{
    return g_pApp && g_pApp->m_noPopupMenu ? 1 : 0;
}

int CLineCommand::ModeChosen() const
{
    return g_pApp && g_pApp->m_modeFromMenu ? 1 : 0;
}

int CLineCommand::LineMultiCommand() const
{
    return g_pApp && g_pApp->m_appCommand.m_lineFlag ? 1 : 0;
}

void CLineCommand::SwitchModeTo(const CString& pattern)
{
    m_autoSavedModePattern = m_modePattern;
    m_autoSavedTokenString = m_tokenString;
    m_modePattern = pattern;
}

// The creation log's tentative elements (a continuous line, a guide) are taken away.
void CLineCommand::RollBackTentative()
{
    if (CCreationLog* log = m_doc->m_creationLog) {
        log->EraseLogged();
        log->Rollback();
    }
}

// end 0 the start, 1 the end of the line being edited; (0, 0) when there is none.
CPointD CLineCommand::EditedLinePoint(int end) const
{
    const CLine* line = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!line)
        return CPointD();
    return end == 0 ? line->m_start : line->m_end;
}
