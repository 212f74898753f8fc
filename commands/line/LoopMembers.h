// A loop member seen along its direction of travel: where travel enters and leaves it, and the
// moving of those ends. A forward line runs start to end, a forward arc counterclockwise from
// its start angle; a reversed member the other way. Used on the loop store's copies and on the
// working copies of the offsets alike.
#pragma once

#include "commands/line/LoopCommand.h"
#include "elements/Arc.h"
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
