// Edits that turn a circle into an arc or give it a new radius, move an arc's ends or change its
// radius, and add a circle or arc again with the pen and layer now in force. The replacement is
// added before the edited element is retired, so a refused replacement leaves the drawing as it
// was.
#include "commands/circle/CircleCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/CircleEdit.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"

namespace {

const char* const kMsgLineMisses = "指定線分は編集円と交点を持ちません";
const char* const kMsgCircleMisses = "指定円(弧)は編集円と交点を持ちません";
const char* const kMsgFirstCircleMisses = "指定円(弧)第１は編集円と交点を持ちません";
const char* const kMsgSecondCircleMisses = "指定円(弧)第２は編集円と交点を持ちません";
const char* const kMsgRadiusChanged = " 円の半径を変更しました";
const char* const kMsgAttributes = " 円の属性を変更しました";
const char* const kMsgArcEndMoved = " 円弧の端点を延短しました";
const char* const kMsgNamedEndMoved = " 円弧の指定の端点を移動しました";
const char* const kMsgArcRadiusChanged = " 円弧の半径を変更しました";

const char* MissMessage(char kind, char other, int second)
{
    if (kind == 'L')
        return kMsgLineMisses;
    if (other == 'C')
        return second ? kMsgSecondCircleMisses : kMsgFirstCircleMisses;
    return kMsgCircleMisses;
}

} // namespace

// A circle made from the edited circle (asArc 0) or an arc of it; takePen 0 keeps the creation
// pen in force instead of the edited circle's.
int CCircleCommand::ReplaceCircle(int asArc, double radius, double start, double end, int takePen,
                                  const char* message)
{
    const CCircle* edited = EditedCircle();
    if (!edited)
        return 0;
    const CCircle source(*edited);
    const std::int16_t sourceBlock = m_editBlock;
    const std::int16_t sourceSlot = m_editSlot;
    EditLayerPen saved;
    BeginLayerAndPen(saved, source.m_layer, takePen ? EditedPen(*m_doc, ELEM_CIRCLE, sourceBlock) : nullptr);
    if (!m_editFlag) {
        m_doc->m_creationLog->EraseLogged();
        m_doc->m_creationLog->Rollback();
    }
    std::int16_t block = -1;
    std::int16_t slot = -1;
    const int added = asArc ? AddArc(source.m_centre, radius, start, end, block, slot, 1, 0)
                            : AddCircle(source.m_centre, radius, 1);
    EndLayerAndPen(saved);
    if (!added)
        return 0;
    if (m_editFlag) {
        RetireElement(ELEM_CIRCLE, sourceBlock, sourceSlot);
        // A full sweep comes back as a circle, which the adding service made the edited element.
        if (block >= 0)
            AddArcToSourceCircleGroup(&source, block, slot);
        else
            AddCircleToSourceGroup(&source, m_editBlock, m_editSlot);
    }
    if (g_pApp)
        g_pApp->ShowResultMessage(message, 0);
    return 1;
}

int CCircleCommand::ReplaceArc(double radius, double start, double end, int takePen, const char* message)
{
    const CArc* edited = EditedArc();
    if (!edited)
        return 0;
    const CArc source(*edited);
    const std::int16_t sourceBlock = m_editBlock;
    const std::int16_t sourceSlot = m_editSlot;
    EditLayerPen saved;
    BeginLayerAndPen(saved, source.m_layer, takePen ? EditedPen(*m_doc, ELEM_ARC, sourceBlock) : nullptr);
    std::int16_t block = -1;
    std::int16_t slot = -1;
    const int added = AddArc(source.m_centre, radius, start, end, block, slot, 1, 0);
    EndLayerAndPen(saved);
    if (!added)
        return 0;
    RetireElement(ELEM_ARC, sourceBlock, sourceSlot);
    if (block >= 0) {
        AddArcToSourceGroup(&source, block, slot);
    } else {
        CCircle circle(source);
        circle.m_group = source.m_group;
        circle.m_role = source.m_role;
        AddCircleToSourceGroup(&circle, m_editBlock, m_editSlot);
    }
    if (g_pApp)
        g_pApp->ShowResultMessage(message, 0);
    return 1;
}

int CCircleCommand::ChangeCircleRadius(int k)
{
    if (k < 0 || k >= kPositions)
        return 0;
    return ReplaceCircle(0, m_values[k].value, 0, 0, 1, kMsgRadiusChanged);
}

int CCircleCommand::ChangeCircleAttributes()
{
    ClearCandidates();
    const CCircle* edited = EditedCircle();
    if (!edited)
        return 0;
    return ReplaceCircle(0, edited->m_radius, 0, 0, 0, kMsgAttributes);
}

int CCircleCommand::ChangeArcAttributes()
{
    ClearCandidates();
    const CArc* edited = EditedArc();
    if (!edited)
        return 0;
    return ReplaceArc(edited->m_radius, edited->m_startAngle, edited->m_endAngle, 0, kMsgAttributes);
}

// The operands in the routine's order; the one given first in the token string is the start,
// the cut form keeps the other side.
int CCircleCommand::CircleToArc(int first, char firstKind, int second, char secondKind, int cut,
                                const char* message, const char* otherMessage)
{
    m_doc->DrawDirectionMarks(0);
    const CCircle* edited = EditedCircle();
    if (!edited || first < 0 || first >= kPositions || second < 0 || second >= kPositions)
        return 0;
    const double radius = edited->m_radius;
    double a1 = 0;
    double a2 = 0;
    if (!OperandAngle(first, firstKind, MissMessage(firstKind, secondKind, 0), a1) ||
        !OperandAngle(second, secondKind, MissMessage(secondKind, firstKind, 1), a2))
        return 0;
    double start = first < second ? a1 : a2;
    double end = first < second ? a2 : a1;
    if (cut == 1)
        std::swap(start, end);
    NormalizeArcAnglesDeg(start, end);
    return ReplaceCircle(1, radius, start, end, 1, first < second ? message : otherMessage);
}

int CCircleCommand::CircleToArcByPoints(int point1, int point2, int cut)
{
    const char* m = " 円を始点と終点の位置で円弧に編集しました";
    return CircleToArc(point1, 'P', point2, 'P', cut, m, m);
}

int CCircleCommand::CircleToArcByPointAndAngle(int point, int angle, int cut)
{
    return CircleToArc(point, 'P', angle, 'A', cut, " 円を始点の位置と終角で円弧に編集しました",
                       " 円を始角と終点の位置で円弧に編集しました");
}

int CCircleCommand::CircleToArcByPointAndLine(int point, int line, int cut)
{
    // The line's crossing is looked for first, whatever the token order.
    return CircleToArc(line, 'L', point, 'P', cut, " 円を交差線分と終点の位置で円弧に編集しました",
                       " 円を始点の位置と交差線分で円弧に編集しました");
}

int CCircleCommand::CircleToArcByPointAndCircle(int point, int circle, int cut)
{
    const char* m = " 円を位置点と交差円(弧)で円弧に編集しました";
    return CircleToArc(circle, 'C', point, 'P', cut, m, m);
}

int CCircleCommand::CircleToArcByAngles(int angle1, int angle2, int cut)
{
    const char* m = " 円を始角と終角で円弧に編集しました";
    return CircleToArc(angle1, 'A', angle2, 'A', cut, m, m);
}

int CCircleCommand::CircleToArcByAngleAndLine(int angle, int line, int cut)
{
    const char* m = " 円を角度と交差線分で円弧に編集しました";
    return CircleToArc(line, 'L', angle, 'A', cut, m, m);
}

int CCircleCommand::CircleToArcByAngleAndCircle(int angle, int circle, int cut)
{
    const char* m = " 円を角度と交差円(弧)で円弧に編集しました";
    return CircleToArc(circle, 'C', angle, 'A', cut, m, m);
}

int CCircleCommand::CircleToArcByLines(int line1, int line2, int cut)
{
    const char* m = " 円を２つの交差線分で円弧に編集しました";
    return CircleToArc(line1, 'L', line2, 'L', cut, m, m);
}

int CCircleCommand::CircleToArcByLineAndCircle(int line, int circle, int cut)
{
    const char* m = " 円を交差線分と交差円(弧)で円弧に編集しました";
    return CircleToArc(line, 'L', circle, 'C', cut, m, m);
}

int CCircleCommand::CircleToArcByCircles(int circle1, int circle2, int cut)
{
    const char* m = " 円を２つの交差円(弧)で円弧に編集しました";
    return CircleToArc(circle1, 'C', circle2, 'C', cut, m, m);
}

// end 0 moves the end the edit pick lay nearer: the start up to the arc's middle.
int CCircleCommand::MoveArcEnd(double radius, double angle, int end, const char* message)
{
    const CArc* edited = EditedArc();
    if (!edited)
        return 0;
    double start = edited->m_startAngle;
    double stop = edited->m_endAngle;
    if (end == 0)
        end = m_editPickPosition <= 4 ? 1 : 2;
    if (end == 1)
        start = angle;
    else
        stop = angle;
    NormalizeArcAnglesDeg(start, stop);
    return ReplaceArc(radius, start, stop, 1, message);
}

int CCircleCommand::MoveArcEndToPoint(int k, int keepRadius, int end)
{
    ClearCandidates();
    const CArc* edited = EditedArc();
    if (!edited || k < 0 || k >= kPositions)
        return 0;
    double distance = 0;
    const double angle = PointsAngleDegLen(edited->m_centre, m_inputPoints[k].GetEffective(m_doc, 1), distance);
    const double radius = keepRadius ? edited->m_radius : std::abs(distance);
    return MoveArcEnd(radius, angle, end, end == 0 ? kMsgArcEndMoved : kMsgNamedEndMoved);
}

int CCircleCommand::MoveArcEndToLine(int k)
{
    ClearCandidates();
    const CArc* edited = EditedArc();
    if (!edited)
        return 0;
    double angle = 0;
    if (!OperandAngle(k, 'L', kMsgLineMisses, angle))
        return 0;
    return MoveArcEnd(edited->m_radius, angle, 0, kMsgArcEndMoved);
}

int CCircleCommand::MoveArcEndToCircle(int k)
{
    ClearCandidates();
    const CArc* edited = EditedArc();
    if (!edited)
        return 0;
    double angle = 0;
    if (!OperandAngle(k, 'C', kMsgCircleMisses, angle))
        return 0;
    return MoveArcEnd(edited->m_radius, angle, 0, kMsgArcEndMoved);
}

int CCircleCommand::MoveArcEndToAngle(int k)
{
    ClearCandidates();
    const CArc* edited = EditedArc();
    if (!edited || k < 0 || k >= kPositions)
        return 0;
    return MoveArcEnd(edited->m_radius, m_values[k].value, 0, kMsgArcEndMoved);
}

int CCircleCommand::ChangeArcRadius(int k)
{
    ClearCandidates();
    const CArc* edited = EditedArc();
    if (!edited || k < 0 || k >= kPositions)
        return 0;
    return ReplaceArc(m_values[k].value, edited->m_startAngle, edited->m_endAngle, 1, kMsgArcRadiusChanged);
}
