// The circles touching three picked elements with no radius given. Every solution goes into the
// candidate list, ordered by how near its tangent points lie to where the elements were picked;
// the nearest is created and Q steps through the others.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/CandidateList.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"

namespace {

// One solution before it is listed.
struct Solution {
    int found = 0;
    CPointD centre;
    double radius = 0.0;
    CPointD arc;
};

} // namespace

int CCircleCommand::AddCircleTangentToThreeLines(int first, int second, int third)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const int positions[3] = { first, second, third };
    const CLine* lines[3] = { &m_pickedLines[first], &m_pickedLines[second], &m_pickedLines[third] };
    // The corners (A, B), (B, C), (C, A) and the two bisectors through each.
    int exists[3] = { 0, 0, 0 };
    CPointD vertex[3], d1[3], d2[3];
    for (int k = 0; k < 3; ++k) {
        const CLine& l = *lines[k];
        const CLine& m = *lines[(k + 1) % 3];
        exists[k] = IntersectLineRecLines(l, m, vertex[k]) ? 1 : 0;
        if (!exists[k])
            continue;
        const double beta = (l.AngleRad() + m.AngleRad()) / 2;
        d1[k] = PolarPoint(vertex[k], 1000.0, beta);
        d2[k] = PolarPoint(vertex[k], 1000.0, beta + PI / 2);
    }
    Solution slots[2][3];
    for (int k = 0; k < 3; ++k) {
        const int n = (k + 1) % 3;
        if (!exists[k] || !exists[n])
            continue;
        for (int g = 0; g < 2; ++g) {
            const CPointD& own = g == 0 ? d1[k] : d2[k];
            const CPointD& same = g == 0 ? d1[n] : d2[n];
            const CPointD& other = g == 0 ? d2[n] : d1[n];
            Solution& s = slots[g][k];
            if (!IntersectLines(vertex[k], own, vertex[n], same, s.centre) &&
                !IntersectLines(vertex[k], own, vertex[n], other, s.centre))
                continue;
            s.found = 1;
            s.radius = Distance(s.centre, FootOnLine(*lines[k], s.centre));
            s.arc = m_circleFlag == 1 ? FullTurnRange()
                                      : ArcThroughFeatures(s.centre, { positions[0], FootOnLine(*lines[0], s.centre) },
                                                           { positions[1], FootOnLine(*lines[1], s.centre) },
                                                           { positions[2], FootOnLine(*lines[2], s.centre) });
        }
    }
    for (int g = 0; g < 2; ++g) {
        for (int k = 0; k < 3; ++k) {
            const Solution& s = slots[g][k];
            if (!s.found)
                continue;
            // A centre met again within its group counts once.
            int repeated = 0;
            for (int j = 0; j < k; ++j) {
                const Solution& t = slots[g][j];
                repeated = repeated || (t.found && PointsNearlyEqual(t.centre, s.centre) &&
                                        NearlyEqual(t.radius, s.radius) && PointsNearlyEqual(t.arc, s.arc));
            }
            if (repeated)
                continue;
            double key = 0.0;
            for (int i = 0; i < 3; ++i)
                key += Distance(FootOnLine(*lines[i], s.centre), m_pickPoints[positions[i]]);
            ::InsertCandidate(m_candidates, m_circleFlag, key, s.centre, s.radius, s.arc, 0);
        }
    }
    const std::int16_t layer = EnterLayerRule(lines[0]->m_layer);
    ShowCandidate();
    LeaveLayerRule(layer);
    return 1;
}

int CCircleCommand::AddCircleTangentToTwoLinesAndCircle(int first, int second, int circle)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CLine& l1 = m_pickedLines[first];
    const CLine& l2 = m_pickedLines[second];
    const CCircle& picked = m_pickedCircles[circle];
    const CPointD c = picked.m_centre;
    const double big = picked.m_radius;
    const double a1 = l1.AngleRad();
    const double a2 = l2.AngleRad();
    const CPointD pick = m_pickPoints[circle];
    const int s1 = l1.SideOfPoint(pick);
    const int s2 = l2.SideOfPoint(pick);
    Solution solutions[4];
    if (NearlyEqual(a1, a2)) {
        const double h = SignedDistanceToLine(l2.m_start, l1.m_start, l1.m_end);
        if (NearlyEqual(h, 0.0)) {
            if (g_pApp)
                g_pApp->ShowMessageParts("2つの接線分が同一で", m_circleFlag == 1 ? "円" : "円弧", "は作成できません", "",
                                         "", 1);
            return 0;
        }
        CLine middle = l1;
        middle.m_start = l1.PointAtNormalOffset(l1.m_start, h / 2);
        middle.m_end = l1.PointAtNormalOffset(l1.m_end, h / 2);
        const double radius = std::fabs(h) / 2;
        CCircle aux = picked;
        for (int k = 0; k < 2; ++k) {
            aux.m_radius = k == 0 ? radius + big : std::fabs(radius - big);
            if (k == 1 && NearlyEqual(aux.m_radius, 0.0))
                continue;
            int on1 = 0, on2 = 0;
            if (!IntersectLineCircle(middle, aux, solutions[2 * k].centre, solutions[2 * k + 1].centre, on1, on2))
                continue;
            for (int i = 2 * k; i < 2 * k + 2; ++i) {
                solutions[i].found = 1;
                solutions[i].radius = radius;
            }
        }
    } else {
        CPointD x0;
        if (!IntersectLines(l1.m_start, l1.m_end, l2.m_start, l2.m_end, x0))
            return 1;
        const double b = (a1 + a2) / 2;
        const double phi = std::fabs(b - a1);
        double dc = 0.0;
        const double thetaC = PointsAngleRadLen(x0, c, dc);
        // The bisector of the sector that holds the circle's pick point.
        double beta = b;
        double psi = phi;
        if (s1 == 1 && s2 == 1) {
            beta = b + PI / 2;
            psi = std::fabs(beta - a1);
        } else if (s1 == 3 && s2 == 3) {
            beta = b - PI / 2;
            psi = std::fabs(beta - a1);
        } else if (s1 == 3 && s2 == 1) {
            beta = b + PI;
        }
        const double sp = std::sin(psi);
        const double cp2 = std::cos(psi) * std::cos(psi);
        const double ct = std::cos(std::fabs(beta - thetaC));
        const double outside = (sp * big + ct * dc) * sp;
        const double inside = ct * sp * dc - sp * sp * big;
        const double constant = (dc * dc - big * big) * cp2 * sp * sp;
        int n = 0;
        for (const double a : { outside, inside }) {
            const double delta = a * a - constant;
            double roots[2];
            int count = 0;
            if (NearlyEqual(cp2, 0.0) || NearlyEqual(sp, 0.0)) {
                count = 0;
            } else if (NearlyEqual(delta, 0.0)) {
                roots[count++] = a / cp2;
            } else if (delta > 0) {
                roots[count++] = (a + std::sqrt(delta)) / cp2;
                roots[count++] = (a - std::sqrt(delta)) / cp2;
            }
            for (int i = 0; i < count; ++i, ++n) {
                solutions[n].found = 1;
                solutions[n].centre = PolarPoint(x0, roots[i] / sp, beta);
                solutions[n].radius = std::fabs(roots[i]);
            }
        }
    }
    for (Solution& s : solutions) {
        if (!s.found || s.radius > 100000.0 || NearlyEqual(s.radius, 0.0))
            continue;
        const CPointD t1 = FootOnLine(l1, s.centre);
        const CPointD t2 = FootOnLine(l2, s.centre);
        const CPointD tc = TouchPointOnCircle(picked, s.centre, s.radius);
        const double key = Distance(t1, m_pickPoints[first]) + Distance(t2, m_pickPoints[second]) + Distance(tc, pick);
        const CPointD arc = m_circleFlag == 1 ? FullTurnRange()
                                              : ArcThroughFeatures(s.centre, { first, t1 }, { second, t2 }, { circle, tc });
        ::InsertCandidate(m_candidates, m_circleFlag, key, s.centre, s.radius, arc);
    }
    const std::int16_t layer = EnterLayerRule(picked.m_layer);
    ShowCandidate();
    LeaveLayerRule(layer);
    return 1;
}
