// Blocks and adding elements: which block and slot an element lands in, how lines are ordered,
// what is refused, and the limits.
#include "DocTestSupport.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/Numeric.h"
#include "tests/formats/GeneratedDxf.h"

using ElementStoreTest = DocFixture;

TEST_F(ElementStoreTest, HundredAndFirstPointOpensANewBlock)
{
    const std::int16_t pen = Pen();
    const std::int16_t other = Pen(1);
    std::int16_t block = 0, slot = 0;
    for (int i = 0; i < 100; ++i)
        Doc().AddPoint(Pt(i, 0), 0, pen);
    // A point of another pen in between gets a block of its own.
    Doc().AddPoint(Pt(0, 5), 0, other);
    EXPECT_EQ(Doc().m_blockMaps[MAP_POINT][pen], 0);
    EXPECT_EQ(Doc().m_blockMaps[MAP_POINT][other], 1);

    CDataPoints* b = Doc().AddPoint(Pt(100, 0), 0, pen);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Doc().m_pointBlocks.GetSize(), 3);
    EXPECT_EQ(Doc().m_blockMaps[MAP_POINT][pen], 2);
    EXPECT_EQ(b->m_count, 1);
    EXPECT_EQ(b->m_pen, pen);
    EXPECT_EQ(b->m_slots[0].m_position.m_x, 100);
    EXPECT_EQ(Doc().PointBlockAt(0)->m_count, 100);

    Doc().AddPointWithCurrentPen(Pt(7, 7), block, slot);
    EXPECT_EQ(Doc().GetPointElem(block, slot)->m_position.m_y, 7);
}

TEST_F(ElementStoreTest, LinesAreOrderedAndKeptByDirection)
{
    struct Case {
        CPointD a, b;
        int direction;
        CPointD start, end;
        int swapped;
    } cases[] = {
        {Pt(5, 1), Pt(1, 1), 1, Pt(1, 1), Pt(5, 1), 1},
        {Pt(1, 1), Pt(5, 1), 1, Pt(1, 1), Pt(5, 1), 0},
        {Pt(1, 5), Pt(1, 1), 2, Pt(1, 1), Pt(1, 5), 1},
        {Pt(1, 1), Pt(1, 5), 2, Pt(1, 1), Pt(1, 5), 0},
        {Pt(3, 4), Pt(0, 0), 4, Pt(0, 0), Pt(3, 4), 1},
        {Pt(0, 9), Pt(3, 4), 4, Pt(0, 9), Pt(3, 4), 0},
    };
    const std::int16_t pen = Pen();
    for (const Case& c : cases) {
        std::int16_t block = -5, slot = -5;
        CLines* lines = Doc().AddLineWithPen(c.a, c.b, 3, pen, block, slot);
        ASSERT_NE(lines, nullptr);
        EXPECT_EQ(lines->m_direction, c.direction);
        const CLine* line = Doc().GetLineElem(block, slot);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line, &lines->m_slots[slot]);
        EXPECT_EQ(line->m_start.m_x, c.start.m_x);
        EXPECT_EQ(line->m_start.m_y, c.start.m_y);
        EXPECT_EQ(line->m_end.m_x, c.end.m_x);
        EXPECT_EQ(line->m_end.m_y, c.end.m_y);
        EXPECT_EQ(line->m_swapped, c.swapped);
        EXPECT_EQ(line->m_layer, 3);
    }
    // One pen, three direction kinds: three blocks, never shared.
    ASSERT_EQ(Doc().m_lineBlocks.GetSize(), 3);
    EXPECT_EQ(Doc().LineBlockAt(0)->m_count, 2);
    EXPECT_EQ(Doc().LineBlockAt(1)->m_count, 2);
    EXPECT_EQ(Doc().LineBlockAt(2)->m_count, 2);
}

namespace {

// Coordinates as drawings bring them: already at 14 significant digits, with 17 of them, just
// below a power of ten (rounding moves them into the next decade), exact halves of the last kept
// digit, and zeros of both signs.
double SeededCoordinate(gendxf::Sequence& seq)
{
    const double sign = seq.Below(2) ? -1.0 : 1.0;
    switch (seq.Below(6)) {
    case 0:
        return seq.Coord();
    case 1:
        return sign * static_cast<double>(seq.Next() >> 11) * 0x1.0p-53 * std::pow(10.0, seq.Below(12) - 4);
    case 2:
        return sign * std::nextafter(std::pow(10.0, seq.Below(10) - 3), 0.0);
    case 3:
        return sign * (static_cast<double>(seq.Below(100000000)) + 0.5) * 1e-13 * std::pow(10.0, seq.Below(6));
    case 4:
        return seq.Below(2) ? 0.0 : -0.0;
    default:
        return sign * 9.99999999999999 * std::pow(10.0, seq.Below(8) - 4);
    }
}

double TwiceRounded(double v)
{
    RoundToSignificant(v, 14);
    RoundToSignificant(v, 14);
    return v;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

// Points and line ends are stored rounded to 14 significant digits twice, as given and again
// once in place, whatever the rounding did to them the first time.
TEST_F(ElementStoreTest, StoredCoordinatesAreTheTwiceRoundedOnes)
{
    gendxf::Sequence seq(50);
    const std::int16_t pen = Pen();
    for (int i = 0; i < 20000; ++i) {
        const CPointD a = Pt(SeededCoordinate(seq), SeededCoordinate(seq));
        const CPointD b = Pt(SeededCoordinate(seq), SeededCoordinate(seq));
        CDataPoints* points = Doc().AddPoint(a, 0, pen);
        ASSERT_NE(points, nullptr);
        const CPointD& stored = points->m_slots[points->m_count - 1].m_position;
        ASSERT_TRUE(SameBits(stored.m_x, TwiceRounded(a.m_x))) << a.m_x;
        ASSERT_TRUE(SameBits(stored.m_y, TwiceRounded(a.m_y))) << a.m_y;

        CPointD s = a, e = b;
        RoundPointToSignificant14(s);
        RoundPointToSignificant14(e);
        CLines* lines = Doc().AddLine(a, b, 0, pen);
        if (PointsNearlyEqual(s, e)) {
            EXPECT_EQ(lines, nullptr);
            continue;
        }
        ASSERT_NE(lines, nullptr);
        const CLine& line = lines->m_slots[lines->m_count - 1];
        const CPointD& first = line.m_swapped ? b : a;
        const CPointD& second = line.m_swapped ? a : b;
        ASSERT_TRUE(SameBits(line.m_start.m_x, TwiceRounded(first.m_x))) << first.m_x;
        ASSERT_TRUE(SameBits(line.m_start.m_y, TwiceRounded(first.m_y))) << first.m_y;
        ASSERT_TRUE(SameBits(line.m_end.m_x, TwiceRounded(second.m_x))) << second.m_x;
        ASSERT_TRUE(SameBits(line.m_end.m_y, TwiceRounded(second.m_y))) << second.m_y;
    }
}

TEST_F(ElementStoreTest, LineWithCoincidingEndsIsRefused)
{
    std::int16_t block = 7, slot = 7;
    EXPECT_EQ(Doc().AddLineWithPen(Pt(1, 1), Pt(1.00000000001, 1), 0, Pen(), block, slot), nullptr);
    EXPECT_EQ(block, -1);
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(Doc().m_lineBlocks.GetSize(), 0);
    // Differing in the ninth digit is a line.
    EXPECT_NE(Doc().AddLineWithPen(Pt(1, 1), Pt(1.00000001, 1), 0, Pen(), block, slot), nullptr);
}

TEST_F(ElementStoreTest, EleventhTextOfAFontOpensTheNextBlock)
{
    LOGFONT lf{};
    lf.lfHeight = -3;
    const std::int16_t font = Doc().FindOrAddFont(lf, 20, 30, 1, 0);
    ASSERT_EQ(Doc().m_blockMaps[MAP_TEXT][font], NO_BLOCK);
    std::int16_t block = -1, slot = -1;
    for (int i = 0; i < 11; ++i)
        ASSERT_NE(Doc().AddTextWithFont("AB", Pt(i, 0), 0, font, 8, RGB(1, 2, 3), block, slot),
                  nullptr);
    EXPECT_EQ(Doc().m_textBlocks.GetSize(), 2);
    EXPECT_EQ(block, 1);
    EXPECT_EQ(slot, 0);
    const CText* t = Doc().GetTextElem(block, slot);
    EXPECT_EQ(t->m_text, "AB");
    EXPECT_EQ(t->m_color, RGB(1, 2, 3));
    EXPECT_EQ(t->m_alignment, 8);
    // The underline runs along the box bottom, moved up by the underline distance.
    EXPECT_DOUBLE_EQ(t->m_underlineStart.m_x, 10);
    EXPECT_DOUBLE_EQ(t->m_underlineEnd.m_x, 10 + 2 * 20 * 0.1);
    EXPECT_DOUBLE_EQ(t->m_underlineStart.m_y, 30 * 0.1 * m_app->m_appText.m_subscriptRatio);
    EXPECT_EQ(t->m_swapped, 0);
}

TEST_F(ElementStoreTest, TextTurnedHalfRoundHasItsUnderlineEndsExchanged)
{
    LOGFONT lf{};
    const std::int16_t font = Doc().FindOrAddFont(lf, 20, 30, 1, 180);
    std::int16_t block = -1, slot = -1;
    ASSERT_NE(Doc().AddTextWithFont("AB", Pt(0, 0), 0, font, 8, 0, block, slot), nullptr);
    const CText* t = Doc().GetTextElem(block, slot);
    EXPECT_EQ(t->m_swapped, 1);
    EXPECT_LT(t->m_underlineStart.m_x, t->m_underlineEnd.m_x);
}

TEST_F(ElementStoreTest, CurveOfTwoEqualPointsIsRefusedLeavingTheOutputs)
{
    std::int16_t block = 42, slot = 43;
    std::vector<CPointD> two{Pt(1, 1), Pt(1, 1)};
    EXPECT_EQ(Doc().AddCurveWithCurrentPen(1, two, block, slot), nullptr);
    std::vector<CPointD> one{Pt(1, 1)};
    EXPECT_EQ(Doc().AddCurveWithCurrentPen(1, one, block, slot), nullptr);
    EXPECT_EQ(block, 42);
    EXPECT_EQ(slot, 43);
    EXPECT_FALSE(Doc().IsModified());

    RecordingView view;
    Doc().AddView(&view);
    std::vector<CPointD> three{Pt(0, 0), Pt(1, 1), Pt(2, 0)};
    ASSERT_NE(Doc().AddCurveWithCurrentPen(1, three, block, slot), nullptr);
    EXPECT_EQ(block, 0);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(Doc().GetCurveElem(block, slot)->m_points.size(), 3u);
    EXPECT_TRUE(Doc().IsModified());
    Doc().RemoveView(&view);
}

TEST_F(ElementStoreTest, PenJustCreatedNeverFindsABlock)
{
    const std::int16_t first = Pen();
    Doc().AddPoint(Pt(0, 0), 0, first);
    const std::int16_t fresh = Pen(2);
    for (int m = 0; m < MAP_COUNT; ++m)
        if (m != MAP_TEXT) {
            EXPECT_EQ(Doc().m_blockMaps[m][fresh], NO_BLOCK) << m;
        }
    Doc().AddPoint(Pt(0, 0), 0, fresh);
    EXPECT_EQ(Doc().m_pointBlocks.GetSize(), 2);
}

TEST_F(ElementStoreTest, SlotGivenBackStartsFromItsFreshValues)
{
    const std::int16_t pen = Pen();
    std::int16_t block, slot;
    CLines* lines = Doc().AddLineWithPen(Pt(5, 0), Pt(0, 0), 0, pen, block, slot);
    CLine& old = lines->m_slots[slot];
    old.m_group = 4;
    old.m_role = 8;
    old.m_mark = 0x82;
    old.m_state = 0x88;
    old.m_attrStrings.Add(3);
    // A rollback lowers the used count; the next add reuses the slot.
    lines->m_count = 0;
    Doc().AddLineWithPen(Pt(0, 0), Pt(5, 0), 0, pen, block, slot);
    const CLine& line = lines->m_slots[0];
    EXPECT_EQ(line.m_group, -1);
    EXPECT_EQ(line.m_role, 0);
    EXPECT_EQ(line.m_mark, 0);
    EXPECT_EQ(line.m_state, STATE_LIVE);
    EXPECT_EQ(line.m_attrStrings.GetSize(), 0);
    EXPECT_EQ(line.m_swapped, 0);

    std::vector<CPointD> pts{Pt(0, 0), Pt(1, 1)};
    CCurves* curves = Doc().AddCurveWithPen(1, pts, 0, pen, block, slot);
    curves->m_count = 0;
    Doc().AddCurveWithPen(1, pts, 0, pen, block, slot);
    EXPECT_EQ(curves->m_slots[0].m_points.size(), 2u);
}

TEST_F(ElementStoreTest, KindPastTheLastBlockIndexIsRefused)
{
    const std::int16_t pen = Pen();
    Doc().m_pointBlocks.SetSize(NO_BLOCK);
    EXPECT_EQ(Doc().AddPoint(Pt(0, 0), 0, pen), nullptr);
    EXPECT_FALSE(LastMessage().empty());
    EXPECT_EQ(Doc().m_pointBlocks.GetSize(), NO_BLOCK);
    EXPECT_EQ(Doc().m_blockMaps[MAP_POINT][pen], NO_BLOCK);
    Doc().m_pointBlocks.RemoveAll();
}
