// CElemSet: the references of a group operation, their rough sizes, and the new texts laid out
// one line below the other.
#include "input/ElemSet.h"

#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/ElemRef.h"
#include "view/ZelkObj.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHuge = 1e308;

void DeleteRefs(CPtrArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i)
        delete static_cast<CElemRef*>(list[i]);
    list.RemoveAll();
}

template <class Elem>
bool Live(const Elem* e)
{
    return e && !(e->m_state & STATE_DELETED);
}

// The rough size of an element itself (not a group), in world millimetres, signed as the
// underline and line differences fall.
double ElementSize(CZelkDoc* doc, int kind, int block, int slot)
{
    switch (kind) {
    case ELEM_LINE:
        if (const CLine* l = doc->GetLineElem(block, slot); Live(l))
            return (l->m_end.m_x - l->m_start.m_x) + (l->m_end.m_y - l->m_start.m_y);
        return 0;
    case ELEM_CIRCLE:
        if (const CCircle* c = doc->GetCircleElem(block, slot); Live(c))
            return 2 * c->m_radius;
        return 0;
    case ELEM_ARC:
        if (const CArc* a = doc->GetArcElem(block, slot); Live(a))
            return 2 * a->m_radius;
        return 0;
    case ELEM_CONIC:
        if (const CConic* c = doc->GetConicElem(block, slot); Live(c))
            return 2 * c->m_majorRadius;
        return 0;
    case ELEM_TEXT:
        if (const CText* t = doc->GetTextElem(block, slot); Live(t))
            return (t->m_underlineEnd.m_x - t->m_underlineStart.m_x) +
                   (t->m_underlineEnd.m_y - t->m_underlineStart.m_y);
        return 0;
    case ELEM_OBJECT:
        if (block >= 0 && block < static_cast<int>(doc->m_objects.size())) {
            const CZelkObj* o = doc->m_objects[static_cast<size_t>(block)];
            if (Live(o))
                return (o->m_bottomRight.m_x - o->m_topLeft.m_x) + (o->m_topLeft.m_y - o->m_bottomRight.m_y);
        }
        return 0;
    default:
        return 0;
    }
}

double EntrySize(CZelkDoc* doc, const CElemRef& ref)
{
    if (ref.m_kind != ELEM_GROUP)
        return ElementSize(doc, ref.m_kind, ref.m_block, ref.m_slot);
    const CGroup* group = doc->GetGroup(ref.m_block);
    if (!Live(group))
        return 0;
    double largest = 0;
    bool any = false;
    for (const CElemRef& m : group->m_members) {
        if (m.m_kind != ELEM_LINE && m.m_kind != ELEM_CIRCLE && m.m_kind != ELEM_ARC &&
            m.m_kind != ELEM_CONIC && m.m_kind != ELEM_TEXT)
            continue;
        const double s = ElementSize(doc, m.m_kind, m.m_block, m.m_slot);
        if (!any || s > largest)
            largest = s;
        any = true;
    }
    return any ? largest : 0;
}

bool IsBottomAnchor(int anchor)
{
    return anchor == 14 || anchor == 8 || anchor == 10;
}

bool IsMiddleAnchor(int anchor)
{
    return anchor == 38 || anchor == 32 || anchor == 34;
}

bool IsTopAnchor(int anchor)
{
    return anchor == 6 || anchor == 0 || anchor == 2;
}

}  // namespace

CElemSet::CElemSet()
    : angle(0.0), scale(1.0), operationCount(1), textsLaidOut(0), minX(kHuge), minY(kHuge), maxX(-kHuge),
      maxY(-kHuge)
{
}

CElemSet::~CElemSet()
{
    Clear();
}

void CElemSet::Clear()
{
    sizeClasses.RemoveAll();
    DeleteRefs(elements);
    DeleteRefs(startOnlyLines);
    DeleteRefs(endOnlyLines);
    for (int i = 0; i < texts.GetSize(); ++i)
        delete static_cast<CText*>(texts[i]);
    texts.RemoveAll();
    basePoint.Init(0.0, 0.0);
    angle = 0.0;
    scale = 1.0;
    operationCount = 1;
    linePitch.Init(0.0, 0.0);
    textsLaidOut = 0;
    textBlockSize.Init(0.0, 0.0);
    minX = minY = kHuge;
    maxX = maxY = -kHuge;
}

void CElemSet::AddElement(CZelkDoc* doc, int kind, int block, int slot, int state, int mark)
{
    auto* ref = new CElemRef;
    ref->Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block), static_cast<std::int16_t>(slot),
              static_cast<std::uint8_t>(state), static_cast<std::uint8_t>(mark));
    elements.Add(ref);
    if (doc)
        doc->ExtendExtents(minX, minY, maxX, maxY, kind, block, slot);
}

void CElemSet::AddToLineList(CZelkDoc* doc, int kind, int block, int slot, int state, int mark, int startFlag)
{
    auto* ref = new CElemRef;
    ref->Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block), static_cast<std::int16_t>(slot),
              static_cast<std::uint8_t>(state), static_cast<std::uint8_t>(mark));
    (startFlag ? startOnlyLines : endOnlyLines).Add(ref);
    if (doc)
        doc->ExtendExtents(minX, minY, maxX, maxY, kind, block, slot);
}

void CElemSet::ClassifySizes(CZelkDoc* doc)
{
    const int count = elements.GetSize();
    std::vector<double> sizes(static_cast<size_t>(count), 0.0);
    double largest = 0;
    for (int i = 0; i < count; ++i) {
        sizes[static_cast<size_t>(i)] = doc ? EntrySize(doc, *static_cast<CElemRef*>(elements[i])) : 0;
        largest = std::max(largest, sizes[static_cast<size_t>(i)]);
    }
    for (const double s : sizes) {
        WORD sizeClass = 3;
        if (s >= 0.5 * largest)
            sizeClass = 0;
        else if (s >= 0.25 * largest)
            sizeClass = 1;
        else if (s >= 0.125 * largest)
            sizeClass = 2;
        sizeClasses.Add(sizeClass);
    }
}

void CElemSet::AddTextCopy(const CText& text)
{
    texts.Add(new CText(text));
}

void CElemSet::PlaceText(CText& text, const CString& string, const CPointD& position, int w10, int h10, int anchor,
                         double blockExtents[4])
{
    const CAppText& settings = g_pApp->m_appText;
    CPointD p, q;
    ComputeTextAnchorOffset(settings.m_logFont, w10, h10, anchor, string, p, q);
    double r = 1.0;
    if (CTextCommand::HasNotationMarkers(string))
        r = CTextCommand::GetNotationWidthRatio(string, 0);
    if (settings.m_formClass == 2)
        r *= ComputeTextWidthRatio(string, settings.m_logFont, w10, h10, anchor, settings.m_charSpacing,
                                   settings.m_rightToLeft, settings.m_logFont.lfEscapement / 10.0,
                                   settings.m_direction);
    q.m_x = p.m_x + (q.m_x - p.m_x) * r;
    text.m_text = string;
    text.m_alignment = anchor;
    text.m_point = position;
    CPointD start, end;
    start.Init(position.m_x + p.m_x, position.m_y + p.m_y);
    end.Init(start.m_x + q.m_x, start.m_y + q.m_y);
    text.m_swapped = OrderPoints(start, end);
    text.m_underlineStart = start;
    text.m_underlineEnd = end;
    for (const CPointD& u : {start, end}) {
        blockExtents[0] = std::min(blockExtents[0], u.m_x);
        blockExtents[1] = std::min(blockExtents[1], u.m_y);
        blockExtents[2] = std::max(blockExtents[2], u.m_x);
        blockExtents[3] = std::max(blockExtents[3], u.m_y);
    }
}

void CElemSet::FinishBlock(const double blockExtents[4], int h10, bool topAnchorGrows)
{
    textBlockSize.Init(std::fabs(blockExtents[2] - blockExtents[0]), std::fabs(blockExtents[3] - blockExtents[1]));
    const int anchor = g_pApp->m_appText.m_anchor;
    if (linePitch.m_y < 0) {
        if (IsBottomAnchor(anchor))
            textBlockSize.m_y += h10 * 0.1;
        else if (IsMiddleAnchor(anchor))
            textBlockSize.m_y += h10 * 0.05;
    } else if (topAnchorGrows) {
        if (IsMiddleAnchor(anchor))
            textBlockSize.m_y += h10 * 0.05;
        else if (IsTopAnchor(anchor))
            textBlockSize.m_y += h10 * 0.1;
    }
}

void CElemSet::AddTextLines(const CStringArray& lines)
{
    if (!g_pApp || !g_pApp->GetActiveDrawingDoc())
        return;
    const CAppText& current = g_pApp->m_atrCurrent.m_text;
    const int w10 = current.m_widthTenths;
    const int h10 = current.m_heightTenths;
    const int anchor = g_pApp->m_appText.m_anchor;
    linePitch.Init(0.0, -h10 * 0.1);
    scale = 1.0;
    textsLaidOut = 1;
    CPointD position;
    position.Init(0.0, 0.0);
    double block[4] = {0, 0, 0, 0};
    for (int i = 0; i < lines.GetSize(); ++i) {
        CString line = lines[i];
        ExpandTabs(line);
        CText text;
        PlaceText(text, line, position, w10, h10, anchor, block);
        AddTextCopy(text);
        position.Init(position.m_x + linePitch.m_x, position.m_y + linePitch.m_y);
    }
    FinishBlock(block, h10, false);
}

void CElemSet::LayOutTexts(int repitch)
{
    if (!g_pApp || !g_pApp->GetActiveDrawingDoc())
        return;
    const CAppText& settings = g_pApp->m_appText;
    const int anchor = settings.m_anchor;
    int w10 = settings.m_widthTenths;
    int h10 = settings.m_heightTenths;
    if (repitch == 1)
        linePitch.Init(0.0, linePitch.m_y > 0 ? h10 * 0.1 : -h10 * 0.1);
    CPointD step;
    step.Init(linePitch.m_x * scale, linePitch.m_y * scale);
    w10 = static_cast<int>(w10 * scale);
    h10 = static_cast<int>(h10 * scale);
    CPointD position;
    position.Init(0.0, 0.0);
    double block[4] = {0, 0, 0, 0};
    for (int i = 0; i < texts.GetSize(); ++i) {
        auto* text = static_cast<CText*>(texts[i]);
        if (!text)
            continue;
        const CString string = text->m_text;
        PlaceText(*text, string, position, w10, h10, anchor, block);
        position.Init(position.m_x + step.m_x, position.m_y + step.m_y);
    }
    FinishBlock(block, h10, true);
}
