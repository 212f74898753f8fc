// The element store: the block with room for a pen (font), and the adders that write an element
// into the next free slot. Finding the block is one map lookup and one count comparison.
#include <vector>

#include "app/AppText.h"
#include "commands/annotate/TextCommand.h"
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
#include "elements/TypeFont.h"
#include "geometry/Numeric.h"
#include "view/ZelkView.h"

namespace {

int MapForDirection(int directionKind)
{
    switch (directionKind) {
    case 1:
        return MAP_LINE_H;
    case 2:
        return MAP_LINE_V;
    default:
        return MAP_LINE_O;
    }
}

// The map entry of a pen, or NO_BLOCK for an index the map does not hold.
WORD MapEntry(const CWordArray& map, int pen)
{
    if (pen < 0 || pen >= map.GetSize())
        return NO_BLOCK;
    return map[pen];
}

}  // namespace

// A block index of NO_BLOCK would read as "no block", so a kind holds at most NO_BLOCK blocks
// (0 .. NO_BLOCK - 1); the next one is refused before it could be appended.
int CZelkDoc::CheckBlockLimit(int count) const
{
    if (count < NO_BLOCK)
        return 1;
    DocShowMessage("要素ブロックの数が上限を超えるため追加できません", 1);
    return 0;
}

// Group numbers are 16 bits with -1 for none; a group numbered beyond them would turn negative.
int CZelkDoc::CheckGroupLimit() const
{
    if (m_groups.GetSize() < CGroup::MaxCount)
        return 1;
    DocShowMessage("グループの数が上限を超えるため追加できません", 1);
    return 0;
}

namespace {

template <class Block>
Block* NewBlock(CZelkDoc* doc, CObArray& blocks, CWordArray& map, std::int16_t pen)
{
    if (pen < 0 || pen >= map.GetSize())
        return nullptr;
    Block* block = new Block;
    int index = blocks.Add(block);
    map[pen] = static_cast<WORD>(index);
    block->m_pen = pen;
    (void)doc;
    return block;
}

template <class Block>
Block* BlockWithRoom(const CObArray& blocks, const CWordArray& map, std::int16_t pen)
{
    WORD entry = MapEntry(map, pen);
    if (entry == NO_BLOCK || entry >= blocks.GetSize())
        return nullptr;
    Block* block = static_cast<Block*>(blocks[entry]);
    return block->m_count < Block::SlotCount ? block : nullptr;
}

}  // namespace

#define DOC_BLOCK_PAIR(Kind, BlockT, List, Map)                                                   \
    BlockT* CZelkDoc::New##Kind##Block(std::int16_t pen)                                          \
    {                                                                                            \
        if (!CheckBlockLimit(List.GetSize()))                                                    \
            return nullptr;                                                                      \
        return NewBlock<BlockT>(this, List, m_blockMaps[Map], pen);                               \
    }                                                                                            \
    BlockT* CZelkDoc::Get##Kind##Block(std::int16_t pen)                                          \
    {                                                                                            \
        if (BlockT* b = BlockWithRoom<BlockT>(List, m_blockMaps[Map], pen))                        \
            return b;                                                                            \
        return New##Kind##Block(pen);                                                            \
    }

DOC_BLOCK_PAIR(Point, CDataPoints, m_pointBlocks, MAP_POINT)
DOC_BLOCK_PAIR(Circle, CCircles, m_circleBlocks, MAP_CIRCLE)
DOC_BLOCK_PAIR(Arc, CArcs, m_arcBlocks, MAP_ARC)
DOC_BLOCK_PAIR(Conic, CConics, m_conicBlocks, MAP_CONIC)
DOC_BLOCK_PAIR(Curve, CCurves, m_curveBlocks, MAP_CURVE)
DOC_BLOCK_PAIR(Text, CTexts, m_textBlocks, MAP_TEXT)

#undef DOC_BLOCK_PAIR

CLines* CZelkDoc::NewLineBlock(std::int16_t pen, int directionKind)
{
    if (!CheckBlockLimit(m_lineBlocks.GetSize()))
        return nullptr;
    CLines* block =
        NewBlock<CLines>(this, m_lineBlocks, m_blockMaps[MapForDirection(directionKind)], pen);
    if (block)
        block->m_direction = static_cast<std::uint8_t>(directionKind);
    return block;
}

CLines* CZelkDoc::GetLineBlock(std::int16_t pen, int directionKind)
{
    if (CLines* b =
            BlockWithRoom<CLines>(m_lineBlocks, m_blockMaps[MapForDirection(directionKind)], pen))
        return b;
    return NewLineBlock(pen, directionKind);
}

// ---- raw adders ------------------------------------------------------------------------
// Every add first puts the slot back to its fresh values: a slot given back by a rollback
// must not hand its old group, role, marks, attributes or points to the new element.

namespace {

// Rounds p to 14 significant digits; true when no coordinate changed. Rounding a value the
// rounding left as it was gives it back once more, so the stored point needs no second pass.
bool RoundedAsGiven(CPointD& p)
{
    const CPointD given = p;
    RoundPointToSignificant14(p);
    return p.m_x == given.m_x && p.m_y == given.m_y;
}

}  // namespace

CDataPoints* CZelkDoc::AddPoint(CPointD position, std::int16_t layer, std::int16_t pen)
{
    const bool settled = RoundedAsGiven(position);
    CDataPoints* block = GetPointBlock(pen);
    if (!block)
        return nullptr;
    CDataPoint& p = block->m_slots[block->m_count];
    p.Reset();
    p.m_position = position;
    if (!settled)
        RoundPointToSignificant14(p.m_position);
    p.m_layer = layer;
    ++block->m_count;
    m_blockExtents.Added(CBlockExtents::kPoints);
    return block;
}

CLines* CZelkDoc::AddLine(CPointD start, CPointD end, std::int16_t layer, std::int16_t pen)
{
    const bool startSettled = RoundedAsGiven(start);
    const bool settled = RoundedAsGiven(end) && startSettled;
    // Each coordinate is compared once: the same answers say whether the ends coincide and
    // which direction kind the line has.
    const bool sameX = NearlyEqual(start.m_x, end.m_x);
    const bool sameY = NearlyEqual(start.m_y, end.m_y);
    if (sameX && sameY)
        return nullptr;
    int kind = sameY ? 1 : (sameX ? 2 : 4);
    CLines* block = GetLineBlock(pen, kind);
    if (!block)
        return nullptr;
    bool swap = sameX ? (end.m_y < start.m_y) : (end.m_x < start.m_x);
    CLine& line = block->m_slots[block->m_count];
    line.Reset();
    line.m_start = swap ? end : start;
    line.m_end = swap ? start : end;
    if (!settled) {
        RoundPointToSignificant14(line.m_start);
        RoundPointToSignificant14(line.m_end);
    }
    line.m_swapped = swap ? 1 : 0;
    line.m_layer = layer;
    ++block->m_count;
    m_blockExtents.Added(CBlockExtents::kLines);
    return block;
}

CCircles* CZelkDoc::AddCircle(CPointD centre, double radius, std::int16_t layer, std::int16_t pen)
{
    CCircles* block = GetCircleBlock(pen);
    if (!block)
        return nullptr;
    CCircle& c = block->m_slots[block->m_count];
    c.Reset();
    c.m_centre = centre;
    c.m_radius = radius;
    c.m_layer = layer;
    ++block->m_count;
    m_blockExtents.Added(CBlockExtents::kCircles);
    return block;
}

CArcs* CZelkDoc::AddArc(CPointD centre, double radius, CPointD angles, std::int16_t layer,
                        std::int16_t pen)
{
    CArcs* block = GetArcBlock(pen);
    if (!block)
        return nullptr;
    CArc& a = block->m_slots[block->m_count];
    a.Reset();
    a.m_centre = centre;
    a.m_radius = radius;
    a.m_startAngle = angles.m_x;
    a.m_endAngle = angles.m_y;
    a.m_layer = layer;
    ++block->m_count;
    m_blockExtents.Added(CBlockExtents::kArcs);
    return block;
}

CConics* CZelkDoc::AddConic(CPointD centre, double radius, double ratio, CPointD angles,
                            double tilt, std::int16_t layer, std::int16_t pen)
{
    CConics* block = GetConicBlock(pen);
    if (!block)
        return nullptr;
    CConic& c = block->m_slots[block->m_count];
    c.Reset();
    RoundPointToSignificant14(centre);
    RoundToSignificant15(radius);
    RoundToSignificant15(ratio);
    RoundToSignificant15(tilt);
    c.m_centre = centre;
    c.m_majorRadius = radius;
    c.m_ratio = ratio;
    c.m_startAngle = angles.m_x;
    c.m_endAngle = angles.m_y;
    c.m_tilt = tilt;
    c.m_layer = layer;
    c.BuildPolyline();
    ++block->m_count;
    m_blockExtents.Added(CBlockExtents::kConics);
    return block;
}

CCurves* CZelkDoc::AddCurve(int kind, const std::vector<CPointD>& points, std::int16_t layer,
                            std::int16_t pen)
{
    CCurves* block = GetCurveBlock(pen);
    if (!block)
        return nullptr;
    CCurve& c = block->m_slots[block->m_count];
    c.Reset();
    c.m_pendingPoints.insert(c.m_pendingPoints.begin(), points.begin(), points.end());
    c.m_kind = static_cast<std::uint8_t>(kind);
    for (CPointD& p : c.m_pendingPoints)
        RoundPointToSignificant14(p);
    c.m_layer = layer;
    c.MergePendingPoints();
    ++block->m_count;
    m_blockExtents.Added(CBlockExtents::kCurves);
    return block;
}

namespace {

// The underline ends run left to right (bottom to top when vertical); the flag tells that the
// ends were exchanged.
void OrderUnderline(CText& t)
{
    const bool sameX = NearlyEqual(t.m_underlineStart.m_x, t.m_underlineEnd.m_x);
    if ((sameX && t.m_underlineEnd.m_y < t.m_underlineStart.m_y) ||
        (!sameX && t.m_underlineEnd.m_x < t.m_underlineStart.m_x)) {
        CPointD keep = t.m_underlineStart;
        t.m_underlineStart = t.m_underlineEnd;
        t.m_underlineEnd = keep;
        t.m_swapped = 1;
    }
}

CPointD Plus(CPointD a, CPointD b)
{
    CPointD r;
    r.Init(a.m_x + b.m_x, a.m_y + b.m_y);
    return r;
}

// Fills the block's next slot with a new text whose underline runs from position + off1 to
// position + off2, in order, and counts the slot in.
void PlaceText(CTexts* block, CPointD position, const CString& text, CPointD off1, CPointD off2,
               COLORREF color, int alignment, std::int16_t layer)
{
    CText& t = block->m_slots[block->m_count];
    t.Reset();
    t.m_text = text;
    t.m_point = position;
    t.m_underlineStart = Plus(position, off1);
    t.m_underlineEnd = Plus(position, off2);
    t.m_color = color;
    t.m_alignment = alignment;
    t.m_layer = layer;
    t.m_swapped = 0;
    OrderUnderline(t);
    ++block->m_count;
}

}  // namespace

CTextCommand* CZelkDoc::CurrentTextCommand() const
{
    return DocInterruptingKind() == 7 ? m_textCmdInt : m_textCmd;
}

CTexts* CZelkDoc::AddText(CPointD position, const CString& text, COLORREF color, int alignment,
                          std::int16_t layer, std::int16_t font)
{
    CTypeFont* f = GetFont(font);
    if (!f)
        return nullptr;
    // A drawing that holds all the text blocks it can refuses the text before it is measured.
    CTexts* block = GetTextBlock(font);
    if (!block)
        return nullptr;
    double r = 1.0;
    CTextCommand* cmd = CurrentTextCommand();
    if (cmd && cmd->HasNotationMarkers(text))
        r = cmd->GetNotationWidthRatio(text, 0);
    if (f->m_style2 == 2)
        r *= ComputeTextWidthRatio(text, f->m_logFont, f->m_width, f->m_height, alignment,
                                   f->m_spacing, f->m_rightToLeft, f->m_angle, f->m_style3);
    CPointD ll, lr, ul, ur;
    ComputeTextBoxCorners(f->m_logFont, f->m_width, f->m_height, alignment, text, f->m_style3, r,
                          ll, lr, ul, ur);
    CPointD off1, off2;
    ComputeUnderlineEnds(ll, lr, f->m_style3, f->m_angle, f->m_logFont, f->m_width, f->m_height,
                         off1, off2);
    PlaceText(block, position, text, off1, off2, color, alignment, layer);
    m_blockExtents.Added(CBlockExtents::kTexts);
    return block;
}

// ---- adders with the element reference -------------------------------------------------

CLines* CZelkDoc::AddLineWithPen(CPointD start, CPointD end, std::int16_t layer, std::int16_t pen,
                                 std::int16_t& block, std::int16_t& slot)
{
    block = -1;
    slot = -1;
    CLines* b = AddLine(start, end, layer, pen);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MapForDirection(b->m_direction)][pen]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

CCircles* CZelkDoc::AddCircleWithPen(CPointD centre, double radius, std::int16_t layer,
                                     std::int16_t pen, std::int16_t& block, std::int16_t& slot)
{
    CCircles* b = AddCircle(centre, radius, layer, pen);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MAP_CIRCLE][pen]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

CArcs* CZelkDoc::AddArcWithPen(CPointD centre, double radius, CPointD angles, std::int16_t layer,
                               std::int16_t pen, std::int16_t& block, std::int16_t& slot)
{
    CArcs* b = AddArc(centre, radius, angles, layer, pen);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MAP_ARC][pen]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

CCurves* CZelkDoc::AddCurveWithPen(int kind, const std::vector<CPointD>& points,
                                   std::int16_t layer, std::int16_t pen, std::int16_t& block,
                                   std::int16_t& slot)
{
    CCurves* b = AddCurve(kind, points, layer, pen);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MAP_CURVE][pen]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

CTexts* CZelkDoc::AddTextWithFont(const CString& text, CPointD position, std::int16_t layer,
                                  std::int16_t font, int alignment, COLORREF color,
                                  std::int16_t& block, std::int16_t& slot)
{
    CTexts* b = AddText(position, text, color, alignment, layer, font);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MAP_TEXT][font]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

// ---- adders with the current attributes ------------------------------------------------

std::int16_t CZelkDoc::CurrentPen(int withBlur)
{
    DocPenValues v = DocCreationPen();
    std::uint8_t count = 0, rate = 70;
    if (withBlur && v.blurMode == 1) {
        count = v.blurCount;
        rate = v.blurRate;
    }
    return FindOrAddPen(v.lineType, v.width, v.color, count, rate);
}

CDataPoints* CZelkDoc::AddPointWithCurrentPen(CPointD position, std::int16_t& block,
                                              std::int16_t& slot)
{
    std::int16_t pen = CurrentPen(0);
    CDataPoints* b = AddPoint(position, m_writeLayer, pen);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MAP_POINT][pen]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

CLines* CZelkDoc::AddLineWithCurrentPen(CPointD start, CPointD end, std::int16_t& block,
                                        std::int16_t& slot)
{
    return AddLineWithPen(start, end, m_writeLayer, CurrentPen(1), block, slot);
}

CCircles* CZelkDoc::AddCircleWithCurrentPen(CPointD centre, double radius, std::int16_t& block,
                                            std::int16_t& slot)
{
    return AddCircleWithPen(centre, radius, m_writeLayer, CurrentPen(1), block, slot);
}

CArcs* CZelkDoc::AddArcWithCurrentPen(CPointD centre, double radius, CPointD angles,
                                      std::int16_t& block, std::int16_t& slot)
{
    return AddArcWithPen(centre, radius, angles, m_writeLayer, CurrentPen(1), block, slot);
}

CConics* CZelkDoc::AddConicWithCurrentPen(CPointD centre, double radius, double ratio,
                                          CPointD angles, double tilt, std::int16_t& block,
                                          std::int16_t& slot)
{
    std::int16_t pen = CurrentPen(1);
    CConics* b = AddConic(centre, radius, ratio, angles, tilt, m_writeLayer, pen);
    if (b) {
        block = static_cast<std::int16_t>(m_blockMaps[MAP_CONIC][pen]);
        slot = static_cast<std::int16_t>(b->m_count - 1);
    }
    return b;
}

CCurves* CZelkDoc::AddCurveWithCurrentPen(int kind, const std::vector<CPointD>& points,
                                          std::int16_t& block, std::int16_t& slot)
{
    if (points.size() < 2)
        return nullptr;
    if (points.size() == 2 && PointsNearlyEqual(points[0], points[1]))
        return nullptr;
    std::int16_t pen = CurrentPen(1);
    CCurves* b = AddCurveWithPen(kind, points, m_writeLayer, pen, block, slot);
    if (!b)
        return nullptr;
    SetModifiedFlag(TRUE);
    if (CZelkView* active = DocActiveView())
        active->InvalidateObject(nullptr);
    UpdateAllViews(nullptr, 0, nullptr);
    return b;
}

CTexts* CZelkDoc::AddTextFromCommand(CPointD position, std::int16_t& block, std::int16_t& slot)
{
    CTextCommand* cmd = CurrentTextCommand();
    if (!cmd)
        return nullptr;
    CString text = cmd->m_string;
    ExpandTabs(text);
    double angle = cmd->m_angle;
    std::int16_t font = FindOrAddCurrentFont(angle);
    CTypeFont* f = GetFont(font);
    if (!f)
        return nullptr;
    const CAppText& settings = DocTextSettings();
    CPointD off1, off2;
    ComputeUnderlineEnds(cmd->m_box[0], cmd->m_box[1], settings.m_direction, angle, f->m_logFont,
                         f->m_width, f->m_height, off1, off2);
    CTexts* b = GetTextBlock(font);
    if (!b)
        return nullptr;
    PlaceText(b, position, text, off1, off2, DocCreationPen().color, settings.m_anchor, m_writeLayer);
    m_blockExtents.Added(CBlockExtents::kTexts);
    block = static_cast<std::int16_t>(m_blockMaps[MAP_TEXT][font]);
    slot = static_cast<std::int16_t>(b->m_count - 1);
    return b;
}
