// The curve's extents and turning points.
#include <gtest/gtest.h>

#include <vector>

#include "elements/Curve.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

TEST(CurveGeometry, BoundingBox)
{
    CCurve curve;
    double box[4] = {1, 2, 3, 4};
    curve.GetBoundingBox(box[0], box[1], box[2], box[3]);
    for (double v : box)
        EXPECT_EQ(v, 0);
    curve.m_points = {Pt(1, 5), Pt(-2, 3), Pt(4, -1)};
    double minX, maxX, maxY, minY;
    curve.GetBoundingBox(minX, maxX, maxY, minY);
    EXPECT_EQ(minX, -2);
    EXPECT_EQ(maxX, 4);
    EXPECT_EQ(maxY, 5);
    EXPECT_EQ(minY, -1);
}

TEST(CurveGeometry, TurningPoints)
{
    struct Case {
        std::vector<CPointD> points;
        int result;
        std::vector<CPointD> found;
        const char* name;
    };
    const Case cases[] = {
        {{Pt(0, 0), Pt(10, 0), Pt(10, 10), Pt(0, 10), Pt(0, 0)},
         1,
         {Pt(10, 0), Pt(10, 10), Pt(0, 10), Pt(0, 0)},
         "closed square: the start corner too"},
        {{Pt(0, 0), Pt(5, 5), Pt(10, 0)}, 1, {Pt(5, 5)}, "a peak"},
        {{Pt(0, 0), Pt(1, 1), Pt(2, 2), Pt(3, 3)}, 0, {}, "a straight diagonal run"},
        {{Pt(0, 0), Pt(10, 0)}, 0, {}, "two points"},
        {{Pt(0, 0), Pt(5, 0), Pt(10, 2)}, 1, {Pt(5, 0)}, "the end of a horizontal run"},
    };
    for (const Case& c : cases) {
        CCurve curve;
        curve.m_points = c.points;
        std::vector<CPointD> out = {Pt(-1, -1)};
        EXPECT_EQ(curve.CollectSearchPoints(out), c.result) << c.name;
        ASSERT_EQ(out.size(), c.found.size() + 1) << c.name;
        ExpectPoint(out[0], -1, -1, c.name);  // appended after what was there
        for (std::size_t i = 0; i < c.found.size(); ++i)
            ExpectPoint(out[i + 1], c.found[i].m_x, c.found[i].m_y, c.name);
    }
}
