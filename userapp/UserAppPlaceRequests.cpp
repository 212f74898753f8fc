// Element creation and placing requests: single elements added through the drawing's creation
// log as the running operation, attribute-string entries, and whole sets of transfer records
// placed into a drawing.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
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
#include "geometry/Angles.h"
#include "userapp/UserAppBlock.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Statuses of the adds that failed.
constexpr short kCurveKindNotOne = 20;
constexpr short kRecordNotPlaced = 21;

constexpr int kLastLayer = 32767;

// Layer indices not yet resolved.
constexpr int kUnresolved = -2;

CPointD Point(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// Codes 401-414: one element added to the active drawing as the running operation.
void AddOne(UserAppBlock& block, int slot, int code, CZelkDoc& doc)
{
    CCreationLog& log = *doc.m_creationLog;
    const CPointD a0 = block.m_points1[slot][0];
    const CPointD a1 = block.m_points1[slot][1];
    const double* d = block.m_doubleArgs[slot];
    const int final = code % 2 == 0 ? 1 : 0;
    const int keep = block.m_intArgs[slot][0] == 1 ? 1 : 0;
    std::int16_t b = -1, s = -1;
    std::int16_t kind = 0;
    short failure = 0;
    switch (code) {
    case 401:
    case 402:
        log.AddPoint(a0, 1, b, s, final, keep);
        kind = ELEM_POINT;
        failure = 1;
        break;
    case 403:
    case 404:
        log.AddLine(a0, a1, 1, b, s, final, keep);
        kind = ELEM_LINE;
        failure = 2;
        break;
    case 405:
    case 406:
        log.AddCircle(a0, d[0], 1, b, s, final, keep);
        kind = ELEM_CIRCLE;
        failure = 3;
        break;
    case 407:
    case 408:
        log.AddArc(a0, d[0], a1.m_x, a1.m_y, 1, b, s, final, keep);
        kind = ELEM_ARC;
        failure = 4;
        break;
    case 409:
    case 410:
        log.AddConic(a0, d[0], d[1], a1, d[2], 1, b, s, final, keep);
        kind = ELEM_CONIC;
        failure = 5;
        break;
    default:
        // The text turns by the negated angle the plug-in gives; the command places the
        // current text at the settings' angle.
        g_pApp->m_appText.SetAngle(-d[0]);
        if (CTextCommand* cmd = g_pApp->m_interruptKind == 7 ? doc.m_textCmdInt : doc.m_textCmd)
            cmd->m_angle = -d[0];
        log.AddTextFromCommand(a0, b, s, final, keep);
        kind = ELEM_TEXT;
        failure = 7;
        break;
    }
    if (b < 0) {
        block.m_status[slot] = failure;
        return;
    }
    if (final)
        if (UserAppElemRef* ref = block.m_refTable[slot])
            ref->Init(kind, b, s, 1, 1);
}

// Code 412: a curve through the points of list 14, permanent at once.
void AddCurve(UserAppBlock& block, int slot, CZelkDoc& doc)
{
    if (block.m_intArgs[slot][1] != 1) {
        block.m_status[slot] = kCurveKindNotOne;
        return;
    }
    std::vector<CPointD> points;
    const CPtrArray& list = block.m_pointLists[slot];
    for (int i = 0; i < list.GetSize(); ++i) {
        const auto* p = static_cast<const CPointD*>(list[i]);
        if (!p) {
            block.m_status[slot] = 6;
            return;
        }
        points.push_back(*p);
    }
    std::int16_t b = -1, s = -1;
    CCurves* curves = doc.AddCurveWithCurrentPen(1, points, b, s);
    if (!curves) {
        block.m_status[slot] = 6;
        return;
    }
    doc.m_undoHistory->RecordChange(1, ELEM_CURVE, b, s, 8);
    doc.DrawCurveInViews(DrawModeOfMark(0), 1, curves, s);
    if (UserAppElemRef* ref = block.m_refTable[slot])
        ref->Init(ELEM_CURVE, b, s, 1, 1);
}

// The slot's records placed into one drawing; every list index a record gives is checked.
class Placer {
public:
    Placer(UserAppBlock& block, int slot, CZelkDoc& doc) : m_block(block), m_slot(slot), m_doc(doc) {}

    // False when a record could not be placed.
    bool Place()
    {
        m_block.ClearSlotElemRefs(m_slot);
        PlaceGroups();
        PlaceEach<UserAppPointRecord>(UserAppBlock::kPointList, [&](const UserAppPointRecord& r) {
            const std::int16_t pen = Pen(r.m_pen);
            CDataPoints* b = m_doc.AddPoint(r.m_position, Layer(r.m_layer), pen);
            return b ? Added(ELEM_POINT, m_doc.m_blockMaps[MAP_POINT][pen], b->m_count - 1, b->m_slots[b->m_count - 1], r.m_group) : false;
        });
        PlaceEach<UserAppLineRecord>(UserAppBlock::kLineList, [&](const UserAppLineRecord& r) {
            // The first end first in x, then y.
            const bool swap = r.m_start.m_x > r.m_end.m_x || (r.m_start.m_x == r.m_end.m_x && r.m_start.m_y > r.m_end.m_y);
            std::int16_t b = -1, s = -1;
            if (!m_doc.AddLineWithPen(swap ? r.m_end : r.m_start, swap ? r.m_start : r.m_end, Layer(r.m_layer), Pen(r.m_pen), b, s))
                return false;
            CLine& line = *m_doc.GetLineElem(b, s);
            if (swap)
                line.m_swapped = 1;
            return Added(ELEM_LINE, b, s, line, r.m_group);
        });
        PlaceEach<UserAppCircleRecord>(UserAppBlock::kCircleList, [&](const UserAppCircleRecord& r) {
            std::int16_t b = -1, s = -1;
            if (!m_doc.AddCircleWithPen(r.m_centre, r.m_radius, Layer(r.m_layer), Pen(r.m_pen), b, s))
                return false;
            return Added(ELEM_CIRCLE, b, s, *m_doc.GetCircleElem(b, s), r.m_group);
        });
        PlaceEach<UserAppArcRecord>(UserAppBlock::kArcList, [&](const UserAppArcRecord& r) {
            std::int16_t b = -1, s = -1;
            if (!m_doc.AddArcWithPen(r.m_centre, r.m_radius, Point(r.m_startAngle, r.m_endAngle), Layer(r.m_layer), Pen(r.m_pen), b, s))
                return false;
            return Added(ELEM_ARC, b, s, *m_doc.GetArcElem(b, s), r.m_group);
        });
        PlaceEach<UserAppConicRecord>(UserAppBlock::kConicList, [&](const UserAppConicRecord& r) {
            const std::int16_t pen = Pen(r.m_pen);
            CConics* b = m_doc.AddConic(r.m_centre, r.m_majorRadius, r.m_ratio, Point(r.m_startAngle, r.m_endAngle), r.m_tilt,
                                        Layer(r.m_layer), pen);
            return b ? Added(ELEM_CONIC, m_doc.m_blockMaps[MAP_CONIC][pen], b->m_count - 1, b->m_slots[b->m_count - 1], r.m_group) : false;
        });
        PlaceEach<UserAppCurveRecord>(UserAppBlock::kCurveList, [&](const UserAppCurveRecord& r) {
            std::int16_t b = -1, s = -1;
            if (!m_doc.AddCurveWithPen(r.m_kind, r.m_points, Layer(r.m_layer), Pen(r.m_pen), b, s))
                return false;
            return Added(ELEM_CURVE, b, s, *m_doc.GetCurveElem(b, s), r.m_group);
        });
        PlaceEach<UserAppTextRecord>(UserAppBlock::kTextList, [&](const UserAppTextRecord& r) { return PlaceText(r); });
        m_doc.UpdateAndPaintAllViews();
        return !m_failed;
    }

private:
    CPtrArray& List(int list) { return m_block.m_recordLists[list][m_slot]; }

    // Each layer name of list 2 is looked up, or made, once per request.
    std::int16_t Layer(int i)
    {
        CPtrArray& names = List(UserAppBlock::kLayerNameList);
        if (i < 0 || i >= names.GetSize())
            return m_doc.m_writeLayer;
        if (m_layers.empty())
            m_layers.assign(static_cast<size_t>(names.GetSize()), kUnresolved);
        int& layer = m_layers[static_cast<size_t>(i)];
        if (layer == kUnresolved) {
            const auto* name = static_cast<const CString*>(names[i]);
            // Layer numbers are 16-bit: no new layer past the last number.
            const bool full = name && m_doc.FindLayer(*name) == -1 && m_doc.m_layers.GetSize() > kLastLayer;
            layer = name && !full ? m_doc.GetLayerIndex(*name) : m_doc.m_writeLayer;
        }
        return static_cast<std::int16_t>(layer);
    }
    std::int16_t Pen(int i) { return m_doc.PenIndexFromList(i, List(UserAppBlock::kPenList)); }
    int Group(int i) const
    {
        return i >= 0 && i < static_cast<int>(m_groups.size()) ? m_groups[static_cast<size_t>(i)] : -1;
    }

    // Groups first, so that elements and groups can name them; a group's parent is another new
    // group, never itself. Attribute strings and members are not carried over.
    void PlaceGroups()
    {
        const CPtrArray& list = List(UserAppBlock::kGroupList);
        for (int i = 0; i < list.GetSize(); ++i) {
            const auto* r = static_cast<const UserAppGroupRecord*>(list[i]);
            if (!r || m_doc.m_groups.GetSize() >= CGroup::MaxCount) {
                m_failed = true;
                m_groups.push_back(-1);
                continue;
            }
            UserAppGroupRecord copy = *r;
            copy.m_members.clear();
            copy.m_attrStrings.clear();
            copy.m_parent = -1;
            auto* group = new CGroup;
            group->AssignFromRecord(copy);
            m_groups.push_back(m_doc.m_groups.Add(group));
        }
        for (int i = 0; i < list.GetSize(); ++i) {
            const auto* r = static_cast<const UserAppGroupRecord*>(list[i]);
            if (CGroup* group = m_doc.GetGroup(Group(i)); group && r && r->m_parent != i)
                group->m_parent = static_cast<std::int16_t>(Group(r->m_parent));
        }
    }

    template <class Record, class F>
    void PlaceEach(int list, F&& place)
    {
        const CPtrArray& records = List(list);
        for (int i = 0; i < records.GetSize(); ++i) {
            const auto* r = static_cast<const Record*>(records[i]);
            if (!r || !place(*r))
                m_failed = true;
        }
    }

    template <class E>
    bool Added(std::int16_t kind, int b, int s, E& element, int groupIndex)
    {
        auto* ref = new UserAppElemRef;
        ref->Init(kind, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s), 1, 1);
        m_block.m_refLists[m_slot].Add(ref);
        JoinGroup(kind, b, s, 8, groupIndex, element.m_group);
        return true;
    }

    void JoinGroup(std::int16_t kind, int b, int s, std::uint8_t mark, int groupIndex, std::int16_t& member)
    {
        const int g = Group(groupIndex);
        CGroup* group = m_doc.GetGroup(g);
        if (!group)
            return;
        member = static_cast<std::int16_t>(g);
        CElemRef ref;
        ref.Init(kind, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s), 1, mark);
        group->m_members.push_back(ref);
    }

    bool PlaceText(const UserAppTextRecord& r)
    {
        CString text = r.m_text;
        ExpandTabs(text);
        const std::int16_t font = m_doc.FontIndexFromList(r.m_font, List(UserAppBlock::kFontList));
        const std::int16_t layer = Layer(r.m_layer);
        if (CTextCommand::HasNotationMarkers(text))
            return PlaceCompositeText(r, text, font, layer);
        std::int16_t b = -1, s = -1;
        if (!m_doc.AddTextWithFont(text, r.m_point, layer, font, r.m_alignment, r.m_color, b, s))
            return false;
        CText& t = *m_doc.GetTextElem(b, s);
        t.m_underlineStart = r.m_underlineStart;
        t.m_underlineEnd = r.m_underlineEnd;
        return Added(ELEM_TEXT, b, s, t, r.m_group);
    }

    // Added from its bottom-left corner: the point moves there from the anchor the alignment
    // names. The text settings keep the font's angle afterwards.
    bool PlaceCompositeText(const UserAppTextRecord& r, const CString& text, std::int16_t font, std::int16_t layer)
    {
        CTypeFont* f = m_doc.GetFont(font);
        if (!f)
            return false;
        g_pApp->m_appText.SetAngle(f->m_angle);
        CPointD ll, lr, ul, ur;
        ComputeTextBoxCorners(f->m_logFont, f->m_width, f->m_height, 8, text, f->m_style3,
                              CTextCommand::GetNotationWidthRatio(text, 0), ll, lr, ul, ur);
        const double hw = Distance(ll, lr) * 0.5;
        const double hh = Distance(ll, ul) * 0.5;
        const double theta = -f->m_angle * kPi / 180;
        const CPointD u = Point(hw * std::cos(theta), hw * std::sin(theta));
        const CPointD v = Point(-hh * std::sin(theta), hh * std::cos(theta));
        int nu = 0, nv = 0;
        switch (r.m_alignment) {
        case 32: nv = 1; break;
        case 0: nv = 2; break;
        case 14: nu = 1; break;
        case 38: nu = 1; nv = 1; break;
        case 6: nu = 1; nv = 2; break;
        case 10: nu = 2; break;
        case 34: nu = 2; nv = 1; break;
        case 2: nu = 2; nv = 2; break;
        default: break;
        }
        const CPointD p = Point(r.m_point.m_x - nu * u.m_x - nv * v.m_x, r.m_point.m_y - nu * u.m_y - nv * v.m_y);
        const int g = m_doc.AddCompositeText(text, p, font, layer, 8, r.m_color);
        CGroup* group = m_doc.GetGroup(g);
        if (!group)
            return false;
        group->OrMarkRecursive(&m_doc, 0x81);
        JoinGroup(ELEM_GROUP, g, 0, 0x81, r.m_group, group->m_parent);
        return true;
    }

    UserAppBlock& m_block;
    int m_slot;
    CZelkDoc& m_doc;
    std::vector<int> m_layers;
    std::vector<int> m_groups;   // the new group of each group record, -1 when none was made
    bool m_failed = false;
};

// Code 400: attribute-string entries, applied in order.
void ApplyAttributeEntries(UserAppBlock& block, int slot, CZelkDoc& doc)
{
    const CStringArray& entries = block.m_textLists[slot];
    for (int i = 0; i < entries.GetSize(); ++i) {
        CString entry = entries[i];
        int index = 0, mode = 0;
        doc.FindOrAddAttributeString(entry, index, mode);
    }
}

} // namespace

bool PlaceUserAppRecords(UserAppBlock& block, int slot, CZelkDoc& doc)
{
    return Placer(block, slot, doc).Place();
}

// The slot's records in a new drawing without a window, offered for copying into the user's
// drawing. One such drawing is pending at a time, held where a symbol's loaded data is held and
// released with it.
void PlaceIntoNewDrawing(UserAppBlock& block, int slot)
{
    CZelkApp* app = g_pApp;
    if (app->m_symbolDoc)
        return;
    app->ResetSelectionState();
    app->ClearOtherSelections(nullptr);
    auto* pending = new CZelkDoc;
    pending->m_bAutoDelete = FALSE;
    pending->m_docNumber = 0;
    --app->m_nextDocNumber;
    app->m_symbolDoc = pending;
    if (!PlaceUserAppRecords(block, slot, *pending))
        block.m_status[slot] = kRecordNotPlaced;
    const CPointD base = block.m_points1[slot][0];
    pending->SetBasePoint(base, pending->WorldToRelative(base));
    if (!pending->StartCopyOfLoadedData(2))
        app->DeleteSymbolDoc();
}

bool ServePlaceRequest(UserAppBlock& block, int slot, int code)
{
    if (code < 400 || code > 441 || (code > 414 && code < 440))
        return false;
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    if (!doc) {
        block.m_status[slot] = kUserAppNoActiveDrawing;
        return true;
    }
    if (code == 400)
        ApplyAttributeEntries(block, slot, *doc);
    else if (code == 411)
        return true;
    else if (code == 412)
        AddCurve(block, slot, *doc);
    else if (code == 441)
        PlaceIntoNewDrawing(block, slot);
    else if (code == 440) {
        if (!PlaceUserAppRecords(block, slot, *doc))
            block.m_status[slot] = kRecordNotPlaced;
    } else
        AddOne(block, slot, code, *doc);
    return true;
}
