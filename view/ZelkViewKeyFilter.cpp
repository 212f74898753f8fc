// The view's key filter: the letters and Enter that drive commands reach the dispatcher as
// code 7 and are consumed there, so neither the frame's accelerators nor WM_CHAR see them.
#include "app/ZelkApp.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

constexpr UINT kEnter = 0x0D;
constexpr int kKeyCommand = 7;

// Letters with Ctrl or Alt stay the accelerators' and the menus'.
bool DrivesCommands(UINT key)
{
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    return key == kEnter || (key >= 'A' && key <= 'Z');
}

} // namespace

BOOL CZelkView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && !(pMsg->lParam & (1 << 30)) && g_pApp && m_document) {
        const UINT key = static_cast<UINT>(pMsg->wParam);
        if (DrivesCommands(key)) {
            g_pApp->m_lastKey = static_cast<std::int32_t>(key);
            g_pApp->DispatchCommand(m_document, this, kKeyCommand);
            return TRUE;
        }
    }
    return CScrollView::PreTranslateMessage(pMsg);
}
