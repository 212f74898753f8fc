// Clipping to 16-bit windows and the box-selection tests.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "tests/geometry/Shapes.h"

TEST(Clipping, SegmentToIntRect)
{
    RECT r{0, 10, 10, 0};
    CPointD p = P(-5, 5), q = P(15, 5);
    ASSERT_EQ(ClipSegmentToIntRect(r, 0, p, q), 1);
    EXPECT_DOUBLE_EQ(p.m_x, 0);
    EXPECT_DOUBLE_EQ(q.m_x, 10);
    EXPECT_DOUBLE_EQ(p.m_y, 5);

    p = P(-5, 0), q = P(15, 10);
    ASSERT_EQ(ClipSegmentToIntRect(r, 1, p, q), 1);
    EXPECT_DOUBLE_EQ(p.m_x, 1);
    EXPECT_DOUBLE_EQ(p.m_y, 3);
    EXPECT_DOUBLE_EQ(q.m_x, 9);
    EXPECT_DOUBLE_EQ(q.m_y, 7);

    // Wholly on one side.
    p = P(-5, 2), q = P(-1, 8);
    EXPECT_EQ(ClipSegmentToIntRect(r, 0, p, q), 0);
    // Passing outside the top-left corner: after the cut at the left side the end lies farther
    // above the top than the segment reaches across it.
    p = P(-5, 9), q = P(1, 15);
    EXPECT_EQ(ClipSegmentToIntRect(r, 0, p, q), 0);
    // Inside: untouched.
    p = P(2, 3), q = P(4, 5);
    ASSERT_EQ(ClipSegmentToIntRect(r, 0, p, q), 1);
    EXPECT_DOUBLE_EQ(p.m_x, 2);
    EXPECT_DOUBLE_EQ(q.m_y, 5);
}

TEST(Clipping, HorizontalAndVerticalSegments)
{
    CRectD rect = R(0, 50, 100, 0);
    int inside = 7;
    CPointD p = P(-1, 10);
    double endX = 101;
    ASSERT_EQ(ClipHorizontalSegmentToRectD(p, endX, rect, inside), 1);
    EXPECT_EQ(inside, 1);  // within the two-unit margin: nothing cut
    EXPECT_DOUBLE_EQ(p.m_x, -1);
    EXPECT_DOUBLE_EQ(endX, 101);

    p = P(-50, 10);
    endX = 200;
    ASSERT_EQ(ClipHorizontalSegmentToRectD(p, endX, rect, inside), 1);
    EXPECT_EQ(inside, 0);
    EXPECT_DOUBLE_EQ(p.m_x, -2);
    EXPECT_DOUBLE_EQ(endX, 102);

    p = P(-50, 60);
    endX = 200;
    EXPECT_EQ(ClipHorizontalSegmentToRectD(p, endX, rect, inside), 0);
    p = P(101, 10);
    EXPECT_EQ(ClipHorizontalSegmentToRectD(p, endX, rect, inside), 0);

    CPointD a = P(30, -500), b = P(30, 900);
    ASSERT_EQ(ClipVerticalSegmentToRectD(a, b, rect, inside), 1);
    EXPECT_EQ(inside, 0);
    EXPECT_DOUBLE_EQ(a.m_y, -2);
    EXPECT_DOUBLE_EQ(b.m_y, 52);
    a = P(30, 1), b = P(30, 49);
    ASSERT_EQ(ClipVerticalSegmentToRectD(a, b, rect, inside), 1);
    EXPECT_EQ(inside, 1);
    a = P(-30, 1), b = P(-30, 49);
    EXPECT_EQ(ClipVerticalSegmentToRectD(a, b, rect, inside), 0);
}

TEST(Clipping, ObliqueSegmentsAreCutAlongTheLongerAxis)
{
    CRectD rect = R(0, 50, 100, 0);
    int inside = 5;
    CPointD p = P(10, -100), q = P(20, 200);
    ASSERT_EQ(ClipSegmentToRectD(p, q, rect, inside), 1);
    EXPECT_EQ(inside, 0);
    EXPECT_NEAR(p.m_y, -2, 1e-12);
    EXPECT_NEAR(q.m_y, 52, 1e-12);
    EXPECT_NEAR(p.m_x, 10 + 98.0 / 30.0, 1e-12);
    EXPECT_NEAR(q.m_x, 10 + 152.0 / 30.0, 1e-12);

    // A downward steep segment moves its first end to the top.
    p = P(10, 200), q = P(20, -100);
    ASSERT_EQ(ClipSegmentToRectD(p, q, rect, inside), 1);
    EXPECT_NEAR(p.m_y, 52, 1e-12);
    EXPECT_NEAR(q.m_y, -2, 1e-12);

    // A flat segment is cut at x = -2 and x = 102.
    p = P(-1000, 10), q = P(1000, 30);
    ASSERT_EQ(ClipSegmentToRectD(p, q, rect, inside), 1);
    EXPECT_NEAR(p.m_x, -2, 1e-12);
    EXPECT_NEAR(q.m_x, 102, 1e-12);
    EXPECT_NEAR(p.m_y, 10 + 998.0 / 100.0, 1e-12);

    // Missing the rectangle.
    p = P(-1000, 60), q = P(1000, 80);
    EXPECT_EQ(ClipSegmentToRectD(p, q, rect, inside), 0);

    // The halves report the uncut case themselves.
    p = P(10, 10), q = P(20, 40);
    ASSERT_EQ(ClipSegmentYToRectD(p, q, rect, inside), 1);
    EXPECT_EQ(inside, 1);
    ASSERT_EQ(ClipSegmentXToRectD(p, q, rect, inside), 1);
    EXPECT_EQ(inside, 1);
    ASSERT_EQ(ClipSegmentToRectD(p, q, rect, inside), 1);
    EXPECT_EQ(inside, 0);
}

TEST(Clipping, CircleCrossings)
{
    double angle = -1;
    // Vertical line x = cx + 3 on a circle of radius 5: crossings at y = cy +- 4.
    ASSERT_EQ(CircleCrossVerticalLine(5, 3, 1, 0, 10, -10, angle), 1);
    EXPECT_NEAR(angle, std::acos(0.6), 1e-15);
    ASSERT_EQ(CircleCrossVerticalLine(5, 3, 0, 0, 10, -10, angle), 1);
    EXPECT_NEAR(angle, 2 * PI - std::acos(0.6), 1e-15);
    EXPECT_EQ(CircleCrossVerticalLine(5, 3, 1, 0, 3.9, -10, angle), 0);  // y = 4 above yHigh
    angle = -1;
    EXPECT_EQ(CircleCrossVerticalLine(5, 6, 1, 0, 10, -10, angle), 0);
    EXPECT_EQ(angle, -1);

    ASSERT_EQ(CircleCrossHorizontalLine(5, 3, 1, 0, -10, 10, angle), 1);
    EXPECT_NEAR(angle, PI - std::asin(0.6), 1e-15);
    ASSERT_EQ(CircleCrossHorizontalLine(5, -3, 0, 0, -10, 10, angle), 1);
    EXPECT_NEAR(angle, 2 * PI - std::asin(0.6), 1e-15);
    EXPECT_EQ(CircleCrossHorizontalLine(5, -3, 0, 0, -10, 3.9, angle), 0);
}

TEST(Clipping, VisibleArcOfCircle)
{
    CRectD rect = R(0, 100, 100, 0);
    double s = -1, e = -1;
    EXPECT_EQ(VisibleArcOfCircle(50, 50, 1000, rect, s, e), 0);  // encloses the widened rectangle
    ASSERT_EQ(VisibleArcOfCircle(50, 50, 10, rect, s, e), 1);    // wholly inside
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(e, 2 * PI);
    EXPECT_EQ(VisibleArcOfCircle(500, 50, 10, rect, s, e), 0);   // far off to the right

    // Centre above, the lower part crosses the left and right sides.
    ASSERT_EQ(VisibleArcOfCircle(50, 150, 100, rect, s, e), 1);
    EXPECT_NEAR(s, 2 * PI - std::acos(-0.54), 1e-12);
    EXPECT_NEAR(e, 2 * PI - std::acos(0.54), 1e-12);
}

TEST(Clipping, VisibleArcCoversEveryVisiblePointOfTheCircle)
{
    // Property: every point of the circle inside the widened rectangle lies in [start, end].
    CRectD rect = R(0, 100, 200, 0);
    std::mt19937 gen(12345);
    std::uniform_real_distribution<double> centre(-150, 350);
    std::uniform_real_distribution<double> radius(1, 300);
    int checked = 0;
    for (int n = 0; n < 400; ++n) {
        double cx = centre(gen), cy = centre(gen) - 50, r = radius(gen);
        double s = 0, e = 0;
        int visible = VisibleArcOfCircle(cx, cy, r, rect, s, e);
        for (int k = 0; k < 720; ++k) {
            double a = 2 * PI * k / 720.0;
            double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
            // Stay clear of the border, where the crossing itself decides.
            if (x < -3.9 || x > 203.9 || y < -3.9 || y > 103.9) {
                continue;
            }
            ASSERT_EQ(visible, 1) << cx << "," << cy << " r " << r;
            double rel = std::fmod(a - s + 4 * PI, 2 * PI);
            EXPECT_LE(rel, e - s + 1e-9) << cx << "," << cy << " r " << r << " angle " << a;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(Clipping, SegmentAndCircleCrossRect)
{
    CRectD rect = R(0, 10, 10, 0);
    struct Case {
        double px, py, qx, qy;
        int crosses;
    } segments[] = {
        {5, 5, 5, 15, 1},    // vertical, from inside to above
        {2, 2, 8, 8, 0},     // wholly inside
        {-5, 5, 0, 5, 0},    // touches the left side with its end only
        {-5, 5, 15, 5, 1},   // straight through
        {-5, 12, 15, 12, 0}, // above
        {-5, -5, 5, 15, 1},  // through bottom and top... and the left side
        {11, 0, 20, 5, 0},   // right of it
    };
    for (const Case& c : segments) {
        EXPECT_EQ(SegmentCrossesRectD(P(c.px, c.py), P(c.qx, c.qy), rect), c.crosses)
            << c.px << "," << c.py << " - " << c.qx << "," << c.qy;
    }
    EXPECT_EQ(CircleCrossesRectD(P(5, 5), 2, rect), 0);    // inside
    EXPECT_EQ(CircleCrossesRectD(P(5, 5), 50, rect), 0);   // encloses
    EXPECT_EQ(CircleCrossesRectD(P(5, 12), 3, rect), 1);   // crosses the top
    EXPECT_EQ(CircleCrossesRectD(P(-2, 5), 3, rect), 1);   // crosses the left
    EXPECT_EQ(CircleCrossesRectD(P(20, 5), 3, rect), 0);
}

TEST(Clipping, ArcInsideRect)
{
    CRectD rect = R(0, 10, 10, 0);
    CPointD c = P(5, 5);
    EXPECT_EQ(ArcInsideRectD(c, 4, P(0, 360), rect), 1);
    EXPECT_EQ(ArcInsideRectD(c, 6, P(0, 360), rect), 0);
    // Only the top extreme sticks out: an arc through 90 degrees fails, one below passes.
    CRectD tall = R(0, 9, 10, 0);
    EXPECT_EQ(ArcInsideRectD(c, 4.5, P(45, 135), tall), 0);
    EXPECT_EQ(ArcInsideRectD(c, 4.5, P(200, 340), tall), 1);
    // An arc passing through 0 degrees (end above 360) reaches the right extreme.
    CRectD narrow = R(0, 10, 9, 0);
    EXPECT_EQ(ArcInsideRectD(c, 4.5, P(300, 420), narrow), 0);
    EXPECT_EQ(ArcInsideRectD(c, 4.5, P(100, 260), narrow), 1);
}
