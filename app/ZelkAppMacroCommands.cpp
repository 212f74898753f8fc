// File and macro commands of the application: a new drawing, saving everything at exit while a
// symbol waits to be placed, and recording operations as macro text.
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "macro/MacroInterpreter.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "input/InputBar.h"
#include "macro/MacroRecorder.h"
#include "platform/core/Services.h"
#include "platform/ui/Controls.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgNoFreehandMacro = "書きなぐり線はマクロに記録できません";
// The view's tips announcing that the next input data are recorded, or not.
constexpr UINT kRecordingTip = 59413;
constexpr UINT kIgnoringTip = 59414;

// Freehand lines cannot be recorded: the command is refused and recording stays off.
bool RefuseFreehand(CZelkApp& app)
{
    if (app.m_commandKind != 11)
        return false;
    MessageBeep(MB_ICONASTERISK);
    app.ShowMessage(kMsgNoFreehandMacro, 0);
    if (app.m_macroRecorder)
        app.m_macroRecorder->m_recording = 0;
    return true;
}

} // namespace

void CZelkApp::OnNewDrawingCommand()
{
    if (ShowHelpInstead(57600))
        return;
    // Before the drawing appears: a command its start-up notices run is the later one.
    m_lastCommandId = 57600;
    NewDrawing();
}

BOOL CZelkApp::SaveAllModified()
{
    if (m_symbolDoc) {
        if (!m_activeView) {
            AfxMessageBox("シンボルのコビーを ESC で終了してください");
            return FALSE;
        }
        CancelMode(m_activeView->m_document, m_activeView);
    }
    return CWinApp::SaveAllModified();
}

void CZelkApp::StartMacroRecording()
{
    if (ShowHelpInstead(32799))
        return;
    if (RefuseFreehand(*this) || !m_macroRecorder)
        return;
    m_macroRecorder->StartRecording();
    m_macroRecorder->m_recording = 1;
    m_macroRecorder->OpenDialog();
}

void CZelkApp::StopMacroRecording()
{
    if (ShowHelpInstead(32800) || !m_macroRecorder)
        return;
    if (m_activeView && !RefuseFreehand(*this)) {
        m_macroRecorder->StopRecording();
        if (m_scriptInterpreter)
            m_scriptInterpreter->RunLines(m_activeView->m_document, m_macroRecorder->m_lines, false);
        // The tip announcing whether input data are recorded goes with the recording.
        CZelkView* view = m_activeView;
        if (view && view->m_gestureTips) {
            view->m_gestureTips->DelTool(view, kRecordingTip);
            view->m_gestureTips->DelTool(view, kIgnoringTip);
        }
    }
    m_macroRecorder->CloseDialog();
}

void CZelkApp::CloseMacroRecorderDialog()
{
    if (m_macroRecorder)
        m_macroRecorder->CloseDialog();
}

void CZelkApp::OnMacroRecordToDrawing()
{
    if (ShowHelpInstead(32801))
        return;
    if (RefuseFreehand(*this) || !m_macroRecorder)
        return;
    m_macroRecorder->StopRecording();
    m_macroRecorder->CloseDialog();
    if (!m_activeView || !m_groupProcessor)
        return;
    CGroupProcessor& processor = *m_groupProcessor;
    processor.Reset(1);
    processor.m_document = m_activeView->m_document;
    processor.EnterGroupMode();
    processor.m_elemSet.AddTextLines(m_macroRecorder->m_lines);
    processor.modePattern = "MP";
    processor.m_elemSet.basePoint.Init(0.0, 0.0);
    processor.OnInput(m_activeView->m_document, 14, 32);
}

void CZelkApp::OnSaveMacroRecording()
{
    if (ShowHelpInstead(32833))
        return;
    if (RefuseFreehand(*this) || !m_macroRecorder)
        return;
    m_macroRecorder->StopRecording();
    m_macroRecorder->CloseDialog();
    CString path;
    CString title = "macro";
    int fileType = 16;
    if (!ChooseFileName(path, title, 8, fileType, 0, 3))
        return;
    CWaitCursorScope wait;
    CStringArray lines;
    lines.Copy(m_macroRecorder->m_lines);
    for (INT_PTR i = lines.GetSize() - 1; i >= 0; --i)
        if (lines[i].IsEmpty())
            lines.RemoveAt(i);
    if (!WriteTextFileLines(lines, path))
        AfxMessageBox(path + " はオープンできませんでした");
}

void CZelkApp::ToggleMacroNextInput()
{
    if (ShowHelpInstead(32804))
        return;
    if (m_macroNextInput) {
        m_macroNextInput = 0;
        if (m_activeView)
            m_activeView->SetFocus();
        return;
    }
    m_macroNextInput = 1;
    if (m_inputBar)
        m_inputBar->SelectList(6, 0, 1);
}

void CZelkApp::OnMacroUseNextInput()
{
    if (ShowHelpInstead(32803))
        return;
    const short before = m_useNextInput;
    m_useNextInput = m_useNextInput ? 0 : 1;
    if (m_activeView)
        m_activeView->LayGestureTooltips(before ? 10 : 9);
}

void CZelkApp::OnUpdateMacroStart(CCmdUI* pCmdUI)
{
    const int recording = m_macroRecorder && m_macroRecorder->m_recording;
    pCmdUI->Enable(!recording && !m_macroPlaying && m_interruptMode != 36);
}

void CZelkApp::OnUpdateMacroFlag(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_macroRecorder && m_macroRecorder->m_recording);
    pCmdUI->SetCheck(pCmdUI->m_nID == 32804 ? m_macroNextInput != 0 : m_useNextInput != 0);
}

void CZelkApp::OnUpdateSymbol(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_symbolDoc != nullptr);
}

void CZelkApp::OnUpdateMacroRecording(CCmdUI* pCmdUI)
{
    const int recording = m_macroRecorder && m_macroRecorder->m_recording;
    const int held = m_macroRecorder && m_macroRecorder->m_lines.GetSize() > 0;
    pCmdUI->Enable(pCmdUI->m_nID == 32800 ? recording : (recording || held));
}
