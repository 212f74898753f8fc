// The circle command's rubber band: which figure the next input would make (the preview code)
// and the data the view draws it from, written into the drawing's preview model. Nothing is
// drawn here; the view draws the figure of the code on every pointer move.
#include "commands/circle/CircleCommand.h"

#include <cmath>
#include <initializer_list>

#include "app/ZelkApp.h"
#include "commands/circle/CircleGuidanceTexts.h"
#include "commands/circle/PatternTable.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "geometry/Numeric.h"

namespace {

// The messages' places in the rubber band's text table.
enum RubberBandMessage {
    kDummyAngleCircle = 0,
    kDummyAngleArc = 1,
    kDummyLine = 2,
    kDummyArcAngleCircle = 3,
    kDummyArcAngleArc = 4,
    kDummyCircle = 5,
    kDummyArc = 6,
};

void Say(RubberBandMessage message)
{
    if (g_pApp)
        g_pApp->ShowMessage(CircleTexts::kRubberBandMessages[message], 0);
}

// The corner step of a polygon of a typed count. A count whose integer part is 0 has no
// finite step: no polygon is shown then, instead of a division by zero.
bool PolygonStep(double count, double& step, bool& outer)
{
    const double n = std::trunc(count);
    if (n == 0 || !std::isfinite(n))
        return false;
    step = 360.0 / std::fabs(n);
    outer = n > 0;
    return true;
}

// The polygon figures: about the pointer (base 56) or about a centre (base 58), one more for a
// circumscribed polygon (a positive count).
int PolygonCode(CZelkDoc* doc, double count, double angle, int base)
{
    double step = 0;
    bool outer = false;
    if (!PolygonStep(count, step, outer))
        return 0;
    doc->m_previewAsArc = 0;
    doc->m_previewAngle = angle;
    doc->m_previewAngle2 = step;
    return outer ? base + 1 : base;
}

} // namespace

int CCircleCommand::ShowRubberBand()
{
    CZelkDoc* doc = m_doc;
    int single = 0, complete = 0;
    const int position = ClassifyTokens(single, complete);
    // With no position there is no step point to copy: the shared record stays as it was.
    if (position >= 0 && position < kPositions)
        doc->m_inputPoint.Assign(m_inputPoints[position]);
    doc->m_previewAsArc = m_circleFlag == 1 ? 0 : 1;

    const int percent = m_tokenString.Find('%');
    const CString creation = percent < 0 ? m_tokenString : m_tokenString.Left(percent);
    int code = 0;
    if (!m_editFlag)
        code = PreviewOfCreation(creation);
    else if (percent < 0)
        code = PreviewOfArcEdit();
    if (percent >= 0)
        code = PreviewOfCircleEdit(m_tokenString.Mid(percent));
    return code;
}

int CCircleCommand::PreviewOfCreation(const CString& t)
{
    CZelkDoc* doc = m_doc;
    const bool circle = m_circleFlag == 1;
    auto point = [&](int i) { return m_inputPoints[i].GetEffective(doc, 1); };
    auto value = [&](int i) { return m_values[i].value; };

    if (t == "P") {
        doc->m_previewPointA = point(0);
        doc->m_previewAsArc = 0;
        return 16;
    }
    if (IsOneOf(t, { "D", "DP", "DLP", "DCP", "DLH", "DCH", "DLL", "DLC", "DCL", "DCC", "DBL", "DBC", "DBP" })) {
        doc->m_previewValue = value(0);
        doc->m_previewAsArc = 0;
        return 17;
    }
    if (t == "DB") {
        doc->m_previewValue = value(0);
        doc->m_previewPointA = point(1);
        return 22;
    }
    if (IsOneOf(t, { "DN", "DNP", "DNA", "DNAP" })) {
        doc->m_previewValue = value(0);
        return PolygonCode(doc, value(1), t == "DNA" || t == "DNAP" ? value(2) : doc->m_relAngle, 56);
    }
    if (t == "B") {
        doc->m_previewPointA = point(0);
        if (m_modePattern == "APP") {
            Say(circle ? kDummyAngleCircle : kDummyAngleArc);
            doc->m_previewAngle = 30.0;
            return 31;
        }
        if (m_modePattern == "LLL") {
            Say(kDummyLine);
            return 14;
        }
        return 20;
    }
    if (t == "BS") {
        Say(kDummyLine);
        doc->m_previewPointA = point(0);
        return 14;
    }
    if (t == "BP") {
        doc->m_previewPointA = point(0);
        doc->m_previewPointB = point(1);
        if (m_modePattern == "APP") {
            Say(circle ? kDummyArcAngleCircle : kDummyArcAngleArc);
            doc->m_previewAngle = 30.0;
            return 61;
        }
        return 21;
    }
    if (t == "BD") {
        doc->m_previewPointA = point(0);
        doc->m_previewValue = value(1);
        if (EitherOptionOn())
            return 60;
        return NearlyEqual(value(1), 0) ? 14 : 22;
    }
    if (t == "BA") {
        doc->m_previewPointA = point(1);
        doc->m_previewAngle = value(1);
        return 23;
    }
    if (t == "DL" || t == "LD") {
        const int i = t == "DL" ? 1 : 0;
        doc->m_previewValue = value(t == "DL" ? 0 : 1);
        doc->m_previewLines[0].Assign(m_pickedLines[i]);
        doc->m_previewPointC = m_pickPoints[i];
        return 18;
    }
    if (t == "DC") {
        doc->m_previewValue = value(0);
        doc->m_previewCircles[0].Assign(m_pickedCircles[1]);
        doc->m_previewPointC = m_pickPoints[1];
        return 19;
    }
    if (t == "BL" || t == "LP") {
        const bool bl = t == "BL";
        doc->m_previewPointA = point(bl ? 0 : 1);
        doc->m_previewLines[0].Assign(m_pickedLines[bl ? 1 : 0]);
        doc->m_previewPointC = m_pickPoints[bl ? 1 : 0];
        return bl ? 24 : 25;
    }
    if (t == "BC" || t == "CP") {
        const bool bc = t == "BC";
        doc->m_previewPointA = point(bc ? 0 : 1);
        doc->m_previewCircles[0].Assign(m_pickedCircles[bc ? 1 : 0]);
        doc->m_pickPoint1 = m_pickPoints[bc ? 1 : 0];
        return bc ? 26 : 27;
    }
    if (t == "L") {
        Say(kDummyCircle);
        doc->m_previewAsArc = 0;
        doc->m_previewLines[0].Assign(m_pickedLines[0]);
        doc->m_previewPointC = m_pickPoints[0];
        return 28;
    }
    if (t == "C") {
        if (!OptionApplies())
            return 0;
        doc->m_previewAsArc = 0;
        if (m_modePattern == "PP" && (m_macroPattern.IsEmpty() || m_macroPattern.GetAt(0) != 'C')) {
            doc->m_previewPointA = m_pickedCircles[0].m_centre;
            return 16;
        }
        if (m_modePattern != "PP")
            Say(kDummyCircle);
        doc->m_previewCircles[0].Assign(m_pickedCircles[0]);
        doc->m_previewPointC = m_pickPoints[0];
        return 29;
    }
    if (t == "A") {
        Say(circle ? kDummyCircle : kDummyArc);
        doc->m_previewAngle = value(0);
        doc->m_previewValue = 100.0;
        return 30;
    }
    if (t == "AP") {
        doc->m_previewAngle = value(0);
        doc->m_previewPointA = point(1);
        return 31;
    }
    if (t == "LH") {
        doc->m_previewLines[0].Assign(m_pickedLines[0]);
        doc->m_previewPointA = point(1);
        return 33;
    }
    if (t == "CH") {
        doc->m_previewCircles[0].Assign(m_pickedCircles[0]);
        doc->m_previewPointA = point(1);
        return 34;
    }
    if (t == "LL") {
        doc->m_previewLines[0].Assign(m_pickedLines[0]);
        doc->m_previewLines[1].Assign(m_pickedLines[1]);
        doc->m_previewPointA = m_pickPoints[0];
        doc->m_previewPointB = m_pickPoints[1];
        return 35;
    }
    if (t == "CC") {
        doc->m_previewCircles[0].Assign(m_pickedCircles[0]);
        doc->m_previewCircles[1].Assign(m_pickedCircles[1]);
        doc->m_pickPoint1 = m_pickPoints[0];
        doc->m_pickPoint2 = m_pickPoints[1];
        return 36;
    }
    if (t == "LC" || t == "CL") {
        const bool lc = t == "LC";
        doc->m_previewLines[0].Assign(m_pickedLines[lc ? 0 : 1]);
        doc->m_previewCircles[0].Assign(m_pickedCircles[lc ? 1 : 0]);
        doc->m_pickPoint1 = m_pickPoints[lc ? 0 : 1];
        doc->m_pickPoint2 = m_pickPoints[lc ? 1 : 0];
        return lc ? 37 : 38;
    }
    if (IsOneOf(t, { "N", "NA" })) {
        doc->m_previewValue = 50.0;
        return PolygonCode(doc, value(0), t == "NA" ? value(1) : doc->m_relAngle, 56);
    }
    if (IsOneOf(t, { "NP", "NAP", "NPA" })) {
        doc->m_previewPointA = point(t == "NAP" ? 2 : 1);
        return PolygonCode(doc, value(0), t == "NAP" ? value(1) : t == "NPA" ? value(2) : doc->m_relAngle, 58);
    }
    // A complete polygon pattern keeps showing its polygon of the typed count.
    if (OptionApplies() && IsOneOf(t, { "NAPD", "NAPP", "NPD", "NPP", "NPAD", "NPAP" })) {
        doc->m_previewValue = 50.0;
        return PolygonCode(doc, value(0), t == "NAPD" || t == "NAPP" ? value(1) : 0.0, 56);
    }
    return 0;
}

int CCircleCommand::PreviewOfArcEdit()
{
    CZelkDoc* doc = m_doc;
    if (m_editBlock < 0 || m_editSlot < 0)
        return 0;
    const CString& t = m_tokenString;
    if (t == "#S" || t == "#E") {
        if (m_editClass == 1) {
            const CCircle* circle = doc->GetCircleElem(m_editBlock, m_editSlot);
            if (!circle)
                return 0;
            doc->m_previewPointA = circle->m_centre;
        } else if (m_editClass == 0) {
            const CArc* arc = doc->GetArcElem(m_editBlock, m_editSlot);
            if (!arc)
                return 0;
            doc->m_previewPointA = arc->m_centre;
            doc->m_previewWorkArc.Assign(*arc);
            doc->m_previewArcMovesStart = t == "#S" ? 1 : 0;
        }
        return 16;
    }
    if (!IsOneOf(t, { "#", "#p", "#l", "#c", "#J" }))
        return 0;
    const CArc* arc = doc->GetArcElem(m_editBlock, m_editSlot);
    if (!arc)
        return 0;
    doc->m_previewPointA = arc->m_centre;
    if (t == "#J") {
        doc->m_previewAngle = m_values[1].value;
        return 15;
    }
    if (t != "#")
        return 1;
    if (g_pApp && g_pApp->m_appCommand.m_arcFlag && m_modePattern == "#D") {
        doc->m_previewAsArc = 0;
        return 16;
    }
    doc->m_previewWorkArc.Assign(*arc);
    // Picked at the start, in the first half or in the middle, the start of the arc moves.
    doc->m_previewArcMovesStart = m_editPickPosition < 5 ? 1 : 0;
    doc->m_previewPointA = doc->m_previewWorkArc.m_centre;
    return 39;
}

int CCircleCommand::PreviewOfCircleEdit(const CString& tail)
{
    CZelkDoc* doc = m_doc;
    if (m_editBlock < 0 || m_editSlot < 0)
        return 0;
    const bool open = IsOneOf(tail, { "%", "%P", "%A", "%L", "%C", "%p", "%l", "%c" });
    if (!open && m_tokenString != "%J")
        return 0;
    const CCircle* circle = doc->GetCircleElem(m_editBlock, m_editSlot);
    if (!circle)
        return 0;
    doc->m_previewPointA = circle->m_centre;
    if (!open) {
        doc->m_previewAngle = m_values[1].value;
        return 15;
    }
    if (g_pApp && g_pApp->m_appCommand.m_circleFlag && m_modePattern == "%D") {
        doc->m_previewAsArc = 0;
        return 16;
    }
    return 1;
}
