// The dimension command's input entry: the letter of each input event, its acceptance against
// the patterns (of the chosen mode, of every kind at once, or of a playing macro) and what an
// accepted input leaves in the step records. The construction of a complete pattern and the
// steps filled from defaults are the command's execution; this side stops at the guidance and
// the preview of the step reached.
#include "commands/annotate/DimCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/annotate/DimValueText.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/CommandFamilies.h"
#include "commands/circle/PatternTable.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "app/AppText.h"
#include "geometry/Numeric.h"
#include "input/InputEvent.h"
#include "input/PatternGroup.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"

namespace {

const char* const kMsgUnfit = "不適合な入力です";
const char* const kMsgUnfitMacro = "不適合な入力です。";
const char* const kMsgUnsupported = "対応していない入力です";

void Show(const CString& text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

void CountInput()
{
    if (g_pApp && g_pApp->m_scriptInterpreter)
        ++g_pApp->m_scriptInterpreter->m_inputCounter;
}

bool IsIncrement(int subCode)
{
    return subCode == 3 || subCode == 5 || subCode == 7 || subCode == 12;
}

// Both strings agree over the shorter length.
bool Fits(const CString& w, const CString& s)
{
    const int n = w.GetLength() < s.GetLength() ? w.GetLength() : s.GetLength();
    return w.Left(n) == s.Left(n);
}

} // namespace

CPatternGroup* CDimCommand::AcceptanceGroup() const
{
    if (AllKindsGuidance()) {
        for (int i = m_patternGroups.GetSize() - 1; i >= 0; --i) {
            auto* g = static_cast<CPatternGroup*>(m_patternGroups[i]);
            if (g->name == "multi")
                return g;
        }
        return nullptr;
    }
    return FindGroupOfPattern(m_modePattern);
}

int CDimCommand::CheckCandidate(const CString& candidate)
{
    if (!m_modePattern.IsEmpty()) {
        const CPatternGroup* group = AcceptanceGroup();
        bool fits = false;
        for (int i = 0; group && i < group->patterns.GetSize() && !fits; ++i)
            fits = Fits(candidate, group->patterns[i]);
        if (!fits) {
            Show(kMsgUnfit);
            return 0;
        }
    }
    if (!IsAcceptedPrefix(candidate)) {
        Show(kMsgUnsupported);
        return 0;
    }
    m_tokenString = candidate;
    return 1;
}

int CDimCommand::AcceptToken(const CString& token)
{
    CString& s = m_tokenString;
    int complete = 0;
    const int d = GetCurrentPointSlot(complete);
    const CString head = d > 0 ? s.Left(d) : CString();
    if (m_editFlag) {
        if (m_editBlock == -1 || m_editSlot == -1)
            return 0;
        return CheckCandidate(head + token);
    }
    // Repeats: further angles, leader points and texts keep the token string.
    if ((token == "A" && (s == "A" || s == "TPA")) || (token == "L" && s == "A") ||
        (token == "P" && (s == "TP" || s == "TB")) || (token == "T" && s == "T"))
        return 1;
    const bool measuring = IsOneOf(s, { "AP", "APP", "APPP" });
    if (token == "B") {
        if (s == "TP")
            s = m_textPoints.size() == 1 ? "TB" : "TPA";
        else if (s == "TB")
            s = "TBW";
        else if (s == "T")
            s = "TB";
        else
            return 0;
        return 1;
    }
    if (token == "A" && measuring) {
        if (m_doc->m_creationLog)
            m_doc->m_creationLog->EraseLogged();
        return CheckCandidate("A");
    }
    if (token == "A" && s == "P") {
        s = "A";
        return 1;
    }
    if ((token == "L" || token == "T") && measuring)
        return CheckCandidate("A");
    if (token == "T" && IsOneOf(s, { "TP", "TB", "TPA" }))
        return 1;
    if (token == "T" && (s == "TBW" || s == "TPAP")) {
        s = "T";
        return 1;
    }
    if (token == "Q") {
        if (s == "TP")
            return CheckCandidate("TPA");
        if (s == "TB")
            return CheckCandidate("TBW");
        return 0;
    }
    return CheckCandidate(head + token);
}

int CDimCommand::AcceptMacroToken(const CString& token)
{
    const CString& m = m_macroPattern;
    if (!m_macroFlag || m.IsEmpty())
        return 0;
    if (token.IsEmpty() || token == "#") {
        m_tokenString = m.Left(1);
        return 1;
    }
    int complete = 0;
    const int e = GetCurrentPointSlot(complete);
    if (e < 0 || e >= m.GetLength())
        return 0;
    if (e > 0 && (m_tokenString.IsEmpty() || m.GetAt(0) != m_tokenString.GetAt(0)))
        return 0;
    if (e == 0 && m.GetAt(0) == '#' && token == "P") {
        m_tokenString = "P";
        return 1;
    }
    const char letter = m.GetAt(e);
    const bool leaderPoint = m == "TPAP" && letter == 'A' && token == "P";
    if (!leaderPoint && !IsTokenAllowed(token, letter)) {
        if (!(letter == 'W' && token == "B"))
            Show(kMsgUnfitMacro);
        return 0;
    }
    if (m == "TBW" && letter == 'W' && token == "P")
        m_tokenString = "TB";
    else if (m == "TBW" && letter == 'W' && token == "Q")
        m_tokenString = "TBW";
    else if (leaderPoint)
        m_tokenString = "TP";
    else
        m_tokenString = m.Left(e + 1);
    return 1;
}

CString CDimCommand::GetPickToken(int subCode, int upper) const
{
    if (subCode != 19 && subCode != 20)
        return CString();
    CElemRef ref;
    if (!m_doc->m_pickList->GetCurrent(ref))
        return CString();
    int complete = 0;
    const int e = GetCurrentPointSlot(complete);
    // A lower-case letter of the mode pattern at the step asks a macro for the cutting form.
    auto letter = [&](char upperCase, char lowerCase) {
        if (upper && m_macroFlag && e >= 0 && e < m_modePattern.GetLength() && m_modePattern.GetAt(e) == lowerCase)
            return CString(lowerCase);
        return CString(upper ? upperCase : lowerCase);
    };
    switch (ref.m_kind) {
    case ELEM_POINT: return upper ? letter('U', 'p') : CString("p");
    case ELEM_LINE: return letter('L', 'l');
    case ELEM_CIRCLE:
    case ELEM_ARC:
        if (upper && m_macroFlag && m_modePattern.IsEmpty())
            return CString();
        return letter('C', 'c');
    case ELEM_TEXT: return letter('T', 't');
    default: return CString();
    }
}

void CDimCommand::TakeCurrentPoint()
{
    CZelkDoc* doc = m_doc;
    const int b = GetLastPointTokenIndex();
    if (b < 0 || b >= kPositions)
        return;
    if (m_tokenString == "TP" || m_tokenString == "TB") {
        m_textPoints.push_back(doc->m_basePoint);
        if (m_textPoints.size() == 1 && doc->m_pointSearch)
            m_firstPointCategory = doc->m_pointSearch->GetCurrentCategory();
        return;
    }
    CommandFamilies::TakeBasePoint(*this, b);
}

void CDimCommand::TakePickedElement(const CString& token)
{
    CZelkDoc* doc = m_doc;
    CPickList& list = *doc->m_pickList;
    const int i = GetLastTokenIndex();
    const CElemCandidate* c = list.GetCurrentCandidate();
    if (i < 0 || i >= kPositions || !c || token == "p")
        return;
    CAppText* text = g_pApp ? &g_pApp->m_appText : nullptr;
    if (token == "L" || token == "l") {
        const CLine* line = c->m_kind == ELEM_LINE ? doc->GetLineElem(c->m_block, c->m_slot) : nullptr;
        if (!line)
            return;
        m_pickedLines[i].Assign(*line);
        m_pickPoints[i] = list.pickPoint;
        m_pickPositions[i] = list.ClassifyPickPosition();
        if (m_tokenString == "A") {
            m_values[0].value = line->AngleDeg();
        } else if (m_tokenString == "L" && g_pApp) {
            m_valueAngle = FoldedTextAngleDeg(line->AngleDeg() + 90);
            m_valueText = ChamferValueText(*line, doc->m_ratio, g_pApp->m_appElem);
            text->SetAnchor(14);
            text->SetAngle(m_valueAngle);
            UpdateValueTextBox(m_valueText);
        }
    } else if (token == "C" || token == "c") {
        if (!KeepPickedCircleOrArc(doc, *c, m_pickedArcs[i]))
            return;
        m_pickPoints[i] = list.pickPoint;
        m_pickPositions[i] = list.ClassifyPickPosition();
    } else if (token == "T" || token == "t") {
        const CText* picked = c->m_kind == ELEM_TEXT ? doc->GetTextElem(c->m_block, c->m_slot) : nullptr;
        if (!picked)
            return;
        if (m_tokenString == "A") {
            const auto* block = static_cast<const CTexts*>(doc->m_textBlocks[c->m_block]);
            if (const CTypeFont* font = doc->GetFont(block->m_pen))
                m_values[0].value = font->m_angle;
            return;
        }
        m_valueText = picked->m_text;
        if (text)
            text->SetAnchor(14);
        UpdateValueTextBox(m_valueText);
    }
}

int CDimCommand::EchoValue(const CString& token, int subCode)
{
    if (m_tokenString == "TBW" || (token != "A" && token != "D"))
        return 0;
    const int i = m_tokenString.ReverseFind(token.GetAt(0));
    if (i < 0 || i >= kPositions)
        return 0;
    CZelkDoc* doc = m_doc;
    const double typed = doc->m_inputEvent->value;
    CString echo;
    double& v = m_values[i].value;
    if (!IsIncrement(subCode)) {
        v = typed;
        if (token == "A")
            v += doc->m_relAngle;
        echo = token == "A" ? " (角度)" : " (長さ)";
    } else if (token == "A") {
        v = doc->m_curAngle + typed;
        echo = " ( " + DoubleRefToString(v) + " 度)";
        v += doc->m_relAngle;
    } else {
        v = doc->m_previewValue + typed;
        echo = CString(" ( ") + "長さ " + DoubleRefToString(v) + " )";
    }
    if (token == "A")
        doc->SetCurrentAngle(v - doc->m_relAngle);
    else
        doc->m_previewValue = v;
    if (g_pApp)
        g_pApp->ShowResultMessage(echo, 0);
    return 1;
}

int CDimCommand::ApplyTypedLength(const CString& token, int subCode)
{
    if (token != "D" || !IsOneOf(m_tokenString, { "T", "TB", "TBW" }))
        return 0;
    const double typed = m_doc->m_inputEvent->value;
    m_balloonRadius = IsIncrement(subCode) ? m_doc->m_previewValue + typed : typed;
    Show("フーセンの半径を " + DoubleRefToString(m_balloonRadius) + " としました");
    return 1;
}

void CDimCommand::OnInput(int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    if (doc->m_circleCmd)
        doc->m_circleCmd->ClearCandidates();
    int complete = 0;
    const int slot = GetCurrentPointSlot(complete);
    if (m_macroFlag && !m_modePattern.IsEmpty() && slot == 0 &&
        (m_modePattern.GetAt(0) == '%' || m_modePattern.GetAt(0) == '#'))
        m_editFlag = 1;
    const bool dimFlag = app && app->m_appCommand.m_dimFlag;
    // The first point after a balloon's text counts as its leader start with the flag on.
    auto balloonStart = [&] {
        int c = 0;
        return dimFlag && m_modePattern == "TBW" && GetCurrentPointSlot(c) == 1 && m_tokenString == "T";
    };
    CString t;
    switch (kind) {
    case 4:
        t = "P";
        if (m_macroFlag && !m_modePattern.IsEmpty()) {
            int c = 0;
            if (HasCutPointAt(GetCurrentPointSlot(c)))
                t = "p";
            else if (balloonStart())
                t = "B";
        } else if (!m_macroFlag) {
            if (subCode == 18)
                return;
            if (balloonStart())
                t = "B";
        }
        break;
    case 12:
        t = "B";
        break;
    case 3:
        t = GetValueToken(subCode);
        if (t == "D" && m_tokenString != "#") {
            ApplyTypedLength(t, subCode);
            return;
        }
        if (t != "A" && t != "D")
            return;
        break;
    case 6:
        t = GetPickToken(subCode, 1);
        if (t.IsEmpty())
            return;
        break;
    case 9:
        t = "#";
        break;
    case 5:
        t = "T";
        m_valueText = doc->m_inputEvent->text;
        if (app)
            app->m_appText.SetAnchor(14);
        UpdateValueTextBox(m_valueText);
        break;
    case 16:
        UpdateValueTextBox(m_valueText);
        doc->m_previewKind = static_cast<std::int16_t>(ShowRubberBand());
        return;
    case 11:
        t = "Q";
        break;
    case 13:
        UpdateValueTextBox(m_valueText);
        return;
    case 10:
        break;
    default:
        return;
    }
    const int accepted = m_macroFlag ? AcceptMacroToken(t) : AcceptToken(t);
    if (!accepted) {
        if (m_instance != 0 && m_tokenString.IsEmpty() && t == "#" && app)
            app->AnnounceDrawingMode(doc);
        return;
    }
    UpdateLengthInputFlag();
    switch (kind) {
    case 4:
        TakeCurrentPoint();
        CountInput();
        break;
    case 3:
        CountInput();
        if (!EchoValue(t, subCode))
            return;
        break;
    case 6:
    case 8:
        if (t != "#")
            TakePickedElement(t);
        CountInput();
        break;
    case 11:
        CountInput();
        if (m_tokenString == "TPA")
            m_values[2].value = 0.0;
        break;
    case 9:
        CountInput();
        break;
    default:
        break;
    }
    StoreLastValueAsCurrent();
    if (app)
        app->m_constraintStepRef = app->m_constraintStepX = app->m_constraintStepY = 0;
    CMacroRecorder* recorder = app ? app->m_macroRecorder : nullptr;
    if (!m_macroFlag && recorder && recorder->m_recording) {
        const int g = m_tokenString.GetLength() - 1;
        if (g >= 0) {
            if (m_stepValueFlags.GetSize() <= g)
                m_stepValueFlags.SetAtGrow(g, 0);
            if (app->m_useNextInput) {
                if (GetLastPointTokenIndex() == g)
                    m_stepValueFlags.SetAt(g, 1);
                else if ((m_tokenString == "A" && t == "A") || (m_tokenString == "#D" && t == "D"))
                    m_stepValueFlags.SetAt(g, 2);
            } else {
                m_stepValueFlags.SetAt(g, 0);
            }
            if (!recorder->m_pendingStepText.IsEmpty())
                m_stepTexts.SetAtGrow(g, recorder->m_pendingStepText);
        }
        app->m_useNextInput = 0;
        recorder->m_pendingStepText.Empty();
    }
    ShowGuidance();
    doc->ShowInputPointMark(0);
    CommandFamilies::MarkConstraintReference(*this);
    doc->ShowInputPointMark(1);
}

void CDimCommand::StoreLastValueAsCurrent()
{
    CommandFamilies::StoreLastValueAsCurrent(*this);
}
