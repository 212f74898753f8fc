// Damaged input and failing disks in the started program: drawings whose font or origin holds
// numbers no pixel can have, a settings archive with more colors than it has bytes, a backup
// that a full disk cannot take, and the temporary files an ended write leaves behind.
#include "app/ColorComboBox.h"
#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "macro/TextDoc.h"
#include "platform/core/CodePage.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"
#include "tests/app/QtInput.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/SampleDrawing.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Fs(const CString& path)
{
    return FileSystemPath(path.GetString());
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<CString> MessageTexts()
{
    std::vector<CString> texts;
    for (const auto& m : DefaultScriptedServices().m_messages)
        texts.push_back(m.text);
    return texts;
}

bool HasMessage(const CString& text)
{
    const std::vector<CString> texts = MessageTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class DamagedInput : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        PrepareProgramFolderForStart();
    }
    void TearDown() override { StopApplication(m_app); }

    void Start()
    {
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        ASSERT_NE(m_app->m_pMainFrame, nullptr);
    }
    // A fixture of tests/data copied into the program folder, as a user's file.
    CString Fixture(const char* name)
    {
        const CString path = ProgramFolder() + name;
        fs::copy_file(fs::path(ZELK_TEST_DATA) / name, Fs(path), fs::copy_options::overwrite_existing);
        return path;
    }
    CZelkView* ViewOf(CZelkDoc* doc) const { return static_cast<CZelkView*>(doc->m_viewList.at(0)); }
    CZelkDoc* ActiveDrawing() const { return m_app->GetActiveDrawingDoc(); }

    CZelkApp* m_app = nullptr;
};

TEST_F(DamagedInput, AFontHeightPastTenTimesTheIntegerRangeIsHeldWhereTheFileIsRead)
{
    // The sample drawing with the height of its font's LOGFONT damaged to 0x30303030.
    Start();
    auto* doc = static_cast<CZelkDoc*>(m_app->OpenDocumentFile(Fixture("font-height-overflow.zel")));
    ASSERT_NE(doc, nullptr);
    ViewOf(doc)->SendPaint();
    constexpr LONG kHeld = 214748364;   // ten times it is still a 32-bit number
    ASSERT_EQ(doc->m_fonts.GetSize(), 1);
    EXPECT_EQ(doc->GetFont(0)->m_logFont.lfHeight, kHeld);
    EXPECT_EQ(m_app->m_appText.m_logFont.lfHeight, kHeld);
    // The rest of the drawing is read: the text in that font is there.
    ASSERT_EQ(doc->m_textBlocks.GetSize(), 1);
    EXPECT_EQ(doc->TextBlockAt(0)->m_slots[0].m_text, CString("図面の見本"));
    // A height or width typed as large is held the same way.
    m_app->m_appText.SetHeight(1e12);
    m_app->m_appText.SetWidth(-1e12);
    EXPECT_EQ(m_app->m_appText.m_logFont.lfHeight, -kHeld);
    EXPECT_EQ(m_app->m_appText.m_logFont.lfWidth, -kHeld);
}

TEST_F(DamagedInput, AnOriginThatIsNotANumberIsRefusedAndTheWindowDrawsWhatCameBefore)
{
    Start();
    const CString path = Fixture("origin-nan.zel");
    EXPECT_EQ(m_app->OpenDocumentFile(path), nullptr);
    EXPECT_TRUE(HasMessage(CString(Fs(path).c_str()) + " はオープンできませんでした"));
    CZelkDoc* doc = ActiveDrawing();
    ASSERT_NE(doc, nullptr);
    ViewOf(doc)->SendPaint();
    EXPECT_EQ(doc->m_relOrigin.m_x, 0.0);
    EXPECT_EQ(doc->m_relOrigin.m_y, 0.0);
    EXPECT_EQ(doc->m_relAngle, 0.0);
    // Layers, pens and the font came before the origin; the elements after it are lost.
    EXPECT_EQ(doc->m_fonts.GetSize(), 1);
    EXPECT_EQ(doc->m_lineBlocks.GetSize(), 0);
}

// The settings archive the program writes with the given user colors.
std::string ArchiveWithColors(const std::vector<COLORREF>& colors)
{
    CZelkApp app;
    g_pApp = &app;
    app.LoadSettings();
    for (COLORREF c : colors)
        app.m_appColor.m_userColors.Add(c);
    EXPECT_TRUE(app.SaveSettings());
    g_pApp = nullptr;
    return Bytes(Fs(ProgramFolder() + "ZelkR009.acv"));
}

TEST_F(DamagedInput, AColorCountBeyondTheArchivesBytesIsRefused)
{
    // One color, RGB(1, 2, 3), after its count; the count is then damaged to 56035.
    std::string archive = ArchiveWithColors({RGB(1, 2, 3)});
    const std::string counted("\x01\x00\x01\x02\x03\x00", 6);
    const size_t at = archive.find(counted);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(archive.find(counted, at + 1), std::string::npos);
    archive[at] = static_cast<char>(56035 & 0xFF);
    archive[at + 1] = static_cast<char>(56035 >> 8);
    std::ofstream(Fs(ProgramFolder() + "ZelkR009.acv"), std::ios::binary | std::ios::trunc) << archive;

    CZelkApp app;
    g_pApp = &app;
    app.LoadSettings();
    EXPECT_EQ(app.m_appColor.m_userColors.GetSize(), 0);
    // What came before the colors was read.
    EXPECT_EQ(app.m_appColor.complementThreshold, 55);
    g_pApp = nullptr;
}

TEST_F(DamagedInput, TensOfThousandsOfUserColorsFillTheColorBoxOnceEachInOrder)
{
    // 30,000 colors, every one twice, some of them standard colors.
    std::vector<COLORREF> colors;
    for (int i = 0; i < 15000; ++i)
        colors.push_back(RGB(i % 256, (i / 256) % 256, i % 7 == 0 ? 255 : 0));
    colors.insert(colors.end(), colors.begin(), colors.end());
    colors.push_back(RGB(255, 0, 0));
    ArchiveWithColors(colors);

    Start();
    CColorComboBox& box = m_app->m_pMainFrame->m_wndInputBar.m_colorBox;
    std::set<COLORREF> expected(colors.begin(), colors.end());
    for (COLORREF c : m_app->m_appColor.m_standardColors)
        expected.insert(c);
    ASSERT_EQ(box.GetCount(), static_cast<int>(expected.size()));
    std::set<COLORREF> shown;
    for (int i = 0; i < box.GetCount(); ++i) {
        const auto c = static_cast<COLORREF>(box.GetItemData(i));
        shown.insert(c);
        if (i > 0) {
            ASSERT_LT(CompareColors(static_cast<COLORREF>(box.GetItemData(i - 1)), c), 0) << i;
        }
    }
    EXPECT_EQ(shown, expected);
    // The first standard color is the one chosen.
    EXPECT_EQ(static_cast<COLORREF>(box.GetItemData(box.GetCurSel())), m_app->m_appColor.m_standardColors[0]);
}

// A file-size limit below the drawing's size for as long as it lives, as a nearly full disk
// gives: writes past it fail instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(DamagedInput, ABackupThatCannotBeWrittenKeepsThePreviousOneAndIsReported)
{
    const CString plan = ProgramFolder() + "plan.zel";
    WriteSampleDrawing(plan, "2026/12/10");
    const std::string drawing = Bytes(Fs(plan));
    const std::string backup = Fs(ProgramFolder() + "plan-Back.zel");
    const std::string previous = "the backup of an earlier save";
    std::ofstream(backup, std::ios::binary) << previous;
    ASSERT_GT(drawing.size(), 200u);

    Start();
    auto* doc = static_cast<CZelkDoc*>(m_app->OpenDocumentFile(plan));
    ASSERT_NE(doc, nullptr);
    DefaultScriptedServices().m_messages.clear();
    {
        FileSizeLimit nearlyFull(200);
        PressControlKey(ViewOf(doc), 'S');
        DefaultScriptedServices().FireTimer(static_cast<const CWnd*>(m_app->m_pMainFrame), 18);
    }
    EXPECT_EQ(Bytes(backup), previous);
    EXPECT_EQ(Bytes(Fs(plan)), drawing);
    EXPECT_EQ(MessageTexts(), (std::vector<CString>{CString(backup.c_str()) + " にバックアップを書き込めませんでした",
                                                    CString(Fs(plan).c_str()) + " はオープンできませんでした"}));
    EXPECT_FALSE(fs::exists(Fs(plan) + ".tmp~"));
    EXPECT_FALSE(fs::exists(backup + ".tmp~"));

    // With room again the next save writes both.
    DefaultScriptedServices().m_messages.clear();
    PressControlKey(ViewOf(doc), 'S');
    DefaultScriptedServices().FireTimer(static_cast<const CWnd*>(m_app->m_pMainFrame), 18);
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(Bytes(backup), drawing);
}

TEST_F(DamagedInput, TemporaryFilesOfEndedWritesGoAtTheNextStartAndSave)
{
    // A recovery write and a save that were ended in their write; a file of that ending that
    // is not the program's stays.
    const std::string home = Fs(ProgramFolder());
    for (const char* name : {"Recov1.zel.tmp~", "Recov12.003.tmp~"})
        std::ofstream(home + name) << "cut short";
    std::ofstream(home + "notes.txt.tmp~") << "someone else's";
    const CString plan = ProgramFolder() + "plan.zel";
    WriteSampleDrawing(plan, "2026/12/10");
    // The save's own temporary name left as a link elsewhere: the new drawing must not be
    // written through it.
    std::ofstream(home + "elsewhere.txt") << "not a drawing";
    fs::create_symlink(home + "elsewhere.txt", Fs(plan) + ".tmp~");

    Start();
    EXPECT_FALSE(fs::exists(home + "Recov1.zel.tmp~"));
    EXPECT_FALSE(fs::exists(home + "Recov12.003.tmp~"));
    EXPECT_TRUE(fs::exists(home + "notes.txt.tmp~"));

    auto* doc = static_cast<CZelkDoc*>(m_app->OpenDocumentFile(plan));
    ASSERT_NE(doc, nullptr);
    PressControlKey(ViewOf(doc), 'S');
    DefaultScriptedServices().FireTimer(static_cast<const CWnd*>(m_app->m_pMainFrame), 18);
    EXPECT_EQ(Bytes(home + "elsewhere.txt"), "not a drawing");
    EXPECT_FALSE(fs::is_symlink(Fs(plan)));
    EXPECT_FALSE(fs::exists(fs::symlink_status(Fs(plan) + ".tmp~")));
    CZelkDoc reread;
    EXPECT_EQ(reread.LoadNativeFile(plan), 1);
}

} // namespace

TEST_F(DamagedInput, AMultiTextWindowOutlivesItsDrawingWithoutHandingItsLinesToIt)
{
    // Closing everything at the end closes the drawing before the text window tied to it.
    Start();
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    ASSERT_NE(m_app->m_activeView, nullptr);
    CZelkDoc* drawing = ActiveDrawing();
    m_app->m_activeView->SetFocus();
    UiDriver::Pump();
    UiDriver::Key('X');
    UiDriver::Pump();
    const std::vector<CTextDoc*> texts = m_app->TextDocs();
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0]->m_ownerDrawing, drawing);
    ASSERT_EQ(texts[0]->m_multiLineInput, 1);
    drawing->OnCloseDocument();
    EXPECT_EQ(texts[0]->m_ownerDrawing, nullptr);
    texts[0]->OnCloseDocument();
    EXPECT_TRUE(m_app->TextDocs().empty());
}

// The program itself, started unattended: the boxes of its start and of its end are declined
// (the missing registration file, the question whether to write the drawing that an abnormal
// end left), and the run ends on its own without writing that drawing.
TEST(UnattendedStart, MessageBoxesAreAnsweredAndTheRunEnds)
{
    const std::string home = FileSystemPath(ProgramFolder().GetString());
    CopyDefinitionFiles();
    const CString recovery = ProgramFolder() + "Recov1.zel";
    WriteSampleDrawing(recovery, "2026/12/10");
    const std::string err = home + "stderr.txt";
    const std::string cmd = "ZELK_QUIT_AT_START=1 QT_QPA_PLATFORM=offscreen timeout 60 " +
                            std::string(ZELK_BINARY_DIR) + "/zelk 2>" + err;
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << Bytes(err);
    EXPECT_NE(Bytes(err).find(Cp932ToUtf8(" のデータをファイルに書き出しますか？")), std::string::npos) << Bytes(err);
    EXPECT_FALSE(fs::exists(home + "ZelkData/Recov1.zel"));
}
