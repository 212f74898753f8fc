// A circle edited in the started program as a user edits it: a real double click on the circle,
// the edit menu's "円弧化" chosen, then right clicks east and north of its centre.
#include "app/MainFrame.h"
#include "commands/circle/CircleCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/CommandTape.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

class CircleEditWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_app->GetActiveDrawingDoc();
        ASSERT_NE(m_doc, nullptr);
        UiDriver::ShowAndActivate(m_frame);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    CPointD WorldAt(POINT pixel) { return StartedProgram::WorldAt(m_view, pixel); }
    POINT PixelOf(CPointD world) { return StartedProgram::PixelOf(m_view, world); }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(CircleEditWindow, ADoubleClickedCircleBecomesTheArcOfTwoRightClicks)
{
    // A circle about 60 pixels wide at whole world units.
    const CPointD seen = WorldAt(POINT{ 200, 160 });
    CPointD centre;
    centre.Init(std::round(seen.m_x), std::round(seen.m_y));
    const double r = std::max(1.0, std::round(60.0 / m_view->m_zoom));
    m_doc->AddCircle(centre, r, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_view->Invalidate(TRUE);
    UiDriver::Pump();
    CPointD east, north, south;
    east.Init(centre.m_x + r, centre.m_y);
    north.Init(centre.m_x, centre.m_y + r);
    south.Init(centre.m_x, centre.m_y - r);

    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(33007);   // 円弧化
    UiDriver::DoubleClick(m_view, PixelOf(south));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptKind, 3);
    CCircleCommand& edit = *m_doc->m_circleCmdInt;
    EXPECT_EQ(edit.m_tokenString, "%");
    EXPECT_EQ(edit.m_editClass, 1);

    UiDriver::Click(m_view, PixelOf(east), UiDriver::Right);
    UiDriver::Pump();
    UiDriver::Click(m_view, PixelOf(north), UiDriver::Right);
    UiDriver::Pump();

    char arc[96];
    std::snprintf(arc, sizeof arc, "arc %.6f,%.6f r %.6f 0.000000-90.000000", centre.m_x, centre.m_y, r);
    int arcs = 0, circles = 0;
    bool found = false;
    for (const std::string& row : ListElements(*m_doc)) {
        arcs += row.rfind("arc ", 0) == 0 ? 1 : 0;
        circles += row.rfind("circle ", 0) == 0 ? 1 : 0;
        found = found || row.rfind(arc, 0) == 0;
    }
    EXPECT_TRUE(found) << arc;
    EXPECT_EQ(arcs, 1);
    EXPECT_EQ(circles, 0);
    EXPECT_EQ(m_app->m_lastResultMessage, " 円を始点と終点の位置で円弧に編集しました");
    ASSERT_EQ(m_doc->m_undoHistory->GetStepCount(), 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps[0]->m_kind, 3);
}
