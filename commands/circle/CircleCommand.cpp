// The circle and arc command object: construction, the pattern table and its lookups, reset,
// Enter and the small step utilities the input, advance and step-back routines share.
#include "commands/circle/CircleCommand.h"

#include <initializer_list>

#include "app/ZelkApp.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "input/PatternGroup.h"
#include "input/PointPair.h"
#include "input/PointSearch.h"

namespace {

// The named groups in their order; the first pattern of a group is its lead pattern.
const CPatternRow kGroups[] = {
    { "center", { "PP", "PD", "PL", "PC" } },
    { "dia", { "BB", "BDA", "BAD", "BAP", "BDP" } },
    { "ang", { "APP" } },
    { "cont_radius", { "DP" } },
    { "cont_tantan", { "DLL", "DLC", "DCL", "DCC", "DLP", "DLH", "DCP", "DCH", "DBL", "DBC", "DBP" } },
    { "tantantan", { "LLL", "LLC", "LCL", "LCC", "CLL", "CLC", "CCL", "CCC", "LLP", "LLH", "LCP", "LCH", "CLP",
                     "CLH", "CCP", "CCH", "BLL", "BLC", "BCL", "BCC", "LPL", "LHL", "LPC", "LHC", "CPL", "CHL",
                     "CPC", "CHC", "LPP", "LHP", "CPP", "CHP", "BPL", "BPC", "BLP", "BLH", "BCP", "BCH", "BPP",
                     "BSE", "BPD", "BPA" } },
    { "poly", { "NPP", "NPD", "NPAP", "NPAD", "NAPP", "NAPD" } },
    { "cont_poly", { "DNP", "DNAP" } },
    { "ext", { "#P", "#L", "#C", "#A" } },
    { "arc_cut", { "#pp", "#pl", "#lp", "#pc", "#cp", "#ll", "#lc", "#cl", "#cc", "#pP", "#pL", "#lP", "#pC", "#cP",
                   "#lL", "#lC", "#cL", "#cC", "#pA", "#lA", "#cA" } },
    { "arc_radius", { "#D" } },
    { "move", { "#SP", "#EP" } },
    { "arc_atr", { "#Q" } },
    { "arc_conic", { "#JP", "#JR" } },
    { "conic_arc", { "&V" } },
    { "to_arc", { "%PP", "%PA", "%AP", "%PL", "%LP", "%PC", "%CP", "%AA", "%AL", "%LA", "%AC", "%CA", "%LL", "%LC",
                  "%CL", "%CC", "%pp", "%pA", "%Ap", "%pl", "%lp", "%pc", "%cp", "%Al", "%lA", "%Ac", "%cA", "%ll",
                  "%lc", "%cl", "%cc", "%pP", "%pL", "%lP", "%pC", "%cP", "%lL", "%lC", "%cL", "%cC" } },
    { "circ_radius", { "%D" } },
    { "circ_atr", { "%Q" } },
    { "circ_conic", { "%JP", "%JR" } },
};

// The flat lists of the prefix test; their order is not the groups' order.
const char* const kCreationPatterns[] = {
    "PD", "PP", "PL", "PC", "DP", "DLP", "DCP", "DLH", "DCH", "DLL", "DLC", "DCL", "DCC", "DBL", "DBC",
    "DBP", "DNP", "DNAP", "BSE", "BPP", "BPD", "BPA", "BPL", "BPC", "BDA", "BDP", "BB", "BAD", "BAP", "BLP",
    "BCP", "BLH", "BCH", "BLL", "BLC", "BCL", "BCC", "APP", "LPP", "LPL", "LPC", "LHP", "LHL", "LHC", "LLP",
    "LLH", "LLL", "LLC", "LCP", "LCH", "LCL", "LCC", "CPP", "CPL", "CPC", "CHP", "CHL", "CHC", "CLP", "CLH",
    "CLL", "CLC", "CCP", "CCH", "CCL", "CCC", "NPD", "NPP", "NPAD", "NPAP", "NAPD", "NAPP", "#P", "#L", "#C",
    "#A", "#D", "#SP", "#EP", "#pp", "#pl", "#pc", "#lp", "#ll", "#lc", "#cp", "#cl", "#cc", "#pP", "#pL",
    "#pC", "#lP", "#lL", "#lC", "#cP", "#cL", "#cC", "#pA", "#lA", "#cA", "#Q", "#JP", "#JR", "&V",
};

const char* const kCircleEditPatterns[] = {
    "%D", "%PP", "%PA", "%PL", "%PC", "%AP", "%AA", "%AL", "%AC", "%LP", "%LA", "%LL", "%LC", "%CP", "%CA",
    "%CL", "%CC", "%Ap", "%Al", "%Ac", "%pp", "%pA", "%pl", "%pc", "%lp", "%lA", "%ll", "%lc", "%cp", "%cA",
    "%cl", "%cc", "%pP", "%pL", "%pC", "%lP", "%lL", "%lC", "%cP", "%cL", "%cC", "%Q", "%JP", "%JR",
};

bool BeginsWith(const CString& s, const CString& head)
{
    return s.GetLength() >= head.GetLength() && s.Left(head.GetLength()) == head;
}

} // namespace

CCircleCommand::CCircleCommand(CZelkDoc* doc, int instance) : m_instance(instance), m_doc(doc)
{
    ResetStepRecords();
    if (instance == 0) {
        m_modePattern = "PP";
    } else {
        m_lastCircleEditPattern = "%PP";
        m_lastArcEditPattern = "#P";
    }
}

CCircleCommand::~CCircleCommand()
{
    ClearTempMarks();
    DeletePatternGroups();
    ClearCandidates();
}

void CCircleCommand::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kGroups);
}

void CCircleCommand::BuildPatternLists()
{
    for (const char* p : kCreationPatterns)
        m_creationPatterns.Add(p);
    for (const char* p : kCircleEditPatterns)
        m_circleEditPatterns.Add(p);
}

void CCircleCommand::DeletePatternGroups()
{
    FreePatternGroups(m_patternGroups);
}

CString CCircleCommand::GetGroupLeadPattern(const CString& name) const
{
    return LeadPatternOfGroup(m_patternGroups, name);
}

CString CCircleCommand::GetCurrentGroupName() const
{
    if (const CPatternGroup* group = FindGroupOfPattern(m_tokenString))
        return group->name;
    return CString();
}

CPatternGroup* CCircleCommand::FindGroupOfPattern(const CString& pattern) const
{
    return GroupListingPattern(m_patternGroups, pattern);
}

int CCircleCommand::HasCutPointAt(int position) const
{
    return GroupHasLetterAt(FindGroupOfPattern(m_modePattern), position, 'p');
}

int CCircleCommand::IsPatternPrefix(const CString& s) const
{
    if (s.IsEmpty())
        return 1;
    for (int i = 0; i < m_creationPatterns.GetSize(); ++i) {
        if (BeginsWith(m_creationPatterns[i], s))
            return 1;
    }
    const int b = s.Find('%');
    if (b < 0)
        return 0;
    const CString tail = s.Mid(b);
    for (int i = 0; i < m_circleEditPatterns.GetSize(); ++i) {
        if (BeginsWith(m_circleEditPatterns[i], tail))
            return 1;
    }
    return 0;
}

void CCircleCommand::Reset()
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (doc->m_pointSearch)
        doc->m_pointSearch->EraseMarker();
    m_savedTokenString.Empty();
    m_tokenString.Empty();
    ResetStepRecords();
    m_inputPoints[0].SetBoth(doc->m_basePoint);
    m_savedInputPoints[0].SetBoth(doc->m_basePoint);
    m_editPickPosition = 0;
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
    m_savedCreationMode = 0;
    m_pickFlag = 0;
    m_circleCentreFlag = 0;
    m_lastPickedCircle = nullptr;
    m_lastPickedArc = nullptr;
    ClearStepOptions(0);
    if (app) {
        app->m_appElem.SetLastCommandKind(0);
        if (m_instance == 0 && app->m_noPopupMenu && !app->m_modeFromMenu)
            m_modePattern = "PP";
    }
    m_macroPattern.Empty();
    ShowGuidance();
}

void CCircleCommand::OnEnter()
{
    if (!m_tokenString.IsEmpty()) {
        m_tokenString = m_tokenString.GetAt(0) == 'D' ? CString("D") : CString();
        m_savedTokenString = m_tokenString;
    }
    ClearTempMarks();
    ClearStepOptions(0);
    m_editFlag = 0;
    m_savedCreationMode = 0;
    m_circleCentreFlag = 0;
    int complete = 0, done = 0;
    for (int pass = 0; pass < 6; ++pass) {
        if (!complete)
            SaveOrRestoreStep(0);
        if (!AdvanceWithDefaults(complete, done))
            break;
        Execute();
    }
    ShowGuidance();
    if (g_pApp)
        g_pApp->AnnounceDrawingMode(m_doc);
}

void CCircleCommand::ClearStepOptions(int position)
{
    for (int i = position < 0 ? 0 : position; i < kPositions; ++i)
        m_stepOptions[i] = 0;
}

void CCircleCommand::ResetTokensToRadius()
{
    if (m_modePattern == "DLL")
        m_tokenString = "D";
}

int CCircleCommand::GetLastPointTokenIndex() const
{
    for (int i = m_tokenString.GetLength() - 1; i >= 0; --i) {
        switch (m_tokenString.GetAt(i)) {
        case 'P':
        case 'B':
        case 'H':
        case 'S':
        case 'E':
        case 'p':
            return i;
        default:
            break;
        }
    }
    return -1;
}

void CCircleCommand::UpdateLengthInputFlag()
{
    SetLengthInputFlags(DefaultValueLetter() == "D");
}

int CCircleCommand::OptionApplies() const
{
    const CZelkApp* app = g_pApp;
    if (!app)
        return 0;
    return (m_circleFlag == 1 && app->m_appCommand.m_circleFlag) || (m_circleFlag == 0 && app->m_appCommand.m_arcFlag)
               ? 1
               : 0;
}

int CCircleCommand::EitherOptionOn() const
{
    const CZelkApp* app = g_pApp;
    return app && (app->m_appCommand.m_circleFlag || app->m_appCommand.m_arcFlag) ? 1 : 0;
}

int CCircleCommand::PopupMenuOff() const
{
    return g_pApp && g_pApp->m_noPopupMenu ? 1 : 0;
}

int CCircleCommand::ModeChosen() const
{
    return g_pApp && g_pApp->m_modeFromMenu ? 1 : 0;
}

// ---- neighbours -----------------------------------------------------------------------------

void CCircleCommand::ClearCandidates()
{
    for (int i = 0; i < m_candidates.GetSize(); ++i)
        delete static_cast<CPointPair*>(m_candidates[i]);
    m_candidates.RemoveAll();
    m_candidateIndex = 0;
}
