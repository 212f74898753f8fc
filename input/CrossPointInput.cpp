// The two-element intersection mode: picks, the crossings of the two extensions and the point
// handed on.
#include "input/CrossPointInput.h"

#include <algorithm>
#include <cmath>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/IntersectionsWithPolylines.h"
#include "geometry/Numeric.h"
#include "input/InputEvent.h"
#include "input/PickList.h"

namespace {

const char* const kPrompt = "[２要素交点] 第１要素を指定してください";
const char* const kHint = "離れた２要素の交点が入力できます。第１の要素を指定してください。";
const char* const kMsgFirstChosen = "交点モードの第一要素を選択しました";
const char* const kMsgNoCrossing = "交点がありません";
const char* const kMsgChosenHead = "２要素交点 ( ";
const char* const kMsgChosenMiddle = " , ";
const char* const kMsgChosenTail = " ) を選択しました";

constexpr int kCrossingDigits = 14;

// One picked element as the kernel takes it; null members for the kinds it is not.
struct CPicked {
    const CLine* line = nullptr;
    const CCircle* circle = nullptr;
    const CArc* arc = nullptr;
    const CConic* conic = nullptr;
    const CCurve* curve = nullptr;
    const CText* text = nullptr;
    bool Found() const { return line || circle || arc || conic || curve || text; }
};

CPicked Lookup(CZelkDoc* doc, const CElemRef& ref)
{
    CPicked p;
    if (!doc)
        return p;
    switch (ref.m_kind) {
    case ELEM_LINE: p.line = doc->GetLineElem(ref.m_block, ref.m_slot); break;
    case ELEM_CIRCLE: p.circle = doc->GetCircleElem(ref.m_block, ref.m_slot); break;
    case ELEM_ARC: p.arc = doc->GetArcElem(ref.m_block, ref.m_slot); break;
    case ELEM_CONIC: p.conic = doc->GetConicElem(ref.m_block, ref.m_slot); break;
    case ELEM_CURVE: p.curve = doc->GetCurveElem(ref.m_block, ref.m_slot); break;
    case ELEM_TEXT: p.text = doc->GetTextElem(ref.m_block, ref.m_slot); break;
    default: break;
    }
    return p;
}

void Round14(CPointD& p)
{
    RoundToSignificant(p.m_x, kCrossingDigits);
    RoundToSignificant(p.m_y, kCrossingDigits);
}

// The routines that give at most two points: each point they report, rounded.
void TakePoints(int n, CPointD a, CPointD b, std::vector<CPointD>& points)
{
    if (n >= 1) {
        Round14(a);
        points.push_back(a);
    }
    if (n >= 2) {
        Round14(b);
        points.push_back(b);
    }
}

void CrossLines(CPointD p1, CPointD p2, CPointD q1, CPointD q2, std::vector<CPointD>& points)
{
    CPointD out;
    TakePoints(IntersectLines(p1, p2, q1, q2, out), out, out, points);
}

// The crossings of a with b; the pairs are symmetric, so each is written once with a the kind
// that comes first in the order line, circle, arc, conic, curve, text.
void Cross(const CPicked& a, const CPicked& b, std::vector<CPointD>& points)
{
    CPointD o1, o2;
    int s1 = 0, s2 = 0;
    if (a.line) {
        const CLine& l = *a.line;
        if (b.line)
            CrossLines(l.m_start, l.m_end, b.line->m_start, b.line->m_end, points);
        else if (b.circle)
            TakePoints(IntersectLineCircle(l, *b.circle, o1, o2, s1, s2), o1, o2, points);
        else if (b.arc)
            TakePoints(IntersectLineArcCircle(l, *b.arc, o1, o2, s1, s2), o1, o2, points);
        else if (b.conic)
            IntersectLineConic(l, *b.conic, points);
        else if (b.curve)
            IntersectLineCurve(l, *b.curve, points);
        else if (b.text)
            CrossLines(l.m_start, l.m_end, b.text->m_underlineStart, b.text->m_underlineEnd, points);
    } else if (a.circle) {
        const CCircle& c = *a.circle;
        if (b.circle)
            TakePoints(IntersectCircles(c, *b.circle, o1, o2), o1, o2, points);
        else if (b.arc)
            TakePoints(IntersectCircleArcCircle(c, *b.arc, o1, o2), o1, o2, points);
        else if (b.conic)
            IntersectCircleConic(c, *b.conic, points);
        else if (b.curve)
            IntersectCircleCurve(c, *b.curve, points);
        else if (b.text)
            TakePoints(IntersectCircleTextLine(c, *b.text, o1, o2, s1, s2), o1, o2, points);
    } else if (a.arc) {
        const CArc& c = *a.arc;
        if (b.arc)
            TakePoints(IntersectArcCircles(c, *b.arc, o1, o2), o1, o2, points);
        else if (b.conic)
            IntersectArcCircleConic(c, *b.conic, points);
        else if (b.curve)
            IntersectArcCircleCurve(c, *b.curve, points);
        else if (b.text)
            TakePoints(IntersectArcCircleTextLine(c, *b.text, o1, o2, s1, s2), o1, o2, points);
    } else if (a.conic) {
        if (b.conic)
            IntersectConics(*a.conic, *b.conic, points);
        else if (b.curve)
            IntersectConicCurve(*a.conic, *b.curve, points);
        else if (b.text)
            IntersectConicTextLine(*a.conic, *b.text, points);
    } else if (a.curve) {
        if (b.curve)
            IntersectCurves(*a.curve, *b.curve, points);
        else if (b.text)
            IntersectCurveTextLine(*a.curve, *b.text, points);
    } else if (a.text && b.text) {
        CrossLines(a.text->m_underlineStart, a.text->m_underlineEnd, b.text->m_underlineStart,
                   b.text->m_underlineEnd, points);
    }
}

int Rank(const CPicked& p)
{
    return p.line ? 0 : p.circle ? 1 : p.arc ? 2 : p.conic ? 3 : p.curve ? 4 : 5;
}

} // namespace

CCrossPointInput::CCrossPointInput()
    : m_firstDoc(nullptr), m_secondDoc(nullptr), m_firstChosen(0), m_prompt(kPrompt), m_hint(kHint)
{
    m_firstPickPoint.Init(0, 0);
    m_secondPickPoint.Init(0, 0);
}

CCrossPointInput::~CCrossPointInput() = default;

void CCrossPointInput::Reset()
{
    m_firstDoc = nullptr;
    m_secondDoc = nullptr;
    m_firstChosen = 0;
    m_prompt = kPrompt;
    m_hint = kHint;
}

void CCrossPointInput::ForgetDocument(const CZelkDoc* doc)
{
    if (doc && (m_firstDoc == doc || m_secondDoc == doc))
        Reset();
}

void CCrossPointInput::OnPick(CZelkDoc* doc, CZelkView*)
{
    CElemRef ref;
    if (!doc || !g_pApp || !doc->m_pickList->GetCurrent(ref))
        return;
    if (!m_firstChosen) {
        m_firstDoc = doc;
        m_firstElem = ref;
        m_firstPickPoint = g_pApp->m_leftPressPoint;
        m_firstChosen = 1;
        g_pApp->ShowMessage(kMsgFirstChosen, 0);
        return;
    }
    m_secondDoc = doc;
    m_secondElem = ref;
    m_secondPickPoint = g_pApp->m_leftPressPoint;
    ComputeCrossPoint();
    m_firstDoc = nullptr;
    m_secondDoc = nullptr;
    m_firstChosen = 0;
    if (!g_pApp->m_specialRepeat)
        g_pApp->SwitchMode(doc, g_pApp->m_activeView, 3, 0, 0);
    g_pApp->SetGuidance(doc);
    g_pApp->ShowPrompt();
}

BOOL CCrossPointInput::CollectCrossings(CZelkDoc* firstDoc, const CElemRef& first, CZelkDoc* secondDoc,
                                        const CElemRef& second, std::vector<CPointD>& points)
{
    const CPicked a = Lookup(firstDoc, first);
    const CPicked b = Lookup(secondDoc, second);
    if (!a.Found() || !b.Found())
        return FALSE;
    if (Rank(a) <= Rank(b))
        Cross(a, b, points);
    else
        Cross(b, a, points);
    return TRUE;
}

void CCrossPointInput::ComputeCrossPoint()
{
    std::vector<CPointD> points;
    if (!CollectCrossings(m_firstDoc, m_firstElem, m_secondDoc, m_secondElem, points))
        return;
    if (points.empty()) {
        g_pApp->ShowMessage(kMsgNoCrossing, 1);
        return;
    }
    size_t best = 0;
    double bestDistance = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const double d = std::min(Distance(points[i], m_firstPickPoint), Distance(points[i], m_secondPickPoint));
        if (i == 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    const CPointD result = points[best];
    CPointD shown = m_secondDoc->WorldToRelative(result);
    RoundPointByRangeSetting(shown, g_pApp->m_appAcc.messageDigits());
    m_secondDoc->ShowMessageInViews(kMsgChosenHead + DoubleToString(shown.m_x) + kMsgChosenMiddle +
                                    DoubleToString(shown.m_y) + kMsgChosenTail);
    m_secondDoc->m_inputEvent->PostPoint(result, 0);
}
