// The start-up guide's buttons and the help menu's notices with their do-not-show-again boxes.
#include "app/StartupGuideDialog.h"
#include "tests/app/AppCommandsFixture.h"

namespace {

TEST_F(AppCommands, StartupGuideButtonsChooseLibraryOrSeriesAndKeepTheCheckBox)
{
    struct Case {
        int button;
        int check;
        int library;
        int series;
    } cases[] = {
        { IDOK, 0, 0, 0 }, { 1177, 1, 1, 0 }, { 1182, 0, 0, 1 },
        { 1138, 1, 0, 2 }, { 1139, 0, 0, 3 }, { 1155, 1, 0, 4 },
    };
    Start();
    for (const Case& c : cases) {
        CStartupGuideDialog dlg;
        Ui().QueueDialog([&](IModalSession& s) {
            s.SetCheck(1176, c.check);
            s.Press(c.button);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.button;
        EXPECT_EQ(dlg.m_library, c.library) << c.button;
        EXPECT_EQ(dlg.m_series, c.series) << c.button;
        EXPECT_EQ(dlg.m_dontShowAgain, c.check) << c.button;
    }
}

TEST_F(AppCommands, HelpMenuNoticesShowTheStoredWordAndTakeTheCheckBoxBack)
{
    struct Case {
        UINT command;
        UINT dialog;
        int box;
        int CZelkApp::*word;
        const char* helpPage;
    } cases[] = {
        { ID_REGISTRY_HELP, 250, 1172, &CZelkApp::m_registryNoticeShown, "Help\\HID_RegErrDlgOpen.htm" },
        { ID_PROGRAM_FILES_NOTICE, 259, 1186, &CZelkApp::m_programFolderNoticeShown, "Help\\HID_InstAtentDlgOpen.htm" },
    };
    Start();
    for (const Case& c : cases) {
        m_app->*c.word = 1;
        int shown = -1;
        Ui().QueueDialog([&](IModalSession& s) {
            shown = s.GetCheck(c.box);
            s.SetCheck(c.box, 0);
            s.Press(IDOK);
        });
        Command(c.command);
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(m_app->*c.word, 0);
        EXPECT_EQ(Ui().m_shownDialogs.back(), c.dialog);

        // In context-help mode only the page opens.
        const size_t dialogs = Ui().m_shownDialogs.size();
        m_app->m_contextHelpMode = 11;
        Command(c.command);
        EXPECT_EQ(Ui().m_shownDialogs.size(), dialogs);
        EXPECT_EQ(Services().m_opened.back(), ProgramFolder() + c.helpPage);
        EXPECT_EQ(m_app->m_contextHelpMode, 0);
    }
}

} // namespace
