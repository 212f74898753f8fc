// The macro recorder's panel: its buttons are the application's macro commands.
#include "app/MacroRecordDialog.h"

#include "app/ZelkApp.h"
#include "view/ZelkView.h"

BEGIN_MESSAGE_MAP(CMacroRecordDialog, CDialog)
    ON_BN_CLICKED(1166, OnMessage)
    ON_BN_CLICKED(1171, OnRecordNextInput)
    ON_BN_CLICKED(1169, OnFinish)
END_MESSAGE_MAP()

void CMacroRecordDialog::OnMessage()
{
    if (g_pApp)
        g_pApp->ToggleMacroNextInput();
}

void CMacroRecordDialog::OnRecordNextInput()
{
    if (!g_pApp)
        return;
    g_pApp->m_useNextInput = g_pApp->m_useNextInput ? 0 : 1;
    if (CZelkView* view = g_pApp->m_activeView) {
        view->SetFocus();
        view->LayGestureTooltips(g_pApp->m_useNextInput ? 9 : 10);
    }
}

// The panel goes first: finishing hands the lines to the interpreter, which may run long.
void CMacroRecordDialog::OnFinish()
{
    if (!g_pApp)
        return;
    CZelkApp* app = g_pApp;
    app->CloseMacroRecorderDialog();
    app->StopMacroRecording();
}
