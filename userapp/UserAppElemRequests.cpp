// Element query and deletion requests: the live elements, pens and fonts of the active drawing as
// references and records, one element's record by block and slot, and deletion with undo.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "userapp/UserAppBlock.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kSlots = UserAppBlock::kSlots;

// A deleted element: the deleted bit with the changed bit.
constexpr std::uint8_t kDeletedState = STATE_DELETED | STATE_REDRAW;

// The kind of each last digit of a family's code.
constexpr std::int16_t kKinds[10] = {ELEM_ATTRIBUTE_STRING, ELEM_POINT,  ELEM_LINE,  ELEM_CIRCLE,
                                     ELEM_ARC,              ELEM_CONIC,  ELEM_CURVE, ELEM_TEXT,
                                     ELEM_DIMENSION_GROUPS, ELEM_GROUP};

bool IsLive(std::uint8_t state) { return (state & STATE_DELETED) == 0; }

// Records carry the pen (for texts the font) of the block the element lies in.
UserAppPointRecord* MakeRecord(const CDataPoint& e, const CDataPoints&) { return e.ToRecord(); }
UserAppLineRecord* MakeRecord(const CLine& e, const CLines& b)
{
    UserAppLineRecord* r = e.ToRecord();
    r->m_pen = b.m_pen;
    r->m_directionKind = b.m_direction;
    return r;
}
template <class E, class B>
auto* MakeRecord(const E& e, const B& b)
{
    auto* r = e.ToRecord();
    r->m_pen = b.m_pen;
    return r;
}
UserAppTextRecord* MakeRecord(const CText& e, const CTexts& b)
{
    UserAppTextRecord* r = e.ToRecord();
    r->m_font = b.m_pen;
    return r;
}

// Elements kept in blocks of fixed size: addressed by block and slot.
template <class Block>
struct BlockKind {
    const CObArray& m_blocks;

    int Count() const { return m_blocks.GetSize(); }
    Block* At(int b) const { return static_cast<Block*>(m_blocks[b]); }
    int SlotsIn(int b) const
    {
        const Block* k = At(b);
        return k ? std::clamp<int>(k->m_count, 0, Block::SlotCount) : 0;
    }
    std::uint8_t StateOf(int b, int s) const { return At(b)->m_slots[s].m_state; }
    std::uint8_t MarkOf(int b, int s) const { return At(b)->m_slots[s].m_mark; }
    auto* Record(int b, int s) const { return MakeRecord(At(b)->m_slots[s], *At(b)); }
};

// Attribute strings and groups: addressed by index, slot 0.
template <class Item>
struct IndexKind {
    const CObArray& m_items;
    // Groups: 0 any kind, 1 dimension groups only, -1 all others.
    int m_dimension = 0;

    int Count() const { return m_items.GetSize(); }
    Item* At(int b) const { return static_cast<Item*>(m_items[b]); }
    int SlotsIn(int b) const { return At(b) && Matches(*At(b)) ? 1 : 0; }
    bool Matches(const Item& item) const
    {
        if constexpr (std::is_same_v<Item, CGroup>) {
            const bool dimension = item.m_kind >= 2 && item.m_kind <= 8;
            return m_dimension == 0 || dimension == (m_dimension > 0);
        }
        return true;
    }
    std::uint8_t StateOf(int b, int) const { return At(b)->m_state; }
    std::uint8_t MarkOf(int b, int) const { return At(b)->m_mark; }
    auto* Record(int b, int) const { return At(b)->ToRecord(); }
};

template <class Kind>
void AppendRefs(UserAppBlock& block, int slot, const Kind& kind, std::int16_t kindCode)
{
    for (int b = 0; b < kind.Count(); ++b)
        for (int s = 0; s < kind.SlotsIn(b); ++s)
            if (IsLive(kind.StateOf(b, s))) {
                auto* ref = new UserAppElemRef;
                ref->Init(kindCode, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s),
                          kind.StateOf(b, s), kind.MarkOf(b, s));
                block.m_refLists[slot].Add(ref);
            }
}

template <class Kind>
void AppendRecords(UserAppBlock& block, int slot, const Kind& kind, int list)
{
    for (int b = 0; b < kind.Count(); ++b)
        for (int s = 0; s < kind.SlotsIn(b); ++s)
            if (IsLive(kind.StateOf(b, s)))
                block.m_recordLists[list][slot].Add(kind.Record(b, s));
}

// One element's record assigned into the slot's table record of its kind.
template <class Kind, class Record>
short AssignRecord(UserAppBlock& block, int slot, const Kind& kind, Record* (UserAppBlock::*table)[kSlots],
                   int index, int element)
{
    if (index < 0 || index >= kind.Count())
        return 16;
    if (element < 0 || element >= kind.SlotsIn(index))
        return 17;
    std::unique_ptr<Record> record(kind.Record(index, element));
    if (Record* target = (block.*table)[slot])
        *target = *record;
    return kUserAppDone;
}

// Calls f with the kind of the last digit, its kind code, its record list and its table.
template <class F>
void WithKind(CZelkDoc& doc, int digit, F&& f)
{
    switch (digit) {
    case 0: f(IndexKind<CDataString>{doc.m_attrStrings}, UserAppBlock::kStringList, &UserAppBlock::m_attrStringTable); break;
    case 1: f(BlockKind<CDataPoints>{doc.m_pointBlocks}, UserAppBlock::kPointList, &UserAppBlock::m_pointTable); break;
    case 2: f(BlockKind<CLines>{doc.m_lineBlocks}, UserAppBlock::kLineList, &UserAppBlock::m_lineTable); break;
    case 3: f(BlockKind<CCircles>{doc.m_circleBlocks}, UserAppBlock::kCircleList, &UserAppBlock::m_circleTable); break;
    case 4: f(BlockKind<CArcs>{doc.m_arcBlocks}, UserAppBlock::kArcList, &UserAppBlock::m_arcTable); break;
    case 5: f(BlockKind<CConics>{doc.m_conicBlocks}, UserAppBlock::kConicList, &UserAppBlock::m_conicTable); break;
    case 6: f(BlockKind<CCurves>{doc.m_curveBlocks}, UserAppBlock::kCurveList, &UserAppBlock::m_curveTable); break;
    case 7: f(BlockKind<CTexts>{doc.m_textBlocks}, UserAppBlock::kTextList, &UserAppBlock::m_textTable); break;
    case 8: f(IndexKind<CGroup>{doc.m_groups, 1}, UserAppBlock::kGroupList, &UserAppBlock::m_groupTable); break;
    default: f(IndexKind<CGroup>{doc.m_groups, -1}, UserAppBlock::kGroupList, &UserAppBlock::m_groupTable); break;
    }
}

// Codes 350-359: groups asked for as the wrong family get their own statuses.
short LookUpElement(UserAppBlock& block, int slot, CZelkDoc& doc, int digit)
{
    const int index = block.m_intArgs[slot][0];
    const int element = block.m_intArgs[slot][1];
    if (digit >= 8) {
        CGroup* group = doc.GetGroup(index);
        if (!group)
            return 16;
        const bool dimension = group->m_kind >= 2 && group->m_kind <= 8;
        if (digit == 9 && dimension)
            return 19;
        if (digit == 8 && !dimension)
            return 18;
    }
    short status = kUserAppDone;
    WithKind(doc, digit, [&](const auto& kind, int, auto table) {
        // Attribute strings and groups take their index alone.
        const int slotInBlock = digit == 0 || digit >= 8 ? 0 : element;
        status = AssignRecord(block, slot, kind, table, index, slotInBlock);
    });
    return status;
}

void ServeQuery(UserAppBlock& block, int slot, int code, CZelkDoc& doc)
{
    const int digit = code % 10;
    if (code < 310) {
        block.ClearSlotElemRefs(slot);
        WithKind(doc, digit, [&](const auto& kind, int, auto) { AppendRefs(block, slot, kind, kKinds[digit]); });
    } else if (code < 330) {
        block.ClearSlotRecords(slot);
        WithKind(doc, digit, [&](const auto& kind, int list, auto) { AppendRecords(block, slot, kind, list); });
    } else if (code == 340) {
        for (int i = 0; i < doc.m_pens.GetSize(); ++i)
            if (CTypePen* pen = doc.GetPen(i))
                block.m_recordLists[UserAppBlock::kPenList][slot].Add(pen->ToRecord());
    } else if (code == 341) {
        for (int i = 0; i < doc.m_fonts.GetSize(); ++i)
            if (CTypeFont* font = doc.GetFont(i))
                block.m_recordLists[UserAppBlock::kFontList][slot].Add(font->ToRecord());
    } else if (code < 360) {
        block.ClearSlotRecords(slot);
        block.m_status[slot] = LookUpElement(block, slot, doc, digit);
    } else if (code == 370) {
        CTypePen* pen = doc.GetPen(block.m_intArgs[slot][0]);
        if (!pen)
            block.m_status[slot] = 16;
        else if (UserAppPenRecord* target = block.m_penTable[slot])
            *target = *std::unique_ptr<UserAppPenRecord>(pen->ToRecord());
    } else {
        CTypeFont* font = doc.GetFont(block.m_intArgs[slot][0]);
        if (!font)
            block.m_status[slot] = 16;
        else if (UserAppFontRecord* target = block.m_fontTable[slot])
            *target = *std::unique_ptr<UserAppFontRecord>(font->ToRecord());
    }
}

bool IsQuery(int code)
{
    return (code >= 300 && code <= 309) || (code >= 320 && code <= 329) || code == 340 || code == 341 ||
           (code >= 350 && code <= 359) || code == 370 || code == 371;
}

} // namespace

void DeleteUserAppElement(CZelkDoc& doc, int kind, int index, int element)
{
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    if (kind == ELEM_ATTRIBUTE_STRING) {
        CDataString* string = doc.GetString(index);
        if (!string)
            return;
        state = &string->m_state;
        element = 0;
    } else if (kind == ELEM_GROUP || !GetStateAndMark(&doc, kind, index, element, state, mark)) {
        return;
    }
    doc.m_undoHistory->RecordChange(2, kind, index, element, *state);
    *state = kDeletedState;
}

bool ServeElementRequest(UserAppBlock& block, int slot, int code)
{
    if (IsQuery(code)) {
        CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
        if (!doc) {
            if (code >= 350 && code <= 359)
                block.ClearSlotRecords(slot);
            block.m_status[slot] = kUserAppNoActiveDrawing;
            return true;
        }
        ServeQuery(block, slot, code, *doc);
        return true;
    }
    const bool deleting = code >= 460 && code <= 467;
    if (!deleting && code != 480 && (code < 500 || code > 502))
        return false;
    CZelkDoc* doc = FindUserAppDrawing(block.m_shortArg0[slot]);
    if (!doc) {
        block.m_status[slot] = kUserAppNoDocWithId;
        return true;
    }
    if (deleting) {
        const int kind = kKinds[code % 10];
        DeleteUserAppElement(*doc, kind, block.m_intArgs[slot][0], kind == ELEM_ATTRIBUTE_STRING ? 0 : block.m_intArgs[slot][1]);
    } else if (code == 480) {
        const CPtrArray& refs = block.m_refLists[slot];
        for (int i = 0; i < refs.GetSize(); ++i)
            if (const auto* ref = static_cast<const UserAppElemRef*>(refs[i]))
                DeleteUserAppElement(*doc, ref->m_kind, ref->m_block, ref->m_slot);
    } else {
        doc->m_undoHistory->Commit(code - 499);
    }
    return true;
}
