// A small MDI program on the window layer, driven headless: two documents with scroll views that
// draw through a CDC, a tool bar, a status bar, a combo box and a menu with an update handler.
#include "platform/core/Archive.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "tests/support/UiDriver.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT IDR_SAMPLE = 9100;
constexpr UINT ID_SAMPLE_MARK = 33001;
constexpr UINT ID_SAMPLE_GRID = 33002;

std::vector<std::string> g_log;

class CSampleDoc : public CDocument {
    DECLARE_DYNCREATE(CSampleDoc)
public:
    int m_marks = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_marks;
        else
            ar >> m_marks;
    }
    BOOL OnNewDocument() override
    {
        g_log.push_back("doc new");
        return CDocument::OnNewDocument();
    }

protected:
    DECLARE_MESSAGE_MAP()
    void OnMark() { g_log.push_back("doc mark"); }
};
IMPLEMENT_DYNCREATE(CSampleDoc, CDocument)
BEGIN_MESSAGE_MAP(CSampleDoc, CDocument)
    ON_COMMAND(ID_SAMPLE_MARK, OnMark)
END_MESSAGE_MAP()

class CSampleView : public CScrollView {
    DECLARE_DYNCREATE(CSampleView)
public:
    BOOL m_grid = FALSE;
    std::vector<std::string> m_events;
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_LOMETRIC, CSize(2100, 2970));
        CScrollView::OnInitialUpdate();
    }
    void OnDraw(CDC* pDC) override
    {
        // A frame 10 mm inside the top-left corner, y up as the mapping makes it.
        pDC->MoveTo(100, -100);
        pDC->LineTo(1000, -100);
        pDC->LineTo(1000, -600);
        pDC->LineTo(100, -600);
        pDC->LineTo(100, -100);
    }
    static std::string Point(const char* what, UINT flags, CPoint p)
    {
        return std::string(what) + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y);
    }

protected:
    DECLARE_MESSAGE_MAP()
    void OnLButtonDown(UINT f, CPoint p) override { m_events.push_back(Point("down", f, p)); }
    void OnLButtonUp(UINT f, CPoint p) override { m_events.push_back(Point("up", f, p)); }
    void OnLButtonDblClk(UINT f, CPoint p) override
    {
        // A double click may close the view's own window; the handler goes on afterwards.
        if (m_closeOnDoubleClick && GetParentFrame())
            m_events.push_back(GetParentFrame()->DestroyWindow() ? "closing" : "not closed");
        m_events.push_back(Point("dblclk", f, p));
    }

public:
    bool m_closeOnDoubleClick = false;

protected:
    void OnKeyDown(UINT c, UINT r, UINT f) override
    {
        m_events.push_back("key " + std::to_string(c) + " " + std::to_string(r) + " " + std::to_string(f));
    }
    void OnChar(UINT c, UINT, UINT) override { m_events.push_back("char " + std::to_string(c)); }
    void OnTimer(UINT_PTR id) override { m_events.push_back("timer " + std::to_string(id)); }
    void OnMark() { g_log.push_back("view mark"); }
    void OnGrid() { m_grid = !m_grid; }
    void OnUpdateGrid(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_grid); }
};
IMPLEMENT_DYNCREATE(CSampleView, CScrollView)
BEGIN_MESSAGE_MAP(CSampleView, CScrollView)
    ON_COMMAND(ID_SAMPLE_MARK, OnMark)
    ON_COMMAND(ID_SAMPLE_GRID, OnGrid)
    ON_UPDATE_COMMAND_UI(ID_SAMPLE_GRID, OnUpdateGrid)
END_MESSAGE_MAP()

class CSampleChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CSampleChild)
};
IMPLEMENT_DYNCREATE(CSampleChild, CMDIChildWnd)

class CSampleFrame : public CMDIFrameWnd {
public:
    CToolBar m_bar;
    CStatusBar m_status;
    CComboBox m_box;

protected:
    int OnCreate(LPCREATESTRUCT lpcs) override
    {
        if (CMDIFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        static const UINT buttons[] = { ID_FILE_NEW, ID_SEPARATOR, ID_SAMPLE_MARK, ID_SAMPLE_GRID, ID_SEPARATOR };
        if (!m_bar.Create(this) || !m_bar.LoadBitmap(9101) || !m_bar.SetButtons(buttons, 5))
            return -1;
        // An input box over the last separator.
        m_bar.SetButtonInfo(4, 106, TBBS_SEPARATOR, 160);
        CRect r;
        m_bar.GetItemRect(4, &r);
        r.top = 3;
        r.bottom = 803;
        if (!m_box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, r, &m_bar, 106))
            return -1;
        m_bar.PlaceControl(4, &m_box);
        m_box.AddString("10,20");
        m_box.SetWindowText("input");
        static const UINT panes[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM };
        if (!m_status.Create(this) || !m_status.SetIndicators(panes, 3))
            return -1;
        return 0;
    }
};

class CSampleApp : public CWinApp {
public:
    CMultiDocTemplate* m_pTemplate = nullptr;
    BOOL InitInstance() override
    {
        SetRegistryKey("Zelk");
        LoadStdProfileSettings(15);
        m_pTemplate = new CMultiDocTemplate(IDR_SAMPLE, RUNTIME_CLASS(CSampleDoc), RUNTIME_CLASS(CSampleChild),
                                            RUNTIME_CLASS(CSampleView));
        AddDocTemplate(m_pTemplate);
        auto* frame = new CSampleFrame;
        if (!frame->LoadFrame(IDR_SAMPLE)) {
            delete frame;
            return FALSE;
        }
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        frame->MoveWindow(0, 0, 800, 600);
        return TRUE;
    }

protected:
    DECLARE_MESSAGE_MAP()
    void OnMark() { g_log.push_back("app mark"); }
};
BEGIN_MESSAGE_MAP(CSampleApp, CWinApp)
    ON_COMMAND(ID_SAMPLE_MARK, OnMark)
END_MESSAGE_MAP()

// A 32 x 15 tool-bar strip of two pictures.
std::string WriteBarBitmap()
{
    QImage img(48, 15, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    p.fillRect(2, 2, 12, 11, Qt::blue);
    p.fillRect(18, 2, 12, 11, Qt::red);
    p.fillRect(34, 2, 12, 11, Qt::darkGreen);
    p.end();
    std::string path = std::string(std::getenv("ZELK_HOME")) + "/bar.bmp";
    img.save(QString::fromStdString(path), "BMP");
    return path;
}

void AddSampleResources()
{
    std::string script = "STRINGTABLE BEGIN\n"
                         "  9100, \"Sample\\nDrawing\\nDrawing\\n\\n.smp\"\n"
                         "  33001, \"Mark the view\\nMark\"\n"
                         "END\n"
                         "MENU 9100\nBEGIN\n"
                         "  POPUP \"&File\"\n  BEGIN\n"
                         "    MENUITEM \"&New\\tCtrl+N\", 57600\n"
                         "    MENUITEM SEPARATOR\n"
                         "    MENUITEM \"Recent File\", 57616\n"
                         "  END\n"
                         "  POPUP \"&View\"\n  BEGIN\n"
                         "    MENUITEM \"&Mark\", 33001\n"
                         "    MENUITEM \"&Grid\", 33002\n"
                         "  END\n"
                         "END\n"
                         "ACCELERATORS 9100\nBEGIN\n"
                         "  \"M\", 33001, VIRTKEY, CONTROL\n"
                         "END\n"
                         "BITMAP 9101 \"" + WriteBarBitmap() + "\"\n"
                         "ICON 9100 \"" ZELK_SOURCE_DIR "/resources/bitmaps/zelk.bmp\"\n";
    CString error;
    ASSERT_TRUE(CResources::Get().AddScript(script.c_str(), &error)) << error.GetString();
}

class SampleMdi : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        g_log.clear();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        m_app = new CSampleApp;
        AddSampleResources();
        ASSERT_TRUE(m_app->InitInstance());
        m_frame = static_cast<CSampleFrame*>(m_app->m_pMainWnd);
        m_doc1 = static_cast<CSampleDoc*>(m_app->m_pTemplate->OpenDocumentFile(nullptr));
        m_doc2 = static_cast<CSampleDoc*>(m_app->m_pTemplate->OpenDocumentFile(nullptr));
        ASSERT_NE(m_doc1, nullptr);
        ASSERT_NE(m_doc2, nullptr);
        m_frame->MDITile(MDITILE_VERTICAL);
        AfxPumpMessages();
        g_log.clear();
    }
    void TearDown() override
    {
        // The frame deletes itself with its window.
        if (m_app->m_pMainWnd) {
            m_app->CloseAllDocuments(FALSE);
            m_app->m_pMainWnd->DestroyWindow();
        }
        AfxPumpMessages();
        delete m_app;
    }
    CSampleView* ViewOf(CSampleDoc* doc) { return static_cast<CSampleView*>(doc->m_viewList.front()); }

    void Mouse(CWnd* wnd, QEvent::Type type, QPoint pos, ulong time, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* w = wnd->GetClientWidget();
        Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, buttons, mods);
        e.setTimestamp(time);
        QApplication::sendEvent(w, &e);
    }

    CSampleApp* m_app = nullptr;
    CSampleFrame* m_frame = nullptr;
    CSampleDoc* m_doc1 = nullptr;
    CSampleDoc* m_doc2 = nullptr;
};

TEST_F(SampleMdi, DoubleClickArrivesInWindowsOrder)
{
    CSampleView* view = ViewOf(m_doc2);
    Mouse(view, QEvent::MouseButtonPress, QPoint(40, 30), 1000);
    Mouse(view, QEvent::MouseButtonRelease, QPoint(40, 30), 1050);
    // Qt reports the second press and then the double-click; Windows only the double-click.
    Mouse(view, QEvent::MouseButtonPress, QPoint(41, 30), 1200, Qt::ShiftModifier);
    Mouse(view, QEvent::MouseButtonDblClick, QPoint(41, 30), 1200, Qt::ShiftModifier);
    Mouse(view, QEvent::MouseButtonRelease, QPoint(41, 30), 1250);
    // A third press long after is a plain press again.
    Mouse(view, QEvent::MouseButtonPress, QPoint(41, 30), 5000);
    const std::vector<std::string> expected = {
        "down 1 40,30", "up 0 40,30", "dblclk 5 41,30", "up 0 41,30", "down 1 41,30",
    };
    EXPECT_EQ(view->m_events, expected);
}

TEST_F(SampleMdi, KeyMessagesCarryVirtualKeyScanCodeAndRepeatBit)
{
    CSampleView* view = ViewOf(m_doc1);
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        bool repeat;
        const char* text;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        { Qt::Key_A, Qt::NoModifier, false, "a", { "key 65 1 30", "char 97" } },
        // Second byte of lParam's high word: bit 14 is the repeat bit (bit 30 of lParam).
        { Qt::Key_A, Qt::NoModifier, true, "a", { "key 65 1 16414", "char 97" } },
        { Qt::Key_5, Qt::KeypadModifier, false, "5", { "key 101 1 76", "char 53" } },
        { Qt::Key_Colon, Qt::NoModifier, false, ":", { "key 186 1 40", "char 58" } },
        { Qt::Key_Left, Qt::NoModifier, false, "", { "key 37 1 331" } },
        { Qt::Key_Return, Qt::NoModifier, false, "\r", { "key 13 1 28", "char 13" } },
    };
    for (const Case& c : cases) {
        view->m_events.clear();
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, QString::fromLatin1(c.text), c.repeat);
        QApplication::sendEvent(view->GetClientWidget(), &e);
        QKeyEvent up(QEvent::KeyRelease, c.key, c.mods, QString::fromLatin1(c.text));
        QApplication::sendEvent(view->GetClientWidget(), &up);
        EXPECT_EQ(view->m_events, c.events) << c.key;
    }
}

TEST_F(SampleMdi, GetKeyStateFollowsTheMessageBeingHandled)
{
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    CSampleView* view = ViewOf(m_doc1);
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(view->GetClientWidget(), &shift);
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0x8000);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(view->GetClientWidget(), &release);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    // A lock key toggles bit 0 on each press.
    QKeyEvent caps(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
    QApplication::sendEvent(view->GetClientWidget(), &caps);
    QKeyEvent capsUp(QEvent::KeyRelease, Qt::Key_CapsLock, Qt::NoModifier);
    QApplication::sendEvent(view->GetClientWidget(), &capsUp);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
}

TEST_F(SampleMdi, CommandsReachTheViewBeforeDocumentAndApplication)
{
    m_frame->SendMessage(WM_COMMAND, ID_SAMPLE_MARK, 0);
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log.back(), "view mark");
    // The accelerator Ctrl+M sends the same command through the frame.
    g_log.clear();
    CSampleView* view = ViewOf(m_doc2);
    QKeyEvent ctrlM(QEvent::KeyPress, Qt::Key_M, Qt::ControlModifier, QString(QChar(13)));
    QApplication::sendEvent(view->GetClientWidget(), &ctrlM);
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log.back(), "view mark");
    // Without an MDI child, the application's handler is the one.
    m_app->CloseAllDocuments(FALSE);
    AfxPumpMessages();
    g_log.clear();
    m_frame->SendMessage(WM_COMMAND, ID_SAMPLE_MARK, 0);
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log.back(), "app mark");
}

TEST_F(SampleMdi, RealInputReachesViewsButQtPartsAndOpenMenusKeepTheirs)
{
    UiDriver::ShowAndActivate(m_frame);
    CSampleView* view = ViewOf(m_doc2);
    view->m_events.clear();
    UiDriver::Click(view, POINT{ 40, 30 });
    const std::vector<std::string> clicked = { "down 1 40,30", "up 0 40,30" };
    EXPECT_EQ(view->m_events, clicked);

    // A tool button is Qt's: its click is the button's command, not a click in the bar.
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, ID_SAMPLE_MARK));
    AfxPumpMessages();
    EXPECT_EQ(g_log, std::vector<std::string>{ "view mark" });

    // Keys typed while a menu is open are the menu's.
    view->m_events.clear();
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, "&View"));
    ASSERT_TRUE(UiDriver::IsMenuOpen());
    UiDriver::Key(VK_DOWN);
    UiDriver::Key(VK_ESCAPE);
    EXPECT_FALSE(UiDriver::IsMenuOpen());
    EXPECT_TRUE(view->m_events.empty());
}

TEST_F(SampleMdi, UpdateHandlerChecksMenuItem)
{
    CMenu* view = m_frame->GetMenu()->GetSubMenu(1);
    ASSERT_NE(view, nullptr);
    AfxUpdateMenuItems(view, m_frame, TRUE);
    EXPECT_EQ(view->GetMenuState(ID_SAMPLE_GRID, MF_BYCOMMAND) & MF_CHECKED, 0u);
    m_frame->SendMessage(WM_COMMAND, ID_SAMPLE_GRID, 0);
    AfxUpdateMenuItems(view, m_frame, TRUE);
    EXPECT_EQ(view->GetMenuState(ID_SAMPLE_GRID, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    // The tool bar follows the same handler.
    m_frame->UpdateControlBars();
    int index = m_frame->m_bar.CommandToIndex(ID_SAMPLE_GRID);
    EXPECT_NE(m_frame->m_bar.GetButtonStyle(index) & 0x00010000u, 0u);
}

TEST_F(SampleMdi, PopupMenuChoiceComesBackAsCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SAMPLE));
    DefaultScriptedUiServices().QueueMenuChoice(ID_SAMPLE_MARK);
    CSampleView* view = ViewOf(m_doc2);
    menu.GetSubMenu(1)->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 10, m_frame);
    AfxPumpMessages();
    ASSERT_EQ(DefaultScriptedUiServices().m_shownMenus.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownMenus[0].size(), 2u);
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log.back(), "view mark");
    (void)view;
}

TEST_F(SampleMdi, TimerRepeatsUntilKilled)
{
    CSampleView* view = ViewOf(m_doc1);
    CScriptedServices& s = DefaultScriptedServices();
    ASSERT_EQ(view->SetTimer(5, 300, nullptr), 5u);
    s.Advance(299);
    EXPECT_TRUE(view->m_events.empty());
    s.Advance(1);
    s.Advance(600);
    EXPECT_EQ(view->m_events, (std::vector<std::string>{ "timer 5", "timer 5", "timer 5" }));
    EXPECT_TRUE(view->KillTimer(5));
    s.Advance(3000);
    EXPECT_EQ(view->m_events.size(), 3u);
    // A destroyed window's timers end with it.
    view->SetTimer(6, 100, nullptr);
    m_doc1->OnCloseDocument();
    EXPECT_FALSE(s.IsTimerActive(view, 6));
}

TEST_F(SampleMdi, ScrollPositionInLometric)
{
    CSampleView* view = ViewOf(m_doc1);
    view->GetParentFrame()->MoveWindow(0, 0, 300, 200);
    AfxPumpMessages();
    view->ScrollToPosition(CPoint(0, -500));
    CPoint pos = view->GetScrollPosition();
    // y grows downwards on the screen and upwards in the mapping: the top edge is at y -500.
    EXPECT_EQ(pos.x, 0);
    EXPECT_NEAR(pos.y, -500, 3);
    EXPECT_GT(view->GetDeviceScrollPosition().y, 0);
}

TEST_F(SampleMdi, ScreenshotShowsBarsAndDrawing)
{
    m_frame->SetMessageText("Ready to draw");
    m_frame->UpdateControlBars();
    for (CSampleDoc* d : { m_doc1, m_doc2 })
        ViewOf(d)->UpdateWindow();
    AfxPumpMessages();
    QImage shot = m_frame->GetQWidget()->grab().toImage();
    std::string path = std::string(ZELK_BINARY_DIR) + "/ui-sample-mdi.png";
    shot.save(QString::fromStdString(path));
    // The frame line the view drew (black) is on the view's surface and on the screen copy.
    CSampleView* view = ViewOf(m_doc1);
    const QImage& surface = view->m_pState->surface;
    int black = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) == qRgb(0, 0, 0))
                ++black;
    EXPECT_GT(black, 50);
    EXPECT_EQ(m_frame->m_status.GetPaneText(0), CString("Ready to draw"));
}

TEST_F(SampleMdi, StatusPanesShowPathsWithSlashesAndKeepTheText)
{
    m_frame->SetMessageText("\\tmp\\a3.dxf loading");
    auto* label = m_frame->m_status.GetQWidget()->findChild<QLabel*>(QStringLiteral("pane0"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("/tmp/a3.dxf loading"));
    EXPECT_EQ(m_frame->m_status.GetPaneText(0), CString("\\tmp\\a3.dxf loading"));
}

TEST_F(SampleMdi, FramesShowTheIconOfTheirResource)
{
    // Without it the toolkit's logo would stand on every child window's title bar.
    EXPECT_FALSE(m_frame->GetQWidget()->windowIcon().isNull());
    const std::vector<CMDIChildWnd*> children = m_frame->GetChildFrames();
    ASSERT_EQ(children.size(), 2u);
    for (CMDIChildWnd* child : children) {
        const QIcon icon = child->m_pSubWindow->windowIcon();
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(32, 32).toImage().pixel(15, 9) & 0xFFFFFF, 0x00008Cu);
    }
}

TEST_F(SampleMdi, ClosingAskToSaveModifiedDocuments)
{
    CScriptedServices& s = DefaultScriptedServices();
    m_doc1->SetModifiedFlag(TRUE);
    // Cancel keeps everything open.
    s.QueueAnswer(IDCANCEL);
    m_frame->SendMessage(WM_CLOSE, 0, 0);
    ASSERT_EQ(s.m_messages.size(), 1u);
    EXPECT_EQ(s.m_messages[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
    EXPECT_NE(s.m_messages[0].text.Find("Drawing1"), -1);
    EXPECT_EQ(m_app->m_pMainWnd, m_frame);
    EXPECT_EQ(m_frame->GetChildFrames().size(), 2u);
    // No closes without saving; the frame and its documents go.
    s.QueueAnswer(IDNO);
    m_frame->SendMessage(WM_CLOSE, 0, 0);
    EXPECT_EQ(s.m_messages.size(), 2u);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(m_app->m_pTemplate->GetFirstDocPosition(), nullptr);
}

TEST_F(SampleMdi, ChildFrameCloseClosesItsDocument)
{
    CMDIChildWnd* child = m_frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CDocument* doc = child->GetActiveDocument();
    EXPECT_EQ(doc, m_doc2);
    child->SendMessage(WM_CLOSE, 0, 0);
    AfxPumpMessages();
    EXPECT_EQ(m_frame->GetChildFrames().size(), 1u);
    EXPECT_EQ(m_app->m_pTemplate->m_docList.size(), 1u);
    // The other child becomes the active one.
    ASSERT_NE(m_frame->MDIGetActive(), nullptr);
    EXPECT_EQ(m_frame->MDIGetActive()->GetActiveDocument(), m_doc1);
}

TEST_F(SampleMdi, SaveAndOpenThroughTheDocumentArchive)
{
    std::string path = std::string(std::getenv("ZELK_HOME")) + "/one.smp";
    CString programPath(path.c_str());
    programPath.Replace('/', '\\');
    m_doc1->m_marks = 41;
    m_doc1->SetModifiedFlag(TRUE);
    ASSERT_TRUE(m_doc1->DoSave(programPath));
    EXPECT_FALSE(m_doc1->IsModified());
    EXPECT_EQ(m_doc1->GetTitle(), CString("one.smp"));
    EXPECT_EQ((*m_app->m_pRecentFileList)[0], programPath);
    // Opening the same path again brings the open document forward.
    EXPECT_EQ(m_app->OpenDocumentFile(programPath), m_doc1);
    m_doc1->OnCloseDocument();
    CSampleDoc* again = static_cast<CSampleDoc*>(m_app->OpenDocumentFile(programPath));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_marks, 41);
    EXPECT_EQ(again->GetPathName(), programPath);
    // A missing file is reported and opens nothing.
    DefaultScriptedServices().m_messages.clear();
    EXPECT_EQ(m_app->OpenDocumentFile("C:\\nowhere\\none.smp"), nullptr);
    EXPECT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
}

TEST_F(SampleMdi, MessageTextAndWindowTitles)
{
    m_frame->SetMessageText(ID_SAMPLE_MARK);
    EXPECT_EQ(m_frame->m_status.GetPaneText(0), CString("Mark the view"));
    CString title;
    m_frame->GetWindowText(title);
    EXPECT_EQ(title, CString("Sample - Drawing2"));
    m_frame->MDIActivate(m_frame->GetChildFrames().front());
    m_frame->GetWindowText(title);
    EXPECT_EQ(title, CString("Sample - Drawing1"));
}

class CQuickApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        auto* frame = new CFrameWnd;
        if (!frame->Create(nullptr, "quick", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0))
            return FALSE;
        m_pMainWnd = frame;
        return TRUE;
    }
    int ExitInstance() override
    {
        m_exited = true;
        return CWinApp::ExitInstance() + 7;
    }
    bool m_exited = false;
};

TEST(ProgramStart, RunLoopEndsAtOnceWhenAskedAndExitInstanceGivesTheCode)
{
    CQuickApp app;
    setenv("ZELK_QUIT_AT_START", "1", 1);
    static char arg0[] = "zelk";
    static char* argv[] = { arg0, nullptr };
    int code = AfxWinMain(1, argv);
    unsetenv("ZELK_QUIT_AT_START");
    EXPECT_TRUE(app.m_exited);
    EXPECT_EQ(code, 7);
    // The real services were installed only while the program ran.
    EXPECT_EQ(&Services(), static_cast<IPlatformServices*>(&DefaultScriptedServices()));
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
}

} // namespace

TEST_F(SampleMdi, AWindowClosedFromItsViewsHandlerGoesWhenTheHandlerHasReturned)
{
    CSampleView* view = ViewOf(m_doc2);
    CFrameWnd* frame = view->GetParentFrame();
    ASSERT_NE(frame, nullptr);
    view->m_closeOnDoubleClick = true;
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, static_cast<LPARAM>((6 << 16) | 5));
    // Still there while the handler ran to its end, but no longer on the screen.
    ASSERT_EQ(view->m_events.size(), 2u);
    EXPECT_EQ(view->m_events[0], "closing");
    EXPECT_EQ(view->m_events[1], "dblclk 1 5,6");
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_TRUE(UiIsLive(frame));
    EXPECT_TRUE(UiIsLive(view));
    AfxPumpMessages();
    EXPECT_FALSE(UiIsLive(frame));
    EXPECT_FALSE(UiIsLive(view));
    // Destroyed from outside any of its handlers, a window goes at once.
    CFrameWnd* other = ViewOf(m_doc1)->GetParentFrame();
    EXPECT_TRUE(other->DestroyWindow());
    EXPECT_FALSE(UiIsLive(other));
}

