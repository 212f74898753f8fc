// Print frames on work-print layers, and walks along connected lines and arcs.
#include <cmath>

#include "CreationTestSupport.h"
#include "commands/line/LoopCommand.h"
#include "input/ElemKey.h"

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

// A run of joined lines as the loop command holds it after the first pick: the picked line,
// entered at its start, and its two vertices.
class RunTest : public CreationFixture {
protected:
    std::int16_t m_pen = 0;
    std::int16_t m_block = -1, m_slot = -1;

    void SetUp() override
    {
        CreationFixture::SetUp();
        m_pen = Doc().FindOrAddPen(0, 1, 0, 0, 70);
    }
    // A line from a to b, stored in that direction.
    CElemRef Line(CPointD a, CPointD b)
    {
        std::int16_t block = -1, slot = -1;
        Doc().AddLineWithPen(a, b, 0, m_pen, block, slot);
        CLine* l = Doc().GetLineElem(block, slot);
        l->m_start = a;
        l->m_end = b;
        CElemRef r;
        r.Init(4, block, slot, 1, 1);
        return r;
    }
    CLoopCommand& Loop() { return *Doc().m_loopCmd; }
    CPointD StartRun(const CElemRef& first, double limit)
    {
        CLoopCommand& loop = Loop();
        loop.m_values[0].value = limit;
        loop.m_currentLoop = new COwnedPtrArray;
        loop.m_loops.Add(loop.m_currentLoop);
        const CLine* l = Doc().GetLineElem(first.m_block, first.m_slot);
        loop.m_lineCopies.Add(new CLine(*l));
        loop.m_lineRefs.Add(first.Clone());
        CElemKey* key = new CElemKey;
        key->Set(4, 0, 0);
        loop.m_currentLoop->Add(key);
        CElemRef entry = first;
        entry.m_extra = 2;
        loop.m_runElems.push_back(entry);
        loop.m_runVertices = {l->m_start, l->m_end};
        return Doc().FollowCollinearChain(l->m_end, first.m_block, first.m_slot,
                                          loop.m_runVertices);
    }
};

CPointD Polar(CPointD from, double deg, double len)
{
    const double r = deg * 3.141592653589793 / 180.0;
    return At(from.m_x + len * std::cos(r), from.m_y + len * std::sin(r));
}

TEST_F(RunTest, BendsUpToTheLimitAndATenthAreFollowed)
{
    const struct {
        double bend;
        bool followed;
    } cases[] = {{0.0, true}, {10.05, true}, {-10.05, true}, {10.2, false}, {-10.2, false}};
    double y = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bend);
        y += 100;  // each case on its own, far from the others
        const CElemRef first = Line(At(0, y), At(10, y));
        const CPointD far = Polar(At(10, y), c.bend, 10);
        Line(At(10, y), far);
        const CPointD end = StartRun(first, 10);
        EXPECT_EQ(Loop().m_runElems.size(), c.followed ? 2u : 1u);
        EXPECT_EQ(Loop().m_runVertices.size(), c.followed ? 3u : 2u);
        EXPECT_NEAR(end.m_x, c.followed ? far.m_x : 10, 1e-9);
        EXPECT_NEAR(end.m_y, c.followed ? far.m_y : y, 1e-9);
        Loop().FreeLoops();
    }
}

TEST_F(RunTest, EachLineIsCopiedReferencedAndKeyedWithTheEndItWasEnteredAt)
{
    const CElemRef first = Line(At(0, 0), At(10, 0));
    const CElemRef forward = Line(At(10, 0), At(20, 1));
    const CElemRef reversed = Line(At(30, 1), At(20, 1));  // stored against the direction of travel
    Line(At(30, 1), At(30, 20));                           // a corner: the run stops here
    Line(At(40, 1.005), At(50, 1));                         // not reached
    const CPointD end = StartRun(first, 6);
    EXPECT_NEAR(end.m_x, 30, 1e-9);
    EXPECT_NEAR(end.m_y, 1, 1e-9);

    CLoopCommand& loop = Loop();
    ASSERT_EQ(loop.m_runElems.size(), 3u);
    EXPECT_TRUE(loop.m_runElems[1].IsSameElement(forward));
    EXPECT_EQ(loop.m_runElems[1].m_extra, 2);
    EXPECT_TRUE(loop.m_runElems[2].IsSameElement(reversed));
    EXPECT_EQ(loop.m_runElems[2].m_extra, 1);
    ASSERT_EQ(loop.m_lineCopies.GetSize(), 3);
    ASSERT_EQ(loop.m_lineRefs.GetSize(), 3);
    ASSERT_EQ(loop.m_currentLoop->GetSize(), 3);
    const CLine* copy = static_cast<const CLine*>(loop.m_lineCopies[2]);
    EXPECT_NEAR(copy->m_start.m_x, 30, 1e-9);
    const CElemRef* ref = static_cast<const CElemRef*>(loop.m_lineRefs[2]);
    EXPECT_TRUE(ref->IsSameElement(reversed));
    EXPECT_EQ(ref->m_state, 1);
    EXPECT_EQ(ref->m_extra, 0);
    const CElemKey* key = loop.m_currentLoop->KeyAt(2);
    EXPECT_EQ(key->kind, 4);
    EXPECT_EQ(key->index, 2);
    EXPECT_EQ(key->flag, 1);
    EXPECT_EQ(loop.m_currentLoop->KeyAt(1)->flag, 0);
    ASSERT_EQ(loop.m_runVertices.size(), 4u);
    EXPECT_NEAR(loop.m_runVertices[2].m_x, 20, 1e-9);
}

TEST_F(RunTest, EndsFartherThanAHundredthApartAreNotJoined)
{
    const CElemRef first = Line(At(0, 0), At(10, 0));
    Line(At(10.05, 0), At(20, 0));
    StartRun(first, 10);
    EXPECT_EQ(Loop().m_runElems.size(), 1u);
    // The looser test of shared ends sees them joined.
    EXPECT_EQ(Doc().IsLineEndShared(At(10, 0), first.m_block, first.m_slot), 1);
}

TEST_F(RunTest, TwoLinesWithinTheLimitAreABranchAndStopTheRun)
{
    const CElemRef first = Line(At(0, 0), At(10, 0));
    Line(At(10, 0), Polar(At(10, 0), 3, 10));
    Line(At(10, 0), Polar(At(10, 0), -3, 10));
    const CPointD end = StartRun(first, 5);
    EXPECT_EQ(Loop().m_runElems.size(), 1u);
    EXPECT_NEAR(end.m_x, 10, 1e-9);
}

TEST_F(RunTest, AClosedPolygonStopsWhereItReturnsToTheFirstVertex)
{
    // A regular 24-gon: 15 degree bends.
    std::vector<CPointD> v;
    for (int i = 0; i < 24; ++i)
        v.push_back(Polar(At(0, 0), i * 15.0, 50));
    CElemRef first;
    for (int i = 0; i < 24; ++i) {
        const CElemRef r = Line(v[i], v[(i + 1) % 24]);
        if (i == 0)
            first = r;
    }
    const CPointD end = StartRun(first, 15);
    EXPECT_NEAR(end.m_x, v[0].m_x, 1e-9);
    EXPECT_NEAR(end.m_y, v[0].m_y, 1e-9);
    EXPECT_NEAR(Loop().m_runVertices[12].m_x, -50, 1e-9);
    EXPECT_EQ(Loop().m_runElems.size(), 24u);
    EXPECT_EQ(Loop().m_runVertices.size(), 25u);
    EXPECT_EQ(Loop().m_currentLoop->GetSize(), 24);
}

TEST_F(RunTest, DeletedLinesDoNotContinueTheRun)
{
    const CElemRef first = Line(At(0, 0), At(10, 0));
    const CElemRef next = Line(At(10, 0), At(20, 0));
    Doc().GetLineElem(next.m_block, next.m_slot)->m_state = 0x88;
    StartRun(first, 10);
    EXPECT_EQ(Loop().m_runElems.size(), 1u);
}
