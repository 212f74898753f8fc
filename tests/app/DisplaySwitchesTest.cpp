// Display switches, the popup-menu type, the option words of the menus and the context-help
// button, sent as menu commands.
#include "app/AppCommand.h"
#include "tests/app/AppCommandsFixture.h"

namespace {

TEST_F(AppCommands, ThickLineDisplayCyclesWithShiftChoosingTheWideMode)
{
    struct Step {
        bool shift;
        short before;
        short after;
        const char* message;
        int checked;
    } steps[] = {
        { true, 1, 2, "太い実線を太く表示するモードとしました。", 1 },
        { true, 2, 1, "全ての線を細く表示するモードとしました。", 0 },
        { false, 1, 3, "太い実線をリアルに表示するモードとしました。", 1 },
        { false, 3, 1, "全ての線を細く表示するモードとしました。", 0 },
    };
    Start();
    m_app->m_appDraw.penWidthMode = 1;
    for (const Step& step : steps) {
        ASSERT_EQ(m_app->m_appDraw.penWidthMode, step.before);
        UiNoteKey(VK_SHIFT, step.shift);
        Command(ID_LINE_SLIM);
        UiNoteKey(VK_SHIFT, false);
        EXPECT_EQ(m_app->m_appDraw.penWidthMode, step.after);
        EXPECT_EQ(m_app->m_lastMessage, CString(step.message));
        EXPECT_EQ(Update(ID_LINE_SLIM).m_checked, step.checked);
    }
    EXPECT_TRUE(Services().m_beeps.empty());
}

TEST_F(AppCommands, IntroMessagesAgainIsGreyedOnlyWhileAllThreeAreShown)
{
    Start();
    m_app->m_introMessage1 = 1;
    m_app->m_introMessage2 = 0;
    m_app->m_introMessage3 = 1;
    EXPECT_EQ(Update(ID_MESSAGE_ATTENTION).m_enabled, 1);
    Command(ID_MESSAGE_ATTENTION);
    EXPECT_EQ(m_app->m_introMessage2, 1);
    EXPECT_EQ(Update(ID_MESSAGE_ATTENTION).m_enabled, 0);
}

TEST_F(AppCommands, PopupMenuTypeShowsAnyNonzeroAsPopupAndStoresOne)
{
    struct Case {
        int stored;
        int shownPopup;
        int clicked;
        int button;
        int after;
    } cases[] = {
        { 5, 1, 0, IDOK, 1 },
        { 0, 0, 0, IDOK, 0 },
        { 1, 1, 1130, IDOK, 0 },
        { 0, 0, 1129, IDOK, 1 },
        { 5, 1, 1130, IDCANCEL, 5 },
    };
    Start();
    for (const Case& c : cases) {
        m_app->m_appCommand.popupMenuType = c.stored;
        int popup = -1, direct = -1;
        Ui().QueueDialog([&](IModalSession& s) {
            popup = s.GetCheck(1129);
            direct = s.GetCheck(1130);
            if (c.clicked)
                s.Press(c.clicked);
            s.Press(c.button);
        });
        Command(ID_POPUP_MENU_TYPE);
        EXPECT_EQ(popup, c.shownPopup) << c.stored;
        EXPECT_EQ(direct, 1 - c.shownPopup) << c.stored;
        EXPECT_EQ(m_app->m_appCommand.popupMenuType, c.after) << c.stored << " " << c.clicked;
    }
}

TEST_F(AppCommands, SwitchesAndOptionWordsInvertTheirSettingAndShowTheirCheck)
{
    Start();
    struct Case {
        UINT id;
        int* word;
    } cases[] = {
        { ID_LAYER_LIGHT, &m_app->m_appDraw.grayDisplay },
        { ID_DRAW_MESSAGE, &m_app->m_appDraw.showHintLine },
        { ID_TEXT_BAR, &m_app->m_appDraw.m_showTextUnderline },
        { 33093, &m_app->m_emptyLayersInList },
        { 33094, &m_app->m_measureToTextWindow },
        { 33122, &m_app->m_symbolLayerCurrent },
        { 33123, &m_app->m_noPopupMenu },
        { 33124, &m_app->m_noBeepOnSwitch },
        { 33125, &m_app->m_noTipOnSwitch },
        { 33132, &m_app->m_autoReturnToBoxSelection },
        { 33148, &m_app->m_groupResetOneStep },
        { 33149, &m_app->m_backupOnSave },
        { 33139, &m_app->m_showTextSizeLines },
    };
    for (const Case& c : cases) {
        *c.word = 7;
        Command(c.id);
        EXPECT_EQ(*c.word, 0) << c.id;
        EXPECT_EQ(Update(c.id).m_checked, 0) << c.id;
        Command(c.id);
        EXPECT_EQ(*c.word, 1) << c.id;
        EXPECT_EQ(Update(c.id).m_checked, 1) << c.id;

        // In context-help mode the command only opens its page.
        m_app->m_contextHelpMode = 11;
        const size_t opened = Services().m_opened.size();
        Command(c.id);
        EXPECT_EQ(*c.word, 1) << c.id;
        EXPECT_EQ(Services().m_opened.size(), opened + 1) << c.id;
        EXPECT_EQ(m_app->m_contextHelpMode, 0) << c.id;
    }
}

TEST_F(AppCommands, ContextHelpButtonArmsTheModeThenOpensItsOwnPage)
{
    Start();
    m_app->m_prompt = "P";
    m_app->m_hint = "H";
    Command(ID_CONTEXT_HELP_BUTTON);
    EXPECT_EQ(m_app->m_contextHelpMode, 11);
    EXPECT_EQ(m_app->m_lastMessage, CString("ヘルプコンテキストを起動しました"));
    EXPECT_EQ(m_app->m_previousPrompt, CString("P"));
    EXPECT_EQ(m_app->m_previousHint, CString("H"));
    EXPECT_EQ(m_app->m_hint, CString("ボタンやコマンドの内容の説明画面を表示します。"));
    EXPECT_EQ(m_app->m_prompt, CString("機能を知りたいボタンやメニューコマンドをクリックしてください。矢印カーソルに戻すには操作画面をクリック。"));

    Command(ID_CONTEXT_HELP_BUTTON);
    EXPECT_EQ(m_app->m_contextHelpMode, 0);
    ASSERT_FALSE(Services().m_opened.empty());
    EXPECT_EQ(Services().m_opened.back(), ProgramFolder() + "Help\\HID_CONTHELP_HP.htm");
}

} // namespace
