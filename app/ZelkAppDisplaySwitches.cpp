// Display switches of the drawing views, the popup-menu type, the option words of the menus and
// the context-help button.
#include "app/PopupMenuTypeDialog.h"
#include "app/Resource.h"
#include "app/ZelkApp.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

namespace {

// An option word of the menus, its command and its help page.
struct OptionWord {
    UINT commandId;
    int CZelkApp::*word;
    const char* helpPage;
};

const OptionWord kOptionWords[] = {
    { 33093, &CZelkApp::m_emptyLayersInList, "Help\\HID_LayerLiseEmpty.htm" },
    { 33094, &CZelkApp::m_measureToTextWindow, "Help\\HID_Devide_Text.htm" },
    { 33122, &CZelkApp::m_symbolLayerCurrent, "Help\\HID_SYMBOL_LAYERCURRENT.htm" },
    { 33123, &CZelkApp::m_noPopupMenu, "Help\\HID_NONPOPUP.htm" },
    { 33124, &CZelkApp::m_noBeepOnSwitch, "Help\\HID_MALTI_BEEP.htm" },
    { 33125, &CZelkApp::m_noTipOnSwitch, "Help\\HID_MALTI_TIP.htm" },
    { 33132, &CZelkApp::m_autoReturnToBoxSelection, "Help\\HID_BOX_RETURN.htm" },
    { 33148, &CZelkApp::m_groupResetOneStep, "Help\\HID_BOX_CLEAR.htm" },
    { 33149, &CZelkApp::m_backupOnSave, "Help\\HID_FILE_BACKUP.htm" },
    { 33139, &CZelkApp::m_showTextSizeLines, "Help\\HID_TEXT_RUBBER.htm" },
};

const OptionWord* FindOptionWord(UINT id)
{
    for (const OptionWord& option : kOptionWords)
        if (option.commandId == id)
            return &option;
    return nullptr;
}

const char* const kMsgThickReal = "太い実線をリアルに表示するモードとしました。";
const char* const kMsgThickWide = "太い実線を太く表示するモードとしました。";
const char* const kMsgAllThin = "全ての線を細く表示するモードとしました。";

} // namespace

BOOL CZelkApp::OnOptionWord(UINT nID)
{
    const OptionWord* option = FindOptionWord(nID);
    if (!option || DocOpenHelpIfArmed(option->helpPage))
        return TRUE;
    int& word = this->*option->word;
    word = word == 0 ? 1 : 0;
    return TRUE;
}

void CZelkApp::OnUpdateOptionWord(CCmdUI* pCmdUI)
{
    if (const OptionWord* option = FindOptionWord(pCmdUI->m_nID))
        pCmdUI->SetCheck(this->*option->word != 0);
}

void CZelkApp::OnPopupMenuType()
{
    if (DocOpenHelpIfArmed("Help\\HID_TYPE_COMMAND.htm"))
        return;
    CPopupMenuTypeDialog dlg;
    dlg.m_type = m_appCommand.popupMenuType ? 0 : 1;
    if (dlg.DoModal() == IDOK)
        m_appCommand.popupMenuType = dlg.m_type == 0 ? 1 : 0;
}

void CZelkApp::OnReferenceLayerLight()
{
    if (DocOpenHelpIfArmed("Help\\HID_LAYER_LIGHT.htm"))
        return;
    m_appDraw.grayDisplay = m_appDraw.grayDisplay ? 0 : 1;
    if (!m_pDocTemplate)
        return;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos)
        if (auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
            doc->UpdateAndPaintAllViews();
}

void CZelkApp::OnUpdateReferenceLayerLight(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_appDraw.grayDisplay != 0); }

void CZelkApp::OnThickLineDisplay()
{
    if (DocOpenHelpIfArmed("Help\\HID_LINE_SLIM.htm"))
        return;
    const char* message = kMsgAllThin;
    if (m_appDraw.penWidthMode == 1) {
        const BOOL shift = GetKeyState(VK_SHIFT) < 0;
        m_appDraw.penWidthMode = shift ? 2 : 3;
        message = shift ? kMsgThickWide : kMsgThickReal;
    } else {
        if (m_activeView) {
            m_activeView->Invalidate(TRUE);
            if (m_activeView->m_document)
                m_activeView->m_document->UpdateAllViews(nullptr);
        }
        m_appDraw.penWidthMode = 1;
    }
    if (CZelkDoc* doc = GetActiveDrawingDoc()) {
        doc->UpdateAndPaintAllViews();
        ShowHint(m_hint);
    }
    ShowMessage(message, 0);
}

void CZelkApp::OnUpdateThickLineDisplay(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_appDraw.penWidthMode == 2 || m_appDraw.penWidthMode == 3);
}

void CZelkApp::OnGuidanceMessages()
{
    if (DocOpenHelpIfArmed("Help\\HID_DRAWMESSAGEA.htm"))
        return;
    ShowHint("");
    ShowMessage("", 0);
    m_appDraw.showHintLine = m_appDraw.showHintLine ? 0 : 1;
    if (CZelkDoc* doc = GetActiveDrawingDoc()) {
        SetGuidance(doc);
        ShowPrompt();
    }
}

void CZelkApp::OnUpdateGuidanceMessages(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_appDraw.showHintLine != 0); }

void CZelkApp::OnShowIntroMessagesAgain()
{
    if (DocOpenHelpIfArmed("Help\\HID_MESSAGE_ATENTION.htm"))
        return;
    m_introMessage1 = 1;
    m_introMessage2 = 1;
    m_introMessage3 = 1;
}

void CZelkApp::OnUpdateShowIntroMessagesAgain(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!(m_introMessage1 && m_introMessage2 && m_introMessage3));
}

void CZelkApp::OnTextUnderlineDisplay()
{
    if (DocOpenHelpIfArmed("Help\\HID_TEXTBAR.htm"))
        return;
    m_appDraw.m_showTextUnderline = m_appDraw.m_showTextUnderline ? 0 : 1;
    if (!m_activeView)
        return;
    m_activeView->Invalidate(TRUE);
    if (m_activeView->m_document)
        m_activeView->m_document->UpdateAllViews(nullptr);
    m_activeView->SendPaint();
}

void CZelkApp::OnUpdateTextUnderlineDisplay(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_appDraw.m_showTextUnderline != 0); }

void CZelkApp::OnContextHelp()
{
    if (m_contextHelpMode != 0) {
        ShowHelpPage("Help\\HID_CONTHELP_HP.htm");
        m_contextHelpMode = 0;
        return;
    }
    m_contextHelpMode = kContextHelpArmed;
    ShowMessage("ヘルプコンテキストを起動しました", 0);
    m_previousHint = m_hint;
    m_hint = "ボタンやコマンドの内容の説明画面を表示します。";
    m_previousPrompt = m_prompt;
    m_prompt = "機能を知りたいボタンやメニューコマンドをクリックしてください。矢印カーソルに戻すには操作画面をクリック。";
    ShowPrompt();
}
