// Directions of line elements and text underlines.
#include "geometry/ElementAngles.h"

#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"

double LineAngleRadLen(const CLine& line, double& length)
{
    return PointsAngleRadLen(line.m_start, line.m_end, length);
}

double LineAngleRad(const CLine& line)
{
    return PointsAngleRad(line.m_start, line.m_end);
}

double LineAngleDeg(const CLine& line)
{
    return PointsAngleDeg(line.m_start, line.m_end);
}

double TextLineAngleRadLen(const CText& text, double& length)
{
    return PointsAngleRadLen(text.m_underlineStart, text.m_underlineEnd, length);
}
