// The settings, drawing-aid and search commands of the started program, sent by id through the
// main frame's routing; their dialogs answered through the scripted window services.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "formats/BufferRoutines.h"
#include "macro/MacroRecorder.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class CProbeUI : public CCmdUI {
public:
    int m_check = -1;
    int m_enabled = -1;
    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        m_enabled = bOn ? 1 : 0;
    }
    void SetCheck(int nCheck) override { m_check = nCheck; }
};

class SettingsCommands : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        CopyDefinitionFiles();
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->m_pMainFrame;
        DefaultScriptedUiServices().m_shownDialogs.clear();  // the first drawing's start-up notices
    }
    void TearDown() override { StopApplication(m_app); }

    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }
    CProbeUI Update(UINT id)
    {
        CProbeUI ui;
        ui.m_nID = id;
        ui.DoUpdate(m_frame, TRUE);
        return ui;
    }
    CString Message() const { return m_app->m_lastMessage; }
    CScriptedUiServices& Ui() { return DefaultScriptedUiServices(); }
    const std::vector<CString>& Opened() { return DefaultScriptedServices().m_opened; }
    CToolBitmapButton& DimButton() { return m_frame->m_wndFindElemBar.m_dimSelectButton; }
    CToolBitmapButton& GroupButton() { return m_frame->m_wndFindElemBar.m_groupSelectButton; }
    CToolBitmapButton& EnvButton() { return m_frame->m_wndSubBar.m_creationEnvButton; }

    CZelkApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
};

// Every command of these menus in help mode opens its page and does nothing else; out of help
// mode it runs and its menu item shows its state.
TEST_F(SettingsCommands, HelpModeOpensThePageOfEveryCommand)
{
    struct Case {
        UINT id;
        const char* page;
    };
    const Case cases[] = {
        { 57601, "Help\\HID_FILE_OPEN.htm" },          { 33063, "Help\\HID_IMAGE.htm" },
        { 32861, "Help\\HID_ATRTYPE_CURRENT.htm" },    { 32872, "Help\\HID_LAYERSAME.htm" },
        { 32808, "Help\\HID_SELECT_INCLUDE.htm" },     { 32811, "Help\\HID_SELECT_CORNER.htm" },
        { 124, "Help\\HID_SELBUTTONALL.htm" },         { 133, "Help\\HID_SELECTITEM.htm" },
        { 33071, "Help\\HID_SELECTCURVE.htm" },        { 32866, "Help\\HID_SELECTDIMENSION_MEMBER.htm" },
        { 32871, "Help\\HID_SELECTGROUP_NON.htm" },    { 140, "Help\\HID_SELPOINT_FREE.htm" },
        { 135, "Help\\HID_SELPOINT_ALL.htm" },         { 32865, "Help\\HID_ATRTYPE_CURRENT.htm" },
        { 32896, "Help\\HID_LAYERCURRENT.htm" },       { 122, "Help\\HID_SELECTDIMENSION_ALL.htm" },
        { 123, "Help\\HID_SELECTGROUP_ALL.htm" },      { 32899, "Help\\HID_RATIO_PLAN.htm" },
        { 32930, "Help\\HID_TEXTALIGNE.htm" },         { 32822, "Help\\HID_TYPE_TEXT_SLANT.htm" },
        { 32824, "Help\\HID_PARAM_TEXT.htm" },         { 33076, "Help\\HID_ANSWER_TEXT.htm" },
        { 32771, "Help\\HID_ATR_CURSORWINDOW.htm" },   { 32924, "Help\\HID_ATR_DRAW.htm" },
        { 32883, "Help\\HID_LINE_SHADE.htm" },         { 32884, "Help\\HID_SHADE_VALUE.htm" },
        { 32925, "Help\\HID_ATR_DIMENSION.htm" },      { 32926, "Help\\HID_ATR_PRINT.htm" },
        { 32928, "Help\\HID_ATR_OTHER.htm" },
    };
    const CAppFind findBefore = m_app->m_appFind;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        DefaultScriptedServices().m_opened.clear();
        m_app->m_contextHelpMode = 11;
        m_app->m_lastCommandId = 4321;
        m_app->m_previousPrompt = "前の指示";
        m_app->m_previousHint = "前のヒント";
        m_app->m_prompt = "今";
        Command(c.id);
        ASSERT_EQ(Opened().size(), 1u);
        EXPECT_EQ(Opened()[0], ProgramFolder() + c.page);
        EXPECT_EQ(m_app->m_contextHelpMode, 0);
        EXPECT_EQ(m_app->m_lastCommandId, 4321);
        EXPECT_EQ(m_app->m_prompt, CString("前の指示"));
        EXPECT_EQ(m_app->m_hint, CString("前のヒント"));
        EXPECT_EQ(Message(), CString(""));
    }
    // Nothing ran: no dialog, no setting changed.
    EXPECT_TRUE(Ui().m_shownDialogs.empty());
    EXPECT_EQ(m_app->m_appFind.selectableKinds, findBefore.selectableKinds);
    EXPECT_EQ(m_app->m_appFind.boxSelectionMode, findBefore.boxSelectionMode);
    EXPECT_EQ(m_app->m_appElem.m_draftMode, 0);
}

TEST_F(SettingsCommands, KindAndPointSearchSwitches)
{
    CAppFind& f = m_app->m_appFind;
    ASSERT_EQ(f.selectableKinds, 958);
    // Six kinds and both selection types counted: everything goes off, then on again.
    Command(124);
    EXPECT_EQ(f.selectableKinds, 0);
    EXPECT_EQ(f.annotationGroupSelectMode, 3);
    EXPECT_EQ(f.groupSelectMode, 3);
    EXPECT_EQ(Message(), CString("全ての要素の選択を無効としました"));
    EXPECT_EQ(DimButton().m_nBitmaps[0], 170u);
    EXPECT_EQ(GroupButton().m_nBitmaps[0], 168u);
    Command(124);
    EXPECT_EQ(f.selectableKinds, 958);
    EXPECT_EQ(f.annotationGroupSelectMode, 1);
    EXPECT_EQ(f.groupSelectMode, 1);
    EXPECT_EQ(Message(), CString("全ての要素の選択を有効としました"));
    EXPECT_EQ(DimButton().m_nBitmaps[0], 161u);
    EXPECT_EQ(DimButton().m_nBitmaps[1], 163u);

    struct Toggle {
        UINT id;
        int bit;
        const char* off;
        const char* on;
    };
    const Toggle kinds[] = {
        { 117, 2, "点の選択を無効としました", "点の選択を有効としました" },
        { 121, 32, "文字列の選択を無効としました", "文字列の選択を有効としました" },
        { 33070, 256, "楕円(弧)の選択を無効としました", "楕円(弧)の選択を有効としました" },
        { 133, 128, "リンクアイテムの選択を無効としました", "リンクアイテムの選択を有効としました" },
    };
    for (const Toggle& t : kinds) {
        SCOPED_TRACE(t.id);
        Command(t.id);
        EXPECT_EQ(f.selectableKinds, 958 - t.bit);
        EXPECT_EQ(Message(), CString(t.off));
        EXPECT_EQ(Update(t.id).m_check, 0);
        Command(t.id);
        EXPECT_EQ(f.selectableKinds, 958);
        EXPECT_EQ(Message(), CString(t.on));
        EXPECT_EQ(Update(t.id).m_check, 1);
    }

    // Point searches: two on count as few, three as many.
    f.m_searchMask = 1 | 2;
    Command(135);
    EXPECT_EQ(f.m_searchMask, 31);
    EXPECT_EQ(Message(), CString("全ての点の検索を有効としました"));
    f.m_searchMask = 1 | 2 | 16;
    Command(135);
    EXPECT_EQ(f.m_searchMask, 0);
    EXPECT_EQ(Message(), CString("全ての点の検索を無効としました"));
    Command(140);
    EXPECT_EQ(f.m_searchMask, 16);
    EXPECT_EQ(Message(), CString("自由上点の入力を有効としました"));
    Command(140);
    EXPECT_EQ(Message(), CString("自由点の入力を無効としました"));
}

TEST_F(SettingsCommands, CyclingButtonsRunBothWays)
{
    CAppElem& e = m_app->m_appElem;
    struct Step {
        short env;
        UINT image;
    };
    const Step forward[] = { { 2, 192 }, { 1, 191 }, { 0, 189 } };
    for (const Step& s : forward) {
        Command(32865);
        EXPECT_EQ(e.m_creationEnv, s.env);
        EXPECT_EQ(EnvButton().m_nBitmaps[0], s.image);
        EXPECT_EQ(EnvButton().m_nBitmaps[1], 190u);
    }
    EXPECT_EQ(Message(), CString("要素作成をカレント環境で行います"));
    EXPECT_EQ(m_app->m_lastCommandId, 32865);
    UiNoteKey(VK_SHIFT, true);
    const Step backward[] = { { 1, 191 }, { 2, 192 }, { 0, 189 } };
    for (const Step& s : backward) {
        Command(32865);
        EXPECT_EQ(e.m_creationEnv, s.env);
        EXPECT_EQ(EnvButton().m_nBitmaps[0], s.image);
    }
    UiNoteKey(VK_SHIFT, false);

    // A drawing in deform mode refuses the button and keeps the environment.
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    doc->m_deformMode = 1;
    Command(32865);
    EXPECT_EQ(e.m_creationEnv, 0);
    EXPECT_EQ(Message(), CString("変形モードでは要素作成環境ボタンは変更できません"));
    Command(32896);
    EXPECT_EQ(e.m_layerCondition, 0);
    EXPECT_EQ(Message(), CString("変形モードではレイヤ条件ボタンは変更できません"));
    doc->m_deformMode = 0;

    Command(32896);
    EXPECT_EQ(e.m_layerCondition, 1);
    EXPECT_EQ(Message(), CString("選択要素と同じレイヤに要素を作成します"));
    Command(32896);
    EXPECT_EQ(e.m_layerCondition, 2);
    EXPECT_EQ(m_frame->m_wndSubBar.m_layerConditionButton.m_nBitmaps[0], 217u);
}

TEST_F(SettingsCommands, ShiftClickOnTheDimensionButtonGoesBackwards)
{
    UiDriver::ShowAndActivate(m_frame);
    ASSERT_EQ(m_app->m_appFind.annotationGroupSelectMode, 1);
    UiNoteKey(VK_SHIFT, true);
    Command(122);
    UiNoteKey(VK_SHIFT, false);
    EXPECT_EQ(m_app->m_appFind.annotationGroupSelectMode, 3);
    EXPECT_EQ(Message(), CString("寸法線の選択を無効としました"));
    EXPECT_EQ(DimButton().m_nBitmaps[0], 170u);
    EXPECT_EQ(DimButton().m_nBitmaps[1], 163u);
    Command(122);
    EXPECT_EQ(m_app->m_appFind.annotationGroupSelectMode, 1);
    Command(32870);
    EXPECT_EQ(m_app->m_appFind.groupSelectMode, 2);
    EXPECT_EQ(GroupButton().m_nBitmaps[0], 167u);
    EXPECT_EQ(GroupButton().m_nBitmaps[1], 168u);
    EXPECT_EQ(Update(32870).m_check, 1);
    EXPECT_EQ(Update(32869).m_check, 0);

    // The same as a user clicks the button itself, with and without Shift held.
    UiDriver::Click(&DimButton(), { 5, 5 }, UiDriver::Left, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_appFind.annotationGroupSelectMode, 3);
    EXPECT_EQ(DimButton().m_nBitmaps[0], 170u);
    UiDriver::Click(&DimButton(), { 5, 5 });
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_appFind.annotationGroupSelectMode, 1);
}

TEST_F(SettingsCommands, LeavingTheDeformRangeResetsTheBoxSelection)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    Command(32811);
    EXPECT_EQ(m_app->m_appFind.boxSelectionMode, 3);
    EXPECT_EQ(Message(), CString("変形範囲モードを設定しました"));
    doc->m_deformMode = 1;
    m_app->m_groupProcessor->modePattern = "MP";
    m_app->m_groupProcessor->m_moveFlag = 1;
    Command(32808);
    EXPECT_EQ(m_app->m_appFind.boxSelectionMode, 1);
    EXPECT_EQ(Message(), CString("変形モードは解除しました"));
    EXPECT_EQ(doc->m_deformMode, 0);
    EXPECT_EQ(m_app->m_groupProcessor->modePattern, CString("PP"));
    EXPECT_EQ(m_app->m_groupProcessor->m_moveFlag, 0);
    Command(32808);
    EXPECT_EQ(Message(), CString("範囲内選択モードを設定しました"));
    // With some kinds off the inside mode warns after its message.
    Command(117);
    Command(32809);
    EXPECT_EQ(m_app->m_lastResultMessage, CString(" (注意)一部の要素の選択モードが解除されています"));
    EXPECT_EQ(Update(32809).m_check, 1);
    EXPECT_EQ(Update(32808).m_check, 0);
}

TEST_F(SettingsCommands, DraftModeSwapsThePen)
{
    CAppElem& e = m_app->m_appElem;
    e.m_lineType = 2;
    e.m_lineWidth = 3;
    Command(33063);
    EXPECT_EQ(e.m_draftMode, 1);
    EXPECT_EQ(e.m_lineType, 5);
    EXPECT_EQ(e.m_lineWidth, 1);
    EXPECT_EQ(Message(), CString("下書き線モードです。"));
    EXPECT_EQ(Update(33063).m_check, 1);
    Command(33063);
    EXPECT_EQ(e.m_draftMode, 0);
    EXPECT_EQ(e.m_lineType, 2);
    EXPECT_EQ(e.m_lineWidth, 3);
    EXPECT_EQ(Message(), CString("作図線モードです。"));
}

TEST_F(SettingsCommands, TextShapesSetTheirFormBytes)
{
    struct Case {
        UINT id;
        int slantAlongLine;
        BYTE shape, formClass, direction, option1;
    };
    const Case cases[] = {
        { 32825, 0, 2, 2, 1, 7 }, { 32821, 0, 3, 2, 2, 7 }, { 32822, 0, 4, 2, 3, 7 },
        { 32822, 1, 4, 2, 4, 7 }, { 32820, 0, 1, 1, 1, 1 },
    };
    CAppText& t = m_app->m_appText;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        t.m_formOption1 = 7;
        t.m_formOption2 = 0;
        t.m_slantAlongLine = c.slantAlongLine;
        const BYTE before = t.m_shape;
        Command(c.id);
        EXPECT_EQ(t.m_shape, c.shape);
        EXPECT_EQ(t.m_formClass, c.formClass);
        EXPECT_EQ(t.m_direction, c.direction);
        EXPECT_EQ(t.m_formOption1, c.option1);
        EXPECT_EQ(t.m_formOption2, 1);
        EXPECT_EQ(t.m_savedShape, before);
        EXPECT_EQ(m_app->m_atrCurrent.m_text.m_shape, c.shape);
        EXPECT_EQ(Update(c.id).m_check, 1);
    }
}

TEST_F(SettingsCommands, ScaleDialog)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    doc->m_ratio = 1.0;
    EXPECT_EQ(Update(32899).m_check, 0);
    bool stayedOpen = false;
    Ui().QueueDialog([&](IModalSession& s) {
        EXPECT_EQ(s.GetItemText(1035), CString("1"));
        s.SetItemText(1035, "0");
        s.Press(IDOK);
        stayedOpen = s.IsOpen();
    });
    Ui().QueueDialog([](IModalSession& s) {
        s.SetItemText(1035, "1");
        s.SetItemText(1036, "50");
        s.Press(IDOK);
    });
    Command(32899);
    EXPECT_TRUE(stayedOpen);
    EXPECT_DOUBLE_EQ(doc->m_ratio, 0.02);
    EXPECT_EQ(Message(), m_app->FormatScaleText(doc));
    EXPECT_EQ(Message().Left(4), CString("尺度"));
    EXPECT_EQ(Update(32899).m_check, 1);
    ASSERT_EQ(Ui().m_shownDialogs.size(), 1u);
    EXPECT_EQ(Ui().m_shownDialogs[0], 205u);

    // Without a drawing the command says so and opens nothing.
    m_app->CloseAllDocuments(TRUE);
    Command(32899);
    ASSERT_FALSE(DefaultScriptedServices().m_messages.empty());
    EXPECT_EQ(DefaultScriptedServices().m_messages.back().text, CString("アクティブなドキュメントがありません"));
    EXPECT_EQ(Ui().m_shownDialogs.size(), 1u);
}

TEST_F(SettingsCommands, AnchorAndTextParameterDialogs)
{
    Ui().QueueDialog([](IModalSession& s) { s.Press(1022); });
    Command(32930);
    EXPECT_EQ(m_app->m_appText.m_anchor, 14);
    EXPECT_EQ(m_app->m_atrCurrent.m_text.m_anchor, 14);

    m_app->CloseAllDocuments(TRUE);
    CString shownSlant;
    Ui().QueueDialog([&](IModalSession& s) {
        shownSlant = s.GetItemText(1002);
        s.SetItemText(1002, "15");
        s.SetCheck(1021, 1);
        s.SetItemText(1022, "4");
        s.SetItemText(1075, "##");
        s.SetItemText(1079, "0.25");
        s.Press(IDOK);
    });
    m_app->m_appText.m_slantAngle = 300.0;
    Command(32824);
    EXPECT_EQ(shownSlant, CString("30"));
    EXPECT_DOUBLE_EQ(m_app->m_appText.m_slantAngle, 150.0);
    EXPECT_EQ(m_app->m_appText.m_slantAlongLine, 1);
    EXPECT_EQ(m_app->m_appText.m_tabShift, 4);
    EXPECT_EQ(m_app->m_appText.m_subscriptMarker, CString("##"));
    EXPECT_DOUBLE_EQ(m_app->m_appText.m_subscriptRatio, 0.25);
}

TEST_F(SettingsCommands, SearchAndDisplayDialogs)
{
    m_app->m_appDraw.zoomStepFactor = 2.5;
    CString shownRatio;
    // The focused control goes with its dialog: its number is taken while it is open.
    int focusAfterEnter = 0;
    bool openAfterEnter = false;
    Ui().QueueDialog([&](IModalSession& s) {
        shownRatio = s.GetItemText(1093);
        s.FocusItem(1004);
        s.Press(IDOK);
        if (CWnd* focus = CWnd::GetFocus())
            focusAfterEnter = focus->GetDlgCtrlID();
        openAfterEnter = s.IsOpen();
        s.Press(IDCANCEL);
        s.Press(IDCANCEL);
    });
    Command(32771);
    EXPECT_EQ(shownRatio, CString("2"));
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(focusAfterEnter, 1003);
    EXPECT_DOUBLE_EQ(m_app->m_appDraw.zoomStepFactor, 2.5);
    Ui().QueueDialog([](IModalSession& s) { s.Press(IDOK); });
    Command(32771);
    EXPECT_DOUBLE_EQ(m_app->m_appDraw.zoomStepFactor, 2.0);

    bool displayOpen = false;
    Ui().QueueDialog([&](IModalSession& s) {
        s.SetItemText(1038, "40");
        s.Press(IDOK);
        displayOpen = s.IsOpen();
    });
    Ui().QueueDialog([](IModalSession& s) {
        s.SetItemText(1038, "300");
        s.Press(IDOK);
    });
    m_app->m_appDraw.m_viewPoint.m_x = 5.0;
    Command(32924);
    EXPECT_TRUE(displayOpen);
    EXPECT_EQ(m_app->m_appDraw.m_newWindowHeight, 300);
    EXPECT_DOUBLE_EQ(m_app->m_appDraw.m_viewPoint.m_x, 0.0);

    // An ellipse step of 0 would never end an ellipse: the dialog stays open and keeps the step.
    m_app->m_appDraw.m_ellipseStep = 5.0;
    bool stepOpen = false;
    Ui().QueueDialog([&](IModalSession& s) {
        s.SetItemText(1050, "0");
        s.Press(IDOK);
        stepOpen = s.IsOpen();
    });
    Ui().QueueDialog([](IModalSession& s) { s.Press(IDCANCEL); });
    Command(32924);
    EXPECT_TRUE(stepOpen);
    EXPECT_DOUBLE_EQ(m_app->m_appDraw.m_ellipseStep, 5.0);
}

TEST_F(SettingsCommands, CreationConditionsEditEachCommandsGroupSetting)
{
    // The polygon box belongs to the circle command's option, the rectangle box to the line's.
    CAppElem& e = m_app->m_appElem;
    e.m_lineOption = 1;
    e.m_circleOption = 0;
    int shownPolygon = -1, shownRectangle = -1;
    Ui().QueueDialog([&](IModalSession& s) {
        shownPolygon = s.GetCheck(1086);
        shownRectangle = s.GetCheck(1085);
        s.SetCheck(1086, 1);
        s.SetCheck(1085, 0);
        s.Press(IDOK);
    });
    Command(32884);
    EXPECT_EQ(shownPolygon, 0);
    EXPECT_EQ(shownRectangle, 1);
    EXPECT_EQ(e.m_circleOption, 1);
    EXPECT_EQ(e.m_lineOption, 0);
}

TEST_F(SettingsCommands, CreationDimensionPrintAndOtherDialogs)
{
    CAppElem& e = m_app->m_appElem;
    e.m_blurCount = 0;
    CString shownCount;
    Ui().QueueDialog([&](IModalSession& s) {
        shownCount = s.GetItemText(1031);
        s.SetItemText(1082, "20");
        s.Press(IDOK);
    });
    Command(32884);
    EXPECT_EQ(shownCount, CString("3"));
    EXPECT_EQ(e.m_blurCount, 3);
    EXPECT_EQ(m_app->m_atrCurrent.m_blurCount, 3);
    EXPECT_DOUBLE_EQ(e.m_centroidHalfLength, 10.0);

    CString extensionBeforeOk;
    Ui().QueueDialog([&](IModalSession& s) {
        s.FocusItem(1062);
        s.SetItemText(1062, "4");
        s.FocusItem(1063);
        extensionBeforeOk = s.GetItemText(1065);
        s.Press(IDCANCEL);
    });
    Command(32925);
    EXPECT_EQ(extensionBeforeOk, CString("8"));
    EXPECT_DOUBLE_EQ(e.m_arrowLength, 3.0);

    m_app->m_slantedPrintOption = 1;
    int shownReversed = -1;
    bool refused101 = false;
    Ui().QueueDialog([&](IModalSession& s) {
        shownReversed = s.GetCheck(1137);
        s.SetCheck(1137, 1);
        s.SetItemText(1073, "101");
        s.Press(IDOK);
        refused101 = s.IsOpen();
    });
    Ui().QueueDialog([](IModalSession& s) {
        s.SetItemText(1073, "100");
        s.Press(IDOK);
    });
    Command(32926);
    EXPECT_EQ(shownReversed, 0);
    EXPECT_TRUE(refused101);
    EXPECT_EQ(m_app->m_slantedPrintOption, 255);
    EXPECT_EQ(m_app->m_printOption2, 100);

    struct Wait {
        const char* text;
        int ms;
    };
    for (const Wait& w : { Wait{ "0.35", 350 }, Wait{ "0.3333", 333 } }) {
        Ui().QueueDialog([&](IModalSession& s) {
            s.SetItemText(1090, w.text);
            s.Press(IDOK);
        });
        Command(32928);
        EXPECT_EQ(m_app->m_timerInterval, w.ms);
    }
}

TEST_F(SettingsCommands, NewInHelpModeCreatesNothing)
{
    const int before = m_app->CountDrawingDocs();
    m_app->m_contextHelpMode = 11;
    m_app->m_lastCommandId = 77;
    Command(57600);
    EXPECT_EQ(m_app->CountDrawingDocs(), before);
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_EQ(Opened()[0], ProgramFolder() + "Help\\HID_FILE_NEW.htm");
    EXPECT_EQ(m_app->m_contextHelpMode, 0);
    EXPECT_EQ(m_app->m_lastCommandId, 77);
    Command(57600);
    EXPECT_EQ(m_app->CountDrawingDocs(), before + 1);
    EXPECT_EQ(m_app->m_lastCommandId, 57600);
}

TEST_F(SettingsCommands, MacroRecordingIsSavedWithoutEmptyLines)
{
    // Freehand lines refuse recording.
    m_app->m_commandKind = 11;
    Command(32799);
    EXPECT_EQ(m_app->m_macroRecorder->m_recording, 0);
    EXPECT_EQ(Message(), CString("書きなぐり線はマクロに記録できません"));
    m_app->m_commandKind = 0;

    Command(32799);
    EXPECT_EQ(m_app->m_macroRecorder->m_recording, 1);
    EXPECT_EQ(Update(32799).m_enabled, 0);
    EXPECT_EQ(Update(32800).m_enabled, 1);
    // The two flags of a recording: checked while set, the message flag opening the message list.
    Command(32804);
    EXPECT_EQ(m_app->m_macroNextInput, 1);
    EXPECT_EQ(Update(32804).m_check, 1);
    Command(32804);
    EXPECT_EQ(m_app->m_macroNextInput, 0);
    Command(32803);
    EXPECT_EQ(Update(32803).m_check, 1);
    EXPECT_EQ(Update(32803).m_enabled, 1);
    for (const char* line : { "", "LINE", "", "", "0,0", "" })
        m_app->m_macroRecorder->m_lines.Add(line);
    const CString path = ProgramFolder() + "recorded.txt";
    Ui().QueueFiles({ path });
    Command(32833);
    EXPECT_EQ(m_app->m_macroRecorder->m_recording, 0);
    CStringArray written;
    ASSERT_EQ(ReadTextFileLines(written, path), 1);
    ASSERT_EQ(written.GetSize(), 2);
    EXPECT_EQ(written[0], CString("LINE"));
    EXPECT_EQ(written[1], CString("0,0"));
    // The recorder still holds the lines: saving stays possible after recording ends.
    EXPECT_EQ(Update(32833).m_enabled, 1);
    EXPECT_EQ(Update(32800).m_enabled, 0);
}

TEST_F(SettingsCommands, ExitWhileASymbolWaitsWithoutADrawingView)
{
    CZelkDoc symbol;
    m_app->m_symbolDoc = &symbol;
    CZelkView* active = m_app->m_activeView;
    m_app->m_activeView = nullptr;
    EXPECT_FALSE(m_app->SaveAllModified());
    ASSERT_FALSE(DefaultScriptedServices().m_messages.empty());
    EXPECT_EQ(DefaultScriptedServices().m_messages.back().text, CString("シンボルのコビーを ESC で終了してください"));
    m_app->m_activeView = active;
    m_app->m_symbolDoc = nullptr;
}

} // namespace
