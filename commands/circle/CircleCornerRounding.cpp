// Circles of a typed radius touching two picked elements (two lines, a line and a circle, two
// circles). The solution nearest to where the user worked is made at once; all solutions stay
// in the candidate list for Q and Shift+Q. A double-clicked first element is cut back to the
// new circle (corner rounding), and the cut of the second is prepared for the double click that
// follows.
#include "commands/circle/CircleCommand.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/ConstructionShapes.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"

namespace {

constexpr double kNoSolution = 1e100;

const char* const kMsgOtherSolutions = "キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。";

enum class Pair { Lines, Circles, LineCircle };

// One picked element as the construction sees it.
struct Operand {
    bool isLine;
    CLine line;
    CCircle circle;
};

struct Solution {
    CPointD centre;
    double key;
};

CLine LineThrough(CPointD s, CPointD e)
{
    CLine line;
    line.m_start = s;
    line.m_end = e;
    return line;
}

// Where the circle (x, r) touches the element.
CPointD TouchPoint(const Operand& o, CPointD x, double r)
{
    CPointD point = x;
    if (o.isLine) {
        double distance = 0.0;
        o.line.FootOfPerpendicular(o.line.GetDirectionKind(), x, point, distance);
    } else {
        o.circle.TouchPointWithCircle(x, r, point);
    }
    return point;
}

// The point of the circle (x, r) turned by turn radians from the direction of t.
CPointD TurnedFrom(CPointD x, double r, CPointD t, double turn)
{
    const double a = PointsAngleRad(x, t) + turn;
    CPointD p;
    p.Init(x.m_x + r * std::cos(a), x.m_y + r * std::sin(a));
    return p;
}

// The first solution: the smallest key, the first in generation order among nearly equal ones.
int NearestSolution(const std::vector<Solution>& solutions)
{
    double smallest = kNoSolution;
    for (const Solution& s : solutions)
        smallest = std::min(smallest, s.key);
    for (int i = 0; i < static_cast<int>(solutions.size()); ++i) {
        if (NearlyEqual(solutions[i].key, smallest))
            return i;
    }
    return 0;
}

} // namespace

// The shared second half of the three constructions: first is the element of token position 1,
// second that of position 2; the solutions are in generation order and chosen is the one made.
static int MakeRounding(CCircleCommand& c, Pair pair, const Operand& first, const Operand& second, double r,
                        const std::vector<Solution>& solutions, int chosen, int referenceLayer, int& changed)
{
    CZelkDoc* doc = c.m_doc;
    const bool circleCommand = c.m_circleFlag == 1;
    const CPointD x = solutions[chosen].centre;
    const CPointD t1 = TouchPoint(first, x, r);
    const CPointD t2 = TouchPoint(second, x, r);

    const std::int16_t layer = c.EnterLayerRule(referenceLayer);
    int added = 0;
    if (circleCommand) {
        added = c.AddCircle(x, r, 1);
    } else {
        const CPointD range = ArcRangeDeg(PointsAngleDeg(x, t1), PointsAngleDeg(x, t2));
        std::int16_t block = -1, slot = -1;
        added = c.AddArc(x, r, range.m_x, range.m_y, block, slot, 1, 0);
    }
    c.LeaveLayerRule(layer);
    // A refused circle leaves the picked elements as they were.
    if (!added)
        return 0;

    // A double-clicked first line or arc is cut back to the new circle, retired only now that the
    // circle stands; a full circle is never cut.
    const CElemRef firstRef = c.m_pickedRefs[0];
    if (c.m_stepOptions[1] == 1 && (firstRef.m_kind == ELEM_LINE || firstRef.m_kind == ELEM_ARC)) {
        if (firstRef.m_kind == ELEM_LINE) {
            if (const CLine* old = doc->GetLineElem(firstRef.m_block, firstRef.m_slot)) {
                c.m_tangentPoints[0] = old->m_start;
                c.m_tangentPoints[2] = old->m_end;
                const CPointD p = TurnedFrom(x, r, t1, PI / 6);
                c.m_tangentPoints[old->ParameterOfPoint(t1) > old->ParameterOfPoint(p) ? 0 : 2] = t1;
            }
        } else if (const CArc* old = doc->GetArcElem(firstRef.m_block, firstRef.m_slot)) {
            c.m_tangentPoints[0] = old->KeyPoint(-1);
            c.m_tangentPoints[2] = old->KeyPoint(-2);
            const bool outside = Distance(old->m_centre, x) > std::max(old->m_radius, r);
            c.m_tangentPoints[outside ? 0 : 2] = t1;
        }
        changed = c.RetireElement(firstRef.m_kind, firstRef.m_block, firstRef.m_slot);
    }

    const char* made = nullptr;
    switch (pair) {
    case Pair::Lines:
        made = circleCommand ? " 半径･２線分の接円を作成しました。" : " 半径･２線分の接円弧を作成しました。";
        break;
    case Pair::Circles:
        made = circleCommand ? " 半径･２円(弧)の接円を作成しました。" : " 半径･２円(弧)の接円弧を作成しました。";
        break;
    case Pair::LineCircle:
        made = circleCommand ? " 半径･線分･円(弧)の接円を作成しました" : " 半径･線分･円(弧)の接円弧を作成しました";
        break;
    }
    const CString rounded = pair == Pair::LineCircle ? CString(" 角丸めを行いました")
                                                     : CString(" 角丸めを行いました。") + kMsgOtherSolutions;
    if (!changed && g_pApp)
        g_pApp->ShowResultMessage(pair == Pair::LineCircle ? CString(made) : CString(made) + kMsgOtherSolutions, 0);

    if (changed) {
        c.AddCutBack(firstRef, c.m_tangentPoints[0], c.m_tangentPoints[2], pair == Pair::Lines);
        if (g_pApp)
            g_pApp->ShowResultMessage(rounded, 0);
        doc->RedrawChangedElements(1);
    }

    // The second element's new ends, for the double click that replaces it.
    const CElemRef& secondRef = c.m_pickedRefs[1];
    if (secondRef.m_kind == ELEM_LINE) {
        if (const CLine* line = doc->GetLineElem(secondRef.m_block, secondRef.m_slot)) {
            c.m_tangentPoints[1] = line->m_start;
            c.m_tangentPoints[3] = line->m_end;
            const CPointD q = TurnedFrom(x, r, t2, -PI / 6);
            c.m_tangentPoints[line->ParameterOfPoint(t2) > line->ParameterOfPoint(q) ? 1 : 3] = t2;
        }
    } else if (secondRef.m_kind == ELEM_ARC) {
        if (const CArc* arc = doc->GetArcElem(secondRef.m_block, secondRef.m_slot)) {
            c.m_tangentPoints[1] = arc->KeyPoint(-1);
            c.m_tangentPoints[3] = arc->KeyPoint(-2);
            const bool outside = Distance(arc->m_centre, x) > std::max(arc->m_radius, r);
            c.m_tangentPoints[outside ? 3 : 1] = t2;
        }
    }
    if (pair != Pair::Lines)
        CCircleCommand::RestoreSavedLayerCondition();

    // Every solution in the list; a line and a circle always run their arcs from the line.
    const bool fromSecond = pair == Pair::LineCircle && !first.isLine;
    for (const Solution& s : solutions) {
        if (s.key >= kNoSolution)
            continue;
        CPointD range = FullTurnRange();
        if (!circleCommand) {
            const CPointD a = TouchPoint(fromSecond ? second : first, s.centre, r);
            const CPointD b = TouchPoint(fromSecond ? first : second, s.centre, r);
            range = ArcRangeDeg(PointsAngleDeg(s.centre, a), PointsAngleDeg(s.centre, b));
        }
        c.InsertCandidate(s.key, s.centre, r, range);
    }
    c.m_candidateIndex = 0;
    if (pair == Pair::LineCircle && g_pApp)
        g_pApp->ShowResultMessage(CString(" 。") + kMsgOtherSolutions, 0);
    return 1;
}

int CCircleCommand::AddTangentCircleToTwoLines(int length, int first, int second, int& changed)
{
    ClearCandidates();
    changed = 0;
    const double r = std::fabs(m_values[length].value);
    const CLine& l1 = m_pickedLines[first];
    const CLine& l2 = m_pickedLines[second];
    if (NearlyEqual(l1.AngleRad(), l2.AngleRad())) {
        if (g_pApp)
            g_pApp->ShowMessage(m_circleFlag == 1 ? "指定の２つの接線分が平行なので円は作成できません"
                                                  : "指定の２つの接線分が平行なので円弧は作成できません",
                                1);
        return 0;
    }
    CPointD left1s, left1e, right1s, right1e, left2s, left2e, right2s, right2e;
    l1.OffsetEnds(1, r, left1s, left1e);
    l1.OffsetEnds(0, r, right1s, right1e);
    l2.OffsetEnds(1, r, left2s, left2e);
    l2.OffsetEnds(0, r, right2s, right2e);
    const CPointD* sides1[2][2] = { { &left1s, &left1e }, { &right1s, &right1e } };
    const CPointD* sides2[2][2] = { { &left2s, &left2e }, { &right2s, &right2e } };
    std::vector<Solution> solutions;
    int chosen = -1;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            Solution s;
            s.key = kNoSolution;
            if (IntersectLines(*sides1[i][0], *sides1[i][1], *sides2[j][0], *sides2[j][1], s.centre))
                s.key = Distance(s.centre, m_pickPoints[first]) + Distance(s.centre, m_pickPoints[second]);
            solutions.push_back(s);
            if (s.key < kNoSolution && (chosen < 0 || s.key < solutions[chosen].key))
                chosen = static_cast<int>(solutions.size()) - 1;
        }
    }
    if (chosen < 0)
        return 0;
    const Operand a{ true, l1, CCircle() };
    const Operand b{ true, l2, CCircle() };
    return MakeRounding(*this, Pair::Lines, a, b, r, solutions, chosen, l1.m_layer, changed);
}

int CCircleCommand::AddTangentCircleToLineAndCircle(int length, int line, int circle, int& changed)
{
    ClearCandidates();
    changed = 0;
    const double r = std::fabs(m_values[length].value);
    const CLine& l = m_pickedLines[line];
    const CCircle& k = m_pickedCircles[circle];
    CPointD ls, le, rs, re;
    l.OffsetEnds(1, r, ls, le);
    l.OffsetEnds(0, r, rs, re);
    const CCircle outer = CircleOfRadius(k.m_centre, k.m_radius + r);
    const CCircle inner = CircleOfRadius(k.m_centre, std::fabs(k.m_radius - r));
    const bool innerExists = inner.m_radius > 0.0;
    const struct {
        CLine offset;
        const CCircle* around;
    } sets[4] = { { LineThrough(ls, le), &outer },
                  { LineThrough(ls, le), innerExists ? &inner : nullptr },
                  { LineThrough(rs, re), &outer },
                  { LineThrough(rs, re), innerExists ? &inner : nullptr } };
    std::vector<Solution> solutions;
    for (const auto& set : sets) {
        if (!set.around)
            continue;
        CPointD p1, p2;
        int on1 = 0, on2 = 0;
        const int n = IntersectLineCircle(set.offset, *set.around, p1, p2, on1, on2);
        if (n >= 1)
            solutions.push_back({ p1, Distance(p1, m_previewCentre) });
        if (n == 2)
            solutions.push_back({ p2, Distance(p2, m_previewCentre) });
    }
    if (solutions.empty())
        return 0;
    const Operand lineOperand{ true, l, CCircle() };
    const Operand circleOperand{ false, CLine(), k };
    const bool lineFirst = line < circle;
    return MakeRounding(*this, Pair::LineCircle, lineFirst ? lineOperand : circleOperand,
                        lineFirst ? circleOperand : lineOperand, r, solutions, NearestSolution(solutions), l.m_layer,
                        changed);
}

int CCircleCommand::AddTangentCircleToTwoCircles(int length, int first, int second, int& changed)
{
    ClearCandidates();
    changed = 0;
    const double r = std::fabs(m_values[length].value);
    const CCircle& k1 = m_pickedCircles[first];
    const CCircle& k2 = m_pickedCircles[second];
    const bool circleCommand = m_circleFlag == 1;
    if (PointsNearlyEqual(k1.m_centre, k2.m_centre)) {
        if (g_pApp)
            g_pApp->ShowMessage(circleCommand ? "指定の２つの接円(弧)が同心なので半径指定の円は作成できません"
                                              : "指定の２つの接円(弧)が同心なので半径指定の円弧は作成できません",
                                1);
        return 0;
    }
    const CCircle e1 = CircleOfRadius(k1.m_centre, k1.m_radius + r);
    const CCircle i1 = CircleOfRadius(k1.m_centre, std::fabs(k1.m_radius - r));
    const CCircle e2 = CircleOfRadius(k2.m_centre, k2.m_radius + r);
    const CCircle i2 = CircleOfRadius(k2.m_centre, std::fabs(k2.m_radius - r));
    const bool i1Exists = !NearlyEqual(i1.m_radius, 0.0) && i1.m_radius > 0.0;
    const bool i2Exists = !NearlyEqual(i2.m_radius, 0.0) && i2.m_radius > 0.0;
    const struct {
        const CCircle* a;
        const CCircle* b;
        bool exists;
    } sets[4] = { { &e1, &e2, true }, { &e1, &i2, i2Exists }, { &i1, &e2, i1Exists }, { &i1, &i2, i1Exists && i2Exists } };
    std::vector<Solution> solutions;
    for (const auto& set : sets) {
        if (!set.exists)
            continue;
        CPointD p1, p2;
        const int n = IntersectCircles(*set.a, *set.b, p1, p2);
        if (n >= 1)
            solutions.push_back({ p1, Distance(p1, m_previewCentre) });
        if (n == 2)
            solutions.push_back({ p2, Distance(p2, m_previewCentre) });
    }
    if (solutions.empty()) {
        if (g_pApp)
            g_pApp->ShowMessage(circleCommand ? "指定半径で指定の２円(弧)に接する円は作成できません"
                                              : "指定半径で指定の２円(弧)に接する円弧は作成できません",
                                1);
        return 0;
    }
    const Operand a{ false, CLine(), k1 };
    const Operand b{ false, CLine(), k2 };
    int layer = k1.m_layer;
    if (m_stepOptions[1] == 1 && m_pickedRefs[0].m_kind == ELEM_ARC) {
        if (const CArc* arc = m_doc->GetArcElem(m_pickedRefs[0].m_block, m_pickedRefs[0].m_slot))
            layer = arc->m_layer;
    }
    return MakeRounding(*this, Pair::Circles, a, b, r, solutions, NearestSolution(solutions), layer, changed);
}
