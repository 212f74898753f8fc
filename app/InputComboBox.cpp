// Key rules, focus handling and notifications of the input box.
#include "app/InputComboBox.h"

#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "userapp/UserAppManager.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

constexpr UINT kEscape = 27;
constexpr UINT kEnter = 13;
constexpr UINT kLeft = 37;
constexpr UINT kUp = 38;
constexpr UINT kRight = 39;
constexpr UINT kDown = 40;
constexpr int kTextCommandKind = 7;
constexpr int kDispatchKeyCommand = 7;

bool KeyDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CInputComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_SETFOCUS, OnSetFocusNotify)
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, OnKillFocusNotify)
    ON_CONTROL_REFLECT(CBN_EDITCHANGE, OnEditChange)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CString CInputComboBox::BoxText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

void CInputComboBox::RefreshGuidance()
{
    if (CZelkDoc* doc = g_pApp->GetActiveDrawingDoc()) {
        g_pApp->SetGuidance(doc);
        g_pApp->ShowPrompt();
    }
}

BOOL CInputComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CComboBox::PreTranslateMessage(pMsg);
    const UINT key = static_cast<UINT>(pMsg->wParam);
    const bool repeat = (pMsg->lParam & (1 << 30)) != 0;
    CInputBar* bar = g_pApp->m_inputBar;
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    CZelkView* view = g_pApp->m_activeView;

    if (!doc || !view || !bar)
        return TRUE;

    if (key == kEscape && KeyDown(VK_ESCAPE)) {
        SetCurSel(0);
        if (view->m_document == doc) {
            g_pApp->CancelMode(doc, view);
            bar->SelectList(1, 1, 0);
            view->SetFocus();
        }
        return TRUE;
    }

    if ((key == kLeft || key == kRight) && GetDroppedState()) {
        ShowDropDown(FALSE);
        bar->MarkListEdited();
        RefreshGuidance();
    }

    int arrow = 0;
    if (KeyDown(VK_CONTROL)) {
        switch (key) {
        case kRight: arrow = 1; break;
        case kLeft: arrow = 2; break;
        case kUp: arrow = 3; break;
        case kDown: arrow = 4; break;
        case 'X':
        case 'C':
        case 'V':
            if (!repeat) {
                if (key == 'X')
                    Cut();
                else if (key == 'C')
                    Copy();
                else
                    Paste();
                return TRUE;
            }
            break;
        default: break;
        }
    }

    const int list = bar->m_currentList;
    if (key == kEnter && list != 2 && list != 10 && list != 11) {
        CString text = BoxText();
        if (text.GetLength() == 1) {
            const char letter = static_cast<char>(toupper(static_cast<unsigned char>(text[0])));
            if (letter >= 'A' && letter <= 'Z') {
                g_pApp->m_lastKey = letter;
                m_keepList = 1;
                g_pApp->DispatchCommand(doc, view, kDispatchKeyCommand);
                m_hasFocus = 0;
                bar->SelectList(1, 1, 0);
                return TRUE;
            }
        }
    }

    if (key != kEnter && arrow == 0)
        return CComboBox::PreTranslateMessage(pMsg);
    if (repeat)
        return TRUE;

    m_hasFocus = 0;
    bar->m_enteredText = BoxText();
    const int confirmed = bar->ConfirmEnteredText(arrow);
    if (confirmed == 0)
        return FALSE;
    if (confirmed == 1)
        view->SetFocus();
    return TRUE;
}

void CInputComboBox::OnSetFocusNotify()
{
    m_hasFocus = 1;
    g_pApp->ApplyInputComboText(BoxText());
}

void CInputComboBox::OnKillFocusNotify()
{
    if (!m_hasFocus)
        return;
    CInputBar* bar = g_pApp->m_inputBar;
    if (!bar)
        return;
    const int list = bar->m_currentList;
    bar->m_previousList = list;
    bar->m_enteredText = BoxText();
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    if (!doc)
        return;
    if (list != 9 && list != 10) {
        // A font line left in the box may not be applied below: the box of the text being
        // placed follows the text settings as they stand.
        if (list == 3)
            g_pApp->UpdatePlacingTextBox(doc);
        bar->RememberText();
    }
    if (doc->m_pickList)
        doc->m_pickList->ClearCandidate();

    CTextCommand* interruptText = doc->m_textCmdInt;
    const bool pendingInterruptText = (list == 2 || list == 3) && g_pApp->m_interruptKind == kTextCommandKind &&
                                      interruptText && interruptText->m_pendingText;
    bool apply = true;
    if (pendingInterruptText) {
        apply = false;
    } else if (list == 2 && g_pApp->m_commandKind == kTextCommandKind) {
        if (doc->m_textCmd)
            doc->m_textCmd->m_string = bar->m_enteredText;
        apply = false;
    } else if (list == 1 || list == 5 || list == 7 || list == 8 || list == 10 || list == 11) {
        apply = false;
    } else if (g_pApp->m_lastStatus == 17) {
        apply = false;
    }
    if (apply)
        bar->ApplyText(0);

    m_hasFocus = 0;
    if (m_keepList)
        m_keepList = 0;
    else if (!pendingInterruptText)
        bar->SelectList(1, 1, 0);
    g_pApp->ComputePreview(doc);
}

void CInputComboBox::OnEditChange()
{
    CInputBar* bar = g_pApp->m_inputBar;
    if (!bar)
        return;
    bar->MarkListEdited();
    RefreshGuidance();
    if (bar->m_currentList == 5 && g_pApp->m_userAppManager)
        g_pApp->m_userAppManager->m_searchStart = 0;
    CString text = BoxText();
    if (GetDroppedState()) {
        ShowDropDown(FALSE);
        SetWindowText(text);
        SetEditSel(text.GetLength(), text.GetLength());
    }
    g_pApp->ApplyInputComboText(text);
}

void CInputComboBox::OnSelChange()
{
    CInputBar* bar = g_pApp->m_inputBar;
    if (!bar)
        return;
    bar->MarkListEdited();
    RefreshGuidance();
    bar->m_enteredText = BoxText();
    bar->RememberText();
    const int selected = GetCurSel();
    if (selected < 0)
        return;
    bar->m_selectedIndex = selected;
    if (bar->m_currentList == 5 && g_pApp->m_userAppManager) {
        g_pApp->m_userAppManager->m_searchStart = 1;
        g_pApp->m_userAppManager->m_selectedEntry = selected;
    }
    CString item;
    GetLBText(selected, item);
    g_pApp->ApplyInputComboText(item);
}

void CInputComboBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_keepList = 0;
    CComboBox::OnLButtonDown(nFlags, point);
}
