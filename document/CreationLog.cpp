// The log of the elements created by the running operation of a drawing: the adds commands use,
// the snapshot taken before the first of them, and the exact rollback to that snapshot.
#include "document/CreationLog.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"

namespace {

// A drawing of the drawing-experience library is a teaching copy: adding to it never asks to
// be saved.
const char* const kExperienceLibrary = "作図体験ライブラリ";

constexpr double kPi = 3.14159265358979323846;

CTextCommand* ActiveTextCommand(CZelkDoc* doc)
{
    return g_pApp->m_interruptKind == 7 ? doc->m_textCmdInt : doc->m_textCmd;
}

CPointD Plus(CPointD a, CPointD b)
{
    CPointD r;
    r.Init(a.m_x + b.m_x, a.m_y + b.m_y);
    return r;
}

CPointD Minus(CPointD a, CPointD b)
{
    CPointD r;
    r.Init(a.m_x - b.m_x, a.m_y - b.m_y);
    return r;
}

CPointD Times(CPointD a, double k)
{
    CPointD r;
    r.Init(a.m_x * k, a.m_y * k);
    return r;
}

// A dropped slot goes back to what a never-used slot holds, so that a later add into it
// inherits no state, mark, group, role or attribute list of the removed element.
template <class Block>
void DropFromBlock(CObArray& blocks, int block, int slot)
{
    if (block < 0 || block >= blocks.GetSize())
        return;
    Block* b = static_cast<Block*>(blocks[block]);
    const int keep = slot > 0 ? slot : 0;
    for (int i = keep; i < b->m_count; ++i)
        b->m_slots[i].Reset();
    if (keep < b->m_count)
        b->m_count = static_cast<std::int16_t>(keep);
    // A block is removed only when it is the last of its array: removing an earlier one would
    // renumber the blocks after it, which element references name by index.
    if (slot == 0 && block == blocks.GetSize() - 1) {
        delete b;
        blocks.RemoveAt(block);
    }
}

void DropElement(CZelkDoc* doc, int kind, int block, int slot)
{
    // A slot emptied here may be filled again with another element before the next walk.
    doc->m_blockExtents.Invalidate();
    switch (kind) {
    case ELEM_POINT: DropFromBlock<CDataPoints>(doc->m_pointBlocks, block, slot); break;
    case ELEM_LINE: DropFromBlock<CLines>(doc->m_lineBlocks, block, slot); break;
    case ELEM_CIRCLE: DropFromBlock<CCircles>(doc->m_circleBlocks, block, slot); break;
    case ELEM_ARC: DropFromBlock<CArcs>(doc->m_arcBlocks, block, slot); break;
    case ELEM_TEXT: DropFromBlock<CTexts>(doc->m_textBlocks, block, slot); break;
    case ELEM_CONIC: DropFromBlock<CConics>(doc->m_conicBlocks, block, slot); break;
    case ELEM_CURVE: DropFromBlock<CCurves>(doc->m_curveBlocks, block, slot); break;
    default: break;
    }
}

void DropGroup(CZelkDoc* doc, int index, int depth)
{
    CGroup* g = doc->GetGroup(index);
    if (!g)
        return;
    for (auto it = g->m_members.rbegin(); it != g->m_members.rend(); ++it) {
        if (it->m_kind == ELEM_GROUP) {
            if (depth < CGroup::MaxDepth && it->m_block > index)
                DropGroup(doc, it->m_block, depth + 1);
        } else {
            DropElement(doc, it->m_kind, it->m_block, it->m_slot);
        }
    }
    if (index == doc->m_groups.GetSize() - 1) {
        delete g;
        doc->m_groups.RemoveAt(index);
    } else {
        // Not the last group: keep the numbering of the later ones and leave an empty, deleted
        // group behind.
        g->m_members.clear();
        g->m_state = 0x88;
    }
}

// The state byte a recorded deletion saved comes back with the redraw bit toggled in.
void RestoreDeleted(CZelkDoc* doc, const CElemRef& e)
{
    if (e.m_kind == ELEM_OBJECT)
        return;
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    if (GetStateAndMark(doc, e.m_kind, e.m_block, e.m_slot, state, mark))
        *state = static_cast<std::uint8_t>(e.m_state + 128);
}

void DrawElement(CZelkDoc* doc, int drawMode, int kind, int block, int slot)
{
    switch (kind) {
    case ELEM_POINT:
        if (CDataPoints* b = doc->PointBlockAt(block))
            doc->DrawPointInViews(drawMode, 1, b, slot);
        break;
    case ELEM_LINE:
        if (CLines* b = doc->LineBlockAt(block))
            doc->DrawLineInViews(drawMode, 1, b, slot);
        break;
    case ELEM_CIRCLE:
        if (CCircles* b = doc->CircleBlockAt(block))
            doc->DrawCircleInViews(drawMode, 1, b, slot);
        break;
    case ELEM_ARC:
        if (CArcs* b = doc->ArcBlockAt(block))
            doc->DrawArcInViews(drawMode, 1, b, slot);
        break;
    case ELEM_TEXT:
        if (CTexts* b = doc->TextBlockAt(block))
            doc->DrawTextInViews(drawMode, 1, b, slot);
        break;
    case ELEM_CONIC:
        if (CConics* b = doc->ConicBlockAt(block))
            doc->DrawConicInViews(drawMode, 1, b, slot);
        break;
    case ELEM_CURVE:
        if (CCurves* b = doc->CurveBlockAt(block))
            doc->DrawCurveInViews(drawMode, 1, b, slot);
        break;
    default:
        break;
    }
}

// Dimension angles: nearly 0 becomes 0, a negative one gets a turn added.
double NormaliseAngle(double a)
{
    if (NearlyEqual(a, 0))
        return 0;
    return a < 0 ? a + 360 : a;
}

// The direction the arrows of a dimension are computed along.
double FoldArrowDirection(double a)
{
    if (NearlyEqual(a, 90) || NearlyEqual(a, 270))
        return 90;
    if (a > 90 && a < 270)
        return a - 180;
    return a;
}

}  // namespace

int DrawModeOfMark(int markType)
{
    if (markType == 2)
        return 3;
    if (markType == 4)
        return 4;
    return 1;
}

CCreationLog::CCreationLog(CZelkDoc* doc, int penCount, int fontCount)
    : m_doc(doc), m_logged(0), m_penCount(penCount), m_fontCount(fontCount), m_stepCount(0),
      m_final(0), m_noDraw(0)
{
}

// ---- the common protocol ----------------------------------------------------------------

void CCreationLog::BeginAdd(int keep)
{
    if (keep == 0 || !m_logged) {
        if (m_logged) {
            EraseLogged();
            Rollback();
        } else {
            Snapshot();
        }
    }
}

void CCreationLog::Log(int kind, int block, int slot, int mark)
{
    auto e = std::make_unique<CElemRef>();
    e->Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
            static_cast<std::int16_t>(slot), 1, static_cast<std::uint8_t>(mark));
    m_log.push_back(std::move(e));
}

void CCreationLog::MarkModified()
{
    if (m_doc->m_path.Find(kExperienceLibrary) < 0)
        m_doc->SetModifiedFlag(TRUE);
}

void CCreationLog::AfterAdd(int final)
{
    m_logged = 1;
    m_final = final;
}

// ---- single elements --------------------------------------------------------------------

void CCreationLog::AddPoint(CPointD point, int markType, std::int16_t& block, std::int16_t& slot,
                            int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    CDataPoints* b = m_doc->AddPointWithCurrentPen(point, block, slot);
    if (!b)
        return;
    b->m_slots[slot].m_mark = static_cast<std::uint8_t>(markType + 128);
    m_doc->m_undoHistory->RecordChange(1, ELEM_POINT, block, slot, 8);
    MarkModified();
    if (!m_noDraw)
        m_doc->DrawPointInViews(DrawModeOfMark(markType), 1, b, b->m_count - 1);
    Log(ELEM_POINT, block, slot, markType);
    AfterAdd(final);
}

int CCreationLog::AddLine(CPointD start, CPointD end, int markType, std::int16_t& block,
                          std::int16_t& slot, int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    CLines* b = m_doc->AddLineWithCurrentPen(start, end, block, slot);
    if (!b)
        return 0;
    b->m_slots[slot].m_mark = static_cast<std::uint8_t>(markType + 128);
    m_doc->m_undoHistory->RecordChange(1, ELEM_LINE, block, slot, 8);
    MarkModified();
    if (!m_noDraw)
        m_doc->DrawLineInViews(DrawModeOfMark(markType), 1, b, b->m_count - 1);
    Log(ELEM_LINE, block, slot, markType);
    AfterAdd(final);
    return 1;
}

void CCreationLog::AddCircle(CPointD centre, double radius, int markType, std::int16_t& block,
                             std::int16_t& slot, int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    CCircles* b = m_doc->AddCircleWithCurrentPen(centre, radius, block, slot);
    m_doc->m_undoHistory->RecordChange(1, ELEM_CIRCLE, block, slot, 8);
    if (!b)
        return;
    CCircle& c = b->m_slots[slot];
    if (markType == 2)
        c.m_mark |= MARK_SELECTED;
    c.m_mark |= MARK_REDRAW;
    MarkModified();
    if (!m_noDraw)
        m_doc->DrawCircleInViews(DrawModeOfMark(markType), 1, b, b->m_count - 1);
    Log(ELEM_CIRCLE, block, slot, markType);
    AfterAdd(final);
}

void CCreationLog::AddArc(CPointD centre, double radius, double start, double end, int markType,
                          std::int16_t& block, std::int16_t& slot, int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    CPointD angles;
    angles.Init(start, end);
    CArcs* b = m_doc->AddArcWithCurrentPen(centre, radius, angles, block, slot);
    m_doc->m_undoHistory->RecordChange(1, ELEM_ARC, block, slot, 8);
    if (!b)
        return;
    b->m_slots[slot].m_state |= STATE_REDRAW;
    MarkModified();
    if (!m_noDraw)
        m_doc->DrawArcInViews(DrawModeOfMark(markType), 1, b, b->m_count - 1);
    Log(ELEM_ARC, block, slot, markType);
    AfterAdd(final);
}

void CCreationLog::AddConic(CPointD centre, double radius, double ratio, CPointD angles,
                            double tilt, int markType, std::int16_t& block, std::int16_t& slot,
                            int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    CConics* b =
        m_doc->AddConicWithCurrentPen(centre, radius, ratio, angles, tilt, block, slot);
    if (!b)
        return;
    CConic& c = b->m_slots[slot];
    c.m_mark = static_cast<std::uint8_t>(markType);
    c.m_state |= STATE_REDRAW;
    m_doc->m_undoHistory->RecordChange(1, ELEM_CONIC, block, slot, 8);
    MarkModified();
    Log(ELEM_CONIC, block, slot, markType);
    AfterAdd(final);
}

CCurves* CCreationLog::AddCurve(int kind, const std::vector<CPointD>& points, int markType,
                                std::int16_t& block, std::int16_t& slot, int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    CCurves* b = m_doc->AddCurveWithCurrentPen(kind, points, block, slot);
    if (!b)
        return nullptr;
    b->m_slots[slot].m_mark = static_cast<std::uint8_t>(markType);
    m_doc->m_undoHistory->RecordChange(1, ELEM_CURVE, block, slot, 8);
    MarkModified();
    if (!m_noDraw)
        m_doc->DrawCurveInViews(DrawModeOfMark(markType), 1, b, b->m_count - 1);
    Log(ELEM_CURVE, block, slot, markType);
    AfterAdd(final);
    return b;
}

// ---- texts ------------------------------------------------------------------------------

int CCreationLog::AddText(const CString& text, CPointD point, double angle, int alignment,
                          std::int16_t& block, std::int16_t& slot, int final, int keep)
{
    BeginAdd(keep);
    block = slot = -1;
    const CAppText& t = g_pApp->m_appText;
    std::int16_t font =
        m_doc->FindOrAddFont(t.m_logFont, t.m_widthTenths, t.m_heightTenths, 1, angle);
    CTexts* b = m_doc->AddTextWithFont(text, point, m_doc->m_writeLayer, font, alignment,
                                       g_pApp->m_appElem.m_color, block, slot);
    if (!b)
        return 1;
    b->m_slots[slot].m_mark |= 0x81;
    m_doc->m_undoHistory->RecordChange(1, ELEM_TEXT, block, slot, 8);
    MarkModified();
    Log(ELEM_TEXT, block, slot, 0x81);
    AfterAdd(final);
    return 1;
}

int CCreationLog::AddTextFromCommand(CPointD point, std::int16_t& block, std::int16_t& slot,
                                     int final, int keep)
{
    CTextCommand* cmd = ActiveTextCommand(m_doc);
    BeginAdd(keep);
    block = slot = -1;
    if (!cmd)
        return 0;
    CString text = cmd->m_string;
    if (text.IsEmpty())
        return 0;
    ExpandTabs(text);
    if (CTextCommand::HasNotationMarkers(text)) {
        if (!AddMarkupTextGroup(text, -cmd->m_angle, point, block, slot))
            return 0;
    } else {
        CTexts* b = m_doc->AddTextFromCommand(point, block, slot);
        if (!b)
            return 0;
        b->m_slots[slot].m_mark |= 0x81;
        m_doc->m_undoHistory->RecordChange(1, ELEM_TEXT, block, slot, 8);
        Log(ELEM_TEXT, block, slot, 0x81);
    }
    MarkModified();
    AfterAdd(final);
    return 1;
}

int CCreationLog::AddMarkupTextGroup(const CString& text, double angle, CPointD point,
                                     std::int16_t& block, std::int16_t& slot)
{
    CAppText& settings = g_pApp->m_appText;
    std::int16_t font = m_doc->FindOrAddCurrentFont(angle);
    CTypeFont* f = m_doc->GetFont(font);
    if (!f)
        return 0;
    const LOGFONT logFont = f->m_logFont;
    const std::int32_t width = f->m_width, height = f->m_height;
    settings.SetAngle(angle);

    const CPointD* box = ActiveTextCommand(m_doc)->m_box;
    if (g_pApp->m_commandKind == 10 && m_doc->m_dimCmd)
        box = m_doc->m_dimCmd->m_valueBox;
    const double w = Distance(box[0], box[1]) * 0.5;
    const double h = Distance(box[0], box[2]) * 0.5;
    const double theta = angle * (-kPi / 180);
    CPointD g, hv;
    g.Init(w * std::cos(theta), w * std::sin(theta));
    hv.Init(-h * std::sin(theta), h * std::cos(theta));
    CPointD shift;
    shift.Init(0, 0);
    switch (settings.m_anchor) {
    case 0: shift = Times(hv, 2); break;
    case 2: shift = Plus(Times(g, 2), Times(hv, 2)); break;
    case 6: shift = Plus(g, Times(hv, 2)); break;
    case 10: shift = Times(g, 2); break;
    case 14: shift = g; break;
    case 32: shift = hv; break;
    case 34: shift = Plus(Times(g, 2), hv); break;
    case 38: shift = Plus(g, hv); break;
    default: break;
    }
    point = Minus(point, shift);

    block = slot = -1;
    const int group = m_doc->BuildNotationTextGroup(text, point, angle, logFont, width, height, 8,
                                                    g_pApp->m_appElem.m_color);
    block = static_cast<std::int16_t>(group);
    slot = -1;
    if (group == -1)
        return 0;
    m_doc->GetGroup(group)->OrMarkRecursive(m_doc, 129);
    Log(ELEM_GROUP, group, 0, 129);
    return 1;
}

bool CCreationLog::AddMarkupText(const CString& text, CPointD point, double angle,
                                 std::int16_t& block, std::int16_t& slot, int final, int keep)
{
    BeginAdd(keep);
    CString expanded = text;
    ExpandTabs(expanded);
    block = slot = -1;
    if (!CTextCommand::HasNotationMarkers(expanded))
        return false;
    CAppText& settings = g_pApp->m_appText;
    std::int16_t font = m_doc->FindOrAddCurrentFont(angle);
    CTypeFont* f = m_doc->GetFont(font);
    if (!f)
        return false;
    const LOGFONT logFont = f->m_logFont;
    const std::int32_t width = f->m_width, height = f->m_height;
    settings.SetAngle(angle);
    const int group = m_doc->BuildNotationTextGroup(expanded, point, angle, logFont, width, height,
                                                    settings.m_anchor, g_pApp->m_appElem.m_color);
    block = static_cast<std::int16_t>(group);
    if (group == -1)
        return false;
    m_doc->GetGroup(group)->OrMarkRecursive(m_doc, 129);
    Log(ELEM_GROUP, group, 0, 129);
    MarkModified();
    AfterAdd(final);
    return true;
}

CGroup* CCreationLog::AddGroup(int markType, std::int16_t& group, int final, int keep)
{
    group = -1;
    if (!m_doc->CheckGroupLimit())
        return nullptr;
    BeginAdd(keep);
    CGroup* g = new CGroup;
    const int index = m_doc->m_groups.Add(g);
    group = static_cast<std::int16_t>(index);
    m_doc->m_undoHistory->RecordChange(1, ELEM_GROUP, index, 0, 8);
    MarkModified();
    Log(ELEM_GROUP, index, 0, markType);
    AfterAdd(final);
    return g;
}

int CCreationLog::AddTextLines(const CStringArray& lines, CPointD start, CPointD step,
                               double angle, double factor, int markType, int final)
{
    BeginAdd(0);
    const double theta = -angle * kPi / 180;
    CPointD advance;
    advance.Init((step.m_x * std::cos(theta) - step.m_y * std::sin(theta)) * factor,
                 (step.m_x * std::sin(theta) + step.m_y * std::cos(theta)) * factor);
    CAppText& settings = g_pApp->m_appText;
    settings.SetAngle(angle);
    LOGFONT font = settings.m_logFont;
    const CAppText& env = g_pApp->m_atrCurrent.m_text;
    const std::int32_t heightTenths = static_cast<std::int32_t>(env.m_heightTenths * factor);
    const std::int32_t widthTenths = static_cast<std::int32_t>(env.m_widthTenths * factor);
    font.lfHeight = heightTenths / 10;
    font.lfWidth = widthTenths / 10;
    const COLORREF color = g_pApp->m_appElem.m_color;
    bool tryMarkup = true;
    CPointD point = start;
    for (int i = 0; i < lines.GetSize(); ++i) {
        CString line = lines[i];
        ExpandTabs(line);
        bool placed = false;
        if (tryMarkup && CTextCommand::HasNotationMarkers(line)) {
            const int group = m_doc->BuildNotationTextGroup(line, point, angle, font, widthTenths,
                                                            heightTenths, settings.m_anchor, color);
            if (group != -1) {
                m_doc->GetGroup(group)->OrMarkRecursive(m_doc, static_cast<std::uint8_t>(markType));
                Log(ELEM_GROUP, group, 0, markType);
                if (!m_noDraw)
                    m_doc->DrawGroupInViews(DrawModeOfMark(markType), 1, group);
                placed = true;
            } else {
                tryMarkup = false;
            }
        }
        if (!placed && !line.IsEmpty()) {
            std::int16_t block = -1, slot = -1;
            CTexts* b = m_doc->AddTextWithFontSpec(line, point, angle, font, widthTenths,
                                                   heightTenths, settings.m_anchor, color, block,
                                                   slot);
            if (b) {
                b->m_slots[slot].m_mark |= static_cast<std::uint8_t>(markType + 128);
                m_doc->m_undoHistory->RecordChange(1, ELEM_TEXT, block, slot, 8);
                Log(ELEM_TEXT, block, slot, markType);
            }
        }
        point = Plus(point, advance);
    }
    m_doc->m_undoHistory->Commit(1);
    MarkModified();
    AfterAdd(final);
    return 1;
}

// ---- dimensions -------------------------------------------------------------------------

int CCreationLog::FinishDimension(int group, int markType, int final)
{
    if (group >= 0) {
        m_doc->GetGroup(group)->OrMarkRecursive(m_doc, static_cast<std::uint8_t>(markType));
        Log(ELEM_GROUP, group, 0, markType);
        if (!m_noDraw)
            m_doc->DrawGroupInViews(DrawModeOfMark(markType), 1, group);
    }
    MarkModified();
    AfterAdd(final);
    return group;
}

int CCreationLog::AddLinearDimension(int markType, int final)
{
    BeginAdd(0);
    CDimCommand* cmd = m_doc->m_dimCmd;
    // The steps of "APPP": the angle, the dimension line's position, the two measured points.
    const CPointD p1 = cmd->m_inputPoints[1].GetEffective(m_doc, 1);
    const CPointD p2 = cmd->m_inputPoints[2].GetEffective(m_doc, 1);
    const CPointD p3 = cmd->m_inputPoints[3].GetEffective(m_doc, 1);
    const double a = NormaliseAngle(cmd->m_values[0].value);
    const double margin = g_pApp->m_appElem.m_extOvershoot;
    CPointD f = PerpendicularOffsetVector(p1, a, p2, margin);
    CPointD j = PerpendicularOffsetVector(p1, a, p3, margin);
    CPointD k = ProjectVectorOnAngle(p1, a, p2);
    CPointD l = ProjectVectorOnAngle(p1, a, p3);
    RoundPointToSignificant14(f);
    RoundPointToSignificant14(j);
    RoundPointToSignificant14(k);
    RoundPointToSignificant14(l);
    const CPointD e2 = Plus(p2, f), e3 = Plus(p3, j);
    CPointD o = Plus(p1, k), q = Plus(p1, l);
    OrderPoints(o, q);
    double d = FoldArrowDirection(a);
    CPointD w1, w2, w3, w4;
    ArrowWingPoints(o, q, d, w1, w2, w3, w4);
    const double textAngle = FoldLineAngleNegDeg(a);
    CAppText& t = g_pApp->m_appText;
    t.SetAngle(textAngle);
    const int group = m_doc->AddLinearDimensionGroup(p2, e2, p3, e3, o, q, w1, w2, w3, w4,
                                                     textAngle, t.m_logFont, t.m_widthTenths,
                                                     t.m_heightTenths, 14, g_pApp->m_appElem.m_color);
    if (group == -1) {
        // No group number left: the dimension stays visible as its three lines.
        const CPointD ends[3][2] = {{p2, e2}, {p3, e3}, {o, q}};
        for (const auto& e : ends) {
            std::int16_t block = -1, slot = -1;
            if (CLines* b = m_doc->AddLineWithCurrentPen(e[0], e[1], block, slot)) {
                b->m_slots[slot].m_mark = static_cast<std::uint8_t>(markType + 128);
                m_doc->m_undoHistory->RecordChange(1, ELEM_LINE, block, slot, 8);
                Log(ELEM_LINE, block, slot, markType);
            }
        }
    }
    return FinishDimension(group, markType, final);
}

int CCreationLog::AddChamferDimension(CPointD p1, CPointD p2, const CString& text, double angle,
                                      int markType, int final)
{
    BeginAdd(0);
    const double a = NormaliseAngle(angle);
    double d = FoldArrowDirection(a);
    CPointD w1, w2;
    ArrowWingPointsAtEnd(p1, d, w1, w2, PointGreater(p1, p2) ? 0 : 1);
    const double b = FoldLineAngleNegDeg(a);
    CAppText& t = g_pApp->m_appText;
    t.SetAngle(b);
    const int group = m_doc->AddChamferDimensionGroup(p1, p2, text, p2, -b, t.m_logFont,
                                                      t.m_widthTenths, t.m_heightTenths, 14,
                                                      g_pApp->m_appElem.m_color, w1, w2);
    return FinishDimension(group, markType, final);
}

int CCreationLog::AddDiameterOrRadiusDimension(CPointD p1, CPointD p2, const CString& text,
                                               CPointD textPoint, double textAngle, int markType,
                                               int final, int bothEnds)
{
    BeginAdd(0);
    const double a = NormaliseAngle(PointsAngleDeg(p1, p2));
    double d = FoldArrowDirection(a);
    CAppText& t = g_pApp->m_appText;
    t.SetAngle(textAngle);
    const COLORREF color = g_pApp->m_appElem.m_color;
    int group;
    if (bothEnds) {
        OrderPoints(p1, p2);
        CPointD w1, w2, w3, w4;
        ArrowWingPoints(p1, p2, d, w1, w2, w3, w4);
        group = m_doc->AddDiameterDimensionGroup(p1, p2, w1, w2, w3, w4, text, textPoint,
                                                 -textAngle, t.m_logFont, t.m_widthTenths,
                                                 t.m_heightTenths, 14, color);
    } else {
        CPointD w1, w2;
        ArrowWingPointsAtEnd(p2, d, w1, w2, PointGreater(p1, p2) ? 1 : 0);
        group = m_doc->AddRadiusDimensionGroup(p1, p2, w1, w2, text, textPoint, -textAngle,
                                               t.m_logFont, t.m_widthTenths, t.m_heightTenths, 14,
                                               color);
    }
    return FinishDimension(group, markType, final);
}

int CCreationLog::AddAngularDimension(CPointD centre, double radius, double start, double end,
                                      const CString& text, CPointD textPoint, CPointD measured1,
                                      CPointD measured2, CPointD e1, CPointD e2, double textAngle,
                                      int markType, int final)
{
    BeginAdd(0);
    CPointD tips[4];
    double d1 = start + 90, d2 = end - 90;
    ArrowWingPointsAtEnd(e1, d1, tips[0], tips[1], 1);
    ArrowWingPointsAtEnd(e2, d2, tips[2], tips[3], 1);
    CAppText& t = g_pApp->m_appText;
    t.SetAngle(textAngle);
    const int group = m_doc->AddAngularDimensionGroup(
        centre, radius, start, end, measured1, e1, measured2, e2, tips, text, textPoint,
        -textAngle, t.m_logFont, t.m_widthTenths, t.m_heightTenths, 14, g_pApp->m_appElem.m_color);
    return FinishDimension(group, markType, final);
}

int CCreationLog::AddLeader(const std::vector<CPointD>& vertices, const CString& text,
                            CPointD textPoint, double textAngle, int markType, int final)
{
    BeginAdd(0);
    CAppText& t = g_pApp->m_appText;
    t.SetAngle(textAngle);
    // The text sits on the ray from the last point at the text angle, level with the position
    // given: its foot on that ray.
    if (!vertices.empty()) {
        const CPointD last = vertices.back();
        CPointD along, foot;
        along.Init(last.m_x + 200 * std::cos(textAngle * kPi / 180), last.m_y + 200 * std::sin(textAngle * kPi / 180));
        double distance = 0;
        FootOfPerpendicular(last, along, textPoint, foot, distance);
        textPoint = foot;
    }
    const int group = m_doc->AddLeaderGroup(vertices, text, textPoint, -textAngle, t.m_logFont,
                                            t.m_widthTenths, t.m_heightTenths, 14,
                                            g_pApp->m_appElem.m_color);
    return FinishDimension(group, markType, final);
}

int CCreationLog::AddBalloon(const std::vector<CPointD>& vertices, double size,
                             const CString& text, int markType, int final)
{
    BeginAdd(0);
    CAppText& t = g_pApp->m_appText;
    t.SetAngle(0);
    CPointD centre;
    centre.Init(0, 0);
    if (!vertices.empty())
        centre = vertices.back();
    const int group = m_doc->AddBalloonGroup(vertices, size, text, centre, 0, t.m_logFont,
                                             t.m_widthTenths, t.m_heightTenths, 38,
                                             g_pApp->m_appElem.m_color);
    return FinishDimension(group, markType, final);
}

// ---- commit and rollback ----------------------------------------------------------------

void CCreationLog::Commit(int clearHighlight)
{
    m_logged = 0;
    CRectD& x = m_doc->m_extents;
    for (auto& e : m_log) {
        // Entries naming no block are passed over (and freed with the rest).
        if (e->m_block == static_cast<std::int16_t>(NO_BLOCK))
            continue;
        if (e->m_kind != ELEM_GROUP) {
            std::uint8_t* state = nullptr;
            std::uint8_t* mark = nullptr;
            if (clearHighlight && GetStateAndMark(m_doc, e->m_kind, e->m_block, e->m_slot, state, mark)) {
                *mark &= static_cast<std::uint8_t>(~MARK_SELECTED);
                *mark |= MARK_REDRAW;
            }
            m_doc->ExtendExtents(x.m_left, x.m_bottom, x.m_right, x.m_top, e->m_kind, e->m_block,
                                 e->m_slot);
        }
    }
    m_log.clear();
    // Every open drawing redraws its changed elements: highlights cleared here may stand beside
    // changes other drawings left waiting.
    if (clearHighlight) {
        if (g_pApp && g_pApp->IsDrawingDocument(m_doc))
            g_pApp->RedrawAllDrawings();
        else
            m_doc->RedrawChangedElements(1);
    }
    Snapshot();
    m_final = 0;
    m_noDraw = 0;
}

void CCreationLog::Snapshot()
{
    m_penCount = m_doc->m_pens.GetSize();
    m_fontCount = m_doc->m_fonts.GetSize();
    for (int i = 0; i < MAP_COUNT; ++i) {
        m_maps[i].RemoveAll();
        m_maps[i].Copy(m_doc->m_blockMaps[i]);
    }
    m_stepCount = m_doc->m_undoHistory->GetStepCount();
    m_currentStep = m_doc->m_undoHistory->m_current;
}

int CCreationLog::Rollback()
{
    if (!m_logged)
        return 0;
    for (int i = 0; i < MAP_COUNT; ++i) {
        m_doc->m_blockMaps[i].RemoveAll();
        m_doc->m_blockMaps[i].Copy(m_maps[i]);
    }
    while (!m_log.empty()) {
        const CElemRef& e = *m_log.back();
        if (e.m_kind == ELEM_GROUP)
            DropGroup(m_doc, e.m_block, 0);
        else
            DropElement(m_doc, e.m_kind, e.m_block, e.m_slot);
        m_log.pop_back();
    }
    for (int i = m_doc->m_pens.GetSize() - 1; i >= m_penCount; --i) {
        delete m_doc->GetPen(i);
        m_doc->m_pens.RemoveAt(i);
    }
    for (int i = m_doc->m_fonts.GetSize() - 1; i >= m_fontCount; --i) {
        delete m_doc->GetFont(i);
        m_doc->m_fonts.RemoveAt(i);
    }
    m_doc->TablesChanged();
    CUndoHistory* h = m_doc->m_undoHistory;
    while (h->GetStepCount() > m_stepCount) {
        for (const CElemRef& e : h->m_steps.back()->m_second)
            RestoreDeleted(m_doc, e);
        h->m_steps.pop_back();
    }
    h->m_current = m_currentStep < h->GetStepCount() ? m_currentStep : m_stepCount - 1;
    h->m_pendingFirst.clear();
    for (const CElemRef& e : h->m_pendingSecond)
        RestoreDeleted(m_doc, e);
    h->m_pendingSecond.clear();
    m_final = 0;
    m_logged = 0;
    m_doc->RedrawChangedElements(1);
    return 1;
}

int CCreationLog::EraseLogged()
{
    for (const auto& e : m_log) {
        if (e->m_kind == ELEM_GROUP) {
            CGroup* g = m_doc->GetGroup(e->m_block);
            if (!g)
                continue;
            for (const CElemRef& m : g->m_members) {
                std::uint8_t* state = nullptr;
                std::uint8_t* mark = nullptr;
                if (m.m_kind != ELEM_GROUP &&
                    GetStateAndMark(m_doc, m.m_kind, m.m_block, m.m_slot, state, mark) &&
                    !(*state & STATE_DELETED))
                    DrawElement(m_doc, 2, m.m_kind, m.m_block, m.m_slot);
            }
        } else {
            DrawElement(m_doc, 2, e->m_kind, e->m_block, e->m_slot);
        }
    }
    return static_cast<int>(m_log.size());
}

void CCreationLog::RedrawLogged()
{
    for (const auto& e : m_log) {
        std::uint8_t* state = nullptr;
        std::uint8_t* mark = nullptr;
        if (e->m_kind == ELEM_GROUP) {
            CGroup* g = m_doc->GetGroup(e->m_block);
            if (!g)
                continue;
            for (const CElemRef& m : g->m_members)
                if (GetStateAndMark(m_doc, m.m_kind, m.m_block, m.m_slot, state, mark) &&
                    !(*state & STATE_DELETED))
                    *mark |= MARK_REDRAW;
        } else if (GetStateAndMark(m_doc, e->m_kind, e->m_block, e->m_slot, state, mark)) {
            *mark |= MARK_REDRAW;
        }
    }
    m_doc->RedrawChangedElements(1);
}
