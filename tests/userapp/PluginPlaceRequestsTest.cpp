// Requests a plug-in writes to add single elements as the running operation and to place whole
// sets of transfer records into the active drawing, served by the real application's passes.
#include "commands/annotate/TextCommand.h"
#include "document/CreationLog.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "tests/userapp/PluginHostFixture.h"
#include "userapp/UserAppRequests.h"

using namespace plugin_host;

namespace {

class PlaceRequests : public ActiveDrawingRequests {
protected:
    // The live points of the drawing, in block and slot order.
    std::vector<CPointD> LivePoints() const
    {
        std::vector<CPointD> points;
        for (int b = 0; b < m_doc->m_pointBlocks.GetSize(); ++b)
            for (int s = 0; s < m_doc->PointBlockAt(b)->m_count; ++s)
                if (!(m_doc->PointBlockAt(b)->m_slots[s].m_state & STATE_DELETED))
                    points.push_back(m_doc->PointBlockAt(b)->m_slots[s].m_position);
        return points;
    }
    template <class R>
    R* Record(int list, R* r, int slot = 0)
    {
        m_block->m_recordLists[list][slot].Add(r);
        return r;
    }
    const UserAppElemRef& Ref(int i, int slot = 0) const
    {
        return *static_cast<const UserAppElemRef*>(m_block->m_refLists[slot][i]);
    }
};

}  // namespace

TEST_F(PlaceRequests, OddAddsArePreviewsThatTheNextAddReplacesUnlessKept)
{
    const size_t before = LivePoints().size();
    m_block->m_points1[0][0] = Pt(1, 1);
    m_block->m_intArgs[0][0] = 0;
    m_block->m_refTable[0]->Init(99, 99, 99, 0, 0);
    Pass({401});
    m_block->m_points1[0][0] = Pt(2, 2);
    Pass({401});
    std::vector<CPointD> points = LivePoints();
    ASSERT_EQ(points.size(), before + 1);
    EXPECT_EQ(points.back().m_x, 2);
    EXPECT_EQ(m_block->m_refTable[0]->m_kind, 99);

    // Kept: both stay tentative.
    m_block->m_points1[0][0] = Pt(3, 3);
    m_block->m_intArgs[0][0] = 1;
    Pass({401});
    EXPECT_EQ(LivePoints().size(), before + 2);
    EXPECT_EQ(m_doc->m_creationLog->m_log.size(), 2u);
    EXPECT_EQ(m_doc->m_creationLog->m_final, 0);

    // An even code returns the ref and is final with the user's next input.
    m_block->m_intArgs[0][0] = 0;
    m_block->m_points1[0][0] = Pt(1, 0);
    m_block->m_points1[0][1] = Pt(4, 0);
    Pass({404});
    EXPECT_EQ(LivePoints().size(), before);
    EXPECT_EQ(m_doc->m_creationLog->m_final, 1);
    const UserAppElemRef& ref = *m_block->m_refTable[0];
    EXPECT_EQ(ref.m_kind, ELEM_LINE);
    ASSERT_NE(m_doc->GetLineElem(ref.m_block, ref.m_slot), nullptr);
    EXPECT_EQ(m_doc->GetLineElem(ref.m_block, ref.m_slot)->m_end.m_x, 4);
    EXPECT_EQ(ref.m_state, 1);
    EXPECT_EQ(ref.m_mark, 1);

    // Failed adds give their statuses and no ref.
    m_block->m_points1[0][1] = Pt(1, 0);
    m_block->m_refTable[0]->Init(99, 99, 99, 0, 0);
    Pass({404});
    EXPECT_EQ(m_block->m_status[0], 2);
    EXPECT_EQ(m_block->m_refTable[0]->m_kind, 99);
}

TEST_F(PlaceRequests, ACurveNeedsKindOneAndEveryPoint)
{
    struct Case {
        int kind;
        std::vector<CPointD*> points;
        short status;
    } cases[] = {
        {2, {new CPointD(Pt(0, 0)), new CPointD(Pt(1, 1))}, 20},
        {1, {new CPointD(Pt(0, 0)), nullptr, new CPointD(Pt(1, 1))}, 6},
        {1, {new CPointD(Pt(0, 0))}, 6},
        {1, {new CPointD(Pt(0, 0)), new CPointD(Pt(1, 1)), new CPointD(Pt(2, 0))}, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.status);
        m_block->ClearSlotPoints(0);
        for (CPointD* p : c.points)
            m_block->m_pointLists[0].Add(p);
        m_block->m_intArgs[0][1] = c.kind;
        m_block->m_refTable[0]->Init(99, 99, 99, 0, 0);
        Pass({412});
        EXPECT_EQ(m_block->m_status[0], c.status);
        const UserAppElemRef& ref = *m_block->m_refTable[0];
        EXPECT_EQ(ref.m_kind, c.status ? 99 : ELEM_CURVE);
        if (c.status == 0) {
            ASSERT_NE(m_doc->GetCurveElem(ref.m_block, ref.m_slot), nullptr);
        }
    }
    m_block->m_pointLists[0].RemoveAll();
}

TEST_F(PlaceRequests, TheCurrentTextIsTurnedByTheNegatedAngle)
{
    m_doc->m_textCmd->m_string = "AB";
    m_block->m_points1[0][0] = Pt(5, 5);
    m_block->m_doubleArgs[0][0] = 30;
    Pass({414});
    ASSERT_EQ(m_block->m_status[0], 0);
    const UserAppElemRef& ref = *m_block->m_refTable[0];
    ASSERT_EQ(ref.m_kind, ELEM_TEXT);
    const CTexts* texts = m_doc->TextBlockAt(ref.m_block);
    EXPECT_EQ(m_doc->GetFont(texts->m_pen)->m_angle, -30);
    EXPECT_EQ(texts->m_slots[ref.m_slot].m_text, "AB");
}

TEST_F(PlaceRequests, RecordsArePlacedWithTheirListsResolved)
{
    m_app->m_appElem.m_blurCount = 3;
    m_app->m_appElem.m_blurRate = 40;
    m_app->m_appElem.m_blurMode = 0;
    m_doc->m_writeLayer = 0;
    auto* name = new CString("部品");
    Record(UserAppBlock::kLayerNameList, name);
    Record(UserAppBlock::kPenList, new UserAppPenRecord(1, 7, 0x123456));
    auto point = [&](double x, int layer, int pen) {
        auto* r = Record(UserAppBlock::kPointList, new UserAppPointRecord);
        r->m_position = Pt(x, 0);
        r->m_layer = static_cast<std::int16_t>(layer);
        r->m_pen = static_cast<std::int16_t>(pen);
        return r;
    };
    point(1, -1, 0);
    point(2, 1, 5);
    point(3, 0, -1);
    Record(UserAppBlock::kPointList, static_cast<UserAppPointRecord*>(nullptr));
    auto* line = Record(UserAppBlock::kLineList, new UserAppLineRecord);
    line->m_start = Pt(5, 0);
    line->m_end = Pt(1, 0);
    auto* group = Record(UserAppBlock::kGroupList, new UserAppGroupRecord);
    group->m_parent = 0;
    group->m_attrStrings.push_back(999);
    group->m_members.push_back(UserAppElemRef());
    auto* sub = Record(UserAppBlock::kGroupList, new UserAppGroupRecord);
    sub->m_parent = 0;
    sub->m_kind = 2;
    line->m_group = 1;
    auto* text = Record(UserAppBlock::kTextList, new UserAppTextRecord);
    text->m_text = "A\tB";
    text->m_font = 3;
    const int groups = m_doc->m_groups.GetSize();
    const int layers = m_doc->m_layers.GetSize();
    Pass({440});

    EXPECT_EQ(m_block->m_status[0], 21);
    ASSERT_EQ(m_block->m_refLists[0].GetSize(), 5);
    // Points: the write layer for -1 and for the list's size, the list's name otherwise.
    const int named = m_doc->FindLayer("部品");
    EXPECT_EQ(m_doc->m_layers.GetSize(), layers + 1);
    const std::int16_t layersOf[] = {0, 0, static_cast<std::int16_t>(named)};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Ref(i).m_kind, ELEM_POINT);
        EXPECT_EQ(m_doc->GetPointElem(Ref(i).m_block, Ref(i).m_slot)->m_layer, layersOf[i]);
    }
    const CTypePen* listed = m_doc->GetPen(m_doc->PointBlockAt(Ref(0).m_block)->m_pen);
    EXPECT_EQ(listed->m_width, 7);
    EXPECT_EQ(listed->m_color, 0x123456u);
    const CTypePen* current = m_doc->GetPen(m_doc->PointBlockAt(Ref(1).m_block)->m_pen);
    EXPECT_EQ(current->m_width, m_app->m_appElem.m_lineWidth);
    EXPECT_EQ(current->m_blurCount, 3);
    EXPECT_EQ(current->m_blurRate, 40);

    // The line is ordered, and joins the second new group.
    EXPECT_EQ(Ref(3).m_kind, ELEM_LINE);
    const CLine& placed = *m_doc->GetLineElem(Ref(3).m_block, Ref(3).m_slot);
    EXPECT_EQ(placed.m_start.m_x, 1);
    EXPECT_EQ(placed.m_end.m_x, 5);
    EXPECT_EQ(placed.m_swapped, 1);
    ASSERT_EQ(m_doc->m_groups.GetSize(), groups + 2);
    EXPECT_EQ(placed.m_group, groups + 1);
    const CGroup& first = *m_doc->GetGroup(groups);
    const CGroup& second = *m_doc->GetGroup(groups + 1);
    EXPECT_EQ(first.m_parent, -1);
    EXPECT_TRUE(first.m_members.empty());
    EXPECT_EQ(first.m_attrStrings.GetSize(), 0);
    EXPECT_EQ(second.m_parent, groups);
    EXPECT_EQ(second.m_kind, 2);
    ASSERT_EQ(second.m_members.size(), 1u);
    EXPECT_EQ(second.m_members[0].m_mark, 8);

    // The text: tabs expanded, the settings' font with style 1 and the slant angle.
    EXPECT_EQ(Ref(4).m_kind, ELEM_TEXT);
    const CText& t = *m_doc->GetTextElem(Ref(4).m_block, Ref(4).m_slot);
    EXPECT_EQ(t.m_text.Find('\t'), -1);
    const CTypeFont& f = *m_doc->GetFont(m_doc->TextBlockAt(Ref(4).m_block)->m_pen);
    EXPECT_EQ(f.m_style1, 1);
    EXPECT_EQ(f.m_angle, m_app->m_appText.m_slantAngle);
    EXPECT_EQ(f.m_height, m_app->m_appText.m_heightTenths);
}

TEST_F(PlaceRequests, ACompositeTextIsPlacedFromItsBottomLeftCorner)
{
    const CString composite = "H" + m_app->m_appText.m_subscriptMarker + "2" + m_app->m_appText.m_subscriptMarker + "O";
    ASSERT_TRUE(CTextCommand::HasNotationMarkers(composite));
    m_app->m_appText.SetAngle(45);
    CAppText atZero = m_app->m_appText;
    atZero.SetAngle(0);
    std::vector<CPointD> firstParts;
    for (int alignment : {8, 38, 2}) {
        SCOPED_TRACE(alignment);
        auto* font = Record(UserAppBlock::kFontList, new UserAppFontRecord);
        font->m_angle = 0;
        auto* text = Record(UserAppBlock::kTextList, new UserAppTextRecord);
        text->m_text = composite;
        text->m_point = Pt(100, 100);
        text->m_alignment = alignment;
        text->m_font = 0;
        const int groups = m_doc->m_groups.GetSize();
        Pass({440});
        EXPECT_EQ(m_block->m_status[0], 0);
        // A composite text yields no ref; its group is marked.
        EXPECT_EQ(m_block->m_refLists[0].GetSize(), 0);
        ASSERT_EQ(m_doc->m_groups.GetSize(), groups + 1);
        const CGroup& g = *m_doc->GetGroup(groups);
        EXPECT_EQ(g.m_mark & 0x81, 0x81);
        ASSERT_FALSE(g.m_members.empty());
        const CElemRef& part = g.m_members.front();
        ASSERT_EQ(part.m_kind, ELEM_TEXT);
        const CText& t = *m_doc->GetTextElem(part.m_block, part.m_slot);
        EXPECT_EQ(t.m_alignment, 8);
        firstParts.push_back(t.m_point);
        // The settings keep the font's angle.
        EXPECT_EQ(m_app->m_appText.m_logFont.lfEscapement, atZero.m_logFont.lfEscapement);
        m_block->ClearSlotRecords(0);
    }
    const double dx38 = firstParts[1].m_x - firstParts[0].m_x, dy38 = firstParts[1].m_y - firstParts[0].m_y;
    const double dx2 = firstParts[2].m_x - firstParts[0].m_x, dy2 = firstParts[2].m_y - firstParts[0].m_y;
    EXPECT_LT(dx38, 0);
    EXPECT_LT(dy38, 0);
    EXPECT_NEAR(dx2, 2 * dx38, 1e-9);
    EXPECT_NEAR(dy2, 2 * dy38, 1e-9);
}

TEST_F(PlaceRequests, AttributeEntriesAreAppliedInOrder)
{
    const int strings = m_doc->m_attrStrings.GetSize();
    m_block->m_textLists[0].Add("材質");
    m_block->m_textLists[0].Add("仕上");
    m_block->m_textLists[0].Add("//材質");
    Pass({400, 411});
    ASSERT_EQ(m_doc->m_attrStrings.GetSize(), strings + 2);
    int index = 0;
    EXPECT_NE(m_doc->FindAttributeString("仕上", index), nullptr);
    EXPECT_EQ(m_block->m_status[1], 0);
}

TEST_F(PlaceRequests, NoLayerIsMadePastTheLastLayerNumber)
{
    m_doc->m_writeLayer = 0;
    for (int i = m_doc->m_layers.GetSize(); i <= 32767; ++i) {
        CString name;
        name.Format("L%d", i);
        m_doc->FindOrCreateLayer(name);
    }
    const int layers = m_doc->m_layers.GetSize();
    Record(UserAppBlock::kLayerNameList, new CString("新しい層"));
    Record(UserAppBlock::kPointList, new UserAppPointRecord)->m_layer = 0;
    Pass({440});
    EXPECT_EQ(m_block->m_status[0], 0);
    EXPECT_EQ(m_doc->m_layers.GetSize(), layers);
    ASSERT_EQ(m_block->m_refLists[0].GetSize(), 1);
    EXPECT_EQ(m_doc->GetPointElem(Ref(0).m_block, Ref(0).m_slot)->m_layer, 0);
}

namespace {

// Placing into a new drawing: the records go into a windowless drawing that is offered for
// copying; one such drawing at a time; nothing to copy leaves nothing pending.
TEST_F(PlaceRequests, PlacingIntoANewDrawingOffersItForCopying)
{
    const int linesBefore = m_doc->m_lineBlocks.GetSize();
    auto* line = Record(UserAppBlock::kLineList, new UserAppLineRecord);
    line->m_start = Pt(0, 0);
    line->m_end = Pt(10, 0);
    m_block->m_points1[0][0] = Pt(3, 4);
    Pass({441});
    CZelkDoc* pending = m_app->m_symbolDoc;
    ASSERT_NE(pending, nullptr);
    EXPECT_NE(pending, m_doc);
    EXPECT_EQ(pending->m_docNumber, 0);
    ASSERT_EQ(pending->m_lineBlocks.GetSize(), 1);
    EXPECT_EQ(pending->GetLineElem(0, 0)->m_end.m_x, 10);
    EXPECT_EQ(pending->m_basePoint.m_x, 3);
    EXPECT_EQ(pending->m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_lastMessage, CString("ユーザアプリケーションのコピーモードに入りました(解除ESC)"));
    EXPECT_EQ(m_doc->m_lineBlocks.GetSize(), linesBefore);

    // A second request while the first copy is pending does nothing.
    m_app->m_lastMessage.Empty();
    Pass({441});
    EXPECT_EQ(m_app->m_symbolDoc, pending);
    EXPECT_EQ(pending->m_lineBlocks.GetSize(), 1);
    EXPECT_EQ(pending->LineBlockAt(0)->m_count, 1);
    EXPECT_TRUE(m_app->m_lastMessage.IsEmpty());

    // With the copy over, empty record lists leave nothing pending.
    m_app->DeleteSymbolDoc();
    m_block->ClearSlotRecords(0);
    Pass({441});
    EXPECT_EQ(m_app->m_symbolDoc, nullptr);
    EXPECT_EQ(m_app->m_lastMessage, CString("ユーザアプリケーションから受け取ったデータはありません"));
}

}  // namespace
