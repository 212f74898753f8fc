// Dimensions, leaders, balloons and texts with notation, each built as one group of ordinary
// elements whose members carry their role; every new element is recorded for one undo step.
#include <cmath>

#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

CPointD P(double x, double y)
{
    CPointD r;
    r.Init(x, y);
    return r;
}
CPointD Plus(CPointD a, CPointD b) { return P(a.m_x + b.m_x, a.m_y + b.m_y); }
CPointD Minus(CPointD a, CPointD b) { return P(a.m_x - b.m_x, a.m_y - b.m_y); }
CPointD Times(CPointD a, double k) { return P(a.m_x * k, a.m_y * k); }
// A tip turned half a turn about the end it belongs to: the arrow then points the other way.
CPointD Turned(CPointD tip, CPointD end) { return P(2 * end.m_x - tip.m_x, 2 * end.m_y - tip.m_y); }

CPointD UnitVector(CPointD from, CPointD to)
{
    const double a = PointsAngleRad(from, to);
    return P(std::cos(a), std::sin(a));
}

// Appends a new group of the kind and records it; -1, with nothing added, when the drawing
// holds as many groups as group numbers can name.
int NewGroup(CZelkDoc* doc, int kind, CGroup*& g)
{
    g = nullptr;
    if (!doc->CheckGroupLimit())
        return -1;
    g = new CGroup;
    const int index = doc->m_groups.Add(g);
    doc->m_undoHistory->RecordChange(1, ELEM_GROUP, index, 0, 8);
    g->m_kind = static_cast<std::int16_t>(kind);
    return index;
}

// Gives an element just added its role, mark and group, records it and enters it in the group.
template <class E>
void Enter(CZelkDoc* doc, E& e, int kind, int block, int slot, int role, std::uint8_t mark,
           std::uint8_t entryMark, int g, CGroup* group)
{
    e.m_role = static_cast<std::int16_t>(role);
    e.m_mark = mark;
    e.m_group = static_cast<std::int16_t>(g);
    doc->m_undoHistory->RecordChange(1, kind, block, slot, 8);
    CElemRef r;
    r.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
           static_cast<std::int16_t>(slot), 1, entryMark);
    group->m_members.push_back(r);
}

void LineMember(CZelkDoc* doc, CPointD from, CPointD to, int role, std::uint8_t mark,
                std::uint8_t entryMark, int g, CGroup* group)
{
    std::int16_t block = -1, slot = -1;
    if (CLines* b = doc->AddLineWithCurrentPen(from, to, block, slot))
        Enter(doc, b->m_slots[slot], ELEM_LINE, block, slot, role, mark, entryMark, g, group);
}

// The value text of a dimension or leader; returns the text element (none when refused).
CText* TextMember(CZelkDoc* doc, const CString& text, CPointD position, double angle,
                  const LOGFONT& font, std::int32_t width, std::int32_t height, int alignment,
                  COLORREF color, std::uint8_t mark, std::uint8_t entryMark, int g, CGroup* group)
{
    std::int16_t block = -1, slot = -1;
    CTexts* b = doc->AddTextWithFontSpec(text, position, angle, font, width, height, alignment,
                                         color, block, slot);
    if (!b)
        return nullptr;
    Enter(doc, b->m_slots[slot], ELEM_TEXT, block, slot, 16, mark, entryMark, g, group);
    return &b->m_slots[slot];
}

// Half the underline of a text: the vector from its middle to its far end.
CPointD HalfUnderline(const CText* t)
{
    if (!t)
        return P(0, 0);
    return Times(Minus(t->m_underlineEnd, t->m_underlineStart), 0.5);
}

void ArrowEnd(CZelkDoc* doc, CPointD end, CPointD tip1, CPointD tip2, int role, int g,
              CGroup* group)
{
    if (g_pApp->m_appElem.m_dotEnds) {
        doc->AddDimensionDot(end, g, group);
    } else {
        doc->AddArrowLine(end, tip1, role, g, group);
        doc->AddArrowLine(end, tip2, role, g, group);
    }
}

// The arrowhead at the first vertex of a leader or balloon.
void LeaderHead(CZelkDoc* doc, const std::vector<CPointD>& v, int g, CGroup* group)
{
    // A leader taken from a free point has nothing to point at: a dot marks it.
    if (doc->m_dimCmd && doc->m_dimCmd->m_firstPointCategory == 5) {
        doc->AddDimensionDot(v[0], g, group);
        return;
    }
    double d = PointsAngleDeg(v[0], v[1]);
    CPointD w1, w2;
    ArrowWingPointsAtEnd(v[0], d, w1, w2, 1);
    doc->AddArrowLine(v[0], w1, 2, g, group);
    doc->AddArrowLine(v[0], w2, 2, g, group);
}

// A text holding notation markers, placed through the creation log as a notation group and
// entered in the annotation as its value (kind 9). Returns the half underline vector, or
// false when the group could not be made.
bool NotationMember(CZelkDoc* doc, const CString& text, CPointD position, double angle,
                    int alignment, const std::int32_t* size, int g, CGroup* group, CPointD& half)
{
    CAppText& settings = g_pApp->m_appText;
    settings.SaveAttributes();
    settings.SetAnchor(alignment);
    if (size)
        settings.SetSizeTenths(size[0], size[1]);
    if (CTextCommand* t = g_pApp->m_interruptKind == 7 ? doc->m_textCmdInt : doc->m_textCmd)
        t->ComputeBoxForString(text);
    if (doc->m_dimCmd)
        doc->m_dimCmd->UpdateValueTextBox(text);
    std::int16_t block = -1, slot = -1;
    const int ok = doc->m_creationLog->AddMarkupTextGroup(text, angle, position, block, slot);
    const CPointD* box = doc->m_dimCmd ? doc->m_dimCmd->m_valueBox : nullptr;
    settings.RestoreAttributes();
    if (!ok)
        return false;
    CGroup* sub = doc->GetGroup(block);
    sub->m_kind = CGroup::KIND_COMPOSITE;
    sub->m_mark = 128;
    sub->m_parent = static_cast<std::int16_t>(g);
    doc->m_undoHistory->RecordChange(1, ELEM_GROUP, block, 0, 8);
    CElemRef r;
    r.Init(ELEM_GROUP, block, 0, 1, 0);
    group->m_members.push_back(r);
    half = P(0, 0);
    if (box) {
        const double w = Distance(box[0], box[1]) * 0.5;
        const double th = -angle * kPi / 180;
        half = P(w * std::cos(th), w * std::sin(th));
    }
    return true;
}

// The start shared by the diameter and radius dimensions: refuse coinciding ends, make the group
// with its definition points, and place the value text first, since the line ends depend on it.
struct ValueFirst {
    CGroup* group = nullptr;
    CPointD position;
    CPointD half;
};

int StartWithValue(CZelkDoc* doc, int kind, CPointD p, CPointD q, const CString& text,
                   CPointD position, double angle, const LOGFONT& font, std::int32_t width,
                   std::int32_t height, int alignment, COLORREF color, ValueFirst& v)
{
    if (PointsNearlyEqual(p, q))
        return -2;
    const int g = NewGroup(doc, kind, v.group);
    if (g == -1)
        return -1;
    v.group->m_defPoint1 = p;
    v.group->m_defPoint2 = q;
    const CText* t = TextMember(doc, text, position, angle, font, width, height, alignment, color,
                                128, 0, g, v.group);
    v.position = t ? t->m_point : position;
    v.half = HalfUnderline(t);
    return g;
}

}  // namespace

CTexts* CZelkDoc::AddTextWithFontSpec(const CString& text, CPointD position, double angle,
                                      const LOGFONT& font, std::int32_t width,
                                      std::int32_t height, int alignment, COLORREF color,
                                      std::int16_t& block, std::int16_t& slot)
{
    const std::int16_t f = FindOrAddFont(font, width, height, 1, -angle);
    if (f < 0)
        return nullptr;
    return AddTextWithFont(text, position, m_writeLayer, f, alignment, color, block, slot);
}

void CZelkDoc::AddDimensionDot(CPointD centre, int groupIndex, CGroup* group)
{
    CAppElem& elem = g_pApp->m_appElem;
    const double radius = elem.m_dotSize * 0.5;
    const short width = elem.m_lineWidth;
    const int lineType = elem.m_lineType;
    elem.m_lineWidth = static_cast<short>(radius * 20);
    elem.m_lineType = 0;
    std::int16_t block = -1, slot = -1;
    CCircles* b = AddCircleWithCurrentPen(centre, radius, block, slot);
    elem.m_lineWidth = width;
    elem.m_lineType = lineType;
    if (b)
        Enter(this, b->m_slots[slot], ELEM_CIRCLE, block, slot, 2, 129, 1, groupIndex, group);
}

void CZelkDoc::AddArrowLine(CPointD from, CPointD to, int role, int groupIndex, CGroup* group)
{
    LineMember(this, from, to, role, 129, 1, groupIndex, group);
}

int CZelkDoc::BuildNotationTextGroup(const CString& text, CPointD position, double angle,
                                     const LOGFONT& font, std::int32_t width, std::int32_t height,
                                     int alignment, COLORREF color)
{
    const CAppText& settings = g_pApp->m_appText;
    CTextCommand* cmd = g_pApp->m_interruptKind == 7 ? m_textCmdInt : m_textCmd;
    CStringArray pieces;
    CWordArray kinds;
    if (cmd)
        cmd->SplitNotation(text, &pieces, &kinds, 0, 1);
    const double r2 = settings.m_layoutRatio2, r3 = settings.m_layoutRatio3;
    LOGFONT font1 = font, font2 = font;
    font1.lfHeight = static_cast<LONG>(font.lfHeight * r2);
    font1.lfWidth = static_cast<LONG>(font.lfWidth * r2);
    font2.lfHeight = static_cast<LONG>(font.lfHeight * r3);
    font2.lfWidth = static_cast<LONG>(font.lfWidth * r3);
    const std::int32_t w1 = static_cast<std::int32_t>(width * r2);
    const std::int32_t h1 = static_cast<std::int32_t>(height * r2);
    const std::int32_t w2 = static_cast<std::int32_t>(width * r3);
    const std::int32_t h2 = static_cast<std::int32_t>(height * r3);
    if (pieces.GetSize() == 0)
        return -1;
    CGroup* group = nullptr;
    const int g = NewGroup(this, CGroup::KIND_NOTATION, group);
    if (g == -1)
        return -1;

    const double theta = -angle * kPi / 180;
    const CPointD u = P(std::cos(theta), std::sin(theta));
    const CPointD n = P(-std::sin(theta), std::cos(theta));
    double along = 0;
    switch (alignment) {
    case 0: case 8: case 32: along = 0; break;
    case 6: case 14: case 38: along = 0.05; break;
    default: along = 0.1; break;
    }
    double advance = 0;
    CString lastUpper, lastBase;
    const int count = pieces.GetSize() < kinds.GetSize() ? pieces.GetSize() : kinds.GetSize();
    for (int i = 0; i < count; ++i) {
        const CString& s = pieces[i];
        const int k = kinds[i];
        const int len = s.GetLength();
        CPointD o = Times(u, advance * width * 0.1);
        const LOGFONT* f = &font;
        std::int32_t pw = width, ph = height;
        switch (k) {
        case 1:
            f = &font1; pw = w1; ph = h1;
            o = Plus(o, Times(u, len * r2 * width * along));
            o = Plus(o, Times(n, height * settings.m_layoutRatio4 * 0.1));
            break;
        case 2:
            f = &font1; pw = w1; ph = h1;
            o = Plus(o, Times(u, len * r2 * width * along));
            o = Plus(o, Times(n, height * settings.m_layoutRatio5 * 0.1));
            break;
        case 8:
            f = &font2; pw = w2; ph = h2;
            o = Plus(o, Times(n, height * settings.m_layoutRatio6 * 0.1));
            break;
        default:
            if (i > 0)
                o = Plus(o, Times(u, len * width * along));
            break;
        }
        std::int16_t block = -1, slot = -1;
        if (CTexts* b = AddTextWithFontSpec(s, Plus(position, o), angle, *f, pw, ph, alignment,
                                            color, block, slot)) {
            CText& t = b->m_slots[slot];
            m_undoHistory->RecordChange(1, ELEM_TEXT, block, slot, 8);
            t.m_role = static_cast<std::int16_t>(k);
            t.m_group = static_cast<std::int16_t>(g);
            CElemRef r;
            r.Init(ELEM_TEXT, block, slot, 1, 0);
            group->m_members.push_back(r);
        }
        switch (k) {
        case 1: lastUpper = s; break;
        case 2: advance += (lastUpper.GetLength() > len ? lastUpper.GetLength() : len) * r2; break;
        case 4: lastBase = s; break;
        case 8: advance += lastBase.GetLength(); break;
        default:
            if (i == 0) {
                if (alignment == 0 || alignment == 8 || alignment == 32)
                    advance += len;
                else if (alignment == 6 || alignment == 14 || alignment == 38)
                    advance += len * 0.5;
            } else {
                advance += len;
            }
            break;
        }
    }
    return g;
}

int CZelkDoc::AddLinearDimensionGroup(CPointD ext1From, CPointD ext1To, CPointD ext2From,
                                      CPointD ext2To, CPointD a, CPointD b, CPointD tipA1,
                                      CPointD tipA2, CPointD tipB1, CPointD tipB2, double angle,
                                      const LOGFONT& font, std::int32_t width, std::int32_t height,
                                      int alignment, COLORREF color)
{
    if (PointsNearlyEqual(a, b))
        return -2;
    CGroup* group = nullptr;
    const int g = NewGroup(this, CGroup::KIND_LINEAR, group);
    if (g == -1)
        return -1;
    group->m_defPoint1 = a;
    group->m_defPoint2 = b;
    LineMember(this, a, b, 1, 129, 1, g, group);

    // The scale divides before the rounding, so that the value shows the decimals asked for.
    const CAppElem& elem = g_pApp->m_appElem;
    const double value = RoundToDecimals(Distance(a, b) / m_ratio, elem.m_dimDecimals);
    const CPointD mid = P((a.m_x + b.m_x) / 2, (a.m_y + b.m_y) / 2);
    TextMember(this, DoubleToString(value), mid, angle, font, width, height, alignment, color,
               129, 1, g, group);

    ArrowEnd(this, a, tipA1, tipA2, 2, g, group);
    ArrowEnd(this, b, tipB1, tipB2, 4, g, group);

    // Each extension line leaves its measured point along its own direction: the two measured
    // points may lie on either side of the dimension line.
    const CPointD from[2] = {ext1From, ext2From};
    const CPointD to[2] = {ext1To, ext2To};
    for (int i = 0; i < 2; ++i) {
        if (PointsNearlyEqual(from[i], to[i]))
            continue;   // the measured point lies on the dimension line
        const CPointD start = Plus(from[i], Times(UnitVector(from[i], to[i]), elem.m_extGap));
        if (PointsNearlyEqual(start, to[i]))
            continue;
        LineMember(this, start, to[i], 8, 129, 1, g, group);
    }
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddChamferDimensionGroup(CPointD p, CPointD q, const CString& text, CPointD position,
                                       double angle, const LOGFONT& font, std::int32_t width,
                                       std::int32_t height, int alignment, COLORREF color,
                                       CPointD tip1, CPointD tip2)
{
    if (PointsNearlyEqual(p, q))
        return -2;
    CGroup* group = nullptr;
    const int g = NewGroup(this, CGroup::KIND_CHAMFER, group);
    if (g == -1)
        return -1;
    group->m_defPoint1 = p;
    const CText* t = TextMember(this, text, position, angle, font, width, height, alignment,
                                color, 128, 0, g, group);
    const CPointD h = HalfUnderline(t);
    q = PointGreater(p, q) ? Minus(q, h) : Plus(q, h);
    LineMember(this, p, q, 1, 128, 0, g, group);
    ArrowEnd(this, p, tip1, tip2, 2, g, group);
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddDiameterDimensionGroup(CPointD p, CPointD q, CPointD tipP1, CPointD tipP2,
                                        CPointD tipQ1, CPointD tipQ2, const CString& text,
                                        CPointD position, double angle, const LOGFONT& font,
                                        std::int32_t width, std::int32_t height, int alignment,
                                        COLORREF color)
{
    ValueFirst v;
    const int g = StartWithValue(this, CGroup::KIND_DIAMETER, p, q, text, position, angle, font,
                                 width, height, alignment, color, v);
    if (g < 0)
        return g;
    CGroup* group = v.group;
    const CPointD tp = v.position, h = v.half;
    const CPointD u = UnitVector(p, q);
    const double gap = g_pApp->m_appElem.m_dimExtension;
    CPointD from = p, to = q;
    const int cls = CLine(p, q).SnapClassOfPoint(tp);
    if (cls == 1 || cls == 7) {
        if (cls == 1) {
            from = Minus(tp, h);
            to = Plus(q, Times(u, gap));
        } else {
            from = Minus(p, Times(u, gap));
            to = Plus(tp, h);
        }
        tipP1 = Turned(tipP1, p);
        tipP2 = Turned(tipP2, p);
        tipQ1 = Turned(tipQ1, q);
        tipQ2 = Turned(tipQ2, q);
    }
    LineMember(this, from, to, 1, 128, 0, g, group);
    ArrowEnd(this, p, tipP1, tipP2, 2, g, group);
    ArrowEnd(this, q, tipQ1, tipQ2, 4, g, group);
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddRadiusDimensionGroup(CPointD p, CPointD q, CPointD tipQ1, CPointD tipQ2,
                                      const CString& text, CPointD position, double angle,
                                      const LOGFONT& font, std::int32_t width, std::int32_t height,
                                      int alignment, COLORREF color)
{
    ValueFirst v;
    const int g = StartWithValue(this, CGroup::KIND_RADIUS, p, q, text, position, angle, font,
                                 width, height, alignment, color, v);
    if (g < 0)
        return g;
    CGroup* group = v.group;
    const CPointD tp = v.position, h = v.half;
    CPointD op = p, oq = q;
    const int exchanged = OrderPoints(op, oq);
    const double s = exchanged ? -1 : 1;
    const int cls = CLine(op, oq).SnapClassOfPoint(tp);
    const bool beyondP = exchanged ? cls == 7 : cls == 1;
    const bool beyondQ = exchanged ? cls == 1 : cls == 7;
    CPointD from = p, to = q;
    if (beyondP) {
        from = Plus(tp, Times(h, s));
    } else if (beyondQ) {
        to = Plus(tp, Times(h, s));
        tipQ1 = Turned(tipQ1, q);
        tipQ2 = Turned(tipQ2, q);
    }
    LineMember(this, from, to, 1, 128, 0, g, group);
    ArrowEnd(this, q, tipQ1, tipQ2, 4, g, group);
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddAngularDimensionGroup(CPointD centre, double radius, double start, double end,
                                       CPointD measured1, CPointD ext1, CPointD measured2,
                                       CPointD ext2, const CPointD tips[4], const CString& text,
                                       CPointD position, double angle, const LOGFONT& font,
                                       std::int32_t width, std::int32_t height, int alignment,
                                       COLORREF color)
{
    if (NearlyEqual(start, end))
        return -2;
    CGroup* group = nullptr;
    const int g = NewGroup(this, CGroup::KIND_ANGLE, group);
    if (g == -1)
        return -1;
    const CText* t = TextMember(this, text, position, angle, font, width, height, alignment,
                                color, 128, 0, g, group);
    const CPointD tp = t ? t->m_point : position;
    CPointD tip[4] = {tips[0], tips[1], tips[2], tips[3]};
    CArc arc(centre, radius, P(start, end));
    group->m_defPoint1 = Plus(centre, P(radius * std::cos(start * kPi / 180),
                                        radius * std::sin(start * kPi / 180)));
    group->m_defPoint2 = Plus(centre, P(radius * std::cos(end * kPi / 180),
                                        radius * std::sin(end * kPi / 180)));
    const int cls = arc.SnapClassOfPoint(tp);
    if (cls == 1 || cls == 7) {
        const double alpha = PointsAngleDeg(centre, tp);
        const double toDeg = 180 / kPi / radius;
        const double d = (t ? Distance(t->m_underlineStart, t->m_underlineEnd) * 0.5 : 0) * toDeg;
        const double gap = g_pApp->m_appElem.m_dimExtension * toDeg;
        if (cls == 1) {
            start = alpha - d;
            end += gap;
        } else {
            end = alpha + d;
            start -= gap;
        }
        NormalizeArcAnglesDeg(start, end);
        tip[0] = Turned(tip[0], ext1);
        tip[1] = Turned(tip[1], ext1);
        tip[2] = Turned(tip[2], ext2);
        tip[3] = Turned(tip[3], ext2);
    }
    std::int16_t block = -1, slot = -1;
    if (CArcs* b = AddArcWithCurrentPen(centre, radius, P(start, end), block, slot))
        Enter(this, b->m_slots[slot], ELEM_ARC, block, slot, 1, 128, 0, g, group);
    ArrowEnd(this, ext1, tip[0], tip[1], 2, g, group);
    ArrowEnd(this, ext2, tip[2], tip[3], 4, g, group);
    if (Distance(centre, measured1) < radius && Distance(centre, measured2) < radius) {
        const CAppElem& elem = g_pApp->m_appElem;
        const CPointD m[2] = {measured1, measured2};
        const CPointD e[2] = {ext1, ext2};
        for (int i = 0; i < 2; ++i) {
            const CPointD u = UnitVector(centre, m[i]);
            CPointD s = Plus(m[i], Times(u, elem.m_extGap));
            CPointD f = Plus(e[i], Times(u, elem.m_extOvershoot));
            OrderPoints(s, f);
            LineMember(this, s, f, 8, 128, 0, g, group);
        }
    }
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddLeaderGroup(const std::vector<CPointD>& vertices, const CString& text,
                             CPointD position, double angle, const LOGFONT& font,
                             std::int32_t width, std::int32_t height, int alignment,
                             COLORREF color)
{
    if (vertices.size() < 2)
        return -1;
    CGroup* group = nullptr;
    const int g = NewGroup(this, CGroup::KIND_LEADER, group);
    if (g == -1)
        return -1;
    group->m_defPoint1 = vertices.front();
    group->m_defPoint2 = vertices.back();
    CPointD h, tp = position;
    if (CTextCommand::HasNotationMarkers(text)) {
        if (!NotationMember(this, text, position, angle, alignment, nullptr, g, group, h))
            return -1;
    } else {
        const CText* t = TextMember(this, text, position, angle, font, width, height, alignment,
                                    color, 128, 0, g, group);
        h = HalfUnderline(t);
        if (t)
            tp = t->m_point;
    }
    CPointD v = vertices.back();
    if (PointsNearlyEqual(tp, v))
        v = Minus(v, h);
    const bool after = NearlyEqual(tp.m_x, v.m_x) ? tp.m_y >= v.m_y : tp.m_x > v.m_x;
    LineMember(this, v, after ? Plus(tp, h) : Minus(tp, h), 16, 128, 0, g, group);
    for (size_t i = vertices.size() - 1; i > 0; --i)
        LineMember(this, vertices[i - 1], vertices[i], 32, 128, 0, g, group);
    LeaderHead(this, vertices, g, group);
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddBalloonGroup(const std::vector<CPointD>& vertices, double radius,
                              const CString& text, CPointD, double, const LOGFONT& font,
                              std::int32_t width, std::int32_t height, int alignment,
                              COLORREF color)
{
    if (vertices.size() < 2)
        return -1;
    CGroup* group = nullptr;
    const int g = NewGroup(this, CGroup::KIND_BALLOON, group);
    if (g == -1)
        return -1;
    const CPointD centre = vertices.back();
    group->m_defPoint1 = vertices.front();
    group->m_defPoint2 = centre;
    std::int32_t size[2] = {width, height};
    if (m_dimCmd) {
        m_dimCmd->UpdateValueTextBox(text);
        const double length = Distance(m_dimCmd->m_valueBox[0], m_dimCmd->m_valueBox[1]);
        const double room = g_pApp->m_appElem.m_balloonTextRatio * 2 * radius;
        if (length > room) {
            size[0] = static_cast<std::int32_t>(width * room / length);
            size[1] = static_cast<std::int32_t>(height * room / length);
        }
    }
    if (CTextCommand::HasNotationMarkers(text)) {
        CPointD h;
        NotationMember(this, text, centre, 0, alignment, size, g, group, h);
    } else {
        TextMember(this, text, centre, 0, font, size[0], size[1], alignment, color, 128, 0, g,
                   group);
    }
    std::int16_t block = -1, slot = -1;
    if (CCircles* b = AddCircleWithCurrentPen(centre, radius, block, slot))
        Enter(this, b->m_slots[slot], ELEM_CIRCLE, block, slot, 1, 128, 0, g, group);
    for (size_t i = vertices.size() - 1; i > 0; --i) {
        CPointD to = vertices[i];
        if (i == vertices.size() - 1)
            to = Plus(centre, Times(UnitVector(centre, vertices[i - 1]), radius));
        LineMember(this, vertices[i - 1], to, 32, 128, 0, g, group);
    }
    LeaderHead(this, vertices, g, group);
    return static_cast<std::int16_t>(g);
}

int CZelkDoc::AddCompositeText(const CString& text, CPointD position, std::int16_t font, std::int16_t layer,
                               int alignment, COLORREF color)
{
    CTypeFont* f = GetFont(font);
    if (!f)
        return -1;
    const int group = BuildNotationTextGroup(text, position, f->m_angle, f->m_logFont, f->m_width, f->m_height,
                                             alignment, color);
    // The parts go to the write layer as they are made; the composite text is the layer's.
    if (CGroup* g = GetGroup(group))
        for (const CElemRef& m : g->m_members) {
            if (CText* t = GetTextElem(m.m_block, m.m_slot); t && m.m_kind == ELEM_TEXT)
                t->m_layer = layer;
            else if (CLine* l = GetLineElem(m.m_block, m.m_slot); l && m.m_kind == ELEM_LINE)
                l->m_layer = layer;
        }
    return group;
}
