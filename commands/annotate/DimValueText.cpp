// Value texts of the measured dimension kinds and the text angle of a direction.
#include "commands/annotate/DimValueText.h"

#include <cmath>

#include "app/AppElem.h"
#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/PointD.h"

namespace {

CString Rounded(double value, const CAppElem& settings)
{
    return DoubleToString(RoundToDecimals(value, settings.m_dimDecimals));
}

} // namespace

CString ChamferValueText(const CLine& chamfer, double scale, const CAppElem& settings)
{
    return "C" + Rounded(chamfer.Length() / std::sqrt(2.0) / scale, settings);
}

CString DiameterValueText(double radius, double scale, const CAppElem& settings)
{
    return settings.m_diameterMark + Rounded(2 * radius / scale, settings);
}

CString RadiusValueText(double radius, double scale, const CAppElem& settings)
{
    return "R" + Rounded(radius / scale, settings);
}

CString AngleValueText(double sweepDeg, const CAppElem& settings)
{
    return Rounded(sweepDeg, settings) + settings.m_degreeMark;
}

bool IsFullCircle(const CArc& arc)
{
    CPointD range, full;
    range.Init(arc.m_startAngle, arc.m_endAngle);
    full.Init(0, 360);
    return PointsNearlyEqual(range, full) != 0;
}

CString CircleOrArcValueText(const CArc& arc, double scale, const CAppElem& settings)
{
    return IsFullCircle(arc) ? DiameterValueText(arc.m_radius, scale, settings)
                             : RadiusValueText(arc.m_radius, scale, settings);
}

double FoldedTextAngleDeg(double direction)
{
    double a = direction;
    if (NearlyEqual(a, 0))
        a = 0;
    else if (a < 0)
        a += 360;
    return FoldLineAngleNegDeg(a);
}
