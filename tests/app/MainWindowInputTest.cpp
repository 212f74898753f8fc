// The started program under a user's mouse and keyboard: real input events on the main window,
// its menu bar and popup menus, its tool bars and the drawing windows' title bars.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiServices.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kFileMenu = "ファイル(&F)";
const char* const kNew = "新規作成(&N)\tCtrl+N";
const char* const kWindowMenu = "ウィンドウ(&W)";

class CRecordingInputBar : public CInputBar {
public:
    std::vector<std::string> m_calls;
    void SelectList(int list, int keep, int focus) override
    {
        CInputBar::SelectList(list, keep, focus);
        m_calls.push_back("SelectList " + std::to_string(list));
    }
};

class MainWindowInput : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
    }
    void TearDown() override { Stop(); }

    void Start()
    {
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->m_pMainFrame;
        m_bar = new CRecordingInputBar;
        delete m_app->m_inputBar;
        m_app->m_inputBar = m_bar;
        UiDriver::ShowAndActivate(m_frame);
    }
    // Ends the program as its close button does: the frame writes its placement and goes.
    void Stop()
    {
        if (!m_app)
            return;
        if (m_app->m_pMainWnd) {
            m_app->CloseAllDocuments(TRUE);
            m_app->m_pMainWnd->SendMessage(WM_CLOSE);
            m_app->m_pMainWnd = nullptr;
        }
        UiDriver::Pump();
        m_app->ExitInstance();
        delete m_app;
        m_app = nullptr;
        g_pApp = nullptr;
    }
    int Drawings() const
    {
        int n = 0;
        for (POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition(); pos; ++n)
            m_app->m_pDocTemplate->GetNextDoc(pos);
        return n;
    }
    std::vector<CMDIChildWnd*> DrawingWindows() const { return m_frame->GetChildFrames(); }
    bool MenuBarHas(const char* title) const
    {
        const std::vector<CString> labels = UiDriver::MenuBarLabels(m_frame);
        return std::find(labels.begin(), labels.end(), CString(title)) != labels.end();
    }

    CZelkApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
    CRecordingInputBar* m_bar = nullptr;
};

TEST_F(MainWindowInput, FileNewByClicksAndByKeysOpensAnotherDrawing)
{
    Start();
    ASSERT_EQ(Drawings(), 1);
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kFileMenu));
    ASSERT_TRUE(UiDriver::IsMenuOpen());
    ASSERT_TRUE(UiDriver::ClickMenuItem(kNew));
    UiDriver::Pump();
    EXPECT_FALSE(UiDriver::IsMenuOpen());
    EXPECT_EQ(Drawings(), 2);

    // Alt+F opens the menu at its first item; Down and Up walk it, Enter chooses.
    UiDriver::Key('F', UiDriver::Alt);
    ASSERT_TRUE(UiDriver::IsMenuOpen());
    UiDriver::Key(VK_DOWN);
    UiDriver::Key(VK_UP);
    UiDriver::Key(VK_RETURN);
    UiDriver::Pump();
    EXPECT_FALSE(UiDriver::IsMenuOpen());
    EXPECT_EQ(Drawings(), 3);

    // So does the item's underlined letter.
    UiDriver::Key('F', UiDriver::Alt);
    ASSERT_TRUE(UiDriver::IsMenuOpen());
    UiDriver::Key('N');
    UiDriver::Pump();
    EXPECT_FALSE(UiDriver::IsMenuOpen());
    EXPECT_EQ(Drawings(), 4);

    // The accelerator takes the same way.
    UiDriver::Key('N', UiDriver::Control);
    UiDriver::Pump();
    EXPECT_EQ(Drawings(), 5);
}

TEST_F(MainWindowInput, EscapeClosesAnOpenMenuWithoutACommand)
{
    Start();
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kFileMenu));
    ASSERT_TRUE(UiDriver::IsMenuOpen());
    UiDriver::Key(VK_ESCAPE);
    EXPECT_FALSE(UiDriver::IsMenuOpen());
    UiDriver::Pump();
    EXPECT_EQ(Drawings(), 1);
    // The menu bar still answers afterwards.
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kFileMenu));
    EXPECT_TRUE(UiDriver::IsMenuOpen());
    UiDriver::Key(VK_ESCAPE);
    EXPECT_FALSE(UiDriver::IsMenuOpen());
}

TEST_F(MainWindowInput, PointerMovesOverAnOpenMenuAndTheDrawingsReachNoView)
{
    Start();
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kFileMenu));
    ASSERT_TRUE(UiDriver::IsMenuOpen());
    ASSERT_TRUE(UiDriver::HoverMenuItem(kNew));
    CMDIChildWnd* child = DrawingWindows().at(0);
    CView* view = child->GetActiveView();
    ASSERT_NE(view, nullptr);
    // Moves over the drawing with the menu still open go to the menu, not to the view.
    UiDriver::Sweep(view, 12);
    UiDriver::Sweep(m_frame, 12);
    EXPECT_TRUE(UiDriver::IsMenuOpen());
    UiDriver::Key(VK_ESCAPE);
    UiDriver::Key(VK_ESCAPE);
    EXPECT_FALSE(UiDriver::IsMenuOpen());
    UiDriver::Sweep(view, 12);
    UiDriver::Sweep(m_frame, 12);
    EXPECT_EQ(Drawings(), 1);
}

TEST_F(MainWindowInput, ToolButtonClicksRunTheirCommands)
{
    Start();
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 57600));
    UiDriver::Pump();
    EXPECT_EQ(Drawings(), 2);
    m_bar->m_calls.clear();   // the new drawing's view took the input list
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 32790));
    UiDriver::Pump();
    EXPECT_EQ(m_bar->m_calls, std::vector<std::string>{ "SelectList 1" });
}

TEST_F(MainWindowInput, MenuBarFollowsTheActiveWindowAndTitleButtonsAct)
{
    Start();
    // A drawing is active after the start: its menu has the window menu.
    EXPECT_TRUE(MenuBarHas(kWindowMenu));
    ASSERT_EQ(DrawingWindows().size(), 1u);
    CMDIChildWnd* child = DrawingWindows()[0];

    ASSERT_TRUE(UiDriver::ClickTitleButton(child, UiDriver::MaximizeButton));
    UiDriver::Pump();
    BOOL maximised = FALSE;
    m_frame->MDIGetActive(&maximised);
    EXPECT_TRUE(maximised);
    child->MDIRestore();
    UiDriver::Pump();

    ASSERT_TRUE(UiDriver::ClickTitleButton(child, UiDriver::CloseButton));
    UiDriver::Pump();
    EXPECT_EQ(Drawings(), 0);
    EXPECT_TRUE(DrawingWindows().empty());
    EXPECT_FALSE(MenuBarHas(kWindowMenu));
    EXPECT_TRUE(MenuBarHas(kFileMenu));

    // A new drawing brings the drawing menu back.
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kFileMenu));
    ASSERT_TRUE(UiDriver::ClickMenuItem(kNew));
    UiDriver::Pump();
    EXPECT_EQ(Drawings(), 1);
    EXPECT_TRUE(MenuBarHas(kWindowMenu));
}

TEST_F(MainWindowInput, PlacementSurvivesTwoStartsAndExits)
{
    // A window in the screen's corner has its frame there; one further in keeps its place too.
    for (const char* saved : { "0,1,-1,-1,-1,-1,0,0,900,650", "0,1,-1,-1,-1,-1,100,80,1000,730" }) {
        {
            CZelkApp writer;
            writer.SetRegistryKey("Zelk");
            writer.WriteProfileString("Settings", "WindowPos", saved);
        }
        g_pApp = nullptr;
        for (int run = 0; run < 2; ++run) {
            Start();
            Stop();
            CZelkApp reader;
            reader.SetRegistryKey("Zelk");
            EXPECT_STREQ(reader.GetProfileString("Settings", "WindowPos").GetString(), saved) << run;
            g_pApp = nullptr;
        }
    }
}

// With ZELK_SCREENSHOT_MENU naming a PNG file, the program with its File menu opened by clicks
// is saved there; skipped otherwise.
TEST_F(MainWindowInput, ScreenshotWithTheFileMenuOpen)
{
    const char* target = std::getenv("ZELK_SCREENSHOT_MENU");
    if (!target)
        GTEST_SKIP() << "ZELK_SCREENSHOT_MENU not set";
    Start();
    m_frame->MoveWindow(0, 0, 1100, 700);
    UiDriver::Pump();
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kFileMenu));
    ASSERT_TRUE(UiDriver::HoverMenuItem(kNew));
    EXPECT_TRUE(UiDriver::SaveScreenshot(m_frame, target));
    UiDriver::Key(VK_ESCAPE);
}

} // namespace

TEST_F(MainWindowInput, ALetterEnteredInTheInputBoxStartsItsCommandThroughTheDispatcher)
{
    Start();
    ASSERT_NE(m_app->m_activeView, nullptr);
    m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
    UiDriver::Pump();
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    UiDriver::Click(&box, POINT{ 6, 6 });
    UiDriver::Key('C');
    UiDriver::Key(VK_RETURN);
    EXPECT_EQ(m_app->m_lastKey, 'C');
    EXPECT_EQ(m_app->m_commandKind, 3);
    EXPECT_EQ(m_app->m_eventCount, 1);
    EXPECT_EQ(m_app->m_lastStatus, 7);
}

TEST_F(MainWindowInput, ToolButtonsComeBackWithTheDrawingAfterATextWindow)
{
    Start();
    // While a text window is active the drawing's buttons have no handler and are greyed.
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, "ヘルプ(&H)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("レイヤ一覧テキストを開く"));
    UiDriver::Pump();
    CMDIChildWnd* text = m_frame->MDIGetActive();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(dynamic_cast<CZelkView*>(text->GetActiveView()), nullptr);
    // The new text window is shown, on top, and takes the keys.
    EXPECT_TRUE(text->IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), text->GetActiveView());
    m_app->OnIdle(0);
    ASSERT_TRUE(UiDriver::ClickTitleButton(text, UiDriver::CloseButton));
    UiDriver::Pump();
    ASSERT_NE(dynamic_cast<CZelkView*>(m_frame->GetActiveView()), nullptr);
    m_app->OnIdle(0);
    // The screen operation's button works again once the drawing is active.
    m_app->m_specialMode = 0;
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 32830));
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_specialMode, 53);
}

TEST_F(MainWindowInput, CascadedWindowsKeepAUsableSizeAndNewOnesFollowTheCascade)
{
    Start();
    RECT area;
    m_frame->m_wndMDIClient.GetClientRect(&area);
    RECT screenArea;
    m_frame->m_wndMDIClient.GetWindowRect(&screenArea);
    // New drawings come up whole inside the area, each active, one step further down.
    for (int n = 2; n <= 3; ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 57600));
        UiDriver::Pump();
        ASSERT_EQ(DrawingWindows().size(), static_cast<size_t>(n));
        CMDIChildWnd* made = DrawingWindows().back();
        EXPECT_EQ(m_frame->MDIGetActive(), made);
        RECT r;
        made->GetWindowRect(&r);
        EXPECT_GT(r.top, screenArea.top);
        EXPECT_LE(r.bottom, screenArea.bottom);
        EXPECT_LE(r.right, screenArea.right);
        EXPECT_GE(r.bottom - r.top, (area.bottom - area.top) / 2);
    }
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kWindowMenu));
    ASSERT_TRUE(UiDriver::ClickMenuItem("重ねて表示(&C)"));
    UiDriver::Pump();
    std::vector<POINT> corners;
    for (CMDIChildWnd* child : DrawingWindows()) {
        RECT r;
        child->GetWindowRect(&r);
        SCOPED_TRACE(corners.size());
        // Each as large as the area less a few captions' steps, not a bare title bar.
        EXPECT_GE(r.right - r.left, (area.right - area.left) / 2);
        EXPECT_GE(r.bottom - r.top, (area.bottom - area.top) / 2);
        corners.push_back(POINT{ r.left, r.top });
    }
    // Stepped down and to the right, the active window last, on top.
    EXPECT_LT(corners[0].x, corners[1].x);
    EXPECT_LT(corners[0].y, corners[1].y);
    EXPECT_EQ(m_frame->MDIGetActive(), DrawingWindows().back());
}

TEST_F(MainWindowInput, TheWindowMenuListsTheWindowsAndCtrlF6GoesToTheNext)
{
    Start();
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 57600));
    UiDriver::Pump();
    const std::vector<CMDIChildWnd*> windows = DrawingWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(m_frame->MDIGetActive(), windows[1]);

    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, kWindowMenu));
    const std::vector<CString> labels = UiDriver::OpenMenuLabels();
    std::vector<CString> listed;
    for (const CString& l : labels)
        if (l.Left(1) == "&" && l.GetLength() > 3 && l[2] == ' ')
            listed.push_back(l);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0], CString("&1 ") + ScreenPathText(windows[0]->GetActiveDocument()->GetTitle()));
    EXPECT_EQ(listed[1], CString("&2 ") + ScreenPathText(windows[1]->GetActiveDocument()->GetTitle()));
    ASSERT_TRUE(UiDriver::ClickMenuItem(listed[0].GetString()));
    UiDriver::Pump();
    EXPECT_EQ(m_frame->MDIGetActive(), windows[0]);

    UiDriver::Key(VK_F6, UiDriver::Control);
    UiDriver::Pump();
    EXPECT_EQ(m_frame->MDIGetActive(), windows[1]);
    UiDriver::Key(VK_TAB, UiDriver::Control);
    UiDriver::Pump();
    EXPECT_EQ(m_frame->MDIGetActive(), windows[0]);
    UiDriver::Key(VK_F6, UiDriver::Control | UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(m_frame->MDIGetActive(), windows[1]);
}

TEST_F(MainWindowInput, ADrawingOpenedWhileTheActiveOneIsMaximisedComesUpMaximised)
{
    Start();
    ASSERT_TRUE(UiDriver::ClickTitleButton(DrawingWindows()[0], UiDriver::MaximizeButton));
    UiDriver::Pump();
    UiDriver::Key('N', UiDriver::Control);
    UiDriver::Pump();
    ASSERT_EQ(DrawingWindows().size(), 2u);
    BOOL maximised = FALSE;
    EXPECT_EQ(m_frame->MDIGetActive(&maximised), DrawingWindows()[1]);
    EXPECT_TRUE(maximised);
    // The maximised drawing's name shows once in the main window's title, not twice.
    CString title;
    m_frame->GetWindowText(title);
    const std::string text = title.Std();
    const std::string name = DrawingWindows()[1]->GetActiveDocument()->GetTitle().Std();
    EXPECT_EQ(text, "Zelk - [" + name + "]");
}

TEST_F(MainWindowInput, ThePictureButtonsHaveAPictureInEveryState)
{
    // A state without its picture left its button white on the bar.
    Start();
    CToolBitmapButton& env = m_frame->m_wndSubBar.m_creationEnvButton;
    CToolBitmapButton& layer = m_frame->m_wndSubBar.m_layerConditionButton;
    CToolBitmapButton& dim = m_frame->m_wndFindElemBar.m_dimSelectButton;
    CToolBitmapButton& group = m_frame->m_wndFindElemBar.m_groupSelectButton;
    struct Case {
        const char* state;
        std::function<void()> set;
        CToolBitmapButton* button;
    };
    const Case cases[] = {
        { "env current", [this] { m_app->SetCreationEnvCurrent(); }, &env },
        { "env selected", [this] { m_app->SetCreationEnvSelected(); }, &env },
        { "env reference", [this] { m_app->SetCreationEnvReference(); }, &env },
        { "layer current", [this] { m_app->SetLayerCondCurrent(); }, &layer },
        { "layer same", [this] { m_app->SetLayerCondSame(); }, &layer },
        { "layer new", [this] { m_app->SetLayerCondNew(); }, &layer },
    };
    auto hasPicture = [](UINT id) {
        const std::string path = CResources::Get().FindBitmap(id);
        return !path.empty() && fs::exists(path);
    };
    for (const Case& c : cases) {
        c.set();
        for (UINT id : { c.button->m_nBitmaps[0], c.button->m_nBitmaps[1] })
            EXPECT_TRUE(hasPicture(id)) << c.state << " " << id;
    }
    // The dimension and group selection types, each through its three values by the menu.
    for (UINT id : { 32868u, 32866u, 32867u, 32869u, 32870u, 32871u }) {
        m_frame->SendMessage(WM_COMMAND, id, 0);
        CToolBitmapButton& b = id <= 32868 ? dim : group;
        for (UINT picture : { b.m_nBitmaps[0], b.m_nBitmaps[1] })
            EXPECT_TRUE(hasPicture(picture)) << id << " " << picture;
    }
}
