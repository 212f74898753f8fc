// Radial line bundles from one start point and the rectangle from a corner. The i-th line of a
// bundle turns by i steps of its angle measured from the coordinate rotation; the execution
// calls a routine once per line.
#include "commands/line/LineCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/LineVectors.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "geometry/Angles.h"
#include "geometry/ElemRef.h"

namespace {

constexpr int kMarkPlain = 1;

// The end of the i-th line of a bundle of base direction theta, rotation r.
CPointD RadialEnd(CPointD start, double theta, double rotation, int index, double length)
{
    CPointD v = PolarDeg((index + 1) * (theta - rotation) + rotation, length);
    RoundPointToSignificant14(v);
    return PointPlus(start, v);
}

} // namespace

// Under the new-layer condition each line takes a layer of its own; putting the write layer back
// under the others is the execution's, once for the whole bundle.
int CLineCommand::AddRadialLine(CPointD start, CPointD end, int final, int keep)
{
    OrderPoints(start, end);
    return AddLineWithLayerStep(start, end, kMarkPlain, -1, final, keep, 0);
}

int CLineCommand::MakeRadialLineByAngleToPoint(int start, int angle, int point, int index, int final, int keep)
{
    if (!final)
        return 0;
    const CPointD s = PointOf(start);
    const CPointD p = PointOf(point);
    const double length = Distance(s, p);
    double a = m_values[angle].value;
    if (a < 0)
        a += 360.0;
    double alpha = PointsAngleDeg(s, p);
    if (alpha < 0)
        alpha += 360.0;
    const double d = a - alpha;
    // A step pointing away from the point is turned half round.
    const bool away = (d >= 90.0 && d <= 270.0) || (d >= -270.0 && d <= -90.0);
    const double theta = away ? a - 180.0 : a;
    const CPointD e = RadialEnd(s, theta, m_doc->m_relAngle, index, length);
    MoveBasePoint(e);
    return AddRadialLine(s, e, final, keep);
}

int CLineCommand::MakeRadialLineByLengthAndAngle(int start, int length, int angle, int index, int final, int keep)
{
    if (!final)
        return 0;
    const CPointD s = PointOf(start);
    // The base point stays at the start: the next line of the continuous mode begins there.
    const CPointD e = RadialEnd(s, AngleOf(angle), m_doc->m_relAngle, index, m_values[length].value);
    return AddRadialLine(s, e, final, keep);
}

int CLineCommand::MakeRadialLineByLengthToPoint(int start, int length, int point, int index, int final, int keep)
{
    if (!final)
        return 0;
    const CPointD s = PointOf(start);
    const CPointD e = RadialEnd(s, PointsAngleDeg(s, PointOf(point)), m_doc->m_relAngle, index, m_values[length].value);
    MoveBasePoint(e);
    return AddRadialLine(s, e, final, keep);
}

void CLineCommand::MakeRectangle(int corner, int angle, int opposite, int width, int height)
{
    CZelkDoc* doc = m_doc;
    CCreationLog* log = doc->m_creationLog;
    if (!log)
        return;
    const double theta = angle < 0 ? doc->m_relAngle : m_values[angle].value;
    const CPointD u = PolarDeg(theta, 1.0);
    const CPointD v = PolarDeg(theta + 90.0, 1.0);
    // The corners are the points as given, not as snapped or constrained.
    CPointD c[4];
    c[0] = m_inputPoints[corner].point;
    if (opposite >= 0) {
        const CPointD p = m_inputPoints[opposite].point;
        double dist = 0;
        const double alpha = PointsAngleRadLen(c[0], p, dist);
        const double k = dist * std::cos(alpha - theta * PI / 180.0);
        c[1] = PointPlus(c[0], PointTimes(u, k));
        c[2] = p;
        c[3] = PointMinus(p, PointTimes(u, k));
    } else if (width >= 0 && height >= 0) {
        const double w = m_values[width].value;
        const double h = m_values[height].value;
        c[1] = PointPlus(c[0], PointTimes(u, w));
        c[3] = PointPlus(c[0], PointTimes(v, h));
        c[2] = PointPlus(c[3], PointTimes(u, w));
    } else {
        return;
    }

    std::int16_t groupNumber = -1;
    CGroup* group = nullptr;
    if (g_pApp && g_pApp->m_appElem.m_lineOption)
        group = log->AddGroup(kMarkPlain, groupNumber, 1, 0);
    CLayerStep layer(doc);
    for (int side = 0; side < 4; ++side) {
        CPointD a = c[side], b = c[(side + 1) % 4];
        OrderPoints(a, b);
        std::int16_t block = -1, slot = -1;
        const int keep = side > 0 || group ? 1 : 0;
        log->AddLine(a, b, kMarkPlain, block, slot, 1, keep);
        JoinNewGroup(doc, group, groupNumber, ELEM_LINE, block, slot);
    }
    layer.Finish();
}
