// The registered user applications: the registration file read at the program's start-up and
// written at its exit, the name searches of the input bar and the registration dialog's edits.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"
#include "userapp/UserAppManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string RegistrationFile()
{
    return FileSystemPath(ProgramFolder().GetString()) + "ZelkApp/ZelkApp.txt";
}

void WriteRegistrationFile(const std::string& bytes)
{
    fs::create_directories(fs::path(RegistrationFile()).parent_path());
    std::ofstream(RegistrationFile(), std::ios::binary) << bytes;
}

std::string ReadRegistrationFile()
{
    std::ifstream in(RegistrationFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A manager over the given names, all registered.
void Fill(CUserAppManager& m, std::vector<const char*> names)
{
    for (const char* n : names)
        m.InsertApp(m.GetAppCount(), "x.dll", n, "01.02");
    m.CommitEdits();
}

std::vector<std::string> Names(const CUserAppManager& m)
{
    std::vector<std::string> out;
    for (int i = 0; i < m.GetAppCount(); ++i)
        out.push_back(m.GetAppName(i).GetString());
    return out;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
    }
    void TearDown() override { Stop(); }
    void Start()
    {
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
    }
    void Stop()
    {
        if (!m_app)
            return;
        if (m_app->m_pMainWnd) {
            m_app->CloseAllDocuments(TRUE);
            m_app->m_pMainWnd->DestroyWindow();
            m_app->m_pMainWnd = nullptr;
        }
        m_app->ExitInstance();
        delete m_app;
        m_app = nullptr;
        g_pApp = nullptr;
    }
    // The message boxes about the registration file (the other definition files are missing
    // from the test's program folder too).
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            if (m.text.Find("アプリケーション登録ファイル") == 0)
                texts.push_back(m.text.GetString());
        return texts;
    }
    CZelkApp* m_app = nullptr;
};

}  // namespace

TEST_F(Registry, StartUpRegistersWellFormedLinesAndNamesTheLastBadOne)
{
    WriteRegistrationFile("a.dll/A/01.02\r\n\r\nb.dll/B\r\nc.dll/C/01.02/x\r\n");
    Start();
    const CUserAppManager& m = *m_app->m_userAppManager;
    ASSERT_EQ(m.GetAppCount(), 1);
    EXPECT_STREQ(m.GetAppFileName(0), "a.dll");
    EXPECT_STREQ(m.GetAppName(0), "A");
    EXPECT_STREQ(m.GetAppVersion(0), "01.02");
    EXPECT_EQ(m.GetAppRecord(0)->m_editState, 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"アプリケーション登録ファイルの 4 行目に書式に異常な部分があります"});

    // The lines that are no registration are written back after the entries, not lost.
    Stop();
    EXPECT_EQ(ReadRegistrationFile(), "a.dll/A/01.02\r\nb.dll/B\r\nc.dll/C/01.02/x\r\n");
}

TEST_F(Registry, MissingFileIsReportedAndWrittenAtExit)
{
    Start();
    // The start gave the new program folder the shipped registration; the user deleted it since.
    fs::remove(RegistrationFile());
    DefaultScriptedServices().m_messages.clear();
    {
        CUserAppManager manager;
        manager.LoadRegistrations();
        EXPECT_EQ(manager.GetAppCount(), 0);
        // The message names the file by its whole path, in its screen form.
        const std::string path = ScreenPathText(ProgramFolder() + "ZelkApp\\ZelkApp.txt").Std();
        EXPECT_EQ(Messages(), std::vector<std::string>{"アプリケーション登録ファイル " + path + " を開けませんでした"});
        manager.InsertApp(0, "QUIBRA.DLL", "ボルト", "01.02");
        manager.CommitEdits();
    }
    EXPECT_EQ(ReadRegistrationFile(), "QUIBRA.DLL/ボルト/01.02\r\n");
}

// Writing the empty list over a file that exists but could not be read would lose every
// registration in it. (A registration file that is a folder cannot be read even by root; the
// test puts the file in its place before the program ends.)
TEST_F(Registry, UnreadableFileIsKeptUnlessEditsWereCommitted)
{
    fs::create_directories(RegistrationFile());
    Start();
    EXPECT_EQ(m_app->m_userAppManager->GetAppCount(), 0);
    EXPECT_EQ(Messages().size(), 1u);
    fs::remove(RegistrationFile());
    WriteRegistrationFile("a.dll/A/01.02\r\n");
    Stop();
    EXPECT_EQ(ReadRegistrationFile(), "a.dll/A/01.02\r\n");

    fs::remove(RegistrationFile());
    fs::create_directories(RegistrationFile());
    Start();
    fs::remove(RegistrationFile());
    m_app->m_userAppManager->InsertApp(0, "b.dll", "B", "01.02");
    m_app->m_userAppManager->CommitEdits();
    Stop();
    EXPECT_EQ(ReadRegistrationFile(), "b.dll/B/01.02\r\n");
}

TEST(UserAppManager, SearchByPartOfTheNameStartsAtTheGivenEntryAndWraps)
{
    CUserAppManager m;
    Fill(m, {"xAB", "ab", "zz"});
    struct Case {
        const char* text;
        int start;
        int found;
    } cases[] = {
        {"ab", 2, 0},    // from the entry after the selected one, wrapping
        {"ab", 1, 1},
        {"AB", 0, 0},
        {"zz", 7, 2},    // a start out of range begins at the first entry
        {"zz", -1, 2},
        {"q", 0, -1},
        {"", 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.FindAppContaining(c.text, c.start), c.found) << c.text << " from " << c.start;
    m.m_selectedEntry = 1;
    EXPECT_EQ(m.FindAppContaining("ab", m.m_selectedEntry + 1), 0);
}

TEST(UserAppManager, SearchMatchesWholeCharactersOnly)
{
    CUserAppManager m;
    Fill(m, {"Ｂ図形", "ﾎﾞﾙﾄ", "六角ボルト"});
    EXPECT_EQ(m.FindAppContaining("a", 0), -1);    // "Ｂ" is 82 61: its trail byte is no "a"
    EXPECT_EQ(m.FindAppContaining("ボルト", 0), 2);
    EXPECT_EQ(m.FindAppContaining("ﾎﾞ", 2), 1);
    // Double-byte letters keep their case.
    EXPECT_EQ(m.FindAppContaining("ｂ", 0), -1);
    // Only the first 255 bytes of the text count, cut before a split character.
    CString longText = CString('a', 254) + "ボ";
    Fill(m, {CString('a', 254).GetString()});
    EXPECT_EQ(m.FindAppContaining(longText, 0), 3);
}

TEST(UserAppManager, FindByNamePassesDeletedEntries)
{
    CUserAppManager m;
    Fill(m, {"A", "B", "A"});
    m.MarkAppDeleted(0);
    int passed = -1;
    EXPECT_EQ(m.FindAppByName("A", passed), 2);
    EXPECT_EQ(passed, 1);
    EXPECT_EQ(m.FindAppByName("C", passed), -1);
    EXPECT_EQ(passed, 1);
    EXPECT_EQ(m.FindAppByName("a", passed), -1);
}

TEST(UserAppManager, DialogEditsAreCommittedOrCancelled)
{
    CUserAppManager m;
    Fill(m, {"A", "B", "C"});
    m.InsertApp(5, "e.dll", "E", "01.02");
    EXPECT_EQ(m.GetAppCount(), 3);
    m.InsertApp(3, "d.dll", "D", "01.02");
    m.InsertApp(0, "z.dll", "Z", "01.02");
    EXPECT_EQ(Names(m), (std::vector<std::string>{"Z", "A", "B", "C", "D"}));
    EXPECT_EQ(m.GetAppRecord(0)->m_editState, 1);
    m.MarkAppDeleted(2);
    m.MarkAppDeleted(9);
    EXPECT_EQ(m.GetAppRecord(9), nullptr);
    EXPECT_STREQ(m.GetAppName(-1), "");

    CUserAppManager cancelled;
    Fill(cancelled, {"A", "B", "C"});
    cancelled.InsertApp(3, "d.dll", "D", "01.02");
    cancelled.InsertApp(0, "z.dll", "Z", "01.02");
    cancelled.MarkAppDeleted(2);
    cancelled.CancelEdits();
    EXPECT_EQ(Names(cancelled), (std::vector<std::string>{"A", "B", "C"}));
    for (int i = 0; i < cancelled.GetAppCount(); ++i)
        EXPECT_EQ(cancelled.GetAppRecord(i)->m_editState, 0);

    m.CommitEdits();
    EXPECT_EQ(Names(m), (std::vector<std::string>{"Z", "A", "C", "D"}));
    for (int i = 0; i < m.GetAppCount(); ++i)
        EXPECT_EQ(m.GetAppRecord(i)->m_editState, 0);
}

TEST(UserAppManager, ResetSelectionClearsTheCurrentApplication)
{
    CUserAppManager m;
    m.m_selectedEntry = 3;
    m.m_searchStart = 1;
    m.m_prompt = "[六角ボルトの配置]";
    m.m_hint = "呼び径";
    m.m_previewCode = 180;
    m.ResetSelection();
    EXPECT_EQ(m.m_selectedEntry, 0);
    EXPECT_EQ(m.m_searchStart, 0);
    EXPECT_TRUE(m.m_prompt.IsEmpty());
    EXPECT_TRUE(m.m_hint.IsEmpty());
    EXPECT_EQ(m.m_previewCode, 0);
}
