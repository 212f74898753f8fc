// Requests a plug-in writes to step through and read the pick list, read the selected elements
// and set the relative-input values, served by the real application's passes.
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/ElemCandidate.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "tests/userapp/PluginHostFixture.h"
#include "userapp/UserAppRequests.h"

using namespace plugin_host;

namespace {

class PickRequests : public ActiveDrawingRequests {};

}  // namespace

TEST_F(PickRequests, ThePickListIsSteppedReadAndCleared)
{
    const std::int16_t pen = m_doc->FindOrAddPen(0, 3, 0, 0, 70);
    CLines* lines = nullptr;
    for (int i = 0; i < 3; ++i)
        lines = m_doc->AddLine(Pt(i, 0), Pt(i, 5), 0, pen);
    ASSERT_NE(lines, nullptr);
    const short b = static_cast<short>(m_doc->m_lineBlocks.GetSize() - 1);
    CPickList& picks = *m_doc->m_pickList;
    picks.m_candidates.clear();
    for (short s = 0; s < 3; ++s) {
        CElemCandidate c{};
        c.m_kind = ELEM_LINE;
        c.m_block = b;
        c.m_slot = s;
        c.m_state = 1;
        picks.m_candidates.push_back(c);
    }
    picks.m_current = 1;
    m_block->m_numberLists[0].Add(7);
    Pass({151});
    EXPECT_EQ(Words(m_block->m_numberLists[0]), (std::vector<int>{0, 1, 0}));
    ASSERT_EQ(m_block->m_refLists[0].GetSize(), 3);
    EXPECT_EQ(static_cast<UserAppElemRef*>(m_block->m_refLists[0][2])->m_slot, 2);

    // Stepping wraps both ways.
    Pass({143, 143});
    EXPECT_EQ(picks.m_current, 0);
    Pass({144});
    EXPECT_EQ(picks.m_current, 2);

    // Selected: live elements with any of the selection marks.
    lines->m_slots[0].m_mark = 0x02;
    lines->m_slots[1].m_mark = 0x02;
    lines->m_slots[1].m_state = 136;
    lines->m_slots[2].m_mark = 0x80;
    Pass({152});
    ASSERT_EQ(m_block->m_refLists[0].GetSize(), 1);
    EXPECT_EQ(static_cast<UserAppElemRef*>(m_block->m_refLists[0][0])->m_slot, 0);

    Pass({145, 151});
    EXPECT_TRUE(picks.m_candidates.empty());
    EXPECT_EQ(lines->m_slots[0].m_mark & 0x9E, 0);
    EXPECT_EQ(m_block->m_refLists[1].GetSize(), 0);
    EXPECT_TRUE(Words(m_block->m_numberLists[1]).empty());
}

TEST_F(PickRequests, RelativeInputValuesAreSet)
{
    m_block->m_doubleArgs[0][0] = 190;
    m_block->m_doubleArgs[1][0] = 12.5;
    m_block->m_doubleArgs[2][0] = 0.5;
    m_block->m_intArgs[3][0] = 4;
    m_block->m_points1[4][0] = Pt(3, 4);
    Pass({171, 172, 173, 174, 170});
    EXPECT_EQ(m_doc->m_curAngle, -170);
    EXPECT_EQ(m_doc->m_absAngle, m_doc->m_relAngle - 170);
    EXPECT_EQ(m_doc->m_previewValue, 12.5);
    EXPECT_EQ(m_doc->m_workFactor, 0.5);
    EXPECT_EQ(m_doc->m_workMode, 4);
    EXPECT_EQ(m_doc->m_basePoint.m_x, 3);
    EXPECT_EQ(m_doc->m_refPoint.m_x, m_doc->WorldToRelative(Pt(3, 4)).m_x);
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(m_block->m_status[s], 0);
}

// The found points of a search come back category by category with their kinds.
TEST_F(PickRequests, FoundPointsListTheirKindsInSearchOrder)
{
    CPointSearch& search = *m_doc->m_pointSearch;
    search.Reset();
    for (double x : {1.0, 2.0, 3.0})
        search.foundPoints.emplace_back(Pt(x, 0), 0.0, ELEM_LINE, ELEM_LINE, 0, 0, 0, 0, 0, 0);
    search.intersectionCount = 1;
    search.endPointCount = 2;
    m_block->m_numberLists[0].Add(9);
    Pass({150});
    EXPECT_EQ(Words(m_block->m_numberLists[0]), (std::vector<int>{2, 1, 1}));
    ASSERT_EQ(m_block->m_pointLists[0].GetSize(), 3);
    EXPECT_EQ(static_cast<CPointD*>(m_block->m_pointLists[0][2])->m_x, 3.0);
    EXPECT_EQ(m_block->m_status[0], 0);
}

// A point search at a line's end finds it and a later 150 lists it; where nothing lies the
// search reports 14.
TEST_F(PickRequests, PointSearchRunsAtThePlugInsPosition)
{
    m_doc->AddLine(Pt(0, 0), Pt(100, 0), 0, m_doc->FindOrAddPen(0, 3, 0, 0, 70));
    m_app->m_appFind.m_searchMask = 1;  // end points only: no free point is found anywhere
    m_block->m_points1[0][0] = Pt(100, 0);
    m_block->m_points1[2][0] = Pt(100, 5000);
    Pass({140, 150, 140});
    EXPECT_EQ(m_block->m_status[0], 0);
    ASSERT_GE(m_block->m_pointLists[1].GetSize(), 1);
    const auto* first = static_cast<CPointD*>(m_block->m_pointLists[1][0]);
    EXPECT_EQ(first->m_x, 100.0);
    EXPECT_EQ(first->m_y, 0.0);
    EXPECT_EQ(Words(m_block->m_numberLists[1])[0], 1);
    EXPECT_EQ(m_block->m_status[2], 14);
}

// A pick at a point, and box selections: only a box drawn up and to the right takes the
// configured inside mode; drawn the other way it picks what it crosses.
TEST_F(PickRequests, PicksAtAPointAndInABox)
{
    m_doc->AddLine(Pt(0, 0), Pt(100, 0), 0, m_doc->FindOrAddPen(0, 3, 0, 0, 70));
    m_app->m_appFind.boxSelectionMode = 1;
    struct Case {
        const char* name;
        short code;
        CPointD a;
        CPointD b;
        short status;
    } cases[] = {
        {"at the line", 141, Pt(50, 0), Pt(0, 0), 0},
        {"far from it", 141, Pt(50, 5000), Pt(0, 0), 15},
        {"box up-right across the line, inside mode", 142, Pt(50, -20), Pt(200, 20), 15},
        {"the same box drawn leftwards, crossing mode", 142, Pt(200, 20), Pt(50, -20), 0},
        {"box up-right around the line", 142, Pt(-20, -20), Pt(200, 20), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pass({145});
        m_block->m_points1[0][0] = c.a;
        m_block->m_points1[0][1] = c.b;
        Pass({c.code});
        EXPECT_EQ(m_block->m_status[0], c.status);
        EXPECT_EQ(m_app->m_appFind.pickCount > 0, c.status == 0);
    }
}

// Without a drawing view the view requests do nothing and report nothing; 150 still empties its
// lists and reports the missing drawing. (The timer's pass waits for an active drawing, so the
// requests are served one by one here.)
TEST_F(PickRequests, WithoutAViewNothingIsSearchedOrPicked)
{
    m_doc->AddLine(Pt(0, 0), Pt(100, 0), 0, m_doc->FindOrAddPen(0, 3, 0, 0, 70));
    m_app->m_activeView = nullptr;
    ASSERT_EQ(m_app->GetActiveDrawingDoc(), nullptr);
    m_app->m_appFind.pickCount = 0;
    m_block->m_points1[0][0] = Pt(100, 0);
    m_block->m_points1[1][0] = Pt(50, 0);
    m_block->m_points1[2][0] = Pt(-20, -20);
    m_block->m_points1[2][1] = Pt(200, 20);
    m_block->m_numberLists[3].Add(4);
    m_block->m_pointLists[3].Add(new CPointD(Pt(1, 1)));
    const short codes[] = {140, 141, 142, 150};
    for (int s = 0; s < 4; ++s) {
        m_block->m_codes[s] = codes[s];
        m_block->m_status[s] = 0;
        ServeUserAppRequest(*m_block, s);
    }
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(m_block->m_status[s], 0) << s;
    EXPECT_EQ(m_app->m_appFind.pickCount, 0);
    EXPECT_TRUE(m_doc->m_pickList->m_candidates.empty());
    EXPECT_EQ(m_block->m_status[3], 13);
    EXPECT_TRUE(Words(m_block->m_numberLists[3]).empty());
    EXPECT_EQ(m_block->m_pointLists[3].GetSize(), 0);
}
