// The document's broadcasts to its views: every redraw, mark and preview request goes to each
// view of the drawing in turn, and the redraw-pending bits are cleared after a redraw.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

namespace {

template <class Block>
void ClearBlockBits(const CObArray& blocks)
{
    constexpr std::uint8_t keep = static_cast<std::uint8_t>(~STATE_REDRAW);
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            block->m_slots[s].m_state &= keep;
            block->m_slots[s].m_mark &= keep;
        }
    }
}

template <class E>
void ClearBits(E* e)
{
    if (e) {
        e->m_state &= static_cast<std::uint8_t>(~STATE_REDRAW);
        e->m_mark &= static_cast<std::uint8_t>(~MARK_REDRAW);
    }
}

}  // namespace

void CZelkDoc::PaintAllViews()
{
    for (CZelkView* v : GetViews())
        v->SendPaint();
}

void CZelkDoc::RedrawChangedElements(int clipMode)
{
    for (CZelkView* v : GetViews())
        v->RedrawElements(clipMode);
    ClearRedrawBits();
}

void CZelkDoc::EraseChangedElements()
{
    for (CZelkView* v : GetViews())
        v->EraseChangedElements();
    ClearRedrawBits();
}

void CZelkDoc::UpdateAndPaintAllViews()
{
    UpdateAllViews(nullptr, 0, nullptr);
    for (CZelkView* v : GetViews())
        v->SendPaint();
}

void CZelkDoc::DrawCrossMarkInViews(CPointD* point)
{
    for (CZelkView* v : GetViews())
        v->DrawCrossMark(*point, DocMarkSize());
}

void CZelkDoc::DrawCircleMarkInViews(CPtrArray* points, int n)
{
    if (!points || n < 0 || n >= points->GetSize())
        return;
    const CPointD* p = static_cast<const CPointD*>((*points)[n]);
    for (CZelkView* v : GetViews())
        v->DrawCircleMark(*p);
}

void CZelkDoc::EraseFoundMarkInViews(CPointD point)
{
    for (CZelkView* v : GetViews())
        v->EraseCircleMark(point);
}

void CZelkDoc::ShowInputPointMark(int show)
{
    if (show && !m_inputMarkFlag)
        return;
    if (!show)
        m_inputMarkFlag = 0;
    for (CZelkView* v : GetViews())
        v->DrawInputPointMark(show);
}

void CZelkDoc::SetBasePoint(CPointD base, CPointD reference)
{
    for (CZelkView* v : GetViews()) {
        v->DrawCrossMark(m_basePoint, DocMarkSize());
        v->DrawColoredCrossMark(base, DocBasePointColor(), DocMarkSize());
    }
    m_basePoint = base;
    m_refPoint = reference;
}

void CZelkDoc::EraseBasePointMarks()
{
    for (CZelkView* v : GetViews())
        v->DrawCrossMark(m_basePoint, DocMarkSize());
}

void CZelkDoc::ClearRedrawBits()
{
    ClearBlockBits<CDataPoints>(m_pointBlocks);
    ClearBlockBits<CLines>(m_lineBlocks);
    ClearBlockBits<CCircles>(m_circleBlocks);
    ClearBlockBits<CArcs>(m_arcBlocks);
    ClearBlockBits<CTexts>(m_textBlocks);
    ClearBlockBits<CConics>(m_conicBlocks);
    ClearBlockBits<CCurves>(m_curveBlocks);
    for (CZelkObj* o : m_objects)
        ClearBits(o);
    for (int i = 0; i < m_groups.GetSize(); ++i)
        ClearBits(GetGroup(i));
    ClearBits(m_hiPoint);
    ClearBits(m_hiLine);
    ClearBits(m_hiCircle);
    ClearBits(m_hiArc);
    ClearBits(m_hiText);
    ClearBits(m_hiConic);
    ClearBits(m_hiCurve);
}

int CZelkDoc::CountObjectsShownInView(CZelkView* view) const
{
    if (view->m_singleLayerMode)
        return static_cast<int>(m_objects.size());
    int n = 0;
    for (const CZelkObj* o : m_objects)
        if (o->m_layer < 0 || o->m_layer >= view->m_layerStates.GetSize() ||
            view->m_layerStates[o->m_layer] != 1)
            ++n;
    return n;
}

int CZelkDoc::FitServerItemView()
{
    const RECT r = DocServerItemRect();
    const double cx = (m_extents.m_left + m_extents.m_right) / 2;
    const double cy = (m_extents.m_top + m_extents.m_bottom) / 2;
    const double w = (m_extents.m_right - m_extents.m_left) * 1.2;
    const double h = (m_extents.m_top - m_extents.m_bottom) * 1.2;
    double z = 1.0;
    if (w != 0 && h != 0)
        z = std::min((r.right - r.left) / w, (r.bottom - r.top) / h);
    else if (w != 0)
        z = (r.right - r.left) / w;
    else if (h != 0)
        z = (r.bottom - r.top) / h;
    CPointD centre;
    centre.Init(cx, cy);
    CPointD origin;
    if (!ComputeServerItemOrigin(centre, z, origin))
        return 0;
    DocSetServerItemView(origin, z);
    CenterServerItemScroll();
    return 1;
}

int CZelkDoc::ComputeServerItemOrigin(const CPointD& centre, double zoom, CPointD& origin) const
{
    if (!(zoom >= 1e-100 && zoom <= 1e100))
        return 0;
    if (std::fabs(zoom * centre.m_x * 0.0000625) > 1e11 ||
        std::fabs(zoom * centre.m_y * 0.0000625) > 1e11 || std::fabs(16000 / zoom) > 1e100)
        return 0;
    origin.Init(centre.m_x - 16000 / zoom, centre.m_y + 16000 / zoom);
    return 1;
}

void CZelkDoc::CenterServerItemScroll()
{
    const RECT r = DocServerItemRect();
    DocSetServerItemScroll(16000 - (r.right - r.left) / 2, std::abs((r.bottom - r.top) / 2) - 16000);
}

void CZelkDoc::ShowNoticeLineInActiveView(const CString& text, int* line)
{
    if (CZelkView* v = DocActiveView())
        v->DrawBannerLine(text, *line);
}

void CZelkDoc::ShowAllInViews()
{
    for (CZelkView* v : GetViews())
        v->ShowAll();
}

void CZelkDoc::ShowMessageInViews(const CString& text)
{
    for (CZelkView* v : GetViews())
        v->ShowMessageLine(text);
}

void CZelkDoc::DrawGroupInViews(int drawMode, int clipMode, int group)
{
    for (CZelkView* v : GetViews())
        v->DrawGroupMembers(drawMode, clipMode, group);
}

void CZelkDoc::DrawPointInViews(int drawMode, int clipMode, CDataPoints* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawPointElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawLineInViews(int drawMode, int clipMode, CLines* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawLineElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawCircleInViews(int drawMode, int clipMode, CCircles* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawCircleElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawArcInViews(int drawMode, int clipMode, CArcs* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawArcElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawConicInViews(int drawMode, int clipMode, CConics* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawConicElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawCurveInViews(int drawMode, int clipMode, CCurves* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawCurveElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawTextInViews(int drawMode, int clipMode, CTexts* block, int slot)
{
    for (CZelkView* v : GetViews())
        v->DrawTextElement(drawMode, clipMode, block, slot);
}

void CZelkDoc::DrawWorkLineInViews(int colorSelector, CLine* line)
{
    for (CZelkView* v : GetViews())
        v->DrawLineObject(colorSelector, line);
}

void CZelkDoc::DrawWorkArcInViews(int colorSelector, CArc* arc)
{
    for (CZelkView* v : GetViews())
        v->DrawArcObject(colorSelector, arc);
}

void CZelkDoc::DrawPointerMarks(int erase)
{
    for (CZelkView* v : GetViews())
        v->DrawPointerMarks(erase);
}

void CZelkDoc::DrawOriginMarksInViews()
{
    for (CZelkView* v : GetViews())
        v->DrawOriginMark();
}

void CZelkDoc::DrawRelativeAxesInViews()
{
    for (CZelkView* v : GetViews())
        v->DrawRelativeAxes();
}

void CZelkDoc::RedrawPreviewsInViews()
{
    for (CZelkView* v : GetViews())
        v->ErasePreviews();
}

void CZelkDoc::DrawDirectionMarks(int draw)
{
    for (CZelkView* v : GetViews())
        v->DrawDirectionMarks(draw);
}

void CZelkDoc::ClearDragSketches()
{
    for (CZelkView* v : GetViews())
        v->ClearDragSketch();
}

void CZelkDoc::InvalidateObjectInViews(CZelkObj* object)
{
    for (CZelkView* v : GetViews())
        v->InvalidateObject(object);
}

void CZelkDoc::PreviewSegment(CPointD* p, CPointD* q)
{
    for (CZelkView* v : GetViews())
        v->PreviewSegment(p, q);
}

void CZelkDoc::PreviewArcThrough(CPointD* p, CPointD* q)
{
    for (CZelkView* v : GetViews())
        v->PreviewArcThrough(p, q);
}

void CZelkDoc::PreviewValueSegment(CPointD* p, double value, CPointD* q, CPointD* r)
{
    for (CZelkView* v : GetViews())
        v->PreviewValueSegment(p, value, q, r);
}

void CZelkDoc::PreviewLineOffset(double value, CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewLineOffset(value, p);
}

void CZelkDoc::PreviewCircleOffset(double value, CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleOffset(value, p);
}

void CZelkDoc::PreviewLineConstruction(CPointD* p, CPointD* q, int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewLineConstruction(p, q, n);
}

void CZelkDoc::PreviewDistance(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewDistance(p);
}

void CZelkDoc::PreviewCircle3P(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircle3P(p);
}

void CZelkDoc::PreviewCircleChord(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleChord(p);
}

void CZelkDoc::PreviewArcChord(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewArcChord(p);
}

void CZelkDoc::PreviewPerpendicular(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewPerpendicular(p);
}

void CZelkDoc::PreviewTangentCircle(CPointD* p, int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewTangentCircle(p, n);
}

void CZelkDoc::PreviewClippedSegment(CPointD* p, int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewClippedSegment(p, n);
}

void CZelkDoc::PreviewArcChordAngle(CPointD* p, int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewArcChordAngle(p, n);
}

void CZelkDoc::PreviewLengthAngle(CPointD* p, CPointD* q, int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewLengthAngle(p, q, n);
}

void CZelkDoc::PreviewIntersection(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewIntersection(p);
}

void CZelkDoc::PreviewLineSet(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewLineSet(p);
}

void CZelkDoc::PreviewCircleTouch(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTouch(p);
}

void CZelkDoc::PreviewLinesAndCircles(CPointD* p, int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewLinesAndCircles(p, n);
}

void CZelkDoc::PreviewArcKeyPoints(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewArcKeyPoints(p);
}

void CZelkDoc::PreviewArcEnd(CPointD* p)
{
    for (CZelkView* v : GetViews())
        v->PreviewArcEnd(p);
}

void CZelkDoc::PreviewObliqueA(int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewObliqueA(n);
}

void CZelkDoc::PreviewObliqueB(int n)
{
    for (CZelkView* v : GetViews())
        v->PreviewObliqueB(n);
}
