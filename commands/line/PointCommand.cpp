// The point command object: its pattern table, reset, guidance and the macro prompts, and the
// step routines it shares with the other command objects.
#include "commands/line/PointCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/CommandFamilies.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "input/PatternGroup.h"
#include "input/PointSearch.h"
#include "macro/MacroRecorder.h"

namespace {

const CPatternRow kGroups[] = {
    { "single", { "P" } },
    { "devide", { "NPP", "NL", "NC" } },
    { "move", { "#P" } },
    { "multi", { "P", "NPP", "NL", "NC", "#P" } },
};

const char* const kAcceptedPatterns[] = { "P", "NPP", "NL", "NC", "#P" };

const char* const kSinglePrompt = "[単一点] 【点】";
const char* const kSingleHintStart = "[単一点] 点を右ボタンで入力します。";
const char* const kSingleHint = "[単一点] 点を右ボタンで入力。";
const char* const kMovePrompt = "[点の移動] 【移動先の点】";
const char* const kMoveHint = "[点の移動] 移動先の点を右ボタンで入力。";

} // namespace

CPointCommand::CPointCommand(CZelkDoc* doc, int instance)
    : m_instance(instance), m_doc(doc), m_modePattern("P")
{
    ResetStepRecords();
    if (PointFlag()) {
        m_prompt = kSinglePrompt;
        m_hint = kSingleHintStart;
    }
}

CPointCommand::~CPointCommand()
{
    ClearTempMarks();
    FreePatternGroups();
}

void CPointCommand::BuildPatternGroups()
{
    AddPatternGroups(m_patternGroups, kGroups);
}

void CPointCommand::BuildAcceptedPatterns()
{
    for (const char* p : kAcceptedPatterns)
        m_acceptedPatterns.Add(p);
}

void CPointCommand::FreePatternGroups()
{
    ::FreePatternGroups(m_patternGroups);
}

CString CPointCommand::GetGroupLeadPattern(const CString& name) const
{
    return LeadPatternOfGroup(m_patternGroups, name);
}

CString CPointCommand::GetCurrentGroupName() const
{
    return CommandFamilies::GetCurrentGroupName(*this);
}

int CPointCommand::HasCutPointAt(int position) const
{
    return CommandFamilies::HasCutPointAt(*this, position);
}

int CPointCommand::IsAcceptedPrefix(const CString& s) const
{
    return CommandFamilies::IsAcceptedPrefix(*this, s) ? 1 : 0;
}

CPatternGroup* CPointCommand::FindGroupOfPattern(const CString& pattern) const
{
    return CommandFamilies::FindGroupOfPattern(*this, pattern);
}

int CPointCommand::PointFlag() const
{
    return g_pApp && g_pApp->m_appCommand.m_pointFlag ? 1 : 0;
}

// The popup menu is off and no variant was chosen from a menu: every pattern applies.
int CPointCommand::AllPatternsState() const
{
    return g_pApp && g_pApp->m_noPopupMenu && !g_pApp->m_modeFromMenu ? 1 : 0;
}

int CPointCommand::GetCurrentPointSlot(int& complete) const
{
    complete = 0;
    const CString& t = m_tokenString;
    if (m_editFlag == 0) {
        if (t.IsEmpty())
            return 0;
        if (t == "P") {
            complete = 1;
            return 0;
        }
        if (t == "NPP" || t == "NL" || t == "NC") {
            complete = 1;
            return PointFlag() ? 1 : 0;
        }
        if (t == "N")
            return 1;
        if (t == "NP")
            return 2;
        return -1;
    }
    if (t.IsEmpty())
        return 0;
    if (t == "#")
        return 1;
    if (t == "#P") {
        complete = 1;
        return 0;
    }
    return -1;
}

int CPointCommand::GetLastPointTokenIndex() const
{
    return m_tokenString.ReverseFind('P');
}

void CPointCommand::Reset()
{
    CZelkDoc* doc = m_doc;
    if (doc->m_pointSearch)
        doc->m_pointSearch->EraseMarker();
    if (PointFlag()) {
        m_prompt = kSinglePrompt;
        m_hint = kSingleHintStart;
    }
    ResetStepRecords(doc->m_basePoint);
    ClearTempMarks();
    doc->m_previewKind = 0;
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

void CPointCommand::ShowGuidance()
{
    const CString& t = m_tokenString;
    const CString& m = m_modePattern;
    const CString q = DoubleRefToString(m_values[0].value);
    auto set = [&](const CString& prompt, const CString& hint) {
        m_prompt = prompt;
        m_hint = hint;
    };
    if (m_macroFlag) {
        m_prompt = MacroStepNote(t, m_stepTexts);
    } else if (AllPatternsState() && m_editFlag == 0) {
        const CString divided = CString("[分割点]【分割数(") + q + ")】【第１点|線分|円(弧)】第２点【分割点終了：Esc】";
        if (t.IsEmpty() || t == "P")
            set(CString("[全点] 【配置点】") + "【分割数(" + q + ")】" + " 第１点|線分|円(弧) 第２点",
                "[全点] 点は右ボタン、分割数は 数 で入力。");
        else if (t == "N")
            set(divided, "[分割点] 分割する第１点を右ｸﾘｯｸで、要素を左ｸﾘｯｸで入力。分割数は再入力可能。Escで終了。");
        else if (t == "NP")
            set(CString("[分割点]") + "【分割数(" + q + ")】" + " 第１点 【第２点】【分割点終了：Esc】",
                "[分割点] 分割する第２点を右ボタンで入力。分割数は再入力可能。Escで終了。");
        else if (t == "NPP" || t == "NL" || t == "NC")
            set(divided, "[分割点] 分割数を数値で、分割する第１点を右ｸﾘｯｸで、要素を左ｸﾘｯｸで入力。Esc。");
    } else if (AllPatternsState()) {
        if (t == "#")
            set(kMovePrompt, kMoveHint);
        else if (t == "#P")
            set("", "");
    } else if (PointFlag()) {
        CString basePrompt, baseHint;
        if (m == "P") {
            basePrompt = kSinglePrompt;
            baseHint = kSingleHint;
        } else if (m == "NPP") {
            basePrompt = CString("[分割点] 【分割数(") + q + ")】 【第１点|線分|円(弧)】 第２点";
            baseHint = "[分割点] 分割する２点を右ボタンで、要素を左ボタンで指定。分割数は変更できます。";
        }
        if (m_editFlag == 0) {
            if (t.IsEmpty() && m == "NPP")
                set("[分割点] 【分割数】 第１点|線分|円(弧) 第２点", "[分割点] 分割数を入力。");
            else if (t.IsEmpty() || t == "P" || t == "NPP" || t == "NL" || t == "NC")
                set(basePrompt, baseHint);
            else if (t == "N" && m == "NPP")
                set(CString("[分割点] 【分割数(") + q + ")】 【第１点|線分|円(弧)】 第２点",
                    "[分割点] 分割数を数値で、分割する第１点を右ｸﾘｯｸで、要素を左ｸﾘｯｸで入力。");
            else if (t == "NP" && m == "NPP")
                set("[分割点] 分割数 第１点 【第２点】", "[分割点] 分割する第２点を右ボタンで入力。");
        } else if (t == "#" && m == "#P") {
            set(kMovePrompt, kMoveHint);
        } else if (t == "#P") {
            set("", "");
        }
    }
    if (g_pApp)
        g_pApp->SetGuidance(m_doc);
}

void CPointCommand::GetMacroPrompts(const CString& pattern, CStringArray& prompts) const
{
    struct Row {
        const char* pattern;
        int editFlag;
        const char* texts[3];
    };
    static const Row kRows[] = {
        { "P", 0, { "Macro[単一点] 点", nullptr, nullptr } },
        { "NPP", 0, { "Macro[分割点] 【分割数】 第１点 第２点", "Macro[分割点] 分割数 【第１点】 第２点",
                      "Macro[分割点] 分割数 第１点 【第２点】" } },
        { "NL", 0, { "Macro[分割点] 【分割数】 線分", "Macro[分割点] 分割数 【線分】", nullptr } },
        { "NC", 0, { "Macro[分割点] 【分割数】 円(弧)", "Macro[分割点] 分割数 【円(弧)】", nullptr } },
        { "#P", 1, { "Macro[点の移動] 【移動する点】移動先の点", "Macro[点の移動] 移動する点【移動先の点】",
                     nullptr } },
    };
    const Row* row = nullptr;
    for (const Row& r : kRows) {
        if (pattern == r.pattern && m_editFlag == r.editFlag)
            row = &r;
    }
    prompts.SetSize(pattern.GetLength());
    CString last;
    for (int i = 0; i < prompts.GetSize(); ++i) {
        if (row && i < 3 && row->texts[i])
            last = row->texts[i];
        if (prompts[i].IsEmpty())
            prompts[i] = last;
    }
}

// ---- the shared step routines on this object ----------------------------------------------

void CPointCommand::OnEnter()
{
    m_heldPointTaken = false;
    CommandFamilies::OnEnter(*this);
}

void CPointCommand::UpdateLengthInputFlag()
{
    CommandFamilies::UpdateLengthInputFlag(*this);
}

CString CPointCommand::GetValueToken(int subCode) const
{
    return CommandFamilies::GetValueToken(*this, subCode);
}

void CPointCommand::ApplyPointConstraint()
{
    m_heldPointTaken = false;
    CommandFamilies::ApplyPointConstraint(*this);
}

void CPointCommand::ReleasePointConstraint()
{
    CommandFamilies::ReleasePointConstraint(*this);
}

int CPointCommand::StepBack()
{
    return CommandFamilies::StepBack(*this);
}

void CPointCommand::OnNextSnapPoint()
{
    CommandFamilies::OnNextSnapPoint(*this);
}

void CPointCommand::OnNextCandidateElement()
{
    CommandFamilies::OnNextCandidateElement(*this);
}

void CPointCommand::ReplaySteps()
{
    CommandFamilies::ReplaySteps(*this);
}

void CPointCommand::MarkConstraintReference()
{
    CommandFamilies::MarkConstraintReference(*this);
}

void CPointCommand::StoreLastValueAsCurrent()
{
    CommandFamilies::StoreLastValueAsCurrent(*this);
}

void CPointCommand::UndoClickBeforeDoubleClick()
{
    CommandFamilies::UndoClickBeforeDoubleClick(*this);
}

void CPointCommand::RestoreCreationMode()
{
    RestoreCreationEnvironment(m_savedCreationMode);
}

void CPointCommand::CaptureCommand()
{
    if (g_pApp && g_pApp->m_macroRecorder)
        g_pApp->m_macroRecorder->CapturePointCommand(this);
}
