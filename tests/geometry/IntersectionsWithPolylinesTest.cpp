// Crossings with ellipses and curves through their point sequences.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/IntersectionsWithPolylines.h"
#include "geometry/PointSequences.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

namespace {

void FillEllipse(CConic& conic, CPointD centre, double radius, double ratio, double step)
{
    conic.m_centre = centre;
    conic.m_majorRadius = radius;
    conic.m_ratio = ratio;
    BuildEllipsePoints(centre, radius, ratio, conic.m_startAngle, conic.m_endAngle, conic.m_tilt,
                       step, conic.m_polyline);
}

}  // namespace

TEST(IntersectionsWithPolylines, EmptySequencesAppendNothing)
{
    CConic empty;
    CCurve single;
    single.m_points.push_back(Pt(1, 1));
    std::vector<CPointD> points = {Pt(7, 7)};
    EXPECT_EQ(IntersectLineConic(CLine(-5, 0, 5, 0), empty, points), 0);
    EXPECT_EQ(IntersectLineCurve(CLine(-5, 0, 5, 0), single, points), 0);
    EXPECT_EQ(IntersectCircleConic(MakeCircle(0, 0, 1), empty, points), 0);
    EXPECT_EQ(IntersectCurves(single, single, points), 0);
    ASSERT_EQ(points.size(), 1u);  // what the caller passed in stays
}

TEST(IntersectionsWithPolylines, VertexOnTheLineIsAppendedOncePerSegment)
{
    CCurve curve;
    curve.m_points = {Pt(0, -1), Pt(1, 0), Pt(2, -1)};
    std::vector<CPointD> points;
    EXPECT_EQ(IntersectLineCurve(CLine(-5, 0, 5, 0), curve, points), 2);
    ASSERT_EQ(points.size(), 2u);
    ExpectPoint(points[0], 1, 0);
    ExpectPoint(points[1], 1, 0);
}

TEST(IntersectionsWithPolylines, CircleAgainstEllipseAppendsButReturnsZero)
{
    CConic conic;
    FillEllipse(conic, Pt(0, 0), 10, 0.5, 10);
    std::vector<CPointD> points;
    EXPECT_EQ(IntersectCircleConic(MakeCircle(0, 0, 7), conic, points), 0);
    ASSERT_EQ(points.size(), 4u);
    for (const CPointD& p : points)
        EXPECT_NEAR(Distance(p, Pt(0, 0)), 7, 1e-9);
    // The arc forms take the full circle whatever the sweep.
    points.clear();
    EXPECT_EQ(IntersectArcCircleConic(MakeArc(0, 0, 7, 0, 10), conic, points), 0);
    EXPECT_EQ(points.size(), 4u);
}

TEST(IntersectionsWithPolylines, UnderlineCountsAsAnUnboundedLine)
{
    CConic conic;
    FillEllipse(conic, Pt(0, 0), 10, 0.5, 5);
    CText text;
    SetUnderline(text, Pt(20, 1), Pt(30, 1));  // misses the ellipse; its extension does not
    std::vector<CPointD> points;
    EXPECT_EQ(IntersectConicTextLine(conic, text, points), 2);
    ASSERT_EQ(points.size(), 2u);
    double x = 10 * std::sqrt(1 - 0.04);  // the true ellipse; the chords lie just inside it
    EXPECT_NEAR(std::fabs(points[0].m_x), x, 0.05);
    EXPECT_NEAR(std::fabs(points[1].m_x), x, 0.05);
    EXPECT_LT(points[0].m_x * points[1].m_x, 0);
    EXPECT_NEAR(points[0].m_y, 1, 1e-12);
}

TEST(IntersectionsWithPolylines, SequencesAgainstEachOther)
{
    CCurve a, b;
    a.m_points = {Pt(0, 0), Pt(10, 10), Pt(20, 0)};
    b.m_points = {Pt(0, 5), Pt(20, 5)};
    std::vector<CPointD> points = {Pt(-1, -1)};
    EXPECT_EQ(IntersectCurves(a, b, points), 2);
    ASSERT_EQ(points.size(), 3u);
    ExpectPoint(points[1], 5, 5);
    ExpectPoint(points[2], 15, 5);

    CConic e1, e2;
    FillEllipse(e1, Pt(0, 0), 10, 0.5, 5);
    FillEllipse(e2, Pt(0, 0), 10, 0.5, 5);
    e2.m_polyline.clear();
    BuildEllipsePoints(Pt(0, 0), 10, 0.5, 90, 450, 90, 5, e2.m_polyline);  // the same, turned 90
    points.clear();
    EXPECT_EQ(IntersectConics(e1, e2, points), 4);
    for (const CPointD& p : points)
        EXPECT_NEAR(std::fabs(p.m_x), std::fabs(p.m_y), 0.01);  // near the diagonals
    CCurve c;
    c.m_points = {Pt(-20, 2), Pt(20, 2)};
    EXPECT_EQ(IntersectConicCurve(e1, c, points), 2);
    EXPECT_EQ(points.size(), 6u);
}

// Every point reported lies on a segment of each sequence.
TEST(IntersectionsWithPolylines, PointsLieOnBothSequences)
{
    std::mt19937 gen(1107);
    std::uniform_real_distribution<double> coord(-50, 50);
    auto gap = [](const CPointD& p, const std::vector<CPointD>& seq) {
        double best = 1e300;
        for (std::size_t i = 0; i + 1 < seq.size(); ++i) {
            const CPointD& a = seq[i];
            const CPointD& b = seq[i + 1];
            double dx = b.m_x - a.m_x, dy = b.m_y - a.m_y;
            double t = ((p.m_x - a.m_x) * dx + (p.m_y - a.m_y) * dy) / (dx * dx + dy * dy);
            t = std::fmin(1, std::fmax(0, t));
            best = std::fmin(best, std::hypot(a.m_x + t * dx - p.m_x, a.m_y + t * dy - p.m_y));
        }
        return best;
    };
    int total = 0;
    for (int round = 0; round < 50; ++round) {
        CCurve a, b;
        for (int i = 0; i < 12; ++i) {
            a.m_points.push_back(Pt(coord(gen), coord(gen)));
            b.m_points.push_back(Pt(coord(gen), coord(gen)));
        }
        std::vector<CPointD> points;
        int n = IntersectCurves(a, b, points);
        EXPECT_EQ(n, static_cast<int>(points.size()));
        total += n;
        for (const CPointD& p : points) {
            EXPECT_LT(gap(p, a.m_points), 1e-7);
            EXPECT_LT(gap(p, b.m_points), 1e-7);
        }
        points.clear();
        CCircle circle = MakeCircle(coord(gen), coord(gen), 20);
        IntersectCircleCurve(circle, a, points);
        for (const CPointD& p : points) {
            EXPECT_NEAR(Distance(p, circle.m_centre), 20, 1e-7);
            EXPECT_LT(gap(p, a.m_points), 1e-7);
        }
    }
    EXPECT_GT(total, 100);
}
