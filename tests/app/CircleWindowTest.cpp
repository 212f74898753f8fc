// The circle command in the started program under a user's keys and pointer: the command's
// menu, a radius typed into the input box, and the circle that follows the pointer.
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "commands/circle/CircleCommand.h"
#include "document/ZelkDoc.h"
#include "platform/ui/WindowSurface.h"
#include "view/ZelkView.h"
#include "tests/app/StartedProgram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

class CircleWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    POINT PixelOf(CPointD world)
    {
        const CPointD s = world.WorldToScreen(m_view->m_origin, m_view->m_zoom);
        return m_view->LogicalToDevicePoint(POINT{ static_cast<LONG>(s.m_x), static_cast<LONG>(s.m_y) });
    }

    CZelkView* m_view = nullptr;
};

} // namespace

TEST_F(CircleWindow, ATypedRadiusShowsItsCircleUnderThePointer)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    // With the option that hides the popup menus off, the circle command's menu opens at the
    // pointer; the user chooses "連続半径円" there.
    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32987);
    UiDriver::MouseMove(m_view, POINT{ 200, 150 });
    UiDriver::Key('C');
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_commandKind, 3);
    ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u);
    ASSERT_EQ(doc->m_circleCmd->m_modePattern, "DP");
    EXPECT_EQ(m_app->m_prompt, CString("[連続半径円] 【半径(10)】 【中心】"));

    m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
    UiDriver::Pump();
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    UiDriver::Click(&box, POINT{ 6, 6 });
    for (UINT key : { UINT('1'), UINT('2'), UINT(VK_OEM_PERIOD), UINT('5') })
        UiDriver::Key(key);
    UiDriver::Key(VK_RETURN);
    UiDriver::Pump();
    EXPECT_EQ(doc->m_circleCmd->m_values[0].value, 12.5);
    EXPECT_EQ(m_frame->m_wndStatusBar.GetPaneText(0), CString("[連続半径円] 【半径(12.5)】 【中心】"));
    EXPECT_EQ(doc->m_previewKind, 17);

    const POINT at{ 260, 180 };
    UiDriver::MouseMove(m_view, at);
    UiDriver::Pump();
    CSurfaceCopy shot;
    ASSERT_TRUE(CopyWindowSurface(m_view, shot));
    if (const char* png = std::getenv("ZELK_CIRCLE_PNG")) {
        EXPECT_TRUE(SaveWindowSurface(m_view, png));
    }
    const COLORREF background = shot.At(2, 2);
    // The pointer's world point, and the circle of radius 12.5 about it on four sides.
    CPointD centre = m_view->m_cursorWorldPoint;
    int drawn = 0;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double a = quarter * M_PI / 2;
        CPointD on;
        on.Init(centre.m_x + 12.5 * std::cos(a), centre.m_y + 12.5 * std::sin(a));
        drawn += DrawnNear(shot, PixelOf(on), background) ? 1 : 0;
    }
    EXPECT_EQ(drawn, 4);
    // Inside the circle, half way to it, the window shows nothing.
    CPointD half;
    half.Init(centre.m_x + 6.25, centre.m_y);
    EXPECT_FALSE(DrawnNear(shot, PixelOf(half), background));
}
