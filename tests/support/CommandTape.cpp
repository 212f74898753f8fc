// The command tape: rows through the headless application, its drawing and view.
#include "CommandTape.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "commands/annotate/TextCommand.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/annotate/DimCommand.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "input/InputBar.h"
#include "macro/MacroInterpreter.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/DataPoints.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/core/ProgramFolder.h"
#include "platform/ui/WinUser.h"
#include "input/InputEvent.h"
#include "platform/core/Services.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

namespace {

struct MenuItem {
    const char* title;
    int arcMenu;
    UINT id;
};

// The CIRCLE and ARC sub-menus, then E_CIRCLE and E_ARC (arcMenu 1 for the arc menus).
const MenuItem kMenuItems[] = {
    { "中心(接)円/同心円", 0, 32981 },
    { "直径円", 0, 32985 },
    { "弧角円", 0, 32986 },
    { "連続半径円", 0, 32987 },
    { "連続半径接円/2点円", 0, 32989 },
    { "３要素接円～３点円", 0, 32995 },
    { "多角形", 0, 32996 },
    { "連続半径多角形", 0, 32997 },
    { "中心(接)円弧/同心円弧", 1, 32998 },
    { "半円弧", 1, 32999 },
    { "弧角円弧", 1, 33000 },
    { "連続半径円弧", 1, 33001 },
    { "連続半径接円弧/2点/角丸め", 1, 33002 },
    { "３要素接円弧/３点円弧", 1, 33004 },
    { "多角形", 1, 33005 },
    { "連続半径多角形", 1, 33006 },
    { "円弧化", 0, 33007 },
    { "径の変更", 0, 33008 },
    { "属性変更", 0, 33009 },
    { "楕円化", 0, 33010 },
    { "端点延短", 1, 33011 },
    { "端点の移動", 1, 33014 },
    { "中抜き/切断", 1, 33012 },
    { "径の変更", 1, 33013 },
    { "属性変更", 1, 33015 },
    { "楕円弧化", 1, 33016 },
};

std::string Fixed(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", v);
    // A value that rounds to zero is listed without its sign.
    return std::strcmp(text, "-0.000000") == 0 ? std::string("0.000000") : std::string(text);
}

std::string Xy(const CPointD& p)
{
    return Fixed(p.m_x) + "," + Fixed(p.m_y);
}

template <class Element>
std::string Tail(const Element& e, int pen)
{
    std::ostringstream s;
    s << " layer " << e.m_layer << " group " << e.m_group << " role " << e.m_role << " pen " << pen;
    return s.str();
}

// Walks the live slots of every block of a kind; the retired ones are counted.
template <class Block, class Line>
void ListBlocks(const CObArray& blocks, int& retired, std::vector<std::string>& out, Line line)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const auto* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s) {
            if (block->m_slots[s].m_state & 8)
                ++retired;
            else
                out.push_back(line(block->m_slots[s], block->m_pen));
        }
    }
}

} // namespace

std::vector<std::string> ListElements(const CZelkDoc& doc)
{
    std::vector<std::string> out;
    int retired = 0;
    ListBlocks<CDataPoints>(doc.m_pointBlocks, retired, out, [](const auto& e, int pen) {
        return "point " + Xy(e.m_position) + Tail(e, pen);
    });
    ListBlocks<CLines>(doc.m_lineBlocks, retired, out, [](const auto& e, int pen) {
        return "line " + Xy(e.m_start) + " " + Xy(e.m_end) + Tail(e, pen);
    });
    ListBlocks<CCircles>(doc.m_circleBlocks, retired, out, [](const auto& e, int pen) {
        return "circle " + Xy(e.m_centre) + " r " + Fixed(e.m_radius) + Tail(e, pen);
    });
    ListBlocks<CArcs>(doc.m_arcBlocks, retired, out, [](const auto& e, int pen) {
        return "arc " + Xy(e.m_centre) + " r " + Fixed(e.m_radius) + " " + Fixed(e.m_startAngle) + "-" +
               Fixed(e.m_endAngle) + Tail(e, pen);
    });
    ListBlocks<CConics>(doc.m_conicBlocks, retired, out, [](const auto& e, int pen) {
        return "conic " + Xy(e.m_centre) + " a " + Fixed(e.m_majorRadius) + " ratio " + Fixed(e.m_ratio) + " " +
               Fixed(e.m_startAngle) + "-" + Fixed(e.m_endAngle) + " tilt " + Fixed(e.m_tilt) + Tail(e, pen);
    });
    ListBlocks<CTexts>(doc.m_textBlocks, retired, out, [](const auto& e, int font) {
        return "text " + Xy(e.m_point) + " [" + std::string(e.m_text.GetString()) + "]" + Tail(e, font);
    });
    for (int g = 0; g < doc.m_groups.GetSize(); ++g) {
        const CGroup* group = doc.GetGroup(g);
        if (!group || (group->m_state & 8))
            continue;
        std::ostringstream line;
        line << "group " << g << " kind " << group->m_kind << " parent " << group->m_parent << " members";
        for (const CElemRef& m : group->m_members)
            line << " " << m.m_kind << ":" << m.m_block << ":" << m.m_slot;
        // Dimensions, leaders and balloons name the points they were defined by.
        if (group->m_kind >= CGroup::KIND_LINEAR && group->m_kind <= CGroup::KIND_BALLOON)
            line << " def " << Xy(group->m_defPoint1) << " " << Xy(group->m_defPoint2);
        out.push_back(line.str());
    }
    std::ostringstream last;
    last << "retired " << retired;
    out.push_back(last.str());
    return out;
}

CCommandTape::CCommandTape()
{
    // A window from (-100, 100) to (300, -300) at zoom 10, as a shown view has one; it is the
    // active view, so its button handlers take the presses.
    CZelkView& view = m_tape.View();
    view.m_zoom = 10;
    view.m_origin.Init(-100, 100);
    view.m_clientRectLogical = RECT{ 0, 0, 4000, -4000 };
    view.m_active = 1;
    // The line parser of the input bar evaluates with the numeric interpreter and the built-in
    // units, as the started program has them.
    if (!App().m_numericInterpreter)
        App().m_numericInterpreter = new CMacroInterpreter;
    if (App().m_unitTable.GetSize() == 0)
        App().BuildUnitTable(FALSE);
}

CCommandTape::~CCommandTape()
{
    delete App().m_numericInterpreter;
    App().m_numericInterpreter = nullptr;
}

CCircleCommand& CCommandTape::Circle()
{
    return *Doc().m_circleCmd;
}

CCircleCommand& CCommandTape::CircleInt()
{
    return *Doc().m_circleCmdInt;
}

CDimCommand& CCommandTape::Dim()
{
    return *Doc().m_dimCmd;
}

CDimCommand& CCommandTape::DimInt()
{
    return *Doc().m_dimCmdInt;
}

CLineCommand& CCommandTape::Line()
{
    return *Doc().m_lineCmd;
}

CLineCommand& CCommandTape::LineInt()
{
    return *Doc().m_lineCmdInt;
}

CPointCommand& CCommandTape::Point()
{
    return *Doc().m_pointCmd;
}

CPointCommand& CCommandTape::PointInt()
{
    return *Doc().m_pointCmdInt;
}

CTextCommand& CCommandTape::Text()
{
    return *Doc().m_textCmd;
}

CTextCommand& CCommandTape::TextInt()
{
    return *Doc().m_textCmdInt;
}

void CCommandTape::AddLine(CPointD a, CPointD b)
{
    Doc().AddLine(a, b, 0, Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
}

void CCommandTape::AddCircle(CPointD centre, double radius)
{
    Doc().AddCircle(centre, radius, 0, Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
}

template <class Action>
const CCommandRow& CCommandTape::Row(const std::string& what, Action action)
{
    CScriptedServices& services = DefaultScriptedServices();
    const size_t beeps = services.m_beeps.size();
    const CTapeStep& step = action();
    CCommandRow row;
    row.what = what;
    row.tokens = Circle().m_tokenString.GetString();
    row.mode = Circle().m_modePattern.GetString();
    row.tokensInt = CircleInt().m_tokenString.GetString();
    row.modeInt = CircleInt().m_modePattern.GetString();
    row.lineTokens = Line().m_tokenString.GetString();
    row.lineMode = Line().m_modePattern.GetString();
    row.lineTokensInt = LineInt().m_tokenString.GetString();
    row.lineModeInt = LineInt().m_modePattern.GetString();
    row.pointTokens = Point().m_tokenString.GetString();
    row.loopTokens = Doc().m_loopCmd->m_tokenString.GetString();
    row.loopMode = Doc().m_loopCmd->m_modePattern.GetString();
    row.loopState = Doc().m_loopCmd->m_extractState;
    row.pointMode = Point().m_modePattern.GetString();
    row.pointTokensInt = PointInt().m_tokenString.GetString();
    row.pointModeInt = PointInt().m_modePattern.GetString();
    row.textTokens = Text().m_tokenString.GetString();
    row.textMode = Text().m_modePattern.GetString();
    row.textTokensInt = TextInt().m_tokenString.GetString();
    row.textModeInt = TextInt().m_modePattern.GetString();
    if (const CGroupProcessor* group = App().m_groupProcessor) {
        row.groupTokens = group->m_tokenString.GetString();
        row.groupMode = group->modePattern.GetString();
        row.groupMove = group->m_moveFlag;
        row.groupPreset = group->m_preset;
    }
    row.boxSelection = App().m_groupProcessing;
    row.groupProcessing = Doc().m_groupProcessing;
    row.dimTokens = Dim().m_tokenString.GetString();
    row.dimMode = Dim().m_modePattern.GetString();
    row.dimTokensInt = DimInt().m_tokenString.GetString();
    row.dimModeInt = DimInt().m_modePattern.GetString();
    row.prompt = step.prompt;
    row.hint = step.hint;
    row.message = App().m_lastMessage.GetString();
    row.result = App().m_lastResultMessage.GetString();
    row.beeps = static_cast<int>(services.m_beeps.size() - beeps);
    row.preview = Doc().m_previewKind;
    row.elements = step.elements;
    row.undoSteps = step.undoSteps;
    std::ostringstream kinds;
    for (const auto& undo : Doc().m_undoHistory->m_steps)
        kinds << (kinds.tellp() > 0 ? " " : "") << static_cast<int>(undo->m_kind);
    row.undoKinds = kinds.str();
    if (const CMainFrame* frame = App().m_pMainFrame) {
        std::ostringstream timers;
        for (UINT id = 1; id <= CMainFrame::kTimerCount; ++id)
            if (frame->m_timers[id])
                timers << (timers.tellp() > 0 ? " " : "") << id;
        row.timers = timers.str();
    }
    row.listing = ListElements(Doc());
    m_rows.push_back(row);
    return m_rows.back();
}

CPoint CCommandTape::PixelAt(CPointD world)
{
    CZelkView& v = m_tape.View();
    auto worldOf = [&](LONG x, LONG y) {
        CPointD logical, w;
        v.ClientToWorld(CPoint(POINT{ x, y }), logical, w);
        return w;
    };
    // The mapping is linear: two far pixels give its scale, the neighbours settle the rounding.
    constexpr LONG kFar = 10000;
    const CPointD o = worldOf(0, 0);
    const CPointD f = worldOf(kFar, kFar);
    const double sx = (f.m_x - o.m_x) / kFar;
    const double sy = (f.m_y - o.m_y) / kFar;
    const LONG x0 = static_cast<LONG>(std::lround((world.m_x - o.m_x) / sx));
    const LONG y0 = static_cast<LONG>(std::lround((world.m_y - o.m_y) / sy));
    CPoint best(POINT{ x0, y0 });
    double nearest = -1;
    for (LONG dx = -1; dx <= 1; ++dx) {
        for (LONG dy = -1; dy <= 1; ++dy) {
            const CPointD w = worldOf(x0 + dx, y0 + dy);
            const double d = (w.m_x - world.m_x) * (w.m_x - world.m_x) + (w.m_y - world.m_y) * (w.m_y - world.m_y);
            if (nearest < 0 || d < nearest) {
                nearest = d;
                best = CPoint(POINT{ x0 + dx, y0 + dy });
            }
        }
    }
    return best;
}

void CCommandTape::MoveTo(CPoint pixel)
{
    m_tape.View().OnMouseMove(0, pixel);
}

const CTapeStep& CCommandTape::TypeLine(const std::string& line)
{
    return m_tape.Run("typed " + line, [&] {
        // Into the list the box shows, as a person types into it.
        CInputBar& bar = *App().m_inputBar;
        bar.m_enteredText = line.c_str();
        bar.ConfirmEnteredText(0);
    });
}

const CCommandRow& CCommandTape::Code(int code)
{
    return Row("code " + std::to_string(code), [&]() -> const CTapeStep& { return m_tape.Code(code); });
}

const CCommandRow& CCommandTape::Menu(const char* title, int arcMenu)
{
    UINT id = 0;
    for (const MenuItem& item : kMenuItems) {
        if (std::strcmp(item.title, title) == 0 && item.arcMenu == arcMenu)
            id = item.id;
    }
    if (id == 0)
        return SubModeMenu(CSubMode::Object::Dimension, title);
    return Row(std::string("menu ") + title, [&]() -> const CTapeStep& {
        return m_tape.Run("menu", [&] { m_tape.View().OnCircleSubMode(id); });
    });
}

const CCommandRow& CCommandTape::SubModeMenu(CSubMode::Object object, const char* title)
{
    UINT id = 0;
    for (const CSubMode* m = SubModesBegin(); m != SubModesEnd(); ++m) {
        if (m->object == object && std::strcmp(m->title, title) == 0)
            id = m->id;
    }
    return Row(std::string("menu ") + title, [&]() -> const CTapeStep& {
        return m_tape.Run("menu", [&] { m_tape.View().OnSubModeCommand(id); });
    });
}

const CCommandRow& CCommandTape::LineMenu(const char* title)
{
    return SubModeMenu(CSubMode::Object::Line, title);
}

const CCommandRow& CCommandTape::PointMenu(const char* title)
{
    return SubModeMenu(CSubMode::Object::Point, title);
}

const CCommandRow& CCommandTape::LoopMenu(const char* title)
{
    return SubModeMenu(CSubMode::Object::Loop, title);
}

const CCommandRow& CCommandTape::TextMenu(const char* title)
{
    return SubModeMenu(CSubMode::Object::Text, title);
}

const CCommandRow& CCommandTape::GroupMenu(const char* title)
{
    return SubModeMenu(CSubMode::Object::Group, title);
}

const CCommandRow& CCommandTape::Typed(const char* line)
{
    const std::string text = line;
    return Row("typed " + text, [&]() -> const CTapeStep& { return TypeLine(text); });
}

const CCommandRow& CCommandTape::Value(double value, int subCode)
{
    char number[64];
    if (std::fabs(value) < 1e15 && value == std::floor(value))
        std::snprintf(number, sizeof number, "%.0f", value);
    else
        std::snprintf(number, sizeof number, "%.17g", value);
    const struct {
        int subCode;
        const char* head;
        const char* suffix;
    } forms[] = {
        { 0, "", "" },    { 2, "", "" },    { 3, "++", "" },  { 4, "", "n" },   { 5, "++", "n" },
        { 6, "", "l" },   { 7, "++", "l" },  { 11, "", "d" },  { 12, "++", "d" },
        { 13, "++", "r" }, { 14, "", "r" },
    };
    std::string typed;
    for (const auto& form : forms) {
        if (form.subCode == subCode)
            typed = std::string(form.head) + number + form.suffix;
    }
    if (typed.empty())
        ADD_FAILURE() << "no typed line gives the sub-code " << subCode;
    return Row("value " + std::to_string(subCode), [&]() -> const CTapeStep& { return TypeLine(typed); });
}

const CCommandRow& CCommandTape::Posted(double value, int subCode)
{
    return Row("posted " + std::to_string(subCode), [&]() -> const CTapeStep& {
        return m_tape.Run("posted", [&] {
            m_tape.PostValue(value, subCode);
            App().SetGuidance(&Doc());
            App().ShowPrompt();
            App().ComputePreview(&Doc());
        });
    });
}

const CCommandRow& CCommandTape::PostedText(const char* text)
{
    return Row(std::string("text ") + text, [&]() -> const CTapeStep& {
        return m_tape.Run("text", [&] {
            m_tape.PostText(text, 0);
            App().SetGuidance(&Doc());
            App().ShowPrompt();
            App().ComputePreview(&Doc());
        });
    });
}

const CCommandRow& CCommandTape::ChooseText(const char* text)
{
    return Row(std::string("choose ") + text, [&]() -> const CTapeStep& {
        return m_tape.Run("choose", [&] {
            CInputBar& bar = *App().m_inputBar;
            bar.m_enteredText = text;
            bar.RememberText();
            App().ApplyInputComboText(text);
        });
    });
}

const CCommandRow& CCommandTape::Constraint(const char* title)
{
    const struct {
        const char* title;
        UINT id;
    } buttons[] = {
        { "点拘束", 127 }, { "横拘束", 130 }, { "縦拘束", 131 }, { "点拘束解除", 132 },
    };
    UINT id = 0;
    for (const auto& button : buttons) {
        if (std::strcmp(button.title, title) == 0)
            id = button.id;
    }
    if (id == 0)
        ADD_FAILURE() << "no constraint button " << title;
    return Row(std::string("constraint ") + title, [&]() -> const CTapeStep& {
        return m_tape.Run("constraint", [&] { m_tape.View().OnTableCommand(id); });
    });
}

const CCommandRow& CCommandTape::RightClick(CPointD world, bool ctrl)
{
    return Row(ctrl ? "ctrl right click" : "right click", [&]() -> const CTapeStep& {
        return m_tape.Run("right click", [&] {
            const UINT held = ctrl ? MK_CONTROL : 0;
            m_tape.Hold(false, ctrl);
            const CPoint at = PixelAt(world);
            MoveTo(at);
            m_tape.View().OnRButtonDown(held | MK_RBUTTON, at);
            m_tape.View().OnRButtonUp(held, at);
            m_tape.Hold(false, false);
        });
    });
}

const CCommandRow& CCommandTape::Pick(CPointD world, bool ctrl)
{
    return Row(ctrl ? "ctrl pick" : "pick", [&]() -> const CTapeStep& {
        return m_tape.Run("pick", [&] {
            const UINT held = ctrl ? MK_CONTROL : 0;
            m_tape.Hold(false, ctrl);
            const CPoint at = PixelAt(world);
            MoveTo(at);
            m_tape.View().OnLButtonDown(held | MK_LBUTTON, at);
            m_tape.View().OnLButtonUp(held, at);
            m_tape.Hold(false, false);
        });
    });
}

const CCommandRow& CCommandTape::Box(CPointD corner1, CPointD corner2)
{
    return Row("box", [&]() -> const CTapeStep& {
        return m_tape.Run("box", [&] {
            CZelkView& v = m_tape.View();
            const CPoint from = PixelAt(corner1);
            const CPoint to = PixelAt(corner2);
            MoveTo(from);
            v.OnLButtonDown(MK_LBUTTON, from);
            v.OnMouseMove(MK_LBUTTON, to);
            v.OnLButtonUp(0, to);
        });
    });
}

const CCommandRow& CCommandTape::RightDouble(CPointD world)
{
    return Row("right double click", [&]() -> const CTapeStep& { return DoubleClick(world, false); });
}

const CCommandRow& CCommandTape::LeftDouble(CPointD world)
{
    return Row("left double click", [&]() -> const CTapeStep& { return DoubleClick(world, true); });
}

const CTapeStep& CCommandTape::DoubleClick(CPointD world, bool left)
{
    return m_tape.Run(left ? "left double click" : "right double click", [&] {
        CZelkView& v = m_tape.View();
        const CPoint at = PixelAt(world);
        MoveTo(at);
        if (left) {
            v.OnLButtonDown(MK_LBUTTON, at);
            v.OnLButtonUp(0, at);
            v.OnLButtonDblClk(MK_LBUTTON, at);
            v.OnLButtonUp(0, at);
        } else {
            v.OnRButtonDown(MK_RBUTTON, at);
            v.OnRButtonUp(0, at);
            v.OnRButtonDblClk(MK_RBUTTON, at);
            v.OnRButtonUp(0, at);
        }
    });
}

const CCommandRow& CCommandTape::Key(int virtualKey, bool shift)
{
    return Row("key " + std::to_string(virtualKey), [&]() -> const CTapeStep& {
        m_tape.Hold(shift, false);
        const CTapeStep& step = m_tape.Key(virtualKey);
        m_tape.Hold(false, false);
        return step;
    });
}

const CCommandRow& CCommandTape::Move(CPointD world)
{
    return Row("move", [&]() -> const CTapeStep& {
        return m_tape.Run("move", [&] { MoveTo(PixelAt(world)); });
    });
}

const CCommandRow& CCommandTape::Event(int kind, int subCode)
{
    return Row("event " + std::to_string(kind),
               [&]() -> const CTapeStep& { return m_tape.Event(kind, subCode); });
}

std::vector<std::string> CCommandTape::ListAfterRoundTrip()
{
    const CString path = ProgramFolder() + "CommandTape.zel";
    CZelkView writer;
    writer.m_document = &Doc();
    writer.m_layerStates.SetSize(Doc().m_layers.GetSize());
    if (writer.WriteNativeFile(path, 0) != 1)
        return { "not written" };
    auto read = std::make_unique<CZelkDoc>();
    read->m_bAutoDelete = FALSE;
    if (read->LoadNativeFile(path) != 1)
        return { "not read" };
    return ListElements(*read);
}
