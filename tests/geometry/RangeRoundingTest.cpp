// Rounding by the accuracy settings' range: decimals inside it, significant digits outside.
#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "geometry/Numeric.h"
#include "tests/geometry/Shapes.h"

namespace {

// The application object with its settings, installed as the global one for one test.
class RangeRounding : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = g_pApp;
        g_pApp = &m_app;
    }
    void TearDown() override { g_pApp = m_previous; }

    CZelkApp m_app;
    CZelkApp* m_previous = nullptr;
};

} // namespace

TEST_F(RangeRounding, DecimalsInsideTheRangeSignificantDigitsOutside)
{
    m_app.m_appAcc.m_rangeLow = 0.0001;
    m_app.m_appAcc.m_rangeHigh = 1000000.0;
    struct Case {
        double x;
        double expected;
    } cases[] = {
        {123.45678, 123.457},       // inside: 3 decimals
        {0.00012345, 0.0},          // just inside: three decimals leave nothing
        {0.0000512345, 0.000051},   // below the range: significant digits (one fewer below 1)
        {1234567.8, 1230000.0},     // above the range
        {-123.45678, -123},         // the signed value is compared: negative lies outside
        {0.0001, 0.0},              // the bounds belong to the range
        {1000000.0, 1000000.0},
    };
    for (const Case& c : cases) {
        double x = c.x;
        RoundByRangeSetting(x, 3);
        EXPECT_DOUBLE_EQ(x, c.expected) << c.x;
    }

    m_app.m_appAcc.m_rangeLow = -1000.0;
    double x = -123.45678;
    RoundByRangeSetting(x, 3);
    EXPECT_DOUBLE_EQ(x, -123.457);

    CPointD p = P(2.71828, 5000000.4);
    RoundPointByRangeSetting(p, 2);
    EXPECT_DOUBLE_EQ(p.m_x, 2.72);
    EXPECT_DOUBLE_EQ(p.m_y, 5000000.0);  // two significant digits
}
