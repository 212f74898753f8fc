// The chamfers of the corner patterns: a segment across the corner where two elements cross,
// its ends at the chamfer length from the crossing on the side where each element was picked.
// A first element picked with a double click is trimmed to its chamfer point here; the second
// one only gets its trimmed ends, which the double click that follows uses.
#include "commands/line/LineCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/ElementAdding.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"

namespace {

const char* const kMsgParallel = "指定の２つの線分が平行なので面取りはできません";
const char* const kMsgConcentric = "指定の２つの円(弧)が同心なので面取り線分は作成できません";
const char* const kMsgCirclesApart = "指定の２つの円(弧)は交点を持たないので面取り線分は作成できません";
const char* const kMsgLineCircleApart = "指定の線分と円(弧)は交点を持たないので面取り線分は作成できません";
const char* const kMsgChamferMade = " 面取り線分を作成しました";
const char* const kMsgTrimmed = " 面取りを行いました";
const char* const kMsgEnvSwitched = " 選択要素の環境で作成するモードに切り替えました";

constexpr int kUndoEdited = 3;
constexpr double kNoCost = 1e+100;
constexpr double kTwoPi = 6.283185307179586;

// Where an element ends after the trim: the end on the side of the crossing is moved onto the
// chamfer point. "Before" is the crossing lying at or before the pick along the element.
struct CTrim {
    CPointD point;   // the chamfer point
    bool before = false;
};

CTrim OnLine(const CLine& line, CPointD crossing, CPointD pick, double length)
{
    const double tX = line.ParameterOfPoint(crossing);
    const double tQ = line.ParameterOfPoint(pick);
    const double step = length / line.Length();
    CTrim trim;
    trim.before = tX <= tQ;
    trim.point = line.PointAtParameter(trim.before ? tX + step : tX - step);
    return trim;
}

// Arc length along the circle, in turn fractions; a chamfer across fraction 0 is not wrapped.
CTrim OnCircle(const CCircle& circle, CPointD crossing, CPointD pick, double length)
{
    const double fX = circle.FractionOfPoint(crossing);
    const double fQ = circle.FractionOfPoint(pick);
    const double step = length / (kTwoPi * std::fabs(circle.m_radius));
    CTrim trim;
    trim.before = fX <= fQ;
    trim.point = circle.PointAtFraction(trim.before ? fX + step : fX - step);
    return trim;
}

// Of two crossings the one whose distances to both picks add up to less; a tie keeps the first.
CPointD ChooseCrossing(int count, CPointD x1, CPointD x2, CPointD q1, CPointD q2)
{
    const double cost0 = Distance(x1, q1) + Distance(x1, q2);
    const double cost1 = count >= 2 ? Distance(x2, q2) + Distance(x2, q1) : kNoCost;
    return cost1 < cost0 ? x2 : x1;
}

void Refuse(int& note, const char* text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 1);
    note = 1;
}

// The ends an element gets: its own, with the one on the crossing side replaced.
void TrimmedEnds(CPointD start, CPointD end, const CTrim& trim, CPointD& newStart, CPointD& newEnd)
{
    newStart = trim.before ? trim.point : start;
    newEnd = trim.before ? end : trim.point;
}

// The ends a picked line or arc of the drawing gets after the trim on it (none given: the
// element is not trimmed); its kind, or 0 when nothing is to be trimmed.
int TrimmedElementEnds(const CZelkDoc* doc, const CElemRef& ref, const CTrim* onLine, const CTrim* onArc,
                       CPointD& start, CPointD& end)
{
    if (ref.m_kind == ELEM_LINE && onLine) {
        if (const CLine* line = doc->GetLineElem(ref.m_block, ref.m_slot)) {
            TrimmedEnds(line->m_start, line->m_end, *onLine, start, end);
            return ELEM_LINE;
        }
    } else if (ref.m_kind == ELEM_ARC && onArc) {
        if (const CArc* arc = doc->GetArcElem(ref.m_block, ref.m_slot)) {
            TrimmedEnds(arc->KeyPoint(-1), arc->KeyPoint(-2), *onArc, start, end);
            return ELEM_ARC;
        }
    }
    return 0;
}

} // namespace

// ---- shared by the three chamfers ----------------------------------------------------------------

namespace {

// The element is retired only after its trimmed copy was added, so a copy the drawing refuses
// leaves the original in place.
void Retire(CZelkDoc* doc, std::int16_t kind, std::int16_t block, std::int16_t slot)
{
    std::uint8_t* state = nullptr;
    if (kind == ELEM_LINE) {
        if (CLine* l = doc->GetLineElem(block, slot))
            state = &l->m_state;
    } else if (CArc* a = doc->GetArcElem(block, slot)) {
        state = &a->m_state;
    }
    if (!state)
        return;
    if (doc->m_undoHistory)
        doc->m_undoHistory->RecordChange(2, kind, block, slot, *state);
    *state = STATE_DELETED | STATE_REDRAW;
    doc->RedrawChangedElements(1);
}

// Runs one add with the element-layer condition and the given write layer, then puts both back.
template <class Add>
void AddOnOwnLayer(CZelkDoc* doc, int layer, Add add)
{
    CZelkApp* app = g_pApp;
    const signed char condition = app ? app->m_appElem.m_layerCondition : 0;
    const std::int16_t writeLayer = doc->m_writeLayer;
    if (app)
        app->m_appElem.m_layerCondition = 1;
    doc->m_writeLayer = static_cast<std::int16_t>(layer);
    add();
    if (app)
        app->m_appElem.m_layerCondition = condition;
    doc->m_writeLayer = writeLayer;
    doc->RedrawChangedElements(1);
}

} // namespace

int CLineCommand::RebuildTrimmedElement(int kind, std::int16_t block, std::int16_t slot, CPointD start, CPointD end,
                                        int joinGroup)
{
    CZelkDoc* doc = m_doc;
    std::int16_t newBlock = -1, newSlot = -1;
    int added = 0;
    if (kind == ELEM_LINE) {
        const CLine* old = doc->GetLineElem(block, slot);
        if (!old)
            return 0;
        AddOnOwnLayer(doc, old->m_layer, [&]() { AddLineByPoints(start, end, newBlock, newSlot, 1, 1); });
        added = newBlock >= 0;
        if (added) {
            Retire(doc, ELEM_LINE, block, slot);
            if (joinGroup)
                AddLineToSourceGroup(block, slot, newBlock, newSlot);
        }
        return added;
    }
    const CArc* old = doc->GetArcElem(block, slot);
    if (!old)
        return 0;
    const CPointD centre = old->m_centre;
    const double radius = std::fabs(old->m_radius);
    double a0 = PointsAngleDeg(centre, start);
    double a1 = PointsAngleDeg(centre, end);
    NormalizeArcAnglesDeg(a0, a1);
    AddOnOwnLayer(doc, old->m_layer, [&]() { added = AddArc(centre, radius, a0, a1, newBlock, newSlot, 1, 1); });
    // A full turn comes back as a circle, which no group of the arc takes over.
    added = added && newBlock >= 0;
    if (added) {
        Retire(doc, ELEM_ARC, block, slot);
        if (joinGroup && doc->m_circleCmd)
            doc->m_circleCmd->AddArcToSourceGroup(doc->GetArcElem(block, slot), newBlock, newSlot);
    }
    return added;
}

// The chamfer segment from c1 to c2 with the layer step, then the trimmed first element.
int CLineCommand::FinishChamfer(CPointD c1, CPointD c2, int layer, int firstKind, CPointD start, CPointD end,
                                int joinGroup)
{
    CLayerStep step(m_doc, layer);
    std::int16_t block = -1, slot = -1;
    AddLineByPoints(c1, c2, block, slot, 1, 1);
    step.Finish();
    int trimmed = 0;
    if (firstKind) {
        const CElemRef& first = m_pickedRefs[0];
        m_trimEnds[0] = start;
        m_trimEnds[2] = end;
        trimmed = RebuildTrimmedElement(firstKind, first.m_block, first.m_slot, start, end, joinGroup);
    }
    if (g_pApp)
        g_pApp->ShowResultMessage(trimmed ? kMsgTrimmed : kMsgChamferMade, 0);
    return trimmed;
}

// ---- the three chamfers ----------------------------------------------------------------------------

int CLineCommand::ChamferLines(int length, int first, int second, int& trimmed)
{
    trimmed = 0;
    const CLine& l1 = m_pickedLines[first];
    const CLine& l2 = m_pickedLines[second];
    if (NearlyEqual(l1.AngleRad(), l2.AngleRad())) {
        Refuse(m_refusalNote, kMsgParallel);
        return 0;
    }
    if (l1.Length() == 0 || l2.Length() == 0)
        return 0;
    CPointD x;
    IntersectLines(l1.m_start, l1.m_end, l2.m_start, l2.m_end, x);
    const double d = std::fabs(m_values[length].value);
    const CTrim t1 = OnLine(l1, x, m_pickPoints[first], d);
    const CTrim t2 = OnLine(l2, x, m_pickPoints[second], d);

    CPointD start, end;
    const int firstKind =
        m_stepOptions[first] == 1 ? TrimmedElementEnds(m_doc, m_pickedRefs[0], &t1, nullptr, start, end) : 0;
    trimmed = FinishChamfer(t1.point, t2.point, l1.m_layer, firstKind, start, end, 1);
    TrimmedElementEnds(m_doc, m_pickedRefs[1], &t2, nullptr, m_trimEnds[1], m_trimEnds[3]);
    return 1;
}

int CLineCommand::ChamferCircles(int length, int first, int second, int& trimmed)
{
    trimmed = 0;
    const CCircle& c1 = m_pickedCircles[first];
    const CCircle& c2 = m_pickedCircles[second];
    if (PointsNearlyEqual(c1.m_centre, c2.m_centre)) {
        Refuse(m_refusalNote, kMsgConcentric);
        return 0;
    }
    CPointD x1, x2;
    const int count = IntersectCircles(c1, c2, x1, x2);
    if (count <= 0) {
        Refuse(m_refusalNote, kMsgCirclesApart);
        return 0;
    }
    const CPointD x = ChooseCrossing(count, x1, x2, m_pickPoints[first], m_pickPoints[second]);
    const double d = std::fabs(m_values[length].value);
    const CTrim t1 = OnCircle(c1, x, m_pickPoints[first], d);
    const CTrim t2 = OnCircle(c2, x, m_pickPoints[second], d);

    // A full circle is never trimmed: only an arc has ends to move.
    CPointD start, end;
    const int firstKind =
        m_stepOptions[first] == 1 ? TrimmedElementEnds(m_doc, m_pickedRefs[0], nullptr, &t1, start, end) : 0;
    trimmed = FinishChamfer(t1.point, t2.point, c1.m_layer, firstKind, start, end, 1);
    TrimmedElementEnds(m_doc, m_pickedRefs[1], nullptr, &t2, m_trimEnds[1], m_trimEnds[3]);
    return 1;
}

int CLineCommand::ChamferLineAndCircle(int length, int line, int circle, int& trimmed)
{
    trimmed = 0;
    const CLine& l = m_pickedLines[line];
    const CCircle& c = m_pickedCircles[circle];
    CPointD x1, x2;
    int on1 = 0, on2 = 0;
    const int count = IntersectLineCircle(l, c, x1, x2, on1, on2);
    if (count <= 0) {
        Refuse(m_refusalNote, kMsgLineCircleApart);
        return 0;
    }
    const CPointD x = ChooseCrossing(count, x1, x2, m_pickPoints[line], m_pickPoints[circle]);
    const double d = std::fabs(m_values[length].value);
    const CTrim tl = OnLine(l, x, m_pickPoints[line], d);
    const CTrim tc = OnCircle(c, x, m_pickPoints[circle], d);

    CPointD start, end;
    int firstKind = 0;
    if (m_stepOptions[line] == 1)
        firstKind = TrimmedElementEnds(m_doc, m_pickedRefs[0], &tl, nullptr, start, end);
    else if (m_stepOptions[circle] == 1)
        firstKind = TrimmedElementEnds(m_doc, m_pickedRefs[0], nullptr, &tc, start, end);
    // The chamfer segment runs from the first picked element to the second.
    const bool lineFirst = line < circle;
    trimmed = FinishChamfer(lineFirst ? tl.point : tc.point, lineFirst ? tc.point : tl.point, l.m_layer, firstKind,
                            start, end, 0);

    TrimmedElementEnds(m_doc, m_pickedRefs[1], &tl, &tc, m_trimEnds[1], m_trimEnds[3]);
    return 1;
}

// ---- the double click of a chamfer ---------------------------------------------------------------

void CLineCommand::OnDoubleClick()
{
    // The double click followed a pick the command refused.
    if (m_refusalNote) {
        m_refusalNote = 0;
        return;
    }
    CZelkApp* app = g_pApp;
    int i = m_tokenString.GetLength() - 1;
    if (m_macroFlag && m_tokenString == "D" &&
        (m_macroPattern == "DLL" || m_macroPattern == "DLC" || m_macroPattern == "DCL" || m_macroPattern == "DCC"))
        i = 2;
    if (i == 1) {
        // The first element of the chamfer: the chamfer trims it, on its own layer and pen.
        m_stepOptions[1] = 1;
        if (!app)
            return;
        app->m_savedLayerCondition = app->m_appElem.m_layerCondition;
        app->SetLayerCondSame();
        StartEditEnvironment();
        app->ShowResultMessage(kMsgEnvSwitched, 0);
        return;
    }
    if (i != 2)
        return;
    // The chamfer was made by the second click of this double click: the second element goes
    // back to its chamfer point, unless it is a full circle or is gone already.
    const CElemRef ref = m_pickedRefs[1];
    const CPointD start = m_trimEnds[1];
    const CPointD end = m_trimEnds[3];
    m_trimEnds[1] = m_trimEnds[3] = CPointD();
    const CLine* line = ref.m_kind == ELEM_LINE ? m_doc->GetLineElem(ref.m_block, ref.m_slot) : nullptr;
    const CArc* arc = ref.m_kind == ELEM_ARC ? m_doc->GetArcElem(ref.m_block, ref.m_slot) : nullptr;
    const std::uint8_t state = line ? line->m_state : arc ? arc->m_state : STATE_DELETED;
    if (!(state & STATE_DELETED) && !PointsNearlyEqual(start, end) &&
        RebuildTrimmedElement(ref.m_kind, ref.m_block, ref.m_slot, start, end, 1) && m_doc->m_undoHistory)
        m_doc->m_undoHistory->Commit(kUndoEdited);
    ClearStepOptions(0);
    RestoreCreationMode();
    if (!app)
        return;
    if (app->m_savedLayerCondition == 0)
        app->SetLayerCondCurrent();
    else if (app->m_savedLayerCondition == 1)
        app->SetLayerCondSame();
    else
        app->SetLayerCondNew();
}
