// A loop member seen along its direction of travel: where travel enters and leaves it, and the
// moving of those ends. A forward line runs start to end, a forward arc counterclockwise from
// its start angle; a reversed member the other way. Used on the loop store's copies and on the
// working copies of the offsets alike.
#pragma once

#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/PointD.h"
#include "input/ElemKey.h"

struct CTravelled {
    CLine* line = nullptr;
    CArc* arc = nullptr;
    bool reversed = false;

    bool IsLine() const { return line != nullptr; }
    bool IsArc() const { return arc != nullptr; }
    bool Valid() const { return line || arc; }

    CPointD Entry() const
    {
        if (line)
            return reversed ? line->m_end : line->m_start;
        return arc->KeyPoint(reversed ? -2 : -1);
    }
    CPointD Exit() const
    {
        if (line)
            return reversed ? line->m_start : line->m_end;
        return arc->KeyPoint(reversed ? -1 : -2);
    }
    // An arc end goes to the direction of the point from the centre.
    void MoveExit(const CPointD& x)
    {
        if (line) {
            (reversed ? line->m_start : line->m_end) = x;
            return;
        }
        (reversed ? arc->m_startAngle : arc->m_endAngle) = PointsAngleDeg(arc->m_centre, x);
        NormalizeArcAnglesDeg(arc->m_startAngle, arc->m_endAngle);
    }
    void MoveEntry(const CPointD& x)
    {
        if (line) {
            (reversed ? line->m_end : line->m_start) = x;
            return;
        }
        (reversed ? arc->m_endAngle : arc->m_startAngle) = PointsAngleDeg(arc->m_centre, x);
        NormalizeArcAnglesDeg(arc->m_startAngle, arc->m_endAngle);
    }
};

// The layer of the first member of the first loop, on which the same-layer condition writes;
// -1 when there is none.
inline int FirstMemberLayer(const CLoopCommand& c)
{
    if (c.m_loops.GetSize() == 0)
        return -1;
    const auto* loop = static_cast<const COwnedPtrArray*>(c.m_loops[0]);
    const CElemKey* key = loop && loop->GetSize() > 0 ? loop->KeyAt(0) : nullptr;
    if (!key)
        return -1;
    if (const CLine* line = c.MemberLine(*key))
        return line->m_layer;
    if (const CArc* arc = c.MemberArc(*key))
        return arc->m_layer;
    return -1;
}

// A drawing element taken into a loop gets the loop mark and is drawn again in every view.
inline void MarkLoopElement(CZelkDoc* doc, const CElemRef& e)
{
    if (e.m_kind == ELEM_LINE) {
        if (CLine* line = doc->GetLineElem(e.m_block, e.m_slot)) {
            line->m_mark = 1;
            doc->DrawLineInViews(1, 1, doc->LineBlockAt(e.m_block), e.m_slot);
        }
    } else if (e.m_kind == ELEM_CIRCLE) {
        if (CCircle* circle = doc->GetCircleElem(e.m_block, e.m_slot)) {
            circle->m_mark = 1;
            doc->DrawCircleInViews(1, 1, doc->CircleBlockAt(e.m_block), e.m_slot);
        }
    } else if (e.m_kind == ELEM_ARC) {
        if (CArc* arc = doc->GetArcElem(e.m_block, e.m_slot)) {
            arc->m_mark = 1;
            doc->DrawArcInViews(1, 1, doc->ArcBlockAt(e.m_block), e.m_slot);
        }
    }
}

// A circle as the loop store keeps it: an arc from 0 to 360 degrees on the circle's layer.
inline CArc* CircleAsArc(const CCircle& circle)
{
    CPointD sweep;
    sweep.Init(0.0, 360.0);
    auto* arc = new CArc(circle.m_centre, circle.m_radius, sweep);
    arc->m_layer = circle.m_layer;
    arc->m_group = circle.m_group;
    return arc;
}
