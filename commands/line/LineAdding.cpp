// The line command's additions to the drawing, and the lines it builds from points and angles
// alone: the tentative angle guide and the segments laid on it between the feet of points or
// from a foot by a length.
#include "commands/line/LineCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/LineVectors.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"
#include "input/PointEntry.h"

namespace {

// The guide reaches this many default lengths to each side of its point.
constexpr double kGuideReach = 100.0;
constexpr int kMarkPlain = 1;
constexpr int kMarkGuide = 2;
} // namespace

// ---- small readers of the step records ---------------------------------------------------

// The angle of a slot, or the drawing's absolute angle for -1.
double CLineCommand::AngleOf(int slot) const
{
    return slot < 0 ? m_doc->m_absAngle : m_values[slot].value;
}

CPointD CLineCommand::PointOf(int slot) const
{
    return m_inputPoints[slot].GetEffective(m_doc, 1);
}

void CLineCommand::MoveBasePoint(CPointD p)
{
    m_doc->SetBasePoint(p, m_doc->WorldToRelative(p));
}

// ---- adding services ------------------------------------------------------------------------

int CLineCommand::AddLineByPoints(CPointD first, CPointD second, std::int16_t& block, std::int16_t& slot, int final,
                                  int keep)
{
    block = slot = -1;
    MoveBasePoint(second);
    OrderPoints(first, second);
    if (!m_doc->m_creationLog)
        return 0;
    return m_doc->m_creationLog->AddLine(first, second, kMarkPlain, block, slot, final, keep);
}

void CLineCommand::AddLineBySlots(int first, int second, std::int16_t& block, std::int16_t& slot, int final,
                                  int keep)
{
    AddLineByPoints(PointOf(first), PointOf(second), block, slot, final, keep);
}

int CLineCommand::AddCircle(CPointD centre, double radius, int final)
{
    return AddCircleElement(m_doc, centre, radius, final, m_editBlock, m_editSlot);
}

int CLineCommand::AddArc(CPointD centre, double radius, double start, double end, std::int16_t& block,
                         std::int16_t& slot, int final, int keep)
{
    return AddArcElement(m_doc, centre, radius, start, end, block, slot, final, keep, m_editBlock, m_editSlot);
}

int CLineCommand::AddLineWithLayerStep(CPointD start, CPointD end, int markType, int layer, int final, int keep,
                                       int redraw)
{
    CLayerStep step(m_doc, layer);
    std::int16_t block = -1, slot = -1;
    const int added = m_doc->m_creationLog ? m_doc->m_creationLog->AddLine(start, end, markType, block, slot, final, keep) : 0;
    step.Finish(redraw);
    return added;
}

int CLineCommand::AddLineWithLayerStepAt(CPointD start, CPointD end, int layer, int final, int keep,
                                         std::int16_t& block, std::int16_t& slot)
{
    block = slot = -1;
    CLayerStep step(m_doc, layer);
    const int added = m_doc->m_creationLog ? m_doc->m_creationLog->AddLine(start, end, kMarkPlain, block, slot, final, keep) : 0;
    step.Finish();
    return added && block >= 0;
}

// ---- lines from points and angles -----------------------------------------------------------

void CLineCommand::ShowAngleGuideLine(int pointSlot, int angleSlot, int final)
{
    const CPointD p = PointOf(pointSlot);
    // The rubber band of the next inputs runs through this point.
    m_doc->m_previewPointC = p;
    const CPointD reach = PolarDeg(AngleOf(angleSlot), kGuideReach * m_defaultLength);
    CPointD a, b;
    a.Init(p.m_x - reach.m_x, p.m_y - reach.m_y);
    b = PointPlus(p, reach);
    OrderPoints(a, b);
    AddLineWithLayerStep(a, b, kMarkGuide, -1, final, 0);
}

void CLineCommand::MakeLineBetweenFeet(int p1, int p2, int p3, int angleSlot, int index, int final)
{
    const double angle = AngleOf(angleSlot);
    const double turn = index * (angle - m_doc->m_relAngle);
    const CPointD origin;
    const CPointD base = PointOf(p1);
    // The projection of a point's offset from P1 onto the direction, turned for later copies.
    auto foot = [&](int slot, bool round) {
        CPointD v = RotatePointDeg(ProjectVectorOnAngle(base, angle, PointOf(slot)), origin, turn);
        if (round)
            RoundPointToSignificant14(v);
        return PointPlus(base, v);
    };
    if (!final) {
        m_doc->m_directionMarks.Add(new CPointEntry(foot(p2, false), angle + 90.0));
        m_doc->DrawDirectionMarks(1);
        return;
    }
    m_doc->DrawDirectionMarks(0);
    const CPointD f2 = foot(p2, true);
    const CPointD f3 = foot(p3, true);
    MoveBasePoint(f3);
    CPointD a = f2, b = f3;
    OrderPoints(a, b);
    AddLineWithLayerStep(a, b, kMarkPlain, -1, final, 0);
}

void CLineCommand::MakeLineFromFootByLength(int p1, int p2, int lengthSlot, int angleSlot, int index, int final)
{
    // A typed angle turns with each copy; the drawing's absolute angle does not.
    const double theta = angleSlot < 0 ? m_doc->m_absAngle : (index + 1) * m_values[angleSlot].value;
    if (!final)
        return;
    m_doc->DrawDirectionMarks(0);
    const CPointD base = PointOf(p1);
    CPointD v = ProjectVectorOnAngle(base, m_doc->m_absAngle, PointOf(p2));
    RoundPointToSignificant14(v);
    const CPointD f = PointPlus(base, v);
    CPointD w = PolarDeg(theta, m_values[lengthSlot].value);
    RoundPointToSignificant14(w);
    const CPointD e = PointPlus(f, w);
    MoveBasePoint(e);
    CPointD a = f, b = e;
    OrderPoints(a, b);
    AddLineWithLayerStep(a, b, kMarkPlain, -1, final, 0);
}
