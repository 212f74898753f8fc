// Requests a plug-in writes to read the active drawing's elements, pens and fonts, and to delete
// elements with undo, served by the request passes of the real application.
#include "document/UndoHistory.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "tests/userapp/PluginHostFixture.h"
#include "userapp/UserAppRequests.h"

using namespace plugin_host;

namespace {

class ElementRequests : public ActiveDrawingRequests {
protected:
    void SetUp() override
    {
        ActiveDrawingRequests::SetUp();
        m_pen = m_doc->FindOrAddPen(0, 3, 0, 0, 70);
    }
    CLines* Line(double x0, double x1)
    {
        CLines* block = m_doc->AddLine(Pt(x0, 0), Pt(x1, 0), 0, m_pen);
        EXPECT_NE(block, nullptr);
        return block;
    }
    void AddGroup(std::int16_t kind)
    {
        auto* group = new CGroup;
        group->m_kind = kind;
        m_doc->m_groups.Add(group);
    }
    std::int16_t m_pen = 0;
};

}  // namespace

TEST_F(ElementRequests, LiveElementsAreListedAsReferencesAndRecords)
{
    CLines* block = Line(0, 5);
    Line(1, 6);
    ASSERT_TRUE(block && block->m_count == 2);
    block->m_slots[0].m_state = 136;
    m_block->m_refLists[0].Add(new UserAppElemRef);
    Pass({302, 322});
    ASSERT_EQ(m_block->m_refLists[0].GetSize(), 1);
    const auto* ref = static_cast<UserAppElemRef*>(m_block->m_refLists[0][0]);
    EXPECT_EQ(ref->m_kind, ELEM_LINE);
    EXPECT_EQ(ref->m_slot, 1);
    ASSERT_EQ(m_block->m_recordLists[UserAppBlock::kLineList][1].GetSize(), 1);
    const auto* line = static_cast<UserAppLineRecord*>(m_block->m_recordLists[UserAppBlock::kLineList][1][0]);
    EXPECT_EQ(line->m_start.m_x, 1);
    EXPECT_EQ(line->m_pen, block->m_pen);
    EXPECT_EQ(line->m_directionKind, block->m_direction);

    // The only line deleted: the list is emptied and stays empty.
    block->m_slots[1].m_state = 136;
    Pass({302});
    EXPECT_EQ(m_block->m_refLists[0].GetSize(), 0);
    EXPECT_EQ(m_block->m_status[0], 0);

    // Pens are appended, not replaced.
    const int pens = m_doc->m_pens.GetSize();
    Pass({340});
    Pass({340});
    EXPECT_EQ(m_block->m_recordLists[UserAppBlock::kPenList][0].GetSize(), 2 * pens);
}

TEST_F(ElementRequests, OneElementIsLookedUpWithEveryIndexChecked)
{
    CLines* block = Line(2, 3);
    const int b = m_doc->m_lineBlocks.GetSize() - 1;
    ASSERT_EQ(block, m_doc->LineBlockAt(b));
    const int groups = m_doc->m_groups.GetSize();
    AddGroup(CGroup::KIND_PLAIN);
    AddGroup(CGroup::KIND_RADIUS);
    struct Case {
        short code;
        int int0;
        int int1;
        short status;
    } cases[] = {
        {352, b, 0, 0}, {352, b, 1, 17}, {352, b, -1, 17}, {352, b + 1, 0, 16}, {352, -1, 0, 16},
        {358, groups, 0, 18}, {359, groups + 1, 0, 19}, {359, groups, 0, 0}, {358, groups + 1, 0, 0},
        {358, groups + 2, 0, 16}, {350, m_doc->m_attrStrings.GetSize(), 0, 16},
        {370, m_doc->m_pens.GetSize(), 0, 16}, {370, 0, 0, 0}, {371, -1, 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.int0 << " " << c.int1);
        m_block->m_recordLists[UserAppBlock::kPointList][0].Add(new UserAppPointRecord);
        m_block->m_lineTable[0]->m_start.Init(-7, -7);
        m_block->m_groupTable[0]->m_kind = -7;
        m_block->m_intArgs[0][0] = c.int0;
        m_block->m_intArgs[0][1] = c.int1;
        Pass({c.code});
        EXPECT_EQ(m_block->m_status[0], c.status);
        if (c.code / 10 == 35) {
            EXPECT_EQ(m_block->m_recordLists[UserAppBlock::kPointList][0].GetSize(), 0);
        }
        if (c.code == 352) {
            EXPECT_EQ(m_block->m_lineTable[0]->m_start.m_x, c.status ? -7 : 2);
        }
        if (c.code == 358 || c.code == 359) {
            EXPECT_EQ(m_block->m_groupTable[0]->m_kind, c.status ? -7 : c.code == 358 ? 5 : 0);
        }
    }

    // Without an active drawing the pass does not run; served alone, the request says so.
    m_app->m_activeView = nullptr;
    m_block->m_recordLists[UserAppBlock::kPointList][0].Add(new UserAppPointRecord);
    for (short code : {352, 340}) {
        m_block->m_codes[0] = code;
        m_block->m_status[0] = 0;
        ServeUserAppRequest(*m_block, 0);
        EXPECT_EQ(m_block->m_status[0], 13);
    }
    EXPECT_EQ(m_block->m_recordLists[UserAppBlock::kPointList][0].GetSize(), 0);
    m_block->m_codes[0] = 0;
    m_app->m_activeView = m_view;
}

TEST_F(ElementRequests, DeletionsAreOneUndoStepWhenThePlugInCommits)
{
    CLines* block = Line(0, 1);
    Line(0, 2);
    Line(0, 3);
    const short b = static_cast<short>(m_doc->m_lineBlocks.GetSize() - 1);
    const int steps = m_doc->m_undoHistory->GetStepCount();
    m_block->m_shortArg0[0] = m_id;
    m_block->m_intArgs[0][0] = b;
    m_block->m_intArgs[0][1] = 0;
    // Out of range, on another kind, or on no drawing: nothing changes.
    m_block->m_shortArg0[1] = m_id;
    m_block->m_intArgs[1][0] = b;
    m_block->m_intArgs[1][1] = 3;
    m_block->m_shortArg0[2] = m_id;
    m_block->m_intArgs[2][0] = b;
    m_block->m_shortArg0[3] = static_cast<short>(m_id + 100);
    Pass({462, 462, 463, 462});
    EXPECT_EQ(block->m_slots[0].m_state, 136);
    EXPECT_EQ(block->m_slots[1].m_state & STATE_DELETED, 0);
    EXPECT_EQ(m_block->m_status[3], 11);
    EXPECT_EQ(m_doc->m_undoHistory->GetStepCount(), steps);

    // 480 walks its references, passing over those that name nothing.
    auto ref = [](short kind, short blockIndex, short slot) {
        auto* r = new UserAppElemRef;
        r->Init(kind, blockIndex, slot, 1, 0);
        return r;
    };
    m_block->m_shortArg0[0] = m_id;
    m_block->m_refLists[0].Add(ref(ELEM_LINE, b, 2));
    m_block->m_refLists[0].Add(nullptr);
    m_block->m_refLists[0].Add(ref(ELEM_LINE, static_cast<short>(b + 5), 0));
    m_block->m_refLists[0].Add(ref(ELEM_GROUP, 0, 0));
    m_block->m_shortArg0[1] = m_id;
    Pass({480, 501});
    EXPECT_EQ(block->m_slots[2].m_state, 136);
    EXPECT_EQ(block->m_slots[1].m_state & STATE_DELETED, 0);
    ASSERT_EQ(m_doc->m_undoHistory->GetStepCount(), steps + 1);

    m_doc->m_undoHistory->Undo();
    EXPECT_EQ(block->m_slots[0].m_state & STATE_DELETED, 0);
    EXPECT_EQ(block->m_slots[2].m_state & STATE_DELETED, 0);
}

// A deleted attribute string comes back with Undo in the state it had, and goes again with Redo.
TEST_F(ElementRequests, ADeletedAttributeStringComesBackWithUndo)
{
    CString entry = "部品=ボルト";
    int index = -1;
    int mode = 0;
    CDataString* string = m_doc->FindOrAddAttributeString(entry, index, mode);
    ASSERT_NE(string, nullptr);
    const std::uint8_t live = string->m_state;
    ASSERT_EQ(live & STATE_DELETED, 0);
    m_block->m_shortArg0[0] = m_id;
    m_block->m_intArgs[0][0] = index;
    m_block->m_shortArg0[1] = m_id;
    Pass({460, 501});
    EXPECT_NE(string->m_state & STATE_DELETED, 0);
    m_doc->m_undoHistory->Undo();
    EXPECT_EQ(string->m_state, live);
    m_doc->m_undoHistory->Redo();
    EXPECT_NE(string->m_state & STATE_DELETED, 0);
}
