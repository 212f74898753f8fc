// The line command's guidance pair: which row of the text tables the state selects. Where no
// row matches, the pair stays as it was, so that the texts of the previous step stay on screen.
#include "commands/line/LineCommand.h"

#include <cstring>

#include "app/ZelkApp.h"
#include "commands/circle/PatternTable.h"
#include "commands/line/LineGuidanceTexts.h"

namespace {

struct CLinePair {
    CString prompt;
    CString hint;
};

// The mode pair and the continuous pair of one call; both empty while the flag is off.
struct CLineWorkPairs {
    CLinePair mode;
    CLinePair continuous;
};

bool InList(const CString& s, const char* const* list, int count)
{
    for (int i = 0; i < count; ++i)
        if (s == list[i])
            return true;
    return false;
}

CLinePair PairOf(const CLineTextPair& p)
{
    return { p.prompt, p.hint };
}

CLineWorkPairs FillWorkPairs(const CString& mode, const CString& tokens, bool flag, bool all)
{
    using namespace LineTexts;
    CLineWorkPairs w;
    if (!flag)
        return w;
    for (int i = 0; i < kModePairCount; ++i) {
        const CLineModePairRow& r = kModePairs[i];
        if (mode != r.mode)
            continue;
        const bool allLines = all && (r.allPatterns == 'L' || (r.allPatterns == 'X' && tokens == "SL"));
        w.mode = allLines ? PairOf(kAllLines) : CLinePair{ r.prompt, r.hint };
        break;
    }
    if (mode == "LP")
        w.continuous = all && tokens == "SL" ? PairOf(kAllLines) : PairOf(kContinuous);
    return w;
}

// A cell's text, with the named pairs it may stand for resolved.
CString CellText(const char* text, bool prompt, const CLineWorkPairs& w)
{
    using namespace LineTexts;
    if (std::strcmp(text, kStartLinePromptRef) == 0)
        return kStartLine.prompt;
    if (std::strcmp(text, kStartLineHintRef) == 0)
        return kStartLine.hint;
    if (std::strcmp(text, kContinuousRef) == 0)
        return prompt ? w.continuous.prompt : w.continuous.hint;
    return text;
}

} // namespace

void CLineCommand::ShowGuidance()
{
    using namespace LineTexts;
    const bool flag = LineMultiCommand() != 0;
    const bool all = PopupMenuOff() && !ModeChosen();
    const CString& t = m_tokenString;
    const CLineWorkPairs w = FillWorkPairs(m_modePattern, t, flag, all);
    auto take = [this](const CLinePair& pair) {
        m_prompt = pair.prompt;
        m_hint = pair.hint;
    };

    if (m_macroFlag) {
        m_prompt = MacroStepNote(t, m_stepTexts);
    } else if (m_editFlag && t == "#") {
        if (flag && all) {
            take(PairOf(kEditLeadAll));
        } else if (flag) {
            for (int i = 0; i < kEditLeadRowCount; ++i)
                if (m_modePattern == kEditLeadRows[i].mode) {
                    take({ kEditLeadRows[i].prompt, kEditLeadRows[i].hint });
                    break;
                }
        }
    } else if (m_editFlag) {
        if (InList(t, kEditClearedPatterns, kEditClearedPatternCount)) {
            take(CLinePair());
        } else {
            for (int i = 0; i < kEditStepRowCount; ++i) {
                const CLineEditRow& r = kEditStepRows[i];
                if (t != r.tokens)
                    continue;
                if (flag && m_modePattern == r.mode)
                    take({ r.prompt, r.hint });
                break;
            }
        }
    } else if (t.IsEmpty() || InList(t, kModePairTokens, kModePairTokenCount)) {
        take(w.mode);
    } else if (InList(t, kContinuousTokens, kContinuousTokenCount)) {
        take(w.continuous);
    } else {
        for (int i = 0; i < kStepRowCount; ++i) {
            const CLineStepRow& r = kStepRows[i];
            if (t != r.tokens || (*r.mode && m_modePattern != r.mode))
                continue;
            if ((r.flag == 1 && !flag) || (r.flag == 2 && flag))
                continue;
            const bool allTexts = all && (!r.allNeedsFlag || flag);
            const char* prompt = allTexts && r.allPrompt ? r.allPrompt : r.prompt;
            const char* hint = allTexts && r.allHint ? r.allHint : r.hint;
            take({ CellText(prompt, true, w), CellText(hint, false, w) });
            break;
        }
    }
    if (m_doc && g_pApp)
        g_pApp->SetGuidance(m_doc);
}
