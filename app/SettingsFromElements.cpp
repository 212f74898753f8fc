// The settings taken over from a drawing's attribute records and texts. Apart from the records
// themselves so that a record alone does not pull in the element classes.
#include "app/AppAtrPicked.h"
#include "app/AppElem.h"
#include "app/AppText.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "input/PickList.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"

namespace {

// An element block's pen into the creation pen or a creation environment.
template <class To>
void CopyTypePen(To& to, const CTypePen& pen)
{
    to.m_lineType = pen.m_lineType;
    to.m_lineWidth = pen.m_width;
    to.m_color = pen.m_color;
    to.m_blurCount = pen.m_blurCount;
    to.m_blurRate = pen.m_blurRate;
}

}  // namespace

void CAppElem::SetPenFromTypePen(const CTypePen& pen)
{
    CopyTypePen(*this, pen);
}

void CAppText::SetFromTypeFont(const CTypeFont& font)
{
    m_logFont = font.m_logFont;
    m_formClass = font.m_style2;
    m_direction = font.m_style3;
    m_formOption1 = font.m_style4;
    m_formOption2 = font.m_style5;
    m_charSpacing = font.m_spacing;
    m_rightToLeft = font.m_rightToLeft;
    m_heightTenths = font.m_height;
    m_widthTenths = font.m_width;
    m_shape = 1;
    if (m_formClass == 1)
        return;
    switch (m_direction) {
    case 1:
        m_shape = 2;
        break;
    case 2:
        m_shape = 3;
        break;
    case 3:
        m_shape = 4;
        m_slantAlongLine = 0;
        break;
    case 4:
        m_shape = 4;
        m_slantAlongLine = 1;
        break;
    default:
        break;
    }
    if (m_direction == 3 || m_direction == 4)
        SetAngle(-m_slantAngle);
}

void CAppText::SetAnchorFromText(const CText& text)
{
    m_anchor = text.m_alignment;
}

namespace {

// The block and slot a reference names, or null when the reference points past the document's
// blocks or at an unused slot.
template <class Block>
Block* BlockOf(const CObArray& blocks, const CElemRef& ref)
{
    if (ref.m_block < 0 || ref.m_block >= blocks.GetSize())
        return nullptr;
    Block* block = static_cast<Block*>(blocks[ref.m_block]);
    if (ref.m_slot < 0 || ref.m_slot >= block->m_count)
        return nullptr;
    return block;
}

template <class Block>
bool TakePen(CAppAtrPicked& set, CZelkDoc* doc, const CObArray& blocks, const CElemRef& ref)
{
    Block* block = BlockOf<Block>(blocks, ref);
    if (block == nullptr)
        return false;
    if (const CTypePen* pen = doc->GetPen(block->m_pen))
        CopyTypePen(set, *pen);
    set.m_layer = block->m_slots[ref.m_slot].m_layer;
    return true;
}

}  // namespace

int CAppAtrPicked::TakeFromPickedElement(CZelkDoc* document)
{
    CElemRef ref;
    if (document == nullptr || document->m_pickList == nullptr
        || !document->m_pickList->GetCurrent(ref))
        return 0;
    m_document = document;
    switch (ref.m_kind) {
    case ELEM_POINT: {
        CDataPoints* block = BlockOf<CDataPoints>(document->m_pointBlocks, ref);
        if (block == nullptr)
            return 0;
        if (const CTypePen* pen = document->GetPen(block->m_pen))
            m_color = pen->m_color;
        m_layer = block->m_slots[ref.m_slot].m_layer;
        return 1;
    }
    case ELEM_LINE:
        return TakePen<CLines>(*this, document, document->m_lineBlocks, ref) ? 1 : 0;
    case ELEM_CIRCLE:
        return TakePen<CCircles>(*this, document, document->m_circleBlocks, ref) ? 1 : 0;
    case ELEM_ARC:
        return TakePen<CArcs>(*this, document, document->m_arcBlocks, ref) ? 1 : 0;
    case ELEM_CONIC:
        return TakePen<CConics>(*this, document, document->m_conicBlocks, ref) ? 1 : 0;
    case ELEM_CURVE:
        return TakePen<CCurves>(*this, document, document->m_curveBlocks, ref) ? 1 : 0;
    case ELEM_TEXT: {
        CTexts* block = BlockOf<CTexts>(document->m_textBlocks, ref);
        if (block == nullptr)
            return 0;
        const CText& text = block->m_slots[ref.m_slot];
        m_color = text.m_color;
        m_layer = text.m_layer;
        if (const CTypeFont* font = document->GetFont(block->m_pen))
            m_text.SetFromTypeFont(*font);
        m_text.SetAnchorFromText(text);
        return 1;
    }
    default:
        return 1;
    }
}
