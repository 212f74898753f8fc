// Layer operations of the input hub that look at the elements of a drawing.
#include "input/LayerOps.h"

#include <vector>

#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
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

void CLayerOps::OnInput(CZelkDoc*, int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
