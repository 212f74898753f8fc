// The text's geometry along its underline: the foot of a point on it, where a point falls along
// the string (in the string's own direction, undoing a stored swap), and the side of a point.
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"

CPointD CText::OffsetFromUnderline() const
{
    CPointD foot;
    double distance = 0;
    // An underline without length has no foot; measuring from its start keeps the offset of an
    // empty string at its placement point instead of the placement point itself.
    if (!FootOnTextLine(*this, m_point, foot, distance) &&
        Distance(m_underlineStart, m_underlineEnd) == 0)
        foot = m_underlineStart;
    CPointD v;
    v.m_x = m_point.m_x - foot.m_x;
    v.m_y = m_point.m_y - foot.m_y;
    return v;
}

int CText::FootOnUnderline(const CPointD& point, CPointD& foot, double& distance) const
{
    int result = FootOnLineRec(CLine(m_underlineStart, m_underlineEnd), point, foot, distance);
    RoundPointToSignificant14(foot);
    RoundToSignificant15(distance);
    return result;
}

double CText::ParameterOfPoint(const CPointD& point) const
{
    CPointD foot;
    double distance = 0;
    FootOnUnderline(point, foot, distance);
    if (Distance(m_underlineStart, m_underlineEnd) == 0)
        return 0;
    double t = SignedParameterOfFoot(m_underlineStart, m_underlineEnd, foot);
    // The parameter runs in the string's direction, which a stored swap reverses.
    return m_swapped ? 1 - t : t;
}

int CText::SnapClassOfPoint(const CPointD& point) const
{
    return SnapClassOfParameter(ParameterOfPoint(point));
}

int CText::AngleToReference(const CPointD& point) const
{
    // The side test of a line, on the underline taken as a line from its first to its second end.
    CLine underline(m_underlineStart, m_underlineEnd);
    return underline.SideOfPoint(point);
}
