// The line command's input entry: the letter of each input event, the automatic choice of a
// construction from the kind of the inputs, the tangent-point shortcut, the recorder's marks of
// each step and the execute-and-advance loop that finishes a construction.
#include "commands/line/LineCommand.h"

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/PatternTable.h"
#include "commands/line/TokenLists.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"

namespace {

const char* const kMsgMacroEnd = "マクロは終了しました。線分コマンドです。";

constexpr UINT kMacroTimer = 17;
constexpr int kExecutePasses = 5;

const CTokenList kCutPatterns = { "#pp", "#pl", "#pc", "#lp", "#ll", "#lc", "#cp", "#cl", "#cc" };

CMacroInterpreter* Player()
{
    return g_pApp ? g_pApp->m_scriptInterpreter : nullptr;
}

void CountInput()
{
    if (CMacroInterpreter* player = Player())
        ++player->m_inputCounter;
}

} // namespace

void CLineCommand::OnInput(int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    if (doc->m_circleCmd)
        doc->m_circleCmd->ClearCandidates();
    int single = 0, complete = 0;
    const int c = ClassifyTokens(single, complete);
    m_refusalNote = 0;
    CString r;
    if (kind == 3)
        r = TokenForValue(subCode);

    // A point the hub's Enter gave is a mouse point of the command: it never chooses the mode.
    if ((PopupMenuOff() && !app->m_pointFromEnter && !ModeChosen()) ||
        (ModeChosen() && m_modePattern == "SE" && r == "PA"))
        ChooseModeFromFirstInput(c, kind, subCode);
    app->m_pointFromEnter = 0;

    switch (kind) {
    case 4:
        r = "P";
        if (m_macroFlag && !m_modePattern.IsEmpty()) {
            if (HasCutPointAt(c))
                r = "p";
            else if (LineMultiCommand() && m_modePattern == "BP" && c == 0)
                r = "B";
        } else if (subCode == 18 || TokenIn(m_modePattern, kCutPatterns)) {
            r = "p";
        } else if (m_modePattern == "BP" && c == 0) {
            r = "B";
        } else if (m_modePattern == "LANP" && m_pickedLines[0].SideOfPoint(doc->m_basePoint) == 2) {
            r = "H";
        }
        break;
    case 12:
        r = "B";
        break;
    case 3:
        if (r.IsEmpty())
            return;
        // Kept as it is: a relative angle is not taken after a typed angle or length.
        if (r == "PA" && !m_tokenString.IsEmpty() && (m_tokenString.GetAt(0) == 'A' || m_tokenString.GetAt(0) == 'D'))
            return;
        break;
    case 6:
        r = TokenForPick(subCode, 1);
        if (r.IsEmpty())
            return;
        if (TokenIn(m_modePattern, kCutPatterns)) {
            if (r == "L")
                r = "l";
            else if (r == "C")
                r = "c";
        }
        if (m_modePattern == "#L" && r == "L") {
            CElemRef ref;
            if (!doc->m_pickList->GetCurrent(ref))
                return;
            m_editFlag = 1;
        }
        break;
    case 8:
        r = TokenForPick(subCode, 0);
        if (r.IsEmpty())
            return;
        break;
    case 11:
        r = "Q";
        break;
    case 9:
        r = "#";
        break;
    case 10:
        break;
    default:
        return;
    }

    const int accepted = m_macroFlag ? AcceptMacroToken(r) : AcceptToken(r);
    if (!accepted) {
        if (m_instance != 0 && m_tokenString.IsEmpty() && r == "#")
            app->AnnounceDrawingMode(doc);
        return;
    }

    UpdateLengthInputFlag();
    if (kind == 4) {
        StorePointInput();
        CountInput();
    } else if (kind == 3) {
        StoreTypedValue(r, subCode);
        CountInput();
    } else if ((kind == 6 || kind == 8) && r != "#") {
        StorePickedElement(r);
        CountInput();
    } else if (kind == 9) {
        CountInput();
    }

    // A point on the circle and the circle, in either order, is one tangent line at that point:
    // the radial line by angle draws it.
    const CString& t = m_tokenString;
    bool tangent = false;
    double angle = 0;
    if (t == "PC") {
        const CPointD p = m_inputPoints[0].GetEffective(doc, 1);
        if (m_pickedCircles[1].ClassifyPoint(p) == 2) {
            angle = PointsAngleDeg(m_pickedCircles[1].m_centre, p) + 90.0;
            tangent = true;
        }
    } else if (t == "CP") {
        const CPointD p = m_inputPoints[1].GetEffective(doc, 1);
        if (m_pickedCircles[0].ClassifyPoint(p) == 2) {
            m_inputPoints[0].Assign(m_inputPoints[1]);
            angle = PointsAngleDeg(m_pickedCircles[0].m_centre, p) + 90.0;
            tangent = true;
        }
    }
    if (tangent) {
        m_values[1].value = angle;
        doc->m_absAngle = angle;
        m_tokenString = "SAN";
        m_modePattern = "SANP";
        m_values[2].value = 1.0;
        app->ComputePreview(doc);
        ShowGuidance();
    }

    StoreLastValue();
    app->m_constraintStepRef = app->m_constraintStepX = app->m_constraintStepY = 0;
    RecordStep(r);

    CMacroRecorder* recorder = app->m_macroRecorder;
    int restarted = 0, announce = 0;
    bool keepSaved = false;
    for (int pass = 0; pass < kExecutePasses; ++pass) {
        if (Execute()) {
            if (m_editFlag)
                RestoreCreationMode();
            doc->m_pickList->ClearMarks(MARK_SELECTED);
            doc->RedrawChangedElements(1);
            doc->m_previewKind = 0;
            if (recorder)
                recorder->CaptureLineCommand(this);
            if (m_macroFlag) {
                if (doc->m_creationLog)
                    doc->m_creationLog->Commit(1);
                if (app->m_pMainFrame)
                    app->m_pMainFrame->StartTimer(kMacroTimer, static_cast<UINT>(app->m_macroStepInterval));
                if (Player() && Player()->m_inputCounter == 0) {
                    m_macroFlag = 0;
                    m_editFlag = 0;
                    ClearStepMarks();
                    app->m_macroPlaying = 0;
                    m_macroPattern.Empty();
                    ShowGuidance();
                    app->ShowMessage(kMsgMacroEnd, 0);
                    return;
                }
            }
        }
        if (!keepSaved)
            SaveOrRestoreStep(0);
        keepSaved = false;
        const int advanced = AdvanceWithDefaults(restarted, announce);
        if (restarted) {
            ClearTempMarks();
            ClearStepOptions(0);
            if (m_tokenString.IsEmpty() || m_tokenString.GetAt(0) != 'D')
                app->m_appElem.SetLastCommandKind(0);
            restarted = 0;
            keepSaved = true;
        }
        if (!advanced)
            break;
    }

    ShowStepAndMark(announce);
}

// What the macro recorder keeps of the step just taken: its text and how its value is recorded.
void CLineCommand::RecordStep(const CString& r)
{
    CZelkApp* app = g_pApp;
    CMacroRecorder* recorder = app->m_macroRecorder;
    if (m_recorderPointFlag && (r == "PA" || r == "B"))
        app->m_relativeRecording = 1;
    m_recorderPointFlag = 0;
    if (m_macroFlag || !recorder || !recorder->m_recording)
        return;
    const CString& t = m_tokenString;
    const int i = t.GetLength() - 1;
    if (i >= 0) {
        if (m_stepValueFlags.GetSize() <= i)
            m_stepValueFlags.SetAtGrow(i, 0);
        if (app->m_relativeRecording) {
            if (LastPointTokenIndex() == i) {
                m_stepValueFlags.SetAt(i, 1);
            } else {
                if (i > 0 && ((t == "SAN" && r == "A") || (t == "SDN" && r == "D") || (t == "LAN" && r == "A")))
                    m_stepValueFlags.SetAt(i - 1, 2);
                m_stepValueFlags.SetAt(i, 2);
            }
            if (r == "P")
                m_recorderPointFlag = 1;
        } else if (TokenIn(t, { "SAN", "SDN", "LAN" })) {
            m_stepValueFlags.SetAt(i, r == "N" ? 0 : 2);
        }
        if (!recorder->m_pendingStepText.IsEmpty())
            m_stepTexts.SetAtGrow(i, recorder->m_pendingStepText);
        app->m_relativeRecording = 0;
    }
    recorder->m_pendingStepText.Empty();
}

void CLineCommand::ChooseModeFromFirstInput(int position, int kind, int subCode)
{
    m_autoSavedModePattern.Empty();
    m_autoSavedTokenString.Empty();
    CString v, e;
    if (kind == 3)
        v = TokenForValue(subCode);
    else if (kind == 6 || kind == 8)
        e = TokenForPick(subCode, 0);
    const CString mode = m_modePattern;
    const CString& t = m_tokenString;
    const bool point = kind == 4;
    const bool doublePoint = kind == 12;
    const bool value = kind == 3;
    const bool pick = kind == 6;
    const bool fromP = TokenBeginsWith(t, "P");
    auto switchTo = [&](const char* pattern, const char* tokens = nullptr) {
        SwitchModeTo(pattern);
        if (tokens)
            m_tokenString = tokens;
    };
    // The picked line is the line picked first.
    auto sameLine = [&] {
        CElemRef ref;
        if (!m_doc->m_pickList->GetCurrent(ref) || ref.m_kind != ELEM_LINE)
            return false;
        const CLine* line = m_doc->GetLineElem(ref.m_block, ref.m_slot);
        return line && m_pickedLines[0].IsSameAs(*line);
    };
    auto startRectangle = [&] { switchTo("BP", ""); };

    if (m_editFlag) {
        if (position != 1)
            return;
        if (value) {
            if (v == "A")
                switchTo("#AP");
            else if (v == "D")
                switchTo("#DP");
        } else if (point) {
            const CPointD base = m_doc->m_basePoint;
            if (subCode == 18)
                switchTo("#pp");
            else if (PointsNearlyEqual(base, EditedLinePoint(0)))
                switchTo("#SP");
            else if (PointsNearlyEqual(base, EditedLinePoint(1)))
                switchTo("#EP");
            else
                switchTo("#P");
        } else if (kind == 8) {
            if (e == "l")
                switchTo("#lp");
            else if (e == "c")
                switchTo("#cp");
        } else if (pick) {
            if (e == "l")
                switchTo("#L");
            else if (e == "c")
                switchTo("#C");
        } else if (kind == 11) {
            switchTo("#Q");
        }
        return;
    }
    if (value && v == "PA") {
        if (mode != "PAPP") {
            switchTo("PAPP", "P");
            StorePointInput();
        }
        return;
    }
    switch (position) {
    case 0:
        if (point) {
            if (TokenIn(mode, { "PAPP", "DP", "APPP", "SANP", "SDNP" }))
                switchTo("SE");
            else if (mode == "BP")
                m_modePattern = "SE";
        } else if (value) {
            if (v == "A")
                switchTo("APPP");
            else if (v == "D")
                switchTo("DP");
        } else if (pick) {
            if (e == "l")
                switchTo("LP");
            else if (e == "c")
                switchTo("CP");
        }
        return;
    case 1:
        if (point) {
            if (fromP)
                switchTo("SE");
            else if (mode == "DLL")
                switchTo("DP");
            else if (mode == "LANP")
                switchTo("SE", "");
        } else if (doublePoint) {
            if (mode == "DP" || mode == "APPP") {
                m_inputPoints[0].Assign(m_inputPoints[mode == "DP" ? 1 : 3]);
                RollBackTentative();
            }
            startRectangle();
        } else if (value) {
            if (mode == "SE") {
                if (v == "A")
                    switchTo("SANP");
                else if (v == "D")
                    switchTo("SDNP");
            } else if (mode == "LP" || mode == "CP") {
                if (t == "P" && v == "N")
                    switchTo("SE");
                else if (fromP && (v == "A" || (v == "N" && mode == "CP")))
                    switchTo("SANP");
                else if (fromP && v == "D")
                    switchTo("SDNP");
            } else if (mode == "SANP") {
                if (fromP && v == "D")
                    switchTo("SDNP");
            } else if (mode == "SDNP") {
                if (fromP && (v == "A" || v == "N"))
                    switchTo("SANP");
            } else if (mode == "LANP") {
                if (v == "D")
                    switchTo("DP", "");
                else if (v == "A")
                    switchTo("APPP");
            }
        } else if (pick) {
            if (mode == "SE") {
                if (e == "l")
                    switchTo("LP");
                else if (e == "c")
                    switchTo("CP");
            } else if (mode == "SANP" || mode == "SDNP") {
                if (e == "c")
                    switchTo("CP", "P");
                else if (e == "l")
                    switchTo("LP", "P");
            } else if (mode == "CP") {
                if (e == "l")
                    switchTo("LP", fromP ? nullptr : "");
            } else if (mode == "LP") {
                if (e == "c")
                    switchTo("CP", fromP ? nullptr : "");
                else if (e == "l" && sameLine())
                    switchTo("LANP");
            } else if (mode == "LANP") {
                if (e == "c")
                    switchTo("CP", "");
            }
        }
        return;
    case 2:
        if (point) {
            if (mode == "DLL")
                switchTo("DP", "D");
        } else if (doublePoint) {
            if (mode == "APPP")
                m_inputPoints[0].Assign(m_inputPoints[2]);
            startRectangle();
        } else if (value && mode == "LP" && TokenBeginsWith(t, "S")) {
            if (v == "A")
                switchTo("SANP", "P");
            else if (v == "D")
                switchTo("SDNP", "P");
        }
        return;
    case 3:
        if (doublePoint) {
            if (mode == "APPP")
                m_inputPoints[0].Assign(m_inputPoints[2]);
            startRectangle();
        } else if (pick && mode == "LANP") {
            if (e == "c")
                switchTo("CP", "");
            else if (e == "l" && sameLine())
                switchTo("LP", "L");
        } else if (pick && mode == "SDNP") {
            if (e == "c")
                switchTo("CP", "P");
        }
        return;
    default:
        return;
    }
}

CString CLineCommand::TokenForValue(int subCode) const
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
    case 15:
        return "PA";
    default:
        return CString();
    }
}

CString CLineCommand::DefaultValueLetter() const
{
    if (!LineMultiCommand())
        return "A";
    const CString& m = m_modePattern;
    const CString& t = m_tokenString;
    const bool length = (m == "PAPP" && t == "PAP") || (m == "SDNP" && t == "P") || (m == "LP" && t != "P") ||
                        (m == "APPP" && t == "APP") || (m == "DP" && t.IsEmpty()) ||
                        (m == "DLL" && (t.IsEmpty() || TokenIn(t, { "D", "DLL", "DLC", "DCL", "DCC" }))) ||
                        (m == "BP" && TokenIn(t, { "BD", "BAD" })) || (m == "#DP" && TokenIn(t, { "#", "#D" }));
    return length ? "D" : "A";
}

CString CLineCommand::TokenForPick(int subCode, int upper) const
{
    return PickTokenLetter(m_doc, subCode, upper, m_macroFlag, !m_modePattern.IsEmpty());
}

void CLineCommand::UpdateLengthInputFlag()
{
    SetLengthInputFlags(DefaultValueLetter() == "D");
}
