// The macro recorder's life around a recording: its lines and its panel.
#include "macro/MacroRecorder.h"

#include "app/MacroRecordDialog.h"
#include "app/ZelkApp.h"
#include "view/ZelkView.h"

CMacroRecorder::CMacroRecorder() : m_dialog(std::make_unique<CMacroRecordDialog>()) {}

CMacroRecorder::~CMacroRecorder()
{
    CloseDialog();
}

void CMacroRecorder::StartRecording()
{
    m_recording = 0;
    m_lines.RemoveAll();
}

void CMacroRecorder::StopRecording()
{
    EmitCommandLines();
    m_recording = 0;
}

void CMacroRecorder::OpenDialog()
{
    CZelkView* view = g_pApp ? g_pApp->m_activeView : nullptr;
    if (!view || m_dialogOpen)
        return;
    if (!m_dialog->Create(CMacroRecordDialog::IDD, view))
        return;
    m_dialogOpen = 1;
    view->SetFocus();
}

void CMacroRecorder::CloseDialog()
{
    if (!m_dialogOpen)
        return;
    m_dialog->DestroyWindow();
    m_dialogOpen = 0;
}
