// Where the copies of a group operation land and which attribute strings they carry: the
// layer map of one operation, and the carry-over of a source's strings to its copy, possibly
// in another drawing.
#include "commands/annotate/GroupProcessor.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"

namespace {

// The copy's list takes the index (kept sorted, once) and the string names the copy among its
// carriers, so that a save keeps the string for the copy when the source is gone.
void LinkCopy(CDataString& string, CWordArray& list, int index, int kind, int block, int slot)
{
    const WORD value = static_cast<WORD>(index);
    int at = 0;
    while (at < list.GetSize() && list.GetAt(at) < value)
        ++at;
    if (at < list.GetSize() && list.GetAt(at) == value)
        return;
    list.InsertAt(at, value);
    CElemRef ref;
    ref.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block), static_cast<std::int16_t>(slot), 1, 1);
    string.m_refs.push_back(ref);
}

// Each string of the source found in the target by its text (letter case and a leading "//"
// aside), else appended there. keepIndices: the target is the source drawing and the indices
// stand as they are.
void CarryStrings(CZelkDoc* source, CZelkDoc* target, const CWordArray& from, CWordArray& to, int kind, int block,
                  int slot, bool keepIndices)
{
    if (!source || !target)
        return;
    for (int i = 0; i < from.GetSize(); ++i) {
        const int index = from.GetAt(i);
        if (keepIndices) {
            if (CDataString* string = target->GetString(index))
                LinkCopy(*string, to, index, kind, block, slot);
            continue;
        }
        const CDataString* original = source->GetString(index);
        if (!original)
            continue;
        int found = -1;
        CDataString* string = target->FindAttributeString(original->m_text, found);
        if (!string) {
            string = new CDataString(original->m_text);
            target->m_attrStrings.Add(string);
            found = target->m_attrStrings.GetSize() - 1;
        }
        LinkCopy(*string, to, found, kind, block, slot);
    }
}

template <class Block>
void CarryElementStrings(CZelkDoc* source, CZelkDoc* target, Block* sourceBlock, int sourceSlot, Block* copyBlock,
                         int copyBlockIndex, int copySlot, int kind, bool keepIndices)
{
    if (!sourceBlock || !copyBlock || sourceSlot < 0 || sourceSlot >= Block::SlotCount || copySlot < 0 ||
        copySlot >= Block::SlotCount)
        return;
    CarryStrings(source, target, sourceBlock->m_slots[sourceSlot].m_attrStrings,
                 copyBlock->m_slots[copySlot].m_attrStrings, kind, copyBlockIndex, copySlot, keepIndices);
}

} // namespace

std::int16_t CGroupProcessor::MapLayer(CWordArray& layerMap, std::int16_t sourceLayer)
{
    const bool mapped = sourceLayer >= 0 && sourceLayer < layerMap.GetSize();
    if (mapped && layerMap[sourceLayer] != 0)
        return static_cast<std::int16_t>(layerMap[sourceLayer] - 1);
    // The drawing of the placement point; a copy without one lands in the processor's drawing.
    CZelkDoc* target = m_stepDocuments[1] ? m_stepDocuments[1] : m_document;
    if (!target)
        return 0;
    const int condition = g_pApp ? g_pApp->m_appElem.m_layerCondition : 0;
    const CLayer* layer = m_document ? m_document->GetLayer(sourceLayer) : nullptr;
    std::int16_t result;
    if (condition == 1 && layer)
        result = target->GetLayerIndex(layer->m_name);
    else if (condition == 2)
        result = target->FindOrCreateLayer("");
    else
        return target->m_writeLayer;
    if (mapped)
        layerMap[sourceLayer] = static_cast<WORD>(result + 1);
    return result;
}

void CGroupProcessor::CopyPointAttributes(CZelkDoc* source, CZelkDoc* target, CDataPoints* sourceBlock, int,
                                          int sourceSlot, CDataPoints* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_POINT,
                        source == target);
}

void CGroupProcessor::CopyLineAttributes(CZelkDoc* source, CZelkDoc* target, CLines* sourceBlock, int,
                                         int sourceSlot, CLines* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_LINE,
                        false);
}

void CGroupProcessor::CopyCircleAttributes(CZelkDoc* source, CZelkDoc* target, CCircles* sourceBlock, int,
                                           int sourceSlot, CCircles* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_CIRCLE,
                        false);
}

void CGroupProcessor::CopyArcAttributes(CZelkDoc* source, CZelkDoc* target, CArcs* sourceBlock, int,
                                        int sourceSlot, CArcs* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_ARC,
                        false);
}

void CGroupProcessor::CopyConicAttributes(CZelkDoc* source, CZelkDoc* target, CConics* sourceBlock, int,
                                          int sourceSlot, CConics* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_CONIC,
                        false);
}

void CGroupProcessor::CopyCurveAttributes(CZelkDoc* source, CZelkDoc* target, CCurves* sourceBlock, int,
                                          int sourceSlot, CCurves* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_CURVE,
                        false);
}

void CGroupProcessor::CopyTextAttributes(CZelkDoc* source, CZelkDoc* target, CTexts* sourceBlock, int,
                                         int sourceSlot, CTexts* copyBlock, int copyBlockIndex, int copySlot)
{
    CarryElementStrings(source, target, sourceBlock, sourceSlot, copyBlock, copyBlockIndex, copySlot, ELEM_TEXT,
                        false);
}

void CGroupProcessor::CopyGroupAttributes(CZelkDoc* source, CZelkDoc* target, CGroup* sourceGroup, int,
                                          CGroup* copyGroup, int copyGroupIndex)
{
    if (!sourceGroup || !copyGroup)
        return;
    CarryStrings(source, target, sourceGroup->m_attrStrings, copyGroup->m_attrStrings, ELEM_GROUP, copyGroupIndex, 0,
                 false);
}
