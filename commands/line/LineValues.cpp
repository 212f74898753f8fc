// Where the line command keeps each accepted point, typed value and picked element, what the
// drawing's current angle, length and count become, the defaults that let a step go on without
// input, and the point constraint of the next step with its mark.
#include "commands/line/LineCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/CountOf.h"
#include "commands/line/TokenLists.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/InputEvent.h"
#include "input/PickList.h"

namespace {

const char* const kMsgAngleSetHead = " 設定した角度は ";
const char* const kMsgAngleSetTail = " です";
const char* const kMsgDefaultPoint = " 既定点でステップを進めました";
const char* const kMsgMacroDefaultPoint = " マクロの既定点でステップを進めました";
const char* const kMsgConstraintPoint = " 点拘束でステップを進めました";
const char* const kMsgDefaultValue = " 既定数値でステップを進めました";
const char* const kMsgMacroDefaultValue = " マクロの既定数値でステップを進めました";

bool IsIncrement(int subCode)
{
    return subCode == 3 || subCode == 5 || subCode == 7 || subCode == 12;
}

void ShowResult(const CString& text)
{
    if (g_pApp)
        g_pApp->ShowResultMessage(text, 0);
}

} // namespace

void CLineCommand::StorePointInput()
{
    const int i = LastPointTokenIndex();
    if (i < 0 || i >= kPositions)
        return;
    CInputPoint& s = m_inputPoints[i];
    // An end moved: the step keeps the end that stays where it is.
    if (m_tokenString == "#S") {
        s.SetPoint(EditedLinePoint(1));
    } else if (m_tokenString == "#E") {
        s.SetPoint(EditedLinePoint(0));
    } else {
        s.SetPoint(m_doc->m_basePoint);
        if (g_pApp && g_pApp->m_constraintPointSet) {
            s.SetBoth(m_doc->m_referencePoint);
            s.SetFlags(0x01);
        }
    }
}

int CLineCommand::StoreTypedValue(const CString& letter, int subCode)
{
    char l = 0;
    if (letter == "A" || letter == "PA")
        l = 'A';
    else if (letter == "D" || letter == "N")
        l = letter.GetAt(0);
    const int i = l ? m_tokenString.ReverseFind(l) : -1;
    if (i < 0 || i >= kPositions)
        return 0;
    CZelkDoc* doc = m_doc;
    const double number = doc->m_inputEvent->value;
    const double rotation = doc->m_relAngle;
    double v = number;
    CString text;
    if (!IsIncrement(subCode)) {
        if (l == 'A') {
            v = number + rotation;
            text = " (角度) ";
        }
    } else if (l == 'D') {
        v = doc->m_previewValue + number;
        text = CString(" ( ") + "長さ " + DoubleRefToString(v) + " )";
    } else if (l == 'N') {
        v = doc->m_workMode + number;
        text = CString(" ( ") + "数 " + IntRefToString(CountOf(v)) + " )";
    } else {
        const double sum = doc->m_curAngle + number;
        text = CString(" ( ") + DoubleRefToString(sum) + " 度)";
        v = sum + rotation;
    }
    m_values[i].value = v;
    if (l == 'A')
        doc->SetCurrentAngle(v - rotation);
    else if (l == 'D')
        doc->m_previewValue = v;
    else
        doc->m_workMode = CountOf(v);
    ShowResult(text);
    return 1;
}

void CLineCommand::ShowAngleMessage(double angle)
{
    double shown = angle;
    RoundToSignificant(shown, g_pApp->m_appAcc.messageDigits());
    ShowResult(CString(kMsgAngleSetHead) + DoubleToString(shown) + kMsgAngleSetTail);
}

int CLineCommand::StorePickedElement(const CString& letter)
{
    CZelkDoc* doc = m_doc;
    CPickList& list = *doc->m_pickList;
    const CString& t = m_tokenString;
    const int i = t.GetLength() - 1;
    const CElemCandidate* candidate = list.GetCurrentCandidate();
    if (i < 0 || i >= kPositions || !candidate || letter == "p")
        return 0;
    const CElemCandidate picked = *candidate;
    const bool line = letter == "L" || letter == "l";
    const bool circle = letter == "C" || letter == "c";
    const bool text = letter == "T" || letter == "t";
    double a = 0;
    if (text) {
        const CTexts* block = doc->TextBlockAt(picked.m_block);
        const CTypeFont* font = block ? doc->GetFont(block->m_pen) : nullptr;
        if (picked.m_kind != ELEM_TEXT || !font)
            return 0;
        a = font->m_angle;
    } else if (circle) {
        CCircle& kept = m_pickedCircles[i];
        if (picked.m_kind == ELEM_CIRCLE) {
            const CCircle* c = doc->GetCircleElem(picked.m_block, picked.m_slot);
            if (!c)
                return 0;
            kept.Assign(*c);
        } else if (picked.m_kind == ELEM_ARC) {
            const CArc* arc = doc->GetArcElem(picked.m_block, picked.m_slot);
            if (!arc)
                return 0;
            kept.AssignFromArc(*arc);
        } else {
            return 0;
        }
        m_pickPoints[i] = list.pickPoint;
        a = PointsAngleDeg(kept.m_centre, list.pickPoint);
    } else if (line) {
        const CLine* l = doc->GetLineElem(picked.m_block, picked.m_slot);
        if (picked.m_kind != ELEM_LINE || !l)
            return 0;
        int j = t.ReverseFind('L');
        if (j < 0)
            j = t.ReverseFind('l');
        const int position = list.ClassifyPickPosition();
        if (j >= 0 && j < kPositions) {
            m_pickedLines[j].Assign(*l);
            m_pickPoints[j] = list.pickPoint;
            m_pickPositions[j] = position;
        }
        a = PointsAngleDeg(l->m_start, l->m_end);
        if (position >= 5 && m_modePattern != "LANP")
            a += 180.0;
    } else {
        return 0;
    }

    // The element's direction as the angle the token string waits for.
    const double rotation = doc->m_relAngle;
    auto current = [&] { doc->SetCurrentAngle(a - rotation); };
    bool applied = true;
    if (t == "PA" || t == "BA") {
        m_values[1].value = a;
    } else if (t == "A") {
        m_values[0].value = a;
    } else if (t == "SAN" || t == "DA") {
        current();
        m_values[1].value = a;
    } else if (t == "SDNA" && line) {
        current();
        m_values[3].value = a;
    } else if (t == "AP" && line) {
        current();
        m_values[0].value = a;
    } else if (t == "LAN" && m_modePattern == "LANP" && line) {
        current();
        m_values[1].value = a + 90.0;
        m_values[2].value = 1.0;
    } else {
        applied = false;
    }
    if (applied || text)
        ShowAngleMessage(a);
    if (!applied && !text && (i == 1 || i == 2))
        m_pickedRefs[i - 1].SetFromCandidate(picked);
    return 1;
}

void CLineCommand::StoreLastValue()
{
    const int i = GetLastTokenIndex();
    if (i < 0 || i >= kPositions)
        return;
    CZelkDoc* doc = m_doc;
    const double rotation = doc->m_relAngle;
    switch (m_tokenString.GetAt(i)) {
    case 'A':
        doc->SetCurrentAngle(m_values[i].value - rotation);
        break;
    case 'D':
        doc->m_previewValue = m_values[i].value;
        break;
    case 'N':
        doc->m_workMode = CountOf(m_values[i].value);
        break;
    case 'L': {
        const CLine& line = m_pickedLines[i];
        doc->SetCurrentAngle(PointsAngleDeg(line.m_start, line.m_end) - rotation);
        doc->SetBasePoint(line.m_start, doc->WorldToRelative(line.m_start));
        break;
    }
    case 'C':
    case 'c':
        doc->m_previewValue = m_pickedCircles[i].m_radius;
        break;
    default:
        break;
    }
}

int CLineCommand::AdvanceWithDefaults(int& restarted, int& announce)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    int single = 0, complete = 0;
    const int c = ClassifyTokens(single, complete);
    if (complete && m_instance != 0) {
        // An edit is finished.
        restarted = 1;
        announce = 1;
        return 0;
    }
    // A string that fits nothing, or is as long as the records, has no next step to supply.
    if (c < 0 || c >= kPositions)
        return 0;
    const int last = LastPointTokenIndex();
    const CPointD q = last >= 0 && last < kPositions ? m_inputPoints[last].GetEffective(doc, 1) : CPointD();
    const CString b = TokenHead(m_tokenString, c);
    auto mayFollow = [&](const char* letter) {
        CString k = b + letter;
        if (k == "PP")
            k = "SE";
        return IsPatternPrefix(k) != 0;
    };
    // Under the macro player the offer counts as taken whatever it answers.
    auto offer = [&](const char* letter) {
        CString x = letter;
        if (m_macroFlag) {
            AcceptMacroToken(x);
            return 1;
        }
        return AcceptToken(x);
    };
    auto nextPoint = [&] {
        int s = 0, k = 0;
        const int p = ClassifyTokens(s, k);
        if (p >= 0 && p < kPositions)
            doc->m_inputPoint.Assign(m_inputPoints[p]);
    };
    int advanced = 0;
    if (mayFollow("P") || mayFollow("S") || mayFollow("E")) {
        CInputPoint& r = m_inputPoints[c];
        if (r.flags & 0x02) {
            doc->SetBasePoint(r.point, doc->WorldToRelative(r.point));
            if (offer("P")) {
                if (complete)
                    restarted = 1;
                ShowResult(m_macroFlag ? kMsgMacroDefaultPoint : kMsgDefaultPoint);
                nextPoint();
                doc->m_previewKind = static_cast<std::int16_t>(ShowRubberBand());
                advanced = 1;
            }
        } else if (!(r.flags & 0x01) && last >= 0) {
            r.SetBoth(q);
            if (complete)
                restarted = 1;
        }
        doc->m_inputPoint.Assign(r);
        if (r.mode == 2) {
            if (AcceptToken("P")) {
                if (app)
                    app->m_constraintStepRef = 1;
                if (complete)
                    restarted = 1;
                ShowResult(kMsgConstraintPoint);
                nextPoint();
                doc->m_previewKind = static_cast<std::int16_t>(ShowRubberBand());
                return 1;
            }
        } else if (r.mode == 3 && app) {
            app->m_constraintStepX = 1;
            app->m_constraintStepY = 0;
        } else if (r.mode == 4 && app) {
            app->m_constraintStepY = 1;
            app->m_constraintStepX = 0;
        }
        if (advanced)
            return 1;
    }
    if ((mayFollow("D") || mayFollow("A") || mayFollow("N")) && m_values[c].flag != 0) {
        const int flag = m_values[c].flag;
        const char* letter = (flag == 6 || flag == 8 || flag == 9 || flag == 10) ? "D" : flag == 4 ? "N" : "A";
        if (offer(letter)) {
            if (complete)
                restarted = 1;
            ShowResult(m_macroFlag ? kMsgMacroDefaultValue : kMsgDefaultValue);
            StoreLastValue();
            doc->m_previewKind = static_cast<std::int16_t>(ShowRubberBand());
            advanced = 1;
        }
    }
    return advanced;
}

void CLineCommand::ApplyPointConstraint()
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    int single = 0, complete = 0;
    const int c = ClassifyTokens(single, complete);
    // A string that fits nothing has no next point to constrain.
    if (c >= 0 && c < kPositions) {
        CInputPoint& r = m_inputPoints[c];
        const int mode = app->m_pointConstraintMode;
        if (mode == 1) {
            app->m_constraintStepX = app->m_constraintStepY = 0;
            app->m_constraintPointSet = 0;
            r.SetMode(1);
        } else {
            r.mode = mode;
            if (app->m_constraintPointSet) {
                r.SetBoth(doc->m_referencePoint);
                r.SetFlags(0x01);
            } else {
                r.SetBoth(doc->m_basePoint);
                r.SetMode(mode);
            }
            app->m_constraintPointSet = 0;
        }
    }
    if (single)
        SaveOrRestoreStep(0);
    ShowStepAndMark(RunAdvancePasses(1));
}

void CLineCommand::SetConstraintReference()
{
    CZelkDoc* doc = m_doc;
    doc->m_inputMarkFlag = 0;
    int single = 0, complete = 0;
    const int c = ClassifyTokens(single, complete);
    const CInputPoint* s = c >= 0 && c < kPositions ? &m_inputPoints[c] : nullptr;
    if (!s || s->mode == 1) {
        const int k = LastPointTokenIndex();
        s = k >= 0 && k < kPositions ? &m_inputPoints[k] : nullptr;
        if (!s || s->mode == 1)
            return;
    }
    doc->m_inputMarkPos = s->reference;
    doc->m_inputMarkFlag = 1;
}
