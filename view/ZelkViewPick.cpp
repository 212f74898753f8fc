// The view's decision after a pick: what the user is told, whether the first candidate is
// highlighted, and when an enlarged window is offered because the candidates are too many or
// too close together to tell apart.
#include <cmath>

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "input/PickList.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

bool ShiftAndCtrlDown()
{
    return GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) < 0;
}

// The zoom window about the pick opens after the delay, unless the user holds Shift and Ctrl
// or measures.
void OfferZoomWindow()
{
    if (ShiftAndCtrlDown() || g_pApp->m_interruptMode == 40)
        return;
    if (CMainFrame* frame = g_pApp->m_pMainFrame) {
        frame->m_zoomWindowKind = -1;
        frame->StartTimer(15, static_cast<UINT>(g_pApp->m_zoomWindowDelay));
    }
}

// A circle as the arc from 0 to 360 degrees, with the roundings the overlap test compares.
struct RoundedArc {
    CPointD centre;
    double radius;
    CPointD range;
};

bool RoundedArcOf(CZelkDoc* doc, const CElemCandidate& c, RoundedArc& out)
{
    if (c.m_kind == ELEM_CIRCLE) {
        CCircle* e = doc->GetCircleElem(c.m_block, c.m_slot);
        if (e == nullptr)
            return false;
        out.centre = e->m_centre;
        out.radius = e->m_radius;
        out.range.Init(0.0, 360.0);
    } else if (c.m_kind == ELEM_ARC) {
        CArc* e = doc->GetArcElem(c.m_block, c.m_slot);
        if (e == nullptr)
            return false;
        out.centre = e->m_centre;
        out.radius = e->m_radius;
        out.range.Init(e->m_startAngle, e->m_endAngle);
    } else {
        return false;
    }
    RoundPointToSignificant14(out.centre);
    RoundPointToSignificant14(out.range);
    RoundToSignificant15(out.radius);
    return true;
}

}  // namespace

int CZelkView::PickElementsInRect(const RECT& rect, int pickType, int searchType)
{
    CRectD window;
    window.SetFromIntRect(rect);
    return PickElements(window, pickType, searchType);
}

int CZelkView::PickElements(const CRectD& window, int pickType, int searchType)
{
    CZelkDoc* doc = m_document;
    CPickList* list = doc->m_pickList;
    CZelkApp* app = g_pApp;
    if (pickType != 1 && pickType != 3) {
        const int n = list->CollectInWindow(this, window, searchType);
        list->ReportLayerSelection();
        list->ClearFoundSet();
        doc->RedrawChangedElements(1);
        return n;
    }
    const int n = list->Search(this, window, searchType);
    if (app->m_appFind.layerWiseSelection) {
        list->SelectLayersOfCandidates();
        doc->RedrawChangedElements(1);
        return n;
    }
    // Too many is decided before the shortcut without zoom windows: taking one of the first
    // candidates scanned would pick an element the user could not have meant.
    if (n == CPickList::kTooMany) {
        list->Clear();
        app->ShowMessage("所定の数を越える要素が検索されたので、再指定してください。", 1);
        OfferZoomWindow();
        return 0;
    }
    if (app->m_appDraw.zoomWindowMode == 2 || n == 1) {
        if (pickType == 1)
            list->Cycle(1);
        else
            list->StepCurrent(1);
        if (n == 1)
            app->ShowMessage("一つの要素を選択", 0);
        return n;
    }
    if (n == 0) {
        app->ShowMessage("", 0);
        return 0;
    }
    int distinct = 0;
    if (CountOverlappingCandidates(distinct))
        app->ShowMessage("重なり要素があります", 1);
    else
        app->ShowMessage("複数の中から第１要素を選択しました", 0);
    if (distinct >= 2) {
        const double first = std::trunc(std::fabs(list->m_candidates[0].m_distanceKey * m_zoom));
        const double second = std::trunc(std::fabs(list->m_candidates[1].m_distanceKey * m_zoom));
        if (std::fabs(first - second) < app->m_appDraw.overlapPixels()) {
            app->ShowMessage("目視判定の困難なレベルで複数の要素が検索されました", 1);
            list->Cycle(1);
            OfferZoomWindow();
            return n;
        }
    }
    list->Cycle(1);
    return n;
}

BOOL CZelkView::CountOverlappingCandidates(int& distinct)
{
    CZelkDoc* doc = m_document;
    const auto& cands = doc->m_pickList->m_candidates;
    int overlaps = 0;
    int objects = 0;
    CPointD a, b;
    for (size_t i = 0; i < cands.size(); ++i) {
        const CElemCandidate& ci = cands[i];
        if (ci.m_kind == ELEM_OBJECT)
            ++objects;
        for (size_t j = i + 1; j < cands.size(); ++j) {
            const CElemCandidate& cj = cands[j];
            if (ci.m_kind == ELEM_OBJECT && cj.m_kind == ELEM_OBJECT) {
                // Placed objects cannot be compared: any two count as overlapping.
                ++overlaps;
            } else if (ci.m_kind == ELEM_LINE && cj.m_kind == ELEM_LINE) {
                CLine* l1 = doc->GetLineElem(ci.m_block, ci.m_slot);
                CLine* l2 = doc->GetLineElem(cj.m_block, cj.m_slot);
                if (l1 && l2 && OverlapLineRecs(*l1, *l2, a, b))
                    ++overlaps;
            } else if (ci.m_kind == ELEM_TEXT && cj.m_kind == ELEM_TEXT) {
                CText* t1 = doc->GetTextElem(ci.m_block, ci.m_slot);
                CText* t2 = doc->GetTextElem(cj.m_block, cj.m_slot);
                if (t1 && t2 && OverlapTextLines(*t1, *t2, a, b))
                    ++overlaps;
            } else {
                RoundedArc r1, r2;
                CPointD range;
                if (RoundedArcOf(doc, ci, r1) && RoundedArcOf(doc, cj, r2)
                    && OverlapConcentricArcs(r1.centre, r1.radius, r1.range, r2.centre, r2.radius, r2.range, range))
                    ++overlaps;
            }
        }
    }
    distinct = static_cast<int>(cands.size()) - overlaps;
    return overlaps >= 1 || objects > 1;
}
