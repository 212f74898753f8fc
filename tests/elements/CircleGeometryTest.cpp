// The circle's geometric members: fractions and classes of points, touching points and the
// common tangents with another circle.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "elements/Circle.h"
#include "geometry/Angles.h"
#include "view/ZelkView.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

namespace {

double Dot(CPointD a, CPointD b, CPointD c, CPointD d)
{
    return (b.m_x - a.m_x) * (d.m_x - c.m_x) + (b.m_y - a.m_y) * (d.m_y - c.m_y);
}

// Side of c relative to the line a->b: the sign of the cross product.
double Cross(CPointD a, CPointD b, CPointD c)
{
    return (b.m_x - a.m_x) * (c.m_y - a.m_y) - (b.m_y - a.m_y) * (c.m_x - a.m_x);
}

}  // namespace

TEST(CircleGeometry, FractionsAndClasses)
{
    CCircle c = MakeCircle(1, 1, 2);
    ExpectPoint(c.PointAtFraction(0.25), 1, 3);
    ExpectPoint(c.PointAtFraction(0.5), -1, 1);
    struct Case {
        CPointD p;
        double fraction;
        int snapClass;
    };
    const Case cases[] = {
        {Pt(1, 1), 0, 2},      // the centre
        {Pt(3, 1), 0, 2},
        {Pt(5, 1.000001), 0, 2},  // a hair above the axis still counts as 0
        {Pt(1, 3), 0.25, 3},
        {Pt(-1, 1), 0.5, 4},
        {Pt(1, -1), 0.75, 5},
        {Pt(3, -1), 0.875, 5},
    };
    for (const Case& k : cases) {
        EXPECT_NEAR(c.FractionOfPoint(k.p), k.fraction, 1e-12);
        EXPECT_EQ(c.SnapClassOfPoint(k.p), k.snapClass);
    }
    EXPECT_EQ(c.ClassifyPoint(Pt(3, 1)), 2);
    EXPECT_EQ(c.ClassifyPoint(Pt(4, 1)), 3);
    EXPECT_EQ(c.ClassifyPoint(Pt(1.5, 1)), 1);
    ExpectPoint(c.PointTowardAtRadiusPlus(Pt(1, 10), 1), 1, 4);
    ExpectPoint(c.PointTowardAtRadiusPlus(Pt(10, 1), -1), 2, 1);
    ExpectPoint(c.PointTowardAtRadiusPlus(Pt(1, 1), 1), 0, 0);
}

class CircleOnScreen : public AppSettingsTest {};

TEST_F(CircleOnScreen, ClassifiesWithinTheSearchHalfSize)
{
    CZelkView view;
    view.m_zoom = 100;
    m_app.m_appFind.pickHalfSize = 20;
    CCircle c = MakeCircle(0, 0, 5);
    EXPECT_EQ(c.ClassifyPointOnScreen(&view, Pt(5.1, 0)), 2);
    EXPECT_EQ(c.ClassifyPointOnScreen(&view, Pt(5.3, 0)), 3);
    EXPECT_EQ(c.ClassifyPointOnScreen(&view, Pt(0, -4.7)), 1);
}

TEST(CircleGeometry, TouchPointWithCircle)
{
    struct Case {
        CCircle self;
        CPointD otherCentre;
        double otherRadius;
        int result;
        CPointD point;
        const char* name;
    };
    const Case cases[] = {
        {MakeCircle(0, 0, 2), Pt(3.05, 0), 1, 1, Pt(2, 0), "outside, within 0.1 of touching"},
        {MakeCircle(0, 0, 2), Pt(0, 1.02), 1, 1, Pt(0, 2), "inside, this the larger"},
        {MakeCircle(0, 0, 1), Pt(1, 0), 2, 1, Pt(-1, 0), "inside, the other the larger"},
        {MakeCircle(0, 0, 2), Pt(2, 0), 1, 1, Pt(9, 9), "crossing: point untouched"},
        {MakeCircle(0, 0, 2), Pt(5, 0), 1, 0, Pt(9, 9), "apart"},
        {MakeCircle(0, 0, 2), Pt(0, 0), 1, 0, Pt(9, 9), "concentric"},
        {MakeCircle(0, 0, 0), Pt(1, 0), 1, 0, Pt(9, 9), "no radius"},
    };
    for (const Case& k : cases) {
        CPointD point = Pt(9, 9);
        EXPECT_EQ(k.self.TouchPointWithCircle(k.otherCentre, k.otherRadius, point), k.result)
            << k.name;
        ExpectPoint(point, k.point.m_x, k.point.m_y, k.name);
    }
}

TEST(CircleGeometry, TangentsWithoutSolution)
{
    CPointD p1, p2, q1, q2;
    EXPECT_EQ(MakeCircle(0, 0, 1).ExternalTangents(MakeCircle(0, 0, 1), p1, p2, q1, q2), 0);
    EXPECT_EQ(MakeCircle(0, 0, 1).ExternalTangents(MakeCircle(1, 0, 5), p1, p2, q1, q2), 0);
    // This circle holding the other: no outer tangent (and no NaN points claimed as one).
    EXPECT_EQ(MakeCircle(0, 0, 5).ExternalTangents(MakeCircle(1, 0, 1), p1, p2, q1, q2), 0);
    EXPECT_EQ(MakeCircle(0, 0, 5).ExternalTangents(MakeCircle(4, 0, 1), p1, p2, q1, q2), 0);
    EXPECT_EQ(MakeCircle(0, 0, 1).InternalTangents(MakeCircle(1.5, 0, 1), p1, p2, q1, q2), 0);
    EXPECT_EQ(MakeCircle(0, 0, 1).InternalTangents(MakeCircle(2, 0, 1), p1, p2, q1, q2), 0);
}

TEST(CircleGeometry, ExternalTangentsOfEqualCircles)
{
    CPointD p1, p2, q1, q2;
    ASSERT_EQ(MakeCircle(0, 0, 1).ExternalTangents(MakeCircle(4, 0, 1), p1, p2, q1, q2), 1);
    ExpectPoint(p1, 0, 1);
    ExpectPoint(p2, 0, -1);
    ExpectPoint(q1, 4, 1);
    ExpectPoint(q2, 4, -1);
}

// Generated pairs of circles: each tangent segment touches both circles, with both centres on one
// side of it for the outer tangents and on opposite sides for the crossing ones.
TEST(CircleGeometry, TangentsTouchBothCircles)
{
    std::mt19937 gen(1125);
    std::uniform_real_distribution<double> coord(-50, 50), radius(0.5, 20);
    int outer = 0, crossing = 0;
    for (int i = 0; i < 1000; ++i) {
        CCircle a = MakeCircle(coord(gen), coord(gen), radius(gen));
        CCircle b = MakeCircle(coord(gen), coord(gen), radius(gen));
        CPointD p[2], q[2];
        for (int kind = 0; kind < 2; ++kind) {
            int n = kind == 0 ? a.ExternalTangents(b, p[0], p[1], q[0], q[1])
                              : a.InternalTangents(b, p[0], p[1], q[0], q[1]);
            if (!n)
                continue;
            (kind == 0 ? outer : crossing)++;
            for (int j = 0; j < 2; ++j) {
                double len = Distance(p[j], q[j]);
                EXPECT_NEAR(Distance(p[j], a.m_centre), a.m_radius, 1e-9);
                EXPECT_NEAR(Distance(q[j], b.m_centre), b.m_radius, 1e-9);
                EXPECT_NEAR(Dot(p[j], q[j], a.m_centre, p[j]) / len, 0, 1e-7);
                EXPECT_NEAR(Dot(p[j], q[j], b.m_centre, q[j]) / len, 0, 1e-7);
                double sa = Cross(p[j], q[j], a.m_centre), sb = Cross(p[j], q[j], b.m_centre);
                if (kind == 0)
                    EXPECT_GT(sa * sb, 0);
                else
                    EXPECT_LT(sa * sb, 0);
            }
        }
    }
    EXPECT_GT(outer, 300);
    EXPECT_GT(crossing, 300);
}
