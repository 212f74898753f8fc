// Small builders and checks shared by the tests of the crossings, feet and element geometry.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "app/ZelkApp.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Text.h"
#include "geometry/PointD.h"

inline CPointD Pt(double x, double y)
{
    CPointD p;
    p.m_x = x;
    p.m_y = y;
    return p;
}

inline CCircle MakeCircle(double x, double y, double r)
{
    CCircle c;
    c.m_centre = Pt(x, y);
    c.m_radius = r;
    return c;
}

inline CArc MakeArc(double x, double y, double r, double start, double end)
{
    return CArc(Pt(x, y), r, Pt(start, end));
}

inline void ExpectPoint(const CPointD& p, double x, double y, const char* what = "")
{
    EXPECT_NEAR(p.m_x, x, 1e-9) << what;
    EXPECT_NEAR(p.m_y, y, 1e-9) << what;
}

// Distance of p from the infinite line a-b.
inline double LineGap(const CPointD& p, const CPointD& a, const CPointD& b)
{
    double dx = b.m_x - a.m_x, dy = b.m_y - a.m_y;
    return std::fabs((p.m_x - a.m_x) * dy - (p.m_y - a.m_y) * dx) / std::hypot(dx, dy);
}

inline void SetUnderline(CText& text, CPointD s, CPointD e)
{
    text.m_underlineStart = s;
    text.m_underlineEnd = e;
}

// An application object with default settings for the code that reads them through g_pApp.
class AppSettingsTest : public testing::Test {
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
