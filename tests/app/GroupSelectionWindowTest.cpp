// Box selection in the started program: its group processor as start-up leaves it, and a box
// dragged over lines with the mouse followed by the copy chosen from the view's DRAG menu.
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "tests/app/StartedProgram.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class GroupSelectionWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_app->GetActiveDrawingDoc();
        ASSERT_NE(m_doc, nullptr);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    // A horizontal line from pixel (x1, row) to (x2, row), its ends on whole millimetres.
    CLine& AddLineAcross(LONG x1, LONG x2, LONG row)
    {
        CPointD a = WorldAt(m_view, POINT{ x1, row });
        CPointD b = WorldAt(m_view, POINT{ x2, row });
        a.Init(std::round(a.m_x), std::round(a.m_y));
        b.Init(std::round(b.m_x), std::round(a.m_y));
        CLines* block = m_doc->AddLine(a, b, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        m_view->Invalidate(TRUE);
        UiDriver::Pump();
        return block->m_slots[block->m_count - 1];
    }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(GroupSelectionWindow, StartUpLeavesADetachedProcessorWithItsTables)
{
    const CGroupProcessor& g = *m_app->m_groupProcessor;
    EXPECT_EQ(g.m_document, nullptr);
    EXPECT_EQ(g.modePattern, "PP");
    EXPECT_EQ(g.m_moveFlag, 0);
    EXPECT_EQ(g.m_preset, 0);
    // The first drawing's command start has reset it, detached, to the box selection's texts.
    EXPECT_EQ(std::string(g.m_prompt.GetString()).rfind("[箱選択] 【箱選択|要素選択】", 0), 0u);
    EXPECT_EQ(g.m_patternGroups.GetSize(), 9);
    ASSERT_EQ(g.m_acceptedPatterns.GetSize(), 14);
    EXPECT_EQ(g.m_acceptedPatterns[4], "ZLD");
    EXPECT_EQ(g.m_acceptedPatterns[13], "Q");
}

TEST_F(GroupSelectionWindow, ABoxDraggedOverLinesThenTheCopyChosenFromTheViewMenu)
{
    CLine& first = AddLineAcross(120, 200, 120);
    CLine& second = AddLineAcross(120, 200, 150);
    CLine& outside = AddLineAcross(320, 380, 300);

    UiDriver::ShowAndActivate(m_frame);
    m_view->SetFocus();
    UiDriver::MouseMove(m_view, POINT{ 100, 100 });
    UiDriver::MouseDown(m_view, POINT{ 100, 100 });
    UiDriver::MouseMove(m_view, POINT{ 160, 130 });
    UiDriver::MouseMove(m_view, POINT{ 220, 170 });
    UiDriver::MouseUp(m_view, POINT{ 220, 170 });
    UiDriver::Pump();
    EXPECT_NE(first.m_mark & MARK_SELECTED, 0);
    EXPECT_NE(second.m_mark & MARK_SELECTED, 0);
    EXPECT_EQ(outside.m_mark & MARK_SELECTED, 0);
    EXPECT_EQ(m_doc->m_groupProcessing, 1);
    CGroupProcessor& g = *m_app->m_groupProcessor;
    EXPECT_EQ(g.m_document, m_doc);

    // The DRAG menu of group processing pops up at the pointer; the copy is chosen in it.
    DefaultScriptedUiServices().QueueMenuChoice(33036);
    m_view->ShowCommandPopupMenu(13, 0, 0);
    UiDriver::Pump();
    EXPECT_EQ(g.modePattern, "PP");
    EXPECT_EQ(g.m_moveFlag, 0);
    EXPECT_EQ(g.m_preset, 1);
    EXPECT_EQ(m_app->m_prompt, "[(回転)コピー] 【基準点】 配置点");
    EXPECT_NE(first.m_mark & MARK_SELECTED, 0);
    EXPECT_NE(second.m_mark & MARK_SELECTED, 0);
}
