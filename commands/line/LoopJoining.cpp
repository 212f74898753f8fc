// Shaping a loop at real crossings: a picked element is joined where it crosses the loop last,
// and Enter closes the loop where its latest member crosses an earlier one. Both trim only the
// loop store's copies and keys.
#include "commands/line/LoopCommand.h"

#include <memory>

#include "app/ZelkApp.h"
#include "commands/line/LoopMembers.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "input/ElemKey.h"
#include "input/PickList.h"

namespace {

// The picked element as a working copy of its own kind.
struct CPickedCopy {
    std::int16_t kind = 0;
    std::unique_ptr<CLine> line;
    std::unique_ptr<CCircle> circle;
    std::unique_ptr<CArc> arc;   // an arc, or a circle as its 0-360 arc
};

int LineCrossesArc(const CLine& line, const CArc& arc, CPointD& p1, CPointD& p2)
{
    int code = 0, on1 = 0, on2 = 0, in1 = 0, in2 = 0;
    return line.IntersectArc(line.GetDirectionKind(), arc, code, p1, p2, on1, on2, in1, in2);
}

// The crossings of a member with the picked element, in the kernel's order.
int CrossingsWithPicked(const CTravelled& m, const CPickedCopy& picked, CPointD& p1, CPointD& p2)
{
    if (m.IsLine()) {
        const CLine& member = *m.line;
        if (picked.kind == ELEM_LINE) {
            const CLine& other = *picked.line;
            if (IntersectLineRecSegments(member, other, p1))
                return 1;
            CPointD a, b;
            int c1 = 0, c2 = 0;
            const int overlap = member.CollinearOverlap(other, a, b, c1, c2);
            if (overlap == 1 || overlap == 2) {
                p1 = overlap == 1 ? a : b;
                return 1;
            }
            // A picked line ending on the extension of the member: the member reaches it.
            if (IntersectLineRecLines(member, other, p1) &&
                (PointsEqualWithinDecimals(p1, other.m_start, 1) || PointsEqualWithinDecimals(p1, other.m_end, 1)))
                return 1;
            return 0;
        }
        if (picked.kind == ELEM_CIRCLE)
            return IntersectSegmentCircle(member, *picked.circle, p1, p2);
        return LineCrossesArc(member, *picked.arc, p1, p2);
    }
    const CArc& member = *m.arc;
    if (picked.kind == ELEM_LINE)
        return LineCrossesArc(*picked.line, member, p1, p2);
    if (picked.kind == ELEM_CIRCLE)
        return IntersectCircleArc(*picked.circle, member, p1, p2);
    return IntersectArcs(member, *picked.arc, p1, p2);
}

// Of two crossings the one nearer the point; the first on a tie.
CPointD Nearer(const CPointD& p1, const CPointD& p2, const CPointD& to)
{
    return Distance(p2, to) < Distance(p1, to) ? p2 : p1;
}

bool EndsMeet(const CTravelled& m)
{
    return PointsNearlyEqual(m.Entry(), m.Exit()) != 0;
}

// A member that shrank to nothing at a closing crossing.
bool Shrunk(const CTravelled& m)
{
    if (m.IsLine())
        return PointsNearlyEqual(m.line->m_start, m.line->m_end) != 0;
    return NearlyEqual(m.arc->m_endAngle - m.arc->m_startAngle, 360.0) != 0;
}

} // namespace

int CLoopCommand::JoinPickedElement(CPointD& freeEnd, COwnedPtrArray& loop, const CElemRef& picked)
{
    CZelkDoc* doc = m_doc;
    CPickedCopy copy;
    copy.kind = picked.m_kind;
    if (picked.m_kind == ELEM_LINE) {
        CLine* line = doc->GetLineElem(picked.m_block, picked.m_slot);
        if (!line)
            return 0;
        copy.line = std::make_unique<CLine>(*line);
    } else if (picked.m_kind == ELEM_CIRCLE) {
        CCircle* circle = doc->GetCircleElem(picked.m_block, picked.m_slot);
        if (!circle)
            return 0;
        copy.circle = std::make_unique<CCircle>(*circle);
        copy.arc.reset(CircleAsArc(*circle));
    } else if (picked.m_kind == ELEM_ARC) {
        CArc* arc = doc->GetArcElem(picked.m_block, picked.m_slot);
        if (!arc)
            return 0;
        copy.arc = std::make_unique<CArc>(*arc);
    } else {
        return 0;
    }
    MarkLoopElement(doc, picked);
    const CPointD pickPoint = doc->m_pickList->pickPoint;

    // The latest member that crosses the picked element is cut there.
    int cut = -1;
    CPointD x;
    for (int k = loop.GetSize() - 1; k >= 0 && cut < 0; --k) {
        const CElemKey* key = loop.KeyAt(k);
        if (!key)
            continue;
        const CElemRef* ref = MemberRef(*key);
        if (ref && ref->IsSameElement(picked))
            continue;
        CTravelled m{ MemberLine(*key), MemberArc(*key), key->flag != 0 };
        if (!m.Valid())
            continue;
        CPointD p1, p2;
        const int n = CrossingsWithPicked(m, copy, p1, p2);
        if (n <= 0)
            continue;
        x = n == 2 ? Nearer(p1, p2, pickPoint) : p1;
        cut = k;
    }
    if (cut < 0) {
        if (g_pApp)
            g_pApp->ShowMessage("指定要素は選択したリンクと交点を持ちません。", 1);
        return 0;
    }
    const CElemKey* cutKey = loop.KeyAt(cut);
    CTravelled cutMember{ MemberLine(*cutKey), MemberArc(*cutKey), cutKey->flag != 0 };
    cutMember.MoveExit(x);
    loop.TruncateFrom(cut + 1);
    if (EndsMeet(cutMember)) {
        loop.TruncateFrom(cut);
        // Picked again at the joint where the loop left it: the element is taken up anew from
        // its entry, towards the click.
        const CElemKey* before = cut > 0 ? loop.KeyAt(cut - 1) : nullptr;
        const CElemRef* beforeRef = before ? MemberRef(*before) : nullptr;
        if (beforeRef && beforeRef->IsSameElement(picked)) {
            CTravelled b{ MemberLine(*before), MemberArc(*before), before->flag != 0 };
            if (b.Valid())
                x = b.Entry();
            loop.TruncateFrom(cut - 1);
        }
    }

    auto* key = new CElemKey;
    if (copy.kind == ELEM_LINE) {
        CLine* line = copy.line.release();
        int reversed = 0;
        if (line->ParameterOfPoint(pickPoint) > line->ParameterOfPoint(x)) {
            line->m_start = x;
            freeEnd = line->m_end;
        } else {
            line->m_end = x;
            reversed = 1;
            freeEnd = line->m_start;
        }
        const int index = m_lineCopies.Add(line);
        key->Set(ELEM_LINE, static_cast<std::int16_t>(index), reversed);
    } else {
        CArc* arc = copy.arc.release();
        const double direction = PointsAngleDeg(arc->m_centre, x);
        int reversed = 0;
        if (copy.kind == ELEM_CIRCLE) {
            const double along = arc->ParameterOfPoint(pickPoint);
            arc->m_startAngle = direction;
            arc->m_endAngle = direction + 360.0;
            NormalizeArcAnglesDeg(arc->m_startAngle, arc->m_endAngle);
            reversed = along > 0.5 ? 1 : 0;
            freeEnd = x;
        } else if (arc->ParameterOfPoint(pickPoint) > arc->ParameterOfPoint(x)) {
            arc->m_startAngle = direction;
            NormalizeArcAnglesDeg(arc->m_startAngle, arc->m_endAngle);
            freeEnd = arc->KeyPoint(-2);
        } else {
            arc->m_endAngle = direction;
            NormalizeArcAnglesDeg(arc->m_startAngle, arc->m_endAngle);
            reversed = 1;
            freeEnd = arc->KeyPoint(-1);
        }
        CPtrArray& copies = copy.kind == ELEM_CIRCLE ? m_circleCopies : m_arcCopies;
        const int index = copies.Add(arc);
        key->Set(copy.kind, static_cast<std::int16_t>(index), reversed);
    }
    auto* ref = new CElemRef;
    ref->Init(picked.m_kind, picked.m_block, picked.m_slot, 1, 1);
    (copy.kind == ELEM_LINE ? m_lineRefs : copy.kind == ELEM_CIRCLE ? m_circleRefs : m_arcRefs).Add(ref);
    loop.Add(key);
    return 1;
}

int CLoopCommand::CloseLoop()
{
    COwnedPtrArray* loop = m_currentLoop;
    if (!loop)
        return 0;
    for (int y = loop->GetSize() - 1; y >= 0; --y) {
        const CElemKey* yKey = loop->KeyAt(y);
        if (!yKey)
            continue;
        CTravelled last{ MemberLine(*yKey), MemberArc(*yKey), yKey->flag != 0 };
        if (!last.Valid())
            continue;
        if (yKey->kind == ELEM_CIRCLE && NearlyEqual(last.arc->m_endAngle - last.arc->m_startAngle, 360.0)) {
            // A circle closes by itself: it alone stays.
            loop->TruncateFrom(y + 1);
            loop->TruncateUpTo(y - 1);
            return 1;
        }
        for (int g = 0; g < y; ++g) {
            const CElemKey* gKey = loop->KeyAt(g);
            if (!gKey)
                continue;
            CTravelled earlier{ MemberLine(*gKey), MemberArc(*gKey), gKey->flag != 0 };
            if (!earlier.Valid())
                continue;
            const bool adjacent = g == y - 1;
            CPointD p1, p2, x;
            int n = 0;
            if (last.IsLine() && earlier.IsLine()) {
                if (adjacent)
                    continue;
                n = IntersectLineRecSegments(*last.line, *earlier.line, p1);
                x = p1;
            } else if (last.IsLine() || earlier.IsLine()) {
                // The crossing away from the joint the line shares with its neighbour.
                const CLine& line = last.IsLine() ? *last.line : *earlier.line;
                const CArc& arc = last.IsLine() ? *earlier.arc : *last.arc;
                n = LineCrossesArc(line, arc, p1, p2);
                const CPointD from = last.IsLine() ? last.Entry() : earlier.Exit();
                x = p1;
                if (n == 2) {
                    const double d1 = Distance(p1, from), d2 = Distance(p2, from);
                    if (NearlyEqual(d1, 0.0))
                        x = p2;
                    else if (NearlyEqual(d2, 0.0))
                        x = p1;
                    else
                        x = d2 < d1 ? p2 : p1;
                }
            } else {
                n = IntersectArcs(*last.arc, *earlier.arc, p1, p2);
                x = p1;
                if (n == 2) {
                    const double t1 = last.arc->ParameterOfPoint(p1), t2 = last.arc->ParameterOfPoint(p2);
                    if (NearlyEqual(t1, 0.0) || NearlyEqual(t1, 1.0))
                        x = p2;
                    else if (NearlyEqual(t2, 0.0) || NearlyEqual(t2, 1.0))
                        x = p1;
                    else if (last.reversed)
                        x = t1 < t2 ? p2 : p1;
                    else
                        x = t1 > t2 ? p2 : p1;
                }
            }
            if (n <= 0)
                continue;
            if (adjacent && PointsNearlyEqual(x, last.Entry()))
                continue;
            last.MoveExit(x);
            earlier.MoveEntry(x);
            const bool dropLast = Shrunk(last);
            const bool dropEarlier = Shrunk(earlier);
            loop->TruncateFrom(dropLast ? y : y + 1);
            loop->TruncateUpTo(dropEarlier ? g : g - 1);
            return 1;
        }
    }
    return 0;
}
