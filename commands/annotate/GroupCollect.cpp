// The selection marks turned into the working element set that every group operation walks,
// and the add-copy family through which the operations create their new elements.
#include "commands/annotate/GroupProcessor.h"

#include "app/ZelkApp.h"
#include "document/CreationLog.h"
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
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

namespace {

// A crossing mark of a deform box, or the deleted bit: either keeps an element out of the set.
constexpr std::uint8_t kNotCollected = 0x04 | STATE_DELETED;
constexpr std::uint8_t kCrossingMarks = MARK_FIRST_END | MARK_SECOND_END;

// The element's group is one the selection holds: the element comes along with it.
bool InSelectedGroup(const CZelkDoc* doc, int group)
{
    if (group < 0 || group >= doc->m_groups.GetSize())
        return false;
    const CGroup* g = doc->GetGroup(group);
    return g && (g->m_mark & MARK_SELECTED);
}

// Selected elements of one kind that no selected group carries.
template <class Block>
bool CollectKind(CZelkDoc* doc, CElemSet& set, const CObArray& blocks, int kind)
{
    bool found = false;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const auto* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s) {
            const auto& e = block->m_slots[s];
            if ((e.m_state & kNotCollected) || !(e.m_mark & MARK_SELECTED) || InSelectedGroup(doc, e.m_group))
                continue;
            set.AddElement(doc, kind, b, s, e.m_state, e.m_mark);
            found = true;
        }
    }
    return found;
}

// Takes the source pen as the creation pen in the selected element's environment; it stays
// current afterwards, so the next element drawn takes it too.
void TakeSourcePen(const CZelkDoc* source, std::int16_t penNo)
{
    if (!g_pApp || g_pApp->m_appElem.m_creationEnv != 1)
        return;
    const CTypePen* pen = source->GetPen(penNo);
    if (!pen)
        return;
    CAppElem& e = g_pApp->m_appElem;
    e.SetPenFromTypePen(*pen);
    e.m_blurMode = pen->m_blurCount != 0 ? 1 : 0;
}

template <class Block>
Block* BlockOf(const CObArray& blocks, std::int16_t block)
{
    return block >= 0 && block < blocks.GetSize() ? static_cast<Block*>(blocks[block]) : nullptr;
}

} // namespace

int CGroupProcessor::CollectSelection()
{
    CZelkDoc* doc = m_document;
    if (!doc)
        return 0;
    CElemSet& set = m_elemSet;
    bool found = false;
    int crossing = 0;
    for (int g = doc->m_groups.GetSize() - 1; g >= 0; --g) {
        const CGroup* group = doc->GetGroup(g);
        if (!group || (group->m_state & kNotCollected) || !(group->m_mark & MARK_SELECTED))
            continue;
        // A group inside another selected group goes with its parent: listed, but unmarked.
        if (InSelectedGroup(doc, group->m_parent)) {
            set.AddElement(doc, ELEM_GROUP, g, 0, group->m_state, 0);
        } else {
            set.AddElement(doc, ELEM_GROUP, g, 0, group->m_state, group->m_mark);
            found = true;
        }
    }
    found |= CollectKind<CDataPoints>(doc, set, doc->m_pointBlocks, ELEM_POINT);
    for (int b = 0; b < doc->m_lineBlocks.GetSize(); ++b) {
        const auto* block = static_cast<const CLines*>(doc->m_lineBlocks[b]);
        for (int s = 0; s < block->m_count && s < CLines::SlotCount; ++s) {
            const CLine& l = block->m_slots[s];
            if ((l.m_state & kNotCollected) || !(l.m_mark & (MARK_SELECTED | kCrossingMarks)))
                continue;
            if (doc->m_deformMode && (l.m_mark & kCrossingMarks))
                crossing = 1;
            if (!(l.m_mark & MARK_SELECTED)) {
                set.AddToLineList(doc, ELEM_LINE, b, s, l.m_state, l.m_mark, (l.m_mark & MARK_FIRST_END) ? 1 : 0);
                found = true;
            } else if (!InSelectedGroup(doc, l.m_group)) {
                set.AddElement(doc, ELEM_LINE, b, s, l.m_state, l.m_mark);
                found = true;
            }
        }
    }
    found |= CollectKind<CCircles>(doc, set, doc->m_circleBlocks, ELEM_CIRCLE);
    found |= CollectKind<CArcs>(doc, set, doc->m_arcBlocks, ELEM_ARC);
    found |= CollectKind<CConics>(doc, set, doc->m_conicBlocks, ELEM_CONIC);
    found |= CollectKind<CCurves>(doc, set, doc->m_curveBlocks, ELEM_CURVE);
    found |= CollectKind<CTexts>(doc, set, doc->m_textBlocks, ELEM_TEXT);
    const CZelkView* view = g_pApp ? g_pApp->m_activeView : nullptr;
    if (view && view->m_document == doc) {
        for (CZelkObj* object : view->m_oleSelection) {
            if (!object || (object->m_state & kNotCollected))
                continue;
            const std::int16_t index = doc->FindObjectIndex(object);
            if (index == -1)
                continue;
            set.AddElement(doc, ELEM_OBJECT, index, 0, object->m_state, object->m_stateBits);
            found = true;
        }
    }
    set.textBlockSize.Init(set.maxX - set.minX, set.maxY - set.minY);
    if (!found)
        return 0;
    set.ClassifySizes(doc);
    return crossing + 1;
}

namespace {

// The frame of every add-copy member: nothing without the processor's drawing, the source pen
// taken, the element added through the target's creation log with the mark type, caller and
// keep flags all 1, and the block of what was added.
template <class Block, class Add>
Block* AddCopy(const CZelkDoc* source, CZelkDoc* target, const CObArray& blocks, std::int16_t pen,
               std::int16_t& block, std::int16_t& slot, Add add)
{
    block = slot = -1;
    if (!source)
        return nullptr;
    TakeSourcePen(source, pen);
    add(*target->m_creationLog);
    return BlockOf<Block>(blocks, block);
}

} // namespace

CDataPoints* CGroupProcessor::AddPointCopy(CZelkDoc* target, CPointD point, std::int16_t pen, std::int16_t& block,
                                           std::int16_t& slot)
{
    return AddCopy<CDataPoints>(m_document, target, target->m_pointBlocks, pen, block, slot,
                                [&](CCreationLog& log) { log.AddPoint(point, 1, block, slot, 1, 1); });
}

CLines* CGroupProcessor::AddLineCopy(CZelkDoc* target, CPointD start, CPointD end, std::int16_t pen,
                                     std::int16_t& block, std::int16_t& slot)
{
    return AddCopy<CLines>(m_document, target, target->m_lineBlocks, pen, block, slot,
                           [&](CCreationLog& log) { log.AddLine(start, end, 1, block, slot, 1, 1); });
}

CCircles* CGroupProcessor::AddCircleCopy(CZelkDoc* target, CPointD centre, double radius, std::int16_t pen,
                                         std::int16_t& block, std::int16_t& slot)
{
    return AddCopy<CCircles>(m_document, target, target->m_circleBlocks, pen, block, slot,
                             [&](CCreationLog& log) { log.AddCircle(centre, radius, 1, block, slot, 1, 1); });
}

CArcs* CGroupProcessor::AddArcCopy(CZelkDoc* target, CPointD centre, double radius, double start, double end,
                                   std::int16_t pen, std::int16_t& block, std::int16_t& slot)
{
    return AddCopy<CArcs>(m_document, target, target->m_arcBlocks, pen, block, slot, [&](CCreationLog& log) {
        log.AddArc(centre, radius, start, end, 1, block, slot, 1, 1);
    });
}

CConics* CGroupProcessor::AddConicCopy(CZelkDoc* target, CPointD centre, double majorRadius, double ratio,
                                       double start, double end, double tilt, std::int16_t pen, std::int16_t& block,
                                       std::int16_t& slot)
{
    CPointD angles;
    angles.Init(start, end);
    return AddCopy<CConics>(m_document, target, target->m_conicBlocks, pen, block, slot, [&](CCreationLog& log) {
        log.AddConic(centre, majorRadius, ratio, angles, tilt, 1, block, slot, 1, 1);
    });
}

CTexts* CGroupProcessor::AddTextCopy(CZelkDoc* target, const CText& model, CPointD point, const CString& text,
                                     const CTypeFont& font, int alignment, double angle, double sizeFactor,
                                     std::int16_t layer, std::int16_t& block, std::int16_t& slot)
{
    block = slot = -1;
    if (!m_document || !g_pApp)
        return nullptr;
    CAppText& settings = g_pApp->m_appText;
    CAppElem& elem = g_pApp->m_appElem;
    settings.SaveAttributes();
    const COLORREF color = elem.m_color;
    if (elem.m_creationEnv == 1) {
        settings.SetFromTypeFont(font);
        settings.SetAnchorFromText(model);
        settings.ScaleSize(sizeFactor);
        elem.m_color = model.m_color;
    }
    if (alignment != -1)
        settings.m_anchor = alignment;
    settings.SetAngle(-angle);
    const std::int16_t writeLayer = target->m_writeLayer;
    target->m_writeLayer = layer;
    target->m_creationLog->AddText(text, point, angle, settings.m_anchor, block, slot, 1, 1);
    target->m_writeLayer = writeLayer;
    settings.RestoreAttributes();
    CTexts* added = BlockOf<CTexts>(target->m_textBlocks, block);
    if (!added)
        elem.m_color = color;
    return added;
}
