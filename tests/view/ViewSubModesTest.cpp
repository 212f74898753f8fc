// The mode items of the command popup menu, the gesture tooltips and the announcements of a
// command switch, and the selected texts in reading order.
#include <cstdio>
#include <string>
#include <vector>

#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "elements/Texts.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiServices.h"
#include "tests/view/ViewCommandSupport.h"

namespace {

using ViewSubModes = ViewCommandFixture;

// Each creation item: its command kind, the main command's pattern it sets and is ticked by.
struct CCreationRow {
    UINT id;
    int kind;
    const char* pattern;
};

const CCreationRow kCreationRows[] = {
    { 33017, 1, "P" }, { 33018, 1, "NPP" },
    { 32953, 2, "SE" }, { 32962, 2, "PAPP" }, { 32964, 2, "SANP" }, { 32980, 2, "SDNP" },
    { 32965, 2, "CP" }, { 32966, 2, "LP" }, { 32968, 2, "LANP" }, { 32969, 2, "APPP" },
    { 32970, 2, "DP" }, { 32971, 2, "DLL" }, { 32972, 2, "BP" },
    { 32981, 3, "PP" }, { 32985, 3, "BB" }, { 32986, 3, "APP" }, { 32987, 3, "DP" },
    { 32989, 3, "DLL" }, { 32995, 3, "LLL" }, { 32996, 3, "NPP" }, { 32997, 3, "DNP" },
    { 32998, 4, "PP" }, { 32999, 4, "BB" }, { 33000, 4, "APP" }, { 33001, 4, "DP" },
    { 33002, 4, "DLL" }, { 33004, 4, "LLL" }, { 33005, 4, "NPP" }, { 33006, 4, "DNP" },
    { 32957, 7, "P" }, { 33020, 7, "BPK" }, { 33021, 7, "BB" },
    { 33027, 10, "APPP" }, { 33028, 10, "CPP" }, { 33029, 10, "LP" }, { 33030, 10, "PPPPPP" },
    { 33031, 10, "TBW" }, { 33032, 10, "TPAP" },
    { 32959, 12, "OAP" }, { 33034, 12, "OD" }, { 33035, 12, "OQ" }, { 33147, 12, "AV" },
};

CString MainPattern(CZelkDoc& doc, int kind)
{
    switch (kind) {
    case 1: return doc.m_pointCmd->m_modePattern;
    case 2: return doc.m_lineCmd->m_modePattern;
    case 3:
    case 4: return doc.m_circleCmd->m_modePattern;
    case 7: return doc.m_textCmd->m_modePattern;
    case 10: return doc.m_dimCmd->m_modePattern;
    default: return doc.m_loopCmd->m_modePattern;
    }
}

TEST_F(ViewSubModes, EveryCreationItemSetsItsPatternAndIsTickedInItsCommandOnly)
{
    for (const CCreationRow& row : kCreationRows) {
        SCOPED_TRACE(row.id);
        m_app->m_commandKind = static_cast<short>(row.kind);
        m_app->m_modeFromMenu = 0;
        Choose(row.id);
        EXPECT_EQ(MainPattern(*m_doc, row.kind), row.pattern);
        EXPECT_EQ(m_app->m_modeFromMenu, 1);
        EXPECT_EQ(Update(row.id).m_checked, 1);
        m_app->m_commandKind = static_cast<short>(row.kind == 2 ? 1 : 2);
        EXPECT_EQ(Update(row.id).m_checked, 0);
    }
}

TEST_F(ViewSubModes, WithTheDirectMenuALineItemOnlyChangesThePattern)
{
    m_app->m_appCommand.popupMenuType = 0;
    m_app->m_commandKind = 3;
    Choose(32966);
    EXPECT_EQ(m_app->m_commandKind, 3);
    // The line command hands its own pair over, then the item shows it.
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{"guidance", "guidance", "prompt"}));
    EXPECT_EQ(m_doc->m_lineCmd->m_modePattern, "LP");
    // The popup type switches the command and computes the preview first.
    m_app->m_appCommand.popupMenuType = 1;
    Choose(32966);
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{"switch 1 2", "preview", "guidance", "guidance", "prompt"}));
    EXPECT_EQ(Update(32966).m_checked, 1);
}

TEST_F(ViewSubModes, RadiusAndDivideItemsPostTheirFirstInput)
{
    m_doc->m_circleCmd->m_modePattern = "LLL";
    Choose(32987);
    EXPECT_EQ(m_doc->m_circleCmd->m_modePattern, "DP");
    EXPECT_EQ(m_doc->m_inputEvent->kind, 3);
    EXPECT_EQ(m_doc->m_inputEvent->subCode, 6);
    EXPECT_DOUBLE_EQ(m_doc->m_inputEvent->value, m_doc->m_circleCmd->m_defaultLength);
    // The menu handler shows no prompt itself: the posted length's guidance hands the pair over.
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{"guidance", "preview"}));
    Choose(33018);
    EXPECT_EQ(m_doc->m_inputEvent->subCode, 4);
    EXPECT_DOUBLE_EQ(m_doc->m_inputEvent->value, 2.0);
    Choose(33027);
    EXPECT_EQ(m_doc->m_inputEvent->subCode, 11);
    EXPECT_DOUBLE_EQ(m_doc->m_inputEvent->value, 0.0);
    // The dimension command shows the guidance of the posted angle's step, then the handler its own.
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{"guidance", "guidance", "prompt", "preview"}));
}

TEST_F(ViewSubModes, EditItemsSetTheInterruptPatternsAndTickForEveryRelatedPattern)
{
    m_app->m_appElem.m_layerCondition = 0;
    Choose(32973);
    EXPECT_EQ(m_doc->m_lineCmdInt->m_modePattern, "#L");
    EXPECT_EQ(m_doc->m_circleCmdInt->m_lastArcEditPattern, "#P");
    EXPECT_EQ(m_app->m_appElem.m_layerCondition, 1);
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{"guidance", "preview", "guidance", "prompt"}));
    m_app->m_interruptKind = 2;
    for (const char* p : { "#L", "#C", "#P" }) {
        m_doc->m_lineCmdInt->m_modePattern = p;
        EXPECT_EQ(Update(32973).m_checked, 1) << p;
    }
    m_doc->m_lineCmdInt->m_modePattern = "#cl";
    EXPECT_EQ(Update(32977).m_checked, 1);
    EXPECT_EQ(Update(32973).m_checked, 0);
    m_doc->m_lineCmdInt->m_modePattern = "#EP";
    EXPECT_EQ(Update(32974).m_checked, 1);
    m_app->m_interruptKind = 3;
    EXPECT_EQ(Update(32974).m_checked, 0);

    Choose(33008);
    EXPECT_EQ(m_doc->m_circleCmdInt->m_modePattern, "%D");
    EXPECT_EQ(m_doc->m_circleCmdInt->m_lastCircleEditPattern, "%D");
    // The circle command's guidance hands its pair over, then the menu shows the prompt.
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{"guidance", "guidance", "prompt", "preview"}));
    EXPECT_EQ(Update(33008).m_checked, 1);
    m_app->m_interruptKind = 4;
    Choose(33011);
    EXPECT_EQ(m_doc->m_circleCmdInt->m_lastArcEditPattern, "#P");
    EXPECT_EQ(m_doc->m_lineCmdInt->m_modePattern, "#L");
    EXPECT_EQ(Update(33011).m_checked, 1);
    EXPECT_EQ(Update(33013).m_checked, 0);

    m_app->m_interruptKind = 7;
    Choose(33024);
    EXPECT_EQ(m_doc->m_textCmdInt->m_modePattern, "#A");
    EXPECT_EQ(Update(33024).m_checked, 1);
    m_app->m_commandKind = 1;
    Choose(33019);
    EXPECT_EQ(m_doc->m_pointCmd->m_modePattern, "#P");
    EXPECT_EQ(Update(33019).m_checked, 1);

    // The line edits refresh the length-input flag with the interrupt circle command's routine,
    // so the circle's own mode decides: a length goes to the interrupt, never to the main command.
    struct LengthCase {
        UINT id;
        int options;              // the circle and arc popup options
        const char* circleMode;
        int interrupt;
    };
    const LengthCase lengthCases[] = {
        { 32973, 0, "#P", 1 }, { 32976, 0, "%D", 1 }, { 32976, 1, "#P", 0 }, { 32975, 1, "%D", 1 },
    };
    for (const LengthCase& c : lengthCases) {
        SCOPED_TRACE(c.id);
        m_app->m_appCommand.m_circleFlag = c.options;
        m_app->m_appCommand.m_arcFlag = c.options;
        m_doc->m_circleCmdInt->m_modePattern = c.circleMode;
        m_app->m_interruptKind = 2;
        m_app->m_lengthInputMain = 1;
        m_app->m_lengthInputInterrupt = 0;
        Choose(c.id);
        EXPECT_EQ(m_app->m_lengthInputMain, 0);
        EXPECT_EQ(m_app->m_lengthInputInterrupt, c.interrupt);
    }
}

TEST_F(ViewSubModes, DragItemsFollowTheDeformSelection)
{
    const UINT others[] = { 32960, 33036, 33044, 33045, 33050, 33040, 33041, 33042, 33043 };
    m_doc->m_groupProcessing = 1;
    m_doc->m_deformMode = 1;
    for (UINT id : others)
        EXPECT_EQ(Update(id).m_enabled, 0) << id;
    EXPECT_EQ(Update(33039).m_enabled, 1);
    EXPECT_EQ(Update(33046).m_enabled, 1);
    m_doc->m_deformMode = 0;
    for (UINT id : others)
        EXPECT_EQ(Update(id).m_enabled, 1) << id;
    m_group->modePattern = "ZP";
    const CRecordedUI deform = Update(33039);
    EXPECT_EQ(deform.m_enabled, 0);
    EXPECT_EQ(deform.m_checked, 0);
    // Move and copy share their pattern: the move flag tells them apart; the layer move is ticked
    // with the move pattern.
    Choose(33036);
    EXPECT_EQ(m_group->modePattern, "PP");
    EXPECT_EQ(m_group->m_moveFlag, 0);
    EXPECT_EQ(m_group->m_preset, 1);
    EXPECT_EQ(Update(33036).m_checked, 1);
    EXPECT_EQ(Update(32960).m_checked, 0);
    EXPECT_EQ(Update(33050).m_checked, 1);
    Choose(33041);
    EXPECT_EQ(m_group->m_lastInputKind, 14);
    EXPECT_EQ(m_group->m_lastInputSubCode, 34);
    m_app->m_appElem.m_layerCondition = 0;
    Choose(33050);
    EXPECT_EQ(m_group->modePattern, "Y");
    EXPECT_EQ(m_group->m_lastInputKind, 17);
    EXPECT_EQ(m_app->m_appElem.m_layerCondition, 0);
    CZelkDoc symbol;
    symbol.m_bAutoDelete = FALSE;
    m_app->m_symbolDoc = &symbol;
    EXPECT_EQ(Update(33046).m_enabled, 0);
    m_app->m_symbolDoc = nullptr;
}

TEST_F(ViewSubModes, DeleteWithNothingSelectedLeavesGroupProcessingWithoutAnUndoStep)
{
    m_doc->m_groupProcessing = 1;
    m_doc->m_deformMode = 1;
    Choose(33046);
    EXPECT_EQ(m_app->m_lastMessage, "群処理モードを解除しました");
    EXPECT_EQ(m_doc->m_undoHistory->GetStepCount(), 0);
    EXPECT_EQ(m_doc->m_groupProcessing, 0);
    EXPECT_EQ(m_doc->m_deformMode, 0);
    // With a selected line it is deleted as one undo step.
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    CLines* block = m_doc->AddLine(W(0, 0), W(10, 0), 0, pen);
    block->m_slots[block->m_count - 1].m_mark = 2;
    m_doc->m_groupProcessing = 1;
    Choose(33046);
    EXPECT_EQ(m_app->m_lastMessage, "選択要素を消去し、群処理モードを解除しました");
    EXPECT_EQ(m_doc->m_undoHistory->GetStepCount(), 1);
}

// ---- gesture tooltips and announcements ----------------------------------------------------

RECT ToolRect(const CZelkView& view, UINT id)
{
    for (const CToolTipCtrl::Tool& t : view.m_gestureTips->Tools())
        if (t.id == id)
            return t.rect;
    ADD_FAILURE() << "no tool " << id;
    return RECT{};
}

TEST_F(ViewSubModes, GestureZonesLieAroundThePressPoint)
{
    m_app->m_appFind.gestureZoneSize = 25;
    m_view->m_pressPoint = POINT{400, 300};
    m_view->LayGestureTooltips(0);
    ASSERT_EQ(m_view->m_gestureTips->GetToolCount(), 9);
    const RECT zoomIn = ToolRect(*m_view, 59395);
    EXPECT_EQ(zoomIn.left, 425);
    EXPECT_EQ(zoomIn.right, 1900);
    EXPECT_EQ(zoomIn.top, -1200);
    EXPECT_EQ(zoomIn.bottom, 300);
    const RECT all = ToolRect(*m_view, 59398);
    EXPECT_EQ(all.top, 278);
    EXPECT_EQ(all.bottom, 322);
    EXPECT_EQ(ToolRect(*m_view, 59397).bottom, 273);
    EXPECT_EQ(ToolRect(*m_view, 59399).top, 327);
    for (const CToolTipCtrl::Tool& t : m_view->m_gestureTips->Tools()) {
        CString text;
        AfxLoadString(t.id, text);
        EXPECT_EQ(t.text, text);
        EXPECT_FALSE(text.IsEmpty()) << t.id;
    }
    EXPECT_EQ(m_view->m_gestureTips->Tools()[2].text, "拡大");
    // Any other kind clears and lays nothing; an announcing kind lays its one tool.
    m_view->LayGestureTooltips(11);
    EXPECT_EQ(m_view->m_gestureTips->GetToolCount(), 0);
    EXPECT_TRUE(m_view->m_gestureTips->IsActive());
    m_view->LayGestureTooltips(4);
    ASSERT_EQ(m_view->m_gestureTips->GetToolCount(), 1);
    EXPECT_EQ(m_view->m_gestureTips->Tools()[0].id, 59408u);
    EXPECT_EQ(m_view->m_gestureTips->Tools()[0].text, "EDIT");
}

TEST_F(ViewSubModes, MultiCommandSettingAnnouncesSwitchesWithBeepsAndATip)
{
    m_app->m_noPopupMenu = 1;
    struct Case {
        int code;
        std::vector<DWORD> sleeps;
        UINT tool;
    };
    const Case cases[] = {
        { 2, {}, 59405 },
        { 3, { 100 }, 59406 },
        { 7, { 100, 100 }, 59409 },
        { 1003, { 50, 50, 50 }, 59408 },
    };
    for (const Case& c : cases) {
        DefaultScriptedServices() = CScriptedServices();
        m_view->ShowCommandPopupMenu(c.code, 0, 1);
        EXPECT_EQ(DefaultScriptedServices().m_beeps, std::vector<UINT>(c.sleeps.size() + 1, 0)) << c.code;
        EXPECT_EQ(DefaultScriptedServices().m_sleeps, c.sleeps) << c.code;
        ASSERT_EQ(m_view->m_gestureTips->GetToolCount(), 1);
        EXPECT_EQ(m_view->m_gestureTips->Tools()[0].id, c.tool);
    }
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownMenus.empty());
    // Both announcements off: nothing to see or hear, and still no menu.
    m_app->m_noBeepOnSwitch = 1;
    m_app->m_noTipOnSwitch = 1;
    DefaultScriptedServices() = CScriptedServices();
    m_view->LayGestureTooltips(11);
    m_view->ShowCommandPopupMenu(3, 0, 1);
    EXPECT_TRUE(DefaultScriptedServices().m_beeps.empty());
    EXPECT_EQ(m_view->m_gestureTips->GetToolCount(), 0);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownMenus.empty());
    // The drag is never announced: its menu opens.
    m_view->ShowCommandPopupMenu(13, 0, 1);
    ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownMenus[0][0].id, 32960u);
}

TEST_F(ViewSubModes, PopupMenusOpenBesideThePointer)
{
    m_view->m_mousePoint = POINT{200, 150};
    struct Case {
        int code;
        int general;
        int popupType;
        UINT firstItem;
        POINT at;
    };
    const Case cases[] = {
        { 3, 1, 0, 32981, { 230, 150 } },      // the command's own menu, 30 pixels right
        { 1003, 0, 1, 33007, { 300, 250 } },   // an edit menu, 100 right and 100 down
        { 2, 1, 1, 0, { 205, 150 } },          // the general menu, 5 pixels right
    };
    for (const Case& c : cases) {
        DefaultScriptedUiServices().Reset();
        m_app->m_appCommand.popupMenuType = c.popupType;
        m_view->ShowCommandPopupMenu(c.code, c.general, 0);
        ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u) << c.code;
        EXPECT_EQ(DefaultScriptedUiServices().m_shownMenus[0][0].id, c.firstItem) << c.code;
        EXPECT_EQ(DefaultScriptedUiServices().m_shownMenuPoints[0].x, c.at.x) << c.code;
        EXPECT_EQ(DefaultScriptedUiServices().m_shownMenuPoints[0].y, c.at.y) << c.code;
    }
    EXPECT_EQ(DefaultScriptedUiServices().m_shownMenuFlags[0], static_cast<UINT>(TPM_LEFTALIGN | TPM_RIGHTBUTTON));
    // In the multi-command setting a line, circle or arc menu hangs from the screen's right edge.
    DefaultScriptedUiServices().Reset();
    m_app->m_noPopupMenu = 1;
    m_app->m_appCommand.popupMenuType = 0;
    m_view->ShowCommandPopupMenu(4, 1, 0);
    CClientDC screen(nullptr);
    ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownMenus[0][0].id, 32998u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownMenuPoints[0].x, screen.GetDeviceCaps(HORZRES));
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 1);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownMenuFlags[0], static_cast<UINT>(TPM_RIGHTALIGN | TPM_RIGHTBUTTON));
    DefaultScriptedUiServices().Reset();
    m_view->ShowCommandPopupMenu(11, 0, 0);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownMenus.empty());
}

// The mode items of the line, circle and arc menus show the input each expects first in a
// second column; the command items closing each menu show their keys there.
TEST_F(ViewSubModes, ModeItemsShowTheirFirstInputAndCommandItemsTheirKey)
{
    struct Item {
        int code;  // the command whose menu holds the item
        UINT id;
        const char* text;
    };
    const Item items[] = {
        { 2, 32953, "2点線\t点" }, { 2, 32962, "通過角度線\t点ドラッグ" },
        { 2, 32964, "始点角度線/角度放射線\t点" }, { 2, 32980, "始点長さ線/長さ放射線\t点" },
        { 2, 32965, "接線\t円、点" }, { 2, 32966, "平行線\t線、点" },
        { 2, 32968, "傾斜線/垂線/傾斜放射線\t線" }, { 2, 32969, "連続角度線\t角度" },
        { 2, 32970, "連続長さ線\t長さ" }, { 2, 32971, "面取り\t長さ" }, { 2, 32972, "矩形\t点" },
        { 3, 32981, "中心(接)円/同心円\t円、点" }, { 3, 32985, "直径円\t点" }, { 3, 32986, "弧角円\t角度" },
        { 3, 32987, "連続半径円\t半径" }, { 3, 32989, "連続半径接円/2点円\t半径" },
        { 3, 32995, "３要素接円～３点円\t線、円、点" }, { 3, 32996, "多角形\t角数" },
        { 3, 32997, "連続半径多角形\t半径" },
        { 4, 32998, "中心(接)円弧/同心円弧\t円、点" }, { 4, 32999, "半円弧\t点" }, { 4, 33000, "弧角円弧\t角度" },
        { 4, 33001, "連続半径円弧\t半径" }, { 4, 33002, "連続半径接円弧/2点/角丸め\t半径" },
        { 4, 33004, "３要素接円弧/３点円弧\t線、円、点" }, { 4, 33005, "多角形\t角数" },
        { 4, 33006, "連続半径多角形\t半径" },
        // The command items, the same in every command's menu.
        { 1, 32897, "点\tP" }, { 2, 32776, "線分\tL" }, { 3, 32789, "円\tC" }, { 4, 32777, "円弧\tA" },
        { 7, 32778, "文字\tT" }, { 10, 32805, "寸法線\tD" }, { 12, 32900, "書きなぐり線\tZ" },
        { 13, 32901, "ループ\tO" }, { 3, 32894, "マルチテキスト\tShift+T" }, { 4, 32895, "群処理" },
        { 2, 32864, "削除" }, { 1, 32898, "シンボル\tG" }, { 13, 33046, "削除\tDel" },
    };
    m_app->m_appCommand.popupMenuType = 0;
    for (const Item& item : items) {
        SCOPED_TRACE(item.id);
        DefaultScriptedUiServices().Reset();
        m_view->ShowCommandPopupMenu(item.code, 0, 0);
        ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u);
        const std::vector<CPopupItem>& shown = DefaultScriptedUiServices().m_shownMenus[0];
        std::string text = "(missing)";
        for (const CPopupItem& entry : shown)
            if (entry.id == item.id)
                text = entry.text.GetString();
        EXPECT_EQ(text, item.text);
    }
}

// ---- reading order -------------------------------------------------------------------------

class ViewReadingOrder : public ViewSubModes {
protected:
    // A selected text whose underline starts at (x, y), in a font of the angle.
    void Text(const char* s, double x, double y, double angle = 0, std::int16_t layer = 0, std::uint8_t mark = 2)
    {
        LOGFONT font{};
        const std::int16_t f = m_doc->FindOrAddFont(font, 0, 30, 1, angle);
        CTexts* block = m_doc->AddText(W(x, y), s, RGB(0, 0, 0), 8, 0, f);
        CText& t = block->m_slots[block->m_count - 1];
        t.m_layer = layer;
        t.m_underlineStart = W(x, y);
        t.m_mark = mark;
    }
    std::vector<std::string> Collect()
    {
        CStringArray out;
        out.Add("kept");
        m_view->CollectTextsInReadingOrder(out);
        std::vector<std::string> s;
        for (int i = 1; i < out.GetSize(); ++i)
            s.push_back(out[i].GetString());
        return s;
    }
};

TEST_F(ViewReadingOrder, HorizontalTextsReadLineByLineLeftToRight)
{
    Text("c2", 50, 10);
    Text("a1", 0, 30);
    Text("b2", 20, 20);
    Text("c1", 0, 10);
    Text("a2", 40, 30);
    Text("b1", 0, 20);
    Text("unselected", 0, 40, 0, 0, 0);
    EXPECT_EQ(Collect(), (std::vector<std::string>{"a1", "a2", "b1", "b2", "c1", "c2"}));
}

TEST_F(ViewReadingOrder, EqualStartsComeInReverseStorageOrder)
{
    Text("first", 5, 5);
    Text("second", 5, 5);
    Text("third", 5, 5);
    EXPECT_EQ(Collect(), (std::vector<std::string>{"third", "second", "first"}));
}

TEST_F(ViewReadingOrder, TheMeanAngleChoosesTheDirection)
{
    // 135: read from right to left, bottom line first (upside-down texts).
    Text("top left", 0, 10, 135);
    Text("bottom right", 10, 0, 135);
    Text("bottom left", 0, 0, 135);
    EXPECT_EQ(Collect(), (std::vector<std::string>{"bottom right", "bottom left", "top left"}));
    // 45 stays with the horizontal reading.
    m_doc->FreeContents();
    m_doc->InitContents();
    Text("lower", 0, 0, 45);
    Text("upper", 10, 10, 45);
    EXPECT_EQ(Collect(), (std::vector<std::string>{"upper", "lower"}));
}

TEST_F(ViewReadingOrder, TextsOnALayerHiddenHereAreLeftOutEvenWithAllLayersShown)
{
    const std::int16_t hidden = m_doc->FindOrCreateLayer("hidden");
    m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    m_view->m_layerStates[hidden] = 1;
    m_view->m_showAllLayers = 1;
    Text("shown", 0, 0);
    Text("hidden", 0, 10, 0, hidden);
    Text("beyond the words", 0, 20, 0, 40);
    EXPECT_EQ(Collect(), (std::vector<std::string>{"beyond the words", "shown"}));
    m_doc->FreeContents();
    m_doc->InitContents();
    CStringArray none;
    EXPECT_FALSE(m_view->CollectTextsInReadingOrder(none));
    EXPECT_EQ(none.GetSize(), 0);
}

} // namespace

namespace {

TEST_F(ViewSubModes, TextEditItemsPrepareTheInputBar)
{
    CInputBar bar;
    m_app->m_inputBar = &bar;
    m_doc->m_textCmdInt->m_string = "部品表";
    Choose(33023);
    EXPECT_EQ(m_doc->m_textCmdInt->m_modePattern, "#T");
    EXPECT_EQ(bar.m_currentList, 2);
    EXPECT_EQ(bar.m_enteredText, "部品表");   // not in the list: it becomes the edit text
    Choose(33024);
    EXPECT_EQ(bar.m_currentList, 1);
    Choose(32957);
    EXPECT_EQ(m_doc->m_textCmd->m_modePattern, "P");
    EXPECT_EQ(bar.m_currentList, 2);
    m_app->m_inputBar = nullptr;
}

TEST_F(ViewSubModes, AnOffsetMovesTheBasePointAcrossTheCurrentAngle)
{
    m_doc->m_curAngle = 0;
    m_doc->m_basePoint = W(10, 10);
    m_view->OffsetBasePoint(5);
    EXPECT_NEAR(m_doc->m_basePoint.m_x, 10, 1e-12);
    EXPECT_NEAR(m_doc->m_basePoint.m_y, 15, 1e-12);
    EXPECT_EQ(m_view->m_lines.back().rfind("オフセットの点座標は ( ", 0), 0u);
    const CPointD user = m_doc->WorldToRelative(W(10, 15));
    EXPECT_DOUBLE_EQ(m_doc->m_refPoint.m_x, user.m_x);
    EXPECT_DOUBLE_EQ(m_doc->m_refPoint.m_y, user.m_y);
}

} // namespace
