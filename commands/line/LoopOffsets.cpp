// Offset figures: each extracted loop moved sideways by a signed distance (positive to the left
// of its travel). Lines shift parallel, circles and arcs change their radius about the same
// centre, neighbours meet again at their new crossings, and members that vanish are dropped
// with their neighbours joined directly. Every loop becomes one group and one undo step.
#include "commands/line/LoopCommand.h"

#include <cmath>
#include <memory>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/LoopMembers.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "input/ElemKey.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCleanUpPasses = 10;

// One member of an offset loop: its own working line or arc and the loop member it came from.
struct COffsetMember {
    std::shared_ptr<CLine> line;
    std::shared_ptr<CArc> arc;
    bool reversed = false;
    CTravelled source;

    CTravelled Travel() const { return CTravelled{ line.get(), arc.get(), reversed }; }
};

// Of the crossings u and v (n of them) the one whose distance from the corner is nearest the
// signed distance.
CPointD NearestToDistance(const CPointD& u, const CPointD& v, int n, const CPointD& corner, double d)
{
    if (n < 2)
        return u;
    return std::fabs(Distance(corner, v) - d) < std::fabs(Distance(corner, u) - d) ? v : u;
}

CPointD NearerTo(const CPointD& u, const CPointD& v, int n, const CPointD& to)
{
    if (n < 2)
        return u;
    return Distance(v, to) < Distance(u, to) ? v : u;
}

int LineCircleCrossings(const CLine& line, const CArc& arc, CPointD& u, CPointD& v)
{
    int on1 = 0, on2 = 0;
    return IntersectLineArcCircle(line, arc, u, v, on1, on2);
}

void MeetAt(COffsetMember& p, COffsetMember& m, const CPointD& x)
{
    CTravelled tp = p.Travel(), tm = m.Travel();
    tp.MoveExit(x);
    tm.MoveEntry(x);
}

// A line that vanished under the offset: its ends met, or they passed each other so that it now
// runs against the line it came from.
bool Vanished(const COffsetMember& m)
{
    if (!m.line)
        return false;
    const CLine& l = *m.line;
    if (PointsNearlyEqual(l.m_start, l.m_end))
        return true;
    if (!m.source.IsLine())
        return false;
    const CLine& s = *m.source.line;
    const double dot = (l.m_end.m_x - l.m_start.m_x) * (s.m_end.m_x - s.m_start.m_x) +
                       (l.m_end.m_y - l.m_start.m_y) * (s.m_end.m_y - s.m_start.m_y);
    return dot < 0.0;
}

// P and M meet again after the members between them were dropped.
void Rejoin(COffsetMember& p, COffsetMember& m)
{
    CPointD u, v;
    int n = 0;
    if (p.line && m.line) {
        if (IntersectLineRecLines(*p.line, *m.line, u))
            MeetAt(p, m, u);
        return;
    }
    if (p.line) {
        n = LineCircleCrossings(*p.line, *m.arc, u, v);
        if (n > 0)
            MeetAt(p, m, NearerTo(u, v, n, p.Travel().Entry()));
        return;
    }
    if (m.line) {
        n = LineCircleCrossings(*m.line, *p.arc, u, v);
        if (n > 0)
            MeetAt(p, m, NearerTo(u, v, n, m.Travel().Exit()));
        return;
    }
    n = IntersectArcCircles(*p.arc, *m.arc, u, v);
    if (n <= 0)
        return;
    CPointD x = u;
    if (n == 2) {
        const double tu = std::fabs(m.arc->ParameterOfPoint(u));
        const double tv = std::fabs(m.arc->ParameterOfPoint(v));
        x = m.reversed ? (tv < tu ? v : u) : (tv > tu ? v : u);
    }
    MeetAt(p, m, x);
}

} // namespace

int CLoopCommand::MakeOffset(int distanceSlot)
{
    CZelkDoc* doc = m_doc;
    if (!doc || !doc->m_creationLog || distanceSlot < 0 || distanceSlot >= 5)
        return 0;
    const double d = m_values[distanceSlot].value;
    int made = 0;
    for (int i = 0; i < m_loops.GetSize(); ++i) {
        const auto& loop = *static_cast<const COwnedPtrArray*>(m_loops[i]);
        std::vector<COffsetMember> members;
        for (int k = 0; k < loop.GetSize(); ++k) {
            const CElemKey* key = loop.KeyAt(k);
            if (!key)
                continue;
            COffsetMember m;
            m.reversed = key->flag != 0;
            m.source = CTravelled{ MemberLine(*key), MemberArc(*key), m.reversed };
            if (const CLine* line = m.source.line) {
                const double alpha = line->AngleRad() + (m.reversed ? kPi : 0.0);
                const double vx = -d * std::sin(alpha), vy = d * std::cos(alpha);
                m.line = std::make_shared<CLine>(line->m_start.m_x + vx, line->m_start.m_y + vy,
                                                 line->m_end.m_x + vx, line->m_end.m_y + vy);
            } else if (const CArc* arc = m.source.arc) {
                const double radius = m.reversed ? arc->m_radius + d : arc->m_radius - d;
                if (NearlyEqual(radius, 0.0) || radius < 0.0)
                    continue;
                CPointD sweep;
                sweep.Init(arc->m_startAngle, arc->m_endAngle);
                m.arc = std::make_shared<CArc>(arc->m_centre, radius, sweep);
            } else {
                continue;
            }
            members.push_back(m);
        }

        // Each corner: the member before it and the one after meet again. The pair (last,
        // first) shares the first member's own line or arc.
        const int n = static_cast<int>(members.size());
        for (int k = 0; k < n; ++k) {
            COffsetMember& p = members[k];
            COffsetMember& m = members[(k + 1) % n];
            const CPointD corner = p.source.Exit();
            CPointD u, v;
            if (p.line && m.line) {
                if (IntersectLineRecLines(*p.line, *m.line, u))
                    MeetAt(p, m, u);
                continue;
            }
            if (PointsNearlyEqual(p.Travel().Exit(), m.Travel().Entry()))
                continue;
            int count = 0;
            if (p.line)
                count = LineCircleCrossings(*p.line, *m.arc, u, v);
            else if (m.line)
                count = LineCircleCrossings(*m.line, *p.arc, u, v);
            else
                count = IntersectArcCircles(*p.arc, *m.arc, u, v);
            if (count > 0)
                MeetAt(p, m, NearestToDistance(u, v, count, corner, d));
        }

        // Lines that vanished go, from the last member to the first; the neighbours of each
        // dropped run meet again.
        for (int pass = 0; pass < kCleanUpPasses; ++pass) {
            bool removed = false;
            for (int k = static_cast<int>(members.size()) - 1; k >= 0 && members.size() > 1; --k) {
                if (k >= static_cast<int>(members.size()) || !Vanished(members[k]))
                    continue;
                members.erase(members.begin() + k);
                removed = true;
                const int size = static_cast<int>(members.size());
                const int before = (k - 1 + size) % size;
                const int after = k % size;
                if (before != after)
                    Rejoin(members[before], members[after]);
            }
            if (members.size() == 1 && Vanished(members[0])) {
                members.clear();
                removed = true;
            }
            if (!removed)
                break;
        }

        if (members.empty()) {
            if (g_pApp)
                g_pApp->ShowMessage("オフセット図形は作成できません。", 1);
            continue;
        }
        std::int16_t groupNumber = -1;
        CGroup* group = doc->m_creationLog->AddGroup(1, groupNumber, 1, 1);
        if (!group)
            continue;
        CLayerStep layer(doc, FirstMemberLayer(*this));
        for (const COffsetMember& m : members) {
            std::int16_t block = -1, slot = -1, kind = ELEM_LINE;
            if (m.line) {
                CPointD a = m.line->m_start, b = m.line->m_end;
                OrderPoints(a, b);
                doc->m_creationLog->AddLine(a, b, 1, block, slot, 1, 1);
            } else {
                const CArc& arc = *m.arc;
                if (NearlyEqual(arc.m_endAngle - arc.m_startAngle, 360.0)) {
                    kind = ELEM_CIRCLE;
                    doc->m_creationLog->AddCircle(arc.m_centre, arc.m_radius, 1, block, slot, 1, 1);
                } else {
                    kind = ELEM_ARC;
                    doc->m_creationLog->AddArc(arc.m_centre, arc.m_radius, arc.m_startAngle, arc.m_endAngle, 1,
                                               block, slot, 1, 1);
                }
                doc->RedrawChangedElements(1);
            }
            if (block == -1)
                continue;
            JoinNewGroup(doc, group, groupNumber, kind, block, slot);
            made = 1;
        }
        layer.Finish();
        if (doc->m_undoHistory)
            doc->m_undoHistory->Commit(1);
    }
    return made;
}
