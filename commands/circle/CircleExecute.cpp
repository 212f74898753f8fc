// The circle command's execution of a complete pattern: the token string is matched whole against
// the patterns of its section, the bound construction or edit runs with the token positions of
// its operands, and the completion message and the undo step follow. The simplest constructions
// (about a centre, on a diameter, through three points, and the two lines) run here.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/AppElem.h"
#include "app/ZelkApp.h"
#include "commands/circle/CountOf.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"

namespace {

const char* const kMsgNewLayer = "新レイヤに作成モードで新レイヤを作りました";
const char* const kMsgLineMade = " 円(弧)コマンドの中で２点線分を作成しました";
const char* const kMsgTangentLineMade = " 円(弧)コマンドの中で接線を作成しました";
const char* const kMsgNoTangentLine = "接線は作成できません";
const char* const kCannot = "は作成できません";

// What the dispatch does once the routine of a pattern returned.
enum class After {
    GoOn,       // an incomplete pattern: nothing runs, 0
    Made,       // nonzero: commit kind 1; 1 either way
    Rounding,   // as Made, kind 3 when a picked element was trimmed
    Line,       // a line of the dispatch: a refused line goes on (0)
    Mark,       // a direction mark prepared the next step: 0
    Edit,       // nonzero: commit kind 3 (kind 1 for the arc command's own edit circle); 1
    Ellipse,    // nonzero: kind 1, the edited element retired, kind 2; 1 either way
    Unrecorded, // the routine records its own step; 1
    Switch,     // the creation environment becomes the selected element's; 0
};

// The completion texts of the constructions about a centre and of the fixed-radius tangents.
// An arc-command text with editCircle 1 belongs to an edit circle the arc is cut from later.
struct Completion {
    const char* circle;
    int onMessageLine;
    const char* arc;
    int editCircle;
};

const Completion kCentreRadius = { " 中心･半径の円を作成しました", 0, " 中心･半径の編集円を表示しました", 1 };
const Completion kCentrePoint = { nullptr, 0, " 中心･円周点の編集円を表示しました", 1 };
const Completion kCentreLine = { " 中心･線分の接円を作成しました", 0, " 中心･線分の編集接円を表示しました", 1 };
const Completion kCentreCircle = { " 中心･円(弧)の接円を作成しました", 0, " 中心･円(弧)の編集接円を表示しました", 1 };
const Completion kRadiusPointLine = { "半径･点･線分の接円を作成しました", 0, " 半径･点･線分の接円を作成しました", 0 };
const Completion kRadiusPointCircle = { "半径･点･円(弧)の接円を作成しました", 0, " 半径･点･円(弧)の接円を作成しました", 0 };
const Completion kRadiusLineTangent = { "半径･線分･接点の接円を作成しました", 1, " 半径･線分･接点の編集接円を表示しました", 1 };
const Completion kRadiusCircleTangent = { "半径･円(弧)･接点の接円を作成しました", 1,
                                          " 半径･円(弧)･接点の編集接円を表示しました", 1 };

using Routine = int (*)(CCircleCommand&, int& changed);

struct Row {
    const char* pattern;
    After after;
    Routine run;
    const Completion* completion;
};

CZelkApp* App() { return g_pApp; }

CString KindWord(const CCircleCommand& c) { return c.m_circleFlag == 1 ? "円" : "円弧"; }

void Refuse(const CCircleCommand& c, const CString& head)
{
    if (App())
        App()->ShowMessageParts(head, KindWord(c), kCannot, "", "", 1);
}

CPointD PointAt(CCircleCommand& c, int k) { return c.m_inputPoints[k].GetEffective(c.m_doc, 1); }
double ValueAt(const CCircleCommand& c, int k) { return c.m_values[k].value; }

CPointD Polar(CPointD from, double length, double theta)
{
    CPointD p;
    p.Init(from.m_x + length * std::cos(theta), from.m_y + length * std::sin(theta));
    return p;
}

CPointD Midpoint(CPointD a, CPointD b)
{
    CPointD m;
    m.Init((a.m_x + b.m_x) * 0.5, (a.m_y + b.m_y) * 0.5);
    return m;
}

// A circle, or in the arc command the half arc running counterclockwise from the end a.
int AddCircleOrHalfArc(CCircleCommand& c, CPointD centre, double radius, CPointD a)
{
    if (c.m_circleFlag == 1)
        return c.AddCircle(centre, radius, 1);
    double start = PointsAngleDeg(centre, a);
    double end = start + 180.0;
    NormalizeArcAnglesDeg(start, end);
    std::int16_t block = -1, slot = -1;
    return c.AddArc(centre, radius, start, end, block, slot, 1, 0);
}

int AddUnderLayerRule(CCircleCommand& c, int referenceLayer, CPointD centre, double radius, int final)
{
    const std::int16_t layer = c.EnterLayerRule(referenceLayer);
    const int added = c.AddCircle(centre, radius, final);
    c.LeaveLayerRule(layer);
    return added;
}

// A circle on the diameter p0-p1; in the arc command the half arc from p0 to p1.
int OnDiameter(CCircleCommand& c, CPointD p0, CPointD p1, const char* refusal)
{
    if (PointsNearlyEqual(p0, p1)) {
        Refuse(c, refusal);
        return 0;
    }
    const CPointD m = Midpoint(p0, p1);
    const std::int16_t layer = c.EnterLayerRule(-1);
    const int added = AddCircleOrHalfArc(c, m, Distance(m, p0), p0);
    c.LeaveLayerRule(layer);
    return added;
}

// A line the circle command draws: -1 when the ends coincide (the pattern goes on quietly).
int DrawLine(CCircleCommand& c, CPointD first, CPointD second, const char* made)
{
    std::int16_t block = -1, slot = -1;
    if (!c.AddLine(first, second, block, slot, 1, 0))
        return -1;
    if (!App() || App()->m_appElem.m_layerCondition != 2)
        c.m_doc->RedrawChangedElements(1);
    if (App())
        App()->ShowResultMessage(made, 0);
    return 1;
}

// ---- constructions of the dispatch ------------------------------------------------------------

int CentrePoint(CCircleCommand& c, int&)
{
    const int ref = c.m_circleCentreFlag ? c.m_pickedCircles[0].m_layer : -1;
    const CPointD centre = PointAt(c, 0);
    return AddUnderLayerRule(c, ref, centre, Distance(centre, PointAt(c, 1)), c.m_circleFlag);
}

int CentreLine(CCircleCommand& c, int&)
{
    const CPointD centre = PointAt(c, 0);
    double r = 0.0;
    if (!SignedDistanceToLineRec(c.m_pickedLines[1], centre, r))
        return 0;
    return AddUnderLayerRule(c, c.m_pickedLines[1].m_layer, centre, std::fabs(r), c.m_circleFlag);
}

int CentreCircle(CCircleCommand& c, int&)
{
    const CCircle& circle = c.m_pickedCircles[1];
    const CPointD p = PointAt(c, 0);
    double gap = 0.0, d = 0.0;
    CircleRadialGap(circle, p, gap);
    const double theta = PointsAngleRadLen(p, circle.m_centre, d);
    const CPointD a = Polar(p, -gap, theta);
    const CPointD b = Polar(p, 2.0 * circle.m_radius - gap, theta);
    const CPointD t = c.m_pickPoints[1].Nearer(a, b);
    const double radius = (t.m_x == a.m_x && t.m_y == a.m_y) ? -gap : 2.0 * circle.m_radius - gap;
    return AddUnderLayerRule(c, circle.m_layer, p, std::fabs(radius), c.m_circleFlag);
}

int Diameter(CCircleCommand& c, int&)
{
    return OnDiameter(c, PointAt(c, 0), PointAt(c, 1), "対向２点が同一で");
}

int DiameterByDirection(CCircleCommand& c, int&)
{
    const CPointD p0 = PointAt(c, 0);
    const CPointD p2 = PointAt(c, 2);
    const double theta = ValueAt(c, 1) * PI / 180.0;
    CLine work;
    work.m_start = p0;
    work.m_end = Polar(p0, Distance(p0, p2), theta);
    CPointD foot = p0;
    double d = 0.0;
    if (!PointsNearlyEqual(p0, p2))
        work.FootOfPerpendicular(work.GetDirectionKind(), p2, foot, d);
    return OnDiameter(c, p0, foot, "直径位置点から得られる直径が零で");
}

int ThreePoints(CCircleCommand& c, int&)
{
    const CPointD p0 = PointAt(c, 0), p1 = PointAt(c, 1), p2 = PointAt(c, 2);
    if (PointsNearlyEqual(p1, p2))
        return DrawLine(c, p0, p2, kMsgLineMade);
    CPointD centre;
    double radius = 0.0;
    double angles[2] = { 0.0, 0.0 };
    int ccw = 0;
    if (!CircleThrough3Points(p0, p1, p2, centre, radius, angles, ccw)) {
        Refuse(c, "３点");
        return 0;
    }
    const std::int16_t layer = c.EnterLayerRule(-1);
    int added = 0;
    if (c.m_circleFlag == 1) {
        added = c.AddCircle(centre, radius, 1);
    } else {
        double start = angles[0], end = angles[1];
        if (!ccw)
            SwapDoubles(start, end);
        NormalizeArcAnglesDeg(start, end);
        std::int16_t block = -1, slot = -1;
        added = c.AddArc(centre, radius, start, end, block, slot, 1, 0);
    }
    c.LeaveLayerRule(layer);
    return added;
}

int TwoPointLine(CCircleCommand& c, int&)
{
    return DrawLine(c, PointAt(c, 0), PointAt(c, 2), kMsgLineMade);
}

int TangentLineOrCircle(CCircleCommand& c, int&)
{
    const CPointD p = PointAt(c, 0);
    if (!PointsNearlyEqual(p, PointAt(c, 1)))
        return c.TangentToCircleThroughTwoPoints(2, 0, 1);
    const CCircle& circle = c.m_pickedCircles[2];
    const double rc = circle.m_radius;
    double d = 0.0;
    const double theta = PointsAngleRadLen(circle.m_centre, p, d);
    if (NearlyEqual(d, rc) || d < rc || NearlyEqual(rc, 0.0)) {
        if (App())
            App()->ShowMessage(kMsgNoTangentLine, 1);
        return 0;
    }
    const double alpha = std::acos(rc / d);
    const CPointD t1 = Polar(circle.m_centre, rc, theta - alpha);
    const CPointD t2 = Polar(circle.m_centre, rc, theta + alpha);
    if (DrawLine(c, p, c.m_pickPoints[2].Nearer(t1, t2), kMsgTangentLineMade) > 0)
        return 1;
    if (App())
        App()->ShowMessage(kMsgNoTangentLine, 1);
    return 0;
}

// The polygon's operands: count, centre, size and angle positions; a size position of -1 takes
// the distance from the centre to the point after it, an angle position of -1 the drawing's
// coordinate rotation.
int Polygon(CCircleCommand& c, int count, int centre, int size, int sizePoint, int angle)
{
    const CPointD middle = PointAt(c, centre);
    const double length = size >= 0 ? ValueAt(c, size) : Distance(middle, PointAt(c, sizePoint));
    const double direction = angle >= 0 ? ValueAt(c, angle) : c.m_doc->m_relAngle;
    return c.AddRegularPolygon(CountOf(ValueAt(c, count)), middle, length, direction);
}

#define RUN(call) [](CCircleCommand& c, int& changed) -> int { (void)changed; return c.call; }
#define RUN_MARK(call) [](CCircleCommand& c, int& changed) -> int { (void)changed; c.call; return 0; }
#define DO(fn) [](CCircleCommand& c, int& changed) -> int { return fn(c, changed); }

const Row kCreation[] = {
    { "P", After::GoOn, nullptr, nullptr },
    { "PD", After::Made, RUN(AddCircleByCentreAndRadius(0, 1)), &kCentreRadius },
    { "PP", After::Made, DO(CentrePoint), &kCentrePoint },
    { "PL", After::Made, DO(CentreLine), &kCentreLine },
    { "PC", After::Made, DO(CentreCircle), &kCentreCircle },
    { "D", After::GoOn, nullptr, nullptr },
    { "DP", After::Made, RUN(AddCircleByCentreAndRadius(1, 0)), &kCentreRadius },
    { "DL", After::GoOn, nullptr, nullptr },
    { "DC", After::GoOn, nullptr, nullptr },
    { "DB", After::GoOn, nullptr, nullptr },
    { "DLP", After::Made, RUN(AddTangentCircleToLineThroughPoint(0, 1, 2)), &kRadiusPointLine },
    { "DBL", After::Made, RUN(AddTangentCircleToLineThroughPoint(0, 2, 1)), &kRadiusPointLine },
    { "DCP", After::Made, RUN(AddTangentCircleToCircleThroughPoint(2, 0, 1)), &kRadiusPointCircle },
    { "DBC", After::Made, RUN(AddTangentCircleToCircleThroughPoint(1, 0, 2)), &kRadiusPointCircle },
    { "DLH", After::Made, RUN(AddTangentCircleAtLinePoint(0, 1, 2)), &kRadiusLineTangent },
    { "DCH", After::Made, RUN(AddTangentCircleAtCirclePoint(0, 1, 2)), &kRadiusCircleTangent },
    { "DLL", After::Rounding, RUN(AddTangentCircleToTwoLines(0, 1, 2, changed)), nullptr },
    { "DLC", After::Rounding, RUN(AddTangentCircleToLineAndCircle(0, 1, 2, changed)), nullptr },
    { "DCL", After::Rounding, RUN(AddTangentCircleToLineAndCircle(0, 2, 1, changed)), nullptr },
    { "DCC", After::Rounding, RUN(AddTangentCircleToTwoCircles(0, 1, 2, changed)), nullptr },
    { "DBP", After::Made, RUN(AddCircleByTwoPointsAndRadius(1, 2, 0)), nullptr },
    { "DN", After::GoOn, nullptr, nullptr },
    { "DNA", After::GoOn, nullptr, nullptr },
    { "DNP", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 1, 2, 0, -1, -1); }, nullptr },
    { "DNAP", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 1, 3, 0, -1, 2); }, nullptr },
    { "B", After::GoOn, nullptr, nullptr },
    { "BS", After::GoOn, nullptr, nullptr },
    { "BSE", After::Line, DO(TwoPointLine), nullptr },
    { "BP", After::GoOn, nullptr, nullptr },
    { "BPP", After::Line, DO(ThreePoints), nullptr },
    { "BPD", After::Made, RUN(AddCircleByTwoPointsAndRadius(0, 1, 2)), nullptr },
    { "BPA", After::Made, RUN(AddCircleByArcAngle(2, 0, 1)), nullptr },
    { "BPL", After::Made, RUN(AddCircleThroughTwoPointsTangentToLine(0, 1, 2)), nullptr },
    { "BPC", After::Made, DO(TangentLineOrCircle), nullptr },
    { "BD", After::GoOn, nullptr, nullptr },
    { "BDA", After::Made, RUN(AddCircleByPointAngleRadius(0, 2, 1)), nullptr },
    { "BDP", After::Made, RUN(AddCircleByPointRadiusTowardPoint(0, 1, 2)), nullptr },
    { "BB", After::Made, DO(Diameter), nullptr },
    { "BA", After::GoOn, nullptr, nullptr },
    { "BAD", After::Made, RUN(AddCircleByPointAngleRadius(0, 1, 2)), nullptr },
    { "BAP", After::Made, DO(DiameterByDirection), nullptr },
    { "BL", After::GoOn, nullptr, nullptr },
    { "BC", After::GoOn, nullptr, nullptr },
    { "BLP", After::Made, RUN(AddCircleThroughTwoPointsTangentToLine(0, 2, 1)), nullptr },
    { "BCP", After::Made, RUN(TangentToCircleThroughTwoPoints(1, 0, 2)), nullptr },
    { "BLH", After::Made, RUN(AddCircleThroughPointTangentAtLinePoint(0, 1, 2)), nullptr },
    { "BCH", After::Made, RUN(TangentAtPointThroughPoint(0, 1, 2)), nullptr },
    { "BLL", After::Made, RUN(AddCircleThroughPointTangentToTwoLines(0, 1, 2)), nullptr },
    { "BLC", After::Made, RUN(TangentToLineCircleThroughPoint(1, 2, 0)), nullptr },
    { "BCL", After::Made, RUN(TangentToLineCircleThroughPoint(2, 1, 0)), nullptr },
    { "BCC", After::Made, RUN(TangentToTwoCirclesThroughPoint(1, 0, 2)), nullptr },
    { "A", After::GoOn, nullptr, nullptr },
    { "AP", After::GoOn, nullptr, nullptr },
    { "APP", After::Made, RUN(AddCircleByArcAngle(0, 1, 2)), nullptr },
    { "L", After::GoOn, nullptr, nullptr },
    { "LP", After::GoOn, nullptr, nullptr },
    { "LPP", After::Made, RUN(AddCircleThroughTwoPointsTangentToLine(1, 2, 0)), nullptr },
    { "LPL", After::Made, RUN(AddCircleThroughPointTangentToTwoLines(1, 0, 2)), nullptr },
    { "LPC", After::Made, RUN(TangentToLineCircleThroughPoint(0, 2, 1)), nullptr },
    { "LD", After::GoOn, nullptr, nullptr },
    { "LH", After::GoOn, nullptr, nullptr },
    { "LHP", After::Made, RUN(AddCircleThroughPointTangentAtLinePoint(2, 0, 1)), nullptr },
    { "LHL", After::Made, RUN(AddCircleTangentToTwoLinesAtPoint(0, 2, 1)), nullptr },
    { "LHC", After::Made, RUN(TangentToLineCircleThroughPoint(0, 2, 1)), nullptr },
    { "LL", After::GoOn, nullptr, nullptr },
    { "LLP", After::Made, RUN(AddCircleThroughPointTangentToTwoLines(2, 0, 1)), nullptr },
    { "LLH", After::Made, RUN(AddCircleTangentToTwoLinesAtPoint(0, 1, 2)), nullptr },
    { "LLL", After::Made, RUN(AddCircleTangentToThreeLines(0, 1, 2)), nullptr },
    { "LLC", After::Made, RUN(AddCircleTangentToTwoLinesAndCircle(0, 1, 2)), nullptr },
    { "LC", After::GoOn, nullptr, nullptr },
    { "LCP", After::Made, RUN(TangentToLineCircleThroughPoint(0, 1, 2)), nullptr },
    { "LCH", After::Made, RUN(TangentToLineCircleThroughPoint(0, 1, 2)), nullptr },
    { "LCL", After::Made, RUN(AddCircleTangentToTwoLinesAndCircle(0, 2, 1)), nullptr },
    { "LCC", After::Made, RUN(AddCircleTangentToLineAndTwoCircles(0, 1, 2)), nullptr },
    { "C", After::GoOn, nullptr, nullptr },
    { "CP", After::GoOn, nullptr, nullptr },
    { "CPP", After::Made, RUN(TangentToCircleThroughTwoPoints(0, 1, 2)), nullptr },
    { "CPL", After::Made, RUN(TangentToLineCircleThroughPoint(2, 0, 1)), nullptr },
    { "CPC", After::Made, RUN(TangentToTwoCirclesThroughPoint(0, 1, 2)), nullptr },
    { "CH", After::GoOn, nullptr, nullptr },
    { "CHP", After::Made, RUN(TangentAtPointThroughPoint(2, 0, 1)), nullptr },
    { "CHL", After::Made, RUN(TangentToLineCircleThroughPoint(2, 0, 1)), nullptr },
    { "CHC", After::Made, RUN(TangentToTwoCirclesThroughPoint(0, 1, 2)), nullptr },
    { "CL", After::GoOn, nullptr, nullptr },
    { "CLP", After::Made, RUN(TangentToLineCircleThroughPoint(1, 0, 2)), nullptr },
    { "CLH", After::Made, RUN(TangentToLineCircleThroughPoint(1, 0, 2)), nullptr },
    { "CLL", After::Made, RUN(AddCircleTangentToTwoLinesAndCircle(1, 2, 0)), nullptr },
    { "CLC", After::Made, RUN(AddCircleTangentToLineAndTwoCircles(1, 0, 2)), nullptr },
    { "CC", After::GoOn, nullptr, nullptr },
    { "CCP", After::Made, RUN(TangentToTwoCirclesThroughPoint(0, 2, 1)), nullptr },
    { "CCH", After::Made, RUN(TangentToTwoCirclesThroughPoint(0, 2, 1)), nullptr },
    { "CCL", After::Made, RUN(AddCircleTangentToLineAndTwoCircles(2, 0, 1)), nullptr },
    { "CCC", After::Made, RUN(TangentToThreeCircles(0, 1, 2)), nullptr },
    { "N", After::GoOn, nullptr, nullptr },
    { "NP", After::GoOn, nullptr, nullptr },
    { "NPD", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 0, 1, 2, -1, -1); }, nullptr },
    { "NPP", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 0, 1, -1, 2, -1); }, nullptr },
    { "NA", After::GoOn, nullptr, nullptr },
    { "NPA", After::GoOn, nullptr, nullptr },
    { "NAP", After::GoOn, nullptr, nullptr },
    { "NPAD", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 0, 1, 3, -1, 2); }, nullptr },
    { "NPAP", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 0, 1, -1, 3, 2); }, nullptr },
    { "NAPD", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 0, 2, 3, -1, 1); }, nullptr },
    { "NAPP", After::Made, [](CCircleCommand& c, int&) { return Polygon(c, 0, 2, -1, 3, 1); }, nullptr },
};

#undef DO

// Operands of the circle-edit section count from the "%": the routines read the position p of
// the "%" from the command's token string through this.
int PercentAt(const CCircleCommand& c) { return c.m_tokenString.Find('%'); }

#define EDIT(call) [](CCircleCommand& c, int& changed) -> int { (void)changed; const int p = PercentAt(c); (void)p; return c.call; }
// A direction mark answers nothing: the dispatch goes on as after any mark.
#define EDIT_MARK(call) [](CCircleCommand& c, int& changed) -> int { (void)changed; const int p = PercentAt(c); c.call; return 0; }

const Row kCircleEdit[] = {
    { "%", After::Switch, nullptr, nullptr },
    { "%D", After::Edit, EDIT(ChangeCircleRadius(p + 1)), nullptr },
    { "%P", After::Mark, EDIT_MARK(MarkStartAtPoint(p + 1)), nullptr },
    { "%p", After::Mark, EDIT_MARK(MarkStartAtPoint(p + 1)), nullptr },
    { "%A", After::Mark, EDIT_MARK(MarkStartAtAngle(p + 1)), nullptr },
    { "%L", After::Mark, EDIT_MARK(MarkStartAtLineCrossing(p + 1)), nullptr },
    { "%l", After::Mark, EDIT_MARK(MarkStartAtLineCrossing(p + 1)), nullptr },
    { "%C", After::Mark, EDIT_MARK(MarkStartAtCircleCrossing(p + 1)), nullptr },
    { "%c", After::Mark, EDIT_MARK(MarkStartAtCircleCrossing(p + 1)), nullptr },
    { "%PP", After::Edit, EDIT(CircleToArcByPoints(p + 1, p + 2, 0)), nullptr },
    { "%pp", After::Edit, EDIT(CircleToArcByPoints(p + 1, p + 2, 1)), nullptr },
    { "%pP", After::Edit, EDIT(CircleToArcByPoints(p + 1, p + 2, 1)), nullptr },
    { "%PA", After::Edit, EDIT(CircleToArcByPointAndAngle(p + 1, p + 2, 0)), nullptr },
    { "%AP", After::Edit, EDIT(CircleToArcByPointAndAngle(p + 2, p + 1, 0)), nullptr },
    { "%pA", After::Edit, EDIT(CircleToArcByPointAndAngle(p + 1, p + 2, 1)), nullptr },
    { "%Ap", After::Edit, EDIT(CircleToArcByPointAndAngle(p + 2, p + 1, 1)), nullptr },
    { "%PL", After::Edit, EDIT(CircleToArcByPointAndLine(p + 1, p + 2, 0)), nullptr },
    { "%LP", After::Edit, EDIT(CircleToArcByPointAndLine(p + 2, p + 1, 0)), nullptr },
    { "%pl", After::Edit, EDIT(CircleToArcByPointAndLine(p + 1, p + 2, 1)), nullptr },
    { "%pL", After::Edit, EDIT(CircleToArcByPointAndLine(p + 1, p + 2, 1)), nullptr },
    { "%lp", After::Edit, EDIT(CircleToArcByPointAndLine(p + 2, p + 1, 1)), nullptr },
    { "%lP", After::Edit, EDIT(CircleToArcByPointAndLine(p + 2, p + 1, 1)), nullptr },
    { "%PC", After::Edit, EDIT(CircleToArcByPointAndCircle(p + 1, p + 2, 0)), nullptr },
    { "%CP", After::Edit, EDIT(CircleToArcByPointAndCircle(p + 2, p + 1, 0)), nullptr },
    { "%pc", After::Edit, EDIT(CircleToArcByPointAndCircle(p + 1, p + 2, 1)), nullptr },
    { "%pC", After::Edit, EDIT(CircleToArcByPointAndCircle(p + 1, p + 2, 1)), nullptr },
    { "%cp", After::Edit, EDIT(CircleToArcByPointAndCircle(p + 2, p + 1, 1)), nullptr },
    { "%cP", After::Edit, EDIT(CircleToArcByPointAndCircle(p + 2, p + 1, 1)), nullptr },
    { "%AA", After::Edit, EDIT(CircleToArcByAngles(p + 1, p + 2, 0)), nullptr },
    { "%AL", After::Edit, EDIT(CircleToArcByAngleAndLine(p + 1, p + 2, 0)), nullptr },
    { "%LA", After::Edit, EDIT(CircleToArcByAngleAndLine(p + 2, p + 1, 0)), nullptr },
    { "%Al", After::Edit, EDIT(CircleToArcByAngleAndLine(p + 1, p + 2, 1)), nullptr },
    { "%lA", After::Edit, EDIT(CircleToArcByAngleAndLine(p + 2, p + 1, 1)), nullptr },
    { "%AC", After::Edit, EDIT(CircleToArcByAngleAndCircle(p + 1, p + 2, 0)), nullptr },
    { "%CA", After::Edit, EDIT(CircleToArcByAngleAndCircle(p + 2, p + 1, 0)), nullptr },
    { "%Ac", After::Edit, EDIT(CircleToArcByAngleAndCircle(p + 1, p + 2, 1)), nullptr },
    { "%cA", After::Edit, EDIT(CircleToArcByAngleAndCircle(p + 2, p + 1, 1)), nullptr },
    { "%LL", After::Edit, EDIT(CircleToArcByLines(p + 1, p + 2, 0)), nullptr },
    { "%ll", After::Edit, EDIT(CircleToArcByLines(p + 1, p + 2, 1)), nullptr },
    { "%lL", After::Edit, EDIT(CircleToArcByLines(p + 1, p + 2, 1)), nullptr },
    { "%LC", After::Edit, EDIT(CircleToArcByLineAndCircle(p + 1, p + 2, 0)), nullptr },
    { "%CL", After::Edit, EDIT(CircleToArcByLineAndCircle(p + 2, p + 1, 0)), nullptr },
    { "%lc", After::Edit, EDIT(CircleToArcByLineAndCircle(p + 1, p + 2, 1)), nullptr },
    { "%lC", After::Edit, EDIT(CircleToArcByLineAndCircle(p + 1, p + 2, 1)), nullptr },
    { "%cl", After::Edit, EDIT(CircleToArcByLineAndCircle(p + 2, p + 1, 1)), nullptr },
    { "%cL", After::Edit, EDIT(CircleToArcByLineAndCircle(p + 2, p + 1, 1)), nullptr },
    { "%CC", After::Edit, EDIT(CircleToArcByCircles(p + 1, p + 2, 0)), nullptr },
    { "%cc", After::Edit, EDIT(CircleToArcByCircles(p + 1, p + 2, 1)), nullptr },
    { "%cC", After::Edit, EDIT(CircleToArcByCircles(p + 1, p + 2, 1)), nullptr },
    { "%Q", After::Edit, RUN(ChangeCircleAttributes()), nullptr },
    { "%J", After::GoOn, nullptr, nullptr },
    { "%JP", After::Ellipse, RUN(CircleToEllipseThroughPoint(1)), nullptr },
    { "%JR", After::Ellipse, RUN(CircleToEllipseByRatio(1)), nullptr },
};

#undef EDIT
#undef EDIT_MARK

// The arc edits commit kind 3 whoever runs them: Edit does so with an edit flag set, which an
// edit of an arc always has.
const Row kArcEdit[] = {
    { "#", After::Switch, nullptr, nullptr },
    { "#P", After::Edit, RUN(MoveArcEndToPoint(1, 1, 0)), nullptr },
    { "#L", After::Edit, RUN(MoveArcEndToLine(1)), nullptr },
    { "#C", After::Edit, RUN(MoveArcEndToCircle(1)), nullptr },
    { "#A", After::Edit, RUN(MoveArcEndToAngle(1)), nullptr },
    { "#D", After::Edit, RUN(ChangeArcRadius(1)), nullptr },
    { "#S", After::GoOn, nullptr, nullptr },
    { "#E", After::GoOn, nullptr, nullptr },
    { "#SP", After::Edit, RUN(MoveArcEndToPoint(2, 0, 1)), nullptr },
    { "#EP", After::Edit, RUN(MoveArcEndToPoint(2, 0, 2)), nullptr },
    { "#p", After::Mark, RUN_MARK(MarkStartAtPoint(1)), nullptr },
    { "#pp", After::Edit, RUN(CutArcByPoints(1, 2)), nullptr },
    { "#pP", After::Edit, RUN(CutArcByPoints(1, 2)), nullptr },
    { "#pl", After::Edit, RUN(CutArcByPointAndLine(1, 2)), nullptr },
    { "#pL", After::Edit, RUN(CutArcByPointAndLine(1, 2)), nullptr },
    { "#lp", After::Edit, RUN(CutArcByPointAndLine(2, 1)), nullptr },
    { "#lP", After::Edit, RUN(CutArcByPointAndLine(2, 1)), nullptr },
    { "#pc", After::Edit, RUN(CutArcByPointAndCircle(1, 2)), nullptr },
    { "#pC", After::Edit, RUN(CutArcByPointAndCircle(1, 2)), nullptr },
    { "#cp", After::Edit, RUN(CutArcByPointAndCircle(2, 1)), nullptr },
    { "#cP", After::Edit, RUN(CutArcByPointAndCircle(2, 1)), nullptr },
    { "#pA", After::Edit, RUN(CutArcByPointAndAngle(1, 2)), nullptr },
    { "#lA", After::Edit, RUN(CutArcByLineAndAngle(1, 2)), nullptr },
    { "#cA", After::Edit, RUN(CutArcByCircleAndAngle(1, 2)), nullptr },
    { "#l", After::Mark, RUN_MARK(MarkStartAtLineCrossing(1)), nullptr },
    { "#ll", After::Edit, RUN(CutArcByLines(1, 2)), nullptr },
    { "#lL", After::Edit, RUN(CutArcByLines(1, 2)), nullptr },
    { "#lc", After::Edit, RUN(CutArcByLineAndCircle(1, 2)), nullptr },
    { "#lC", After::Edit, RUN(CutArcByLineAndCircle(1, 2)), nullptr },
    { "#cl", After::Edit, RUN(CutArcByLineAndCircle(2, 1)), nullptr },
    { "#cL", After::Edit, RUN(CutArcByLineAndCircle(2, 1)), nullptr },
    { "#c", After::Mark, RUN_MARK(MarkStartAtCircleCrossing(1)), nullptr },
    { "#cc", After::Edit, RUN(CutArcByCircles(1, 2)), nullptr },
    { "#cC", After::Edit, RUN(CutArcByCircles(1, 2)), nullptr },
    { "#Q", After::Edit, RUN(ChangeArcAttributes()), nullptr },
    { "#JP", After::Ellipse, RUN(ArcToEllipticArcThroughPoint(1)), nullptr },
    { "#JR", After::Ellipse, RUN(ArcToEllipticArcByRatio(1)), nullptr },
    { "&V", After::Unrecorded, RUN(ConvertConicToArcCurve(1)), nullptr },
};

#undef RUN
#undef RUN_MARK

template <size_t N>
const Row* Find(const Row (&rows)[N], const CString& pattern)
{
    for (const Row& row : rows) {
        if (pattern == row.pattern)
            return &row;
    }
    return nullptr;
}

void Commit(CCircleCommand& c, int kind)
{
    if (c.m_doc && c.m_doc->m_undoHistory)
        c.m_doc->m_undoHistory->Commit(kind);
}

// A completion text after a construction made something; 0 when the arc command keeps the new
// circle as its edit circle, and the pattern goes on with "%".
int Complete(CCircleCommand& c, const Completion& done)
{
    CZelkApp* app = App();
    if (c.m_circleFlag == 0) {
        if (done.editCircle)
            c.StartEditOfAddedCircle();
        if (app)
            app->ShowResultMessage(done.arc, 0);
        return done.editCircle ? 0 : 1;
    }
    if (app && done.circle) {
        if (done.onMessageLine)
            app->ShowMessage(done.circle, 0);
        else
            app->ShowResultMessage(done.circle, 0);
    }
    return 1;
}

} // namespace

int CCircleCommand::Execute()
{
    const CString& t = m_tokenString;
    if (t.IsEmpty())
        return 0;
    const int p = t.Find('%');
    const Row* row = p >= 0 ? Find(kCircleEdit, t.Mid(p)) : m_editFlag ? Find(kArcEdit, t) : Find(kCreation, t);
    if (!row)
        return 0;

    if (row->after == After::GoOn) {
        if (t == "D" && App())
            App()->m_appElem.SetLastCommandKind(2);
        return 0;
    }
    if (row->after == After::Switch) {
        // The arc command's "%" stands only for its edit circle.
        if (p < 0 || m_circleFlag == 1) {
            if (CZelkApp* app = App()) {
                m_savedCreationMode = static_cast<std::int16_t>(app->m_appElem.m_creationEnv);
                app->SetCreationEnvSelected();
            }
        }
        return 0;
    }

    int changed = 0;
    const int made = row->run(*this, changed);
    switch (row->after) {
    case After::Made:
        if (!made)
            return 1;
        if (row->completion && !Complete(*this, *row->completion))
            return 0;
        Commit(*this, 1);
        return 1;
    case After::Rounding:
        if (made) {
            Commit(*this, changed ? 3 : 1);
        } else if (t == "DLC" || t == "DCL") {
            Refuse(*this, "指定の半径で指定の線分と円弧に接する");
        }
        return 1;
    case After::Line:
        if (made < 0)
            return 0;
        if (made)
            Commit(*this, 1);
        return 1;
    case After::Mark:
        return 0;
    case After::Edit:
        if (made)
            Commit(*this, m_instance != 0 || m_editFlag ? 3 : 1);
        return 1;
    case After::Ellipse:
        if (made) {
            Commit(*this, 1);
            DeleteEditedElement();
            Commit(*this, 2);
        }
        return 1;
    default:
        return 1;
    }
}

// ---- the layer rule and the constructions that are members -----------------------------------

std::int16_t CCircleCommand::EnterLayerRule(int referenceLayer)
{
    CZelkDoc* doc = m_doc;
    const std::int16_t writeLayer = doc->m_writeLayer;
    const int condition = App() ? App()->m_appElem.m_layerCondition : 0;
    if (condition == 2)
        doc->m_writeLayer = doc->FindOrCreateLayer("");
    else if (condition == 1 && referenceLayer >= 0)
        doc->m_writeLayer = static_cast<std::int16_t>(referenceLayer);
    return writeLayer;
}

void CCircleCommand::LeaveLayerRule(std::int16_t writeLayer)
{
    CZelkDoc* doc = m_doc;
    if (App() && App()->m_appElem.m_layerCondition == 2) {
        doc->UpdateAndPaintAllViews();
        App()->ShowMessage(kMsgNewLayer, 0);
        return;
    }
    doc->m_writeLayer = writeLayer;
    doc->RedrawChangedElements(1);
}

int CCircleCommand::AddCircleByCentreAndRadius(int point, int length)
{
    ClearCandidates();
    const int ref = m_circleCentreFlag ? m_pickedCircles[0].m_layer : -1;
    return AddUnderLayerRule(*this, ref, PointAt(*this, point), ValueAt(*this, length), m_circleFlag);
}

int CCircleCommand::AddCircleByPointAngleRadius(int point, int angle, int length)
{
    ClearCandidates();
    const CPointD p = PointAt(*this, point);
    const double d = ValueAt(*this, length);
    const CPointD centre = Polar(p, d, ValueAt(*this, angle) * PI / 180.0);
    const std::int16_t layer = EnterLayerRule(-1);
    const int added = AddCircleOrHalfArc(*this, centre, std::fabs(d), p);
    LeaveLayerRule(layer);
    return added;
}

// A direction point on the first point gives no direction: refused rather than a centre taken
// from an arbitrary angle.
int CCircleCommand::AddCircleByPointRadiusTowardPoint(int point, int length, int direction)
{
    ClearCandidates();
    const CPointD p = PointAt(*this, point);
    const CPointD q = PointAt(*this, direction);
    if (PointsNearlyEqual(p, q)) {
        Refuse(*this, "方向点が第１点と同一で");
        return 0;
    }
    const double d = ValueAt(*this, length);
    const CPointD centre = Polar(p, d, PointsAngleRad(p, q));
    const std::int16_t layer = EnterLayerRule(-1);
    const int added = AddCircleOrHalfArc(*this, centre, std::fabs(d), p);
    LeaveLayerRule(layer);
    return added;
}
