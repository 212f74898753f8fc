// What a user made or opened is not lost on the way out: typed text asked about before its window
// goes, files that are no drawing or hold entities the import passes over not overwritten
// unasked, and a drawing restored after an abnormal end given back its own file. Each goes the
// way a user goes, with the mouse and keys on the started program.
#include "tests/app/AppCommandsFixture.h"

#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "macro/TextDoc.h"
#include "macro/TextView.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/SampleDrawing.h"
#include "tests/support/UiDriver.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kFileMenu = "ファイル(&F)";
const char* const kNewText = "新規テキストドキュメント作成";
const char* const kOpenText = "テキストファィルを開く";
const char* const kClose = "閉じる(&C)";
const char* const kQuit = "アプリケーションの終了(&X)";
const char* const kSaveAs = "名前を付けて保存(&A)...";
constexpr UINT kDrawingSaveTimer = 18;

std::string Bytes(const CString& path)
{
    std::ifstream in(FileSystemPath(path.GetString()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    std::ofstream(FileSystemPath(path.GetString()), std::ios::binary) << bytes;
}

int LineCount(const CZelkDoc& doc)
{
    int n = 0;
    for (int i = 0; i < doc.m_lineBlocks.GetSize(); ++i)
        n += static_cast<const CLines*>(doc.m_lineBlocks[i])->m_count;
    return n;
}

// A DXF as another program writes it: a header of a later version, a line the import takes, and
// entities it does not know (a multi-line text and two hatches), some of them in a block.
std::string ForeignDxf()
{
    const char* const pairs[] = {
        "0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1015", "0", "ENDSEC",
        "0", "SECTION", "2", "BLOCKS",
        "0", "BLOCK", "8", "0", "2", "TITLE", "70", "0", "10", "0.0", "20", "0.0",
        "0", "MTEXT", "8", "0", "10", "5.0", "20", "5.0", "40", "2.5", "1", "Title",
        "0", "ENDBLK", "8", "0",
        "0", "ENDSEC",
        "0", "SECTION", "2", "ENTITIES",
        "0", "LINE", "8", "0", "10", "0.0", "20", "0.0", "30", "0.0", "11", "100.0", "21", "0.0", "31", "0.0",
        "0", "HATCH", "8", "0", "2", "SOLID", "70", "1",
        "0", "HATCH", "8", "0", "2", "ANSI31", "70", "0",
        "0", "ENDSEC", "0", "EOF" };
    std::string text;
    for (const char* line : pairs)
        text += std::string(line) + "\r\n";
    return text;
}

// The started program, shown, with what a start asks kept among the messages.
class UserWorkKept : public AppCommands {
protected:
    void Start(std::vector<CString> args = {})
    {
        m_app = new CZelkApp;
        m_app->m_args = std::move(args);
        ASSERT_TRUE(m_app->InitInstance());
        m_app->m_pMainFrame->MoveWindow(0, 0, 1100, 700);
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    }
    // The way a user picks a menu item: the title on the bar, then the item.
    void Menu(const char* title, const char* item)
    {
        ASSERT_TRUE(UiDriver::ClickMenuBar(m_app->m_pMainFrame, title)) << title;
        ASSERT_TRUE(UiDriver::ClickMenuItem(item)) << item;
        UiDriver::Pump();
    }
    // Letters typed on the keyboard into the window that has it.
    static void Type(const char* letters)
    {
        for (const char* c = letters; *c; ++c)
            UiDriver::Key(static_cast<UINT>(*c));
        UiDriver::Pump();
    }
    bool IsOpen(const CTextDoc* doc) const
    {
        const std::vector<CTextDoc*> docs = m_app->TextDocs();
        return std::find(docs.begin(), docs.end(), doc) != docs.end();
    }
    static CString Text(CTextDoc* doc)
    {
        CString text;
        static_cast<CTextView*>(doc->Views().at(0))->GetWindowText(text);
        return text;
    }
    // Ctrl+S typed in the drawing's window, then the wait before the write runs out.
    void CtrlS(CZelkDoc* doc)
    {
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
        doc->GetViews().front()->SetFocus();
        UiDriver::Key('S', UiDriver::Control);
        UiDriver::Pump();
        DefaultScriptedServices().FireTimer(static_cast<const CWnd*>(m_app->m_pMainFrame), kDrawingSaveTimer);
    }
    // Ctrl+O in the main window with the file chosen in the open dialog.
    void CtrlO(const CString& path)
    {
        DefaultScriptedUiServices().QueueFiles({ path });
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
        UiDriver::Key('O', UiDriver::Control);
        UiDriver::Pump();
    }
};

enum class Way { CloseCommand, CloseBox, Quit };

// The three ways a window goes: File > Close, the window's close box, and quitting the program.
void CloseTheWay(Way way, CZelkApp* app, CTextDoc* doc)
{
    switch (way) {
    case Way::CloseCommand:
        ASSERT_TRUE(UiDriver::ClickMenuBar(app->m_pMainFrame, kFileMenu));
        ASSERT_TRUE(UiDriver::ClickMenuItem(kClose));
        break;
    case Way::CloseBox: {
        auto* child = dynamic_cast<CMDIChildWnd*>(doc->Views().at(0)->GetParentFrame());
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(UiDriver::ClickTitleButton(child, UiDriver::CloseButton));
        break;
    }
    case Way::Quit:
        ASSERT_TRUE(UiDriver::ClickMenuBar(app->m_pMainFrame, kFileMenu));
        ASSERT_TRUE(UiDriver::ClickMenuItem(kQuit));
        break;
    }
    UiDriver::Pump();
}

} // namespace

TEST_F(UserWorkKept, TypedTextInANewTextWindowIsAskedAboutWhicheverWayItCloses)
{
    for (Way way : { Way::CloseCommand, Way::CloseBox, Way::Quit }) {
        SCOPED_TRACE(static_cast<int>(way));
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        Start();
        Menu(kFileMenu, kNewText);
        CTextDoc* doc = m_app->GetActiveTextDoc();
        ASSERT_NE(doc, nullptr);
        // The window belongs to the user even though the drawing was active when it was made.
        EXPECT_NE(doc->m_ownerDrawing, nullptr);
        Type("PLAN");
        const CString typed = Text(doc);
        ASSERT_FALSE(typed.IsEmpty());

        // Cancel keeps the window and its text.
        DefaultScriptedServices().QueueAnswer(IDCANCEL);
        CloseTheWay(way, m_app, doc);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(DefaultScriptedServices().m_messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_NE(Messages()[0].Find(ScreenPathText(doc->GetTitle())), -1) << Messages()[0].GetString();
        ASSERT_TRUE(IsOpen(doc));
        EXPECT_EQ(Text(doc), typed);

        // Yes asks where to write the new text and writes exactly what was typed.
        const CString target = ProgramFolder() + "typed.txt";
        fs::remove(Fs(target));
        DefaultScriptedServices().QueueAnswer(IDYES);
        DefaultScriptedUiServices().QueueFiles({ target });
        CloseTheWay(way, m_app, doc);
        EXPECT_EQ(Bytes(target), typed.Std());
        if (way == Way::Quit) {
            EXPECT_EQ(m_app->m_pMainWnd, nullptr);
        } else {
            EXPECT_FALSE(IsOpen(doc));
        }
        StopApplication(m_app);
    }
}

TEST_F(UserWorkKept, AnOpenedTextIsWrittenBackOnYesAndListingsCloseSilently)
{
    Start();
    const CString path = ProgramFolder() + "notes.txt";
    WriteBytes(path, "first line\r\n");
    DefaultScriptedUiServices().QueueFiles({ path });
    Menu(kFileMenu, kOpenText);
    CTextDoc* doc = m_app->GetActiveTextDoc();
    ASSERT_NE(doc, nullptr);
    // Opened and not yet changed: closing asks nothing.
    EXPECT_FALSE(doc->IsModified());
    UiDriver::Key(VK_END, UiDriver::Control);
    Type("X");
    const CString edited = Text(doc);
    ASSERT_NE(edited.Std(), "first line\r\n");
    DefaultScriptedServices().QueueAnswer(IDYES);
    CloseTheWay(Way::CloseBox, m_app, doc);
    EXPECT_FALSE(IsOpen(doc));
    EXPECT_EQ(Bytes(path), edited.Std());
    EXPECT_EQ(Messages().size(), 1u);

    // A listing window belongs to its drawing: it goes without a question, changed or not.
    DefaultScriptedServices().m_messages.clear();
    Menu("ヘルプ(&H)", "単位一覧テキストを開く(&U)");
    CTextDoc* listing = m_app->GetActiveTextDoc();
    ASSERT_NE(listing, nullptr);
    EXPECT_TRUE(listing->IsModified());
    CloseTheWay(Way::CloseCommand, m_app, listing);
    EXPECT_FALSE(IsOpen(listing));
    EXPECT_TRUE(Messages().empty());

    // So does the multi-line input, whose lines go back to the drawing it was opened from.
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    ASSERT_NE(m_app->m_activeView, nullptr);
    m_app->m_activeView->SetFocus();
    UiDriver::Pump();
    UiDriver::Key('X');
    UiDriver::Pump();
    CTextDoc* input = m_app->GetActiveTextDoc();
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->m_multiLineInput, 1);
    Type("AB");
    CloseTheWay(Way::CloseBox, m_app, input);
    EXPECT_FALSE(IsOpen(input));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UserWorkKept, AFileThatIsNoDrawingIsRefusedAndNeverOverwritten)
{
    Start();
    struct Case {
        const char* name;
        std::string bytes;
    };
    static const char kPicture[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10";
    const Case cases[] = {
        { "picture.dxf", std::string(kPicture, sizeof kPicture - 1) },
        { "empty.dxf", std::string() },
        { "words.dxf", "not a drawing\r\nat all\r\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CString path = ProgramFolder() + c.name;
        WriteBytes(path, c.bytes);
        const size_t drawings = Drawings().size();
        DefaultScriptedServices().m_messages.clear();
        CtrlO(path);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], ScreenPathText(path + " はオープンできませんでした"));
        EXPECT_EQ(Drawings().size(), drawings);
        EXPECT_EQ(m_app->FindDrawingDocByPath(path), nullptr);
        // Ctrl+S in the window that was offered the file does not write over it.
        CtrlS(Drawings().back());
        EXPECT_EQ(Bytes(path), c.bytes);
    }
}

TEST_F(UserWorkKept, EntitiesTheImportPassesOverAreToldAndCtrlSAsksBeforeLosingThem)
{
    Start();
    const CString path = ProgramFolder() + "foreign.dxf";
    const std::string original = ForeignDxf();
    WriteBytes(path, original);
    CtrlO(path);
    CZelkDoc* doc = m_app->FindDrawingDocByPath(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(LineCount(*doc), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_app->m_lastMessage, "読み込めないDXF要素 3 個を省略しました：MTEXT 1 個、HATCH 2 個");

    // No (the question's default) leaves the file whole and starts no write.
    DefaultScriptedServices().QueueAnswer(IDNO);
    CtrlS(doc);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_TRUE(DefaultScriptedServices().m_messages[0].type & MB_DEFBUTTON2);
    EXPECT_NE(Messages()[0].Find(ScreenPathText(path)), -1);
    EXPECT_EQ(Bytes(path), original);
    EXPECT_EQ(m_app->m_savePending, 0);

    // Save As stays open.
    const CString copy = ProgramFolder() + "copy.dxf";
    DefaultScriptedUiServices().QueueFiles({ copy });
    Menu(kFileMenu, kSaveAs);
    EXPECT_TRUE(fs::exists(Fs(copy)));
    EXPECT_EQ(Bytes(path), original);

    // Yes overwrites; after that there is nothing left to lose and Ctrl+S asks no more.
    DefaultScriptedServices().m_messages.clear();
    CZelkDoc* reopened = nullptr;
    CtrlO(path);
    reopened = m_app->FindDrawingDocByPath(path);
    ASSERT_NE(reopened, nullptr);
    DefaultScriptedServices().m_messages.clear();
    DefaultScriptedServices().QueueAnswer(IDYES);
    CtrlS(reopened);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_NE(Bytes(path), original);
    DefaultScriptedServices().m_messages.clear();
    CtrlS(reopened);
    EXPECT_TRUE(Messages().empty());
}

// What SIGKILL leaves: the recovery files stay in the program folder. The test keeps a copy of
// them, lets the program end (which removes them) and puts them back, as if it had been killed.
class Recovery : public UserWorkKept {
protected:
    std::vector<std::pair<std::string, std::string>> KeepRecoveryFiles()
    {
        std::vector<std::pair<std::string, std::string>> kept;
        for (const auto& entry : fs::directory_iterator(Fs(ProgramFolder())))
            if (entry.path().filename().string().rfind("Recov", 0) == 0 && entry.path().extension() != ".lck")
                kept.emplace_back(entry.path().string(), Bytes(ProgramPath(entry.path().string())));
        return kept;
    }
    void KillAndRestart(bool pathRecorded)
    {
        auto kept = KeepRecoveryFiles();
        ASSERT_FALSE(kept.empty());
        StopApplication(m_app);
        for (const auto& [file, bytes] : kept)
            if (pathRecorded || fs::path(file).extension() != ".pth")
                std::ofstream(file, std::ios::binary) << bytes;
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        Start();
    }
    // The sample drawing opened from the command line, a line added by the user's inputs, and
    // the recovery file those inputs wrote.
    CString OpenModifyAndWriteRecovery()
    {
        const CString path = ProgramFolder() + "plan.zel";
        WriteSampleDrawing(path, "2026/12/10");
        m_original = Bytes(path);
        Start({ path });
        CZelkDoc* doc = m_app->FindDrawingDocByPath(path);
        EXPECT_NE(doc, nullptr);
        if (!doc)
            return path;
        m_lines = LineCount(*doc);
        DrawALine();
        EXPECT_EQ(LineCount(*doc), m_lines + 1);
        return path;
    }
    // A two-point line drawn in the active drawing: L opens the line menu, its item is chosen,
    // two right clicks give the ends. The recovery interval is the user's setting of one input,
    // so the inputs themselves write the recovery file.
    void DrawALine()
    {
        m_app->m_recoveryInterval = 1;
        UINT twoPoint = 0;
        for (const CSubMode* m = SubModesBegin(); m != SubModesEnd(); ++m)
            if (m->object == CSubMode::Object::Line && std::strcmp(m->title, "2点線") == 0)
                twoPoint = m->id;
        ASSERT_NE(twoPoint, 0u);
        DefaultScriptedUiServices().QueueMenuChoice(twoPoint);
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
        CZelkView* view = m_app->m_activeView;
        ASSERT_NE(view, nullptr);
        view->SetFocus();
        UiDriver::Pump();
        UiDriver::Key('L');
        UiDriver::Pump();
        UiDriver::Click(view, POINT{ 100, 100 }, UiDriver::Right);
        UiDriver::Pump();
        UiDriver::Click(view, POINT{ 200, 150 }, UiDriver::Right);
        UiDriver::Pump();
        UiDriver::Key(VK_ESCAPE);
        UiDriver::Pump();
    }

    std::string m_original;
    int m_lines = 0;
};

TEST_F(Recovery, ADrawingComesBackUnderItsOwnPathAndCtrlSWritesItThere)
{
    const CString path = OpenModifyAndWriteRecovery();
    KillAndRestart(true);
    CZelkDoc* doc = m_app->FindDrawingDocByPath(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), path);
    EXPECT_EQ(doc->m_name, "plan");
    EXPECT_TRUE(doc->IsModified());
    // The user is told, by the drawing's path, that it was recovered.
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].Find(ScreenPathText(path)), -1) << Messages()[0].GetString();
    EXPECT_EQ(Bytes(path), m_original);

    CtrlS(doc);
    CZelkDoc back;
    ASSERT_EQ(back.LoadNativeFile(path), 1);
    EXPECT_EQ(LineCount(back), m_lines + 1);
    EXPECT_FALSE(fs::exists(Fs(m_app->m_appPath.m_dataFolder + "Recov1.zel")));
    EXPECT_FALSE(fs::exists(Fs(ProgramFolder() + "Recov1.zel.zel")));
}

TEST_F(Recovery, WithoutARecordOfItsFileCtrlSAsksForAName)
{
    OpenModifyAndWriteRecovery();
    KillAndRestart(false);
    std::vector<CZelkDoc*> restored;
    for (CZelkDoc* doc : Drawings())
        if (doc->m_name == "Recov1")
            restored.push_back(doc);
    ASSERT_EQ(restored.size(), 1u);
    CZelkDoc* doc = restored[0];
    const CString chosen = ProgramFolder() + "chosen.zel";
    DefaultScriptedUiServices().QueueFiles({ chosen });
    CtrlS(doc);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.size(), 1u);
    CZelkDoc back;
    ASSERT_EQ(back.LoadNativeFile(chosen), 1);
    EXPECT_EQ(LineCount(back), m_lines + 1);
    EXPECT_EQ(doc->m_path, chosen);
    EXPECT_FALSE(fs::exists(Fs(m_app->m_appPath.m_dataFolder + "Recov1.zel")));
}

TEST_F(Recovery, ARecoveredDxfStillAsksBeforeLosingWhatItsImportPassedOver)
{
    const CString path = ProgramFolder() + "foreign.dxf";
    const std::string original = ForeignDxf();
    WriteBytes(path, original);
    Start({ path });
    ASSERT_NE(m_app->FindDrawingDocByPath(path), nullptr);
    DrawALine();
    KillAndRestart(true);
    CZelkDoc* doc = m_app->FindDrawingDocByPath(path);
    ASSERT_NE(doc, nullptr);
    DefaultScriptedServices().m_messages.clear();
    DefaultScriptedServices().QueueAnswer(IDNO);
    CtrlS(doc);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(Bytes(path), original);
}

// The program really killed: a process of its own (the test program started again for the death
// test) opens the drawing, draws a line and is ended by SIGKILL, leaving its recovery files and
// its lock as a killed program leaves them; the next start here gives the drawing back.
TEST_F(Recovery, AProgramEndedBySigkillGivesItsDrawingBackAtTheNextStart)
{
    // The process of the death test gets a program folder of its own; it works in this one.
    if (!std::getenv("ZELK_KILLED_HOME"))
        setenv("ZELK_KILLED_HOME", std::getenv("ZELK_HOME"), 1);
    setenv("ZELK_HOME", std::getenv("ZELK_KILLED_HOME"), 1);
    const CString path = ProgramFolder() + "plan.zel";
    WriteSampleDrawing(path, "2026/12/10");
    const std::string original = Bytes(path);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Start({ path });
            CZelkDoc* opened = m_app->FindDrawingDocByPath(path);
            if (!opened)
                std::exit(1);
            m_lines = LineCount(*opened);
            DrawALine();
            if (LineCount(*opened) != m_lines + 1)
                std::exit(2);
            std::raise(SIGKILL);
        },
        testing::KilledBySignal(SIGKILL), "");
    unsetenv("ZELK_KILLED_HOME");

    Start();
    CZelkDoc* doc = m_app->FindDrawingDocByPath(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetTitle(), path);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].Find(ScreenPathText(path)), -1) << Messages()[0].GetString();
    EXPECT_EQ(Bytes(path), original);
    CZelkDoc before;
    ASSERT_EQ(before.LoadNativeFile(path), 1);
    const int lines = LineCount(before);

    CtrlS(doc);
    CZelkDoc back;
    ASSERT_EQ(back.LoadNativeFile(path), 1);
    EXPECT_EQ(LineCount(back), lines + 1);
}
