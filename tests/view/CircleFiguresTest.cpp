// The constructions of the circle previews: known figures from a table, and on random input the
// tangent circles through the pointer pass through their points and touch their elements.
#include "ViewTestSupport.h"

#include <cmath>
#include <random>

#include "elements/Arc.h"
#include "geometry/Angles.h"
#include "view/CircleFigures.h"

namespace {

using namespace CircleFigures;

class CircleFiguresTest : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        // 100 view units a millimetre: the pointer counts as on an element within 0.2 mm.
        View().m_zoom = 100;
    }
    void SetLine(int i, double x1, double y1, double x2, double y2)
    {
        Doc().m_previewLines[i].m_start = W(x1, y1);
        Doc().m_previewLines[i].m_end = W(x2, y2);
    }
    void SetCircle(int i, double x, double y, double r)
    {
        Doc().m_previewCircles[i].m_centre = W(x, y);
        Doc().m_previewCircles[i].m_radius = r;
    }
};

void ExpectPoint(const CPointD& p, double x, double y, const char* what)
{
    EXPECT_NEAR(p.m_x, x, 1e-6) << what;
    EXPECT_NEAR(p.m_y, y, 1e-6) << what;
}

TEST_F(CircleFiguresTest, PointConstructionsGiveTheirCircleOrNone)
{
    struct Case {
        const char* name;
        CPointD a, b;
        double value, angle;
        CPointD p;
        int found;
        CPointD centre;
        double radius;
        CPointD start, end;
    } cases[] = {
        {"diameter", W(0, 0), W(0, 0), 0, 0, W(10, 0), 1, W(5, 0), 5, W(0, 0), W(10, 0)},
        {"diameter at A", W(3, 3), W(0, 0), 0, 0, W(3, 3), 0, {}, 0, {}, {}},
        {"three points ccw", W(5, 0), W(0, 5), 0, 0, W(-5, 0), 1, W(0, 0), 5, W(5, 0), W(-5, 0)},
        {"three points cw", W(5, 0), W(0, -5), 0, 0, W(-5, 0), 1, W(0, 0), 5, W(-5, 0), W(5, 0)},
        {"three collinear", W(0, 0), W(1, 1), 0, 0, W(2, 2), 0, {}, 0, {}, {}},
        {"chord 8 radius 5", W(0, 0), W(0, 0), 5, 0, W(8, 0), 1, W(4, 3), 5, W(0, 0), W(8, 0)},
        {"chord 8 radius -5", W(0, 0), W(0, 0), -5, 0, W(8, 0), 1, W(4, -3), -5, W(8, 0), W(0, 0)},
        {"chord 12 radius 5", W(0, 0), W(0, 0), 5, 0, W(12, 0), 0, {}, 0, {}, {}},
        {"chord radius 0", W(0, 0), W(0, 0), 0, 0, W(8, 0), 0, {}, 0, {}, {}},
        {"on a direction", W(0, 0), W(0, 0), 0, 0, W(10, 5), 1, W(5, 0), 5, W(0, 0), W(10, 0)},
        {"on a direction at A", W(0, 0), W(0, 0), 0, 0, W(0, 5), 0, {}, 0, {}, {}},
        {"half turn", W(0, 0), W(0, 0), 0, 180, W(10, 0), 1, W(5, 0), 5, W(0, 0), W(10, 0)},
        {"quarter turn", W(0, 0), W(0, 0), 0, -90, W(10, 0), 1, W(5, 5), std::sqrt(50.0), W(0, 0), W(10, 0)},
        {"no turn", W(0, 0), W(0, 0), 0, 0, W(10, 0), 0, {}, 0, {}, {}},
        {"full turn", W(0, 0), W(0, 0), 0, 360, W(10, 0), 0, {}, 0, {}, {}},
        {"beyond a turn", W(0, 0), W(0, 0), 0, 400, W(10, 0), 0, {}, 0, {}, {}},
    };
    for (const Case& c : cases) {
        Doc().m_previewPointA = c.a;
        Doc().m_previewPointB = c.b;
        Doc().m_previewValue = c.value;
        Doc().m_previewAngle = c.angle;
        CCircleFigure f;
        const std::string name = c.name;
        int found = 0;
        if (name.rfind("diameter", 0) == 0)
            found = Diameter(Doc(), c.p, f);
        else if (name.rfind("three", 0) == 0)
            found = Through3Points(Doc(), View(), c.p, f);
        else if (name.rfind("chord", 0) == 0)
            found = ThroughTwoPoints(Doc(), c.p, f);
        else if (name.rfind("on a", 0) == 0)
            found = OnDirection(Doc(), c.p, f);
        else
            found = WithAngle(Doc(), c.p, f);
        ASSERT_EQ(found, c.found) << c.name;
        if (!found)
            continue;
        ExpectPoint(f.m_centre, c.centre.m_x, c.centre.m_y, c.name);
        EXPECT_NEAR(f.m_radius, c.radius, 1e-6) << c.name;
        ExpectPoint(f.m_start, c.start.m_x, c.start.m_y, c.name);
        ExpectPoint(f.m_end, c.end.m_x, c.end.m_y, c.name);
    }
}

TEST_F(CircleFiguresTest, RadiusOffsetAndTangentAtAPoint)
{
    CCircleFigure f;
    Doc().m_previewPointA = W(0, 0);
    Doc().m_previewValue = 3;
    ASSERT_EQ(RadiusToward(Doc(), W(10, 0), f), 1);
    ExpectPoint(f.m_centre, 3, 0, "radius toward");
    Doc().m_previewValue = -3;
    ASSERT_EQ(RadiusToward(Doc(), W(10, 0), f), 1);
    ExpectPoint(f.m_centre, -3, 0, "negative radius toward");
    ExpectPoint(f.m_start, 10, 0, "ends exchanged");

    // The offset circle's leftmost point is the pointer; its radius line ends at angle + 180.
    Doc().m_previewValue = 4;
    Doc().m_previewAngle = 90;
    ASSERT_EQ(WithOffset(Doc(), W(1, 1), f), 1);
    ExpectPoint(f.m_centre, 5, 1, "offset");
    ExpectPoint(f.m_end, 5, -3, "offset radius line");

    // Tangent at Q1 to the x axis through Q2; a chord along the line has no such circle.
    SetLine(0, 0, 0, 10, 0);
    ASSERT_EQ(TangentAtPoint(Doc(), W(0, 0), W(10, 10), 1, f), 1);
    ExpectPoint(f.m_centre, 0, 10, "tangent at a point");
    EXPECT_NEAR(f.m_radius, 10, 1e-9);
    ASSERT_EQ(TangentAtPoint(Doc(), W(0, 0), W(10, 10), 0, f), 1);
    ExpectPoint(f.m_start, 10, 10, "order 0 exchanges the ends");
    EXPECT_EQ(TangentAtPoint(Doc(), W(0, 0), W(10, 0), 1, f), 0);
    EXPECT_EQ(TangentAtPoint(Doc(), W(0, 0), W(-10, 0), 1, f), 0);

    // Tangent to K1 at A through P; a pointer on K1 has none.
    SetCircle(0, 0, 0, 5);
    Doc().m_previewPointA = W(5, 0);
    ASSERT_EQ(TangentToCircleAt(Doc(), W(10, 5), f), 1);
    ExpectPoint(f.m_centre, 10, 0, "tangent to a circle at A");
    EXPECT_NEAR(f.m_radius, 5, 1e-9);
    EXPECT_EQ(TangentToCircleAt(Doc(), W(0, 5), f), 0);
}

TEST_F(CircleFiguresTest, GivenRadiusTangentsTakeTheSideOfThePointer)
{
    SetLine(0, -100, 0, 100, 0);
    Doc().m_previewPointC = W(10, 0);
    CCircleFigure f;
    ASSERT_EQ(TangentToLine(Doc(), View(), 5, W(0, 8), f), 1);
    ExpectPoint(f.m_centre, 4, 5, "left of the line, nearer C");
    EXPECT_EQ(f.m_radius, 5);
    ExpectPoint(f.m_start, 4, 0, "arc from the touch point");
    ASSERT_EQ(TangentToLine(Doc(), View(), 5, W(0, -8), f), 1);
    ExpectPoint(f.m_centre, 4, -5, "right of the line");
    EXPECT_EQ(f.m_radius, -5);
    EXPECT_EQ(TangentToLine(Doc(), View(), 5, W(0, 20), f), 0);
    // On the line (within the pick size) the circle touches it at the pointer's foot.
    ASSERT_EQ(TangentToLine(Doc(), View(), 5, W(3, 0.1), f), 1);
    ExpectPoint(f.m_centre, 3, 5, "on the line");

    SetCircle(0, 0, 0, 10);
    ASSERT_EQ(TangentToCircle(Doc(), View(), 2, W(13, 0), f), 1);
    EXPECT_NEAR(Distance(f.m_centre, W(13, 0)), 2, 1e-9);
    EXPECT_NEAR(Distance(f.m_centre, W(0, 0)), 12, 1e-9);
    ASSERT_EQ(TangentToCircle(Doc(), View(), 2, W(7, 0), f), 1);
    EXPECT_EQ(f.m_radius, -2);
    EXPECT_NEAR(Distance(f.m_centre, W(0, 0)), 8, 1e-9);
    ASSERT_EQ(TangentToCircle(Doc(), View(), 2, W(10, 0.1), f), 1);
    EXPECT_EQ(f.m_alwaysCircle, 1);
    EXPECT_EQ(TangentToCircle(Doc(), View(), 2, W(30, 0), f), 0);
}

TEST_F(CircleFiguresTest, ParallelLinesGiveTheHalfDistanceCircle)
{
    SetLine(0, 0, 0, 100, 0);
    SetLine(1, 0, 10, 100, 10);
    Doc().m_previewPointA = W(20, 0);
    Doc().m_previewPointB = W(20, 10);
    CCircleFigure f;
    ASSERT_EQ(TwoLines(Doc(), View(), W(30, 3), f), 1);
    EXPECT_NEAR(std::fabs(f.m_radius), 5, 1e-9);
    EXPECT_NEAR(f.m_centre.m_y, 5, 1e-9);
    EXPECT_NEAR(Distance(f.m_centre, W(30, 3)), 5, 1e-9);
    // Outside the strip, or with the lines on each other, there is none.
    EXPECT_EQ(TwoLines(Doc(), View(), W(30, 20), f), 0);
    SetLine(1, 0, 0, 50, 0);
    EXPECT_EQ(TwoLines(Doc(), View(), W(30, 3), f), 0);
    // On a line: the circle about the middle line's point nearest the pointer.
    SetLine(1, 0, 10, 100, 10);
    ASSERT_EQ(TwoLines(Doc(), View(), W(40, 0.1), f), 1);
    ExpectPoint(f.m_centre, 40, 5, "pointer on L1");
}

TEST_F(CircleFiguresTest, CrossingLinesWithThePointerOnOneTouchAtItsFoot)
{
    SetLine(0, 0, 0, 100, 0);
    SetLine(1, 0, 0, 0, 100);
    Doc().m_previewPointA = W(30, 0);
    Doc().m_previewPointB = W(0, 30);
    CCircleFigure f;
    ASSERT_EQ(TwoLines(Doc(), View(), W(30, 0.1), f), 1);
    ExpectPoint(f.m_centre, 30, 30, "touches L1 at the foot");
    EXPECT_NEAR(f.m_radius, 30, 1e-9);
    // Its arc runs from the touch point on L1 to the one on L2.
    ExpectPoint(f.m_start, 30, 0, "arc start");
    ExpectPoint(f.m_end, 0, 30, "arc end");
}

// The distance of a centre from the circle a candidate must touch, outside or inside.
double TouchGap(const CPointD& centre, double radius, const CCircle& k)
{
    const double d = Distance(centre, k.m_centre);
    return std::min(std::fabs(d - (radius + k.m_radius)), std::fabs(d - std::fabs(radius - k.m_radius)));
}

TEST_F(CircleFiguresTest, TangentCirclesThroughThePointerTouchTheirElements)
{
    auto NearAnElement = [this](const CPointD& p) {
        for (int i = 0; i < 2; ++i) {
            const CLine& l = Doc().m_previewLines[i];
            const CCircle& k = Doc().m_previewCircles[i];
            if (std::fabs(SignedDistanceToLine(p, l.m_start, l.m_end)) < 0.5 ||
                std::fabs(Distance(p, k.m_centre) - k.m_radius) < 0.5)
                return true;
        }
        return false;
    };
    std::mt19937 random(31);
    std::uniform_real_distribution<double> coord(-50, 50), size(2, 20);
    auto point = [&]() { return W(coord(random), coord(random)); };
    struct Count {
        int tried = 0, found = 0;
    } twoLines, twoCircles, lineCircle, linePoint, circlePoint;
    for (int i = 0; i < 300; ++i) {
        SetLine(0, coord(random), coord(random), coord(random), coord(random));
        SetLine(1, coord(random), coord(random), coord(random), coord(random));
        SetCircle(0, coord(random), coord(random), size(random));
        SetCircle(1, coord(random), coord(random), size(random));
        Doc().m_previewPointA = point();
        Doc().m_previewPointB = point();
        Doc().m_pickPoint1 = point();
        Doc().m_pickPoint2 = point();
        // A pointer on an element is taken onto it first; here the pointer stays clear of them.
        CPointD p = point();
        while (NearAnElement(p))
            p = point();
        const CLine& l1 = Doc().m_previewLines[0];
        const CLine& l2 = Doc().m_previewLines[1];
        const CCircle& k1 = Doc().m_previewCircles[0];
        const CCircle& k2 = Doc().m_previewCircles[1];
        auto lineGap = [](const CPointD& c, double r, const CLine& l) {
            return std::fabs(std::fabs(SignedDistanceToLine(c, l.m_start, l.m_end)) - std::fabs(r));
        };
        CCircleFigure f;
        const double tol = 1e-3;
        ++twoLines.tried;
        if (TwoLines(Doc(), View(), p, f)) {
            ++twoLines.found;
            EXPECT_NEAR(Distance(f.m_centre, p), std::fabs(f.m_radius), tol) << "two lines " << i;
            EXPECT_LT(lineGap(f.m_centre, f.m_radius, l1), tol) << "two lines " << i;
            EXPECT_LT(lineGap(f.m_centre, f.m_radius, l2), tol) << "two lines " << i;
        }
        ++twoCircles.tried;
        if (TwoCircles(Doc(), View(), p, f)) {
            ++twoCircles.found;
            EXPECT_NEAR(Distance(f.m_centre, p), std::fabs(f.m_radius), tol) << "two circles " << i;
            EXPECT_LT(TouchGap(f.m_centre, std::fabs(f.m_radius), k1), tol) << "two circles " << i;
            EXPECT_LT(TouchGap(f.m_centre, std::fabs(f.m_radius), k2), tol) << "two circles " << i;
        }
        ++lineCircle.tried;
        if (LineAndCircle(Doc(), View(), p, 1, f)) {
            ++lineCircle.found;
            EXPECT_NEAR(Distance(f.m_centre, p), std::fabs(f.m_radius), tol) << "line and circle " << i;
            EXPECT_LT(lineGap(f.m_centre, f.m_radius, l1), tol) << "line and circle " << i;
            EXPECT_LT(TouchGap(f.m_centre, std::fabs(f.m_radius), k1), tol) << "line and circle " << i;
        }
        ++linePoint.tried;
        if (LineAndPoint(Doc(), View(), p, Doc().m_previewPointB, 1, f)) {
            ++linePoint.found;
            EXPECT_NEAR(Distance(f.m_centre, p), std::fabs(f.m_radius), tol) << "line and point " << i;
            EXPECT_NEAR(Distance(f.m_centre, Doc().m_previewPointA), std::fabs(f.m_radius), tol)
                << "line and point " << i;
            EXPECT_LT(lineGap(f.m_centre, f.m_radius, l1), tol) << "line and point " << i;
        }
        ++circlePoint.tried;
        if (CircleAndPoint(Doc(), p, 1, f)) {
            ++circlePoint.found;
            // The point is taken within a tenth, as the construction accepts it.
            EXPECT_NEAR(Distance(f.m_centre, p), std::fabs(f.m_radius), 0.1) << "circle and point " << i;
            EXPECT_NEAR(Distance(f.m_centre, Doc().m_previewPointA), std::fabs(f.m_radius), 0.1)
                << "circle and point " << i;
            EXPECT_LT(TouchGap(f.m_centre, std::fabs(f.m_radius), k1), 0.1) << "circle and point " << i;
        }
    }
    // Most random configurations have such a circle: the constructions must find them.
    for (const Count* c : {&twoLines, &twoCircles, &lineCircle, &linePoint, &circlePoint})
        EXPECT_GT(c->found, c->tried / 4) << c->found << " of " << c->tried;
}

TEST_F(CircleFiguresTest, ArcEndMovesTheEndTheModelNames)
{
    CPointD span;
    span.Init(0, 90);
    CArc arc(W(0, 0), 10, span);
    Doc().m_previewWorkArc.Assign(arc);
    CCircleFigure f;
    Doc().m_previewArcMovesStart = 0;
    ASSERT_EQ(ArcEnd(Doc(), W(-5, 0), f), 1);
    ExpectPoint(f.m_start, 10, 0, "start kept");
    ExpectPoint(f.m_end, -10, 0, "end follows the pointer");
    Doc().m_previewArcMovesStart = 1;
    ASSERT_EQ(ArcEnd(Doc(), W(0, -3), f), 1);
    ExpectPoint(f.m_start, 0, -10, "start follows the pointer");
    ExpectPoint(f.m_end, 0, 10, "end kept");
    EXPECT_EQ(f.m_alwaysArc, 1);
}

}  // namespace
