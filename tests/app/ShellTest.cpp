// The application started headless: initial drawings, window placement, bar arrangement and
// mask, the input box's key rules, the color box order, the frame's timers and the extents of
// embedded objects.
#include "app/ColorComboBox.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/ZelkApp.h"
#include "tests/support/AppTestSupport.h"
#include "app/ZelkCntrItem.h"
#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "input/InputBar.h"
#include "macro/MacroVariable.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/core/Time.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiServices.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// The input hub's calls, as the frame and the input box make them.
class CRecordingInputBar : public CInputBar {
public:
    std::vector<std::string> m_calls;
    int m_accept = 1;
    void SelectList(int list, int keep, int focus) override
    {
        CInputBar::SelectList(list, keep, focus);
        m_calls.push_back("SelectList " + std::to_string(list) + "," + std::to_string(keep) + "," + std::to_string(focus));
    }
    int ApplyText(int arrow) override
    {
        m_calls.push_back("ApplyText " + std::to_string(arrow) + " " + m_enteredText.GetString());
        return m_accept;
    }
};

class CRecordingApp : public CZelkApp {
public:
    std::vector<std::string> m_calls;
    BOOL DispatchCommand(CZelkDoc*, CZelkView*, int code) override
    {
        m_calls.push_back("Dispatch " + std::to_string(code) + " key " + std::string(1, static_cast<char>(m_lastKey)));
        return TRUE;
    }
    void CancelMode(CZelkDoc*, CZelkView*) override { m_calls.push_back("CancelMode"); }
    void SwitchMode(CZelkDoc*, CZelkView*, short s, short, int) override { m_calls.push_back("SwitchMode " + std::to_string(s)); }
};

// A drawing file holding one line from (0, 0) to (30, 40).
bool WriteDrawingWithLine(const CString& path)
{
    CZelkDoc plan;
    plan.AddLine(P(0, 0), P(30, 40), 0, plan.FindOrAddPen(0, 1, 0, 0, 70));
    CZelkView writer;
    writer.m_document = &plan;
    return writer.WriteNativeFile(path, 0) == 1;
}

std::string FsPath(const CString& programPath)
{
    return FileSystemPath(programPath.GetString());
}

void CopyDefinitionFiles()
{
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name, FsPath(ProgramFolder()) + name,
                      fs::copy_options::overwrite_existing);
}

class Shell : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
    }
    void TearDown() override { Stop(); }

    // Starts the application with the given command-line arguments.
    void Start(std::vector<CString> args = {})
    {
        m_app = new CRecordingApp;
        m_app->m_args = std::move(args);
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = m_app->m_pMainFrame;
        auto* bar = new CRecordingInputBar;
        delete m_app->m_inputBar;
        m_app->m_inputBar = bar;
        m_bar = bar;
    }
    void Stop() { StopApplication(m_app); }
    std::vector<CZelkDoc*> Drawings()
    {
        std::vector<CZelkDoc*> docs;
        POSITION pos = m_app->m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            docs.push_back(static_cast<CZelkDoc*>(m_app->m_pDocTemplate->GetNextDoc(pos)));
        return docs;
    }
    CZelkView* FirstView()
    {
        CZelkDoc* doc = Drawings().at(0);
        auto* view = static_cast<CZelkView*>(doc->m_viewList.at(0));
        view->m_document = doc;
        return view;
    }

    CRecordingApp* m_app = nullptr;
    CMainFrame* m_frame = nullptr;
    CRecordingInputBar* m_bar = nullptr;
};

TEST_F(Shell, StartWithoutCommandLineOpensOneNewFileTiledAndReadsTheDefinitionFiles)
{
    CopyDefinitionFiles();
    Start();
    std::vector<CZelkDoc*> docs = Drawings();
    ASSERT_EQ(docs.size(), 1u);
    const CString expected = m_app->m_appPath.m_dataFolder + "NewFile.zel";
    EXPECT_STREQ(docs[0]->m_path.GetString(), expected.GetString());
    EXPECT_STREQ(docs[0]->m_name.GetString(), "NewFile");
    EXPECT_STREQ(docs[0]->GetPathName().GetString(), expected.GetString());
    EXPECT_EQ(m_app->m_startMessagePending, 1);
    EXPECT_EQ(m_app->m_pMainWnd, m_frame);
    ASSERT_EQ(m_app->m_drawingViews.GetSize(), 1);
    EXPECT_EQ(m_app->m_activeView, m_app->m_drawingViews[0]);
    EXPECT_EQ(m_app->GetActiveDrawingDoc(), docs[0]);
    EXPECT_NE(m_app->m_hWndMDIClient, nullptr);

    // The definition files of the program folder were read: "pi" first, then the file's.
    ASSERT_GT(m_app->m_variableTable.GetSize(), 1);
    EXPECT_STREQ(static_cast<CMacroVariable*>(m_app->m_variableTable[0])->name.GetString(), "pi");
    EXPECT_GT(m_app->m_unitTable.GetSize(), 0);
    EXPECT_GT(m_app->m_sheetNames.GetSize(), 0);

    const std::string archive = FsPath(ProgramFolder()) + "ZelkR009.acv";
    EXPECT_FALSE(fs::exists(archive));
    Stop();
    EXPECT_TRUE(fs::exists(archive));
}

TEST_F(Shell, DrawingOnTheCommandLineKeepsItsNameAndPath)
{
    const std::string file = FsPath(ProgramFolder()) + "Plan.zel";
    ASSERT_TRUE(WriteDrawingWithLine(CString(file.c_str())));
    Start({ CString(file.c_str()) });
    std::vector<CZelkDoc*> docs = Drawings();
    ASSERT_EQ(docs.size(), 1u);
    // The file is read as a drawing file, not as an archive.
    ASSERT_NE(docs[0]->GetLineElem(0, 0), nullptr);
    EXPECT_EQ(docs[0]->GetLineElem(0, 0)->m_end.m_y, 40);
    const CString path = docs[0]->GetPathName();
    EXPECT_EQ(path.Right(8), CString("Plan.zel"));
    EXPECT_NE(docs[0]->m_path, m_app->m_appPath.m_dataFolder + "NewFile.zel");
    EXPECT_EQ(m_app->m_startMessagePending, 1);
}

TEST_F(Shell, WindowPlacementIsReadOnlyWithTenFields)
{
    struct Case {
        const char* value;
        BOOL read;
    } cases[] = {
        { "2,3,-1,-1,-1,-1,10,20,810,620", TRUE },
        { "2,3,-1,-1,-1,-1,10,20,810", FALSE },
        { "", FALSE },
        { "a,b,c", FALSE },
    };
    Start();
    for (const Case& c : cases) {
        m_app->WriteProfileString("Settings", "WindowPos", c.value);
        WINDOWPLACEMENT wp = {};
        EXPECT_EQ(m_frame->ReadWindowPlacement(&wp), c.read) << c.value;
        if (c.read) {
            EXPECT_EQ(wp.flags, 2u);
            EXPECT_EQ(wp.showCmd, 3u);
            EXPECT_EQ(wp.rcNormalPosition.left, 10);
            EXPECT_EQ(wp.rcNormalPosition.top, 20);
            EXPECT_EQ(wp.rcNormalPosition.right, 810);
            EXPECT_EQ(wp.rcNormalPosition.bottom, 620);
            EXPECT_EQ(wp.length, sizeof wp);
        }
    }
}

TEST_F(Shell, SavedPlacementIsAppliedAndClosingMaximisedWritesFlagTwo)
{
    {
        CZelkApp writer;
        writer.SetRegistryKey("Zelk");
        writer.WriteProfileString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,10,20,810,620");
    }
    Start();
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    ASSERT_TRUE(m_frame->GetWindowPlacement(&wp));
    EXPECT_EQ(wp.rcNormalPosition.left, 10);
    EXPECT_EQ(wp.rcNormalPosition.top, 20);
    EXPECT_EQ(wp.rcNormalPosition.right, 810);
    EXPECT_EQ(wp.rcNormalPosition.bottom, 620);

    m_frame->ShowWindow(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(m_frame->IsZoomed());
    m_app->CloseAllDocuments(TRUE);
    m_frame->SendMessage(WM_CLOSE);
    m_app->m_pMainWnd = nullptr;
    CString value = m_app->GetProfileString("Settings", "WindowPos");
    EXPECT_EQ(value.Left(2), CString("2,")) << value.GetString();
}

TEST_F(Shell, BarsTakeTheFixedArrangement)
{
    Start();
    const auto& top = m_frame->m_dockRows[AFX_IDW_DOCKBAR_TOP];
    std::vector<std::vector<CControlBar*>> rows;
    for (const auto& row : top) {
        std::vector<CControlBar*> shown;
        for (CControlBar* bar : row)
            if (bar->IsWindowVisible())
                shown.push_back(bar);
        if (!shown.empty())
            rows.push_back(shown);
    }
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<CControlBar*>{ &m_frame->m_wndInputBar, &m_frame->m_wndSubBar, &m_frame->m_wndScreenBar }));
    EXPECT_EQ(rows[1], (std::vector<CControlBar*>{ &m_frame->m_wndConstraintBar, &m_frame->m_wndBoxSearchBar,
                                                   &m_frame->m_wndFindElemBar, &m_frame->m_wndFindPointBar }));
    std::vector<CControlBar*> right;
    for (const auto& row : m_frame->m_dockRows[AFX_IDW_DOCKBAR_RIGHT])
        for (CControlBar* bar : row)
            right.push_back(bar);
    EXPECT_EQ(right, (std::vector<CControlBar*>{ &m_frame->m_wndFileBar, &m_frame->m_wndCommandBar }));
    EXPECT_TRUE(m_frame->m_wndStatusBar.IsWindowVisible());
}

TEST_F(Shell, HidingTheCommandBarClearsItsBitAndLastsOverARestart)
{
    Start();
    ASSERT_TRUE(m_frame->m_wndCommandBar.IsWindowVisible());
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_COMMAND);
    EXPECT_FALSE(m_frame->m_wndCommandBar.IsWindowVisible());
    EXPECT_EQ(m_app->m_appDraw.m_barBits & 0x80, 0);
    Stop();

    Start();
    EXPECT_EQ(m_app->m_appDraw.m_barBits & 0x80, 0);
    EXPECT_FALSE(m_frame->m_wndCommandBar.IsWindowVisible());
    EXPECT_TRUE(m_frame->m_wndFileBar.IsWindowVisible());
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_COMMAND);
    EXPECT_TRUE(m_frame->m_wndCommandBar.IsWindowVisible());
    EXPECT_EQ(m_app->m_appDraw.m_barBits & 0x80, 0x80);
}

TEST_F(Shell, ArmedContextHelpOpensThePageAndLeavesTheBar)
{
    Start();
    m_app->m_contextHelpMode = kContextHelpArmed;
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_FINDPOINTBAR);
    EXPECT_TRUE(m_frame->m_wndFindPointBar.IsWindowVisible());
    EXPECT_EQ(m_app->m_contextHelpMode, 0);
    ASSERT_EQ(DefaultScriptedServices().m_opened.size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_opened[0], ProgramFolder() + "Help\\HID_VIEW_FINDPOINTBAR.htm");
}

TEST_F(Shell, ToolTipsAndStatusTextsComeFromTheStringTable)
{
    struct Case {
        UINT id;
        const char* tip;
    } cases[] = {
        { 32789, "円 (C)" }, { 57634, "ｺﾋﾟ-" }, { 114, "参照レイヤ設定　(Y)" }, { 32901, "ループ  (O)" },
        { 124, "全ボタン切り替え" }, { 135, "全ボタン切り替え" }, { 141, "要素交点入力" },
    };
    for (const Case& c : cases) {
        CString text = AfxResourceString(c.id);
        const int br = text.Find('\n');
        ASSERT_GE(br, 0) << c.id;
        EXPECT_STREQ(text.Mid(br + 1).GetString(), c.tip) << c.id;
    }
    EXPECT_STREQ(AfxResourceString(IDS_SOCKETS_INIT_FAILED).GetString(), "Windows ｿｹｯﾄの初期化に失敗しました。");
    CString none;
    EXPECT_FALSE(AfxLoadString(ID_CONTEXT_HELP_BUTTON, none));
}

TEST_F(Shell, ColorBoxRunsFromWhiteToBlack)
{
    Start();
    CColorComboBox& box = m_frame->m_wndInputBar.m_colorBox;
    ASSERT_GT(box.GetCount(), 2);
    EXPECT_EQ(box.GetCurSel(), 0);
    // The standard list has no black: added after a dark color, it still lands last.
    box.AddColor(RGB(0, 0, 0));
    box.AddColor(RGB(0, 0, 1));
    EXPECT_EQ(static_cast<COLORREF>(box.GetItemData(0)), RGB(255, 255, 255));
    EXPECT_EQ(static_cast<COLORREF>(box.GetItemData(box.GetCount() - 1)), RGB(0, 0, 0));
    for (int i = 1; i < box.GetCount(); ++i)
        EXPECT_LT(CompareColors(static_cast<COLORREF>(box.GetItemData(i - 1)), static_cast<COLORREF>(box.GetItemData(i))), 0);
    const int count = box.GetCount();
    box.AddColor(RGB(255, 0, 0));
    EXPECT_EQ(box.GetCount(), count);
    EXPECT_EQ(box.FindColor(RGB(1, 2, 3)), -1);
}

TEST(ColorOrder, BrighterFirstAndTiesByRedGreenBlue)
{
    struct Case {
        COLORREF a, b;
        int expected;
    } cases[] = {
        { RGB(255, 255, 255), RGB(0, 0, 0), -1 },
        { RGB(0, 0, 0), RGB(255, 255, 255), 1 },
        { RGB(10, 20, 30), RGB(10, 20, 30), 0 },
        { RGB(0, 255, 0), RGB(255, 0, 0), -1 },   // equal sums: lower red first
        { RGB(255, 0, 0), RGB(0, 255, 0), 1 },
        { RGB(10, 0, 20), RGB(10, 20, 0), -1 },   // equal red: lower green first
        { RGB(10, 20, 0), RGB(10, 0, 20), 1 },
        { RGB(200, 0, 55), RGB(100, 50, 105), 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareColors(c.a, c.b), c.expected) << std::hex << c.a << " " << c.b;
    // Antisymmetric on every pair of a small palette, so a sorted insert is well defined.
    std::vector<COLORREF> palette;
    for (int r = 0; r <= 255; r += 85)
        for (int g = 0; g <= 255; g += 85)
            for (int b = 0; b <= 255; b += 85)
                palette.push_back(RGB(r, g, b));
    for (COLORREF a : palette)
        for (COLORREF b : palette)
            EXPECT_EQ(CompareColors(a, b), -CompareColors(b, a));
}

// The key rules of the input box, from an active drawing.
TEST_F(Shell, InputBoxKeyRules)
{
    Start();
    CZelkView* view = FirstView();
    m_app->m_activeView = view;
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;

    struct Case {
        const char* name;
        const char* text;
        UINT key;
        bool ctrl;
        bool repeat;
        int list;
        BOOL consumed;
        std::vector<std::string> barCalls;
        std::vector<std::string> appCalls;
    } cases[] = {
        { "letter", "p", 13, false, false, 1, TRUE, { "SelectList 1,1,0" }, { "Dispatch 7 key P" } },
        { "two letters", "p1", 13, false, false, 1, TRUE, { "ApplyText 0 p1", "SelectList 1,1,0" }, {} },
        { "double-byte alone", "点", 13, false, false, 1, TRUE, { "ApplyText 0 点", "SelectList 1,1,0" }, {} },
        { "letter in text list", "p", 13, false, false, 2, TRUE, { "ApplyText 0 p", "SelectList 1,1,0" }, {} },
        { "ctrl right", "12", 39, true, false, 1, TRUE, { "ApplyText 1 12", "SelectList 1,1,0" }, {} },
        { "ctrl left", "12", 37, true, false, 1, TRUE, { "ApplyText 2 12", "SelectList 1,1,0" }, {} },
        { "ctrl down", "12", 40, true, false, 1, TRUE, { "ApplyText 4 12", "SelectList 1,1,0" }, {} },
        { "repeat enter", "12", 13, false, true, 1, TRUE, {}, {} },
        { "plain key", "12", 'A', false, false, 1, FALSE, {}, {} },
        { "user application list", "x1", 13, false, false, 5, TRUE, { "ApplyText 0 x1" }, {} },
        { "mode list", "x1", 13, false, false, 7, TRUE, { "ApplyText 0 x1", "SelectList 1,1,0" }, { "SwitchMode 2" } },
    };
    for (const Case& c : cases) {
        m_bar->m_calls.clear();
        m_app->m_calls.clear();
        m_bar->m_currentList = c.list;
        box.SetWindowText(c.text);
        UiResetKeyState();
        if (c.ctrl)
            UiNoteKey(VK_CONTROL, true);
        MSG msg = { box.GetSafeHwnd(), WM_KEYDOWN, c.key, c.repeat ? (1 << 30) : 0, 0, { 0, 0 } };
        EXPECT_EQ(box.PreTranslateMessage(&msg), c.consumed) << c.name;
        EXPECT_EQ(m_bar->m_calls, c.barCalls) << c.name;
        EXPECT_EQ(m_app->m_calls, c.appCalls) << c.name;
    }
    UiResetKeyState();

    // A refused text goes back to list 1 and is not consumed.
    m_bar->m_calls.clear();
    m_bar->m_accept = 0;
    box.SetWindowText("zz9");
    MSG enter = { box.GetSafeHwnd(), WM_KEYDOWN, 13, 0, 0, { 0, 0 } };
    EXPECT_FALSE(box.PreTranslateMessage(&enter));
    EXPECT_EQ(m_bar->m_calls, (std::vector<std::string>{ "ApplyText 0 zz9", "SelectList 1,1,0" }));

    // Escape cancels the mode, returns to list 1 and gives the focus to the drawing.
    m_bar->m_calls.clear();
    m_app->m_calls.clear();
    UiNoteKey(VK_ESCAPE, true);
    MSG escape = { box.GetSafeHwnd(), WM_KEYDOWN, 27, 0, 0, { 0, 0 } };
    EXPECT_TRUE(box.PreTranslateMessage(&escape));
    EXPECT_EQ(m_app->m_calls, (std::vector<std::string>{ "CancelMode" }));
    EXPECT_EQ(m_bar->m_calls, (std::vector<std::string>{ "SelectList 1,1,0" }));
    UiResetKeyState();

    // With no drawing every key is swallowed and nothing is called.
    m_app->m_activeView = nullptr;
    m_bar->m_calls.clear();
    m_app->m_calls.clear();
    for (UINT key : { 13u, 27u, 65u, 39u }) {
        MSG msg = { box.GetSafeHwnd(), WM_KEYDOWN, key, 0, 0, { 0, 0 } };
        EXPECT_TRUE(box.PreTranslateMessage(&msg)) << key;
    }
    EXPECT_TRUE(m_bar->m_calls.empty());
    EXPECT_TRUE(m_app->m_calls.empty());
}

TEST_F(Shell, TimersAreArmedThroughTheFrame)
{
    Start();
    CScriptedServices& services = DefaultScriptedServices();
    services.FailTimerStarts(true);
    EXPECT_EQ(m_frame->StartTimer(3, 50), 0);
    EXPECT_STREQ(m_app->m_lastMessage.GetString(), "ウィンドウズのタイマが不足しており、アプリケーションは実行できません");
    EXPECT_EQ(services.m_beeps.size(), 1u);
    m_app->m_lastMessage = "";
    EXPECT_EQ(m_frame->StartTimer(4, 200), 0);
    EXPECT_STREQ(m_app->m_lastMessage.GetString(), "");
    services.FailTimerStarts(false);

    // Scrolling back after a pan and the other deferred steps fire once.
    for (UINT id : { 1u, 2u, 13u, 16u, 17u }) {
        ASSERT_NE(m_frame->StartTimer(id, 200), 0) << id;
        EXPECT_EQ(m_frame->m_timers[id], id);
        EXPECT_TRUE(services.FireTimer(m_frame, id)) << id;
        EXPECT_FALSE(services.IsTimerActive(m_frame, id)) << id;
    }
    // The user-application poll keeps running until its request arrives.
    ASSERT_NE(m_frame->StartTimer(3, 50), 0);
    services.Advance(200);
    EXPECT_TRUE(services.IsTimerActive(m_frame, 3));
}

// Extents of an embedded object of another program, fitted to what its server reports.
TEST(CntrItem, UpdateObjectExtents)
{
    struct Case {
        const char* name;
        SIZE server;
        SIZE last;
        CPointD opposite;
        int state;
        int result;
        CPointD expected;
        SIZE stored;
    } cases[] = {
        { "new object", { 5000, 3000 }, { 0, 0 }, P(100, 200), 1, 1, P(600, -100), { 5000, 3000 } },
        { "zero width", { 0, 200 }, { 0, 0 }, P(100, 200), 1, 1, P(120, 180), { 200, 200 } },
        { "same extent", { 5000, 3000 }, { 5000, 3000 }, P(700, 0), 1, 0, P(700, 0), { 5000, 3000 } },
        { "scaled", { 10000, 1500 }, { 5000, 3000 }, P(600, -100), 1, 1, P(1100, 50), { 10000, 1500 } },
        { "active in place", { 10000, 1500 }, { 5000, 3000 }, P(600, -100), 3, 1, P(600, -100), { 10000, 1500 } },
        { "no server extent", { 0, 0 }, { 5000, 3000 }, P(600, -100), 1, 0, P(600, -100), { 5000, 3000 } },
    };
    for (const Case& c : cases) {
        CZelkOleObj obj;
        obj.m_topLeft = P(100, 200);
        obj.m_bottomRight = c.opposite;
        obj.m_extent = c.last;
        CZelkCntrItem item(nullptr, &obj);
        item.m_serverExtent = c.server;
        item.m_itemState = c.state;
        EXPECT_EQ(item.UpdateObjectExtents(), c.result) << c.name;
        EXPECT_DOUBLE_EQ(obj.m_bottomRight.m_x, c.expected.m_x) << c.name;
        EXPECT_DOUBLE_EQ(obj.m_bottomRight.m_y, c.expected.m_y) << c.name;
        EXPECT_EQ(obj.m_extent.cx, c.stored.cx) << c.name;
        EXPECT_EQ(obj.m_extent.cy, c.stored.cy) << c.name;
    }

    // The first object already fitted stops the walk: the second keeps its corner.
    CZelkOleObj first;
    CZelkOleObj second;
    first.m_extent = { 5000, 3000 };
    second.m_bottomRight = P(7, 7);
    CZelkCntrItem item(nullptr, &first);
    item.m_placedObjects.Add(&second);
    item.m_serverExtent = { 5000, 3000 };
    EXPECT_EQ(item.UpdateObjectExtents(), 0);
    EXPECT_DOUBLE_EQ(second.m_bottomRight.m_x, 7);
    EXPECT_EQ(second.m_extent.cx, 0);
}

TEST(CntrItem, ActivatingReportsTheProgramUnavailable)
{
    DefaultScriptedServices() = CScriptedServices();
    CZelkCntrItem item;
    item.m_className = "Sheet";
    EXPECT_FALSE(item.OnActivate());
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    EXPECT_GE(DefaultScriptedServices().m_messages[0].text.Find("Sheet"), 0);
}

} // namespace

TEST_F(Shell, RecoveryFilesOfTheProgramFolderBecomeModifiedDrawings)
{
    const CString folder = ProgramFolder();
    {
        // What an abnormal end left: drawing 1 with a line and two placed pictures.
        CZelkDoc lost;
        lost.m_recoveryBase = folder + "Lost";   // the files below are not under its own name
        lost.AddLine(P(0, 0), P(30, 40), 0, lost.FindOrAddPen(0, 1, 0, 0, 70));
        CZelkView writer;
        writer.m_document = &lost;
        ASSERT_EQ(writer.WriteNativeFile(folder + "Recov1.zel", 0), 1);
        for (int i = 0; i < 2; ++i) {
            auto* obj = new CZelkOleObj;
            obj->m_topLeft = P(0, 10);
            obj->m_bottomRight = P(8, 0);
            obj->m_itemIndex = i;
            lost.AddObject(obj);
            lost.m_oleItems.push_back(new CZelkCntrItem(&lost, obj));
        }
        lost.WriteObjectRecoveryFile(0, folder + "Recov1.001");
        lost.WriteObjectRecoveryFile(1, folder + "Recov1.002");
    }
    Start();
    // The start restores them, says so with a beep and shows none of the first-start notices.
    std::vector<CZelkDoc*> docs = Drawings();
    ASSERT_EQ(docs.size(), 2u);
    CZelkDoc* doc = docs.back();
    EXPECT_EQ(m_app->m_lastMessage, "リカバリファイルを読み込みました");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownDialogs.empty());
    EXPECT_EQ(m_app->m_startupNoticeSuppressed, 1);
    EXPECT_EQ(doc->m_name, "Recov1");
    EXPECT_EQ(doc->m_path, m_app->m_appPath.m_dataFolder + "Recov1.zel");
    EXPECT_TRUE(doc->CDocument::IsModified());
    ASSERT_NE(doc->GetLineElem(0, 0), nullptr);
    EXPECT_EQ(doc->GetLineElem(0, 0)->m_end.m_y, 40);
    ASSERT_EQ(doc->m_objects.size(), 2u);
    EXPECT_DOUBLE_EQ(doc->m_objects[0]->m_topLeft.m_x, 0);
    EXPECT_DOUBLE_EQ(doc->m_objects[1]->m_topLeft.m_x, 4);    // shifted by half of (8, -10)
    EXPECT_DOUBLE_EQ(doc->m_objects[1]->m_topLeft.m_y, 5);
    for (const char* name : { "Recov1.zel", "Recov1.001", "Recov1.002" })
        EXPECT_FALSE(fs::exists(FsPath(folder + name))) << name;
    // The restored drawing keeps its objects in recovery files of its own number.
    for (int k = 1; k <= 2; ++k) {
        CString side;
        side.Format("%s.%03d", static_cast<const char*>(doc->m_recoveryBase), k);
        EXPECT_TRUE(fs::exists(FsPath(side))) << k;
    }
    // The main file is written through the drawing's first view.
    ASSERT_FALSE(doc->GetViews().empty());
    EXPECT_TRUE(fs::exists(FsPath(doc->m_recoveryBase + ".zel")));
}

TEST_F(Shell, ADrawingAskedForInContextHelpModeLeavesNoDocumentOrWindow)
{
    Start();
    const CString file = ProgramFolder() + "Recent.zel";
    {
        CZelkDoc recent;
        CZelkView writer;
        writer.m_document = &recent;
        ASSERT_EQ(writer.WriteNativeFile(file, 0), 1);
    }
    const size_t docs = Drawings().size();
    const size_t frames = m_frame->GetChildFrames().size();
    DefaultScriptedServices().m_opened.clear();
    m_app->m_contextHelpMode = 11;
    EXPECT_EQ(m_app->m_pDocTemplate->OpenDocumentFile(file), nullptr);
    ASSERT_EQ(DefaultScriptedServices().m_opened.size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_opened[0], ProgramFolder() + "Help\\HID_MODE_STRING.htm");
    EXPECT_EQ(m_app->m_contextHelpMode, 0);
    EXPECT_EQ(Drawings().size(), docs);
    EXPECT_EQ(m_frame->GetChildFrames().size(), frames);

    // Out of the mode the same file opens.
    EXPECT_NE(m_app->m_pDocTemplate->OpenDocumentFile(file), nullptr);
    EXPECT_EQ(Drawings().size(), docs + 1);
}

TEST_F(Shell, NewDrawingsCountTheOpenNewFilesAndTakeTheDate)
{
    Start();
    ASSERT_EQ(Drawings().size(), 1u);
    EXPECT_EQ(Drawings()[0]->m_name, "NewFile");
    DefaultScriptedServices().SetTime(CTime(2026, 12, 10, 12, 0, 0).GetTime());
    m_app->NewDrawing();
    CZelkDoc* second = Drawings().back();
    EXPECT_EQ(second->m_name, "NewFile02");
    EXPECT_EQ(second->m_path, m_app->m_appPath.m_dataFolder + "NewFile02.zel");
    EXPECT_EQ(second->m_creationDate, "2026/12/10");
    m_app->NewDrawing();
    EXPECT_EQ(Drawings().back()->m_name, "NewFile03");
    while (Drawings().size() < 8)
        m_app->NewDrawing();
    EXPECT_EQ(Drawings().back()->m_name, "NewFile08");
    m_app->NewDrawing();
    EXPECT_EQ(Drawings().back()->m_name, "NewFile9");

    // A counted name already open counts on; a clock before 1970 gives no date.
    second->m_name = "NewFile10";
    DefaultScriptedServices().SetTime(-100);
    m_app->NewDrawing();
    EXPECT_EQ(Drawings().back()->m_name, "NewFile11");
    EXPECT_EQ(Drawings().back()->m_creationDate, "0000/00/00");
}

TEST_F(Shell, OpeningDrawingFilesReusesAnEmptyDrawingAndRefusesTwins)
{
    Start();
    const CString folder = ProgramFolder();
    ASSERT_TRUE(WriteDrawingWithLine(folder + "a.zel"));
    CZelkDoc* empty = Drawings().at(0);
    const size_t frames = m_frame->GetChildFrames().size();
    EXPECT_EQ(m_app->OpenDrawingFile(folder + "a.zel", "a", 2), empty);
    EXPECT_EQ(m_frame->GetChildFrames().size(), frames);
    EXPECT_EQ(empty->m_path, folder + "a.zel");
    EXPECT_EQ(empty->m_name, "a");
    EXPECT_EQ(empty->CDocument::GetTitle(), folder + "a.zel");
    ASSERT_NE(empty->GetLineElem(0, 0), nullptr);
    // The drawing read joins the recent files, as one saved does.
    ASSERT_NE(m_app->m_pRecentFileList, nullptr);
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], folder + "a.zel");

    // No empty drawing left: the same path again is refused.
    DefaultScriptedServices().m_messages.clear();
    EXPECT_EQ(m_app->OpenDrawingFile(folder + "a.zel", "a", 2), nullptr);
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    EXPECT_EQ(DefaultScriptedServices().m_messages[0].text, ScreenPathText(folder + "a.zel" + " はすでに開かれています"));
    EXPECT_EQ(Drawings().size(), 1u);

    // A file that cannot be read takes the window made for it away again.
    std::ofstream(FsPath(folder + "bad.zel")) << "not a drawing";
    DefaultScriptedServices().m_messages.clear();
    EXPECT_EQ(m_app->OpenDrawingFile(folder + "bad.zel", "bad", 2), nullptr);
    ASSERT_FALSE(DefaultScriptedServices().m_messages.empty());   // the reader's own report first
    EXPECT_EQ(DefaultScriptedServices().m_messages.back().text, ScreenPathText(folder + "bad.zel" + " はオープンできませんでした"));
    UiDriver::Pump();
    EXPECT_EQ(Drawings().size(), 1u);
    EXPECT_EQ(m_frame->GetChildFrames().size(), frames);

    // An empty drawing that was to take it keeps its own name and path.
    m_app->NewDrawing();
    ASSERT_EQ(Drawings().size(), 2u);
    CZelkDoc* fresh = Drawings()[1];
    const CString name = fresh->m_name;
    const CString path = fresh->m_path;
    EXPECT_EQ(m_app->OpenDrawingFile(folder + "bad.zel", "bad", 2), nullptr);
    ASSERT_EQ(Drawings().size(), 2u);
    EXPECT_EQ(Drawings()[1], fresh);
    EXPECT_EQ(fresh->m_name, name);
    EXPECT_EQ(fresh->m_path, path);
    EXPECT_EQ(fresh->CDocument::GetTitle(), path);
}

TEST_F(Shell, OpeningSeveralFilesTakesDrawingsAndDxfByExtension)
{
    Start();
    const CString folder = ProgramFolder();
    ASSERT_TRUE(WriteDrawingWithLine(folder + "p.zel"));
    std::ofstream(FsPath(folder + "q.DXF")) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n5.0\n21\n5.0\n0\nENDSEC\n0\nEOF\n";
    std::ofstream(FsPath(folder + "r.txt")) << "text";
    CStringArray paths;
    paths.Add(folder + "p.zel");
    paths.Add(folder + "q.DXF");
    paths.Add(folder + "r.txt");
    EXPECT_EQ(m_app->OpenDrawingFiles(paths), 1);
    std::vector<CZelkDoc*> docs = Drawings();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->m_name, "p");
    EXPECT_EQ(docs[1]->m_name, "q");
    EXPECT_NE(docs[1]->GetLineElem(0, 0), nullptr);
}
