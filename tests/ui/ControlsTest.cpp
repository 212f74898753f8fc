// Controls outside dialogs: a combo box on a tool bar (lists, find, select, edit notifications),
// an owner-drawn sorted color list, list boxes, tool tips on the services' timers, tool-bar
// pictures changed at run time, capture, placement and cursors.
#include "platform/gdi/DC.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/WndClass.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT ID_BOX = 106;
constexpr UINT ID_COLORS = 134;

// Colors sorted by brightness sum, then red, green, blue; white first.
class CColorCombo : public CComboBox {
public:
    int CompareItem(LPCOMPAREITEMSTRUCT c) override
    {
        auto key = [](COLORREF v) {
            return std::make_tuple(-(GetRValue(v) + GetGValue(v) + GetBValue(v)), -GetRValue(v), -GetGValue(v), -GetBValue(v));
        };
        auto a = key(static_cast<COLORREF>(c->itemData1));
        auto b = key(static_cast<COLORREF>(c->itemData2));
        return a < b ? -1 : a > b ? 1 : 0;
    }
    void MeasureItem(LPMEASUREITEMSTRUCT m) override { m->itemHeight = 14; }
    void DrawItem(LPDRAWITEMSTRUCT d) override
    {
        ++m_draws;
        CDC* dc = CDCFromHandle(d->hDC);
        CBrush brush;
        brush.CreateSolidBrush(static_cast<COLORREF>(d->itemData));
        CRect r = d->rcItem;
        r.DeflateRect(2, 2);
        dc->FillRect(&r, &brush);
    }
    int m_draws = 0;
};

class CNotifyFrame : public CFrameWnd {
public:
    void PostNcDestroy() override {} // lives in the fixture
    std::vector<std::string> m_notes;
    CToolBar m_bar;
    CComboBox m_box;
    CColorCombo m_colors;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam)
            m_notes.push_back(std::to_string(LOWORD(static_cast<DWORD>(wParam))) + ":"
                              + std::to_string(HIWORD(static_cast<DWORD>(wParam))));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class ControlsTest : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        ASSERT_TRUE(m_frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400), nullptr, 0));
        m_frame.ShowWindow(SW_SHOW);
        ASSERT_TRUE(m_frame.m_bar.Create(&m_frame));
        static const UINT buttons[] = { 57600, ID_SEPARATOR, ID_SEPARATOR };
        m_frame.m_bar.SetButtons(buttons, 3);
        m_frame.m_bar.SetButtonInfo(1, ID_BOX, TBBS_SEPARATOR, 300);
        m_frame.m_bar.SetButtonInfo(2, ID_COLORS, TBBS_SEPARATOR, 40);
        CRect r;
        m_frame.m_bar.GetItemRect(1, &r);
        r.top = 3;
        r.bottom = 803;
        ASSERT_TRUE(m_frame.m_box.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP, r, &m_frame.m_bar, ID_BOX));
        m_frame.m_bar.PlaceControl(1, &m_frame.m_box);
        m_frame.m_bar.GetItemRect(2, &r);
        ASSERT_TRUE(m_frame.m_colors.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | CBS_OWNERDRAWFIXED,
                                            r, &m_frame.m_bar, ID_COLORS));
        m_frame.m_bar.PlaceControl(2, &m_frame.m_colors);
    }
    void TearDown() override { m_frame.DestroyWindow(); }
    CNotifyFrame m_frame;
};

TEST_F(ControlsTest, ComboListFindSelectAndEditField)
{
    CComboBox& box = m_frame.m_box;
    EXPECT_EQ(box.AddString("p1"), 0);
    EXPECT_EQ(box.AddString("line"), 1);
    EXPECT_EQ(box.InsertString(0, "first"), 0);
    EXPECT_EQ(box.InsertString(9, "bad"), CB_ERR);
    EXPECT_EQ(box.GetCount(), 3);
    EXPECT_EQ(box.FindStringExact(-1, "LINE"), 2);
    EXPECT_EQ(box.FindString(-1, "p"), 1);
    EXPECT_EQ(box.FindString(1, "p"), 1); // the search wraps around to the start
    EXPECT_EQ(box.FindStringExact(-1, "li"), CB_ERR);
    // Inserting selects nothing; selecting puts the item's text into the edit field.
    EXPECT_EQ(box.GetCurSel(), CB_ERR);
    EXPECT_EQ(box.SetCurSel(2), 2);
    CString text;
    box.GetWindowText(text);
    EXPECT_EQ(text, CString("line"));
    EXPECT_EQ(box.SetCurSel(7), CB_ERR);
    box.GetWindowText(text);
    EXPECT_EQ(text, CString(""));
    box.SetItemData(1, 0x1234);
    EXPECT_EQ(box.GetItemData(1), 0x1234u);
    EXPECT_EQ(box.DeleteString(0), 2);
    EXPECT_EQ(box.GetItemData(0), 0x1234u);
    // Typing in the edit field tells the parent (edit update, then edit change).
    m_frame.m_notes.clear();
    auto* combo = qobject_cast<QComboBox*>(box.GetQWidget());
    ASSERT_NE(combo->lineEdit(), nullptr);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(combo->lineEdit(), &key);
    EXPECT_EQ(m_frame.m_notes, (std::vector<std::string>{ "106:6", "106:5" }));
    box.GetWindowText(text);
    EXPECT_EQ(text, CString("x"));
    box.SetWindowText("abcdef");
    EXPECT_TRUE(box.SetEditSel(1, 3));
    EXPECT_EQ(box.GetEditSel(), static_cast<DWORD>(MAKELONG(1, 3)));
    box.ResetContent();
    EXPECT_EQ(box.GetCount(), 0);
}

TEST_F(ControlsTest, TitlesAndStaticTextsShowPathsWithSlashesEditFieldsKeepTheirText)
{
    const char* path = "\\home\\u\\ZelkData\\&Plan.zel";
    m_frame.SetWindowText(path);
    EXPECT_EQ(m_frame.GetQWidget()->windowTitle(), QString("/home/u/ZelkData/&Plan.zel"));
    CStatic label;
    ASSERT_TRUE(label.Create(path, WS_CHILD | WS_VISIBLE, CRect(0, 40, 200, 60), &m_frame));
    label.SetWindowText(path);
    auto* shown = qobject_cast<QLabel*>(label.GetQWidget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), QString("/home/u/ZelkData/Plan.zel"));
    // The program reads back what it gave; a field the user edits is not a shown path.
    CString back;
    m_frame.GetWindowText(back);
    EXPECT_EQ(back, CString(path));
    label.GetWindowText(back);
    EXPECT_EQ(back, CString(path));
    m_frame.m_box.SetWindowText(path);
    EXPECT_EQ(qobject_cast<QComboBox*>(m_frame.m_box.GetQWidget())->currentText(), QString("\\home\\u\\ZelkData\\&Plan.zel"));
    label.DestroyWindow();
}

TEST_F(ControlsTest, OwnerDrawnColorListSortsThroughCompareItem)
{
    CColorCombo& colors = m_frame.m_colors;
    const COLORREF list[] = { RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 255), RGB(0, 255, 0) };
    for (COLORREF c : list)
        colors.AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(c)));
    std::vector<COLORREF> order;
    for (int i = 0; i < colors.GetCount(); ++i)
        order.push_back(static_cast<COLORREF>(colors.GetItemData(i)));
    // Equal sums go red, green, blue; white first and black last.
    EXPECT_EQ(order, (std::vector<COLORREF>{ RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0) }));
    // Finding an item of a list without strings compares its data.
    EXPECT_EQ(colors.FindStringExact(-1, reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(RGB(0, 0, 255)))), 3);
    colors.SetCurSel(1);
    QImage shot = colors.GetQWidget()->grab().toImage();
    EXPECT_GT(colors.m_draws, 0);
    bool red = false;
    for (int y = 0; y < shot.height() && !red; ++y)
        for (int x = 0; x < shot.width() && !red; ++x)
            red = shot.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);
}

TEST_F(ControlsTest, ListBoxSortedSingleAndMultipleSelection)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_NOTIFY, CRect(0, 0, 100, 100), &m_frame, 300));
    list.AddString("beta");
    list.AddString("Alpha");
    list.AddString("gamma");
    CString s;
    list.GetText(0, s);
    EXPECT_EQ(s, CString("Alpha"));
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.SelectString(-1, "be"), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.FindStringExact(-1, "GAMMA"), 2);
    EXPECT_EQ(list.DeleteString(5), LB_ERR);
    CListBox multi;
    ASSERT_TRUE(multi.Create(WS_CHILD | LBS_MULTIPLESEL, CRect(0, 0, 100, 100), &m_frame, 301));
    for (const char* t : { "a", "b", "c" })
        multi.AddString(t);
    multi.SetSel(0);
    multi.SetSel(2);
    int items[3] = { -1, -1, -1 };
    EXPECT_EQ(multi.GetSelCount(), 2);
    EXPECT_EQ(multi.GetSelItems(3, items), 2);
    EXPECT_EQ(items[0], 0);
    EXPECT_EQ(items[1], 2);
    multi.SetSel(-1, FALSE);
    EXPECT_EQ(multi.GetSelCount(), 0);
}

TEST_F(ControlsTest, ToolTipShowsAfterItsDelayAndHidesOnPress)
{
    CWnd view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &m_frame, 400));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&view));
    tips.SetDelayTime(100);
    EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 100);
    EXPECT_EQ(tips.GetDelayTime(TTDT_AUTOPOP), 1000);
    CRect zone(10, 10, 50, 50);
    tips.AddTool(&view, "zoom in", &zone, 1);
    auto move = [&](int x, int y) {
        MSG m{};
        m.hwnd = view.m_hWnd;
        m.message = WM_MOUSEMOVE;
        m.lParam = MAKELONG(x, y);
        tips.RelayEvent(&m);
    };
    CScriptedServices& s = DefaultScriptedServices();
    move(20, 20);
    s.Advance(99);
    EXPECT_EQ(tips.GetShownTool(), nullptr);
    s.Advance(1);
    ASSERT_NE(tips.GetShownTool(), nullptr);
    EXPECT_EQ(tips.GetShownTool()->text, CString("zoom in"));
    tips.UpdateTipText("zoom out", &view, 1);
    EXPECT_EQ(tips.GetShownTool()->text, CString("zoom out"));
    MSG press{};
    press.hwnd = view.m_hWnd;
    press.message = WM_LBUTTONUP;
    tips.RelayEvent(&press);
    EXPECT_EQ(tips.GetShownTool(), nullptr);
    // Deactivated, nothing shows.
    tips.Activate(FALSE);
    move(21, 21);
    s.Advance(500);
    EXPECT_EQ(tips.GetShownTool(), nullptr);
    tips.Activate(TRUE);
    move(100, 100);
    s.Advance(500);
    EXPECT_EQ(tips.GetShownTool(), nullptr);
}

TEST_F(ControlsTest, CaptureSendsMovesToTheCapturingWindow)
{
    struct CTrack : public CWnd {
        std::vector<std::string> seen;
        void OnMouseMove(UINT, CPoint p) override { seen.push_back(std::to_string(p.x) + "," + std::to_string(p.y)); }
        BOOL OnSetCursor(CWnd*, UINT, UINT) override
        {
            ::SetCursor(LoadCursor(IDC_CROSS));
            return TRUE;
        }
    } a, b;
    ASSERT_TRUE(a.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_frame, 401));
    ASSERT_TRUE(b.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 0, 200, 100), &m_frame, 402));
    auto moveOver = [](CWnd& w, QPoint p) {
        QWidget* c = w.GetClientWidget();
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(c->mapToGlobal(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(c, &e);
    };
    moveOver(b, QPoint(5, 5));
    EXPECT_EQ(b.seen.size(), 1u);
    EXPECT_EQ(::GetCursor(), LoadCursor(IDC_CROSS));
    a.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &a);
    moveOver(b, QPoint(5, 5));
    ASSERT_EQ(a.seen.size(), 1u);
    EXPECT_EQ(a.seen[0], "105,5"); // in the capturing window's client coordinates
    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    moveOver(b, QPoint(6, 6));
    EXPECT_EQ(b.seen.size(), 2u);
    CPoint p(3, 4);
    b.ClientToScreen(&p);
    CPoint q(3, 4);
    a.ClientToScreen(&q);
    EXPECT_EQ(p.x - q.x, 100);
}

TEST_F(ControlsTest, ToolBarPictureChangesAtRunTime)
{
    CToolBar& bar = m_frame.m_bar;
    EXPECT_EQ(bar.GetItemID(0), 57600u);
    EXPECT_EQ(bar.GetItemID(1), ID_SEPARATOR);
    EXPECT_EQ(bar.CommandToIndex(57600), 0);
    EXPECT_EQ(bar.CommandToIndex(1), -1);
    bar.SetButtonImage(0, 9999, 2);
    EXPECT_EQ(bar.Buttons()[0].imageBitmap, 9999u);
    EXPECT_EQ(bar.Buttons()[0].image, 2);
    // The controls placed over separators stay on the bar.
    auto* qbar = qobject_cast<QToolBar*>(bar.GetQWidget());
    EXPECT_TRUE(qbar->isAncestorOf(m_frame.m_box.GetQWidget()));
    bar.ShowWindow(SW_HIDE);
    EXPECT_FALSE(bar.IsWindowVisible());
}

TEST_F(ControlsTest, WindowPlacementRoundTrip)
{
    WINDOWPLACEMENT wp{};
    ASSERT_TRUE(m_frame.GetWindowPlacement(&wp));
    EXPECT_EQ(wp.length, sizeof(WINDOWPLACEMENT));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    wp.rcNormalPosition = RECT{ 40, 50, 440, 350 };
    wp.showCmd = SW_SHOWNORMAL;
    ASSERT_TRUE(m_frame.SetWindowPlacement(&wp));
    WINDOWPLACEMENT back{};
    m_frame.GetWindowPlacement(&back);
    EXPECT_EQ(back.rcNormalPosition.right - back.rcNormalPosition.left, 400);
    EXPECT_EQ(back.rcNormalPosition.bottom - back.rcNormalPosition.top, 300);
    wp.showCmd = SW_SHOWMAXIMIZED;
    m_frame.SetWindowPlacement(&wp);
    EXPECT_TRUE(m_frame.IsZoomed());
    m_frame.GetWindowPlacement(&back);
    EXPECT_EQ(back.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    // The normal rectangle survives maximising.
    EXPECT_EQ(back.rcNormalPosition.right - back.rcNormalPosition.left, 400);
}

} // namespace

namespace {

struct CClickLog : public CWnd {
    std::vector<UINT> seen;
    void OnLButtonDown(UINT, CPoint) override { seen.push_back(WM_LBUTTONDOWN); }
    void OnLButtonUp(UINT, CPoint) override { seen.push_back(WM_LBUTTONUP); }
    void OnLButtonDblClk(UINT, CPoint) override { seen.push_back(WM_LBUTTONDBLCLK); }
};

void Click(CWnd& w, ulong time)
{
    QWidget* c = w.GetClientWidget();
    QPoint p(5, 5);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), QPointF(c->mapToGlobal(p)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    down.setTimestamp(time);
    QApplication::sendEvent(c, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), QPointF(c->mapToGlobal(p)), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    up.setTimestamp(time + 10);
    QApplication::sendEvent(c, &up);
}

TEST(WindowClass, DoubleClicksAndBackgroundComeFromTheClass)
{
    DefaultScriptedServices() = CScriptedServices();
    LPCTSTR plain = AfxRegisterWndClass(0, LoadCursor(IDC_ARROW), CreateSolidBrush(RGB(0, 0, 128)));
    LPCTSTR dbl = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursor(IDC_ARROW), CreateSolidBrush(RGB(255, 255, 255)));
    EXPECT_STRNE(plain, dbl);
    EXPECT_EQ(AfxRegisterWndClass(0, LoadCursor(IDC_ARROW), CreateSolidBrush(RGB(0, 0, 128))), plain);
    CClickLog a, b;
    ASSERT_TRUE(a.Create(plain, "a", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    ASSERT_TRUE(b.Create(dbl, "b", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    Click(a, 1000);
    Click(a, 1100);
    Click(b, 3000);
    Click(b, 3100);
    EXPECT_EQ(a.seen, (std::vector<UINT>{ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP }));
    EXPECT_EQ(b.seen, (std::vector<UINT>{ WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP }));
    // The erase before a paint uses the class brush.
    a.Invalidate(TRUE);
    a.UpdateWindow();
    EXPECT_EQ(a.m_pState->surface.pixelColor(10, 10), QColor(0, 0, 128));
}

TEST(DockedBars, FixedArrangementByRectangles)
{
    DefaultScriptedServices() = CScriptedServices();
    struct CStackFrame : public CFrameWnd {
        void PostNcDestroy() override {}
    } frame;
    ASSERT_TRUE(frame.Create(nullptr, "bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 900, 700), nullptr, 0));
    CToolBar a, b, c, right1, right2;
    static const UINT one[] = { 57600, 57601 };
    for (CToolBar* bar : { &a, &b, &c, &right1, &right2 }) {
        ASSERT_TRUE(bar->Create(&frame));
        bar->SetButtons(one, 2);
        bar->EnableDocking(CBRS_ALIGN_ANY);
    }
    frame.EnableDocking(CBRS_ALIGN_ANY);
    auto rectOf = [](CWnd& w) {
        CRect r;
        w.GetWindowRect(&r);
        return r;
    };
    // The sequence a program uses: a first row, a bar left of it, then a new row above.
    CRect r(16, 0, 32, 16);
    frame.DockControlBar(&a, AFX_IDW_DOCKBAR_TOP, &r);
    AfxPumpMessages();
    CRect ra = rectOf(a);
    ra.left = 0;
    ra.right = 16;
    frame.DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &ra);
    AfxPumpMessages();
    frame.DockControlBar(&c, AFX_IDW_DOCKBAR_TOP, &r);
    frame.DockControlBar(&right1, AFX_IDW_DOCKBAR_RIGHT);
    AfxPumpMessages();
    CRect r1 = rectOf(right1);
    r1.top = 16;
    frame.DockControlBar(&right2, AFX_IDW_DOCKBAR_RIGHT, &r1);
    AfxPumpMessages();
    frame.RecalcLayout();
    CRect ga = rectOf(a), gb = rectOf(b), gc = rectOf(c), g1 = rectOf(right1), g2 = rectOf(right2);
    EXPECT_LT(gc.top, ga.top);      // c's row is above
    EXPECT_EQ(ga.top, gb.top);      // a and b share a row
    EXPECT_LT(gb.left, ga.left);    // b is at the row's left end
    EXPECT_EQ(g1.left, g2.left);    // one column on the right
    EXPECT_LT(g2.top, g1.top);      // right2 above right1
    frame.ShowControlBar(&c, FALSE, FALSE);
    EXPECT_FALSE(c.IsWindowVisible());
    frame.DestroyWindow();
}

} // namespace
