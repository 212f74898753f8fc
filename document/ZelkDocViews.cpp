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
        if (o) {
            o->m_state &= static_cast<std::uint8_t>(~STATE_REDRAW);
            o->ClearStateBits(MARK_REDRAW);
        }
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
        v->RedrawOriginAndAxes();
}

void CZelkDoc::DrawRelativeAxesInViews()
{
    for (CZelkView* v : GetViews())
        v->RedrawOriginAndAxes();
}

void CZelkDoc::EraseRelativeAxesInViews()
{
    for (CZelkView* v : GetViews())
        v->EraseRelativeAxesNow();
}

void CZelkDoc::RedrawOriginAndAxesInViews()
{
    for (CZelkView* v : GetViews())
        v->RedrawOriginAndAxes();
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

void CZelkDoc::PreviewSegment(CPointD* a, CPointD* b)
{
    if (m_previewsSuppressed)
        return;
    for (CZelkView* v : GetViews())
        v->PreviewSegment(a, b);
}

void CZelkDoc::EraseSegments()
{
    for (CZelkView* v : GetViews())
        v->EraseSegments();
}

void CZelkDoc::PreviewDragBox(const CPointD& press, const CPointD& pointer)
{
    for (CZelkView* v : GetViews())
        v->PreviewDragBox(press, pointer);
}

void CZelkDoc::EraseDragBox()
{
    for (CZelkView* v : GetViews())
        v->EraseDragBox();
}

void CZelkDoc::EraseRotatedBox()
{
    for (CZelkView* v : GetViews())
        v->EraseRotatedBox();
}

void CZelkDoc::PreviewPointerCross(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewPointerCross(p);
}

void CZelkDoc::ErasePointerCross()
{
    for (CZelkView* v : GetViews())
        v->ErasePointerCross();
}

void CZelkDoc::PreviewWorkLine(int index)
{
    if (m_previewsSuppressed)
        return;
    for (CZelkView* v : GetViews())
        v->PreviewWorkLine(index);
}

void CZelkDoc::EraseWorkLine(int index)
{
    if (m_previewsSuppressed)
        return;
    for (CZelkView* v : GetViews())
        v->EraseWorkLine(index);
}

void CZelkDoc::PreviewObjectDrag(const CPointD& pointer)
{
    for (CZelkView* v : GetViews())
        v->PreviewObjectDrag(pointer);
}

void CZelkDoc::EraseObjectDrag()
{
    for (CZelkView* v : GetViews())
        v->EraseObjectDrag();
}

void CZelkDoc::EraseArc()
{
    for (CZelkView* v : GetViews())
        v->EraseArc();
}

void CZelkDoc::EraseSecondArc()
{
    for (CZelkView* v : GetViews())
        v->EraseSecondArc();
}

void CZelkDoc::PreviewCircleAboutCentre(const CPointD& centre, const CPointD& p)
{
    if (m_previewsSuppressed)
        return;
    for (CZelkView* v : GetViews())
        v->PreviewCircleAboutCentre(centre, p);
}

void CZelkDoc::PreviewFixedRadiusCircle(const CPointD& p)
{
    if (m_previewsSuppressed)
        return;
    for (CZelkView* v : GetViews())
        v->PreviewFixedRadiusCircle(p);
}

void CZelkDoc::PreviewCircleTangentToLine(double r, const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTangentToLine(r, p);
}

void CZelkDoc::PreviewCircleTangentToCircle(double r, const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTangentToCircle(r, p);
}

void CZelkDoc::PreviewDiameterCircle(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewDiameterCircle(p);
}

void CZelkDoc::PreviewCircleThrough3Points(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleThrough3Points(p);
}

void CZelkDoc::PreviewCircleThroughTwoPoints(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleThroughTwoPoints(p);
}

void CZelkDoc::PreviewCircleOnDirection(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleOnDirection(p);
}

void CZelkDoc::PreviewCircleLineAndPoint(const CPointD& p, const CPointD& reference, int mode)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleLineAndPoint(p, reference, mode);
}

void CZelkDoc::PreviewCircleCircleAndPoint(const CPointD& p, int mode)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleCircleAndPoint(p, mode);
}

void CZelkDoc::PreviewCircleWithOffset(const CPointD& p, int radiusLine)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleWithOffset(p, radiusLine);
}

void CZelkDoc::PreviewCircleWithAngle(const CPointD& p, int radiusLines)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleWithAngle(p, radiusLines);
}

void CZelkDoc::PreviewCircleTangentAtPoint(const CPointD& q1, const CPointD& q2, int order)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTangentAtPoint(q1, q2, order);
}

void CZelkDoc::PreviewCircleTangentToCircleAt(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTangentToCircleAt(p);
}

void CZelkDoc::PreviewCircleTwoLines(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTwoLines(p);
}

void CZelkDoc::PreviewCircleTwoCircles(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleTwoCircles(p);
}

void CZelkDoc::PreviewCircleLineAndCircle(const CPointD& p, int mode)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleLineAndCircle(p, mode);
}

void CZelkDoc::PreviewCircleRadiusToward(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewCircleRadiusToward(p);
}

void CZelkDoc::PreviewArc(const CPointD& centre, double radius, const CPointD& start, const CPointD& end)
{
    if (m_previewsSuppressed)
        return;
    for (CZelkView* v : GetViews())
        v->PreviewArc(centre, radius, start, end);
}

void CZelkDoc::PreviewArcEnd(const CPointD& p)
{
    for (CZelkView* v : GetViews())
        v->PreviewArcEnd(p);
}
