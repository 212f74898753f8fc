// The dimension command's guidance: the prompt and hint of the current step and the macro step
// prompts. The texts are in DimGuidanceTexts.cpp.
#include "commands/annotate/DimCommand.h"

#include <cstring>

#include "app/ZelkApp.h"
#include "commands/annotate/DimGuidanceTexts.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"

namespace {

bool Matches(const char* want, const CString& have)
{
    return want[0] == '\0' || have == want;
}

} // namespace

bool CDimCommand::AllKindsGuidance() const
{
    return g_pApp && g_pApp->m_noPopupMenu && !g_pApp->m_modeFromMenu;
}

void CDimCommand::EditGuidance()
{
    const bool flag = g_pApp && g_pApp->m_appCommand.m_dimFlag;
    const char kind = static_cast<char>('0' + m_editGroupKind);
    for (int i = 0; i < DimTexts::kEditsCount; ++i) {
        const CDimEditRow& r = DimTexts::kEdits[i];
        if (m_editGroupKind < 0 || m_editGroupKind > 9 || !std::strchr(r.groupKinds, kind))
            continue;
        if (r.elemKind != m_editElemKind)
            continue;
        if (r.role >= 0 && m_editRole != r.role && m_editRole != r.role2)
            continue;
        if (!flag && !r.always)
            return;
        m_prompt = r.prompt;
        m_hint = r.hint;
        return;
    }
}

void CDimCommand::ShowGuidance()
{
    const CString& t = m_tokenString;
    if (m_macroFlag) {
        m_prompt = MacroStepNote(t, m_stepTexts);
    } else if (m_editFlag) {
        if (t == "#")
            EditGuidance();
        else if (t == "#P" || t == "#D")
            m_prompt.Empty();
    } else if (AllKindsGuidance()) {
        for (int i = 0; i < DimTexts::kAllKindsCount; ++i) {
            if (t == DimTexts::kAllKinds[i].tokens) {
                m_prompt = DimTexts::kAllKinds[i].prompt;
                m_hint = DimTexts::kAllKinds[i].hint;
                break;
            }
        }
    } else if (g_pApp && g_pApp->m_appCommand.m_dimFlag) {
        CString firstPrompt, firstHint;
        for (int i = 0; i < DimTexts::kFirstStepsCount; ++i) {
            if (m_modePattern == DimTexts::kFirstSteps[i].mode) {
                firstPrompt = DimTexts::kFirstSteps[i].prompt;
                firstHint = DimTexts::kFirstSteps[i].hint;
            }
        }
        for (int i = 0; i < DimTexts::kOneKindCount; ++i) {
            const CDimTextRow& r = DimTexts::kOneKind[i];
            if (t != r.tokens || !Matches(r.mode, m_modePattern))
                continue;
            m_prompt = r.prompt ? CString(r.prompt) : firstPrompt;
            m_hint = r.hint ? CString(r.hint) : firstHint;
            break;
        }
    }
    if (g_pApp)
        g_pApp->SetGuidance(m_doc);
}

void CDimCommand::GetMacroPrompts(const CString& pattern, CStringArray& prompts) const
{
    prompts.SetSize(pattern.GetLength());
    for (int i = 0; i < DimTexts::kMacroPromptsCount; ++i) {
        const CDimMacroPrompt& r = DimTexts::kMacroPrompts[i];
        if (pattern != r.pattern || (m_editFlag ? 1 : 0) != r.edit)
            continue;
        if (r.index < prompts.GetSize() && prompts[r.index].IsEmpty())
            prompts[r.index] = r.prompt;
    }
}
