// The loop command's section properties in the started program: the O key and its menu item
// "算定", a click on a side of a rectangle and Enter three times mark its centroid.
#include "app/MainFrame.h"
#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "elements/Lines.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "tests/app/DrawingWindow.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>

using LoopSectionWindow = DrawingWindow;

TEST_F(LoopSectionWindow, ARectangleClickedAndEnteredThreeTimesGetsTheCrossAndGAtItsCentre)
{
    CPointD a, b, c, d;
    a.Init(0, 0);
    b.Init(100, 0);
    c.Init(100, 50);
    d.Init(0, 50);
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    m_doc->AddLine(a, b, 0, pen);
    m_doc->AddLine(b, c, 0, pen);
    m_doc->AddLine(d, c, 0, pen);
    m_doc->AddLine(a, d, 0, pen);
    m_app->m_appElem.m_stripCount = 500;
    m_app->m_appElem.m_centroidHalfLength = 10.0;
    m_view->Invalidate(TRUE);
    UiDriver::Pump();

    const UINT item = SubModeItem(CSubMode::Object::Loop, "算定");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('O');
    ASSERT_EQ(m_app->m_commandKind, 12);
    UiDriver::Pump();
    CLoopCommand& loop = *m_doc->m_loopCmd;

    // A point a third along the bottom side, where the window shows it.
    CPointD onSide;
    onSide.Init(30, 0);
    const POINT pixel = PixelOf(onSide);
    UiDriver::Click(m_view, pixel, UiDriver::Left);
    UiDriver::Pump();
    ASSERT_EQ(loop.m_loops.GetSize(), 1);
    KeyInView(VK_RETURN);
    KeyInView(VK_RETURN);
    KeyInView(VK_RETURN);

    bool across = false, up = false;
    for (int blk = 0; blk < m_doc->m_lineBlocks.GetSize(); ++blk) {
        const CLines* lines = m_doc->LineBlockAt(blk);
        for (int s = 0; s < lines->m_count; ++s) {
            const CLine& l = lines->m_slots[s];
            if (l.m_state & 8)
                continue;
            across |= std::fabs(l.m_start.m_x - 40) < 1e-6 && std::fabs(l.m_end.m_x - 60) < 1e-6 &&
                      std::fabs(l.m_start.m_y - 25) < 1e-6 && std::fabs(l.m_end.m_y - 25) < 1e-6;
            up |= std::fabs(l.m_start.m_y - 15) < 1e-6 && std::fabs(l.m_end.m_y - 35) < 1e-6 &&
                  std::fabs(l.m_start.m_x - 50) < 1e-6 && std::fabs(l.m_end.m_x - 50) < 1e-6;
        }
    }
    EXPECT_TRUE(across);
    EXPECT_TRUE(up);
    bool g = false;
    for (int blk = 0; blk < m_doc->m_textBlocks.GetSize(); ++blk) {
        const CTexts* texts = m_doc->TextBlockAt(blk);
        for (int s = 0; s < texts->m_count; ++s) {
            const CText& t = texts->m_slots[s];
            g |= !(t.m_state & 8) && t.m_text == "G" && std::fabs(t.m_point.m_x - 50) < 1e-6 &&
                 std::fabs(t.m_point.m_y - 25) < 1e-6;
        }
    }
    EXPECT_TRUE(g);
}
