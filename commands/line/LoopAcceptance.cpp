// Whether a letter may join the loop command's token string: by the chosen mode's group (or every
// pattern while no mode was chosen without popup menus), or by the pattern a macro announced.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/PatternTable.h"
#include "input/PatternGroup.h"

namespace {

void Message(const char* text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

// The candidate and the pattern agree over the shorter of their lengths.
bool AgreesWith(const CString& candidate, const CString& pattern)
{
    const int n = candidate.GetLength() < pattern.GetLength() ? candidate.GetLength() : pattern.GetLength();
    return candidate.Left(n) == pattern.Left(n);
}

} // namespace

int CLoopCommand::AcceptInput(const CString& letter)
{
    int single = 0, complete = 0;
    const int b = ClassifyTokens(single, complete);
    const CString& t = m_tokenString;
    // A second angle or axis replaces the first; the string stays.
    if ((letter == "A" && (t == "OA" || t == "A")) || (letter == "L" && t == "OL"))
        return 1;
    if (b < 0)
        return 0;
    const CString candidate = t.Left(b) + letter;
    const bool multi = g_pApp && g_pApp->m_noPopupMenu && !g_pApp->m_modeFromMenu;
    if (multi || !m_modePattern.IsEmpty()) {
        const CPatternGroup* group = nullptr;
        if (multi) {
            for (int i = 0; i < m_patternGroups.GetSize(); ++i) {
                const auto* g = static_cast<const CPatternGroup*>(m_patternGroups[i]);
                if (g->name == "multi")
                    group = g;
            }
        } else {
            group = FindGroupOfPattern(m_modePattern);
        }
        bool fits = false;
        for (int j = 0; group && j < group->patterns.GetSize() && !fits; ++j)
            fits = AgreesWith(candidate, group->patterns[j]);
        if (!fits) {
            Message("不適合な入力です");
            return 0;
        }
    }
    if (!IsAcceptedPrefix(candidate)) {
        Message("対応していない入力です");
        return 0;
    }
    m_tokenString = candidate;
    return 1;
}

int CLoopCommand::AcceptMacroInput(const CString& letter)
{
    if (m_macroPattern.IsEmpty())
        return 0;
    if (letter.IsEmpty()) {
        m_tokenString = m_macroPattern.Left(1);
        return 1;
    }
    int single = 0, complete = 0;
    const int pos = ClassifyTokens(single, complete);
    if (pos < 0 || pos >= m_macroPattern.GetLength())
        return 0;
    if (!MacroLetterMatches(letter, m_macroPattern.GetAt(pos))) {
        Message("不適合な入力です。");
        return 0;
    }
    m_tokenString = m_macroPattern.Left(pos + 1);
    return 1;
}

int CLoopCommand::MacroLetterMatches(const CString& letter, char expected)
{
    switch (expected) {
    case 'A':
    case 'L':
    case 'O':
    case 'P':
    case 'Q': return letter == CString(expected) ? 1 : 0;
    case 'D': return letter == "D" || letter == "A" ? 1 : 0;
    default: return 0;
    }
}

CString CLoopCommand::PlainNumberLetter() const
{
    const bool flag = g_pApp && g_pApp->m_appCommand.m_loopFlag;
    return flag && m_modePattern == "OD" ? CString("D") : CString("A");
}

CString CLoopCommand::TypedToken(int subCode) const
{
    switch (subCode) {
    case 0:
    case 1:
    case 2:
    case 3: return PlainNumberLetter();
    case 4:
    case 5: return "N";
    case 6:
    case 7: return "D";
    case 10: return "F";
    case 11:
    case 12:
    case 15: return "A";
    default: return CString();
    }
}

void CLoopCommand::UpdateLengthInputFlag()
{
    SetLengthInputFlags(PlainNumberLetter() == "D");
}
