// The circle command's input entry: the letter of each input event, the automatic choice of a
// mode from the first inputs, and where each accepted point, value and pick is kept.
#include "commands/circle/CircleCommand.h"

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/circle/CountOf.h"
#include "commands/circle/PatternTable.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"

namespace {

const char* const kMsgCountTooSmall = "多角形の角数は 3 以上、または -3 以下の値にしてください";
const char* const kMsgCentreTowardPick = " 選択円(弧)方向の中心を設定しました";
const char* const kMsgAngleSetHead = " 設定した角度は ";
const char* const kMsgAngleSetTail = " です";
const char* const kMsgMacroEndCircle = "マクロは終了しました。円コマンドです。";
const char* const kMsgMacroEndArc = "マクロは終了しました。円弧コマンドです。";

constexpr UINT kMacroTimer = 17;

bool IsRelative(int subCode)
{
    return subCode == 3 || subCode == 5 || subCode == 7 || subCode == 12;
}

bool TooFewCorners(double v)
{
    const int n = CountOf(v);
    return n >= -2 && n <= 2;
}

// A typed value becomes the drawing's current angle, length, count or ratio.
void HandToDocument(CZelkDoc* doc, char letter, double v)
{
    switch (letter) {
    case 'A':
    case 'J':
        doc->SetCurrentAngle(v - doc->m_relAngle);
        break;
    case 'D':
        doc->m_previewValue = v;
        break;
    case 'N':
        doc->m_workMode = CountOf(v);
        break;
    case 'R':
        doc->m_workFactor = v;
        break;
    default:
        break;
    }
}

bool IsEditPrefix(const CString& letter)
{
    return letter == "%" || letter == "#" || letter == "&";
}

CMacroInterpreter* Player()
{
    return g_pApp ? g_pApp->m_scriptInterpreter : nullptr;
}

void CountInput()
{
    if (CMacroInterpreter* player = Player())
        ++player->m_inputCounter;
}

// The pairs (token string, letter) whose typed value completes a recorded step.
bool CompletesRecordedStep(const CString& t, const CString& x)
{
    static const struct {
        const char* tokens;
        const char* letter;
    } pairs[] = {
        { "PD", "D" },   { "BA", "A" },   { "BD", "D" },   { "BDA", "A" },  { "BAD", "D" },  { "A", "A" },
        { "D", "D" },    { "BPD", "D" },  { "N", "N" },    { "NPD", "D" },  { "NPA", "A" },  { "NPAD", "D" },
        { "NA", "A" },   { "NAPD", "D" }, { "DN", "N" },   { "DNA", "A" },  { "#J", "J" },   { "#JR", "R" },
        { "%A", "A" },   { "%PA", "A" },  { "%AA", "A" },  { "%LA", "A" },  { "%CA", "A" },  { "%pA", "A" },
        { "%lA", "A" },  { "%cA", "A" },  { "%D", "D" },
    };
    for (const auto& pair : pairs) {
        if (t == pair.tokens && x == pair.letter)
            return true;
    }
    return false;
}

} // namespace

void CCircleCommand::OnInput(int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    m_concentricFlag = 0;
    m_refusalNote = 0;
    int single = 0, complete = 0;
    const int position = ClassifyTokens(single, complete);

    if (PopupMenuOff() && !app->m_shiftPointFlag && !ModeChosen()) {
        if (ChooseModeFromFirstInput(position, kind, subCode)) {
            ShowGuidance();
            return;
        }
    }
    app->m_shiftPointFlag = 0;

    CString letter;
    switch (kind) {
    case 4: {
        letter = "P";
        auto doubleRules = [&] {
            if (!OptionApplies())
                return;
            if ((m_modePattern == "BB" && (position == 0 || position == 1)) ||
                (m_modePattern == "APP" && position == 0) || (m_modePattern == "LLL" && position == 0))
                letter = "B";
        };
        if (m_macroFlag && !m_modePattern.IsEmpty()) {
            if (HasCutPointAt(position))
                letter = "p";
            else
                doubleRules();
        } else if (subCode == 18) {
            letter = "p";
        } else if (!m_macroFlag && m_modePattern == "DLL" && position == 1) {
            m_modePattern = "DP";
        } else if (ModeChosen()) {
            doubleRules();
        }
        break;
    }
    case 12:
        if (ModeChosen() && m_modePattern == "BB")
            return;
        letter = "B";
        if (!m_macroFlag && ((m_modePattern == "DP" && position == 1) || m_tokenString == "DP%")) {
            RollBackTentative();
            m_modePattern = "DLL";
            m_tokenString = "D";
        }
        break;
    case 3:
        letter = TokenForValue(subCode);
        break;
    case 6:
        letter = TokenForPick(subCode, 1);
        if (!letter.IsEmpty() && !m_macroFlag && position == 1 && (letter == "L" || letter == "C")) {
            if (m_modePattern == "DP") {
                RollBackTentative();
                m_modePattern = "DLL";
                m_tokenString = "D";
            } else if (m_modePattern == "NPP") {
                m_tokenString = "N";
            }
        }
        break;
    case 8:
        letter = TokenForPick(subCode, 0);
        break;
    case 9:
        if (m_editClass == 1) {
            letter = "%";
        } else if (m_editClass == 0) {
            letter = "#";
        } else {
            letter = "&";
            m_modePattern = "&V";
        }
        break;
    case 11:
        letter = m_editClass == -1 ? "V" : "Q";
        break;
    default:
        break;
    }
    if (letter.IsEmpty() && kind != 10)
        return;

    const int accepted = m_macroFlag ? AcceptMacroToken(letter) : AcceptToken(letter);
    if (!accepted) {
        if (m_instance != 0 && m_tokenString.IsEmpty() && IsEditPrefix(letter))
            app->AnnounceDrawingMode(doc);
        return;
    }

    UpdateLengthInputFlag();
    switch (kind) {
    case 6:
    case 8:
        m_pickFlag = kind == 6 ? 1 : 0;
        if (!IsEditPrefix(letter)) {
            StorePickedElement(letter);
            CountInput();
        }
        break;
    case 4:
        m_pickFlag = 0;
        StorePointInput();
        CountInput();
        break;
    case 3:
        m_pickFlag = 0;
        StoreTypedValue(letter, subCode);
        CountInput();
        break;
    case 9:
        m_pickFlag = 0;
        CountInput();
        break;
    default:
        m_pickFlag = 0;
        break;
    }
    StoreLastValue();
    app->m_constraintStepRef = app->m_constraintStepX = app->m_constraintStepY = 0;

    CMacroRecorder* recorder = app->m_macroRecorder;
    if (!m_macroFlag && recorder && recorder->m_recording)
        RecordStep(letter);

    if (m_savedTokenString == "DP" && m_tokenString == "DB") {
        m_stepValueFlags.Append(m_carriedValueFlags);
        if (recorder) {
            recorder->m_stepTexts.RemoveAll();
            recorder->m_stepTextCount = 0;
        }
    } else {
        m_carriedValueFlags.RemoveAll();
    }

    int advanced = 0, done = 0;
    complete = 0;
    for (int pass = 0; pass < 6; ++pass) {
        if (Execute()) {
            if (m_editFlag)
                RestoreCreationMode();
            doc->m_pickList->ClearMarks(MARK_SELECTED);
            doc->RedrawChangedElements(1);
            doc->m_previewKind = 0;
            if (m_tokenString == "DP")
                m_carriedValueFlags.Append(m_stepValueFlags);
            if (recorder)
                recorder->CaptureCircleCommand(this);
            if (m_macroFlag) {
                if (app->m_pMainFrame)
                    app->m_pMainFrame->StartTimer(kMacroTimer, static_cast<UINT>(app->m_macroStepInterval));
                if (Player() && Player()->m_inputCounter == 0) {
                    m_macroFlag = 0;
                    m_editFlag = 0;
                    ClearStepMarks();
                    app->m_macroPlaying = 0;
                    m_macroPattern.Empty();
                    ShowGuidance();
                    app->ShowMessage(m_circleFlag == 1 ? kMsgMacroEndCircle : kMsgMacroEndArc, 0);
                    return;
                }
            }
        }
        SaveOrRestoreStep(0);
        advanced = AdvanceWithDefaults(complete, done);
        if (complete) {
            ClearTempMarks();
            ClearStepOptions(0);
            ResetTokensToRadius();
            if (m_tokenString.IsEmpty() || m_tokenString.GetAt(0) != 'D')
                app->m_appElem.SetLastCommandKind(0);
            m_editFlag = 0;
            m_lastPickedCircle = nullptr;
            m_lastPickedArc = nullptr;
            complete = 0;
        }
        if (!advanced)
            break;
    }

    ShowGuidanceAndMark(done);
}

void CCircleCommand::ShowGuidanceAndMark(int done)
{
    ShowGuidance();
    m_doc->ShowInputPointMark(0);
    SetConstraintReference();
    m_doc->ShowInputPointMark(1);
    if (done)
        g_pApp->AnnounceDrawingMode(m_doc);
}

// The creation log's tentative elements (the continuous mode's circle) are taken away.
void CCircleCommand::RollBackTentative()
{
    if (CCreationLog* log = m_doc->m_creationLog) {
        log->EraseLogged();
        log->Rollback();
    }
}

void CCircleCommand::SwitchModeTo(const CString& pattern)
{
    m_autoSavedModePattern = m_modePattern;
    m_autoSavedTokenString = m_tokenString;
    m_modePattern = pattern;
}

int CCircleCommand::ChooseModeFromFirstInput(int position, int kind, int subCode)
{
    m_autoSavedModePattern.Empty();
    m_autoSavedTokenString.Empty();
    CString letter;
    if (kind == 3)
        letter = TokenForValue(subCode);
    else if (kind == 6 || kind == 8)
        letter = TokenForPick(subCode, 0);
    const bool point = kind == 4;
    const bool doublePoint = kind == 12;
    const bool zeroCount = letter == "N" && !IsRelative(subCode) && TooFewCorners(m_doc->m_inputEvent->value);
    const CString& mode = m_modePattern;
    auto endPolygon = [&](const char* to, const char* tokens) {
        SwitchModeTo(to);
        m_tokenString = tokens;
        return 1;
    };

    if (m_editFlag) {
        const CString& t = m_tokenString;
        // An ellipse axis angle typed after a circle's edit entry and one more letter.
        if (position == 2 && !t.IsEmpty() && t.GetAt(0) == '%' && kind == 3 && letter == "A" && subCode == 15) {
            SwitchModeTo("%JP");
            m_tokenString = "%J";
            StoreTypedValue("A", 15);
            return 0;
        }
        const bool arc = t == "#";
        if (!arc && t != "%")
            return 0;
        if (kind == 3 && (letter == "A" || letter == "D" || letter == "J")) {
            static const char* const arcModes[] = { "#A", "#D", "#JP" };
            static const char* const circleModes[] = { "%AA", "%D", "%JP" };
            const int i = letter == "A" ? 0 : letter == "D" ? 1 : 2;
            SwitchModeTo(arc ? arcModes[i] : circleModes[i]);
        } else if (point) {
            if (subCode == 18) {
                SwitchModeTo(arc ? "#pp" : "%pp");
            } else if (!arc) {
                SwitchModeTo("%PP");
            } else {
                const CPointD base = m_doc->m_basePoint;
                SwitchModeTo(PointsNearlyEqual(base, EditedArcPoint(0))   ? "#SP"
                             : PointsNearlyEqual(base, EditedArcPoint(1)) ? "#EP"
                                                                           : "#P");
            }
        } else if (kind == 8 && (letter == "l" || letter == "c")) {
            SwitchModeTo(arc ? (letter == "l" ? "#lp" : "#cp") : (letter == "l" ? "%lp" : "%cp"));
        } else if (kind == 6 && (letter == "l" || letter == "c")) {
            SwitchModeTo(arc ? (letter == "l" ? "#L" : "#C") : (letter == "l" ? "%LP" : "%CP"));
        } else if (kind == 11) {
            SwitchModeTo(arc ? "#Q" : "%Q");
        }
        return 0;
    }
    switch (position) {
    case 0:
        if (point) {
            if (mode == "BB" || mode == "APP" || mode == "DP" || mode == "LLL" || mode == "NPP") {
                SwitchModeTo("PP");
            } else if (mode == "DLL") {
                SwitchModeTo("PP");
                m_tokenString.Empty();
            }
        } else if (letter == "A") {
            SwitchModeTo("APP");
        } else if (letter == "D") {
            SwitchModeTo("DP");
        } else if (letter == "N") {
            if (mode == "NPP") {
                if (zeroCount)
                    return endPolygon("PP", "");
            } else {
                SwitchModeTo("NPP");
            }
        } else if (letter == "l") {
            SwitchModeTo("LLL");
        } else if (letter == "c") {
            SwitchModeTo("PP");
            m_concentricFlag = 1;
        }
        return 0;
    case 1:
        if (point) {
            if (mode != "BB")
                SwitchModeTo("LLL");
        } else if (doublePoint) {
            if (mode == "DP") {
                RollBackTentative();
                SwitchModeTo("DLL");
            } else if (mode != "DLL") {
                SwitchModeTo("BB");
            }
        } else if (letter == "N") {
            if (mode == "DP" || mode == "DLL")
                SwitchModeTo("DNP");
            else if (mode == "NPP" && zeroCount)
                return endPolygon("PP", "");
        } else if (kind == 6 || kind == 8) {
            CElemRef ref;
            if (!m_doc->m_pickList->GetCurrent(ref))
                return 0;
            const bool samePicked =
                letter == "c" &&
                ((ref.m_kind == ELEM_CIRCLE && m_lastPickedCircle &&
                  m_doc->GetCircleElem(ref.m_block, ref.m_slot) == m_lastPickedCircle) ||
                 (ref.m_kind == ELEM_ARC && m_lastPickedArc &&
                  m_doc->GetArcElem(ref.m_block, ref.m_slot) == m_lastPickedArc));
            if (samePicked && mode == "PP") {
                SwitchModeTo("LLL");
                m_tokenString.Empty();
            } else if (samePicked && mode == "LLL") {
                SwitchModeTo("PP");
                m_tokenString.Empty();
            } else if ((letter == "l" || letter == "c") && mode == "BB") {
                SwitchModeTo("LLL");
            }
        }
        return 0;
    case 2:
    case 3:
        if (doublePoint && position == 2 && mode == "LLL") {
            SwitchModeTo("BB");
            m_tokenString = "B";
        } else if (letter == "N" && zeroCount) {
            if (mode == "DNP")
                return endPolygon("DP", "D");
            if (mode == "NPP")
                return endPolygon("PP", "");
        }
        return 0;
    default:
        return 0;
    }
}

CString CCircleCommand::TokenForValue(int subCode) const
{
    switch (subCode) {
    case 0:
    case 1:
    case 2:
    case 3:
        return DefaultValueLetter();
    case 4:
    case 5:
        return "N";
    case 6:
    case 7:
        return "D";
    case 10:
        return "F";
    case 11:
    case 12:
        return "A";
    case 13:
    case 14:
        return "R";
    case 15:
        return m_tokenString == "%" || m_tokenString == "#" ? "J" : "A";
    default:
        return CString();
    }
}

CString CCircleCommand::DefaultValueLetter() const
{
    if (!EitherOptionOn())
        return "D";
    const CString& m = m_modePattern;
    const bool menuShown = !PopupMenuOff() || ModeChosen();
    if (m == "APP")
        return menuShown ? "A" : "D";
    if (m == "NPP") {
        const CString& t = m_tokenString;
        if (t.IsEmpty() || t == "N" || t == "NA" || t == "NPP" || t == "NPD" || t == "NPAP" || t == "NPAD" ||
            t == "NAPP" || t == "NAPD")
            return menuShown ? "N" : "D";
        return "D";
    }
    static const char* const angleModes[] = { "#P",  "#pp", "#lp", "#cp", "#JP", "%PP", "%JP",
                                              "%LP", "%CP", "%AA", "%pp", "%lp", "%cp" };
    for (const char* a : angleModes) {
        if (m == a)
            return "A";
    }
    return "D";
}

CString CCircleCommand::TokenForPick(int subCode, int upper) const
{
    return PickTokenLetter(m_doc, subCode, upper, m_macroFlag, !m_modePattern.IsEmpty());
}

// end 0 the start, 1 the end of the arc being edited; (0, 0) when there is none.
CPointD CCircleCommand::EditedArcPoint(int end) const
{
    const CArc* arc = m_doc->GetArcElem(m_editBlock, m_editSlot);
    if (!arc)
        return CPointD();
    return arc->KeyPoint(end == 0 ? -1 : -2);
}

void CCircleCommand::StorePointInput()
{
    const int i = GetLastPointTokenIndex();
    if (i < 0)
        return;
    CInputPoint& s = m_inputPoints[i];
    if (m_tokenString == "#S") {
        s.SetPoint(EditedArcPoint(1));
    } else if (m_tokenString == "#E") {
        s.SetPoint(EditedArcPoint(0));
    } else {
        s.SetPoint(m_doc->m_basePoint);
        if (g_pApp->m_constraintPointSet) {
            s.SetBoth(m_doc->m_referencePoint);
            s.SetFlags(0x01);
        }
    }
}

int CCircleCommand::StoreTypedValue(const CString& letter, int subCode)
{
    const CString& t = m_tokenString;
    int i = -1;
    if (letter == "A") {
        i = t.ReverseFind('A');
        if (i < 0)
            i = t.ReverseFind('J');
    } else if (letter == "D" || letter == "R" || letter == "N" || letter == "J") {
        i = t.ReverseFind(letter.GetAt(0));
    }
    if (i < 0 || i >= kPositions)
        return 0;
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    const double typed = doc->m_inputEvent->value;
    const double rotation = doc->m_relAngle;
    const bool relative = IsRelative(subCode);
    double v = typed;
    CString text;
    switch (letter.GetAt(0)) {
    case 'A':
    case 'J':
        if (relative) {
            v = doc->m_curAngle + typed;
            text = CString(" ( ") + DoubleToString(v) + " 度)";
            v += rotation;
        } else {
            v = typed + rotation;
            if (letter == "J" && rotation != 0)
                text = " (角度)";
        }
        break;
    case 'D':
        if (relative) {
            v = doc->m_previewValue + typed;
            text = CString(" ( ") + "長さ " + DoubleToString(v) + " )";
        } else {
            text = " (長さ)";
        }
        if (m_modePattern == "DP" || m_modePattern == "DLL")
            m_defaultLength = v;
        break;
    case 'R':
        if (relative) {
            v = doc->m_workFactor + typed;
            text = CString(" ( ") + "比率 " + DoubleToString(v) + " )";
        }
        break;
    case 'N':
        if (relative)
            v = doc->m_workMode + typed;
        if (TooFewCorners(v)) {
            app->ShowResultMessage(kMsgCountTooSmall, 1);
            v = 3;
        }
        if (relative)
            text = CString(" ( ") + "数 " + DoubleToString(CountOf(v)) + " )";
        break;
    default:
        break;
    }
    m_values[i].value = v;
    HandToDocument(doc, letter.GetAt(0), v);
    if (!text.IsEmpty())
        app->ShowResultMessage(text, 0);
    return 1;
}

void CCircleCommand::ShowAngleMessage(double angle)
{
    double shown = angle;
    RoundToSignificant(shown, g_pApp->m_appAcc.messageDigits());
    g_pApp->ShowResultMessage(CString(kMsgAngleSetHead) + DoubleToString(shown) + kMsgAngleSetTail, 0);
}

// The direction of a picked line or circle: the angle of the polygon modes, or else the
// reference of the element picked at position 1 or 2.
void CCircleCommand::TakeAngleOfPick(double angle)
{
    const CString& t = m_tokenString;
    if (t == "DNA" || t == "NPA") {
        m_values[2].value = angle;
        ShowAngleMessage(angle);
    } else if (t == "NA" || t == "%J" || t == "#J") {
        m_values[1].value = angle;
        ShowAngleMessage(angle);
    } else {
        CElemRef ref;
        const int i = GetLastTokenIndex();
        if ((i == 1 || i == 2) && m_doc->m_pickList->GetCurrent(ref))
            m_pickedRefs[i - 1] = ref;
    }
}

void CCircleCommand::StorePickedElement(const CString& letter)
{
    CZelkDoc* doc = m_doc;
    CPickList& list = *doc->m_pickList;
    CElemRef ref;
    const int i = GetLastTokenIndex();
    if (!list.GetCurrent(ref) || i < 0 || i >= kPositions || letter == "p")
        return;
    const CPointD cursor = list.pickPoint;
    if (letter == "L" || letter == "l") {
        const CLine* line = doc->GetLineElem(ref.m_block, ref.m_slot);
        if (ref.m_kind != ELEM_LINE || !line)
            return;
        m_pickedLines[i].Assign(*line);
        m_pickPoints[i] = cursor;
        m_pickPositions[i] = list.ClassifyPickPosition();
        double a = PointsAngleDeg(line->m_start, line->m_end);
        if (m_pickPositions[i] >= 5)
            a += 180;
        TakeAngleOfPick(a);
    } else if (letter == "C" || letter == "c") {
        CCircle& kept = m_pickedCircles[i];
        if (ref.m_kind == ELEM_CIRCLE) {
            const CCircle* circle = doc->GetCircleElem(ref.m_block, ref.m_slot);
            if (!circle)
                return;
            kept.Assign(*circle);
            m_pickedAngleRange.Init(0, 360);
            m_lastPickedCircle = circle;
        } else if (ref.m_kind == ELEM_ARC) {
            const CArc* arc = doc->GetArcElem(ref.m_block, ref.m_slot);
            if (!arc)
                return;
            kept.AssignFromArc(*arc);
            m_pickedAngleRange.Init(arc->m_startAngle, arc->m_endAngle);
            m_lastPickedArc = arc;
        } else {
            return;
        }
        if (m_modePattern == "DLL") {
            const double d = Distance(kept.m_centre, cursor);
            if (!NearlyEqual(m_values[0].value, kept.m_radius) && d < kept.m_radius && !NearlyEqual(d, kept.m_radius))
                g_pApp->ShowResultMessage(kMsgCentreTowardPick, 0);
        }
        if (EitherOptionOn() && m_modePattern == "PP" && m_tokenString == "P" && i == 0) {
            StoreCentrePick();
            return;
        }
        m_pickPoints[i] = cursor;
        TakeAngleOfPick(PointsAngleDeg(kept.m_centre, cursor));
    } else if (letter == "T" || letter == "t") {
        const CTexts* block = doc->TextBlockAt(ref.m_block);
        const CTypeFont* font = block ? doc->GetFont(block->m_pen) : nullptr;
        if (ref.m_kind != ELEM_TEXT || !font)
            return;
        const double a = font->m_angle;
        if (m_tokenString == "DNA" || m_tokenString == "NPA")
            m_values[2].value = a;
        else if (m_tokenString == "NA")
            m_values[1].value = a;
        ShowAngleMessage(a);
    }
}

// A circle picked first in the centre mode stands for its centre point.
void CCircleCommand::StoreCentrePick()
{
    CInputPoint& s = m_inputPoints[0];
    s.SetPoint(m_pickedCircles[0].m_centre);
    m_doc->m_previewValue = m_pickedCircles[0].m_radius;
    if (g_pApp->m_constraintPointSet) {
        s.SetBoth(m_doc->m_referencePoint);
        s.SetFlags(0x01);
    }
}

void CCircleCommand::StoreLastValue()
{
    const int i = GetLastTokenIndex();
    if (i < 0 || i >= kPositions)
        return;
    CZelkDoc* doc = m_doc;
    const double v = m_values[i].value;
    const char letter = m_tokenString.GetAt(i);
    switch (letter) {
    case 'C':
    case 'c':
        doc->m_previewValue = m_pickedCircles[i].m_radius;
        break;
    case 'P':
    case 'S':
    case 'E':
        if (m_tokenString.Find('%') >= 0) {
            if (const CCircle* edited = doc->GetCircleElem(m_editBlock, m_editSlot))
                doc->SetCurrentAngle(PointsAngleDeg(edited->m_centre, m_inputPoints[i].GetEffective(doc, 1)));
        }
        break;
    default:
        HandToDocument(doc, letter, v);
        break;
    }
}

void CCircleCommand::SetConstraintReference()
{
    CZelkDoc* doc = m_doc;
    doc->m_inputMarkFlag = 0;
    int single = 0, complete = 0;
    const int p = ClassifyTokens(single, complete);
    const CInputPoint* s = p >= 0 && p < kPositions ? &m_inputPoints[p] : nullptr;
    if (!s || s->mode == 1) {
        const int i = GetLastPointTokenIndex();
        if (i < 0 || i >= kPositions)
            return;
        s = &m_inputPoints[i];
        if (s->mode == 1)
            return;
    }
    doc->m_inputMarkPos = s->reference;
    doc->m_inputMarkFlag = 1;
}

void CCircleCommand::RecordStep(const CString& letter)
{
    CZelkApp* app = g_pApp;
    CMacroRecorder* recorder = app->m_macroRecorder;
    if (m_recorderPointFlag && letter == "B")
        app->m_relativeRecording = 1;
    m_recorderPointFlag = 0;
    const int e = GetLastTokenIndex();
    if (e >= 0) {
        WORD flag = 0;
        if (app->m_relativeRecording) {
            if (e == GetLastPointTokenIndex())
                flag = 1;
            else if (CompletesRecordedStep(m_tokenString, letter))
                flag = 2;
        }
        m_stepValueFlags.SetAtGrow(e, flag);
    }
    if (letter == "P")
        m_recorderPointFlag = 1;
    if (!recorder->m_pendingStepText.IsEmpty() && e >= 0)
        m_stepTexts.SetAtGrow(e, recorder->m_pendingStepText);
    app->m_relativeRecording = 0;
    recorder->m_pendingStepText.Empty();
}
