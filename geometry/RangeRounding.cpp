// Rounding by the accuracy settings' range: decimals for values inside it, significant digits
// for the others.
#include "app/ZelkApp.h"
#include "geometry/Numeric.h"

void RoundByRangeSetting(double& x, int n)
{
    const CAppAcc& acc = g_pApp->m_appAcc;
    // The signed value is compared: with the default range every negative value is rounded to
    // significant digits.
    if (acc.m_rangeLow <= x && x <= acc.m_rangeHigh) {
        x = RoundToDecimals(x, n);
    } else {
        RoundToSignificant(x, n);
    }
}

void RoundPointByRangeSetting(CPointD& p, int n)
{
    RoundByRangeSetting(p.m_x, n);
    RoundByRangeSetting(p.m_y, n);
}
