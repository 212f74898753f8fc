// The loop command in the started program: the O key opens its menu, a click on a side takes the
// square as a loop, Enter closes it and ends the extraction, an angle typed into the input box
// and a right click inside hatch it.
#include "app/MainFrame.h"
#include "commands/line/LoopCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "input/ElemKey.h"
#include "input/InputBar.h"
#include "tests/app/DrawingWindow.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>

using LoopCommandWindow = DrawingWindow;

TEST_F(LoopCommandWindow, ASquareClickedAndHatchedInsideGetsItsLinesInOneGroup)
{
    // A square of 200 by 200 pixels, its sides stored in x-then-y order.
    const CPointD a = WorldAt(POINT{ 100, 300 });
    const CPointD c = WorldAt(POINT{ 300, 100 });
    CPointD b, d;
    b.Init(c.m_x, a.m_y);
    d.Init(a.m_x, c.m_y);
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    m_doc->AddLine(a, b, 0, pen);
    m_doc->AddLine(b, c, 0, pen);
    m_doc->AddLine(d, c, 0, pen);
    m_doc->AddLine(a, d, 0, pen);
    m_view->Invalidate(TRUE);
    UiDriver::Pump();
    const double side = b.m_x - a.m_x;
    m_app->m_appElem.m_hatchPitch = side / 7.5;

    const UINT item = SubModeItem(CSubMode::Object::Loop, "ハッチング");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('O');
    ASSERT_EQ(m_app->m_commandKind, 12);
    CLoopCommand& loop = *m_doc->m_loopCmd;
    EXPECT_EQ(loop.m_modePattern, "OAP");

    UiDriver::Click(m_view, POINT{ 140, 300 }, UiDriver::Left);
    UiDriver::Pump();
    ASSERT_EQ(loop.m_loops.GetSize(), 1);
    EXPECT_EQ(static_cast<COwnedPtrArray*>(loop.m_loops[0])->GetSize(), 4);
    KeyInView(VK_RETURN);
    EXPECT_EQ(loop.m_extractState, 3);
    KeyInView(VK_RETURN);
    EXPECT_EQ(loop.m_tokenString, "O");

    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    box.SetFocus();
    UiDriver::Pump();
    UiDriver::Key('0');
    UiDriver::Key(VK_RETURN);
    UiDriver::Pump();
    EXPECT_EQ(loop.m_tokenString, "OA");

    const int stepsBefore = m_doc->m_undoHistory->GetStepCount();
    const POINT inside{ 200, 200 };
    UiDriver::Click(m_view, inside, UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(loop.m_extractState, 0);

    // Horizontal lines across the square, a pitch apart, one through the point given; all in
    // the one new group, made as one undo step.
    ASSERT_EQ(m_doc->m_groups.GetSize(), 1);
    const CGroup* group = m_doc->GetGroup(0);
    ASSERT_GE(group->m_members.size(), 7u);
    const CPointD clicked = loop.m_inputPoints[2].GetEffective(m_doc, 1);
    bool throughClick = false;
    for (const CElemRef& m : group->m_members) {
        const CLine* l = m_doc->GetLineElem(m.m_block, m.m_slot);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->m_group, 0);
        EXPECT_NEAR(l->m_start.m_x, a.m_x, 1e-9);
        EXPECT_NEAR(l->m_end.m_x, b.m_x, 1e-9);
        EXPECT_DOUBLE_EQ(l->m_start.m_y, l->m_end.m_y);
        const double steps = (l->m_start.m_y - clicked.m_y) / m_app->m_appElem.m_hatchPitch;
        EXPECT_NEAR(steps, std::round(steps), 1e-9);
        throughClick = throughClick || std::fabs(steps) < 1e-9;
    }
    EXPECT_TRUE(throughClick);
    ASSERT_EQ(m_doc->m_undoHistory->GetStepCount(), stepsBefore + 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps[stepsBefore]->m_kind, 1);
}
