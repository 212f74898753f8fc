// The dimension command's rubber band: the geometry of the dimension being input or edited,
// written into the drawing's preview fields, and the kind the views draw it by.
#include "commands/annotate/DimCommand.h"

#include <cmath>

#include "commands/annotate/DimValueText.h"
#include "document/ZelkDoc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

CPointD PointAt(const CPointD& centre, double radius, double angleDeg)
{
    CPointD p;
    p.Init(centre.m_x + radius * std::cos(angleDeg * kDegToRad),
           centre.m_y + radius * std::sin(angleDeg * kDegToRad));
    return p;
}

CPointD Middle(const CPointD& a, const CPointD& b)
{
    CPointD m;
    m.Init((a.m_x + b.m_x) / 2, (a.m_y + b.m_y) / 2);
    return m;
}

// The value text box and its angle as the preview draws them.
void PreviewValueBox(CZelkDoc* doc, const CPointD (&box)[4])
{
    for (int i = 0; i < 4; ++i)
        doc->m_previewTextBox[i] = box[i];
}

// The end of a line away from the double-click: its end when the pick lay in its first half.
CPointD EndAwayFromPick(const CLine& line, int pickPosition)
{
    return pickPosition < 5 ? line.m_end : line.m_start;
}

// The member line sharing an end with the line, tried at its start and then at its end; far is
// the partner's end away from the shared one.
CLine* PartnerLine(CZelkDoc* doc, CGroup* group, const CLine& line, CPointD& shared, CPointD& far)
{
    for (int useStart = 1; useStart >= 0; --useStart) {
        int endFlag = 0, block = -1, slot = -1;
        if (CLine* other = group->FindOtherLineAtPoint(doc, line, useStart, endFlag, block, slot)) {
            shared = useStart ? line.m_start : line.m_end;
            far = endFlag ? other->m_end : other->m_start;
            return other;
        }
    }
    return nullptr;
}

// The circle of a leader or balloon and the member line with an end in it: 53, or 17 without one.
int CirclePreview(CZelkDoc* doc, CGroup* group, const CCircle& circle)
{
    doc->m_previewCircles[0].Assign(circle);
    doc->m_previewValue = circle.m_radius;
    int endFlag = 0, block = -1, slot = -1;
    CLine* line = group->FindLineTouchingCircle(doc, circle, endFlag, block, slot);
    if (!line)
        return 17;
    doc->m_previewFlags[0] = 0;
    doc->m_previewPointA = endFlag ? line->m_start : line->m_end;
    return 53;
}

} // namespace

int CDimCommand::ShowRubberBand()
{
    CZelkDoc* doc = m_doc;
    int complete = 0;
    const int slot = GetCurrentPointSlot(complete);
    if (slot >= 0 && slot < kPositions)
        doc->m_inputPoint.Assign(m_inputPoints[slot]);
    auto eff = [&](int k) { return m_inputPoints[k].GetEffective(doc, 1); };
    const CString& t = m_tokenString;

    if (m_editFlag) {
        if (t != "#" || !m_editGroup)
            return 13;
        CGroup* g = m_editGroup;
        const int kind = m_editGroupKind;
        const CLine* line = m_editElemKind == ELEM_LINE ? doc->GetLineElem(m_editBlock, m_editSlot) : nullptr;
        const bool text = m_editElemKind == ELEM_TEXT;
        if (line && m_editRole == 1 && (kind == 2 || kind == 3)) {
            doc->m_previewLines[0].Assign(*line);
            CPointD a = g->m_defPoint1, b = g->m_defPoint2;
            if (kind == 3)
                b = Distance(line->m_start, g->m_defPoint2) <= Distance(line->m_end, g->m_defPoint2)
                        ? line->m_start : line->m_end;
            OrderPoints(a, b);
            doc->m_previewPointA = a;
            doc->m_previewPointB = b;
            doc->m_absAngle = PointsAngleDeg(a, b);
            return 50;
        }
        if (line && (m_editRole == 2 || m_editRole == 4) && kind >= 2 && kind <= 8) {
            doc->m_previewLines[0].Assign(*line);
            if (PointsNearlyEqual(line->m_start, g->m_defPoint1) || PointsNearlyEqual(line->m_start, g->m_defPoint2))
                doc->m_previewPointA = line->m_start;
            else
                doc->m_previewPointA = line->m_end;
            return 10;
        }
        if (line && m_editRole == 8 && kind == 2) {
            doc->m_previewLines[0].Assign(*line);
            return 6;
        }
        if (text && ((kind >= 2 && kind <= 5) || kind == 7)) {
            doc->m_absAngle = doc->m_previewAngle = -m_valueAngle;
            doc->m_previewPointA = kind == 7 ? g->m_defPoint2 : g->m_defPoint1;
            PreviewValueBox(doc, m_valueBox);
            return 44;
        }
        if (line && m_editRole == 1 && (kind == 4 || kind == 5)) {
            const CPointD a = g->m_defPoint1, b = g->m_defPoint2;
            doc->m_previewAngle = PointsAngleDeg(a, b);
            doc->m_previewPointA = kind == 4 ? Middle(a, b) : a;
            doc->m_previewLength = kind == 4 ? Distance(a, b) / 2 : Distance(a, b);
            return 55;
        }
        if (line && m_editRole == 8 && kind == 6) {
            int block = -1, s = -1;
            if (g->FindMemberByRole(doc, ELEM_LINE, 8, 0, block, s) >= 0)
                if (const CLine* member = doc->GetLineElem(block, s))
                    doc->m_previewPointA = member->m_start;
            return 14;
        }
        if (kind == 6 && m_editElemKind == ELEM_ARC && m_editRole == 1) {
            const CArc* arc = doc->GetArcElem(m_editBlock, m_editSlot);
            if (!arc)
                return 13;
            doc->m_previewFlags[0] = doc->m_previewFlags[1] = 1;
            doc->m_previewWorkArc.Assign(*arc);
            doc->m_previewPointA = arc->m_centre;
            CPointD range;
            range.Init(PointsAngleDeg(arc->m_centre, g->m_defPoint1), PointsAngleDeg(arc->m_centre, g->m_defPoint2));
            NormalizeArcAnglesDeg(range);
            doc->m_previewAngle = range.m_x;
            doc->m_previewAngle2 = range.m_y;
            return 54;
        }
        if (kind == 6 && text) {
            const CArc* arc = g->FindAngleDimensionArc(doc);
            if (!arc)
                return 13;
            doc->m_previewPointA = arc->PointAtAngle(arc->m_startAngle);
            doc->m_previewPointB = arc->PointAtAngle(arc->m_endAngle);
            doc->m_previewPointC = arc->PointAtAngle((arc->m_startAngle + arc->m_endAngle) / 2);
            doc->m_previewAngle = arc->m_startAngle;
            doc->m_previewAngle2 = arc->m_endAngle;
            PreviewValueBox(doc, m_valueBox);
            return 47;
        }
        if (line && kind == 7 && m_editRole == 16) {
            CPointD shared, far;
            if (!PartnerLine(doc, g, *line, shared, far))
                return 13;
            doc->m_previewPointA = far;
            doc->m_previewPointC = shared;
            doc->m_previewPointB = PointsNearlyEqual(shared, line->m_start) ? line->m_end : line->m_start;
            return 51;
        }
        if (line && (kind == 7 || kind == 8) && m_editRole == 32) {
            const CPointD e = EndAwayFromPick(*line, m_editPickPosition);
            doc->m_previewPointA = e;
            CPointD shared, far;
            const CLine* other = PartnerLine(doc, g, *line, shared, far);
            if (kind == 7) {
                if (other && other->m_role == 16) {
                    doc->m_previewPointC = shared;
                    doc->m_previewPointB = far;
                    return 51;
                }
                if (other && other->m_role != 2) {
                    doc->m_previewPointB = far;
                    return 52;
                }
                return 14;
            }
            if (other) {
                doc->m_previewPointB = far;
                return 52;
            }
            for (int useStart = 1; useStart >= 0; --useStart) {
                int block = -1, s = -1;
                if (CCircle* balloon = g->FindCircleThroughPoint(doc, *line, useStart, block, s)) {
                    doc->m_previewFlags[0] = 0;
                    doc->m_previewValue = balloon->m_radius;
                    return 53;
                }
            }
            return 14;
        }
        if (m_editElemKind == ELEM_CIRCLE && ((kind == 7 && m_editRole == 2) ||
                                               (kind == 8 && (m_editRole == 1 || m_editRole == 2)))) {
            const CCircle* circle = doc->GetCircleElem(m_editBlock, m_editSlot);
            return circle ? CirclePreview(doc, g, *circle) : 13;
        }
        if (kind == 8 && text) {
            int block = -1, s = -1;
            if (g->FindMemberByRole(doc, ELEM_CIRCLE, 1, 0, block, s) >= 0)
                if (const CCircle* balloon = doc->GetCircleElem(block, s))
                    return CirclePreview(doc, g, *balloon);
            return 13;
        }
        return 13;
    }

    if (t == "A") {
        doc->m_previewAngle = m_values[0].value;
        return 2;
    }
    if (t == "AP" || t == "APP") {
        doc->m_previewPointA = eff(1);
        doc->m_previewAngle = m_values[0].value;
        return 3;
    }
    if (t == "C") {
        doc->m_previewPointA = m_pickedArcs[0].m_centre;
        doc->m_previewLength = m_pickedArcs[0].m_radius;
        return 11;
    }
    if (t == "CP") {
        const CArc& arc = m_pickedArcs[0];
        const double a = PointsAngleDeg(arc.m_centre, eff(1));
        if (IsFullCircle(arc)) {
            doc->m_previewPointA = PointAt(arc.m_centre, arc.m_radius, a);
            doc->m_previewPointB = PointAt(arc.m_centre, arc.m_radius, a + 180);
        } else {
            doc->m_previewPointA = arc.m_centre;
            doc->m_previewPointB = PointAt(arc.m_centre, arc.m_radius, a);
        }
        PreviewValueBox(doc, m_valueBox);
        doc->m_previewTextAngle = -m_valueAngle;
        return 45;
    }
    if (t == "L") {
        const CLine& line = m_pickedLines[0];
        doc->m_absAngle = doc->m_previewAngle = line.AngleDeg() + 90;
        doc->m_previewPointA = Middle(line.m_start, line.m_end);
        PreviewValueBox(doc, m_valueBox);
        doc->m_previewTextAngle = -m_valueAngle;
        return 44;
    }
    if (t == "P") {
        doc->m_previewPointA = eff(0);
        return 1;
    }
    if (t == "PP") {
        doc->m_absAngle = doc->m_previewAngle = PointsAngleDeg(eff(0), eff(1));
        doc->m_previewPointA = eff(1);
        return 10;
    }
    if (t == "PPP") {
        doc->m_previewPointA = eff(2);
        return 14;
    }
    if (t == "PPPP" || t == "PPPPP") {
        doc->m_previewPointA = eff(1);
        doc->m_previewPointB = eff(3);
        doc->m_previewAngle = PointsAngleDeg(eff(0), eff(1));
        doc->m_previewAngle2 = PointsAngleDeg(eff(2), eff(3));
        if (t == "PPPP")
            return 46;
        doc->m_previewPointC = eff(4);
        PreviewValueBox(doc, m_valueBox);
        return 47;
    }
    if (t == "TP" || t == "TB")
        return 48;
    if (t == "TPA") {
        doc->m_previewAngle = FoldedTextAngleDeg(m_values[2].value);
        PreviewValueBox(doc, m_valueBox);
        return 49;
    }
    return 13;
}
