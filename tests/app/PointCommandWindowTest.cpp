// The point command in the started program, as a user meets it: the P key opens the point menu,
// its item chooses single points, a right click places one, and a left double click on a point
// followed by a right click elsewhere moves it.
#include "app/MainFrame.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/DataPoint.h"
#include "elements/DataPoints.h"
#include "tests/app/StartedProgram.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class PointCommandWindow : public StartedProgram {
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
    CPointD WorldAt(POINT pixel) { return StartedProgram::WorldAt(m_view, pixel); }
    POINT PixelOf(CPointD world) { return StartedProgram::PixelOf(m_view, world); }
    static UINT PointItem(const char* title)
    {
        for (const CSubMode* m = SubModesBegin(); m != SubModesEnd(); ++m) {
            if (m->object == CSubMode::Object::Point && std::strcmp(m->title, title) == 0)
                return m->id;
        }
        return 0;
    }
    // The live points of the drawing.
    std::vector<const CDataPoint*> LivePoints() const
    {
        std::vector<const CDataPoint*> live;
        for (int i = 0; i < m_doc->m_pointBlocks.GetSize(); ++i) {
            const auto* block = static_cast<const CDataPoints*>(m_doc->m_pointBlocks[i]);
            for (int s = 0; s < block->m_count; ++s) {
                if ((block->m_slots[s].m_state & 0x08) == 0)
                    live.push_back(&block->m_slots[s]);
            }
        }
        return live;
    }
    int LastUndoKind() const
    {
        const CUndoHistory& undo = *m_doc->m_undoHistory;
        return undo.m_steps.empty() ? -1 : static_cast<int>(undo.m_steps.back()->m_kind);
    }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(PointCommandWindow, ASinglePointFromItsMenuThenMovedByADoubleClickAndARightClick)
{
    const UINT item = PointItem("単一点");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('P');
    ASSERT_EQ(m_app->m_commandKind, 1);
    CPointCommand& point = *m_doc->m_pointCmd;
    EXPECT_EQ(point.m_modePattern, "P");

    const POINT at{ 150, 120 };
    const CPointD world = WorldAt(at);
    UiDriver::Click(m_view, at, UiDriver::Right);
    UiDriver::Pump();
    std::vector<const CDataPoint*> live = LivePoints();
    ASSERT_EQ(live.size(), 1u);
    EXPECT_NEAR(live[0]->m_position.m_x, world.m_x, 1e-6);
    EXPECT_NEAR(live[0]->m_position.m_y, world.m_y, 1e-6);
    EXPECT_EQ(LastUndoKind(), 1);

    UiDriver::DoubleClick(m_view, PixelOf(live[0]->m_position), UiDriver::Left);
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptKind, 1);
    EXPECT_EQ(m_doc->m_pointCmdInt->m_tokenString, "#");

    const POINT to{ 260, 180 };
    const CPointD target = WorldAt(to);
    UiDriver::Click(m_view, to, UiDriver::Right);
    UiDriver::Pump();
    live = LivePoints();
    ASSERT_EQ(live.size(), 1u);
    EXPECT_NEAR(live[0]->m_position.m_x, target.m_x, 1e-6);
    EXPECT_NEAR(live[0]->m_position.m_y, target.m_y, 1e-6);
    EXPECT_EQ(LastUndoKind(), 3);
    EXPECT_EQ(m_app->m_interruptKind, 0);
}
