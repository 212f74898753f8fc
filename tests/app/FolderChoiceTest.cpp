// The folder slots: adding a folder already shown selects its row, a new one drops the last
// slot, an unchecked save column stays unchecked, and the recent list keeps the ten shown.
#include "app/PathSlotDialog.h"
#include "tests/app/AppCommandsFixture.h"

namespace {

CString Folder(int i)
{
    CString f;
    f.Format("\\data\\f%d\\", i);
    return f;
}

int CheckedRow(IModalSession& s, int first)
{
    int row = -1;
    for (int k = 0; k < 10; ++k)
        if (s.GetCheck(first + k))
            row = k;
    return row;
}

TEST_F(AppCommands, AddingAShownFolderSelectsItsRowAndANewOneDropsTheLastSlot)
{
    Start();
    struct Case {
        int chosenFolder;   // the chosen file lies in this folder
        int row;            // row checked in both columns after
        int slot0;          // folder number of slot 0 after
        int slot9;
    } cases[] = { { 6, 6, 0, 9 }, { 42, 0, 42, 8 } };
    for (const Case& c : cases) {
        CPathSlotDialog dlg;
        for (int k = 0; k < 10; ++k)
            dlg.m_slots[k] = Folder(k);
        dlg.m_openSlot = 2;
        dlg.m_saveSlot = 3;
        Ui().QueueFiles({ Folder(c.chosenFolder) + "damy" });
        int open = -1, save = -1;
        Ui().QueueDialog([&](IModalSession& s) {
            s.Press(1154);
            open = CheckedRow(s, 1000);
            save = CheckedRow(s, 1010);
            s.Press(IDOK);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(open, c.row);
        EXPECT_EQ(save, c.row);
        EXPECT_EQ(dlg.m_openSlot, c.row);
        EXPECT_EQ(dlg.m_saveSlot, c.row);
        EXPECT_EQ(dlg.m_slots[0], Folder(c.slot0));
        EXPECT_EQ(dlg.m_slots[9], Folder(c.slot9));
        // The file dialog started in the open slot's folder.
        ASSERT_FALSE(Ui().m_shownFileDialogs.empty());
        EXPECT_EQ(Ui().m_shownFileDialogs.back().initialDir, Folder(2));
        EXPECT_EQ(Ui().m_shownFileDialogs.back().fileName, CString("damy"));
    }
}

TEST_F(AppCommands, NoSaveSlotShowsNoSaveRadioAndReturnsMinusOne)
{
    Start();
    CPathSlotDialog dlg;
    dlg.m_slots[0] = Folder(0);
    dlg.m_openSlot = 12;
    dlg.m_saveSlot = -1;
    int open = -2, save = -2;
    Ui().QueueDialog([&](IModalSession& s) {
        open = CheckedRow(s, 1000);
        save = CheckedRow(s, 1010);
        s.Press(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(open, 0);
    EXPECT_EQ(save, -1);
    EXPECT_EQ(dlg.m_saveSlot, -1);
}

TEST_F(AppCommands, FolderChoiceKeepsTheTenShownAndTakesTheChosenRows)
{
    Start();
    CAppPath& paths = m_app->m_appPath;
    paths.m_recentDataFolders.RemoveAll();
    for (int i = 0; i < 11; ++i)
        paths.m_recentDataFolders.Add(Folder(i));
    paths.m_initialDataFolder = Folder(4);
    paths.m_dataFolder = Folder(5);
    int open = -1, save = -1;
    CString title;
    Ui().QueueDialog([&](IModalSession& s) {
        title = s.GetItemText(1185);
        open = CheckedRow(s, 1000);
        save = CheckedRow(s, 1010);
        s.Press(1007);
        s.Press(1018);
        s.Press(IDOK);
    });
    Command(ID_ZELKPATH_SEL);
    EXPECT_EQ(title, CString("Zelk のファイルパス"));
    EXPECT_EQ(open, 4);
    EXPECT_EQ(save, 5);
    ASSERT_EQ(paths.m_recentDataFolders.GetSize(), 10);
    EXPECT_EQ(paths.m_recentDataFolders[9], Folder(9));
    EXPECT_EQ(paths.m_initialDataFolder, Folder(7));
    EXPECT_EQ(paths.m_dataFolder, Folder(8));

    // Cancel changes nothing.
    Ui().QueueDialog([&](IModalSession& s) {
        s.Press(1001);
        s.Press(IDCANCEL);
    });
    Command(ID_TEXTPATH_SEL);
    Command(ID_ZELKPATH_SEL);
    EXPECT_EQ(paths.m_initialDataFolder, Folder(7));
}

} // namespace
