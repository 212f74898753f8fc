// Selection by description: typed conditions on length, angle, line type, attribute strings
// and texts, a listing's group, and the same-attribute modes' selection by a picked element.
// Every element goes through its own select service, which applies the group rules.
#include "input/PickList.h"

#include <algorithm>
#include <set>
#include <type_traits>
#include <utility>
#include <vector>

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
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "formats/BufferRoutines.h"
#include "geometry/Numeric.h"
#include "platform/core/Services.h"

namespace {

const char* const kMsgTooManyItems = "項目数が多く、検索文字のフォーム違反です";
const char* const kMsgSecondNotNumeric = "第二項に数字以外の文字が含まれています";

constexpr double kSameTolerance = 0.01;
constexpr DWORD kCautionPause = 1000;
constexpr int kLongestNumber = 29;

// The pen line types by token.
const struct {
    const char* token;
    int lineType;
} kLineTypeTokens[] = { { "S", 0 }, { "D", 1 }, { "DT", 2 }, { "DD", 3 }, { "DDD", 4 }, { "N", 5 } };

const char* TokenOfLineType(int lineType)
{
    for (const auto& t : kLineTypeTokens)
        if (t.lineType == lineType)
            return t.token;
    return "";
}

// A trailing "//" comment goes: only a "/" preceded by another counts, so "AB/CD" stays whole.
CString CutComment(const CString& item)
{
    const int slash = item.ReverseFind('/');
    if (slash >= 2 && item[slash - 1] == '/')
        return item.Left(slash - 1);
    return item;
}

CString CutAndTrim(const CString& item)
{
    CString s = CutComment(item);
    s.TrimLeft();
    s.TrimRight();
    return s;
}

bool InRange(double x, double v, double t)
{
    return NearlyEqual(x, v - t) || NearlyEqual(x, v + t) || (v - t < x && x < v + t);
}

bool Live(std::uint8_t state)
{
    return (state & STATE_DELETED) == 0;
}

bool Shown(std::int16_t layer)
{
    return !g_pApp->IsLayerHiddenInActiveView(static_cast<WORD>(layer));
}

bool KindSelectable(int bit)
{
    return (g_pApp->m_appFind.selectableKinds & bit) != 0;
}

// Every slot of a kind's blocks with its block's pen (font for texts).
template <class Block, class F>
void ForEachSlot(const CObArray& blocks, F&& f)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s)
            f(block->m_slots[s], block->m_pen, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s));
    }
}

// An element given to its select service when live and shown; 1 when it reports selected.
template <class E>
int SelectIfShown(CZelkDoc* doc, E& e)
{
    if (!Live(e.m_state) || !Shown(e.m_layer))
        return 0;
    return e.Select(doc, 1) ? 1 : 0;
}

} // namespace

int CPickList::FindByCondition(const CString& condition)
{
    CString text = condition;
    text.MakeUpper();
    CStringArray items;
    SplitString(text, ',', items);
    const int itemCount = items.GetSize();
    if (itemCount >= 3)
        g_pApp->ShowMessage(kMsgTooManyItems, 0);
    const CString first = itemCount > 0 ? CutAndTrim(items[0]) : CString();
    const int n = first.GetLength();

    enum { kText, kLength, kAngle, kLineType } kind = kText;
    double value = 0;
    // A number ending in its unit letter; a number part that is not numeric makes it a text.
    auto unitCondition = [&](char unit, decltype(kind) which) {
        if (n == 0 || first.Find(unit) != n - 1)
            return false;
        const CString number = first.Left(n - 1);
        if (IsNumericText(number)) {
            value = number.IsEmpty() ? 0.0 : StringToDouble(number.Left(kLongestNumber));
            kind = which;
        }
        return true;
    };
    if (!unitCondition('L', kLength) && !unitCondition('D', kAngle) && first == "T")
        kind = kLineType;

    double tolerance = 0;
    if ((kind == kLength || kind == kAngle) && itemCount == 2) {
        const CString second = CutAndTrim(items[1]);
        if (!IsNumericText(second)) {
            g_pApp->ShowMessage(kMsgSecondNotNumeric, 0);
            return 0;
        }
        tolerance = second.IsEmpty() ? 0.0 : StringToDouble(second.Left(kLongestNumber));
    }

    int count = 0;
    switch (kind) {
    case kText:
        count = SelectByAttributeString(text) + SelectTextsContaining(text);
        break;
    case kLength:
        count = SelectByLength(value, tolerance);
        break;
    case kAngle:
        count = SelectByAngle(value, tolerance);
        break;
    case kLineType:
        if (itemCount == 2)
            count = SelectByLineType(CutAndTrim(items[1]), 0);
        break;
    }
    g_pApp->ShowMessage(CString(), 0);
    if (g_pApp->WarnSelectionRestricted())
        Services().Sleep(kCautionPause);
    return count;
}

int CPickList::SelectByLength(double value, double tolerance)
{
    int count = 0;
    if (KindSelectable(ELEM_LINE))
        ForEachSlot<CLines>(m_doc->m_lineBlocks, [&](CLine& e, std::int16_t, std::int16_t, std::int16_t) {
            if (InRange(e.Length(), value, tolerance))
                count += SelectIfShown(m_doc, e);
        });
    if (KindSelectable(ELEM_CIRCLE))
        ForEachSlot<CCircles>(m_doc->m_circleBlocks, [&](CCircle& e, std::int16_t, std::int16_t, std::int16_t) {
            if (InRange(e.m_radius, value, tolerance))
                count += SelectIfShown(m_doc, e);
        });
    if (KindSelectable(ELEM_ARC))
        ForEachSlot<CArcs>(m_doc->m_arcBlocks, [&](CArc& e, std::int16_t, std::int16_t, std::int16_t) {
            if (InRange(e.m_radius, value, tolerance))
                count += SelectIfShown(m_doc, e);
        });
    return count;
}

int CPickList::SelectByAngle(double value, double tolerance)
{
    int count = 0;
    if (KindSelectable(ELEM_LINE))
        ForEachSlot<CLines>(m_doc->m_lineBlocks, [&](CLine& e, std::int16_t, std::int16_t, std::int16_t) {
            if (InRange(e.AngleDeg(), value, tolerance))
                count += SelectIfShown(m_doc, e);
        });
    if (KindSelectable(ELEM_ARC))
        ForEachSlot<CArcs>(m_doc->m_arcBlocks, [&](CArc& e, std::int16_t, std::int16_t, std::int16_t) {
            if (InRange(e.m_startAngle, value, tolerance) || InRange(e.m_endAngle, value, tolerance))
                count += SelectIfShown(m_doc, e);
        });
    if (KindSelectable(ELEM_TEXT))
        ForEachSlot<CTexts>(m_doc->m_textBlocks, [&](CText& e, std::int16_t font, std::int16_t, std::int16_t) {
            const CTypeFont* f = m_doc->GetFont(font);
            if (f && InRange(f->m_angle, value, tolerance))
                count += SelectIfShown(m_doc, e);
        });
    return count;
}

int CPickList::SelectByLineType(const CString& tokens, std::int16_t width)
{
    bool marked[6] = {};
    CString rest = tokens;
    rest.MakeUpper();
    CStringArray words;
    SplitTokens(rest, " ", "", words);
    for (int i = 0; i < words.GetSize(); ++i)
        for (const auto& t : kLineTypeTokens)
            if (words[i] == t.token)
                marked[t.lineType] = true;
    auto penTaken = [&](std::int16_t pen) {
        const CTypePen* p = m_doc->GetPen(pen);
        if (!p || p->m_lineType < 0 || p->m_lineType > 5 || !marked[p->m_lineType])
            return false;
        return width == 0 || p->m_width == width;
    };
    int count = 0;
    auto each = [&](auto& e, std::int16_t pen, std::int16_t, std::int16_t) {
        if (penTaken(pen))
            count += SelectIfShown(m_doc, e);
    };
    if (KindSelectable(ELEM_LINE))
        ForEachSlot<CLines>(m_doc->m_lineBlocks, each);
    if (KindSelectable(ELEM_CIRCLE))
        ForEachSlot<CCircles>(m_doc->m_circleBlocks, each);
    if (KindSelectable(ELEM_ARC))
        ForEachSlot<CArcs>(m_doc->m_arcBlocks, each);
    ForEachSlot<CConics>(m_doc->m_conicBlocks, each);
    ForEachSlot<CCurves>(m_doc->m_curveBlocks, each);
    return count;
}

int CPickList::SelectByColor(COLORREF color)
{
    int count = 0;
    auto each = [&](auto& e, std::int16_t pen, std::int16_t, std::int16_t) {
        const CTypePen* p = m_doc->GetPen(pen);
        if (p && p->m_color == color)
            count += SelectIfShown(m_doc, e);
    };
    if (KindSelectable(ELEM_POINT))
        ForEachSlot<CDataPoints>(m_doc->m_pointBlocks, each);
    if (KindSelectable(ELEM_LINE))
        ForEachSlot<CLines>(m_doc->m_lineBlocks, each);
    if (KindSelectable(ELEM_CIRCLE))
        ForEachSlot<CCircles>(m_doc->m_circleBlocks, each);
    if (KindSelectable(ELEM_ARC))
        ForEachSlot<CArcs>(m_doc->m_arcBlocks, each);
    ForEachSlot<CConics>(m_doc->m_conicBlocks, each);
    ForEachSlot<CCurves>(m_doc->m_curveBlocks, each);
    if (KindSelectable(ELEM_TEXT))
        ForEachSlot<CTexts>(m_doc->m_textBlocks, [&](CText& e, std::int16_t, std::int16_t, std::int16_t) {
            if (e.m_color == color)
                count += SelectIfShown(m_doc, e);
        });
    return count;
}

int CPickList::SelectTextsContaining(const CString& pattern)
{
    int count = 0;
    ForEachSlot<CTexts>(m_doc->m_textBlocks, [&](CText& e, std::int16_t, std::int16_t, std::int16_t) {
        CString upper = e.m_text;
        upper.MakeUpper();
        if (upper.Find(pattern) >= 0)
            count += SelectIfShown(m_doc, e);
    });
    return count;
}

namespace {

// The element of a reference given to its select service when it passes the filters: live,
// shown, of a selectable kind (conics and curves are not asked for their kind). 1 when
// selected; its group, when the list's mark bits are on it, loses them and is redrawn.
int SelectMember(CZelkDoc* doc, const CElemRef& ref, int markMask)
{
    auto take = [&](auto* e, int bit) {
        if (!e || (bit && !KindSelectable(bit)) || !Live(e->m_state) || !Shown(e->m_layer))
            return 0;
        if (!e->Select(doc, 1))
            return 0;
        if (CGroup* g = e->m_group >= 0 ? doc->GetGroup(e->m_group) : nullptr) {
            if (g->m_mark & markMask) {
                g->ClearMarkBits(static_cast<std::uint8_t>(markMask));
                g->SetMarkBits(MARK_REDRAW);
            }
        }
        return 1;
    };
    switch (ref.m_kind) {
    case ELEM_POINT: return take(doc->GetPointElem(ref.m_block, ref.m_slot), ELEM_POINT);
    case ELEM_LINE: return take(doc->GetLineElem(ref.m_block, ref.m_slot), ELEM_LINE);
    case ELEM_CIRCLE: return take(doc->GetCircleElem(ref.m_block, ref.m_slot), ELEM_CIRCLE);
    case ELEM_ARC: return take(doc->GetArcElem(ref.m_block, ref.m_slot), ELEM_ARC);
    case ELEM_TEXT: return take(doc->GetTextElem(ref.m_block, ref.m_slot), ELEM_TEXT);
    case ELEM_CONIC: return take(doc->GetConicElem(ref.m_block, ref.m_slot), 0);
    case ELEM_CURVE: return take(doc->GetCurveElem(ref.m_block, ref.m_slot), 0);
    default: return 0;
    }
}

void ClearParentMarks(CZelkDoc* doc, const std::vector<std::int16_t>& parents, int markMask)
{
    for (std::int16_t p : parents) {
        CGroup* g = p >= 0 ? doc->GetGroup(p) : nullptr;
        if (g && (g->m_mark & markMask)) {
            g->ClearMarkBits(static_cast<std::uint8_t>(markMask));
            g->SetMarkBits(MARK_REDRAW);
        }
    }
}

} // namespace

int CPickList::SelectByAttributeString(const CString& pattern)
{
    const bool contains = pattern.GetLength() > 0 && pattern[0] == '*';
    const CString sought = contains ? pattern.Mid(1) : pattern;
    const int groupMode = g_pApp->m_appFind.groupSelectMode;
    std::vector<std::int16_t> groups;
    std::vector<CElemRef> elements;
    std::set<std::pair<int, std::pair<int, int>>> seen;
    auto remember = [&](const CElemRef& r) {
        if (seen.insert({ r.m_kind, { r.m_block, r.m_slot } }).second)
            elements.push_back(r);
    };
    for (int i = 0; i < m_doc->m_attrStrings.GetSize(); ++i) {
        const CDataString* s = m_doc->GetString(i);
        if (!s || !Live(s->m_state))
            continue;
        CString upper = s->m_text;
        upper.MakeUpper();
        if (contains ? upper.Find(sought) < 0 : upper != sought)
            continue;
        for (const CElemRef& r : s->m_refs) {
            if (r.m_kind != ELEM_GROUP) {
                remember(r);
                continue;
            }
            const CGroup* g = m_doc->GetGroup(r.m_block);
            if (!g || !Live(g->m_state) || groupMode == 3)
                continue;
            if (groupMode == 2) {
                for (const CElemRef& m : g->m_members)
                    if (m.m_kind != ELEM_GROUP)
                        remember(m);
            } else if (std::find(groups.begin(), groups.end(), r.m_block) == groups.end()) {
                groups.push_back(r.m_block);
            }
        }
    }
    int count = 0;
    std::vector<std::int16_t> parents;
    for (std::int16_t number : groups) {
        CGroup* g = m_doc->GetGroup(number);
        if (g->SelectGroupChain(m_doc, number, 1))
            parents.push_back(g->m_parent);
        ++count;
    }
    for (const CElemRef& r : elements)
        count += SelectMember(m_doc, r, markMask);
    ClearParentMarks(m_doc, parents, markMask);
    return count;
}

int CPickList::SelectGroup(std::int16_t group)
{
    CGroup* g = m_doc->GetGroup(group);
    const int groupMode = g_pApp->m_appFind.groupSelectMode;
    if (!g || !Live(g->m_state) || groupMode == 3)
        return 0;
    std::vector<std::int16_t> parents;
    if (g->SelectGroupChain(m_doc, group, 1))
        parents.push_back(g->m_parent);
    int count = 1;
    if (groupMode == 2)
        for (const CElemRef& m : g->m_members)
            count += SelectMember(m_doc, m, markMask);
    ClearParentMarks(m_doc, parents, markMask);
    return count;
}

int CPickList::SelectSameAsCurrent()
{
    const CElemCandidate* c = GetCurrentCandidate();
    if (!c)
        return 0;
    std::int16_t pen = -1;
    COLORREF color = 0;
    double length = 0, angle = 0;
    bool found = false;
    auto penOf = [&](const CObArray& blocks, auto* tag) {
        using Block = std::remove_pointer_t<decltype(tag)>;
        if (c->m_block < 0 || c->m_block >= blocks.GetSize())
            return static_cast<Block*>(nullptr);
        Block* block = static_cast<Block*>(blocks[c->m_block]);
        if (c->m_slot < 0 || c->m_slot >= block->m_count)
            return static_cast<Block*>(nullptr);
        pen = block->m_pen;
        if (const CTypePen* p = m_doc->GetPen(pen))
            color = p->m_color;
        found = true;
        return block;
    };
    switch (c->m_kind) {
    case ELEM_POINT:
        penOf(m_doc->m_pointBlocks, static_cast<CDataPoints*>(nullptr));
        break;
    case ELEM_LINE:
        if (CLines* b = penOf(m_doc->m_lineBlocks, static_cast<CLines*>(nullptr))) {
            length = b->m_slots[c->m_slot].Length();
            angle = b->m_slots[c->m_slot].AngleDeg();
        }
        break;
    case ELEM_CIRCLE:
        if (CCircles* b = penOf(m_doc->m_circleBlocks, static_cast<CCircles*>(nullptr)))
            length = b->m_slots[c->m_slot].m_radius;
        break;
    case ELEM_ARC:
        if (CArcs* b = penOf(m_doc->m_arcBlocks, static_cast<CArcs*>(nullptr))) {
            const CArc& a = b->m_slots[c->m_slot];
            length = a.m_radius;
            const int where = ClassifyPickPosition();
            angle = where >= 1 && where <= 4 ? a.m_startAngle : a.m_endAngle;
        }
        break;
    case ELEM_TEXT:
        if (CTexts* b = penOf(m_doc->m_textBlocks, static_cast<CTexts*>(nullptr))) {
            const CTypeFont* f = m_doc->GetFont(b->m_pen);
            color = b->m_slots[c->m_slot].m_color;
            angle = f ? f->m_angle : 0;
            pen = -1;
        }
        break;
    case ELEM_CONIC:
        if (CConics* b = penOf(m_doc->m_conicBlocks, static_cast<CConics*>(nullptr))) {
            length = b->m_slots[c->m_slot].m_majorRadius;
            angle = b->m_slots[c->m_slot].m_tilt;
        }
        break;
    case ELEM_CURVE:
        penOf(m_doc->m_curveBlocks, static_cast<CCurves*>(nullptr));
        break;
    default:
        break;
    }
    if (!found)
        return 0;
    const int kind = c->m_kind;
    switch (g_pApp->m_interruptMode) {
    case 41:
        if (kind == ELEM_POINT || kind == ELEM_TEXT || kind == ELEM_CURVE)
            return 0;
        return SelectByLength(length, kSameTolerance);
    case 42:
        if (kind == ELEM_POINT || kind == ELEM_CIRCLE)
            return 0;
        return SelectByAngle(angle, kSameTolerance);
    case 43:
    case 45: {
        const CTypePen* p = pen >= 0 ? m_doc->GetPen(pen) : nullptr;
        if (kind == ELEM_POINT || !p)
            return 0;
        return SelectByLineType(TokenOfLineType(p->m_lineType),
                                g_pApp->m_interruptMode == 45 ? p->m_width : static_cast<std::int16_t>(0));
    }
    case 44:
        return SelectByColor(color);
    default:
        return 0;
    }
}
