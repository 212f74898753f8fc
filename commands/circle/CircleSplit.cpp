// An arc cut in two at one position, or with the piece between two positions cut out. Both
// new arcs take the edited arc's place in its group; the edited arc is retired once both are
// in the drawing.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/CircleEdit.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"

namespace {

struct CutTexts {
    const char* noCrossingFirst;
    const char* noCrossingSecond;
    const char* noPosition;
    const char* split;
    const char* cutOut;
    int layerPerArc;
};

const char* const kLineMisses = "指定の線分は編集円弧と交点を持ちません";
const char* const kCircleMisses = "指定円(弧)は編集円弧と交点を持ちません";
const char* const kPointsOff = "指定の点は編集円弧を分割または中抜きする位置にありません";
const char* const kPointLineOff = "指定の点と線分は編集円弧を分割または中抜きする位置にありません";
const char* const kPointCircleOff = "指定の点と円(弧)は編集円弧を分割または中抜きする位置にありません";
const char* const kLineCircleOff = "指定の線分と円(弧)は編集円弧を分割または中抜きする位置にありません";
const char* const kSplitAtPoint = " 点の位置で編集円弧を分割しました";
const char* const kSplitAtLine = " 線分の位置で編集円弧を分割しました";
const char* const kSplitAtCircle = " 円／円弧の位置で編集円弧を分割しました";

const CutTexts kCuts[] = {
    {nullptr, nullptr, kPointsOff, kSplitAtPoint, " ２点の位置で編集円弧を中抜きしました", 0},
    {nullptr, kLineMisses, kPointLineOff, kSplitAtPoint, " 点と線分の位置で編集円弧を中抜きしました", 1},
    {nullptr, kCircleMisses, kPointCircleOff, kSplitAtPoint, " 点と円(弧)の位置で編集円弧を中抜きしました", 1},
    {kLineMisses, kLineMisses, kPointLineOff, kSplitAtLine, " 線分の位置で編集円弧を中抜きしました", 1},
    {kLineMisses, kCircleMisses, kLineCircleOff, kSplitAtLine, " 線分と円／円弧の位置で編集円弧を中抜きしました", 1},
    {kCircleMisses, kCircleMisses, kLineCircleOff, kSplitAtCircle, " 円／円弧の位置で編集円弧を中抜きしました", 1},
    {nullptr, nullptr, kPointsOff, kSplitAtPoint, " 点の位置と角度で編集円弧を中抜きしました", 0},
    {kLineMisses, nullptr, kPointLineOff, kSplitAtLine, " 線分の位置と角度で編集円弧を中抜きしました", 1},
    {kCircleMisses, nullptr, kLineCircleOff, kSplitAtCircle, "  円／円弧の位置と角度で編集円弧を中抜きしました", 1},
};

// Only the direction of a position from the centre counts; at the start or end of the sweep,
// or outside it, the position cuts nothing.
bool Inside(double t)
{
    return t >= 0 && !NearlyEqual(t, 0) && !NearlyEqual(t, 1) && !NearlyEqual(t, -1);
}

// The direction of q in [start, start + 360).
double AngleFromStart(const CArc& arc, CPointD q)
{
    double a = PointsAngleDeg(arc.m_centre, q);
    if (NearlyEqual(a, 0))
        a = 0;
    else if (a < 0)
        a += 360;
    if (a < arc.m_startAngle)
        a += 360;
    return a;
}

} // namespace

// kind 'P' a point, 'L' a picked line's crossing, 'C' a picked circle's crossing, 'A' a typed
// angle; index selects the routine's texts.
int CCircleCommand::CutArc(int i, char first, int j, char second, int index)
{
    ClearCandidates();
    m_doc->DrawDirectionMarks(0);
    const CArc* edited = EditedArc();
    if (!edited || i < 0 || i >= kPositions || j < 0 || j >= kPositions)
        return 0;
    const CutTexts& texts = kCuts[index];
    const CArc source(*edited);
    const std::int16_t sourceBlock = m_editBlock;
    const std::int16_t sourceSlot = m_editSlot;

    CPointD q[2];
    const int positions[2] = {i, j};
    const char kinds[2] = {first, second};
    const char* misses[2] = {texts.noCrossingFirst, texts.noCrossingSecond};
    for (int n = 0; n < 2; ++n) {
        const int k = positions[n];
        if (kinds[n] == 'A') {
            q[n] = source.PointAtAngle(m_values[k].value);
        } else if (kinds[n] == 'P') {
            q[n] = m_inputPoints[k].GetEffective(m_doc, 1);
        } else if (!CrossingWithEdited(k, kinds[n] == 'L', 1, q[n])) {
            if (g_pApp)
                g_pApp->ShowMessage(misses[n], 1);
            return 0;
        }
    }
    const double t1 = source.ParameterOfPoint(q[0]);
    const double t2 = source.ParameterOfPoint(q[1]);
    const bool in1 = Inside(t1);
    const bool in2 = Inside(t2);
    if (!in1 && !in2) {
        if (g_pApp)
            g_pApp->ShowMessage(texts.noPosition, 1);
        return 0;
    }
    const bool cutOut = in1 && in2 && !NearlyEqual(t1, t2);
    CPointD q1 = in1 ? q[0] : q[1];
    CPointD q2 = q1;
    if (cutOut) {
        q1 = t1 < t2 ? q[0] : q[1];
        q2 = t1 < t2 ? q[1] : q[0];
    }
    const double a1 = AngleFromStart(source, q1);
    const double a2 = AngleFromStart(source, q2);

    double start = source.m_startAngle;
    double end = a1;
    NormalizeArcAnglesDeg(start, end);
    // No pen step: the creation pen in force makes both arcs.
    EditLayerPen saved;
    BeginLayerAndPen(saved, source.m_layer, nullptr);
    std::int16_t block1 = -1, slot1 = -1;
    const int added1 = AddArc(source.m_centre, source.m_radius, start, end, block1, slot1, 1, 0);
    if (texts.layerPerArc) {
        EndLayerAndPen(saved);
        if (!added1)
            return 0;
        BeginLayerAndPen(saved, source.m_layer, nullptr);
    } else if (!added1) {
        m_doc->m_writeLayer = saved.writeLayer;
        return 0;
    }
    start = a2;
    end = source.m_endAngle;
    NormalizeArcAnglesDeg(start, end);
    std::int16_t block2 = -1, slot2 = -1;
    const int added2 = AddArc(source.m_centre, source.m_radius, start, end, block2, slot2, 1, 1);
    EndLayerAndPen(saved);
    if (!added2) {
        // The first arc goes with the refused second: the arc stays whole.
        m_doc->m_creationLog->EraseLogged();
        m_doc->m_creationLog->Rollback();
        return 0;
    }
    RetireElement(ELEM_ARC, sourceBlock, sourceSlot);
    AddArcToSourceGroup(&source, block1, slot1);
    AddArcToSourceGroup(&source, block2, slot2);
    if (g_pApp)
        g_pApp->ShowResultMessage(cutOut ? texts.cutOut : texts.split, 0);
    return 1;
}

int CCircleCommand::CutArcByPoints(int i, int j)
{
    return CutArc(i, 'P', j, 'P', 0);
}

int CCircleCommand::CutArcByPointAndLine(int i, int j)
{
    return CutArc(i, 'P', j, 'L', 1);
}

int CCircleCommand::CutArcByPointAndCircle(int i, int j)
{
    return CutArc(i, 'P', j, 'C', 2);
}

int CCircleCommand::CutArcByLines(int i, int j)
{
    return CutArc(i, 'L', j, 'L', 3);
}

int CCircleCommand::CutArcByLineAndCircle(int i, int j)
{
    return CutArc(i, 'L', j, 'C', 4);
}

int CCircleCommand::CutArcByCircles(int i, int j)
{
    return CutArc(i, 'C', j, 'C', 5);
}

int CCircleCommand::CutArcByPointAndAngle(int i, int j)
{
    return CutArc(i, 'P', j, 'A', 6);
}

int CCircleCommand::CutArcByLineAndAngle(int i, int j)
{
    return CutArc(i, 'L', j, 'A', 7);
}

int CCircleCommand::CutArcByCircleAndAngle(int i, int j)
{
    return CutArc(i, 'C', j, 'A', 8);
}
