// The edits of an existing line. None changes the line in place: each adds its successor, which
// takes the edited line's group membership, and the execution retires the edited line.
#include "commands/line/LineCommand.h"

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/LineVectors.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Transforms.h"

namespace {

const char* const kMsgExtended = "線分を延短しました";
const char* const kMsgExtendStopped = "延短を中止しました";
const char* const kMsgAngleChanged = "線分の角度を変更しました";
const char* const kMsgLengthChanged = " 線分の長さを変更しました";
const char* const kMsgCut = "線分を切断しました";
const char* const kMsgCannotCut = "線分を切断出来ません";
const char* const kMsgAttributesChanged = " 線分の属性を変更しました";

void Result(const char* text)
{
    if (g_pApp)
        g_pApp->ShowResultMessage(text, 0);
}

// The layer the edits other than a move of an end write on under the element-layer condition.
int SelectedElementLayer()
{
    return g_pApp ? g_pApp->m_atrElem.m_layer : -1;
}

// The foot of a point on the line taken as infinite; 1 when it lies on the segment.
int FootOn(const CLine& line, CPointD p, CPointD& foot)
{
    double distance = 0;
    return line.FootOfPerpendicular(line.GetDirectionKind(), p, foot, distance);
}

} // namespace

int CLineCommand::ExtendLine(int point, int line, int circle, int final)
{
    const CLine* edited = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!edited)
        return 0;
    const CLine source = *edited;
    CPointD x;
    if (point >= 0) {
        FootOn(source, PointOf(point), x);
    } else if (line >= 0) {
        const CLine& other = m_pickedLines[line];
        if (!IntersectLines(source.m_start, source.m_end, other.m_start, other.m_end, x))
            return 0;
    } else if (circle >= 0) {
        CPointD x1, x2;
        int on1 = 0, on2 = 0;
        const int count = IntersectLineCircle(source, m_pickedCircles[circle], x1, x2, on1, on2);
        if (count <= 0)
            return 0;
        x = count == 1 ? x1 : m_pickPoints[circle].Nearer(x1, x2);
    } else {
        return 0;
    }
    // The end on the side of the edit pick moves.
    CPointD s = source.m_start, e = source.m_end;
    (m_editPickPosition <= 4 ? s : e) = x;
    MoveBasePoint(x);
    OrderPoints(s, e);
    std::int16_t block = -1, slot = -1;
    const int added = AddLineWithLayerStepAt(s, e, source.m_layer, final, 0, block, slot);
    AddLineToSourceGroup(m_editBlock, m_editSlot, block, slot);
    if (point >= 0)
        Result(kMsgExtended);
    else if (g_pApp)
        g_pApp->ShowMessage(added ? kMsgExtended : kMsgExtendStopped, 0);
    return added;
}

int CLineCommand::AddLineToSourceGroup(std::int16_t sourceBlock, std::int16_t sourceSlot, std::int16_t block,
                                       std::int16_t slot)
{
    const CLine* source = m_doc->GetLineElem(sourceBlock, sourceSlot);
    CLine* added = m_doc->GetLineElem(block, slot);
    if (block < 0 || !source || !added || source->m_group == -1)
        return 0;
    // A group number that names no group (a damaged drawing) records nothing.
    CGroup* group = m_doc->GetGroup(source->m_group);
    if (!group)
        return 0;
    added->m_group = source->m_group;
    added->m_role = source->m_role;
    CElemRef member;
    member.Init(ELEM_LINE, block, slot, 1, 1);
    member.m_extra = 0;
    group->m_members.push_back(member);
    return 1;
}

int CLineCommand::ChangeLineAngle(int angle, int point, int final)
{
    const CLine* edited = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!edited)
        return 0;
    const CPointD centre = PointOf(point);
    const double turn = m_values[angle].value - edited->AngleDeg();
    CPointD s = RotatePointDeg(edited->m_start, centre, turn);
    CPointD e = RotatePointDeg(edited->m_end, centre, turn);
    OrderPoints(s, e);
    std::int16_t block = -1, slot = -1;
    const int added = AddLineWithLayerStepAt(s, e, SelectedElementLayer(), final, 0, block, slot);
    AddLineToSourceGroup(m_editBlock, m_editSlot, block, slot);
    Result(kMsgAngleChanged);
    return added;
}

int CLineCommand::ChangeLineLength(int length, int point, int final)
{
    const CLine* edited = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!edited)
        return 0;
    const double len = edited->Length();
    if (len == 0)
        return 0;
    // Scaled about the foot, so that the foot keeps its place; a negative length turns it over.
    CPointD f;
    FootOn(*edited, PointOf(point), f);
    const double k = m_values[length].value / len;
    CPointD s = PointPlus(f, PointTimes(PointMinus(edited->m_start, f), k));
    CPointD e = PointPlus(f, PointTimes(PointMinus(edited->m_end, f), k));
    OrderPoints(s, e);
    std::int16_t block = -1, slot = -1;
    const int added = AddLineWithLayerStepAt(s, e, SelectedElementLayer(), final, 0, block, slot);
    AddLineToSourceGroup(m_editBlock, m_editSlot, block, slot);
    Result(kMsgLengthChanged);
    return added;
}

int CLineCommand::CutLine(int p1, int p2, int l1, int l2, int c1, int c2, int final)
{
    const CLine* edited = m_doc->GetLineElem(m_editBlock, m_editSlot);
    CZelkApp* app = g_pApp;
    auto refuse = [app]() {
        if (app)
            app->ShowMessage(kMsgCannotCut, 1);
        return 0;
    };
    if (!edited)
        return refuse();
    const CLine source = *edited;
    // The cut point of the cutter at one of the slots; 0 when the cutter misses the segment.
    auto cutPoint = [&](int point, int line, int circle, CPointD& at) {
        if (point >= 0)
            return FootOn(source, PointOf(point), at);
        if (line >= 0)
            return IntersectLineWithSegment(m_pickedLines[line].m_start, m_pickedLines[line].m_end, source.m_start,
                                            source.m_end, at);
        if (circle < 0)
            return 0;
        CPointD x1, x2;
        const int count = IntersectSegmentCircle(source, m_pickedCircles[circle], x1, x2);
        if (count <= 0)
            return 0;
        at = count == 1 ? x1 : m_pickPoints[circle].Nearer(x1, x2);
        return 1;
    };
    CPointD a, b;
    if (!cutPoint(p1, l1, c1, a) || !cutPoint(p2, l2, c2, b))
        return refuse();

    CLayerStep step(m_doc, SelectedElementLayer());
    // In the selected element's environment the pieces keep the pen of the edited line's block.
    const int ownPen = app && app->m_appElem.m_creationEnv == 1;
    const auto* lines = static_cast<const CLines*>(m_doc->m_lineBlocks[m_editBlock]);
    const CTypePen* pen = m_doc->GetPen(lines->m_pen);
    const int blurMode = app ? app->m_appElem.m_blurMode : 0;
    if (ownPen && pen) {
        app->m_appElem.SavePen();
        app->m_appElem.SetPenFromTypePen(*pen);
        app->m_appElem.m_blurMode = pen->m_blurCount != 0 ? 1 : 0;
    }
    CCreationLog* log = m_doc->m_creationLog;
    std::int16_t block1 = -1, slot1 = -1, block2 = -1, slot2 = -1;
    CPointD s = source.m_start, k1 = source.m_start.Nearer(a, b);
    OrderPoints(s, k1);
    if (log)
        log->AddLine(s, k1, 1, block1, slot1, final, 0);
    CPointD k2 = source.m_end.Nearer(a, b), e = source.m_end;
    OrderPoints(k2, e);
    const int second = log && log->AddLine(k2, e, 1, block2, slot2, final, 1) && block2 >= 0;
    if (second) {
        AddLineToSourceGroup(m_editBlock, m_editSlot, block1, slot1);
        AddLineToSourceGroup(m_editBlock, m_editSlot, block2, slot2);
    } else if (log && block1 >= 0) {
        // Without its second piece the cut is not made: the first must not lie over the line.
        log->EraseLogged();
        log->Rollback();
    }
    step.Finish();
    if (ownPen && pen) {
        app->m_appElem.RestorePen();
        app->m_appElem.m_blurMode = blurMode;
    }
    if (!second)
        return refuse();
    if (app)
        app->ShowMessage(kMsgCut, 0);
    return 1;
}

int CLineCommand::ChangeLineAttributes()
{
    const CLine* edited = m_doc->GetLineElem(m_editBlock, m_editSlot);
    if (!edited)
        return 0;
    std::int16_t block = -1, slot = -1;
    CLayerStep step(m_doc, SelectedElementLayer());
    if (m_doc->m_creationLog)
        m_doc->m_creationLog->AddLine(edited->m_start, edited->m_end, 1, block, slot, 1, 0);
    AddLineToSourceGroup(m_editBlock, m_editSlot, block, slot);
    if (CLine* added = m_doc->GetLineElem(block, slot))
        added->SetStateBits(STATE_REDRAW);
    Result(kMsgAttributesChanged);
    step.Finish();
    return block >= 0;
}
