// Drawings opened and saved through the running application: the command line, the open
// dialog, the recent-file list, Ctrl+S, Save As and the close question, with what the file
// system may refuse (read-only files, links, FIFOs, files too large for the format).
#include "app/MainFrame.h"
#include "app/TrainingState.h"
#include "app/ZelkApp.h"
#include "tests/support/AppTestSupport.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "macro/TextDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WinApp.h"
#include "tests/app/QtInput.h"
#include "tests/support/UiDriver.h"
#include "tests/support/SampleDrawing.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Noon of the day the sample drawing was last written, so that saving it again stamps the
// same dates.
constexpr std::int64_t kSampleDay = 1796904000;  // 2026/12/10 12:00 UTC
const char* const kToday = "2026/12/10";

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

std::string Fs(const CString& path)
{
    return FileSystemPath(path.GetString());
}

std::string Bytes(const CString& path)
{
    std::ifstream in(Fs(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How many elements of each kind a drawing holds: points, lines, circles, arcs, ellipses,
// curves, texts.
std::vector<int> Census(const CZelkDoc& doc)
{
    auto count = [](const CObArray& blocks, auto* sample) {
        using Block = std::remove_pointer_t<decltype(sample)>;
        int n = 0;
        for (int i = 0; i < blocks.GetSize(); ++i)
            n += static_cast<const Block*>(blocks[i])->m_count;
        return n;
    };
    return { count(doc.m_pointBlocks, static_cast<CDataPoints*>(nullptr)),
             count(doc.m_lineBlocks, static_cast<CLines*>(nullptr)),
             count(doc.m_circleBlocks, static_cast<CCircles*>(nullptr)),
             count(doc.m_arcBlocks, static_cast<CArcs*>(nullptr)),
             count(doc.m_conicBlocks, static_cast<CConics*>(nullptr)),
             count(doc.m_curveBlocks, static_cast<CCurves*>(nullptr)),
             count(doc.m_textBlocks, static_cast<CTexts*>(nullptr)) };
}

const std::vector<int>& kSampleCensus = kSampleDrawingCensus;

class DrawingFiles : public testing::Test {
protected:
    void SetUp() override
    {
        // The definition files the build puts beside the program.
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name, Fs(ProgramFolder() + name));
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedServices().SetTime(kSampleDay);
        DefaultScriptedUiServices().Reset();
        m_sample = ProgramFolder() + "plan.zel";
        WriteSampleDrawing(m_sample, kToday);
        m_original = Bytes(m_sample);
    }
    void TearDown() override { Stop(); }

    void Start(std::vector<CString> args = {})
    {
        // An empty registration file keeps the start free of the "cannot open" message.
        std::filesystem::create_directories(Fs(ProgramFolder() + "ZelkApp"));
        std::ofstream(Fs(ProgramFolder() + "ZelkApp\\ZelkApp.txt"));
        m_app = new CZelkApp;
        m_app->m_args = std::move(args);
        ASSERT_TRUE(m_app->InitInstance());
    }
    void Stop() { StopApplication(m_app); }
    std::vector<CZelkDoc*> Drawings() const
    {
        std::vector<CZelkDoc*> docs;
        POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            docs.push_back(static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos)));
        return docs;
    }
    CZelkView* ViewOf(CZelkDoc* doc) const { return static_cast<CZelkView*>(doc->m_viewList.at(0)); }
    // A command as a menu or tool-bar button sends it to the main frame.
    void Command(UINT id) { m_app->m_pMainFrame->SendMessage(WM_COMMAND, id, 0); }
    // Ctrl+S, then the wait before the write runs out.
    void CtrlS(CZelkDoc* doc)
    {
        PressControlKey(ViewOf(doc), 'S');
        DefaultScriptedServices().FireTimer(static_cast<const CWnd*>(m_app->m_pMainFrame), 18);
    }
    std::vector<CString> Messages() const
    {
        std::vector<CString> texts;
        for (const auto& m : DefaultScriptedServices().m_messages)
            texts.push_back(m.text);
        return texts;
    }
    // The drawing as a fresh document reads it back from the file.
    std::vector<int> CensusOfFile(const CString& path)
    {
        CZelkDoc doc;
        EXPECT_EQ(doc.LoadNativeFile(path), 1);
        return Census(doc);
    }

    const CWnd* Frame() const { return m_app->m_pMainFrame; }
    BOOL FireSaveTimer() { return DefaultScriptedServices().FireTimer(Frame(), 18); }
    const std::vector<CScriptedUiServices::ModelessRecord>& Notices() const
    {
        return DefaultScriptedUiServices().m_modeless;
    }
    // Escape typed in the input box, as a user cancels a pending save.
    void Escape()
    {
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
        m_app->m_pMainFrame->m_wndInputBar.m_inputBox.SetFocus();
        UiDriver::Key(VK_ESCAPE);
    }

    CZelkApp* m_app = nullptr;
    CString m_sample;
    std::string m_original;
};

const char* const kCountdownLine1 = "秒後にファイルを上書きします。";
const char* const kCountdownLine2 = "中止する場合は ESC キーを押してください。";

TEST_F(DrawingFiles, CommandLineDrawingIsReadAndCtrlSWritesItBackUnchanged)
{
    Start({ CString(Fs(m_sample).c_str()) });
    std::vector<CZelkDoc*> docs = Drawings();
    ASSERT_EQ(docs.size(), 1u);
    CZelkDoc* doc = docs[0];
    EXPECT_EQ(Census(*doc), kSampleCensus);
    EXPECT_EQ(doc->m_path, m_sample);
    EXPECT_EQ(doc->m_name, "plan");
    ASSERT_GT(doc->m_textBlocks.GetSize(), 0);
    EXPECT_EQ(doc->TextBlockAt(0)->m_slots[0].m_text, "平面図　１階");

    CtrlS(doc);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Bytes(m_sample), m_original);
    // The backup copy holds the content that was replaced.
    EXPECT_EQ(Bytes(ProgramFolder() + "plan-Back.zel"), m_original);

    // A change is written by the next Ctrl+S and read back.
    doc->AddLine(At(0, 0), At(30, 30), 0, 0);
    doc->SetModifiedFlag();
    CtrlS(doc);
    EXPECT_FALSE(doc->IsModified());
    std::vector<int> expected = kSampleCensus;
    expected[1] = 3;
    EXPECT_EQ(CensusOfFile(m_sample), expected);
    EXPECT_EQ(Bytes(ProgramFolder() + "plan-Back.zel"), m_original);
}

TEST_F(DrawingFiles, SaveAsWritesTheNewNameAndLeavesTheOldFile)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    doc->AddPoint(At(1, 1), 0, 0);
    const CString copy = ProgramFolder() + "copy.zel";
    DefaultScriptedUiServices().QueueFiles({ copy });
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(Bytes(m_sample), m_original);
    std::vector<int> expected = kSampleCensus;
    expected[0] = 2;
    EXPECT_EQ(CensusOfFile(copy), expected);
    EXPECT_EQ(doc->m_path, copy);
    EXPECT_EQ(doc->m_name, "copy");
    EXPECT_EQ(doc->GetTitle(), copy);
    EXPECT_EQ(m_app->m_lastMessage, "ファイル書き出しは終了しました");
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], copy);
}

TEST_F(DrawingFiles, SaveAsRefusesWhatItCannotWriteAndKeepsTheDrawingAsItWas)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    doc->SetModifiedFlag();
    const CString readOnlyDxf = ProgramFolder() + "plan.dxf";
    std::ofstream(Fs(readOnlyDxf)) << "earlier export";
    fs::permissions(Fs(readOnlyDxf), fs::perms::owner_read);
    const CString text = ProgramFolder() + "notes.txt";
    for (const CString& target : { readOnlyDxf, text }) {
        SCOPED_TRACE(target.GetString());
        DefaultScriptedServices().m_messages.clear();
        DefaultScriptedUiServices().QueueFiles({ target });
        Command(ID_FILE_SAVE_AS);
        // (After the dialog's question whether to overwrite an existing file.)
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().back(), ScreenPathText(target + " はオープンできませんでした"));
        EXPECT_EQ(doc->m_path, m_sample);
        EXPECT_TRUE(doc->IsModified());
    }
    EXPECT_EQ(Bytes(readOnlyDxf), "earlier export");
    EXPECT_FALSE(fs::exists(Fs(text)));
}

TEST_F(DrawingFiles, NewDrawingOfAFirstStartIsSavedIntoTheDataFolder)
{
    Start();
    CZelkDoc* doc = Drawings().at(0);
    EXPECT_TRUE(fs::is_directory(Fs(m_app->m_appPath.m_dataFolder)));
    EXPECT_TRUE(fs::is_directory(Fs(m_app->m_appPath.m_macroFolder)));
    doc->AddLine(At(0, 0), At(1, 1), 0, doc->FindOrAddPen(0, 1, 0, 0, 70));
    doc->SetModifiedFlag();
    CtrlS(doc);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(CensusOfFile(m_app->m_appPath.m_dataFolder + "NewFile.zel"), (std::vector<int>{ 0, 1, 0, 0, 0, 0, 0 }));
}

TEST_F(DrawingFiles, CloseQuestionWritesOnYesAndKeepsTheDrawingOnCancel)
{
    Start();
    CZelkDoc* doc = Drawings().at(0);
    doc->AddLine(At(0, 0), At(1, 1), 0, doc->FindOrAddPen(0, 1, 0, 0, 70));
    doc->SetModifiedFlag();
    const CString target = ProgramFolder() + "closed.zel";

    DefaultScriptedServices().QueueAnswer(IDCANCEL);
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(Drawings().size(), 1u);
    EXPECT_FALSE(fs::exists(Fs(target)));

    DefaultScriptedServices().QueueAnswer(IDYES);
    DefaultScriptedUiServices().QueueFiles({ target });
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(Drawings().empty());
    EXPECT_EQ(CensusOfFile(target), (std::vector<int>{ 0, 1, 0, 0, 0, 0, 0 }));
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1], "NewFile のデータをファイルに書き出しますか？");
}

TEST_F(DrawingFiles, OpenDialogRecentFilesAndDropsReadThroughTheProgramsReader)
{
    Start();
    // The open dialog reads into the empty drawing of the start instead of a new window.
    DefaultScriptedUiServices().QueueFiles({ m_sample });
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Drawings().size(), 1u);
    EXPECT_EQ(Census(*Drawings()[0]), kSampleCensus);
    EXPECT_EQ(Drawings()[0]->m_path, m_sample);

    // The same file again, with no empty drawing left, is refused.
    DefaultScriptedUiServices().QueueFiles({ m_sample });
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Drawings().size(), 1u);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], ScreenPathText(m_sample + " はすでに開かれています"));

    // A recent file opens in a window of its own.
    const CString other = ProgramFolder() + "other.zel";
    fs::copy_file(Fs(m_sample), Fs(other));
    m_app->AddToRecentFileList(other);
    Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(Drawings().size(), 2u);
    EXPECT_EQ(Census(*Drawings()[1]), kSampleCensus);

    // So do files dropped on the main window from a file manager.
    const CString dropped = ProgramFolder() + "dropped.zel";
    fs::copy_file(Fs(m_sample), Fs(dropped));
    EXPECT_TRUE(DropFiles(m_app->m_pMainFrame, { Fs(dropped) }));
    ASSERT_EQ(Drawings().size(), 3u);
    EXPECT_EQ(Drawings()[2]->m_path, dropped);
    EXPECT_EQ(Census(*Drawings()[2]), kSampleCensus);
    EXPECT_EQ(Bytes(m_sample), m_original);
}

TEST_F(DrawingFiles, ReadOnlyFileIsRefusedAndLinkedFileIsWrittenThroughItsLink)
{
    // The target of a link, in a folder of its own, with permission bits of its own.
    const CString folder = ProgramFolder() + "real";
    fs::create_directory(Fs(folder));
    const CString real = folder + "\\plan.zel";
    fs::copy_file(Fs(m_sample), Fs(real));
    fs::permissions(Fs(real), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const CString link = ProgramFolder() + "link.zel";
    fs::create_symlink(Fs(real), Fs(link));
    fs::permissions(Fs(m_sample), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* readOnly = Drawings().at(0);
    readOnly->AddPoint(At(1, 1), 0, 0);
    readOnly->SetModifiedFlag();
    CtrlS(readOnly);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], ScreenPathText(m_sample + " はオープンできませんでした"));
    EXPECT_EQ(Bytes(m_sample), m_original);
    EXPECT_EQ(fs::status(Fs(m_sample)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(readOnly->IsModified());

    ASSERT_NE(m_app->OpenDocumentFile(link), nullptr);
    CZelkDoc* linked = Drawings().at(1);
    linked->AddPoint(At(1, 1), 0, 0);
    linked->SetModifiedFlag();
    CtrlS(linked);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(fs::is_symlink(Fs(link)));
    EXPECT_EQ(fs::read_symlink(Fs(link)), fs::path(Fs(real)));
    EXPECT_EQ(CensusOfFile(real)[0], 2);
    EXPECT_EQ(fs::status(Fs(real)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Nothing is left beside either of them.
    EXPECT_FALSE(fs::exists(Fs(real) + ".tmp~"));
    EXPECT_FALSE(fs::exists(Fs(link) + ".tmp~"));
}

TEST_F(DrawingFiles, WhatIsNotADrawingFileIsRefusedAtOnce)
{
    Start();
    struct Case {
        const char* name;
        std::uintmax_t size;        // 0: a FIFO
        const char* readerMessage;  // null: only the opener's message
    };
    const Case cases[] = {
        { "pipe.zel", 0, nullptr },
        { "big.zel", 2500000000u, "使用可能なメモリ領域が十分ではありません" },
        { "huge.zel", 4400000000u, "使用可能なメモリ領域が十分ではありません" },
        { "huge.dxf", 4400000000u, "使用可能なメモリ領域が十分ではありません" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DefaultScriptedServices().m_messages.clear();
        const CString path = ProgramFolder() + c.name;
        if (c.size == 0) {
            ASSERT_EQ(mkfifo(Fs(path).c_str(), 0644), 0);
        } else {
            std::ofstream(Fs(path)).close();
            fs::resize_file(Fs(path), c.size);  // sparse: no disk space used
        }
        EXPECT_EQ(m_app->OpenDocumentFile(path), nullptr);
        std::vector<CString> expected;
        if (c.readerMessage)
            expected.push_back(c.readerMessage);
        expected.push_back(ScreenPathText(path + " はオープンできませんでした"));
        EXPECT_EQ(Messages(), expected);
        // The window stays open and empty; the next case reuses it.
        EXPECT_EQ(Census(*Drawings().back()), (std::vector<int>{ 0, 0, 0, 0, 0, 0, 0 }));
        fs::remove(Fs(path));
    }
    // Any other name is a text: one that cannot be read is refused with the text's message.
    DefaultScriptedServices().m_messages.clear();
    EXPECT_EQ(m_app->OpenDocumentFile(ProgramFolder() + "notes.txt"), nullptr);
    EXPECT_EQ(Messages(), (std::vector<CString>{ "テキストファイルは読み込みできませんでした" }));
}

TEST_F(DrawingFiles, FileSaveCountsDownThenWritesWhenItsTimerFires)
{
    Start({ CString(Fs(m_sample).c_str()) });
    m_app->m_backupOnSave = 1;
    CZelkDoc* doc = Drawings().at(0);
    doc->AddLine(At(0, 0), At(30, 30), 0, 0);
    doc->SetModifiedFlag();
    DefaultScriptedUiServices().Reset();

    Command(ID_FILE_SAVE);
    // The countdown was up while the program waited, and is gone.
    ASSERT_EQ(Notices().size(), 2u);
    EXPECT_EQ(Notices()[0].templateId, 252u);
    ASSERT_EQ(Notices()[0].texts.size(), 4u);
    EXPECT_EQ(Notices()[0].texts[0], "1.5");
    EXPECT_EQ(Notices()[0].texts[1], kCountdownLine1);
    EXPECT_EQ(Notices()[0].texts[2], kCountdownLine2);
    EXPECT_TRUE(Notices()[1].destroyed);
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{ 1500 }));
    EXPECT_EQ(ViewOf(doc)->m_messageText, m_sample);
    // Nothing is written yet, and the drawing no longer counts as modified.
    EXPECT_TRUE(DefaultScriptedServices().IsTimerActive(Frame(), 18));
    EXPECT_EQ(Bytes(m_sample), m_original);
    EXPECT_FALSE(doc->IsModified());

    // While the save waits, File Save and File Close do nothing.
    Command(ID_FILE_SAVE);
    Command(ID_FILE_CLOSE);
    doc->OnCloseDocument();
    EXPECT_EQ(Notices().size(), 2u);
    EXPECT_EQ(Drawings().size(), 1u);
    EXPECT_TRUE(Messages().empty());

    ASSERT_TRUE(FireSaveTimer());
    ASSERT_EQ(Notices().size(), 4u);
    EXPECT_EQ(Notices()[2].templateId, 253u);
    EXPECT_EQ(Notices()[2].texts, (std::vector<CString>{ "上書き保存" }));
    EXPECT_TRUE(Notices()[3].destroyed);
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, (std::vector<DWORD>{ 1500, 500 }));
    EXPECT_FALSE(DefaultScriptedServices().IsTimerActive(Frame(), 18));
    std::vector<int> expected = kSampleCensus;
    expected[1] = 3;
    EXPECT_EQ(CensusOfFile(m_sample), expected);
    EXPECT_EQ(Bytes(ProgramFolder() + "plan-Back.zel"), m_original);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], m_sample);
    ASSERT_GT(m_app->m_appPath.m_recentDataFolders.GetSize(), 0);
    EXPECT_EQ(m_app->m_appPath.m_recentDataFolders[0], ProgramFolder());
    EXPECT_EQ(m_app->m_savePending, 0);
    EXPECT_EQ(m_app->m_pendingDrawing, nullptr);

    // Every later File Save of the run shows its countdown for one second.
    Command(ID_FILE_SAVE);
    EXPECT_EQ(DefaultScriptedServices().m_sleeps.back(), 1000u);
    ASSERT_TRUE(FireSaveTimer());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(DefaultScriptedServices().m_sleeps.back(), 1000u);
    ASSERT_TRUE(FireSaveTimer());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DrawingFiles, DelayedWritesStampTheDatesOncePerDay)
{
    Start();
    CZelkDoc* doc = Drawings().at(0);
    doc->m_renewalDate1 = "2026/11/30";
    const CString path = m_app->m_appPath.m_dataFolder + "NewFile.zel";
    struct Step {
        std::int64_t day;
        const char* creation;
        const char* renewal[3];
    };
    const Step steps[] = {
        { kSampleDay, kToday, { kToday, "2026/11/30", "" } },
        { kSampleDay, kToday, { kToday, "2026/11/30", "" } },
        { kSampleDay + 86400, kToday, { "2026/12/11", kToday, "2026/11/30" } },
    };
    for (const Step& step : steps) {
        DefaultScriptedServices().SetTime(step.day);
        Command(ID_FILE_SAVE);
        ASSERT_TRUE(FireSaveTimer());
        EXPECT_EQ(doc->m_creationDate, step.creation);
        EXPECT_EQ(doc->m_renewalDate1, step.renewal[0]);
        EXPECT_EQ(doc->m_renewalDate2, step.renewal[1]);
        EXPECT_EQ(doc->m_renewalDate3, step.renewal[2]);
    }
    EXPECT_TRUE(fs::exists(Fs(path)));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DrawingFiles, EscapeBeforeTheWriteCancelsItAndGivesBackTheModifiedMark)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    for (const bool modified : { true, false }) {
        SCOPED_TRACE(modified);
        DefaultScriptedUiServices().Reset();
        DefaultScriptedServices().m_sleeps.clear();
        doc->SetModifiedFlag(modified);
        Command(ID_FILE_SAVE);
        ASSERT_TRUE(DefaultScriptedServices().IsTimerActive(Frame(), 18));
        Escape();
        ASSERT_EQ(Notices().size(), 4u);
        EXPECT_EQ(Notices()[2].templateId, 254u);
        EXPECT_EQ(Notices()[2].texts, (std::vector<CString>{ "保存中止" }));
        EXPECT_TRUE(Notices()[3].destroyed);
        EXPECT_EQ(DefaultScriptedServices().m_sleeps.back(), 500u);
        EXPECT_FALSE(DefaultScriptedServices().IsTimerActive(Frame(), 18));
        EXPECT_FALSE(FireSaveTimer());
        EXPECT_EQ(doc->IsModified(), modified ? TRUE : FALSE);
        EXPECT_EQ(m_app->m_savePending, 0);
        EXPECT_EQ(m_app->m_pendingDrawing, nullptr);
        EXPECT_EQ(m_app->m_pendingView, nullptr);
    }
    EXPECT_EQ(Bytes(m_sample), m_original);
    // Escape with nothing pending shows nothing.
    DefaultScriptedUiServices().Reset();
    Escape();
    EXPECT_TRUE(Notices().empty());
    // The drawing can be closed again.
    doc->SetModifiedFlag(FALSE);
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(Drawings().empty());
}

TEST_F(DrawingFiles, CountdownShowsTheEndOfALongPathWithoutSplittingACharacter)
{
    Start();
    CZelkDoc* doc = Drawings().at(0);
    // A path of n bytes with two chosen bytes where a 40-byte path is cut: the byte before the
    // last 35 and the first of them.
    auto path = [](int n, char before, char first) {
        std::string s(n, 'x');
        s[0] = '\\';
        s.replace(n - 9, 9, "\\plan.zel");
        s[n - 36] = before;
        s[n - 35] = first;
        return s;
    };
    struct Case {
        const char* name;
        std::string path;
        std::string shown;
    };
    const std::string plain = path(40, 'a', 'b');
    const std::string kana = path(40, '\x82', '\xb1');      // "こ" across the cut
    const std::string small = path(40, '\x83', '\x83');     // "ャ": its second byte is kept
    const std::string single = path(40, '\x80', 'b');       // 0x80 is a character of its own
    const std::string bent = path(40, '\xe0', '\x40');      // a lead byte from the upper range
    const Case cases[] = {
        { "38 bytes", path(38, 'a', 'b'), path(38, 'a', 'b') },
        { "39 bytes", path(39, 'a', 'b'), "･･･" + path(39, 'a', 'b').substr(4) },
        { "plain", plain, "･･･" + plain.substr(5) },
        { "lead byte", kana, "･･･" + kana.substr(6) },
        { "lead byte, next 83", small, "･･･" + small.substr(5) },
        { "80", single, "･･･" + single.substr(5) },
        { "E0", bent, "･･･" + bent.substr(6) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DefaultScriptedUiServices().Reset();
        doc->m_path = c.path.c_str();
        Command(ID_FILE_SAVE);
        m_app->CancelPendingSave();
        ASSERT_FALSE(Notices().empty());
        ASSERT_EQ(Notices()[0].texts.size(), 4u);
        EXPECT_EQ(std::string(Notices()[0].texts[3].GetString()), c.shown);
    }
    // A cut that leaves the second byte of a character first still shows the rest of the path.
    DefaultScriptedUiServices().Reset();
    std::string stray = path(40, '\x83', '\x83');
    stray[6] = '\xff';
    doc->m_path = stray.c_str();
    Command(ID_FILE_SAVE);
    m_app->CancelPendingSave();
    ASSERT_FALSE(Notices().empty());
    const std::string shown = Notices()[0].texts[3].GetString();
    ASSERT_GE(shown.size(), 9u);
    EXPECT_EQ(shown.substr(shown.size() - 9), "\\plan.zel");
}

TEST_F(DrawingFiles, SaveAllWritesEveryDrawingIntoTheDataFolderAfterOneQuestion)
{
    Start({ CString(Fs(m_sample).c_str()) });
    m_app->NewDrawing();
    ASSERT_EQ(Drawings().size(), 2u);
    const CString folder = m_app->m_appPath.m_dataFolder;
    struct Case {
        UINT command;
        const char* ext;
        const char* question;
        const char* done;
    };
    const Case cases[] = {
        { 33114, ".zel", " にあるZelkファイルに上書きしても良いですか？", "全ての表示図形データのZelk保存が完了しました。" },
        { 33110, ".dxf", " にあるDXFファイルに上書きしても良いですか？", "全ての表示図形データのDXF出力が完了しました。" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ext);
        // No: nothing is written.
        DefaultScriptedServices().m_messages.clear();
        DefaultScriptedServices().QueueAnswer(IDNO);
        Command(c.command);
        EXPECT_EQ(Messages(), (std::vector<CString>{ ScreenPathText(folder + c.question) }));
        EXPECT_FALSE(fs::exists(Fs(folder + "plan" + c.ext)));

        DefaultScriptedServices().m_messages.clear();
        for (CZelkDoc* doc : Drawings())
            doc->SetModifiedFlag();
        Command(c.command);
        EXPECT_EQ(Messages(), (std::vector<CString>{ ScreenPathText(folder + c.question), c.done }));
        for (const char* name : { "plan", "NewFile" }) {
            SCOPED_TRACE(name);
            EXPECT_TRUE(fs::is_regular_file(Fs(folder + name + c.ext)));
        }
        for (CZelkDoc* doc : Drawings()) {
            EXPECT_FALSE(doc->IsModified());
            EXPECT_EQ(doc->m_path, folder + doc->m_name + c.ext);
        }
    }
    EXPECT_EQ(CensusOfFile(folder + "plan.zel"), kSampleCensus);
    EXPECT_EQ(Bytes(m_sample), m_original);
}

TEST_F(DrawingFiles, SaveAllGoesOnAfterAFailedDrawingAndReportsItOnce)
{
    Start({ CString(Fs(m_sample).c_str()) });
    m_app->NewDrawing();
    const CString folder = m_app->m_appPath.m_dataFolder;
    // A native file of another case is written in place; a folder in the way cannot be.
    std::ofstream(Fs(folder + "plan.ZEL")) << "older";
    fs::create_directories(Fs(folder + "NewFile.zel"));
    Drawings()[1]->SetModifiedFlag();
    Command(33114);
    EXPECT_EQ(Messages(), (std::vector<CString>{ ScreenPathText(folder + " にあるZelkファイルに上書きしても良いですか？"),
                                                 ScreenPathText(folder + "NewFile.zel はオープンできませんでした"),
                                                 "Zelkの書き出しが出来なかったデータがあります。" }));
    EXPECT_EQ(CensusOfFile(folder + "plan.ZEL"), kSampleCensus);
    EXPECT_FALSE(fs::exists(Fs(folder + "plan.zel")));
    EXPECT_EQ(Drawings()[0]->m_path, folder + "plan.ZEL");
    EXPECT_TRUE(Drawings()[1]->IsModified());
}

// A training whose series goes on for as many closes as a test says.
class CScriptedTraining : public CTrainingState {
public:
    int m_notesLeft = 0;
    int m_steps = 0;
    int NextStep() override
    {
        ++m_steps;
        return m_notesLeft-- > 0 ? 1 : 0;
    }
};

TEST_F(DrawingFiles, CloseQuestionNoClosesUnwrittenAndATrainingAsksNothing)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    doc->AddPoint(At(1, 1), 0, 0);
    doc->SetModifiedFlag();
    DefaultScriptedServices().QueueAnswer(IDNO);
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(Drawings().empty());
    EXPECT_EQ(Messages(), (std::vector<CString>{ "plan のデータをファイルに書き出しますか？" }));
    EXPECT_EQ(Bytes(m_sample), m_original);

    // During a training closing moves to the next note; after the last one only the fresh
    // drawing the series leaves stays.
    ASSERT_NE(m_app->OpenDocumentFile(m_sample), nullptr);
    m_app->NewDrawing();
    ASSERT_EQ(Drawings().size(), 2u);
    auto* training = new CScriptedTraining;
    delete m_app->m_trainingState;
    m_app->m_trainingState = training;
    training->m_active = 1;
    training->m_notesLeft = 1;
    for (CZelkDoc* d : Drawings())
        d->SetModifiedFlag();
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(training->m_steps, 1);
    EXPECT_EQ(Drawings().size(), 2u);
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(training->m_steps, 2);
    ASSERT_EQ(Drawings().size(), 1u);
    EXPECT_EQ(Drawings()[0]->m_name, "NewFile");
    EXPECT_EQ(Messages().size(), 1u);
    training->m_active = 0;
}

TEST_F(DrawingFiles, DrawingsAreFoundByTheirExactPathAndTheLaterEmptyOneIsReused)
{
    Start();
    // Without a drawing the scale is the plain one.
    EXPECT_EQ(m_app->FormatScaleText(nullptr), CString("尺度1"));
    ASSERT_NE(m_app->m_pDocTemplate->OpenDocumentFile(m_sample), nullptr);
    EXPECT_NE(m_app->FindDrawingDocByPath(m_sample), nullptr);
    CString upper = m_sample;
    upper.MakeUpper();
    // File names differ by case on this system: another spelling is another file.
    EXPECT_EQ(m_app->FindDrawingDocByPath(upper), nullptr);

    Command(ID_FILE_NEW);
    std::vector<CZelkDoc*> docs = Drawings();
    std::vector<CZelkDoc*> empty;
    for (CZelkDoc* doc : docs)
        if (!doc->HasData())
            empty.push_back(doc);
    ASSERT_EQ(empty.size(), 2u);
    EXPECT_EQ(m_app->FindEmptyDrawingDoc(), empty.back());
}

TEST_F(DrawingFiles, TheTemplateOpensByExtensionAndAnUnknownOneLeavesAnEmptyDrawing)
{
    Start();
    const CString upper = ProgramFolder() + "PLAN.ZEL";
    fs::copy_file(Fs(m_sample), Fs(upper));
    ASSERT_NE(m_app->m_pDocTemplate->OpenDocumentFile(upper), nullptr);
    ASSERT_NE(m_app->FindDrawingDocByPath(upper), nullptr);
    EXPECT_EQ(Census(*m_app->FindDrawingDocByPath(upper)), kSampleCensus);
    EXPECT_TRUE(Messages().empty());

    const CString text = ProgramFolder() + "notes.txt";
    std::ofstream(Fs(text)) << "not a drawing";
    auto* opened = dynamic_cast<CZelkDoc*>(m_app->m_pDocTemplate->OpenDocumentFile(text));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(Census(*opened), (std::vector<int>{ 0, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(Messages(), (std::vector<CString>{ "拡張子がZelkに適合していません" }));
}

// The application opens a drawing by its extension, DXF included, and any other name (here in
// capitals) as a text window holding the file's lines.
TEST_F(DrawingFiles, TheApplicationOpensDxfAsADrawingAndOtherNamesAsTexts)
{
    Start();
    const CString dxf = ProgramFolder() + "plan.dxf";
    {
        CZelkDoc source;
        ASSERT_EQ(source.LoadNativeFile(m_sample), 1);
        ASSERT_TRUE(source.WriteDxfFile(dxf));
    }
    const size_t texts = m_app->TextDocs().size();
    DefaultScriptedServices().m_messages.clear();
    auto* drawing = dynamic_cast<CZelkDoc*>(m_app->OpenDocumentFile(dxf));
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(m_app->FindDrawingDocByPath(dxf), drawing);
    EXPECT_EQ(Census(*drawing)[2], kSampleCensus[2]);
    EXPECT_EQ(m_app->TextDocs().size(), texts);

    const CString text = ProgramFolder() + "NOTES.TXT";
    std::ofstream(Fs(text), std::ios::binary) << "first line\r\nsecond line\r\n";
    CDocument* opened = m_app->OpenDocumentFile(text);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(dynamic_cast<CZelkDoc*>(opened), nullptr);
    ASSERT_EQ(m_app->TextDocs().size(), texts + 1);
    CTextDoc* textDoc = m_app->TextDocs().back();
    EXPECT_EQ(static_cast<CDocument*>(textDoc), opened);
    CStringArray lines;
    textDoc->GetLines(lines);
    ASSERT_GE(lines.GetSize(), 2);
    EXPECT_EQ(lines[0], "first line");
    EXPECT_EQ(lines[1], "second line");
    EXPECT_TRUE(Messages().empty());
}

// Reading a drawing's fonts goes through the text shape commands and leaves the slant shape
// current as it was, with its direction and the current set.
TEST_F(DrawingFiles, ReadingTheFontsLeavesTheSlantShapeCurrent)
{
    Start();
    m_app->m_appText.m_slantAlongLine = 0;
    m_app->OnTextShapeSlant();
    ASSERT_EQ(m_app->m_appText.m_shape, 4);
    auto* drawing = dynamic_cast<CZelkDoc*>(m_app->OpenDocumentFile(m_sample));
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(Census(*drawing), kSampleCensus);
    ASSERT_GT(drawing->m_fonts.GetSize(), 0);
    EXPECT_EQ(m_app->m_appText.m_shape, 4);
    EXPECT_EQ(m_app->m_appText.m_direction, 3);
    EXPECT_EQ(m_app->m_atrCurrent.m_text.m_shape, 4);
}

TEST_F(DrawingFiles, DelayedWriteChoosesTheFormByTheDrawingsExtension)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    CZelkView* view = ViewOf(doc);
    // The view hides the drawing's second layer.
    doc->FindOrCreateLayer("hidden");
    view->m_layerStates.RemoveAll();
    view->m_layerStates.Add(0);
    view->m_layerStates.Add(1);
    struct Case {
        const char* name;
        std::vector<CString> messages;
        bool written;
    };
    const Case cases[] = {
        { "plan.dxf", { "表示レイヤのデータのみをDXFに出力しました。" }, true },
        { "plan.doc", { "ドキュメントの拡張子がZel/Dxfではないので書き出しを中止しました" }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DefaultScriptedServices().m_messages.clear();
        doc->m_path = ProgramFolder() + c.name;
        doc->SetModifiedFlag();
        Command(ID_FILE_SAVE);
        ASSERT_TRUE(FireSaveTimer());
        EXPECT_EQ(Messages(), c.messages);
        EXPECT_EQ(fs::exists(Fs(doc->m_path)), c.written);
        EXPECT_EQ(doc->IsModified(), c.written ? FALSE : TRUE);
    }
    EXPECT_NE(Bytes(ProgramFolder() + "plan.dxf").find("ENTITIES"), std::string::npos);
}

TEST_F(DrawingFiles, SaveAsNeedsAnActiveViewAndWritesTheChosenForm)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    CZelkView* active = m_app->m_activeView;
    m_app->m_activeView = nullptr;
    DefaultScriptedUiServices().QueueFiles({ ProgramFolder() + "b.dxf" });
    EXPECT_EQ(doc->SaveAs(), 0);
    EXPECT_EQ(Messages(), (std::vector<CString>{ "アクティブビューがないのでファイルの書き出しはできません" }));
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownFileDialogs.empty());

    m_app->m_activeView = active;
    DefaultScriptedServices().m_messages.clear();
    Command(ID_FILE_SAVE_AS);
    const CString target = ProgramFolder() + "b.dxf";
    EXPECT_TRUE(Messages().empty());
    EXPECT_NE(Bytes(target).find("ENTITIES"), std::string::npos);
    EXPECT_EQ(m_app->m_lastMessage, "ファイル書き出しは終了しました");
    EXPECT_EQ(doc->m_path, target);
    EXPECT_EQ(doc->m_name, "b");
    EXPECT_EQ(doc->GetTitle(), target);
    EXPECT_EQ(doc->m_nativeWriteMode, 1);
    EXPECT_EQ(Bytes(m_sample), m_original);
}

TEST_F(DrawingFiles, ClosingTheProgramWritesAPendingSaveFirst)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    doc->AddLine(At(0, 0), At(30, 30), 0, 0);
    doc->SetModifiedFlag();
    Command(ID_FILE_SAVE);
    ASSERT_EQ(m_app->m_savePending, 1);
    m_app->m_pMainWnd->SendMessage(WM_CLOSE);
    m_app->m_pMainWnd = nullptr;
    // Written before the drawing closed, so nothing was asked.
    EXPECT_TRUE(Messages().empty());
    std::vector<int> expected = kSampleCensus;
    expected[1] = 3;
    EXPECT_EQ(CensusOfFile(m_sample), expected);
    EXPECT_EQ(m_app->m_savePending, 0);
}

TEST_F(DrawingFiles, DelayedWriteGoesThroughTheDrawingsOwnViewWhenThePendingOneShowsAnother)
{
    Start({ CString(Fs(m_sample).c_str()) });
    CZelkDoc* doc = Drawings().at(0);
    m_app->NewDrawing();
    CZelkDoc* other = Drawings().at(1);
    doc->AddLine(At(0, 0), At(30, 30), 0, 0);
    doc->SetModifiedFlag();
    m_app->m_pMainFrame->MDIActivate(ViewOf(doc)->GetParentFrame());
    Command(ID_FILE_SAVE);
    ASSERT_EQ(m_app->m_pendingDrawing, doc);
    // The window that was active at File Save now shows another drawing.
    m_app->m_pendingView = ViewOf(other);
    ASSERT_TRUE(FireSaveTimer());
    EXPECT_TRUE(Messages().empty());
    std::vector<int> expected = kSampleCensus;
    expected[1] = 3;
    EXPECT_EQ(CensusOfFile(m_sample), expected);
    EXPECT_EQ(ViewOf(other)->m_document, other);
}

} // namespace

TEST_F(DrawingFiles, ClearingHighlightsOnACommitRedrawsEveryOpenDrawing)
{
    Start();
    m_app->NewDrawing();
    std::vector<CZelkDoc*> docs = Drawings();
    ASSERT_EQ(docs.size(), 2u);
    CZelkDoc* a = docs[0];
    CZelkDoc* b = docs[1];
    // A change in the other drawing still waits to be drawn.
    b->AddLine(At(0, 0), At(10, 10), 0, b->FindOrAddPen(0, 1, 0, 0, 70));
    CLine* waiting = b->GetLineElem(0, 0);
    ASSERT_NE(waiting, nullptr);
    waiting->m_mark |= MARK_REDRAW;

    std::int16_t block = -1, slot = -1;
    a->m_creationLog->AddLine(At(0, 0), At(20, 0), 1, block, slot, 1, 0);
    a->m_creationLog->Commit(0);
    EXPECT_NE(waiting->m_mark & MARK_REDRAW, 0);  // without clearing, only the own drawing
    a->m_creationLog->AddLine(At(0, 5), At(20, 5), 1, block, slot, 1, 0);
    a->m_creationLog->Commit(1);
    EXPECT_EQ(waiting->m_mark & MARK_REDRAW, 0);
    EXPECT_EQ(a->GetLineElem(block, slot)->m_mark & (MARK_SELECTED | MARK_REDRAW), 0);
}
