// Circles and arcs through two points: by the angle the arc between them spans (one answer), or
// by the radius (a centre on each side of the chord, offered as candidates).
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/ConstructionShapes.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"

namespace {

const char* const kCannotMake = "は作成できません";

void Refuse(const char* what, const char* kindWord)
{
    if (g_pApp)
        g_pApp->ShowMessageParts(what, kindWord, kCannotMake, "", "", 1);
}

} // namespace

int CCircleCommand::AddCircleByArcAngle(int angle, int first, int second)
{
    ClearCandidates();
    const char* kindWord = m_circleFlag == 1 ? "円" : "円弧";
    const double a = m_values[angle].value;
    const CPointD p1 = m_inputPoints[first].GetEffective(m_doc, 1);
    const CPointD p2 = m_inputPoints[second].GetEffective(m_doc, 1);
    if (NearlyEqual(a, 0.0)) {
        Refuse("弧角が零度の２点を通る", kindWord);
        return 0;
    }
    if (NearlyEqual(std::fabs(a), 360.0)) {
        Refuse("弧角が360度の２点を通る", kindWord);
        return 0;
    }
    if (std::fabs(a) > 360.0) {
        Refuse("弧角が360度を越える２点を通る", kindWord);
        return 0;
    }
    if (PointsNearlyEqual(p1, p2)) {
        Refuse("同一点を通る弧角指定の", kindWord);
        return 0;
    }
    double radius = 0.0;
    const CPointD centre = ArcCenterFromChordAngle(p1, p2, a, radius);
    const std::int16_t layer = EnterLayerRule(-1);
    int added = 0;
    if (m_circleFlag == 1) {
        added = AddCircle(centre, radius, 1);
    } else {
        // Counterclockwise from p1 to p2 for a positive angle, from p2 to p1 for a negative one.
        const double from = PointsAngleDeg(centre, p1);
        const CPointD range = a > 0 ? ArcRangeDeg(from, from + a) : ArcRangeDeg(from + a, from);
        std::int16_t block = -1, slot = -1;
        added = AddArc(centre, radius, range.m_x, range.m_y, block, slot, 1, 0);
    }
    LeaveLayerRule(layer);
    if (!added)
        return 0;
    if (g_pApp)
        g_pApp->ShowResultMessage(m_circleFlag == 1 ? " 弧角･２点の円を作成しました" : " 弧角･２点の円弧を作成しました", 0);
    return 1;
}

int CCircleCommand::AddCircleByTwoPointsAndRadius(int first, int second, int length)
{
    ClearCandidates();
    const double r = m_values[length].value;
    const CPointD p1 = m_inputPoints[first].GetEffective(m_doc, 1);
    const CPointD p2 = m_inputPoints[second].GetEffective(m_doc, 1);
    if (NearlyEqual(r, 0.0)) {
        std::int16_t block = -1, slot = -1;
        if (!AddLine(p1, p2, block, slot, 1, 0))
            return 0;
        if (!g_pApp || g_pApp->m_appElem.m_layerCondition != 2)
            m_doc->RedrawChangedElements(1);
        if (g_pApp)
            g_pApp->ShowResultMessage(" 円弧コマンドの中で、２点線分を作成しました", 0);
        return 1;
    }
    const int circle = m_circleFlag == 1;
    if (PointsNearlyEqual(p1, p2)) {
        if (g_pApp)
            g_pApp->ShowMessage(circle ? "同一点を通る半径指定の円は作成できません" : "同一点を通る半径指定の円弧は作成できません", 1);
        return 0;
    }
    CPointD c1;
    if (!CircleCenterFromChord(p1, p2, r, c1)) {
        if (g_pApp)
            g_pApp->ShowMessage(circle ? "指定の２点と半径の円は作成できません" : "指定の２点と半径の円弧は作成できません", 1);
        return 0;
    }
    // The shorter arc between the points on each side; a negative radius runs the other way.
    const auto arcOf = [&](CPointD centre, double radius) {
        if (circle)
            return FullTurnRange();
        double start = PointsAngleDeg(centre, p1);
        double end = PointsAngleDeg(centre, p2);
        if (radius < 0)
            SwapDoubles(start, end);
        return ArcRangeDeg(start, end);
    };
    InsertCandidate(0.0, c1, r, arcOf(c1, r));
    CPointD c2;
    if (CircleCenterFromChord(p1, p2, -r, c2))
        InsertCandidate(1.0, c2, -r, arcOf(c2, -r));
    const std::int16_t layer = EnterLayerRule(-1);
    ShowCandidate();
    LeaveLayerRule(layer);
    return 1;
}
