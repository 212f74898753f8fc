// The view's command feedback in the started program under the user's mouse: the popup menu of
// the circle command at the pointer and its mode chosen from it, the zones of a Shift drag, and
// the beeps and tip that replace the menu in the multi-command setting.
#include "app/AppCommand.h"
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "input/InputBar.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroVariable.h"
#include "macro/TextDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WinUser.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ViewCommandWindow : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = StartShownApplication();
        ASSERT_NE(m_app, nullptr);
        m_view = m_app->m_activeView;
        m_doc = m_view->m_document;
    }
    void TearDown() override { StopApplication(m_app); }

    // The right-button drag round the press point that switches to the circle command.
    void CircleGesture(POINT press)
    {
        m_app->m_commandKind = 2;
        UiDriver::MouseDown(m_view, press, UiDriver::Right);
        for (POINT m : {POINT{60, 0}, POINT{60, -80}, POINT{-90, -80}, POINT{-90, 100}})
            UiDriver::MouseMove(m_view, POINT{press.x + m.x, press.y + m.y});
        UiDriver::MouseUp(m_view, POINT{press.x - 90, press.y + 100}, UiDriver::Right);
        UiDriver::Pump();
    }
    static UINT FlagsOf(const std::vector<CPopupItem>& items, UINT id)
    {
        for (const CPopupItem& item : items)
            if (item.id == id)
                return item.flags;
        ADD_FAILURE() << "no item " << id;
        return 0;
    }

    CZelkApp* m_app = nullptr;
    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

TEST_F(ViewCommandWindow, TheCircleMenuOpensBesideThePointerAndItsChoiceIsTicked)
{
    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32987);
    CircleGesture(POINT{300, 250});
    ASSERT_EQ(m_app->m_commandKind, 3);
    auto& ui = DefaultScriptedUiServices();
    ASSERT_EQ(ui.m_shownMenus.size(), 1u);
    EXPECT_EQ(ui.m_shownMenus[0][0].id, 32981u);   // the first item of "CIRCLE"
    POINT pointer = m_view->m_mousePoint;
    m_view->ClientToScreen(&pointer);
    EXPECT_EQ(ui.m_shownMenuPoints[0].x, pointer.x + 30);
    EXPECT_EQ(ui.m_shownMenuPoints[0].y, pointer.y);
    // The choice came back as a command of the frame and reached the drawing window.
    EXPECT_EQ(m_doc->m_circleCmd->m_modePattern, "DP");
    EXPECT_EQ(m_app->m_modeFromMenu, 1);
    EXPECT_EQ(FlagsOf(ui.m_shownMenus[0], 32987) & MF_CHECKED, 0u);
    m_view->ShowCommandPopupMenu(3, 0, 0);
    ASSERT_EQ(ui.m_shownMenus.size(), 2u);
    EXPECT_EQ(FlagsOf(ui.m_shownMenus[1], 32987) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(FlagsOf(ui.m_shownMenus[1], 32981) & MF_CHECKED, 0u);
    EXPECT_EQ(FlagsOf(ui.m_shownMenus[1], 32789) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

// "文字変更" chosen from the text-edit menu offers the text being edited in the input box: the
// listed entry when the text is one, else the text itself, never a longer entry beginning with it.
TEST_F(ViewCommandWindow, TheTextChangeItemOffersTheEditedTextInTheInputBox)
{
    m_app->m_inputBar->GetList(2).AddRecent("部品表");
    m_app->m_inputBar->GetList(2).AddRecent("部品");
    CInputComboBox& box = m_app->m_pMainFrame->m_wndInputBar.m_inputBox;
    struct Case {
        const char* edited;
        bool listed;
    };
    for (const Case& c : {Case{"部品", true}, Case{"部", false}, Case{"部品表の脚注", false}}) {
        SCOPED_TRACE(c.edited);
        m_doc->m_textCmdInt->m_string = c.edited;
        DefaultScriptedUiServices().QueueMenuChoice(33023);
        m_view->ShowCommandPopupMenu(1007, 0, 0);
        UiDriver::Pump();
        EXPECT_EQ(m_doc->m_textCmdInt->m_modePattern, "#T");
        CString shown;
        box.GetWindowText(shown);
        EXPECT_EQ(shown, CString(c.edited));
        if (c.listed) {
            ASSERT_GE(box.GetCurSel(), 0);
            CString entry;
            box.GetLBText(box.GetCurSel(), entry);
            EXPECT_EQ(entry, CString(c.edited));
        } else {
            EXPECT_EQ(m_app->m_inputBar->m_enteredText, CString(c.edited));
            EXPECT_EQ(m_app->m_pMainFrame->m_wndInputBar.m_boxText, CString(c.edited));
        }
    }
}

TEST_F(ViewCommandWindow, AShiftPressLaysTheZonesOfTheScreenOperations)
{
    m_app->m_appFind.gestureZoneSize = 25;
    UiDriver::MouseDown(m_view, POINT{400, 300}, UiDriver::Right, UiDriver::Shift);
    ASSERT_NE(m_view->m_gestureTips, nullptr);
    EXPECT_TRUE(m_view->m_gestureTips->IsActive());
    RECT zoomIn{};
    RECT all{};
    for (const CToolTipCtrl::Tool& t : m_view->m_gestureTips->Tools()) {
        if (t.id == 59395) {
            zoomIn = t.rect;
            EXPECT_EQ(t.text, "拡大");
        }
        if (t.id == 59398) {
            all = t.rect;
            EXPECT_EQ(t.text, "全表示");
        }
    }
    EXPECT_EQ(m_view->m_gestureTips->GetToolCount(), 9);
    EXPECT_EQ(zoomIn.left, 425);
    EXPECT_EQ(zoomIn.right, 1900);
    EXPECT_EQ(zoomIn.top, -1200);
    EXPECT_EQ(zoomIn.bottom, 300);
    EXPECT_EQ(all.top, 278);
    EXPECT_EQ(all.bottom, 322);
    UiDriver::MouseUp(m_view, POINT{400, 300}, UiDriver::Right, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_FALSE(m_view->m_gestureTips->IsActive());
}

TEST_F(ViewCommandWindow, TheZoneUnderTheDragNamesItsOperationAndTheReleaseHidesIt)
{
    m_app->m_appFind.gestureZoneSize = 25;
    const CWnd* tipsWindow = nullptr;
    auto shownAfterTheWait = [&](POINT at) -> UINT {
        UiDriver::MouseMove(m_view, at);
        tipsWindow = m_view->m_gestureTips.get();
        DefaultScriptedServices().FireTimer(tipsWindow, 1);
        const CToolTipCtrl::Tool* shown = m_view->m_gestureTips->GetShownTool();
        return shown ? shown->id : 0;
    };
    UiDriver::MouseDown(m_view, POINT{400, 300}, UiDriver::Left, UiDriver::Shift);
    EXPECT_EQ(shownAfterTheWait(POINT{600, 200}), 59395u);  // up and to the right: "拡大"
    EXPECT_EQ(shownAfterTheWait(POINT{300, 305}), 59398u);  // to the left: "全表示"
    EXPECT_EQ(shownAfterTheWait(POINT{300, 275}), 0u);      // the band between two zones
    UiDriver::MouseUp(m_view, POINT{300, 275}, UiDriver::Left, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_FALSE(m_view->m_gestureTips->IsActive());
    EXPECT_EQ(shownAfterTheWait(POINT{600, 200}), 0u);

    // The middle button lays the zones without Shift; its release hides them too.
    UiDriver::MouseDown(m_view, POINT{400, 300}, UiDriver::Middle);
    EXPECT_EQ(shownAfterTheWait(POINT{600, 200}), 59395u);
    UiDriver::MouseUp(m_view, POINT{600, 200}, UiDriver::Middle);
    UiDriver::Pump();
    EXPECT_FALSE(m_view->m_gestureTips->IsActive());
}

TEST_F(ViewCommandWindow, ACommandLetterPopsUpItsMenuButAMacroSwitchDoesNot)
{
    m_app->m_noPopupMenu = 0;
    m_app->m_appCommand.m_circleFlag = 1;
    UiDriver::MouseMove(m_view, POINT{250, 200});
    m_doc->m_circleCmd->m_modePattern = "DP";
    auto& ui = DefaultScriptedUiServices();
    UiDriver::Key('C');
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_commandKind, 3);
    ASSERT_EQ(ui.m_shownMenus.size(), 1u);
    EXPECT_EQ(ui.m_shownMenus[0][0].id, 32981u);
    POINT pointer{250, 200};
    m_view->ClientToScreen(&pointer);
    EXPECT_EQ(ui.m_shownMenuPoints[0].x, pointer.x + 30);
    EXPECT_EQ(ui.m_shownMenuPoints[0].y, pointer.y);
    // The command offers its menu from its first mode.
    EXPECT_EQ(m_doc->m_circleCmd->m_modePattern, "PP");

    m_app->SwitchMode(m_doc, m_view, 1, 4, 1);
    EXPECT_EQ(m_app->m_commandKind, 4);
    EXPECT_EQ(ui.m_shownMenus.size(), 1u);
    // Without its popup flag the command starts as it stands.
    m_app->m_appCommand.m_circleFlag = 0;
    UiDriver::Key('C');
    UiDriver::Pump();
    EXPECT_EQ(ui.m_shownMenus.size(), 1u);
}

TEST_F(ViewCommandWindow, EachCommandWithItsPopupFlagStartsFromItsFirstModeWithItsMenu)
{
    m_app->m_noPopupMenu = 0;
    struct Case {
        short kind;
        int CAppCommand::*flag;
        CString* pattern;
        const char* first;
        UINT firstItem;
    } cases[] = {
        {1, &CAppCommand::m_pointFlag, &m_doc->m_pointCmd->m_modePattern, "P", 33017},
        {2, &CAppCommand::m_lineFlag, &m_doc->m_lineCmd->m_modePattern, "SE", 32953},
        {3, &CAppCommand::m_circleFlag, &m_doc->m_circleCmd->m_modePattern, "PP", 32981},
        {4, &CAppCommand::m_arcFlag, &m_doc->m_circleCmd->m_modePattern, "PP", 32998},
        {7, &CAppCommand::m_textFlag, &m_doc->m_textCmd->m_modePattern, "P", 32957},
        {10, &CAppCommand::m_dimFlag, &m_doc->m_dimCmd->m_modePattern, "APPP", 33027},
        {12, &CAppCommand::m_loopFlag, &m_doc->m_loopCmd->m_modePattern, "OAP", 33147},
    };
    auto& ui = DefaultScriptedUiServices();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        m_app->m_appCommand.*c.flag = 1;
        *c.pattern = "X";
        const size_t shown = ui.m_shownMenus.size();
        m_app->SwitchMode(m_doc, m_view, 1, c.kind, 0);
        EXPECT_EQ(*c.pattern, CString(c.first));
        ASSERT_EQ(ui.m_shownMenus.size(), shown + 1);
        EXPECT_EQ(ui.m_shownMenus.back()[0].id, c.firstItem);
        // Without the flag, or without a view, the command starts as it stands.
        m_app->m_appCommand.*c.flag = 0;
        *c.pattern = "X";
        m_app->SwitchMode(m_doc, m_view, 1, c.kind, 0);
        m_app->m_appCommand.*c.flag = 1;
        m_app->SwitchMode(m_doc, nullptr, 1, c.kind, 0);
        EXPECT_EQ(*c.pattern, CString("X"));
        EXPECT_EQ(ui.m_shownMenus.size(), shown + 1);
    }
}

TEST_F(ViewCommandWindow, ThePointerInTheDrawingShowsThePromptAndLeavingItErasesThePreviews)
{
    m_app->m_prompt = "[線分] 始点";
    UiDriver::MouseMove(m_view, POINT{200, 150});
    EXPECT_EQ(m_app->m_pMainFrame->m_wndStatusBar.GetPaneText(0), CString("[線分] 始点"));
    // While the input box offers fonts or line types, the drawing takes the keys as soon as the
    // pointer is over it, so that a pick can answer; other lists keep the box's focus.
    CInputComboBox& box = m_app->m_pMainFrame->m_wndInputBar.m_inputBox;
    for (int list : {1, 3, 9}) {
        SCOPED_TRACE(list);
        box.SetFocus();
        m_app->m_inputBar->m_currentList = list;
        UiDriver::MouseMove(m_view, POINT{210 + list, 150});
        EXPECT_EQ(CWnd::GetFocus() == m_view, list != 1);
    }
    m_app->m_inputBar->m_currentList = 1;
    m_view->m_crossShown = 1;
    RECT client;
    m_view->GetClientRect(&client);
    POINT outside{client.right + 2, 10};  // on the vertical scroll bar
    m_view->ClientToScreen(&outside);
    EXPECT_EQ(m_view->SendMessage(WM_NCHITTEST, 0, MAKELONG(outside.x, outside.y)), HTVSCROLL);
    EXPECT_EQ(m_view->m_crossShown, 0);

    // The pointer leaving the drawing's window for the frame's status bar.
    UiDriver::MouseMove(m_view, POINT{200, 150});
    m_view->m_crossShown = 1;
    UiDriver::MouseMove(&m_app->m_pMainFrame->m_wndStatusBar, POINT{5, 5});
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_crossShown, 0);
}

TEST_F(ViewCommandWindow, AnEndedScrollStoresItsPositionOrRecentresAtTheEnds)
{
    m_view->m_zoom = 1;
    m_view->m_origin = CPointD();
    m_app->m_specialMode = 53;
    m_app->m_appDraw.showHintLine = 1;
    m_view->ShowHintLine("[画面操作]");
    auto width = [this] { return m_view->m_clientRectLogical.right - m_view->m_clientRectLogical.left; };
    // A position inside the area is kept, and the centre follows it.
    m_view->SendMessage(WM_HSCROLL, MAKELONG(SB_THUMBTRACK, 400), 0);
    m_view->SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    const CPoint inside = m_view->GetScrollPosition();
    ASSERT_GT(inside.x, 0);
    EXPECT_EQ(m_view->m_scrollPos.x, inside.x);
    EXPECT_EQ(m_app->m_viewScrollPos.x, inside.x);
    EXPECT_DOUBLE_EQ(m_view->m_centre.m_x, inside.x + width() / 2);
    EXPECT_EQ(m_app->m_specialMode, 0);
    EXPECT_EQ(m_view->m_hintText, CString(""));
    EXPECT_EQ(m_view->m_fitOnResize, 0);

    // At the left end the view is centred on its centre point again.
    m_view->SendMessage(WM_HSCROLL, SB_TOP, 0);
    m_view->SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    // (The client width in logical units may round one unit apart once scrolled.)
    EXPECT_NEAR(m_view->m_scrollPos.x, 16000 - width() / 2, 1);
    EXPECT_DOUBLE_EQ(m_view->m_origin.m_x, m_view->m_centre.m_x - 16000);

    // The user clicks the lower arrow of the vertical bar: once the button is up the view keeps
    // where the drawing went.
    RECT client;
    m_view->GetClientRect(&client);
    const CPoint before = m_view->GetScrollPosition();
    UiDriver::Click(m_view, POINT{client.right + 5, client.bottom - 5});
    UiDriver::Pump();
    const CPoint after = m_view->GetScrollPosition();
    EXPECT_LT(after.y, before.y);
    EXPECT_EQ(m_view->m_scrollPos.y, after.y);
}

TEST_F(ViewCommandWindow, ShiftWOffersTheRenameLineOfTheWriteLayer)
{
    m_doc->m_writeLayer = m_doc->FindOrCreateLayer("本図");
    UiDriver::Click(m_view, POINT{200, 150});
    UiDriver::Key('W', UiDriver::Shift);
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptMode, 34);
    CInputComboBox& box = m_app->m_pMainFrame->m_wndInputBar.m_inputBox;
    CString text;
    box.GetWindowText(text);
    EXPECT_EQ(text, CString("rn,本図,"));
    // The caret waits at the end for the new name.
    const DWORD selection = box.GetEditSel();
    EXPECT_EQ(static_cast<int>(LOWORD(selection)), text.GetLength());
    EXPECT_EQ(static_cast<int>(HIWORD(selection)), text.GetLength());
    EXPECT_EQ(box.m_keepList, 1);
    CStringArray names;
    m_doc->GetLayerNames(names);
    EXPECT_EQ(m_app->m_inputBar->GetList(7).m_texts.GetSize(), names.GetSize());
}

TEST_F(ViewCommandWindow, WithoutPopupMenusASwitchBeepsAndShowsItsTip)
{
    m_app->m_noPopupMenu = 1;
    CircleGesture(POINT{300, 250});
    EXPECT_EQ(DefaultScriptedServices().m_beeps, (std::vector<UINT>{0, 0}));
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, std::vector<DWORD>{100});
    ASSERT_EQ(m_view->m_gestureTips->GetToolCount(), 1);
    const CToolTipCtrl::Tool& tip = m_view->m_gestureTips->Tools()[0];
    EXPECT_EQ(tip.id, 59406u);
    EXPECT_EQ(tip.text, "CIRCLE");
    RECT client;
    m_view->GetClientRect(&client);
    EXPECT_EQ(tip.rect.right, client.right);
    EXPECT_EQ(tip.rect.bottom, client.bottom);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownMenus.empty());
}

TEST_F(ViewCommandWindow, TheSingleLayerMenuCommandStepsThroughTheLayers)
{
    m_doc->FindOrCreateLayer("A");
    m_doc->FindOrCreateLayer("B");
    m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    ASSERT_EQ(m_view->m_layerStates.GetSize(), 3);
    const CString names[3] = { m_doc->GetLayer(0)->m_name, "A", "B" };
    for (int i = 0; i < 3; ++i) {
        m_app->m_pMainFrame->SendMessage(WM_COMMAND, 33088, 0);
        UiDriver::Pump();
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(m_view->m_layerStates[k], k == i ? 0 : 1) << i << k;
        EXPECT_EQ(m_view->m_messageText, CString("レイヤ ") + names[i] + " を表示しました");
    }
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 33088, 0);
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_messageText, "参照レイヤを表示しました");
    EXPECT_EQ(m_view->HasHiddenLayer(), 0);
    EXPECT_EQ(m_view->m_singleLayerMode, 0);
}

// F2 typed in the drawing steps forward through the layers and back to the saved display;
// Shift+F2 steps backward (from the start it restores first, then shows the last layer);
// Ctrl+F2 ends the view at once.
TEST_F(ViewCommandWindow, TheF2KeysStepThroughTheLayersBothWays)
{
    m_doc->FindOrCreateLayer("A");
    m_doc->FindOrCreateLayer("B");
    m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    m_view->m_layerStates[2] = 1;   // the saved display hides B
    const std::vector<WORD> saved = { 0, 0, 1 };
    auto words = [&] {
        std::vector<WORD> w;
        for (int i = 0; i < m_view->m_layerStates.GetSize(); ++i)
            w.push_back(m_view->m_layerStates[i]);
        return w;
    };
    m_view->SetFocus();
    UiDriver::MouseMove(m_view, POINT{200, 150});
    UiDriver::Pump();
    const CString names[3] = { m_doc->GetLayer(0)->m_name, "A", "B" };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        UiDriver::Key(VK_F2);
        UiDriver::Pump();
        std::vector<WORD> only(3, 1);
        only[i] = 0;
        EXPECT_EQ(words(), only);
        EXPECT_EQ(m_view->m_messageText, CString("レイヤ ") + names[i] + " を表示しました");
    }
    UiDriver::Key(VK_F2);
    UiDriver::Pump();
    EXPECT_EQ(words(), saved);
    EXPECT_EQ(m_view->m_messageText, "参照レイヤを表示しました");
    EXPECT_EQ(m_view->m_singleLayerMode, 0);

    UiDriver::Key(VK_F2, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(words(), saved);
    EXPECT_EQ(m_view->m_messageText, "参照レイヤを表示しました");
    UiDriver::Key(VK_F2, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(words(), (std::vector<WORD>{ 1, 1, 0 }));
    EXPECT_EQ(m_view->m_messageText, CString("レイヤ B を表示しました"));
    UiDriver::Key(VK_F2, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(words(), (std::vector<WORD>{ 1, 0, 1 }));

    UiDriver::Key(VK_F2, UiDriver::Control);
    UiDriver::Pump();
    EXPECT_EQ(words(), saved);
    EXPECT_EQ(m_view->m_singleLayerMode, 0);
}

TEST_F(ViewCommandWindow, MacroTextsOpenInATextWindowAndRunOnTheDrawing)
{
    const CString path = ProgramFolder() + "view macro.txt";
    {
        std::ofstream out(FileSystemPath(path.GetString()), std::ios::binary);
        out << "ZelkMacro001\r\nviewval = 7\r\n";
    }
    DefaultScriptedUiServices().QueueFiles({ path });
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 33140, 0);
    UiDriver::Pump();
    CTextDoc* text = m_app->FindTextDocByPath(path);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_ownerDrawing, m_doc);
    CStringArray lines;
    text->GetLines(lines);
    ASSERT_GE(lines.GetSize(), 2);
    EXPECT_EQ(lines[1], "viewval = 7");
    ASSERT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.size(), 1u);

    // Run from the drawing window, the same file sets its variable.
    m_view->SetFocus();
    UiDriver::Pump();
    DefaultScriptedUiServices().QueueFiles({ path });
    m_view->SendMessage(WM_COMMAND, 32835, 0);
    const int index = CMacroInterpreter::FindVariable("viewval");
    ASSERT_GE(index, 0);
    EXPECT_EQ(static_cast<const CMacroVariable*>(m_app->m_variableTable[index])->value, 7.0);
    EXPECT_EQ(m_app->m_lastCommandId, 32835);
}

TEST_F(ViewCommandWindow, TheUseNextInputSwitchIsAnnouncedInTheDrawingWindow)
{
    const std::pair<UINT, const char*> expected[] = { { 59413, "入力データ記録モード" }, { 59414, "入力データ無視モード" } };
    for (const auto& [id, text] : expected) {
        m_app->OnMacroUseNextInput();   // as the menu item and the recorder panel toggle it
        ASSERT_NE(m_view->m_gestureTips, nullptr);
        ASSERT_EQ(m_view->m_gestureTips->GetToolCount(), 1);
        EXPECT_EQ(m_view->m_gestureTips->Tools()[0].id, id);
        EXPECT_EQ(m_view->m_gestureTips->Tools()[0].text, text);
    }
}

} // namespace
