// The view's decision after a pick: the message, the beep, the current candidate, overlapping
// and crowded candidates and too many of them.
#include "tests/view/ViewTestSupport.h"

#include "elements/Arcs.h"
#include "elements/ElementKinds.h"
#include "input/PickList.h"

namespace {

class ViewPick : public PickFixture {
protected:
    // The pick rectangle about the world origin, as the presses leave it.
    RECT PickRect()
    {
        const CPointD c = W(0, 0).WorldToScreen(View().m_origin, View().m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        return RECT{x - 20, y + 20, x + 20, y - 20};
    }
    int Pick(int pickType = 1)
    {
        return View().PickElementsInRect(PickRect(), pickType, 2);
    }
};

TEST_F(ViewPick, TheMessageTellsWhatThePickFound)
{
    struct Case {
        const char* name;
        short zoomWindowMode;
        void (*build)(ViewPick&);
        int result;
        const char* message;
        size_t beeps;
        int distinct;   // -1: not looked at
    };
    const Case cases[] = {
        {"one line", 2, [](ViewPick& t) { t.Line(-15, 1, 15, 1); }, 1, "一つの要素を選択", 0, -1},
        {"six lines", 2,
         [](ViewPick& t) {
             for (int i = 0; i < 6; ++i)
                 t.Line(-10 + 2 * i, -100, -10 + 2 * i, 100);
         },
         0, "所定の数を越える要素が検索されたので、再指定してください。", 1, -1},
        {"two identical lines", 0,
         [](ViewPick& t) {
             t.Line(-15, 1, 15, 1);
             t.Line(-15, 1, 15, 1);
         },
         2, "重なり要素があります", 1, 1},
        {"three copies of a circle", 0,
         [](ViewPick& t) {
             for (int i = 0; i < 3; ++i)
                 t.D().AddCircle(W(0, 25), 25, 0, t.m_pen);
         },
         3, "重なり要素があります", 1, 0},
        {"a circle and an arc on it", 0,
         [](ViewPick& t) {
             t.D().AddCircle(W(0, 25), 25, 0, t.m_pen);
             t.D().AddArc(W(0, 25), 25, W(200, 340), 0, t.m_pen);
         },
         2, "重なり要素があります", 1, 1},
        {"two lines closer than the overlap pixels", 0,
         [](ViewPick& t) {
             t.Line(-15, 1, 15, 1);
             t.Line(-15, -1.5, 15, -1.5);
         },
         2, "目視判定の困難なレベルで複数の要素が検索されました", 1, 2},
        {"two lines far apart", 0,
         [](ViewPick& t) {
             t.Line(-15, 1, 15, 1);
             t.Line(-15, 15, 15, 15);
         },
         2, "複数の中から第１要素を選択しました", 0, 2},
        {"two lines without zoom windows", 2,
         [](ViewPick& t) {
             t.Line(-15, 1, 15, 1);
             t.Line(-15, 1.5, 15, 1.5);
         },
         2, "", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDrawing();
        DefaultScriptedServices() = CScriptedServices();
        m_app->m_lastMessage = "";
        m_app->m_appDraw.zoomWindowMode = c.zoomWindowMode;
        c.build(*this);
        EXPECT_EQ(Pick(), c.result);
        EXPECT_EQ(std::string(m_app->m_lastMessage.GetString()), std::string(c.message));
        EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), c.beeps);
        CPickList& list = *Doc().m_pickList;
        if (c.result == 0) {
            EXPECT_EQ(list.GetCount(), 0);
            continue;
        }
        // The first candidate is current and highlighted.
        EXPECT_EQ(list.m_current, 0);
        EXPECT_TRUE(list.m_candidates[0].m_kind != ELEM_LINE
                    || (Doc().GetLineElem(list.m_candidates[0].m_block, list.m_candidates[0].m_slot)->m_mark & MARK_SELECTED));
        if (c.distinct >= 0) {
            int distinct = -1;
            View().CountOverlappingCandidates(distinct);
            EXPECT_EQ(distinct, c.distinct);
        }
    }
}

TEST_F(ViewPick, APickWithoutMarkingMakesTheFirstCurrentUnmarked)
{
    CLine* line = Line(-15, 1, 15, 1);
    EXPECT_EQ(Pick(3), 1);
    EXPECT_EQ(Doc().m_pickList->m_current, 0);
    EXPECT_EQ(line->m_mark, 0);
}

TEST_F(ViewPick, ACollectingPickAppliesTheFoundSet)
{
    CLine* inside = Line(-5, 1, 5, 1);
    CLine* crossing = Line(-50, 3, 50, 3);
    EXPECT_EQ(View().PickElementsInRect(PickRect(), 2, 1), 1);
    EXPECT_EQ(inside->m_mark, MARK_SELECTED);
    EXPECT_EQ(crossing->m_mark, 0);
    EXPECT_TRUE(Doc().m_pickList->foundSet.empty());
}

}  // namespace
