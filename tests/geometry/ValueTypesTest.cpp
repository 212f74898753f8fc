// The shared value types: conversions, tests with their borders, and the plug-in forms.
#include <gtest/gtest.h>

#include "tests/geometry/Shapes.h"

#include <cstddef>

#include "geometry/ElemCandidate.h"
#include "geometry/ElemRef.h"
#include "geometry/FoundPoint.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "geometry/SlotIndexMap.h"
#include "userapp/UserAppElemRef.h"

namespace {



void ExpectRect(const CRectD& r, double l, double t, double rt, double b)
{
    EXPECT_DOUBLE_EQ(r.m_left, l);
    EXPECT_DOUBLE_EQ(r.m_top, t);
    EXPECT_DOUBLE_EQ(r.m_right, rt);
    EXPECT_DOUBLE_EQ(r.m_bottom, b);
}

} // namespace

TEST(PointD, ScreenConversionsRoundTrip)
{
    CPointD origin = P(100.0, -50.0);
    CPointD w = P(112.5, -40.0);
    CPointD s = w.WorldToScreen(origin, 4.0);
    EXPECT_DOUBLE_EQ(s.m_x, 50.0);
    EXPECT_DOUBLE_EQ(s.m_y, 40.0);  // no flip of the y axis
    CPointD back = s.ScreenToWorld(origin, 4.0);
    EXPECT_DOUBLE_EQ(back.m_x, 112.5);
    EXPECT_DOUBLE_EQ(back.m_y, -40.0);

    CPointD fromInt;
    fromInt.SetFromScreen(POINT{50, 40}, origin, 4.0);
    EXPECT_DOUBLE_EQ(fromInt.m_x, 112.5);
    EXPECT_DOUBLE_EQ(fromInt.m_y, -40.0);
    // Integer screen values are divided as doubles, not in integer arithmetic.
    CPointD odd = ScreenXYToWorld(3, -7, 1.0, 2.0, 2.0);
    EXPECT_DOUBLE_EQ(odd.m_x, 2.5);
    EXPECT_DOUBLE_EQ(odd.m_y, -1.5);
}

TEST(PointD, NearerPrefersFirstOnNearTies)
{
    CPointD o = P(0, 0);
    CPointD p = P(10, 0);
    CPointD q = P(0, 9.9999999999);  // nearer by 1e-10: equal to ten digits
    EXPECT_DOUBLE_EQ(o.Nearer(p, q).m_x, 10.0);
    EXPECT_DOUBLE_EQ(o.Nearer(q, p).m_y, 9.9999999999);
    CPointD clearlyNearer = P(0, 9.99);
    EXPECT_DOUBLE_EQ(o.Nearer(p, clearlyNearer).m_y, 9.99);
}

TEST(PointD, IntRectAndRectContainmentIncludeTheBorder)
{
    RECT r{0, 10, 20, -5};  // top is the larger y
    CRectD rd = R(0, 10, 20, -5);
    struct Case {
        double x, y;
        int inside;
    } cases[] = {
        {0, 10, 1}, {20, -5, 1}, {0, -5, 1}, {20, 10, 1}, {10, 0, 1},
        {-0.001, 0, 0}, {20.001, 0, 0}, {10, 10.001, 0}, {10, -5.001, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(P(c.x, c.y).IsInIntRect(r), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(rd.Contains(P(c.x, c.y)), c.inside) << c.x << "," << c.y;
    }
}

TEST(RectD, BuildingNormalisingAndClamping)
{
    CRectD a, b;
    a.SetFromPoints(P(5, -1), P(-3, 7));
    b.SetFromPoints(P(-3, 7), P(5, -1));
    ExpectRect(a, -3, 7, 5, -1);
    ExpectRect(b, -3, 7, 5, -1);

    CRectD n = R(5, -1, -3, 7);
    n.Normalize();
    ExpectRect(n, -3, 7, 5, -1);

    CRectD c = R(-5, 10, 40000, -40000);
    c.ClampToScreen();
    ExpectRect(c, 0, 0, 32767, -32768);
    CRectD inRange = R(12.5, -3.25, 100, -200);
    inRange.ClampToScreen();
    ExpectRect(inRange, 12.5, -3.25, 100, -200);
}

TEST(RectD, ScreenConversions)
{
    CPointD origin = P(10, 20);
    CRectD w = R(10, 30, 15, 20);
    CRectD s = w.WorldToScreen(origin, 2.0);
    ExpectRect(s, 0, 20, 10, 0);
    CRectD back;
    back.SetFromScreenRectD(s, origin, 2.0);
    ExpectRect(back, 10, 30, 15, 20);
    CRectD fromInt;
    fromInt.SetFromScreenRect(RECT{0, 20, 10, 0}, origin, 2.0);
    ExpectRect(fromInt, 10, 30, 15, 20);
    CRectD exact;
    exact.SetFromIntRect(RECT{-1, 2, 3, -4});
    ExpectRect(exact, -1, 2, 3, -4);
}

TEST(ElemRef, IdentityIgnoresStateMarkAndExtra)
{
    CElemRef a, b;
    a.Init(4, 2, 17, 1, 0);
    b.Init(4, 2, 17, 0x88, 0x02);
    b.m_extra = 3;
    EXPECT_EQ(a.IsSameElement(b), 1);
    struct Case {
        std::int16_t kind, block, slot;
    } others[] = {{8, 2, 17}, {4, 3, 17}, {4, 2, 18}};
    for (const Case& c : others) {
        CElemRef o;
        o.Init(c.kind, c.block, c.slot, 1, 0);
        EXPECT_EQ(a.IsSameElement(o), 0);
    }
}

TEST(ElemRef, DefaultsAndInitClearTheExtraByte)
{
    CElemRef r;
    EXPECT_EQ(r.m_state, 1);
    EXPECT_EQ(r.m_mark, 0);
    EXPECT_EQ(r.m_kind, 0);
    EXPECT_EQ(r.m_extra, 0);
    r.m_extra = 9;
    r.Init(16, 1, 2, 3, 4);
    EXPECT_EQ(r.m_extra, 0);
    EXPECT_EQ(r.m_state, 3);
    EXPECT_EQ(r.m_mark, 4);
}

TEST(ElemRef, CandidateAndPluginFormsCarryAllSixFields)
{
    CElemCandidate c;
    EXPECT_EQ(c.m_state, 1);
    EXPECT_EQ(c.m_segmentIndex, 0);
    EXPECT_EQ(c.m_distanceKey, 0.0);
    c.m_segmentIndex = 5;
    c.m_distanceKey = 1.5;
    c.Init(512, 7, 3, 1, 2, 0x03);
    EXPECT_EQ(c.m_segmentIndex, 0);
    EXPECT_EQ(c.m_distanceKey, 0.0);
    EXPECT_EQ(c.m_sizeKey, 0.0);

    CElemRef r;
    r.SetFromCandidate(c);
    EXPECT_EQ(r.m_kind, 512);
    EXPECT_EQ(r.m_block, 7);
    EXPECT_EQ(r.m_slot, 3);
    EXPECT_EQ(r.m_mark, 2);
    EXPECT_EQ(r.m_extra, 0x03);

    UserAppElemRef fromCandidate = c.GetRef();
    UserAppElemRef fromRef = r.CopyOut();
    for (const UserAppElemRef& u : {fromCandidate, fromRef}) {
        EXPECT_EQ(u.m_state, 1);
        EXPECT_EQ(u.m_mark, 2);
        EXPECT_EQ(u.m_kind, 512);
        EXPECT_EQ(u.m_block, 7);
        EXPECT_EQ(u.m_slot, 3);
        EXPECT_EQ(u.m_extra, 0x03);
    }

    CElemRef* clone = r.Clone();
    EXPECT_EQ(clone->IsSameElement(r), 1);
    EXPECT_EQ(clone->m_extra, 0x03);
    delete clone;
}

TEST(UserAppElemRef, LayoutDefaultsAndOperations)
{
    EXPECT_EQ(sizeof(UserAppElemRef), 10u);
    EXPECT_EQ(offsetof(UserAppElemRef, m_kind), 2u);
    EXPECT_EQ(offsetof(UserAppElemRef, m_block), 4u);
    EXPECT_EQ(offsetof(UserAppElemRef, m_slot), 6u);
    EXPECT_EQ(offsetof(UserAppElemRef, m_extra), 8u);

    UserAppElemRef u;
    EXPECT_EQ(u.m_state, 1);
    EXPECT_EQ(u.m_mark, 1);  // unlike CElemRef, whose mark starts at 0
    EXPECT_EQ(u.m_kind, 0);
    EXPECT_EQ(u.m_extra, 0);

    u.m_extra = 5;
    u.Init(8, 1, 2, 1, 0);
    EXPECT_EQ(u.m_extra, 5);
    EXPECT_EQ(u.m_kind, 8);

    CElemRef r;
    r.Init(32, 4, 9, 0x88, 0x80);
    r.m_extra = 2;
    UserAppElemRef a;
    a.Assign(r);
    UserAppElemRef b;
    b.Copy(a);
    EXPECT_EQ(b.m_state, 0x88);
    EXPECT_EQ(b.m_mark, 0x80);
    EXPECT_EQ(b.m_kind, 32);
    EXPECT_EQ(b.m_block, 4);
    EXPECT_EQ(b.m_slot, 9);
    EXPECT_EQ(b.m_extra, 2);
}

TEST(FoundPoint, ConstructorArgumentOrderDiffersFromFieldOrder)
{
    CFoundPoint f(P(1, 2), -3.5, 4, 8, 10, 11, 12, 20, 21, 22);
    EXPECT_DOUBLE_EQ(f.m_point.m_x, 1);
    EXPECT_DOUBLE_EQ(f.m_distance, -3.5);
    EXPECT_EQ(f.m_firstKind, 4);
    EXPECT_EQ(f.m_secondKind, 8);
    EXPECT_EQ(f.m_firstBlock, 10);
    EXPECT_EQ(f.m_firstSlot, 11);
    EXPECT_EQ(f.m_firstPart, 12);
    EXPECT_EQ(f.m_secondBlock, 20);
    EXPECT_EQ(f.m_secondSlot, 21);
    EXPECT_EQ(f.m_secondPart, 22);
}

TEST(SlotIndexMap, CountsOnlyEntriesWithinTheCount)
{
    CSlotIndexMap none(0);
    none.m_newIndex[0] = 1;
    EXPECT_EQ(none.CountUsed(), 0);
    CSlotIndexMap negative(-3);
    EXPECT_EQ(negative.CountUsed(), 0);

    CSlotIndexMap m(5);
    for (int i = 0; i < CSlotIndexMap::SlotCount; ++i) {
        EXPECT_EQ(m.m_newIndex[i], -1);
    }
    m.m_newIndex[0] = 1;
    m.m_newIndex[3] = 2;
    m.m_newIndex[5] = 3;  // beyond the count
    EXPECT_EQ(m.CountUsed(), 2);

    // A count larger than the table reads the table, not past it.
    CSlotIndexMap big(1000);
    big.m_newIndex[99] = 7;
    EXPECT_EQ(big.CountUsed(), 1);
}
