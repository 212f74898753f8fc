// The help menu's information dialogs: the version dialog's texts and its terms buttons, which
// leave it open, and the download button that opens the page it names.
#include "tests/app/AppCommandsFixture.h"

namespace {

TEST_F(AppCommands, VersionDialogShowsTheEditionAndOpensEachTermsDialog)
{
    Start();
    Ui().m_shownDialogs.clear();  // the first drawing's start-up notices
    CString edition, version;
    bool stillOpen = false;
    Ui().QueueDialog([&](IModalSession& s) {
        edition = s.GetItemText(1102);
        version = s.GetItemText(1103);
        s.Press(1146);
        s.Press(1105);
        s.Press(1111);
        stillOpen = s.IsOpen();
        s.Press(IDOK);
    });
    Command(ID_VERSION_INFO);
    EXPECT_EQ(edition, CString("ZelkFree"));
    EXPECT_EQ(version, "Ver." + m_app->m_programVersion);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Ui().m_shownDialogs, (std::vector<UINT>{ 246, 245, 237, 226 }));
}

TEST_F(AppCommands, DownloadButtonOpensItsAddressAndFreewareNoticeShows)
{
    Start();
    CString caption;
    Ui().QueueDialog([&](IModalSession& s) {
        s.Press(1135);
        caption = s.GetItemText(1135);
        EXPECT_TRUE(s.IsOpen());
        s.Press(IDCANCEL);
    });
    Command(ID_NEW_VERSION);
    ASSERT_EQ(Services().m_opened.size(), 1u);
    EXPECT_EQ(Services().m_opened[0], caption);
    EXPECT_EQ(caption.Left(8), CString("https://"));

    Command(ID_APP_SHARE);
    EXPECT_EQ(Ui().m_shownDialogs.back(), 243u);

    m_app->m_contextHelpMode = 11;
    Command(ID_VERSION_INFO);
    EXPECT_EQ(Services().m_opened.back(), ProgramFolder() + "Help\\HID_APP_ABOUT.htm");
    EXPECT_EQ(Ui().m_shownDialogs.back(), 243u);
}

} // namespace
