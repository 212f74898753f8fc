// The registration dialog of user applications: refused duplicates and separators, entries
// that stay apart by position, the question before closing unregistered, Cancel restoring the
// list, and the registration file a restarted manager reads back.
#include "tests/app/AppCommandsFixture.h"
#include "formats/BufferRoutines.h"
#include "userapp/UserAppManager.h"

namespace {

constexpr int kName = 1010, kFile = 1011, kVersion = 1012, kList = 1014;
constexpr int kDelete = 1015, kInsert = 1016, kChange = 1017;

class Registration : public AppCommands {
protected:
    void StartWith(const char* lines)
    {
        std::filesystem::create_directories(Fs(ProgramFolder() + "ZelkApp"));
        std::ofstream(Fs(ProgramFolder() + "ZelkApp\\ZelkApp.txt"), std::ios::binary) << lines;
        Start();
    }
    std::vector<std::string> FileLines()
    {
        CStringArray lines;
        ReadTextFileLines(lines, ProgramFolder() + "ZelkApp\\ZelkApp.txt");
        std::vector<std::string> out;
        for (int i = 0; i < lines.GetSize(); ++i)
            out.push_back(lines[i].Std());
        return out;
    }
    // The list's entries, read from the dialog that holds the focus.
    static std::vector<std::string> ListOf()
    {
        CWnd* focus = CWnd::GetFocus();
        auto* list = focus ? dynamic_cast<CListBox*>(focus->GetParent()->GetDlgItem(kList)) : nullptr;
        std::vector<std::string> out;
        if (!list)
            return out;
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            out.push_back(text.Std());
        }
        return out;
    }
    static void Fill(IModalSession& s, const char* name, const char* file, const char* version)
    {
        s.SetItemText(kName, name);
        s.SetItemText(kFile, file);
        s.SetItemText(kVersion, version);
    }
    CUserAppManager& Manager() { return *m_app->m_userAppManager; }
};

TEST_F(Registration, InsertRefusesTheSameNameAndFileButListsTheSameNameTwice)
{
    StartWith("a.dll/Alpha/01.02\n");
    std::vector<std::string> shown;
    CString initialName, initialFile, initialVersion;
    Ui().QueueDialog([&](IModalSession& s) {
        initialName = s.GetItemText(kName);
        initialFile = s.GetItemText(kFile);
        initialVersion = s.GetItemText(kVersion);
        Fill(s, "Alpha", "a.dll", "01.02");
        s.Press(kInsert);
        Fill(s, "Alpha", "b.dll", "01.02");
        s.SelectItem(kList, 1);
        Fill(s, "Alpha", "b.dll", "01.02");
        s.Press(kInsert);
        Fill(s, "Bad/Name", "c.dll", "01.02");
        s.Press(kInsert);
        Fill(s, "Gamma", "c.dll", "");
        s.Press(kInsert);
        shown = ListOf();
        s.Press(IDOK);
    });
    Command(ID_REGIST_DLL);
    EXPECT_EQ(initialName, CString("Zelkアプリケーション"));
    EXPECT_EQ(initialFile, CString("any.dll"));
    EXPECT_EQ(initialVersion, m_app->m_interfaceVersion);
    // The refused duplicate, the refused separator, then the question about the typed fields
    // of the insert refused for its empty version.
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[0], CString("アプリケーション名称とファイル名の全く同じものが登録済みです"));
    EXPECT_NE(Messages()[1].Find('/'), -1);
    EXPECT_EQ(Messages()[2], CString("未登録のまま終了しても良いですか"));
    EXPECT_EQ(shown, (std::vector<std::string>{ "Alpha", "Alpha", "" }));
    EXPECT_EQ(FileLines(), (std::vector<std::string>{ "a.dll/Alpha/01.02", "b.dll/Alpha/01.02" }));
}

TEST_F(Registration, DeletingThenChangingTheNextEntryEditsThatEntry)
{
    StartWith("a.dll/Same/01.00\nb.dll/Same/01.00\nc.dll/Other/01.00\n");
    Ui().QueueDialog([&](IModalSession& s) {
        s.SelectItem(kList, 0);
        s.Press(kDelete);
        // The entry now at the top is the second "Same".
        s.SelectItem(kList, 0);
        EXPECT_EQ(s.GetItemText(kFile), CString("b.dll"));
        Fill(s, "Renamed", "b2.dll", "01.02");
        s.Press(kChange);
        s.Press(IDOK);
    });
    Command(ID_REGIST_DLL);
    EXPECT_EQ(FileLines(), (std::vector<std::string>{ "b2.dll/Renamed/01.02", "c.dll/Other/01.00" }));

    // A restarted manager reads the file back.
    CUserAppManager restarted;
    restarted.ReadRegistrationFile();
    ASSERT_EQ(restarted.GetAppCount(), 2);
    EXPECT_EQ(restarted.GetAppName(0), CString("Renamed"));
    EXPECT_EQ(restarted.GetAppFileName(0), CString("b2.dll"));
    EXPECT_EQ(restarted.GetAppVersion(1), CString("01.00"));
}

TEST_F(Registration, TypingThenOkAsksAndCancelRestoresTheList)
{
    StartWith("a.dll/Alpha/01.00\nb.dll/Beta/01.00\n");
    Ui().QueueDialog([&](IModalSession& s) {
        s.SelectItem(kList, 0);
        s.Press(kDelete);
        Fill(s, "Gamma", "g.dll", "01.02");
        s.Press(kInsert);
        s.SetItemText(kName, "Typed");
        Services().QueueAnswer(IDCANCEL);
        s.Press(IDOK);
        EXPECT_TRUE(s.IsOpen());
        s.Press(IDCANCEL);
    });
    Command(ID_REGIST_DLL);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], CString("未登録のまま終了しても良いですか"));
    ASSERT_EQ(Manager().GetAppCount(), 2);
    EXPECT_EQ(Manager().GetAppName(0), CString("Alpha"));
    EXPECT_EQ(Manager().GetAppName(1), CString("Beta"));
    EXPECT_EQ(Manager().GetAppRecord(0)->m_editState, 0);
    EXPECT_EQ(FileLines(), (std::vector<std::string>{ "a.dll/Alpha/01.00", "b.dll/Beta/01.00" }));

    // Answering OK closes and commits what was done before the typing.
    Ui().QueueDialog([&](IModalSession& s) {
        s.SelectItem(kList, 1);
        s.Press(kDelete);
        s.SetItemText(kName, "Typed");
        Services().QueueAnswer(IDOK);
        s.Press(IDOK);
    });
    Command(ID_REGIST_DLL);
    EXPECT_EQ(FileLines(), (std::vector<std::string>{ "a.dll/Alpha/01.00" }));
}

TEST_F(Registration, ADamagedLineIsReportedAndKeptThroughAWrite)
{
    StartWith("a.dll/Alpha/01.00\nbroken line\n");
    Ui().QueueDialog([&](IModalSession& s) {
        Fill(s, "Beta", "b.dll", "01.02");
        s.Press(kInsert);
        s.Press(IDOK);
    });
    Command(ID_REGIST_DLL);
    EXPECT_EQ(FileLines(), (std::vector<std::string>{ "a.dll/Alpha/01.00", "b.dll/Beta/01.02", "broken line" }));
}

} // namespace
