// Acceptance of the line command: whether a new letter may join the token string and what the
// string becomes, interactively and under the macro player.
#include "commands/line/LineCommand.h"

#include "app/ZelkApp.h"
#include "commands/line/TokenLists.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "input/PatternGroup.h"

namespace {

const char* const kMsgUnfit = "不適合な入力です";
const char* const kMsgUnsupported = "対応していない入力です";
const char* const kMsgMacroUnfit = "不適合な入力です。";

const CTokenList kMacroCuts = { "#pp", "#pl", "#pc", "#lp", "#ll", "#lc", "#cp", "#cl", "#cc" };
// Token strings whose angle a further angle or angle source replaces under the macro player.
const CTokenList kMacroAngleKept = { "PA", "A", "DA", "BA", "SAN" };

void Message(const char* text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

// A candidate fits a pattern of the chosen group when their common length agrees; a lone point
// also stands for the start or double point a pattern begins with.
bool FitsPattern(const CString& k, const CString& q)
{
    if (k == "P" && !q.IsEmpty() && (q.GetAt(0) == 'S' || q.GetAt(0) == 'B'))
        return true;
    const int n = k.GetLength() < q.GetLength() ? k.GetLength() : q.GetLength();
    return k.Left(n) == q.Left(n);
}

// The letters whose new value or element replaces the one of its position, the string kept.
bool IsReinput(const CString& r, const CString& t)
{
    if (r == "A")
        return TokenIn(t, { "PA", "SA", "LNA", "LA", "A", "DA", "SAN", "LAN", "BA", "AP" });
    if (r == "D")
        return TokenIn(t, { "SD", "SDN", "D", "DA" });
    if (r == "N")
        return TokenIn(t, { "LN", "LAN", "LNA", "SDN", "SAN", "SN" });
    if (r == "L")
        return TokenIn(t, { "PA", "BA", "A", "SAN", "AP", "DA" });
    if (r == "C" || r == "T")
        return TokenIn(t, { "PA", "BA", "A", "SAN", "DA" });
    return false;
}

} // namespace

int CLineCommand::AcceptToken(const CString& letter)
{
    if (m_macroFlag)
        return 0;
    CString r = letter;
    const CString t = m_tokenString;
    int single = 0, complete = 0;
    const int c = ClassifyTokens(single, complete);
    CZelkDoc* doc = m_doc;

    if (m_editFlag) {
        if (m_editBlock == -1 || m_editSlot == -1)
            return 0;
        if (c != 1)
            return AcceptCandidate(TokenHead(t, c) + r);
        if (r != "P")
            return AcceptCandidate(CString("#") + r);
        const CPointD base = doc->m_basePoint;
        return AcceptCandidate(PointsNearlyEqual(base, EditedLinePoint(0))   ? "#S"
                               : PointsNearlyEqual(base, EditedLinePoint(1)) ? "#E"
                                                                              : "#P");
    }
    if (IsReinput(r, t))
        return 1;

    // Rewrites: the first that applies.
    const bool pick = r == "L" || r == "C" || r == "T";
    if (t == "P" && r == "B")
        return AcceptCandidate("B");
    if (t == "B" && r == "P")
        return AcceptCandidate(PointsNearlyEqual(m_inputPoints[0].GetEffective(doc, 1), doc->m_basePoint) ? "" : "BP");
    if (t == "B" && pick) {
        m_tokenString = "BA";
        return 1;
    }
    if (t == "PAP" && r == "PA") {
        m_tokenString = "PA";
        m_inputPoints[0].Assign(m_inputPoints[3]);
        return 1;
    }
    if ((t == "APPP" || t == "APPD") && pick) {
        m_tokenString = "A";
        return 1;
    }
    if ((t == "DP" || t == "DAP") && pick) {
        m_tokenString = "DA";
        return 1;
    }
    if (t == "D" && (r == "L" || r == "C")) {
        m_modePattern = "DLL";
        return AcceptCandidate(CString("D") + r);
    }
    if (m_modePattern == "PAPP" && r == "A" && (t == "P" || t == "PA"))
        return AcceptCandidate(t == "P" ? "PA" : "PAP");
    if (t == "P" && (r == "A" || r == "D")) {
        m_values[2].value = 1.0;
        return AcceptCandidate(r == "A" ? "SAN" : "SDN");
    }
    if (t == "SDN" && r == "L") {
        m_tokenString = "SDNA";
        return 1;
    }
    if (m_modePattern == "APPP" && r == "A")
        return AcceptCandidate("A");
    if (m_modePattern == "LANP") {
        if (r == "L")
            return AcceptCandidate("LAN");
        if (t == "LA" && (r == "P" || r == "H")) {
            m_values[2].value = 1.0;
            return AcceptCandidate(r == "P" ? "LANP" : "LANH");
        }
    }
    if (m_modePattern == "SANP" && t == "SA" && r == "P") {
        m_values[2].value = 1.0;
        return AcceptCandidate("SANP");
    }
    if (TokenBeginsWith(t, "L") && m_modePattern != "LANP") {
        CString k;
        if (r == "L")
            k = complete ? CString("L") : t;
        else if (r == "P")
            k = complete ? CString("LP") : t + "P";
        else if (r == "D")
            k = complete ? CString("LD") : t + "D";
        else if (r == "N")
            k = "LN";
        return AcceptCandidate(k);
    }

    CString k;
    if (c == 1 && t == "P" && (r == "P" || r == "A" || r == "D" || r == "L" || r == "N")) {
        // The lone point becomes the start point.
        k = "S";
        if (r == "P")
            r = "E";
    } else if (r == "PA") {
        if (t == "P") {
            k = "P";
            r = "A";
        }
    } else if (t == "DAP" && r == "P") {
        k = "DA";
    } else {
        k = TokenHead(t, c);
    }
    if ((k == "A" && r == "A") || (k == "D" && r == "D")) {
        if (!IsPatternPrefix(k))
            return 0;
        m_tokenString = k;
        return 1;
    }
    return AcceptCandidate(k + r);
}

// The candidate must fit the chosen construction and begin some pattern; then it is the string.
int CLineCommand::AcceptCandidate(const CString& candidate)
{
    const char* refusal = nullptr;
    if (!m_modePattern.IsEmpty()) {
        const CPatternGroup* group = FindPatternGroup(m_modePattern);
        bool fits = false;
        for (int i = 0; group && !fits && i < group->patterns.GetSize(); ++i)
            fits = FitsPattern(candidate, group->patterns[i]);
        if (!fits)
            refusal = kMsgUnfit;
    }
    if (!refusal && !IsPatternPrefix(candidate))
        refusal = kMsgUnsupported;
    if (refusal) {
        Message(refusal);
        if (m_modePattern == "DLL")
            m_refusalNote = 1;
        return 0;
    }
    m_tokenString = candidate;
    return 1;
}

int CLineCommand::AcceptMacroToken(CString& letter)
{
    const CString& m = m_macroPattern;
    if (!m_macroFlag || m.IsEmpty())
        return 0;
    if (letter.IsEmpty()) {
        m_tokenString = m.Left(1);
        return 1;
    }
    if (letter == "#") {
        m_tokenString = m.Left(1);
        if (TokenIn(m, kMacroCuts))
            m_modePattern = "#pp";
        return 1;
    }
    int single = 0, complete = 0;
    const int c = ClassifyTokens(single, complete);
    if (c == -1 || c >= m.GetLength())
        return 0;
    if (c == 0 && m.GetAt(0) == '#' && (letter == "L" || letter == "C")) {
        m_tokenString = letter;
        return 1;
    }
    if (c != 0 && (m_tokenString.IsEmpty() || m_tokenString.GetAt(0) != m.GetAt(0)))
        return 0;
    const char e = m.GetAt(c);
    const bool angleKept = TokenIn(m_tokenString, kMacroAngleKept);
    if (!FitsExpectedLetter(letter, e) && !angleKept) {
        if ((e == 'A' || e == 'D' || e == 'N' || e == 'F') && letter != "P" && letter != "L" && letter != "C") {
            letter = CString(e);
        } else {
            Message(kMsgMacroUnfit);
            if (TokenIn(m_modePattern, { "DLL", "DLC", "DCL", "DCC" }))
                m_refusalNote = 1;
            return 0;
        }
    }
    if (angleKept && (letter == "A" || letter == "L" || letter == "C" || letter == "T"))
        return 1;
    m_tokenString = m.Left(c + 1);
    return 1;
}

int CLineCommand::FitsExpectedLetter(CString& letter, char expected)
{
    CString& x = letter;
    switch (expected) {
    case 'P':
    case 'S':
    case 'E':
    case 'B':
    case 'H':
        return x == "P" ? 1 : 0;
    case 'A':
        return x == "A" || x == "PA" ? 1 : 0;
    case 'D':
    case 'N':
    case 'F':
    case 'L':
    case 'C':
    case 'Q':
        return x == CString(expected) ? 1 : 0;
    case 'p':
    case 'l':
    case 'c': {
        const CString lower(expected);
        const CString upper(static_cast<char>(expected - 'a' + 'A'));
        if (x == upper)
            x = lower;
        return x == lower ? 1 : 0;
    }
    default:
        return 0;
    }
}
