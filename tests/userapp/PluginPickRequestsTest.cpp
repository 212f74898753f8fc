// Requests a plug-in writes to step through and read the pick list, read the selected elements
// and set the relative-input values, served by the real application's passes.
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/ElemCandidate.h"
#include "input/PickList.h"
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
