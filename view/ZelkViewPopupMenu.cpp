// What a mouse action does, told in the drawing window: the tooltip zones around the press point
// of a screen-operation drag, the tip that announces a command switch, and the menu of the
// modes of a command popped up at the pointer when the command starts.
#include <cstdlib>

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "view/ZelkView.h"

namespace {

constexpr UINT kCommandPopupMenu = 228;
constexpr int kFar = 1500;   // the open side of the large zones

// Every tool the control may hold, in the order they are taken away.
constexpr UINT kToolIds[] = { 59394, 59402, 59395, 59403, 59396, 59404, 59397, 59398, 59399,
                              59405, 59406, 59407, 59409, 59410, 59411, 59412, 59413, 59414, 59408 };

// The announcement of a command switch: its beeps, the pause between them, its tool's kind.
struct CAnnouncement {
    int code;
    int beeps;
    DWORD pause;
    int toolKind;
};

constexpr CAnnouncement kAnnouncements[] = {
    { 2, 1, 0, 1 }, { 3, 2, 100, 2 }, { 4, 3, 100, 3 }, { 7, 3, 100, 5 }, { 1, 3, 100, 6 },
    { 10, 3, 100, 7 }, { 12, 3, 100, 8 },
    { 1001, 4, 50, 4 }, { 1002, 4, 50, 4 }, { 1003, 4, 50, 4 }, { 1004, 4, 50, 4 }, { 1007, 4, 50, 4 },
};

// The sub-menu of a command and how far from the pointer it opens.
struct CCommandMenu {
    int code;
    int subMenu;
    int dx;
    int dy;
};

constexpr CCommandMenu kCommandMenus[] = {
    { 1, 0, 30, 0 }, { 2, 1, 30, 0 }, { 3, 2, 30, 0 }, { 4, 3, 30, 0 }, { 7, 4, 30, 0 },
    { 10, 5, 30, 0 }, { 12, 6, 30, 0 }, { 13, 7, 30, 0 },
    { 1001, 8, 100, 100 }, { 1002, 9, 100, 100 }, { 1003, 10, 100, 100 }, { 1004, 11, 100, 100 },
    { 1007, 12, 100, 100 }, { 1010, 13, 100, 100 },
};

constexpr int kGeneralMenu = 14;

CString ToolText(UINT id)
{
    CString text;
    AfxLoadString(id, text);
    return text;
}

} // namespace

void CZelkView::LayGestureTooltips(int kind)
{
    if (!m_gestureTips)
        m_gestureTips = std::make_unique<CToolTipCtrl>();
    CToolTipCtrl& tips = *m_gestureTips;
    if (tips.GetToolCount() > 0)
        for (UINT id : kToolIds)
            tips.DelTool(this, id);
    tips.Activate(TRUE);
    const BYTE k = static_cast<BYTE>(kind);
    if (k == 0) {
        const int px = m_pressPoint.x;
        const int py = m_pressPoint.y;
        const int e = g_pApp ? g_pApp->m_appFind.gestureZoneSize : 25;
        const int e11 = static_cast<int>(1.1 * e);
        const int e09 = static_cast<int>(0.9 * e);
        struct Zone {
            UINT id;
            RECT rect;
        };
        const Zone zones[] = {
            { 59394, { px - e, py - e, px + e, py - 5 } },
            { 59402, { px - e, py + 5, px + e, py + e } },
            { 59395, { px + e, py - kFar, px + kFar, py } },
            { 59403, { px, py - kFar, px + e, py - e } },
            { 59396, { px + e, py, px + kFar, py + kFar } },
            { 59404, { px, py + e, px + e, py + kFar } },
            { 59397, { px - kFar, py - kFar, px - e, py - e11 } },
            { 59398, { px - kFar, py - e09, px - e, py + e09 } },
            { 59399, { px - kFar, py + e11, px - e, py + kFar } },
        };
        for (const Zone& z : zones)
            tips.AddTool(this, ToolText(z.id), &z.rect, z.id);
    } else if (k <= 10) {
        const UINT id = 59404 + k;
        RECT client = { 0, 0, 0, 0 };
        if (GetSafeHwnd())
            GetClientRect(&client);
        tips.AddTool(this, ToolText(id), &client, id);
    }
}

void CZelkView::ShowCommandPopupMenu(int code, int general, int notifyOnly)
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    if (app->m_autoReturnToBoxSelection)
        app->EndTransformMode();
    app->m_modeFromMenu = 0;
    if (app->m_noPopupMenu && notifyOnly) {
        for (const CAnnouncement& a : kAnnouncements) {
            if (a.code != code)
                continue;
            if (!app->m_noBeepOnSwitch)
                for (int i = 0; i < a.beeps; ++i) {
                    if (i > 0)
                        Sleep(a.pause);
                    MessageBeep(0);
                }
            if (!app->m_noTipOnSwitch)
                LayGestureTooltips(a.toolKind);
            return;
        }
    }
    const bool hangRight = app->m_noPopupMenu && (code == 2 || code == 3 || code == 4);
    int subMenu = -1;
    int dx = 0;
    int dy = 0;
    if (general && app->m_appCommand.popupMenuType == 1) {
        subMenu = kGeneralMenu;
        dx = 5;
    } else {
        for (const CCommandMenu& m : kCommandMenus)
            if (m.code == code) {
                subMenu = m.subMenu;
                dx = m.dx;
                dy = m.dy;
            }
    }
    if (subMenu < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(kCommandPopupMenu))
        return;
    POINT anchor = m_mousePoint;
    if (GetSafeHwnd())
        ClientToScreen(&anchor);
    int screenWidth = 0;
    {
        CClientDC desktop(nullptr);
        screenWidth = desktop.GetDeviceCaps(HORZRES);
    }
    if (hangRight)
        anchor.x = screenWidth;
    else
        anchor.x += dx;
    anchor.y += dy;
    CMenu* popup = menu.GetSubMenu(subMenu);
    CWnd* owner = app->m_pMainWnd ? app->m_pMainWnd : static_cast<CWnd*>(this);
    if (popup && owner)
        popup->TrackPopupMenu((hangRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_RIGHTBUTTON, anchor.x, anchor.y, owner);
    menu.DestroyMenu();
}

void CZelkView::ActivateGestureTips(BOOL active)
{
    if (m_gestureTips)
        m_gestureTips->Activate(active);
}
