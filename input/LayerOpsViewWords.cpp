// The layer operations on a view's display words that select all uses in the reference-layer
// mode: marking, committing, the first shown layer and the write layer.
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "input/LayerOps.h"
#include "view/ZelkView.h"

CLayer* CLayerOps::MarkLayerState(CZelkDoc* doc, CZelkView* view, int layer, int show)
{
    if (!view || layer < 0 || layer >= view->m_layerStates.GetSize())
        return nullptr;
    view->m_layerStates[layer] = show ? 128 : 129;
    return doc && layer < doc->m_layers.GetSize() ? doc->GetLayer(layer) : nullptr;
}

void CLayerOps::CommitLayerStates(CZelkView* view)
{
    if (!view)
        return;
    for (int i = 0; i < view->m_layerStates.GetSize(); ++i) {
        if (view->m_layerStates[i] == 128)
            view->m_layerStates[i] = 0;
        else if (view->m_layerStates[i] == 129)
            view->m_layerStates[i] = 1;
    }
}

int CLayerOps::FindFirstShownLayer(CZelkView* view)
{
    if (!view)
        return -1;
    for (int i = 0; i < view->m_layerStates.GetSize(); ++i)
        if ((view->m_layerStates[i] & 1) == 0)
            return i;
    return -1;
}

CLayer* CLayerOps::SetWriteLayer(CZelkDoc* doc, int layer)
{
    if (!doc || layer < 0 || layer >= doc->m_layers.GetSize())
        return nullptr;
    doc->m_writeLayer = static_cast<std::int16_t>(layer);
    for (CZelkView* view : doc->GetViews()) {
        if (layer >= view->m_layerStates.GetSize())
            continue;
        // A word marked in a layer pass keeps its mark, made a showing one.
        WORD& word = view->m_layerStates[layer];
        word = (word & 0x80) ? 128 : 0;
    }
    return doc->GetLayer(layer);
}
