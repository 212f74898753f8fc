// The point command's input entry: the letter of each input event, its acceptance against the
// patterns (of the chosen mode, of every pattern, or of a playing macro), what an accepted input
// leaves in the step records, the steps filled from defaults and the execute-and-advance loop.
#include "commands/line/PointCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/CommandFamilies.h"
#include "commands/circle/CountOf.h"
#include "commands/circle/PatternTable.h"
#include "commands/line/PickedElement.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "geometry/Numeric.h"
#include "input/InputEvent.h"
#include "input/PatternGroup.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"

namespace {

const char* const kMsgUnfit = "不適合な入力です";
const char* const kMsgUnfitMacro = "不適合な入力です。";
const char* const kMsgUnsupported = "対応していない入力です";
const char* const kMsgMacroEnd = "マクロは終了しました。点コマンドです。";
const char* const kMsgDefaultPoint = "既定点でステップを進めました";
const char* const kMsgMacroDefaultPoint = "マクロの既定点でステップを進めました";
const char* const kMsgConstraintPoint = "点拘束でステップを進めました";
const char* const kMsgDefaultValue = "既定数値でステップを進めました";
const char* const kMsgMacroDefaultValue = "マクロの既定数値でステップを進めました";

CMacroInterpreter* Player()
{
    return g_pApp ? g_pApp->m_scriptInterpreter : nullptr;
}

void CountInput()
{
    if (CMacroInterpreter* player = Player())
        ++player->m_inputCounter;
}

bool IsIncrement(int subCode)
{
    return subCode == 3 || subCode == 5 || subCode == 7 || subCode == 12;
}

// The first n letters of both strings agree, n being the shorter length.
bool Fits(const CString& w, const CString& s)
{
    const int n = w.GetLength() < s.GetLength() ? w.GetLength() : s.GetLength();
    return w.Left(n) == s.Left(n);
}

} // namespace

CString CPointCommand::GetPickToken(int subCode, int upper) const
{
    CElemRef ref;
    if (upper && m_macroFlag && (subCode == 19 || subCode == 20) && m_doc->m_pickList->GetCurrent(ref) &&
        ref.m_kind == ELEM_POINT)
        return "P";
    return PickTokenLetter(m_doc, subCode, upper, m_macroFlag, !m_modePattern.IsEmpty());
}

int CPointCommand::AcceptToken(const CString& token)
{
    CZelkApp* app = g_pApp;
    int complete = 0;
    const int slot = GetCurrentPointSlot(complete);
    const CString head = slot > 0 ? m_tokenString.Left(slot) : CString();
    CString w;
    if (m_editFlag == 0) {
        if (token == "N" && (m_tokenString == "N" || m_tokenString == "NP"))
            return 1;
        w = head;
        if (w == "N" && token == "N") {
            if (!IsAcceptedPrefix(w))
                return 0;
            m_tokenString = w;
            return 1;
        }
        w += token;
    } else {
        if (m_editBlock == -1 || m_editSlot == -1)
            return 0;
        w = head + token;
    }
    auto show = [&](const char* text) {
        if (app)
            app->ShowMessage(text, 0);
    };
    if (m_modePattern.IsEmpty()) {
        if (!IsAcceptedPrefix(w)) {
            show(kMsgUnsupported);
            return 0;
        }
        m_tokenString = w;
        return 1;
    }
    const CPatternGroup* group = nullptr;
    if (AllPatternsState() && !m_macroFlag) {
        for (int i = m_patternGroups.GetSize() - 1; i >= 0 && !group; --i) {
            const auto* g = static_cast<const CPatternGroup*>(m_patternGroups[i]);
            if (g->name == "multi")
                group = g;
        }
    } else {
        group = FindGroupOfPattern(m_modePattern);
    }
    bool fits = false;
    for (int i = 0; group && i < group->patterns.GetSize() && !fits; ++i)
        fits = Fits(w, group->patterns[i]);
    if (!fits) {
        show(kMsgUnfit);
        return 0;
    }
    if (!IsAcceptedPrefix(w)) {
        show(kMsgUnsupported);
        return 0;
    }
    m_tokenString = w;
    return 1;
}

int CPointCommand::IsTokenAllowed(CString& token, char patternLetter)
{
    switch (patternLetter) {
    case 'P': return token == "P" ? 1 : 0;
    case 'N': return token == "N" ? 1 : 0;
    case 'L': return token == "L" ? 1 : 0;
    case 'C': return token == "C" ? 1 : 0;
    case 'p':
        if (token == "P")
            token = "p";
        return token == "p" ? 1 : 0;
    default: return 0;
    }
}

int CPointCommand::AcceptMacroToken(const CString& token)
{
    const CString& r = m_macroPattern;
    if (!m_macroFlag || r.IsEmpty())
        return 0;
    if (token.IsEmpty() || token == "#") {
        m_tokenString = r.Left(1);
        return 1;
    }
    int complete = 0;
    const int k = GetCurrentPointSlot(complete);
    if (k < 0 || k >= r.GetLength())
        return 0;
    if (k == 0 && r.GetAt(0) == '#' && token == "P") {
        m_tokenString = "P";
        return 1;
    }
    if (k != 0 && (m_tokenString.IsEmpty() || r.GetAt(0) != m_tokenString.GetAt(0)))
        return 0;
    CString t = token;
    if (!IsTokenAllowed(t, r.GetAt(k))) {
        if (g_pApp)
            g_pApp->ShowMessage(kMsgUnfitMacro, 0);
        return 0;
    }
    m_tokenString = r.Left(k + 1);
    return 1;
}

void CPointCommand::TakeCurrentPoint()
{
    CommandFamilies::TakeBasePoint(*this, GetLastPointTokenIndex());
}

void CPointCommand::TakePickedElement(const CString& token)
{
    KeepPickedElement(*this, token);
}

void CPointCommand::EchoValue(const CString& token, int subCode)
{
    if (token != "N")
        return;
    const int j = m_tokenString.ReverseFind('N');
    if (j < 0 || j >= kPositions)
        return;
    CZelkDoc* doc = m_doc;
    const double typed = doc->m_inputEvent->value;
    CString echo;
    double v = typed;
    if (IsIncrement(subCode)) {
        v = doc->m_workMode + typed;
        echo = CString(" ( ") + "数 " + IntRefToString(CountOf(v)) + " )";
    }
    m_values[j].value = v;
    doc->m_workMode = CountOf(v);
    if (g_pApp)
        g_pApp->ShowResultMessage(echo, 0);
}

int CPointCommand::AdvanceWithDefaults(int& completed, int& announce)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    int complete = 0;
    const int k = GetCurrentPointSlot(complete);
    if (complete && m_instance != 0) {
        completed = 1;
        announce = 1;
        return 0;
    }
    if (k < 0 || k >= kPositions)
        return 0;
    const int last = GetLastPointTokenIndex();
    const bool hasLast = last >= 0 && last < kPositions;
    const CPointD p = hasLast ? m_inputPoints[last].GetEffective(doc, 1) : CPointD();
    const CString head = m_tokenString.Left(k);
    auto offer = [&](const char* letter) {
        return m_macroFlag ? AcceptMacroToken(letter) : AcceptToken(letter);
    };
    auto show = [&](const char* text) {
        if (app)
            app->ShowMessage(text, 0);
    };
    auto followSlot = [&] {
        int c = 0;
        const int s = GetCurrentPointSlot(c);
        if (s >= 0 && s < kPositions)
            doc->m_inputPoint.Assign(m_inputPoints[s]);
    };
    if (IsAcceptedPrefix(head + "P")) {
        CInputPoint& r = m_inputPoints[k];
        if (r.flags & 0x02) {
            doc->SetBasePoint(r.point, doc->WorldToRelative(r.point));
            if (offer("P")) {
                if (complete)
                    completed = 1;
                show(m_macroFlag ? kMsgMacroDefaultPoint : kMsgDefaultPoint);
                followSlot();
                return 1;
            }
        } else if (!(r.flags & 0x01) && hasLast) {
            r.SetBoth(p);
            if (complete)
                completed = 1;
        }
        doc->m_inputPoint.Assign(r);
        if (r.mode == 2 && !m_heldPointTaken) {
            if (AcceptToken("P")) {
                m_heldPointTaken = true;
                if (app)
                    app->m_constraintStepRef = 1;
                if (complete)
                    completed = 1;
                show(kMsgConstraintPoint);
                followSlot();
                return 1;
            }
        } else if (r.mode == 3 && app) {
            app->m_constraintStepX = 1;
            app->m_constraintStepY = 0;
        } else if (r.mode == 4 && app) {
            app->m_constraintStepY = 1;
            app->m_constraintStepX = 0;
        }
    }
    if (IsAcceptedPrefix(head + "N") && m_values[k].flag != 0) {
        if (offer("N")) {
            if (complete)
                completed = 1;
            show(m_macroFlag ? kMsgMacroDefaultValue : kMsgDefaultValue);
            StoreLastValueAsCurrent();
            doc->m_previewKind = 0;
            return 1;
        }
    }
    return 0;
}

void CPointCommand::OnInput(int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    m_heldPointTaken = false;
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    if (doc->m_circleCmd)
        doc->m_circleCmd->ClearCandidates();
    CString token;
    switch (kind) {
    case 4:
        if (subCode == 18 && (!m_macroFlag || m_modePattern.IsEmpty()))
            return;
        token = "P";
        break;
    case 3:
        token = GetValueToken(subCode);
        if (token != "N")
            return;
        break;
    case 6:
        token = GetPickToken(subCode, 1);
        if (token.IsEmpty())
            return;
        break;
    case 9:
        token = "#";
        break;
    case 10:
        break;
    default:
        return;
    }
    const int accepted = m_macroFlag ? AcceptMacroToken(token) : AcceptToken(token);
    if (!accepted) {
        if (m_instance != 0 && m_tokenString.IsEmpty() && token == "#" && app)
            app->AnnounceDrawingMode(doc);
        return;
    }
    UpdateLengthInputFlag();
    if (kind == 4) {
        TakeCurrentPoint();
        CountInput();
    } else if (kind == 3) {
        EchoValue(token, subCode);
        CountInput();
    } else if (kind == 6) {
        TakePickedElement(token);
        CountInput();
    } else if (kind == 9) {
        CountInput();
    }
    StoreLastValueAsCurrent();
    if (app)
        app->m_constraintStepRef = app->m_constraintStepX = app->m_constraintStepY = 0;
    CMacroRecorder* recorder = app ? app->m_macroRecorder : nullptr;
    if (!m_macroFlag && recorder && recorder->m_recording) {
        const int i = m_tokenString.GetLength() - 1;
        if (i >= 0) {
            if (m_stepValueFlags.GetSize() <= i)
                m_stepValueFlags.SetAtGrow(i, 0);
            // "次の入力データを使用する": the point or the count is recorded as given.
            if (app->m_useNextInput) {
                if (GetLastPointTokenIndex() == i)
                    m_stepValueFlags.SetAt(i, 1);
                else if (m_tokenString == "N" && token == "N")
                    m_stepValueFlags.SetAt(i, 2);
            } else {
                m_stepValueFlags.SetAt(i, 0);
            }
            if (!recorder->m_pendingStepText.IsEmpty())
                m_stepTexts.SetAtGrow(i, recorder->m_pendingStepText);
            app->m_useNextInput = 0;
        }
        recorder->m_pendingStepText.Empty();
    } else if (recorder) {
        recorder->m_pendingStepText.Empty();
    }
    int completed = 0, announce = 0;
    bool keepSaved = false;
    for (int pass = 0; pass < CommandFamilies::kAdvancePasses; ++pass) {
        if (Execute()) {
            if (m_editFlag)
                RestoreCreationMode();
            doc->m_pickList->ClearMarks(MARK_SELECTED);
            doc->RedrawChangedElements(1);
            doc->m_previewKind = 0;
            CaptureCommand();
            if (m_macroFlag) {
                if (doc->m_creationLog)
                    doc->m_creationLog->Commit(1);
                CMacroInterpreter* player = Player();
                if (!player || player->PlayCommandQueue()) {
                    m_macroFlag = 0;
                    m_editFlag = 0;
                    ClearStepMarks();
                    if (app)
                        app->m_macroPlaying = 0;
                    m_macroPattern.Empty();
                    ShowGuidance();
                    if (app)
                        app->ShowMessage(kMsgMacroEnd, 0);
                    return;
                }
            }
        }
        // The pass after a completed pattern keeps the step saved before it.
        if (!keepSaved)
            SaveOrRestoreStep(0);
        keepSaved = false;
        const int advanced = AdvanceWithDefaults(completed, announce);
        if (completed) {
            ClearTempMarks();
            completed = 0;
            keepSaved = true;
        }
        if (!advanced)
            break;
    }
    CommandFamilies::ShowStepAndMark(*this, announce);
}
