// Point inputs: the effective point of each constraint mode, snapping, and the flag rules.
#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/InputPoint.h"
#include "input/PatternGroup.h"
#include "input/PointEntry.h"
#include "input/PointPair.h"
#include "tests/support/InputTape.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// The effective point reads the drawing's relative system and constraint interval.
class InputPointTest : public testing::Test {
protected:
    CInputTape m_tape;
    CZelkDoc* Drawing() { return &m_tape.Doc(); }
};

} // namespace

TEST_F(InputPointTest, EffectivePointOfEachConstraintMode)
{
    struct Case {
        const char* name;
        double angle;
        int mode;
        int constrained;
        CPointD point, reference;
        double x, y;
    } cases[] = {
        { "free", 0, 1, 1, Pt(3, 4), Pt(9, 9), 3, 4 },
        { "at the reference", 0, 2, 1, Pt(3, 4), Pt(9, 8), 9, 8 },
        { "unconstrained in mode 2", 0, 2, 0, Pt(3, 4), Pt(9, 8), 3, 4 },
        { "X axis at 0", 0, 3, 1, Pt(3, 4), Pt(9, 8), 3, 8 },
        { "Y axis at 0", 0, 4, 1, Pt(3, 4), Pt(9, 8), 9, 4 },
        { "X axis at 90", 90, 3, 1, Pt(3, 4), Pt(9, 8), 9, 4 },
        { "Y axis at 90", 90, 4, 1, Pt(3, 4), Pt(9, 8), 3, 8 },
        { "X axis at 45", 45, 3, 1, Pt(2, 0), Pt(0, 0), 1, 1 },
        { "Y axis at 45", 45, 4, 1, Pt(2, 0), Pt(0, 0), 1, -1 },
        { "point on the reference", 30, 3, 1, Pt(5, 6), Pt(5, 6), 5, 6 },
        { "point on the reference, Y", 30, 4, 1, Pt(5, 6), Pt(5, 6), 5, 6 },
    };
    for (const Case& c : cases) {
        Drawing()->m_relAngle = c.angle;
        CInputPoint p;
        p.point = c.point;
        p.reference = c.reference;
        p.mode = c.mode;
        const CPointD e = p.GetEffective(Drawing(), c.constrained);
        EXPECT_NEAR(e.m_x, c.x, 1e-9) << c.name;
        EXPECT_NEAR(e.m_y, c.y, 1e-9) << c.name;
    }
}

TEST_F(InputPointTest, TheEffectivePointIsSnappedToTheConstraintIntervalInEveryMode)
{
    Drawing()->m_grid.m_pitch = Pt(10, 10);
    Drawing()->m_grid.m_on = 1;
    CInputPoint p;
    p.SetPoint(Pt(14.9, 15));
    for (int constrained : { 0, 1 }) {
        const CPointD e = p.GetEffective(Drawing(), constrained);
        EXPECT_DOUBLE_EQ(e.m_x, 10);
        EXPECT_DOUBLE_EQ(e.m_y, 20);
    }
    // Mode 2 ignored without the constraint flag: the point is snapped, not the reference.
    p.reference = Pt(41, 41);
    p.mode = 2;
    EXPECT_DOUBLE_EQ(p.GetEffective(Drawing(), 0).m_x, 10);
    EXPECT_DOUBLE_EQ(p.GetEffective(Drawing(), 1).m_x, 40);
    // While a constraint interval is being given nothing snaps.
    m_tape.App().m_lastStatus = 17;
    EXPECT_DOUBLE_EQ(p.GetEffective(Drawing(), 0).m_x, 14.9);
}

TEST_F(InputPointTest, ModesAndFlagsChangeOnlyWhatTheyName)
{
    CInputPoint p;
    EXPECT_EQ(p.mode, 1);
    EXPECT_EQ(p.flags, 0);
    p.SetFlags(1);
    p.SetFlags(2);
    EXPECT_EQ(p.flags, 3);
    p.SetMode(2);
    EXPECT_EQ(p.mode, 2);
    EXPECT_EQ(p.flags, 2);
    p.SetFlags(1);
    p.ClearFlags(2);
    EXPECT_EQ(p.flags, 1);

    // A moving pointer keeps the chosen projection.
    p.SetBoth(Pt(1, 1));
    p.SetMode(3);
    p.SetPoint(Pt(7, 5));
    EXPECT_EQ(p.reference.m_x, 1);
    EXPECT_EQ(p.mode, 3);
    EXPECT_NEAR(p.GetEffective(Drawing(), 1).m_y, 1, 1e-12);

    CInputPoint copy;
    copy.Assign(p);
    EXPECT_EQ(copy.point.m_x, 7);
    EXPECT_EQ(copy.reference.m_y, 1);
    EXPECT_EQ(copy.mode, 3);
    copy.Reset();
    EXPECT_EQ(copy.point.m_x, 0);
    EXPECT_EQ(copy.reference.m_x, 0);
    EXPECT_EQ(copy.mode, 1);
    EXPECT_EQ(copy.flags, 0);
}

TEST(SharedRecords, StartValues)
{
    const CPointEntry mark;
    EXPECT_EQ(mark.point.m_x, 0);
    EXPECT_EQ(mark.point.m_y, 0);
    EXPECT_EQ(mark.angle, 0);
    const CPointEntry placed(Pt(2, 3), 45);
    EXPECT_EQ(placed.point.m_y, 3);
    EXPECT_EQ(placed.angle, 45);

    const CPatternGroup group("single");
    EXPECT_EQ(group.name, CString("single"));
    EXPECT_EQ(group.patterns.GetSize(), 0);

    const CPointPair pair;
    EXPECT_EQ(pair.point1.m_x, 0);
    EXPECT_EQ(pair.point2.m_y, 0);
}
