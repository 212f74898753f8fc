// The loop command's input entry. While loops are taken, picks build them and Enter closes the
// current one; once a loop is closed, Enter, typed values, points and picks become the letters
// of the operation's pattern, and a complete pattern runs it.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "input/InputEvent.h"
#include "macro/MacroInterpreter.h"

namespace {

void CountInput()
{
    if (g_pApp && g_pApp->m_scriptInterpreter)
        ++g_pApp->m_scriptInterpreter->m_inputCounter;
}

void Say(const char* text, int beep)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, beep);
}

} // namespace

void CLoopCommand::OnInput(int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    if (!doc)
        return;
    if (doc->m_circleCmd)
        doc->m_circleCmd->ClearCandidates();
    // The loops of the last operation go with the first input of the next.
    if (m_extractState == 0) {
        FreeLoops();
        if (app)
            app->RedrawActiveView();
    }
    int single = 0, complete = 0;
    const int code = ClassifyTokens(single, complete);

    CString letter;
    if (m_tokenString != "A" && (code == 0 || m_extractState != 3)) {
        if (kind == 6) {
            if (app) {
                app->ClearOtherSelections(doc);
                if (app->m_groupProcessor) {
                    app->m_groupProcessor->Reset(0);
                    app->m_groupProcessor->AttachTo(doc);
                }
            }
            ExtendLoopByPick();
            ShowGuidance();
            return;
        }
        if (kind == 11) {
            if (m_extractState != 3) {
                if (CloseCurrentLoop()) {
                    m_extractState = 3;
                    DrawAllLoops(0);
                    Say("１つのループを抽出しました", 0);
                    CountInput();
                } else if (!m_currentLoop) {
                    Say("抽出中のループはありません", 1);
                } else {
                    Say("ループが閉じていません", 1);
                    DrawLoop(3, m_currentLoop);
                }
                return;
            }
            letter = "O";
        } else if (kind != 3) {
            return;
        }
    }

    if (letter.IsEmpty()) {
        switch (kind) {
        case 3:
            letter = TypedToken(subCode);
            if (letter.IsEmpty())
                return;
            break;
        case 4:
            if (m_macroFlag && !m_modePattern.IsEmpty() && HasCutPointAt(code)) {
                letter = "p";
            } else {
                if (!m_macroFlag && subCode == 18)
                    return;
                letter = "P";
            }
            break;
        case 6:
        case 8:
            // A run of joined lines begins with its own pick once the limit is given.
            if (m_tokenString == "A" && code == 1) {
                if (kind == 6)
                    PickLineRunElement();
                return;
            }
            letter = PickTokenLetter(doc, subCode, kind == 6 ? 1 : 0, m_macroFlag, !m_modePattern.IsEmpty());
            if (letter.IsEmpty())
                return;
            break;
        case 10: break;
        case 11: letter = m_tokenString == "A" ? "V" : "Q"; break;
        case 12: letter = "B"; break;
        default: return;
        }
    }

    const int accepted = m_macroFlag ? AcceptMacroInput(letter) : AcceptInput(letter);
    if (!accepted)
        return;
    UpdateLengthInputFlag();
    const int last = GetLastTokenIndex();
    if (kind == 3 && last >= 0 && last < 5) {
        // A second angle lands on the position of the first.
        m_values[last].value = doc->m_inputEvent->value;
        CountInput();
    } else if (kind == 4) {
        const int j = GetLastPointIndex();
        if (j >= 0 && j < 5) {
            CInputPoint& r = m_inputPoints[j];
            r.SetPoint(doc->m_basePoint);
            if (app && app->m_constraintPointSet) {
                r.SetBoth(doc->m_referencePoint);
                r.SetFlags(0x01);
            }
        }
        CountInput();
    } else if (kind == 6 || kind == 8) {
        TakePickedElement(letter);
        CountInput();
    }
    if (app)
        app->m_constraintStepRef = app->m_constraintStepX = app->m_constraintStepY = 0;
    if (Execute())
        doc->m_previewKind = 0;
    ShowGuidance();
}
