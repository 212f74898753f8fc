// What the circle command's edits of existing circles and arcs share: the edited element, the
// crossing an operand makes with it, the direction marks, the layer and pen an edit is made
// with, and the retiring of the element an edit replaced.
#include "commands/circle/CircleCommand.h"
#include "commands/circle/CircleEdit.h"

#include <cmath>
#include <numbers>

#include "app/ZelkApp.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/ElementKinds.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "input/PointEntry.h"

namespace {

const char* const kMsgNewLayer = "新レイヤに作成モードで新レイヤを作りました";
const char* const kMsgLineMisses = "指定線分は編集円と交点を持ちません";
const char* const kMsgCircleMisses = "指定円(弧)は編集円と交点を持ちません";

} // namespace

const CCircle* CCircleCommand::EditedCircle() const
{
    if (m_editClass != 1 || !m_doc)
        return nullptr;
    const CCircles* b = BlockOf<CCircles>(m_doc->m_circleBlocks, m_editBlock, m_editSlot);
    return b ? &b->m_slots[m_editSlot] : nullptr;
}

CArc* CCircleCommand::EditedArc() const
{
    if (m_editClass != 0 || !m_doc)
        return nullptr;
    CArcs* b = BlockOf<CArcs>(m_doc->m_arcBlocks, m_editBlock, m_editSlot);
    return b ? &b->m_slots[m_editSlot] : nullptr;
}

const CTypePen* EditedPen(const CZelkDoc& doc, int kind, int block)
{
    int pen = -1;
    if (kind == ELEM_CIRCLE && block >= 0 && block < doc.m_circleBlocks.GetSize())
        pen = static_cast<const CCircles*>(doc.m_circleBlocks[block])->m_pen;
    else if (kind == ELEM_ARC && block >= 0 && block < doc.m_arcBlocks.GetSize())
        pen = static_cast<const CArcs*>(doc.m_arcBlocks[block])->m_pen;
    else if (kind == ELEM_CONIC && block >= 0 && block < doc.m_conicBlocks.GetSize())
        pen = static_cast<const CConics*>(doc.m_conicBlocks[block])->m_pen;
    if (pen < 0 || pen >= doc.m_pens.GetSize())
        return nullptr;
    return static_cast<const CTypePen*>(doc.m_pens[pen]);
}

// The crossing of operand k's line (line 1) or circle with the edited circle or arc; the one
// nearer where the operand was picked, the first on a tie. withinSweep keeps only crossings on
// the edited arc itself.
int CCircleCommand::CrossingWithEdited(int k, int line, int withinSweep, CPointD& crossing) const
{
    if (k < 0 || k >= kPositions)
        return 0;
    CPointD c1, c2;
    int on1 = 0, on2 = 0;
    int n = 0;
    if (const CArc* arc = EditedArc()) {
        if (line)
            n = withinSweep ? IntersectLineArc(m_pickedLines[k], *arc, c1, c2, on1, on2)
                            : IntersectLineArcCircle(m_pickedLines[k], *arc, c1, c2, on1, on2);
        else
            n = withinSweep ? IntersectCircleArc(m_pickedCircles[k], *arc, c1, c2)
                            : IntersectCircleArcCircle(m_pickedCircles[k], *arc, c1, c2);
    } else if (const CCircle* circle = EditedCircle()) {
        n = line ? IntersectLineCircle(m_pickedLines[k], *circle, c1, c2, on1, on2)
                 : IntersectCircles(*circle, m_pickedCircles[k], c1, c2);
    }
    if (n <= 0)
        return 0;
    crossing = c1;
    if (n >= 2 && Distance(c2, m_pickPoints[k]) < Distance(c1, m_pickPoints[k]))
        crossing = c2;
    return 1;
}

void CCircleCommand::AddDirectionMark(double radians, double angle)
{
    CPointD centre;
    double radius = 0;
    if (const CCircle* c = EditedCircle()) {
        centre = c->m_centre;
        radius = c->m_radius;
    } else if (const CArc* a = EditedArc()) {
        centre = a->m_centre;
        radius = a->m_radius;
    } else {
        return;
    }
    auto* mark = new CPointEntry;
    mark->point.Init(centre.m_x + radius * std::cos(radians), centre.m_y + radius * std::sin(radians));
    mark->angle = angle;
    m_doc->m_directionMarks.Add(mark);
    m_doc->DrawDirectionMarks(1);
}

void CCircleCommand::MarkStartAtPoint(int k)
{
    if (k < 0 || k >= kPositions || (!EditedCircle() && !EditedArc()))
        return;
    const CPointD centre = EditedCircle() ? EditedCircle()->m_centre : EditedArc()->m_centre;
    const double theta = PointsAngleRad(centre, m_inputPoints[k].GetEffective(m_doc, 1));
    AddDirectionMark(theta, theta * 180.0 / std::numbers::pi);
}

void CCircleCommand::MarkStartAtAngle(int k)
{
    if (k < 0 || k >= kPositions)
        return;
    const double angle = m_values[k].value;
    AddDirectionMark(angle * std::numbers::pi / 180.0, angle);
}

void CCircleCommand::MarkStartAtLineCrossing(int k)
{
    double angle = 0;
    if (OperandAngle(k, 'L', kMsgLineMisses, angle))
        AddDirectionMark(angle * std::numbers::pi / 180.0, angle);
}

void CCircleCommand::MarkStartAtCircleCrossing(int k)
{
    double angle = 0;
    if (OperandAngle(k, 'C', kMsgCircleMisses, angle))
        AddDirectionMark(angle * std::numbers::pi / 180.0, angle);
}

// An operand as the direction, degrees, in which it lies from the edited element's centre:
// 'P' a point, 'A' a typed angle, 'L' and 'C' the crossing with a picked line or circle. A
// missing crossing is refused with its message and a beep.
int CCircleCommand::OperandAngle(int k, char kind, const char* noCrossing, double& angle)
{
    if (k < 0 || k >= kPositions)
        return 0;
    CPointD centre;
    if (const CCircle* c = EditedCircle())
        centre = c->m_centre;
    else if (const CArc* a = EditedArc())
        centre = a->m_centre;
    else
        return 0;
    if (kind == 'A') {
        angle = m_values[k].value;
        return 1;
    }
    CPointD target = m_inputPoints[k].GetEffective(m_doc, 1);
    if (kind == 'L' || kind == 'C') {
        if (!CrossingWithEdited(k, kind == 'L', 0, target)) {
            if (g_pApp)
                g_pApp->ShowMessage(noCrossing, 1);
            return 0;
        }
    }
    angle = PointsAngleDeg(centre, target);
    return 1;
}

void CCircleCommand::BeginLayerAndPen(EditLayerPen& saved, std::int16_t layer, const CTypePen* pen)
{
    saved.writeLayer = m_doc->m_writeLayer;
    saved.penTaken = 0;
    if (!g_pApp)
        return;
    CAppElem& e = g_pApp->m_appElem;
    if (e.m_layerCondition == 1)
        m_doc->m_writeLayer = layer;
    else if (e.m_layerCondition == 2)
        m_doc->m_writeLayer = m_doc->FindOrCreateLayer("");
    if (pen && e.m_creationEnv == 1) {
        e.SavePen();
        e.SetPenFromTypePen(*pen);
        e.m_blurMode = pen->m_blurCount != 0 ? 1 : 0;
        saved.penTaken = 1;
    }
}

void CCircleCommand::EndLayerAndPen(const EditLayerPen& saved)
{
    if (g_pApp && g_pApp->m_appElem.m_layerCondition == 2) {
        m_doc->UpdateAndPaintAllViews();
        g_pApp->ShowMessage(kMsgNewLayer, 0);
    } else {
        m_doc->m_writeLayer = saved.writeLayer;
        m_doc->RedrawChangedElements(1);
    }
    if (saved.penTaken)
        g_pApp->m_appElem.RestorePen();
}

int CCircleCommand::RetireElement(int kind, std::int16_t block, std::int16_t slot)
{
    std::uint8_t* state = nullptr;
    if (kind == ELEM_LINE) {
        if (CLine* line = m_doc->GetLineElem(block, slot))
            state = &line->m_state;
    } else if (kind == ELEM_CIRCLE) {
        if (CCircle* circle = m_doc->GetCircleElem(block, slot))
            state = &circle->m_state;
    } else if (kind == ELEM_ARC) {
        if (CArc* arc = m_doc->GetArcElem(block, slot))
            state = &arc->m_state;
    }
    // An element already deleted is not retired a second time.
    if (!state || (*state & STATE_DELETED))
        return 0;
    m_doc->m_undoHistory->RecordChange(2, kind, block, slot, *state);
    *state = STATE_DELETED | STATE_REDRAW;
    m_doc->RedrawChangedElements(1);
    return 1;
}
