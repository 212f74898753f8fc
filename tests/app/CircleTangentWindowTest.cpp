// A circle touching three lines given in the started program: the sub-mode from the command's
// popup menu, left clicks on the sides of a triangle in the drawing window, and Q.
#include "commands/circle/CircleCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Circle.h"
#include "input/PointPair.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/CommandTape.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class CircleTangentWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_view->m_document;
        ASSERT_NE(m_doc, nullptr);
    }
    CCircleCommand& Circle() { return *m_doc->m_circleCmd; }
    // The one circle of the drawing: centre and radius.
    bool OnlyCircle(double& x, double& y, double& r)
    {
        int n = 0;
        for (const std::string& line : ListElements(*m_doc))
            n += std::sscanf(line.c_str(), "circle %lf,%lf r %lf", &x, &y, &r) == 3 ? 1 : 0;
        return n == 1;
    }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(CircleTangentWindow, ClicksOnATrianglesSidesMakeTheNearestCircleAndQTheNext)
{
    const POINT corners[3] = { { 100, 320 }, { 420, 320 }, { 100, 80 } };
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    for (int i = 0; i < 3; ++i)
        m_doc->AddLine(WorldAt(m_view, corners[i]), WorldAt(m_view, corners[(i + 1) % 3]), 0, pen);
    m_view->Invalidate();
    UiDriver::Pump();

    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32995);
    UiDriver::MouseMove(m_view, POINT{ 250, 200 });
    KeyInView('C');
    ASSERT_EQ(m_app->m_commandKind, 3);
    ASSERT_EQ(Circle().m_modePattern, "LLL");

    // Near the incircle's tangent points: the bottom side, the slanted one, the left one.
    for (const POINT at : { POINT{ 180, 320 }, POINT{ 270, 208 }, POINT{ 100, 250 } }) {
        UiDriver::Click(m_view, at);
        UiDriver::Pump();
    }
    ASSERT_EQ(Circle().m_tokenString, "LLL");
    ASSERT_EQ(Circle().m_candidates.GetSize(), 4);
    const auto* first = static_cast<const CPointPair*>(Circle().m_candidates[0]);
    const auto* second = static_cast<const CPointPair*>(Circle().m_candidates[1]);
    double x = 0, y = 0, r = 0;
    ASSERT_TRUE(OnlyCircle(x, y, r));
    EXPECT_NEAR(x, first->point1.m_x, 1e-6);
    EXPECT_NEAR(y, first->point1.m_y, 1e-6);
    EXPECT_NEAR(r, first->value2, 1e-6);
    // The smallest of the four touches the sides inside the triangle.
    for (int i = 1; i < 4; ++i)
        EXPECT_LT(r, static_cast<const CPointPair*>(Circle().m_candidates[i])->value2);

    KeyInView('Q');
    ASSERT_TRUE(OnlyCircle(x, y, r));
    EXPECT_NEAR(x, second->point1.m_x, 1e-6);
    EXPECT_NEAR(r, second->value2, 1e-6);
}
