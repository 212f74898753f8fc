// The line's geometric members: feet, positions and classes along it, sides, constructed points,
// the visible part, the tangent circle through a point, meeting an arc, collinear overlap.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/RectD.h"
#include "view/ZelkView.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

TEST(LineGeometry, Measures)
{
    CLine line(1, 1, 4, 5);
    EXPECT_EQ(line.GetDirectionKind(), 4);
    EXPECT_EQ(CLine(0, 2, 9, 2).GetDirectionKind(), 1);
    EXPECT_EQ(CLine(3, 0, 3, 9).GetDirectionKind(), 2);
    EXPECT_DOUBLE_EQ(line.Length(), 5);
    EXPECT_NEAR(line.AngleDeg(), std::atan2(4, 3) * 180 / PI, 1e-12);
    ExpectPoint(line.PointAtParameter(0.5), 2.5, 3);
    EXPECT_NEAR(CLine(0, 0, 10, 0).ProjectedDistance(Pt(2, 5), Pt(7, -3)), 5, 1e-12);
}

TEST(LineGeometry, FootByDirectionKind)
{
    struct Case {
        CLine line;
        CPointD p;
        int result;
        CPointD foot;
        double distance;
        const char* name;
    };
    const Case cases[] = {
        {CLine(0, 0, 10, 0), Pt(0, 3), 1, Pt(0, 0), 3, "horizontal, above the start"},
        {CLine(0, 0, 10, 0), Pt(10, -3), 1, Pt(10, 0), -3, "horizontal, below the end"},
        {CLine(0, 0, 10, 0), Pt(5, 2), 1, Pt(5, 0), 2, "horizontal, above the middle"},
        {CLine(0, 0, 10, 0), Pt(11, 2), 0, Pt(11, 0), 2, "horizontal, beyond the end"},
        {CLine(2, 0, 2, 10), Pt(5, 10), 1, Pt(2, 10), 3, "vertical, beside the end"},
        {CLine(2, 0, 2, 10), Pt(0, -1), 0, Pt(2, -1), -2, "vertical, below the start"},
        {CLine(0, 0, 4, 4), Pt(0, 4), 1, Pt(2, 2), std::sqrt(8), "oblique"},
        {CLine(0, 0, 4, 4), Pt(0, 0), 1, Pt(0, 0), 0, "oblique, at the start"},
        {CLine(0, 0, 4, 4), Pt(6, 4), 0, Pt(5, 5), -std::sqrt(2), "oblique, beyond the end"},
    };
    for (const Case& c : cases) {
        CPointD foot;
        double distance = 0;
        EXPECT_EQ(c.line.FootOfPerpendicular(c.line.GetDirectionKind(), c.p, foot, distance),
                  c.result)
            << c.name;
        ExpectPoint(foot, c.foot.m_x, c.foot.m_y, c.name);
        EXPECT_NEAR(distance, c.distance, 1e-9) << c.name;
    }
}

TEST(LineGeometry, ParameterAndSnapClass)
{
    struct Case {
        CLine line;
        CPointD p;
        double t;
        int snapClass;
    };
    const Case cases[] = {
        {CLine(0, 0, 10, 0), Pt(0, 1), 0, 2},
        {CLine(0, 0, 10, 0), Pt(5, -1), 0.5, 4},
        {CLine(0, 0, 10, 0), Pt(10, 3), 1, 6},
        {CLine(0, 0, 10, 0), Pt(2.5, 0), 0.25, 3},
        {CLine(0, 0, 10, 0), Pt(7.5, 0), 0.75, 5},
        {CLine(0, 0, 10, 0), Pt(12, 0), 1.2, 7},
        {CLine(0, 0, 10, 0), Pt(-1, 0), -0.1, 1},
        {CLine(0, 0, 0, 10), Pt(0, -2), -0.2, 1},
        {CLine(0, 0, 6, 8), Pt(-3, -4), -0.5, 1},
        {CLine(3, 3, 3, 3), Pt(8, 1), 0, 2},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.line.ParameterOfPoint(c.p), c.t, 1e-9);
        EXPECT_EQ(c.line.SnapClassOfPoint(c.p), c.snapClass);
    }
}

TEST(LineGeometry, SideOfPoint)
{
    CLine line(0, 0, 10, 0);
    EXPECT_EQ(line.SideOfPoint(Pt(5, 1)), 1);
    EXPECT_EQ(line.SideOfPoint(Pt(5, -1)), 3);
    EXPECT_EQ(line.SideOfPoint(Pt(15, 0)), 2);  // on the extension
    EXPECT_EQ(line.SideOfPoint(Pt(10, 0)), 2);
    EXPECT_EQ(line.SideOfPoint(Pt(-20, 0)), 2);
    EXPECT_EQ(line.SideOfPoint(Pt(12, 1)), 1);  // beyond the end, still left
    EXPECT_EQ(CLine(0, 0, 0, 10).SideOfPoint(Pt(-1, 5)), 1);
    EXPECT_EQ(line.IsSecondPointFarther(Pt(1, 2), Pt(9, -2)), 1);
    EXPECT_EQ(line.IsSecondPointFarther(Pt(1, 3), Pt(9, -2)), 0);
}

class LineOnScreen : public AppSettingsTest {};

TEST_F(LineOnScreen, PointsWithinTheSearchHalfSizeAreOnTheLine)
{
    CZelkView view;
    CLine line(0, 0, 10, 0);
    m_app.m_appFind.pickHalfSize = 20;
    view.m_zoom = 100;  // 0.1 mm is 10 pixels
    EXPECT_EQ(line.SideOfPointOnScreen(&view, Pt(5, 0.1)), 2);
    EXPECT_EQ(line.SideOfPointOnScreen(&view, Pt(5, 0.3)), 1);
    EXPECT_EQ(line.SideOfPointOnScreen(&view, Pt(5, -0.3)), 3);
    view.m_zoom = 10;  // zoomed out, the same 0.3 mm is within the half-size
    EXPECT_EQ(line.SideOfPointOnScreen(&view, Pt(5, -0.3)), 2);
}

TEST(LineGeometry, ConstructedPoints)
{
    CLine line(0, 0, 10, 0);
    ExpectPoint(line.PointAtNormalOffset(Pt(3, 7), 2), 3, 2);
    ExpectPoint(line.PointAtNormalOffset(Pt(3, 7), -2), 3, -2);
    // Toward the farther end.
    ExpectPoint(line.PointFromFootAway(Pt(3, 7), 2), 5, 0);
    ExpectPoint(line.PointFromFootAway(Pt(8, 7), 2), 6, 0);
    // A ray from (0, 1) at 45 degrees to the line meets it at (-1, 0); a multiple of 180 keeps p.
    ExpectPoint(line.PointAtAngleFromPoint(Pt(0, 1), 45), -1, 0);
    ExpectPoint(line.PointAtAngleFromPoint(Pt(0, 1), 135), 1, 0);
    ExpectPoint(line.PointAtAngleFromPoint(Pt(0, 1), 360), 0, 1);
    CPointD s, e;
    line.OffsetEnds(1, -3, s, e);
    ExpectPoint(s, 0, 3);
    ExpectPoint(e, 10, 3);
    line.OffsetEnds(0, 3, s, e);
    ExpectPoint(s, 0, -3);
    EXPECT_EQ(line.RotatedEnds(Pt(0, 0), 180, s, e), 1);
    ExpectPoint(s, -10, 0);
    ExpectPoint(e, 0, 0);
    EXPECT_EQ(line.RotatedEnds(Pt(0, 0), 90, s, e), 0);
    ExpectPoint(e, 0, 10);
}

TEST(LineGeometry, VisiblePartAndItsMiddle)
{
    CRectD clip;
    clip.Init(10, 10, 50, -10);
    CPointD p1, p2;
    CLine line(0, 0, 100, 0);
    ASSERT_EQ(line.VisiblePartInView(Pt(0, 0), 1, clip, p1, p2), 1);
    ExpectPoint(p1, 8, 0);  // the clipping widens the rectangle by 2 units
    ExpectPoint(p2, 52, 0);
    EXPECT_EQ(line.SnapClassInView(Pt(30, 0), Pt(0, 0), 1, clip), 4);
    EXPECT_EQ(line.SnapClassInView(Pt(10, 0), Pt(0, 0), 1, clip), 3);
    EXPECT_EQ(CLine(0, 20, 100, 20).VisiblePartInView(Pt(0, 0), 1, clip, p1, p2), 0);
    EXPECT_EQ(CLine(0, 20, 100, 20).SnapClassInView(Pt(30, 20), Pt(0, 0), 1, clip), -1);
}

TEST(LineGeometry, TangentCircleCentre)
{
    CLine line(0, 0, 10, 0);
    int count = -1;
    CPointD angles;
    CPointD centre = line.TangentCircleCentre(Pt(5, 1), 2, Pt(10, 5), count, angles);
    EXPECT_EQ(count, 2);
    ExpectPoint(centre, 5 + std::sqrt(3), 2);  // the one nearer the reference point
    EXPECT_NEAR(Distance(centre, Pt(5, 1)), 2, 1e-12);
    EXPECT_NEAR(angles.m_x, 270, 1e-9);  // from the touching point counterclockwise to p
    EXPECT_NEAR(angles.m_y, 570, 1e-9);
    centre = line.TangentCircleCentre(Pt(5, 1), 2, Pt(0, 5), count, angles);
    ExpectPoint(centre, 5 - std::sqrt(3), 2);
    // Right of the line for a negative radius.
    centre = line.TangentCircleCentre(Pt(5, -1), -2, Pt(10, -5), count, angles);
    ExpectPoint(centre, 5 + std::sqrt(3), -2);
    // Farther than 2|r| from the line on the requested side: none.
    centre = line.TangentCircleCentre(Pt(5, 5), 2, Pt(0, 0), count, angles);
    EXPECT_EQ(count, 0);
    ExpectPoint(centre, 0, 0);
}

TEST(LineGeometry, IntersectArc)
{
    struct Case {
        CLine line;
        CArc arc;
        int result, code;
        CPointD p1;
        const char* name;
    };
    const Case cases[] = {
        {CLine(-5, 0, 5, 0), MakeArc(0, 0, 1, 90, 180), 1, 2, Pt(-1, 0), "one of two in the sweep"},
        {CLine(-5, 0, 5, 0), MakeArc(0, 0, 1, 0, 360), 2, 2, Pt(1, 0), "both"},
        {CLine(2, 0, 5, 0), MakeArc(0, 0, 1, 0, 360), 0, 2, Pt(0, 0), "segment short of it"},
        {CLine(-5, 1, 5, 1), MakeArc(0, 0, 1, 0, 180), 1, 1, Pt(0, 1), "tangent in the sweep"},
        {CLine(-5, 1, 5, 1), MakeArc(0, 0, 1, 180, 360), 0, 1, Pt(0, 0), "tangent outside"},
        {CLine(-5, 3, 5, 3), MakeArc(0, 0, 1, 0, 360), 0, 0, Pt(0, 0), "missing"},
        {CLine(0, -5, 0, 5), MakeArc(0, 0, 1, 180, 360), 1, 2, Pt(0, -1), "vertical"},
        {CLine(-5, -5, 5, 5), MakeArc(0, 0, 2, 0, 90), 1, 2, Pt(std::sqrt(2), std::sqrt(2)),
         "oblique"},
    };
    for (const Case& c : cases) {
        int code = -1, on1 = -1, on2 = -1, in1 = -1, in2 = -1;
        CPointD p1, p2;
        int n = c.line.IntersectArc(c.line.GetDirectionKind(), c.arc, code, p1, p2, on1, on2, in1,
                                    in2);
        EXPECT_EQ(n, c.result) << c.name;
        EXPECT_EQ(code, c.code) << c.name;
        ExpectPoint(p1, c.p1.m_x, c.p1.m_y, c.name);
        if (n >= 1) {
            EXPECT_EQ(on1, 1) << c.name;
            EXPECT_EQ(in1, 1) << c.name;
        }
    }
}

TEST(LineGeometry, CollinearOverlap)
{
    struct Case {
        CLine other;
        int result;
        CPointD p1, p2;
        int code1, code2;
        const char* name;
    };
    const CLine line(0, 0, 10, 0);
    const Case cases[] = {
        {CLine(0, 0, 10, 0), 2, Pt(0, 0), Pt(10, 0), 2, 4, "equal"},
        {CLine(10, 0, 20, 0), 1, Pt(10, 0), Pt(0, 0), 4, 0, "continues at the end"},
        {CLine(-5, 0, 0, 0), 1, Pt(0, 0), Pt(0, 0), 2, 0, "ends at the start"},
        {CLine(2, 0, 5, 0), 2, Pt(2, 0), Pt(5, 0), 3, 3, "inside"},
        {CLine(5, 0, 15, 0), 2, Pt(5, 0), Pt(10, 0), 3, 4, "from inside past the end"},
        {CLine(0, 0, 4, 0), 2, Pt(0, 0), Pt(4, 0), 2, 3, "from the start to inside"},
        {CLine(-5, 0, 5, 0), 0, Pt(0, 0), Pt(0, 0), 0, 0, "starting before the start"},
        {CLine(12, 0, 15, 0), 0, Pt(0, 0), Pt(0, 0), 0, 0, "beyond the end"},
        {CLine(0, 1, 10, 1), 0, Pt(0, 0), Pt(0, 0), 0, 0, "parallel"},
        {CLine(5, 0, 5, 0), 1, Pt(5, 0), Pt(0, 0), 3, 0, "a point inside"},
        {CLine(10, 0, 10, 0), 1, Pt(10, 0), Pt(0, 0), 4, 0, "a point at the end"},
    };
    for (const Case& c : cases) {
        CPointD p1 = Pt(9, 9), p2 = Pt(9, 9);
        int code1 = -1, code2 = -1;
        EXPECT_EQ(line.CollinearOverlap(c.other, p1, p2, code1, code2), c.result) << c.name;
        ExpectPoint(p1, c.p1.m_x, c.p1.m_y, c.name);
        ExpectPoint(p2, c.p2.m_x, c.p2.m_y, c.name);
        EXPECT_EQ(code1, c.code1) << c.name;
        EXPECT_EQ(code2, c.code2) << c.name;
    }
}
