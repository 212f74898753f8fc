// What the first drawing of a run does when its window is shown: recovery is covered with the
// shell; here the first-start notices, the start-up guide and its buttons, and a quiet drawing.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr UINT kStartupGuide = 256;
constexpr UINT kProgramFilesWarning = 259;

// The application with the training series' commands recorded instead of run.
class CGuideApp : public CZelkApp {
public:
    std::vector<UINT> m_seriesCommands;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override
    {
        if (nID == 33047 || nID == 33078 || nID == 33127 || nID == 33120) {
            // With handler information the route only asks whether a handler exists.
            if (nCode == CN_COMMAND && !pHandlerInfo)
                m_seriesCommands.push_back(nID);
            return TRUE;
        }
        return CZelkApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

std::string Fs(const CString& path)
{
    return FileSystemPath(path.GetString());
}

class FirstStart : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
    }
    void TearDown() override { StopApplication(m_app); }

    void Start()
    {
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name, Fs(ProgramFolder() + name),
                          fs::copy_options::overwrite_existing);
        fs::create_directories(Fs(ProgramFolder() + "ZelkApp"));
        std::ofstream(Fs(ProgramFolder() + "ZelkApp\\ZelkApp.txt"));
        m_app = new CGuideApp;
        ASSERT_TRUE(m_app->InitInstance());
    }
    // Answers the next modal dialog: ticks its box, then presses the button.
    static void Answer(int check, int button)
    {
        DefaultScriptedUiServices().QueueDialog([check, button](IModalSession& session) {
            if (check)
                session.SetCheck(check, 1);
            session.Press(button);
        });
    }
    std::vector<UINT> Shown() const { return DefaultScriptedUiServices().m_shownDialogs; }

    CGuideApp* m_app = nullptr;
};

TEST_F(FirstStart, NoticesThenTheGuideWhoseButtonsStartASeries)
{
    struct Case {
        int button;
        UINT series;   // 0: none
    };
    const Case cases[] = { { IDOK, 0 }, { 1182, 33047 }, { 1138, 33078 }, { 1139, 33127 }, { 1155, 33120 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        DefaultScriptedUiServices().Reset();
        Answer(1176, c.button);
        Start();
        // No notice about a failed registry update: there is no system registry to fail.
        EXPECT_EQ(Shown(), (std::vector<UINT>{ kStartupGuide }));
        EXPECT_EQ(m_app->m_registryNoticeShown, 0);
        EXPECT_EQ(m_app->m_introMessage3, 0);
        EXPECT_EQ(m_app->m_seriesCommands, c.series ? std::vector<UINT>{ c.series } : std::vector<UINT>{});
        // The start-up notice follows the guide once; its timer takes it away.
        EXPECT_EQ(m_app->m_startupNoticeSuppressed, 1);
        EXPECT_TRUE(DefaultScriptedServices().IsTimerActive(static_cast<const CWnd*>(m_app->m_pMainFrame), 16));
        StopApplication(m_app);
        fs::remove(Fs(ProgramFolder() + "ZelkR009.acv"));
    }
}

TEST_F(FirstStart, CancelledNoticesStayAndTheGuideCanOpenTheLibrary)
{
    // The library button returns the library even with the box ticked.
    Answer(1176, 1177);
    const CString library = ProgramFolder() + "作図体験ライブラリ\\";
    fs::create_directories(Fs(library));
    const CString drawing = library + "01線分.zel";
    {
        CZelkDoc doc;
        CZelkView writer;
        writer.m_document = &doc;
        ASSERT_EQ(writer.WriteNativeFile(drawing, 0), 1);
    }
    DefaultScriptedUiServices().QueueFiles({ library + "01線分.txt" });
    Start();
    EXPECT_EQ(Shown(), (std::vector<UINT>{ kStartupGuide }));
    EXPECT_EQ(m_app->m_introMessage3, 0);
    ASSERT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownFileDialogs[0].initialDir, library);
    EXPECT_NE(m_app->FindDrawingDocByPath(drawing), nullptr);
    EXPECT_EQ(m_app->m_lastCommandId, 33138);
    EXPECT_NE(m_app->m_appPath.m_initialTextFolder, library);
    EXPECT_TRUE(m_app->m_seriesCommands.empty());
}

TEST_F(FirstStart, ProgramFilesFolderAddsItsWarning)
{
    const fs::path home = fs::path(std::getenv("ZELK_HOME")) / "Program Files" / "Zelk";
    fs::create_directories(home);
    setenv("ZELK_HOME", home.c_str(), 1);
    Answer(1186, IDOK);
    Answer(0, IDOK);
    Start();
    EXPECT_EQ(Shown(), (std::vector<UINT>{ kProgramFilesWarning, kStartupGuide }));
    EXPECT_EQ(m_app->m_programFolderNoticeShown, 1);
    EXPECT_EQ(m_app->m_introMessage3, 1);
}

TEST_F(FirstStart, QuietDrawingShowsNoNoticeAndMinimisesTheOtherWindows)
{
    Start();
    m_app->NewDrawing();
    m_app->NewDrawing();
    DefaultScriptedUiServices().Reset();
    POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
    auto* first = static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos));
    first->m_quietClose = 1;
    m_app->m_startupNoticeSuppressed = 0;
    first->OnShowViews(TRUE);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(m_app->m_startupNoticeSuppressed, 0);
    const int views = static_cast<int>(m_app->m_drawingViews.GetSize());
    ASSERT_EQ(views, 3);
    for (int i = 0; i < views; ++i) {
        SCOPED_TRACE(i);
        CFrameWnd* frame = static_cast<CZelkView*>(m_app->m_drawingViews[i])->GetParentFrame();
        EXPECT_EQ(frame->IsIconic() != FALSE, i + 1 < views);
    }
    first->m_quietClose = 0;
}

TEST_F(FirstStart, ShownDrawingReturnsToIdleWithTheLineCommandAtItsStart)
{
    Start();
    POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
    auto* doc = static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos));
    ASSERT_NE(m_app->m_activeView, nullptr);
    ASSERT_EQ(m_app->m_activeView->m_document, doc);
    // The notices were shown at the start and are not asked for again.
    DefaultScriptedUiServices().Reset();
    m_app->m_introMessage3 = 0;
    m_app->m_registryNoticeShown = 1;
    struct Case {
        int noPopupMenu;
        const char* pattern;
    };
    for (const Case& c : { Case{ 0, "PD" }, Case{ 1, "SE" } }) {
        SCOPED_TRACE(c.noPopupMenu);
        m_app->m_noPopupMenu = c.noPopupMenu;
        doc->m_lineCmd->m_modePattern = "PD";
        doc->OnShowViews(TRUE);
        EXPECT_EQ(doc->m_lineCmd->m_modePattern, c.pattern);
    }
    EXPECT_TRUE(Shown().empty());
}

} // namespace
