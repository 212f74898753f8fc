// Lines that depend on an element picked earlier in the pattern: parallel copies of a line,
// tangents from a point to a circle and common tangents of two circles, and lines inclined to a
// line. Their write layer under the element-layer condition is the layer of the picked element.
#include "commands/line/LineCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/line/LineVectors.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"

namespace {

const char* const kMsgNoTangent = "接線は作成できません";

constexpr int kMarkPlain = 1;
// The auxiliary line of an inclined line through a point on the picked line.
constexpr double kAuxiliaryLength = 1000.0;

int SelectedElementLayer()
{
    return g_pApp ? g_pApp->m_atrElem.m_layer : -1;
}

void RefuseTangent()
{
    if (g_pApp)
        g_pApp->ShowMessage(kMsgNoTangent, 1);
}

} // namespace

int CLineCommand::MakeParallelLine(int line, int point, int start, int length, int index, int final, int keep)
{
    if (!final)
        return 0;
    const CLine& l = m_pickedLines[line];
    const CPointD normal = PolarDeg(l.AngleDeg() + 90.0, 1.0);
    CPointD v;
    if (point >= 0) {
        // Signed distance, positive on the left of start to end: the first copy runs through P.
        CPointD foot;
        double d = 0;
        FootOnLineRec(l, PointOf(point), foot, d);
        v = PointTimes(normal, (index + 1) * d);
        RoundPointToSignificant14(v);
    } else if (start >= 0) {
        // The end nearer the pick lands on the start point.
        const CPointD end = m_pickPositions[line] < 5 ? l.m_start : l.m_end;
        v = PointTimes(PointMinus(PointOf(start), end), index + 1);
    } else if (length >= 0) {
        double d = m_values[length].value;
        if (l.SideOfPoint(m_pickPoints[line]) == 3)
            d = -d;
        v = PointTimes(normal, (index + 1) * d);
        RoundPointToSignificant14(v);
    } else {
        return 0;
    }
    const CPointD s = PointPlus(l.m_start, v);
    const CPointD e = PointPlus(l.m_end, v);
    MoveBasePoint(e);
    return AddLineWithLayerStep(s, e, kMarkPlain, SelectedElementLayer(), final, keep);
}

int CLineCommand::MakeTangentFromPoint(int point, int circle, int final)
{
    if (!final)
        return 0;
    const CPointD p = PointOf(point);
    const CCircle& c = m_pickedCircles[circle];
    const double r = c.m_radius;
    double d = 0;
    const double alpha = PointsAngleRadLen(c.m_centre, p, d);
    if (NearlyEqual(d, r) || d < r || NearlyEqual(r, 0.0)) {
        RefuseTangent();
        return 0;
    }
    const double phi = std::acos(r / d);
    const CPointD t1 = PointPlus(c.m_centre, PolarDeg((alpha - phi) * 180.0 / PI, r));
    const CPointD t2 = PointPlus(c.m_centre, PolarDeg((alpha + phi) * 180.0 / PI, r));
    const CPointD t = m_pickPoints[circle].Nearer(t1, t2);
    // The base point goes to the input given last.
    MoveBasePoint(point > circle ? p : t);
    CPointD a = p, b = t;
    OrderPoints(a, b);
    return AddLineWithLayerStep(a, b, kMarkPlain, c.m_layer, final, 0);
}

int CLineCommand::MakeTangentToTwoCircles(int first, int second, int final)
{
    if (!final)
        return 0;
    const CCircle& c1 = m_pickedCircles[first];
    const CCircle& c2 = m_pickedCircles[second];
    // Touching points on the first and on the second circle: two outer, then two inner tangents.
    CPointD on1[4], on2[4];
    const int outer = c1.ExternalTangents(c2, on1[0], on1[1], on2[0], on2[1]);
    const int inner = c1.InternalTangents(c2, on1[2], on1[3], on2[2], on2[3]);
    if (!outer && !inner) {
        RefuseTangent();
        return 0;
    }
    const double none = 2.0 * (c1.m_radius + c2.m_radius);
    double best = none;
    int chosen = -1;
    for (int k = 0; k < 4; ++k) {
        if ((k < 2 && !outer) || (k >= 2 && !inner))
            continue;
        const double cost = Distance(m_pickPoints[first], on1[k]) + Distance(m_pickPoints[second], on2[k]);
        if (!NearlyEqual(cost, best) && cost < best) {
            best = cost;
            chosen = k;
        }
    }
    if (chosen < 0)
        return 0;
    MoveBasePoint(first > second ? on1[chosen] : on2[chosen]);
    CPointD a = on1[chosen], b = on2[chosen];
    OrderPoints(a, b);
    return AddLineWithLayerStep(a, b, kMarkPlain, c1.m_layer, final, 0);
}

int CLineCommand::MakeInclinedLineToLine(int line, int angle, int point, int index, int final, int keep)
{
    if (!final)
        return 0;
    const CLine& l = m_pickedLines[line];
    const double a = m_values[angle].value - l.AngleDeg();
    const CPointD p = PointOf(point);
    const CPointD f = l.PointAtAngleFromPoint(p, a);
    const CPointD e = RotatePointDeg(p, f, index * a);
    MoveBasePoint(e);
    CPointD s = f, t = e;
    OrderPoints(s, t);
    return AddLineWithLayerStep(s, t, kMarkPlain, SelectedElementLayer(), final, keep);
}

int CLineCommand::MakeInclinedLineThroughPoint(int line, int angle, int onLine, int point, int index, int final,
                                               int keep)
{
    if (!final)
        return 0;
    const double a = m_values[angle].value;
    const CPointD h = PointOf(onLine);
    CLine auxiliary;
    auxiliary.m_start = h;
    auxiliary.m_end = PointPlus(h, PolarDeg(a, kAuxiliaryLength));
    CPointD f;
    double distance = 0;
    auxiliary.FootOfPerpendicular(auxiliary.GetDirectionKind(), PointOf(point), f, distance);
    const CPointD e = RotatePointDeg(f, h, index * (a - m_pickedLines[line].AngleDeg()));
    MoveBasePoint(e);
    CPointD s = h, t = e;
    OrderPoints(s, t);
    return AddLineWithLayerStep(s, t, kMarkPlain, SelectedElementLayer(), final, keep);
}
