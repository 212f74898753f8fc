// Layer operations of the input hub that look at the elements of a drawing.
#include "input/LayerOps.h"

#include <algorithm>
#include <vector>

#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypePen.h"
#include "view/ZelkView.h"
#include "view/ZelkObj.h"

namespace {

template <class Block>
void MarkUsed(const CObArray& blocks, std::vector<char>& used)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            int layer = block->m_slots[s].m_layer;
            if (layer >= 0 && layer < static_cast<int>(used.size()))
                used[layer] = 1;
        }
    }
}

template <class Block>
int CountOnLayer(const CObArray& blocks, int layer)
{
    int count = 0;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s)
            if (block->m_slots[s].m_layer == layer && !(block->m_slots[s].m_state & STATE_DELETED))
                ++count;
    }
    return count;
}

bool IsFourDigits(const CString& name)
{
    if (name.GetLength() != 4)
        return false;
    for (int i = 0; i < 4; ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

}  // namespace

// One pass over the elements marks the layers in use, so the cost stays linear in the drawing.
int CLayerOps::FindEmptyNumberedLayer(CZelkDoc* doc)
{
    std::vector<char> used(static_cast<size_t>(doc->m_layers.GetSize()), 0);
    MarkUsed<CDataPoints>(doc->m_pointBlocks, used);
    MarkUsed<CLines>(doc->m_lineBlocks, used);
    MarkUsed<CCircles>(doc->m_circleBlocks, used);
    MarkUsed<CArcs>(doc->m_arcBlocks, used);
    MarkUsed<CTexts>(doc->m_textBlocks, used);
    MarkUsed<CConics>(doc->m_conicBlocks, used);
    MarkUsed<CCurves>(doc->m_curveBlocks, used);
    for (CZelkObj* o : doc->m_objects)
        if (o->m_layer >= 0 && o->m_layer < static_cast<int>(used.size()))
            used[o->m_layer] = 1;
    for (int i = 0; i < doc->m_layers.GetSize(); ++i)
        if (!used[i] && IsFourDigits(doc->GetLayer(i)->m_name))
            return i;
    return -1;
}

int CLayerOps::CountLayerElements(CZelkDoc* doc, int layer, int, int& points, int& lines, int& circles,
                                  int& arcs, int& conics, int& curves, int& texts, int& objects)
{
    points = lines = circles = arcs = conics = curves = texts = objects = 0;
    if (!doc)
        return 0;
    points = CountOnLayer<CDataPoints>(doc->m_pointBlocks, layer);
    lines = CountOnLayer<CLines>(doc->m_lineBlocks, layer);
    circles = CountOnLayer<CCircles>(doc->m_circleBlocks, layer);
    arcs = CountOnLayer<CArcs>(doc->m_arcBlocks, layer);
    conics = CountOnLayer<CConics>(doc->m_conicBlocks, layer);
    curves = CountOnLayer<CCurves>(doc->m_curveBlocks, layer);
    texts = CountOnLayer<CTexts>(doc->m_textBlocks, layer);
    for (CZelkObj* o : doc->m_objects)
        if (o && o->m_layer == layer)
            ++objects;
    return points || lines || circles || arcs || conics || curves || texts || objects;
}

void CLayerOps::OnInput(CZelkDoc*, int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}

int CLayerOps::FindPrintFrameLayer(CZelkDoc* doc, CZelkView* view)
{
    if (!doc || !view)
        return FALSE;
    for (int i = 0; i < doc->m_layers.GetSize(); ++i) {
        const bool hidden = i < view->m_layerStates.GetSize() && view->m_layerStates[i] == 1;
        if (!hidden && doc->GetLayer(i)->IsWorkPrintLayer()) {
            view->m_printLayerIndex = static_cast<std::int16_t>(i);
            return TRUE;
        }
    }
    return FALSE;
}

int CLayerOps::GetWorkLayerExtent(CZelkDoc* doc, int layer, CPointD& topLeft, CPointD& bottomRight)
{
    if (!doc || layer < 0 || layer >= doc->m_layers.GetSize())
        return FALSE;
    CString upper = doc->GetLayer(layer)->m_name;
    upper.MakeUpper();
    if (upper.Find("WORK") < 0)
        return FALSE;
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int b = 0; b < doc->m_lineBlocks.GetSize(); ++b) {
        const CLines* block = doc->LineBlockAt(b);
        const CTypePen* pen = doc->GetPen(block->m_pen);
        if (!pen || pen->m_lineType != 2)
            continue;
        for (int s = 0; s < block->m_count; ++s) {
            const CLine& l = block->m_slots[s];
            if ((l.m_state & STATE_DELETED) || l.m_layer != layer)
                continue;
            for (const CPointD& p : {l.m_start, l.m_end}) {
                if (!any) {
                    minX = maxX = p.m_x;
                    minY = maxY = p.m_y;
                    any = true;
                }
                minX = std::min(minX, p.m_x);
                maxX = std::max(maxX, p.m_x);
                minY = std::min(minY, p.m_y);
                maxY = std::max(maxY, p.m_y);
            }
        }
    }
    if (!any)
        return FALSE;
    topLeft.Init(minX, maxY);
    bottomRight.Init(maxX, minY);
    return TRUE;
}
