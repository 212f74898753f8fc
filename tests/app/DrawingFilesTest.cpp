// Drawings opened and saved through the running application: the command line, the open
// dialog, the recent-file list, Ctrl+S, Save As and the close question, with what the file
// system may refuse (read-only files, links, FIFOs, files too large for the format).
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "tests/support/AppTestSupport.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WinApp.h"
#include "tests/app/QtInput.h"
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
    void CtrlS(CZelkDoc* doc) { PressControlKey(ViewOf(doc), 'S'); }
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

    CZelkApp* m_app = nullptr;
    CString m_sample;
    std::string m_original;
};

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

} // namespace
