// The arc's geometric members: key points, sweep membership, positions and classes of points
// along the arc, and the rectangle tests of box selection.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Arc.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/RectD.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

namespace {

CRectD Rect(double left, double top, double right, double bottom)
{
    CRectD r;
    r.Init(left, top, right, bottom);
    return r;
}

}  // namespace

TEST(ArcGeometry, KeyPointsAndLength)
{
    CArc arc = MakeArc(1, 1, 2, 30, 120);
    struct Case {
        int code;
        double angle;
    };
    const Case cases[] = {{0, 0}, {1, 90}, {2, 180}, {3, 270}, {-1, 30}, {-2, 120}, {7, 0}};
    for (const Case& c : cases) {
        double a = c.angle * PI / 180;
        ExpectPoint(arc.KeyPoint(c.code), 1 + 2 * std::cos(a), 1 + 2 * std::sin(a));
    }
    EXPECT_NEAR(MakeArc(0, 0, 2, 0, 90).Length(), PI, 1e-12);
}

TEST(ArcGeometry, SweepMembership)
{
    CArc arc = MakeArc(0, 0, 1, 350, 370);
    EXPECT_EQ(arc.ContainsAngle(10), 1);
    EXPECT_EQ(arc.ContainsAngle(349.9995), 1);  // within 0.001 of the start
    EXPECT_EQ(arc.ContainsAngle(340), 0);
    EXPECT_EQ(arc.ContainsDirectionOf(Pt(1, -0.1)), 1);
    EXPECT_EQ(arc.ContainsDirectionOf(Pt(-1, 0)), 0);
}

TEST(ArcGeometry, ParameterAndSnapClass)
{
    struct Case {
        double start, end;
        double angle;  // direction of the point from the centre
        double t;
        int snapClass;
    };
    const Case cases[] = {
        {0, 180, 0, 0, 2},        {0, 180, 90, 0.5, 4},     {0, 180, 180, 1, 6},
        {0, 180, 45, 0.25, 3},    {0, 180, 135, 0.75, 5},   {0, 180, 270, -0.5, 7},
        {0, 180, 350, -10.0 / 180, 1},                      {0, 180, 190, -170.0 / 180, 7},
        {300, 420, 30, 0.75, 5},  {300, 420, 330, 0.25, 3}, {300, 420, 240, -60.0 / 240, 1},
        {90, 180, 80, -10.0 / 270, 1},
    };
    for (const Case& c : cases) {
        CArc arc = MakeArc(0, 0, 3, c.start, c.end);
        double a = c.angle * PI / 180;
        CPointD p = Pt(3 * std::cos(a), 3 * std::sin(a));
        EXPECT_NEAR(arc.ParameterOfPoint(p), c.t, 1e-9) << c.start << " " << c.angle;
        EXPECT_EQ(arc.SnapClassOfPoint(p), c.snapClass) << c.start << " " << c.angle;
    }
    // The centre has no direction: position 0, the start class.
    CArc arc = MakeArc(0, 0, 3, 0, 180);
    EXPECT_EQ(arc.ParameterOfPoint(Pt(0, 0)), 0);
    EXPECT_EQ(arc.SnapClassOfPoint(Pt(0, 0)), 2);
}

TEST(ArcGeometry, RectangleTests)
{
    CArc arc = MakeArc(0, 0, 10, 0, 90);
    struct Case {
        CRectD rect;
        int crosses, mayCross;
        const char* name;
    };
    const Case cases[] = {
        {Rect(9, 1, 11, -1), 1, 1, "holds the start point"},
        {Rect(-1, 11, 1, 9), 1, 1, "holds the end point"},
        {Rect(6, 8, 8, 6), 1, 1, "cut by the middle of the arc"},
        {Rect(-11, 1, -9, -1), 0, 1, "cut by the circle off the arc"},
        {Rect(-1, 1, 1, -1), 0, 0, "inside the circle"},
        {Rect(20, 30, 30, 20), 0, 0, "far away"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(arc.CrossesRect(c.rect), c.crosses) << c.name;
        EXPECT_EQ(arc.MayCrossRect(c.rect), c.mayCross) << c.name;
    }
}
