// The loop command's guidance pair and default macro step prompts. Where no case applies the
// pair stays as the application or the previous step left it.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/PatternTable.h"
#include "commands/line/LoopGuidanceTexts.h"
#include "commands/line/StepPrompts.h"
#include "geometry/Numeric.h"

void CLoopCommand::ShowGuidance()
{
    using namespace LoopTexts;
    CZelkApp* app = g_pApp;
    const CString& t = m_tokenString;
    const bool extracting = m_extractState == 1 || m_extractState == 2;
    const bool multi = app && app->m_noPopupMenu;
    const bool chosen = app && app->m_modeFromMenu;
    const bool flag = app && app->m_appCommand.m_loopFlag;
    auto take = [this](const CString& prompt, const CString& hint) {
        m_prompt = prompt;
        m_hint = hint;
    };
    const bool afterOperation = t == "OAP" || t == "OD" || t == "OQ" || t == "OLQ";
    // The arc-curve pair: its first part, the limit, then what the state expects.
    auto arcCurve = [&](const char* first) {
        if (m_extractState == 0)
            take(CString(first) + DoubleToString(m_values[0].value) + kArcCurveBefore, kArcCurveBeforeHint);
        else if (extracting)
            take(CString(first) + DoubleToString(m_values[0].value) + kArcCurveWhile, kArcCurveWhileHint);
    };

    if (m_macroFlag) {
        m_prompt = MacroStepNote(t, m_stepTexts);
    } else if (multi && !chosen) {
        if (t.IsEmpty() || afterOperation) {
            if (extracting)
                take(kJoinPromptM, kJoinHintM);
            else if (t.IsEmpty())
                take(kMultiStartPrompt, kMultiStartHint);
            else
                take(kMultiAfterPrompt, kMultiAfterHint);
        } else if (t == "O") {
            take(kMultiOPrompt, kMultiOHint);
        } else if (t == "OA") {
            take(kMultiOAPrompt, kMultiOAHint);
        } else if (t == "A") {
            arcCurve(kArcCurveFirstMulti);
        }
    } else if (flag) {
        CString startPrompt = kStartPromptG, startHint = kStartHintG;
        CString joinPrompt = kJoinPromptG, joinHint = kJoinHintG;
        if (multi && chosen) {
            startPrompt += kPopupPromptTail;
            joinPrompt += kPopupPromptTail;
            startHint += kPopupHintTail;
            joinHint += kPopupHintTail;
        }
        if (t.IsEmpty() && m_modePattern == "AV") {
            if (m_extractState == 0)
                take(kArcModePrompt, kArcModeHint);
        } else if (t.IsEmpty() || afterOperation) {
            if (extracting)
                take(joinPrompt, joinHint);
            else
                take(startPrompt, startHint);
        } else if (t == "O") {
            if (m_modePattern == "OAP")
                take(kHatchOPrompt, kHatchOHint);
            else if (m_modePattern == "OD")
                take(kOffsetOPrompt, kOffsetOHint);
            else if (m_modePattern == "OQ")
                take(kComputeOPrompt, kComputeOHint);
        } else if (t == "OA") {
            if (m_modePattern == "OAP")
                take(kHatchOAPrompt, kHatchOAHint);
        } else if (t == "A" && m_modePattern == "AV") {
            arcCurve(kArcCurveFirstFlag);
        }
    }
    if (m_doc && app)
        app->SetGuidance(m_doc);
}

void CLoopCommand::BuildMacroPrompts(const CString& pattern, CStringArray& prompts) const
{
    using namespace LoopTexts;
    const char* const* texts = nullptr;
    for (int r = 0; r < kMacroRowCount; ++r)
        if (pattern == kMacroRows[r].pattern)
            texts = kMacroRows[r].texts;
    FillStepPrompts(pattern.GetLength(), texts, 3, prompts);
}
