// The ellipse's cached polyline, its extents and its feature points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "elements/Conic.h"
#include "geometry/Numeric.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

namespace {

class ConicGeometry : public AppSettingsTest {
protected:
    void Shape(double cx, double cy, double r, double ratio, double start, double end, double tilt)
    {
        m_conic.m_centre = Pt(cx, cy);
        m_conic.m_majorRadius = r;
        m_conic.m_ratio = ratio;
        m_conic.m_startAngle = start;
        m_conic.m_endAngle = end;
        m_conic.m_tilt = tilt;
    }

    CConic m_conic;
};

}  // namespace

TEST_F(ConicGeometry, FullEllipseWithStep10)
{
    m_app.m_appDraw.m_ellipseStep = 10;
    Shape(1, 2, 10, 0.5, 0, 360, 0);
    m_conic.BuildPolyline();
    const auto& pts = m_conic.m_polyline;
    ASSERT_EQ(pts.size(), 38u);
    EXPECT_TRUE(PointsNearlyEqual(pts.front(), pts.back()));
    ExpectPoint(pts.front(), 11, 2);
    for (const CPointD& p : pts) {
        double u = (p.m_x - 1) / 10, v = (p.m_y - 2) / 5;
        EXPECT_NEAR(u * u + v * v, 1, 1e-9);
    }
    double minX, maxX, maxY, minY;
    m_conic.GetBoundingBox(minX, maxX, maxY, minY);
    EXPECT_NEAR(maxX, 11, 1e-9);
    EXPECT_NEAR(minX, -9, 0.05);  // no vertex lies exactly at 180 degrees
    EXPECT_GT(maxY, 6.9);
    EXPECT_LT(minY, -2.9);
}

TEST_F(ConicGeometry, ArcsAndTilt)
{
    m_app.m_appDraw.m_ellipseStep = 10;
    Shape(0, 0, 10, 0.5, 0, 90, 0);
    m_conic.BuildPolyline();
    ASSERT_EQ(m_conic.m_polyline.size(), 11u);
    ExpectPoint(m_conic.m_polyline.back(), 0, 5);
    // Stored angles carry the tilt: parameter 0 of a major axis turned to 90 degrees is (0, 10).
    Shape(0, 0, 10, 0.5, 90, 450, 90);
    m_conic.BuildPolyline();
    ExpectPoint(m_conic.m_polyline.front(), 0, 10);
}

TEST_F(ConicGeometry, UnusableSettingsOrAnglesStayBounded)
{
    struct Case {
        double step, start, end;
        std::size_t maxPoints;
        std::size_t minPoints;
    };
    const Case cases[] = {
        {0, 0, 360, 36001, 1000},       // no step: the smallest step is used
        {-5, 0, 360, 36001, 1000},
        {5, 0, 1e12, 36001, 36001},     // an absurd sweep from a file
        {5, 0, NAN, 0, 0},
        {5, 90, 0, 0, 0},               // a backward sweep draws nothing
        {5, 10, 3, 0, 0},               // nor one just short of a step (no NaN point)
        {5, 30, 30, 2, 2},
    };
    for (const Case& c : cases) {
        m_app.m_appDraw.m_ellipseStep = c.step;
        Shape(0, 0, 10, 0.5, c.start, c.end, 0);
        m_conic.BuildPolyline();
        EXPECT_LE(m_conic.m_polyline.size(), c.maxPoints) << c.step << " " << c.end;
        EXPECT_GE(m_conic.m_polyline.size(), c.minPoints) << c.step << " " << c.end;
        for (const CPointD& p : m_conic.m_polyline)
            ASSERT_TRUE(std::isfinite(p.m_x) && std::isfinite(p.m_y));
    }
}

TEST_F(ConicGeometry, EmptyCacheGivesZeroBox)
{
    double box[4] = {1, 2, 3, 4};
    m_conic.GetBoundingBox(box[0], box[1], box[2], box[3]);
    for (double v : box)
        EXPECT_EQ(v, 0);
    CPointD p;
    Shape(0, 0, 10, 0.5, 10, 80, 0);
    EXPECT_EQ(m_conic.AxisPoint(2, p), 0);
}

TEST_F(ConicGeometry, AxisPoints)
{
    m_app.m_appDraw.m_ellipseStep = 5;
    struct Case {
        double start, end;
        int code;
        int result;
        CPointD point;
    };
    const Case cases[] = {
        {0, 360, 11, 1, Pt(11, 2)},  {0, 360, 12, 1, Pt(-9, 2)}, {0, 360, 13, 1, Pt(1, 7)},
        {0, 360, 14, 1, Pt(1, -3)},  {0, 360, 4, 1, Pt(11, 2)},  {30, 120, 13, 1, Pt(1, 7)},
        {0, 90, 13, 0, Pt(0, 0)},    // the search ends at the end angle
        {100, 260, 11, 0, Pt(0, 0)}, {100, 260, 1, 1, Pt(-9, 2)},
        {200, 460, 11, 1, Pt(11, 2)},  // through 0 degrees: 360 is in the range
    };
    for (const Case& c : cases) {
        Shape(1, 2, 10, 0.5, c.start, c.end, 0);
        m_conic.BuildPolyline();
        CPointD p;
        EXPECT_EQ(m_conic.AxisPoint(c.code, p), c.result) << c.start << " " << c.code;
        if (c.result)
            ExpectPoint(p, c.point.m_x, c.point.m_y);
    }
}

TEST_F(ConicGeometry, ExtremesAlongThePolylineWhenNoAxisEndIsInRange)
{
    m_app.m_appDraw.m_ellipseStep = 1;
    // Tilted by 45 degrees, parameters 5..40: the top lies inside, no axis end does.
    Shape(0, 0, 10, 0.3, 50, 85, 45);
    m_conic.BuildPolyline();
    CPointD p;
    ASSERT_EQ(m_conic.AxisPoint(2, p), 1);
    double top = -1e300;
    for (const CPointD& q : m_conic.m_polyline)
        top = std::max(top, q.m_y);
    EXPECT_EQ(p.m_y, top);
    EXPECT_EQ(m_conic.AxisPoint(11, p), 0);
}
