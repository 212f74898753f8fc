// Finished circle patterns in the started program: the command's popup menu, right clicks in the
// drawing window, and the circles they make read back from the drawing and from the window.
#include "commands/circle/CircleCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Circle.h"
#include "platform/ui/WindowSurface.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/CommandTape.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

class CircleExecuteWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_view->m_document;
        ASSERT_NE(m_doc, nullptr);
    }
    // How many of the four axis points of the circle the window shows drawn.
    int QuartersShown(const CSurfaceCopy& shot, CPointD centre, double radius, COLORREF background)
    {
        int drawn = 0;
        for (int quarter = 0; quarter < 4; ++quarter) {
            const double a = quarter * M_PI / 2;
            CPointD on;
            on.Init(centre.m_x + radius * std::cos(a), centre.m_y + radius * std::sin(a));
            drawn += DrawnNear(shot, PixelOf(m_view, on), background) ? 1 : 0;
        }
        return drawn;
    }
    CCircleCommand& Circle() { return *m_doc->m_circleCmd; }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(CircleExecuteWindow, TwoRightClicksOfTheRadiusCircleMakeTwoCircles)
{
    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32987);
    UiDriver::MouseMove(m_view, POINT{ 200, 150 });
    KeyInView('C');
    ASSERT_EQ(m_app->m_commandKind, 3);
    ASSERT_EQ(Circle().m_modePattern, "DP");

    RightClickInView(POINT{ 150, 150 });
    EXPECT_EQ(m_app->m_lastResultMessage, " 中心･半径の円を作成しました");
    EXPECT_EQ(Circle().m_tokenString, "DP");
    RightClickInView(POINT{ 330, 200 });
    const CCircle* one = m_doc->GetCircleElem(0, 0);
    const CCircle* two = m_doc->GetCircleElem(0, 1);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    const CPointD first = one->m_centre;
    const CPointD second = two->m_centre;
    // Each centre is where its click was.
    EXPECT_LE(std::abs(PixelOf(m_view, first).x - 150), 1);
    EXPECT_LE(std::abs(PixelOf(m_view, second).x - 330), 1);

    const std::vector<std::string> listing = ListElements(*m_doc);
    ASSERT_EQ(listing.size(), 3u);
    EXPECT_EQ(listing[0].rfind("circle ", 0), 0u);
    EXPECT_NE(listing[0].find(" r 10.000000 "), std::string::npos);
    EXPECT_NE(listing[1].find(" r 10.000000 "), std::string::npos);
    EXPECT_EQ(m_doc->m_undoHistory->GetStepCount(), 2);

    // The pointer away from both, so that no rubber band covers them; then the window.
    UiDriver::MouseMove(m_view, POINT{ 20, 20 });
    UiDriver::Pump();
    CSurfaceCopy shot;
    ASSERT_TRUE(CopyWindowSurface(m_view, shot));
    const COLORREF background = shot.At(2, 2);
    EXPECT_EQ(QuartersShown(shot, first, 10, background), 4);
    EXPECT_EQ(QuartersShown(shot, second, 10, background), 4);
    CPointD inside;
    inside.Init(first.m_x + 5, first.m_y);
    EXPECT_FALSE(DrawnNear(shot, PixelOf(m_view, inside), background));
}

TEST_F(CircleExecuteWindow, AnArcEditAloneShowsTheSelectedElementsEnvironment)
{
    CCircleCommand& edit = *m_doc->m_circleCmdInt;
    edit.m_editFlag = 1;
    edit.m_tokenString = "#";
    EXPECT_EQ(edit.Execute(), 0);
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[0], 191u);
    EXPECT_EQ(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[1], 190u);
}
