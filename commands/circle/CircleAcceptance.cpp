// Classification, acceptance and advancing with defaults of the circle command: where the next
// letter goes, what the token string becomes for a new letter, and which default point,
// constraint or number lets a step go on without input.
#include "commands/circle/CircleCommand.h"

#include <initializer_list>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "geometry/Numeric.h"
#include "input/PatternGroup.h"
#include "input/PickList.h"

namespace {

using List = std::initializer_list<const char*>;

bool In(const CString& s, List list)
{
    for (const char* item : list) {
        if (s == item)
            return true;
    }
    return false;
}

// Complete creation patterns that restart from nothing.
const List kCompleteCreation = {
    "PD", "BSE", "PP", "PL", "PC", "BPP", "BPD", "BPA", "BPL", "BPC", "BDA", "BDP", "BB", "BAD", "BAP",
    "BLP", "BCP", "BLH", "BCH", "BLL", "BLC", "BCL", "BCC", "APP", "LPP", "LPL", "LPC", "LHP", "LHL", "LHC",
    "LLP", "LLH", "LLL", "LLC", "LCP", "LCH", "LCL", "LCC", "CPP", "CPL", "CPC", "CHP", "CHL", "CHC", "CLP",
    "CLH", "CLL", "CLC", "CCP", "CCH", "CCL", "CCC", "NPD", "NPP", "NPAD", "NPAP", "NAPD", "NAPP",
};
const List kSingles = { "P", "D", "B", "A", "L", "C", "N" };
// Complete patterns of the continuous radius modes: the radius stays.
const List kRadiusKept = { "DP", "DLP", "DCP", "DLH", "DCH", "DLL", "DLC", "DCL", "DCC", "DBL", "DBC", "DBP" };
const List kTwoLetters = { "DL", "DC", "DB", "DN", "BP", "BS", "BD", "BA", "BL", "BC", "AP",
                           "LP", "LD", "LH", "LL", "LC", "CP", "CH", "CL", "CC", "NP", "NA" };
const List kThreeLetters = { "DNA", "NPA", "NAP" };
const List kCompleteCircleEdit = {
    "%D", "%PP", "%PA", "%PL", "%PC", "%AP", "%AA", "%AL", "%AC", "%LP", "%LA", "%LL", "%LC", "%CP", "%CA",
    "%CL", "%CC", "%Ap", "%Al", "%Ac", "%pp", "%pA", "%pl", "%pc", "%lp", "%lA", "%ll", "%lc", "%cp", "%cA",
    "%cl", "%cc", "%pP", "%pL", "%pC", "%lP", "%lL", "%lC", "%cP", "%cL", "%cC", "%Q", "%JP", "%JR",
};
const List kOpenCircleEdit = { "%P", "%A", "%L", "%C", "%p", "%l", "%c", "%J" };
// Complete arc and ellipse edits; the three cut patterns ending in an angle are dispatched like
// the others, so they count as complete too.
const List kCompleteArcEdit = {
    "#P", "#L", "#C", "#A", "#D", "#SP", "#EP", "#pp", "#pl", "#pc", "#lp", "#ll", "#lc", "#cp", "#cl",
    "#cc", "#pP", "#pL", "#pC", "#lP", "#lL", "#lC", "#cP", "#cL", "#cC", "#Q", "#JP", "#JR", "&V",
    "#pA", "#lA", "#cA",
};
const List kOpenArcEdit = { "#S", "#E", "#p", "#l", "#c", "#J" };
const List kMacroArcCuts = { "#pp", "#pl", "#lp", "#pc", "#cp", "#ll", "#lc", "#cl", "#cc",
                             "#pP", "#pL", "#lP", "#pC", "#cP", "#lL", "#lC", "#cL", "#cC" };
const List kMacroCircleCuts = { "%pp", "%pA", "%Ap", "%pl", "%lp", "%pc", "%cp", "%Al", "%lA", "%Ac", "%cA", "%ll",
                                "%lc", "%cl", "%cc", "%pP", "%pL", "%lP", "%pC", "%cP", "%lL", "%lC", "%cL", "%cC" };

const char* const kMsgUnfit = "不適合な入力です";
const char* const kMsgUnsupported = "対応していない入力です";
const char* const kMsgMacroUnfit = "不適合な入力です。";
const char* const kMsgDefaultPoint = "既定点でステップを進めました";
const char* const kMsgMacroDefaultPoint = "マクロの既定点でステップを進めました";
const char* const kMsgConstraintPoint = "点拘束でステップを進めました";
const char* const kMsgDefaultValue = "既定数値でステップを進めました";
const char* const kMsgMacroDefaultValue = "マクロの既定数値でステップを進めました";

// The first n letters; a position of -1 keeps none.
CString Head(const CString& s, int n)
{
    return n <= 0 ? CString() : s.Left(n);
}

void Message(const char* text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

// K fits a pattern Q of the chosen group when their common length agrees letter by letter, a
// plain point standing for a double point or the start of an arc where Q has one.
bool FitsPattern(const CString& k, const CString& q)
{
    const int n = k.GetLength() < q.GetLength() ? k.GetLength() : q.GetLength();
    for (int i = 0; i < n; ++i) {
        const char a = k.GetAt(i), b = q.GetAt(i);
        if (a != b && !(a == 'P' && (b == 'S' || b == 'B')))
            return false;
    }
    return true;
}

// The expected letter, or the one that stands for it (which then becomes the expected one).
int Rewrite(CString& letter, const char* standIn, const char* expected)
{
    if (letter == standIn)
        letter = expected;
    return letter == expected ? 1 : 0;
}

} // namespace

int CCircleCommand::ClassifyTokens(int& single, int& complete) const
{
    single = 0;
    complete = 0;
    const CString& t = m_tokenString;
    const int b = t.Find('%');
    if (b >= 0) {
        const CString s = t.Mid(b);
        if (s == "%")
            return b + 1;
        if (In(s, kCompleteCircleEdit)) {
            complete = 1;
            return t.GetAt(0) == 'D' ? 1 : 0;
        }
        if (In(s, kOpenCircleEdit))
            return b + 2;
        return -1;
    }
    if (m_editFlag) {
        if (t == "#" || t == "&")
            return 1;
        if (In(t, kCompleteArcEdit)) {
            complete = 1;
            return 0;
        }
        return In(t, kOpenArcEdit) ? 2 : -1;
    }
    int answer = -1;
    if (t.IsEmpty()) {
        answer = 0;
    } else if (In(t, kCompleteCreation)) {
        complete = 1;
        answer = 0;
    } else if (In(t, kSingles)) {
        single = 1;
        answer = 1;
    } else if (In(t, kRadiusKept)) {
        complete = single = 1;
        answer = m_macroFlag ? 0 : 1;
    } else if (t == "DNP") {
        complete = single = 1;
        answer = 2;
    } else if (t == "DNAP") {
        complete = single = 1;
        answer = 3;
    } else if (In(t, kTwoLetters)) {
        answer = 2;
    } else if (In(t, kThreeLetters)) {
        answer = 3;
    }
    // Under the command option the count, or count and angle, stay for the next polygon.
    if (OptionApplies() && m_modePattern == "NPP") {
        if (In(t, { "NPP", "NPD", "NPAP", "NPAD" })) {
            complete = single = 1;
            answer = m_macroFlag ? 0 : 1;
        } else if (In(t, { "NAPP", "NAPD" })) {
            complete = single = 1;
            answer = 2;
        }
    }
    return answer;
}

int CCircleCommand::AcceptToken(const CString& letter)
{
    int single = 0, complete = 0;
    const int p = ClassifyTokens(single, complete);
    if (complete)
        m_circleCentreFlag = 0;
    const CString& t = m_tokenString;
    CString k;
    int verdict = -1;
    if (t.Find('%') >= 0 || t.Find('#') >= 0)
        verdict = AcceptEdit(letter, p, k);
    else if (m_editFlag)
        verdict = AcceptEntryEdit(letter, p, k);
    else
        verdict = AcceptCreation(letter, p, complete, k);
    if (verdict >= 0)
        return verdict;
    return TestCandidate(k);
}

// Creation: 1 or 0 decided at once, or -1 with the candidate in k.
int CCircleCommand::AcceptCreation(const CString& x, int p, int, CString& k)
{
    const CString& t = m_tokenString;
    CZelkDoc* doc = m_doc;
    // Re-entries: the new value replaces the one of its position.
    if ((x == "D" && In(t, { "D", "DN", "DNA", "BD", "LD" })) ||
        (x == "A" && In(t, { "A", "DNA", "BA", "NA", "NAP", "NPA" })) ||
        (x == "N" && In(t, { "DN", "DNA", "N", "NP", "NA", "NAP", "NPA" })) ||
        ((x == "L" || x == "C" || x == "T") && In(t, { "DNA", "NA", "NPA" })))
        return 1;
    if (x == "C" && t == "P" && m_modePattern == "PP") {
        CElemRef ref;
        if (!doc->m_pickList->GetCurrent(ref))
            return 0;
        const CCircle* circle = doc->GetCircleElem(ref.m_block, ref.m_slot);
        const CArc* arc = doc->GetArcElem(ref.m_block, ref.m_slot);
        CPointD centre;
        bool found = false;
        if (ref.m_kind == ELEM_CIRCLE && circle) {
            centre = circle->m_centre;
            found = true;
        } else if (ref.m_kind == ELEM_ARC && arc) {
            centre = arc->m_centre;
            found = true;
        }
        if (found && PointsNearlyEqual(centre, m_inputPoints[0].point))
            return 1;
    }
    // Rewrites.
    const bool pick = x == "L" || x == "C" || x == "T";
    if (t == "P" && x == "B")
        k = "B";
    else if (t == "BP" && x == "B")
        k = "BB";
    else if (t == "B" && x == "P" && PointsNearlyEqual(doc->m_basePoint, m_inputPoints[0].point))
        k = "BS";
    else if (t == "BS" && x == "P")
        k = "BSE";
    else if (t == "DNP" && (x == "D" || x == "N"))
        k = "DN";
    else if (t == "DNAP" && (x == "D" || x == "N"))
        k = "DNA";
    else if ((t == "DNP" || t == "DNAP") && x == "A")
        k = "DNA";
    else if (In(t, { "DN", "DNP", "DNAP" }) && pick)
        k = "DNA";
    else if (t == "N" && pick)
        k = "NA";
    else if (t == "NP" && pick)
        k = "NPA";
    else if (p == 0 && m_modePattern == "PP" && EitherOptionOn() && x == "C") {
        k = "P";
        m_circleCentreFlag = 1;
    }
    if (!k.IsEmpty())
        return -1;
    // Tangent points: a point on the element just picked.
    const CPointD base = doc->m_basePoint;
    auto onLine = [&](int i) { return m_pickedLines[i].SideOfPoint(base) == 2; };
    auto onCircle = [&](int i) { return m_pickedCircles[i].ClassifyPoint(base) == 2; };
    bool on = false;
    if (t == "L")
        on = onLine(0);
    else if (t == "DL" || t == "BL" || t == "CL")
        on = onLine(1);
    else if (t == "LL")
        on = onLine(1) || onLine(0);
    else if (t == "C")
        on = onCircle(0);
    else if (t == "DC" || t == "BC")
        on = onCircle(1);
    else if (t == "LC")
        on = onCircle(1) || onLine(0);
    else if (t == "CC")
        on = onCircle(1) || onCircle(0);
    if (x == "P" && ((t == "LH" && onLine(0)) || (t == "CH" && onCircle(0))))
        return 1;
    k = Head(t, p);
    if (on && x == "P") {
        k += "H";
        return -1;
    }
    // Re-entries by prefix: a new radius, count or angle restarts after what stays.
    if ((k == "D" && x == "D") || (k == "N" && x == "N") ||
        (k == "NA" && (x == "N" || x == "A" || pick))) {
        if (!IsPatternPrefix(k))
            return 0;
        m_tokenString = k;
        return 1;
    }
    k += x;
    return -1;
}

// Token strings of an edit of a circle ("%") or an arc ("#").
int CCircleCommand::AcceptEdit(CString x, int p, CString& k)
{
    const CString& t = m_tokenString;
    if ((x == "J" || x == "A" || x == "L") && (t == "%J" || t == "#J"))
        return 1;
    if (m_editBlock == -1 || m_editSlot == -1)
        return 0;
    k = Head(t, p);
    if (EitherOptionOn()) {
        if (m_modePattern == "PP" && k.IsEmpty() && x == "C") {
            m_circleCentreFlag = 1;
            x = "P";
        } else if ((m_modePattern == "#SP" || m_modePattern == "#EP") && k == "#" && x == "P") {
            const CPointD base = m_doc->m_basePoint;
            if (PointsNearlyEqual(base, EditedArcPoint(0)))
                x = "S";
            else if (PointsNearlyEqual(base, EditedArcPoint(1)))
                x = "E";
        }
    }
    if (x == k)
        x.Empty();
    k += x;
    return -1;
}

// The first letters of an edit that has no "%" or "#" yet: the edit entry's own letter.
int CCircleCommand::AcceptEntryEdit(const CString& x, int p, CString& k)
{
    const CString& t = m_tokenString;
    if (m_editBlock == -1 || m_editSlot == -1)
        return 0;
    if (p == 1) {
        if (x == "P") {
            if (m_editClass == 0) {
                const CArc* arc = m_doc->GetArcElem(m_editBlock, m_editSlot);
                const int where = arc ? arc->SnapClassOfPoint(m_doc->m_basePoint) : 0;
                k = where == 2 ? "#S" : where == 6 ? "#E" : "#P";
            } else {
                k.Empty();
            }
        } else {
            k = Head(t, 1) + x;
        }
    } else {
        k = Head(t, p) + x;
    }
    return -1;
}

int CCircleCommand::TestCandidate(const CString& k)
{
    if (!m_modePattern.IsEmpty()) {
        const CPatternGroup* group = FindGroupOfPattern(m_modePattern);
        bool fits = false;
        for (int i = 0; group && !fits && i < group->patterns.GetSize(); ++i)
            fits = FitsPattern(k, group->patterns[i]);
        if (!fits) {
            Message(kMsgUnfit);
            if (m_modePattern == "DLL")
                m_refusalNote = 1;
            return 0;
        }
    }
    if (!IsPatternPrefix(k)) {
        Message(kMsgUnsupported);
        return 0;
    }
    m_tokenString = k;
    return 1;
}

int CCircleCommand::AcceptMacroToken(CString& letter)
{
    const CString& m = m_macroPattern;
    if (!m_macroFlag || m.IsEmpty())
        return 0;
    if (letter.IsEmpty()) {
        m_tokenString = m.Left(1);
        return 1;
    }
    if (letter == "#" || letter == "%") {
        m_tokenString = m.Left(1);
        if (letter == "#" && In(m, kMacroArcCuts))
            m_modePattern = "#pp";
        else if (letter == "%" && In(m, kMacroCircleCuts))
            m_modePattern = "%pp";
        return 1;
    }
    int single = 0, complete = 0;
    const int p = ClassifyTokens(single, complete);
    if (p == -1 || p >= m.GetLength())
        return 0;
    if (p > 0 && (m_tokenString.IsEmpty() || m.GetAt(0) != m_tokenString.GetAt(0)))
        return 0;
    if (p == 0 && m.GetAt(0) == '#' && (letter == "L" || letter == "C")) {
        m_tokenString = letter;
        return 1;
    }
    const char e = m.GetAt(p);
    if (FitsExpectedLetter(letter, e)) {
        m_tokenString = m.Left(p + 1);
        return 1;
    }
    if ((e == 'A' || e == 'D' || e == 'N' || e == 'F') && letter != "P" && letter != "L" && letter != "C") {
        letter = CString(e);
        m_tokenString = m.Left(p + 1);
        return 1;
    }
    if ((m == "PP" || m == "PD") && p == 0 && letter == "C") {
        m_tokenString = "P";
        return 1;
    }
    Message(kMsgMacroUnfit);
    if (In(m, { "DLL", "DLC", "DCL", "DCC" }))
        m_refusalNote = 1;
    return 0;
}

int CCircleCommand::FitsExpectedLetter(CString& letter, char expected)
{
    const CString& x = letter;
    switch (expected) {
    case 'P':
    case 'S':
    case 'E':
    case 'B':
    case 'H':
        return x == "P" || x == "p";
    case 'A':
        return x == "A" || x == "PA";
    case 'D':
    case 'N':
    case 'F':
    case 'L':
    case 'C':
    case 'Q':
        return x == CString(expected);
    case 'R':
        return Rewrite(letter, "A", "R");
    case 'p':
        return Rewrite(letter, "P", "p");
    case 'l':
        return Rewrite(letter, "L", "l");
    case 'c':
        return Rewrite(letter, "C", "c");
    case 'J':
        return x == "J" || x == "A";
    default:
        return 0;
    }
}

// A default letter offered to acceptance: the macro's when a macro drives the object.
int CCircleCommand::OfferDefault(const CString& letter, const char* message)
{
    CString x = letter;
    if (!(m_macroFlag ? AcceptMacroToken(x) : AcceptToken(x)))
        return 0;
    Message(message);
    return 1;
}

int CCircleCommand::AdvanceWithDefaults(int& complete, int& done)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    int single = 0, c = 0;
    int p = ClassifyTokens(single, c);
    if (c && m_instance != 0) {
        complete = done = 1;
        return 0;
    }
    // A string that fits nothing has no step to supply a default for.
    if (p < 0 || p >= kPositions)
        return 0;
    const int last = GetLastPointTokenIndex();
    const CPointD r = last >= 0 ? m_inputPoints[last].GetEffective(doc, 1) : CPointD();
    const CString head = Head(m_tokenString, p);
    auto mayFollow = [&](const char* letters) {
        for (const char* l = letters; *l; ++l) {
            if (IsPatternPrefix(head + CString(*l)))
                return true;
        }
        return false;
    };
    int answer = 0;
    if (mayFollow("PHBSE")) {
        CInputPoint* s = &m_inputPoints[p];
        bool taken = false;
        if (s->flags & 0x02) {
            doc->SetBasePoint(s->point, doc->WorldToRelative(s->point));
            if (OfferDefault("P", m_macroFlag ? kMsgMacroDefaultPoint : kMsgDefaultPoint)) {
                taken = true;
                if (c)
                    complete = 1;
                p = ClassifyTokens(single, c);
                if (p < 0 || p >= kPositions)
                    return 1;
                doc->m_inputPoint.Assign(m_inputPoints[p]);
                s = &m_inputPoints[p];
                answer = 1;
            }
        }
        if (!taken && !(s->flags & 0x01)) {
            if (last >= 0)
                s->SetBoth(r);
            if (c)
                complete = 1;
        }
        doc->m_inputPoint.Assign(*s);
        if (s->mode == 2) {
            CString x = "P";
            if (AcceptToken(x)) {
                if (app)
                    app->m_constraintStepRef = 1;
                if (c)
                    complete = 1;
                if (app)
                    app->ShowResultMessage(kMsgConstraintPoint, 0);
                p = ClassifyTokens(single, c);
                if (p >= 0 && p < kPositions)
                    doc->m_inputPoint.Assign(m_inputPoints[p]);
                answer = 1;
            }
        } else if (s->mode == 3 && app) {
            app->m_constraintStepX = 1;
            app->m_constraintStepY = 0;
        } else if (s->mode == 4 && app) {
            app->m_constraintStepY = 1;
            app->m_constraintStepX = 0;
        }
        doc->m_previewKind = static_cast<std::int16_t>(ShowRubberBand());
        if (answer)
            return 1;
    }
    if (mayFollow("DANR") && m_values[p].flag != 0) {
        const int flag = m_values[p].flag;
        const char* letter = flag == 11 ? "A" : flag == 4 ? "N" : flag == 14 ? "R" : "D";
        if (OfferDefault(letter, m_macroFlag ? kMsgMacroDefaultValue : kMsgDefaultValue)) {
            if (c)
                complete = 1;
            answer = 1;
            StoreLastValue();
            doc->m_previewKind = static_cast<std::int16_t>(ShowRubberBand());
        }
    }
    return answer;
}
