// Print frames on work-print layers, and walks along connected lines and arcs.
#include <cmath>

#include "CreationTestSupport.h"

namespace {

class FrameTest : public CreationFixture {
protected:
    void Drawing(double w, double h)
    {
        std::int16_t block = -1, slot = -1;
        Doc().AddLineWithPen(At(0, 0), At(w, h), 0, Doc().FindOrAddPen(0, 1, 0, 0, 70), block,
                             slot);
    }
    // The frame lines on a layer as (min x, min y, max x, max y).
    std::vector<double> FrameBox(int layer)
    {
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b) {
            const CLines* l = Doc().LineBlockAt(b);
            for (int s = 0; s < l->m_count; ++s) {
                const CLine& e = l->m_slots[s];
                if (e.m_layer != layer)
                    continue;
                for (const CPointD& p : {e.m_start, e.m_end}) {
                    x0 = std::min(x0, p.m_x);
                    y0 = std::min(y0, p.m_y);
                    x1 = std::max(x1, p.m_x);
                    y1 = std::max(y1, p.m_y);
                }
            }
        }
        return {x0, y0, x1, y1};
    }
    int LinesOn(int layer)
    {
        int n = 0;
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b) {
            const CLines* l = Doc().LineBlockAt(b);
            for (int s = 0; s < l->m_count; ++s)
                n += l->m_slots[s].m_layer == layer ? 1 : 0;
        }
        return n;
    }
};

}  // namespace

TEST_F(FrameTest, TheSmallestSheetThatHoldsTheDrawingIsChosen)
{
    m_app->m_sheetNames.Add("297,210,A4");
    m_app->m_sheetNames.Add("420,297,A3");
    Drawing(250, 150);
    const int layer = Doc().AddPrintFrame();
    EXPECT_EQ(Doc().GetLayer(layer)->m_name, CString("Work_Print_A4"));
    const auto box = FrameBox(layer);
    EXPECT_NEAR(box[2] - box[0], 297, 1e-9);
    EXPECT_NEAR(box[3] - box[1], 210, 1e-9);
    EXPECT_NEAR(box[0], -23.5, 1e-9);   // centred on the drawing
    EXPECT_NEAR(box[1], -30, 1e-9);
    EXPECT_EQ(LinesOn(layer), 4);
    EXPECT_EQ(Undo().GetStepCount(), 1);
    EXPECT_EQ(Undo().m_steps[0]->m_first.size(), 4u);
    EXPECT_EQ(Doc().m_writeLayer, 0);
    const CTypePen* pen = Doc().GetPen(Doc().LineBlockAt(Doc().m_lineBlocks.GetSize() - 1)->m_pen);
    EXPECT_EQ(pen->m_lineType, 2);
}

TEST_F(FrameTest, WithoutAFittingSheetTheFrameTakesTheDrawingsProportion)
{
    struct Case { double w, h, fw, fh; };
    const double r2 = std::sqrt(2.0);
    const Case cases[] = {
        {300, 100, 300, 300 / r2},
        {100, 300, 300 / r2, 300},
        {300, 250, 250 * r2, 250},
        {0, 400, 400 * r2, 400},
    };
    for (const Case& c : cases) {
        SetUp();
        m_app->m_sheetNames.Add("297,210,A4");
        Drawing(c.w, c.h);
        const int layer = Doc().AddPrintFrame();
        EXPECT_EQ(Doc().GetLayer(layer)->m_name, CString("Work_Print_Auto"));
        const auto box = FrameBox(layer);
        EXPECT_NEAR(box[2] - box[0], c.fw * 1.05, 1e-9) << c.w << " x " << c.h;
        EXPECT_NEAR(box[3] - box[1], c.fh * 1.05, 1e-9) << c.w << " x " << c.h;
        TearDown();
    }
    SetUp();
}

TEST_F(FrameTest, RedrawingAFrameReadsItsSheetAgain)
{
    m_app->m_sheetNames.Add("-,594,420,A2");
    m_app->m_sheetNames.Add("297,210,A4");
    Drawing(250, 150);
    const int a4 = Doc().AddPrintFrame();
    EXPECT_EQ(Doc().RedrawPrintFrame(a4), 1);
    EXPECT_EQ(LinesOn(a4), 8);
    EXPECT_EQ(Doc().RedrawPrintFrame(-1), 0);
    EXPECT_EQ(Doc().RedrawPrintFrame(Doc().m_layers.GetSize()), 0);
    EXPECT_EQ(Doc().RedrawPrintFrame(0), 0);   // not a work-print layer
    // A2 is switched off in the list, B5 is not in it.
    for (const char* name : {"Work_Print_A2", "Work_Print_B5"}) {
        const int layer = Doc().FindOrCreateLayer(name);
        EXPECT_EQ(Doc().RedrawPrintFrame(layer), 0) << name;
        EXPECT_EQ(LinesOn(layer), 0);
    }
    const int automatic = Doc().FindOrCreateLayer("work_print_auto");
    EXPECT_EQ(Doc().RedrawPrintFrame(automatic), 1);
    const auto box = FrameBox(automatic);
    EXPECT_NEAR(box[3] - box[1], 250 / std::sqrt(2.0) * 1.05, 1e-9);
}

TEST_F(FrameTest, OnlyAFrameInsideTheDrawingIsFound)
{
    Drawing(300, 200);
    EXPECT_EQ(Doc().FirstWorkPrintLayer(), -1);
    EXPECT_EQ(Doc().FindPrintFrameLayer(), -1);
    const std::int16_t frame = Doc().FindOrAddPen(2, 1, 0, 0, 70);
    const int crossing = Doc().FindOrCreateLayer("Work_Print_X");
    const int inside = Doc().FindOrCreateLayer("Work_Print_Y");
    std::int16_t block = -1, slot = -1;
    Doc().AddLineWithPen(At(-10, 10), At(100, 50), static_cast<std::int16_t>(crossing), frame,
                         block, slot);
    Doc().AddLineWithPen(At(10, 10), At(100, 50), static_cast<std::int16_t>(inside), frame, block,
                         slot);
    EXPECT_EQ(Doc().FirstWorkPrintLayer(), crossing);
    EXPECT_EQ(Doc().FindPrintFrameLayer(), inside);
}

using ChainTest = CreationFixture;

TEST_F(ChainTest, ASquareIsWalkedAroundUntilTheFirstSideComesBack)
{
    const std::int16_t pen = Doc().FindOrAddPen(0, 1, 0, 0, 70);
    const CPointD c[4] = {At(0, 0), At(10, 0), At(10, 10), At(0, 10)};
    std::vector<CElemRef> sides;
    for (int i = 0; i < 4; ++i) {
        std::int16_t block = -1, slot = -1;
        Doc().AddLineWithPen(c[i], c[(i + 1) % 4], 0, pen, block, slot);
        CElemRef r;
        r.Init(4, block, slot, 1, 1);
        sides.push_back(r);
    }
    std::vector<CElemRef> entries{sides[0]};
    const CPointD end = Doc().FollowChain(At(10, 0), 4, sides[0].m_block, sides[0].m_slot, entries);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(entries[1].IsSameElement(sides[1]));
    EXPECT_TRUE(entries[2].IsSameElement(sides[2]));
    EXPECT_TRUE(entries[3].IsSameElement(sides[3]));
    // The right side is stored bottom to top and entered at its start; the top side is stored
    // left to right and entered at its end.
    EXPECT_EQ(entries[1].m_extra, 2);
    EXPECT_EQ(entries[2].m_extra, 1);
    EXPECT_NEAR(end.m_x, 0, 1e-9);
    EXPECT_NEAR(end.m_y, 0, 1e-9);
}

TEST_F(ChainTest, ABranchStopsTheWalkAndArcsContinueIt)
{
    const std::int16_t pen = Doc().FindOrAddPen(0, 1, 0, 0, 70);
    std::int16_t block = -1, slot = -1, first = -1, firstSlot = -1;
    Doc().AddLineWithPen(At(0, 0), At(10, 0), 0, pen, first, firstSlot);
    Doc().AddLineWithPen(At(10, 0), At(20, 5), 0, pen, block, slot);
    Doc().AddLineWithPen(At(10, 0), At(20, -5), 0, pen, block, slot);
    std::vector<CElemRef> entries;
    CPointD end = Doc().FollowChain(At(10, 0), 4, first, firstSlot, entries);
    EXPECT_TRUE(entries.empty());
    EXPECT_NEAR(end.m_x, 10, 1e-9);

    // From the far end, a quarter arc 0.05 away continues the chain.
    CPointD angles;
    angles.Init(180, 270);
    Doc().AddArcWithPen(At(10, 0.05), 10, angles, 0, pen, block, slot);
    end = Doc().FollowChain(At(0, 0), 4, first, firstSlot, entries);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].m_kind, 16);
    EXPECT_EQ(entries[0].m_extra, 2);
    EXPECT_NEAR(end.m_x, 10, 1e-9);
    EXPECT_NEAR(end.m_y, -9.95, 1e-9);
}

TEST_F(ChainTest, SharedLineEndsWithinATenth)
{
    const std::int16_t pen = Doc().FindOrAddPen(0, 1, 0, 0, 70);
    std::int16_t block = -1, slot = -1, b2 = -1, s2 = -1;
    Doc().AddLineWithPen(At(0, 0), At(10, 0), 0, pen, block, slot);
    Doc().AddLineWithPen(At(10.05, 0), At(10, 7), 0, pen, b2, s2);
    EXPECT_EQ(Doc().IsLineEndShared(At(10, 0), block, slot), 1);
    EXPECT_EQ(Doc().IsLineEndShared(At(0, 0), block, slot), 0);
    Doc().GetLineElem(b2, s2)->m_state = 0x88;
    EXPECT_EQ(Doc().IsLineEndShared(At(10, 0), block, slot), 0);
}
