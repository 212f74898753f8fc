// Frames on QMainWindow: menu bar from the frame's CMenu, accelerators, control bars, the
// active view and the command route; the MDI frame on QMdiArea and its child frames.
#include "platform/ui/FrameWnd.h"

#include "platform/ui/ControlBar.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/View.h"
#include "platform/core/Runtime.h"
#include "platform/ui/WinApp.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <climits>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace {

// Lays the frame's view over its whole client area.
class CFrameClient : public QWidget {
public:
    explicit CFrameClient(QWidget* parent) : QWidget(parent) {}

protected:
    void resizeEvent(QResizeEvent*) override { FitPanes(); }
    void childEvent(QChildEvent* e) override
    {
        QWidget::childEvent(e);
        if (e->added())
            QMetaObject::invokeMethod(this, [this]() { FitPanes(); }, Qt::QueuedConnection);
    }

public:
    void FitPanes()
    {
        for (QObject* o : children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow())
                continue;
            CWnd* wnd = UiWndFromWidget(w);
            if (wnd && wnd->GetQWidget() == w && dynamic_cast<CView*>(wnd))
                w->setGeometry(rect());
        }
    }
};

// A main window whose close button asks the frame (WM_CLOSE) instead of closing at once.
class CFrameWindow : public QMainWindow {
public:
    explicit CFrameWindow(CFrameWnd* frame, QWidget* parent) : QMainWindow(parent), m_frame(frame) {}

protected:
    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        if (UiIsLive(m_frame) && m_frame->m_hWnd)
            m_frame->SendMessage(WM_CLOSE, 0, 0);
    }

private:
    CFrameWnd* m_frame;
};

class CChildWindow : public QMdiSubWindow {
public:
    explicit CChildWindow(CMDIChildWnd* frame) : m_frame(frame) {}

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (m_closing || !UiIsLive(m_frame) || !m_frame->m_hWnd) {
            QMdiSubWindow::closeEvent(e);
            return;
        }
        e->ignore();
        m_frame->SendMessage(WM_CLOSE, 0, 0);
    }

public:
    bool m_closing = false;

private:
    CMDIChildWnd* m_frame;
};

// The text and shortcut of a menu item ("&Open...\tCtrl+O").
void SplitItemText(const CString& text, QString& label, QString& shortcut)
{
    label = ToQ(text);
    int tab = label.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        shortcut = label.mid(tab + 1);
        label = label.left(tab);
    }
}

// Choosing the item posts its command to the frame, as long as the frame lives.
void PostCommandOnTrigger(QAction* action, CFrameWnd* frame, UINT id)
{
    QObject::connect(action, &QAction::triggered, action, [frame, id]() {
        if (UiIsLive(frame) && frame->m_hWnd)
            frame->PostMessage(WM_COMMAND, id, 0);
    });
}

void FillQMenu(QMenu* qmenu, CMenu* menu, CFrameWnd* frame);

// A popup is filled now and again each time it opens: the update handlers decide the state of
// every item then.
void BindPopup(QMenu* qmenu, CMenu* menu, CFrameWnd* frame)
{
    QObject::connect(qmenu, &QMenu::aboutToShow, qmenu, [qmenu, menu, frame]() {
        if (!UiIsLive(frame))
            return;
        AfxUpdateMenuItems(menu, frame, frame->m_bAutoMenuEnable);
        FillQMenu(qmenu, menu, frame);
    });
    FillQMenu(qmenu, menu, frame);
}

// The window menu of an MDI frame is the popup that holds the window commands; the window
// system lists the open child windows below its items.
bool IsWindowMenu(CMenu* menu)
{
    for (UINT i = 0; i < menu->GetMenuItemCount(); ++i) {
        CMenu::Item* it = menu->FindItem(i, MF_BYPOSITION);
        if (!it->popup && !(it->flags & MF_SEPARATOR) && it->id >= ID_WINDOW_NEW && it->id <= ID_WINDOW_TILE_VERT)
            return true;
    }
    return false;
}

// "&1 title" for each shown child window in the order they were made, the active one checked;
// choosing one activates it, restored when it was minimised.
void AppendWindowList(QMenu* qmenu, CMDIFrameWnd* frame)
{
    std::vector<CMDIChildWnd*> shown;
    for (CMDIChildWnd* c : frame->GetChildFrames())
        if (c->m_pSubWindow && !c->m_pSubWindow->isHidden())
            shown.push_back(c);
    if (shown.empty())
        return;
    qmenu->addSeparator();
    CMDIChildWnd* active = frame->MDIGetActive();
    const size_t count = std::min<size_t>(shown.size(), 9);
    for (size_t i = 0; i < count; ++i) {
        CMDIChildWnd* child = shown[i];
        QString title = child->m_pSubWindow->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = qmenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        a->setCheckable(true);
        a->setChecked(child == active);
        QObject::connect(a, &QAction::triggered, a, [frame, child]() {
            if (!UiIsLive(frame) || !UiIsLive(child) || !child->m_pSubWindow)
                return;
            if (child->m_pSubWindow->isMinimized())
                child->m_pSubWindow->showNormal();
            frame->MDIActivate(child);
        });
    }
}

// Where the window system puts the n-th child window made without a place of its own, and each
// window of a cascade: a caption's step down and to the right for each window, back to the
// corner after as many steps as a third of the area's height holds, every window as large as
// the area less those steps.
QRect CascadePlace(QMdiArea* area, int n)
{
    QStyle* style = area->style();
    const int caption = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area);
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, area);
    const int spacing = std::max(1, caption + border - 1);
    const QSize size = area->viewport()->size();
    const int stagger = size.height() / (3 * spacing);
    const int offset = spacing * (n % (stagger + 1));
    return QRect(offset, offset, std::max(1, size.width() - stagger * spacing),
                 std::max(1, size.height() - stagger * spacing));
}

// The keys the window system gives an MDI area: Ctrl+F6 and Ctrl+Tab activate the next child
// window, with Shift the one before.
bool TranslateMDISysKeys(CMDIFrameWnd* frame, const MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)
        return false;
    const UINT vk = static_cast<UINT>(pMsg->wParam);
    if ((vk != VK_F6 && vk != VK_TAB) || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
        return false;
    auto* area = qobject_cast<QMdiArea*>(frame->m_pClientWidget);
    if (!area || !frame->MDIGetActive())
        return false;
    if (GetKeyState(VK_SHIFT) < 0)
        area->activatePreviousSubWindow();
    else
        area->activateNextSubWindow();
    return true;
}

void FillQMenu(QMenu* qmenu, CMenu* menu, CFrameWnd* frame)
{
    qmenu->clear();
    for (QMenu* old : qmenu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        old->deleteLater();
    for (UINT i = 0; i < menu->GetMenuItemCount(); ++i) {
        CMenu::Item* it = menu->FindItem(i, MF_BYPOSITION);
        if (it->flags & MF_SEPARATOR) {
            qmenu->addSeparator();
            continue;
        }
        QString label, shortcut;
        SplitItemText(it->text, label, shortcut);
        if (it->popup) {
            BindPopup(qmenu->addMenu(label), it->popup.get(), frame);
            continue;
        }
        QAction* a = qmenu->addAction(label);
        if (!shortcut.isEmpty())
            a->setText(label + QLatin1Char('\t') + shortcut);
        a->setEnabled(!(it->flags & (MF_GRAYED | MF_DISABLED)));
        if (it->flags & MF_CHECKED) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        PostCommandOnTrigger(a, frame, it->id);
    }
    if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(frame); mdi && IsWindowMenu(menu))
        AppendWindowList(qmenu, mdi);
}

// The frame's client area, where its views lie.
void SetFrameClient(CFrameWnd* frame, QWidget* client)
{
    frame->m_pClientWidget = client;
    if (!frame->m_pState) {
        frame->m_pState = new CWndState;
        frame->m_pState->wnd = frame;
    }
    frame->m_pState->client = client;
}

// A frame shows the icon of its resource id, as the frame loads it with its menu; without one,
// the toolkit's own would show.
void SetFrameIcon(QWidget* w, UINT nIDResource)
{
    const std::string path = CResources::Get().FindIcon(nIDResource);
    if (!w || path.empty())
        return;
    const QPixmap picture(QString::fromStdString(path));
    if (!picture.isNull())
        w->setWindowIcon(QIcon(picture));
}

// The first line of a resource string: a frame's title, a command's status text.
CString FirstLineOfString(UINT nID)
{
    CString text;
    AfxLoadString(nID, text);
    int nl = text.Find('\n');
    return nl >= 0 ? text.Left(nl) : text;
}

// Whether the update handlers leave a command enabled.
bool CommandEnabled(CFrameWnd* frame, UINT nID)
{
    struct Probe : CCmdUI {
        BOOL enabled = TRUE;
        void Enable(BOOL bOn) override
        {
            m_bEnableChanged = TRUE;
            enabled = bOn;
        }
    } probe;
    probe.m_nID = nID;
    probe.DoUpdate(frame, frame->m_bAutoMenuEnable);
    return probe.enabled;
}

// Takes a bar out of whatever row held it; a row left empty goes.
void TakeOutOfDockRows(std::map<UINT, std::vector<std::vector<CControlBar*>>>& dockRows, CControlBar* bar)
{
    for (auto& kv : dockRows) {
        for (auto& row : kv.second)
            row.erase(std::remove(row.begin(), row.end(), bar), row.end());
        kv.second.erase(std::remove_if(kv.second.begin(), kv.second.end(), [](const auto& r) { return r.empty(); }),
                        kv.second.end());
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CFrameWnd

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    m_bInDestructor = TRUE;
    if (m_hWnd)
        DestroyWindow();
}

QWidget* CFrameWnd::CreateNativeWidget(QWidget* parent)
{
    auto* w = new CFrameWindow(this, parent);
    auto* client = new CFrameClient(w);
    w->setCentralWidget(client);
    SetFrameClient(this, client);
    w->resize(800, 600);
    if (!parent)
        w->setProperty(kDefaultPlacement, true);
    return w;
}

QWidget* CFrameWnd::GetClientWidget() const
{
    return m_pState && m_pState->client ? m_pState->client.data() : CWnd::GetClientWidget();
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    m_strTitle = FirstLineOfString(nIDResource);
    if (m_menu.LoadMenu(nIDResource))
        m_hMenuDefault = m_menu.m_hMenu;
    if (CResources::Get().FindAccelerators(nIDResource))
        m_nAccelId = nIDResource;
    CRect rect(0, 0, 0, 0);
    if (!Create(nullptr, m_strTitle, dwDefaultStyle & ~WS_VISIBLE, rect, pParentWnd, AFX_IDW_PANE_FIRST, pContext))
        return FALSE;
    SetFrameIcon(GetQWidget(), nIDResource);
    RefreshMenuBar();
    OnUpdateFrameTitle(TRUE);
    return TRUE;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        if (r == -1)
            return -1;
        auto* cs = reinterpret_cast<LPCREATESTRUCT>(lParam);
        if (!OnCreateClient(cs, static_cast<CCreateContext*>(cs ? cs->lpCreateParams : nullptr)))
            return -1;
        return r;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        if (!CreateView(pContext, AFX_IDW_PANE_FIRST))
            return FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    auto* view = UiCreateObjectOf<CWnd>(static_cast<const CRuntimeClass*>(pContext->m_pNewViewClass));
    if (!view)
        return nullptr;
    CRect rect(0, 0, 0, 0);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, nID, pContext))
        return nullptr; // the view deleted itself when its window went away
    if (QWidget* c = GetClientWidget())
        if (QWidget* v = view->GetQWidget())
            v->setGeometry(c->rect());
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = GetActiveView();
    if (!view)
        if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST))
            view = dynamic_cast<CView*>(pane);
    if (view) {
        view->OnInitialUpdate();
        if (!GetActiveView())
            SetActiveView(view, FALSE);
    }
    if (bMakeVisible) {
        ActivateFrame();
        if (view)
            view->OnActivateView(TRUE, view, view);
    }
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    BringWindowToTop();
}

CView* CFrameWnd::GetActiveView() const
{
    return UiIsLive(m_pViewActive) ? m_pViewActive : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = GetActiveView();
    if (old == pViewNew)
        return;
    m_pViewActive = pViewNew;
    if (bNotify) {
        if (old && UiIsLive(old))
            old->OnActivateView(FALSE, pViewNew, old);
        if (pViewNew)
            pViewNew->OnActivateView(TRUE, pViewNew, old);
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* v = GetActiveView();
    return v ? v->GetDocument() : nullptr;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString title = m_strTitle;
    if (bAddToTitle && (m_style & FWS_ADDTOTITLE))
        if (CDocument* doc = GetActiveDocument())
            title = title.IsEmpty() ? doc->GetTitle() : doc->GetTitle() + " - " + title;
    CWnd::SetWindowText(title);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    if (m_pStatusBar && UiIsLive(m_pStatusBar))
        m_pStatusBar->SetPaneText(0, lpszText ? lpszText : "");
}

void CFrameWnd::SetMessageText(UINT nID)
{
    // A command string holds the status text before "\n" and the tool tip after it.
    SetMessageText(FirstLineOfString(nID));
}

CWnd* CFrameWnd::GetMessageBar()
{
    return m_pStatusBar;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_bars.begin(), m_bars.end(), pBar) == m_bars.end())
        m_bars.push_back(pBar);
    if (auto* sb = dynamic_cast<CStatusBar*>(pBar))
        m_pStatusBar = sb;
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
    TakeOutOfDockRows(m_dockRows, pBar);
    if (m_pStatusBar == pBar)
        m_pStatusBar = nullptr;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (CControlBar* b : m_bars)
        if (b->GetDlgCtrlID() == static_cast<int>(nID))
            return b;
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
}

namespace {

Qt::ToolBarArea AreaOfSide(UINT side)
{
    switch (side) {
    case AFX_IDW_DOCKBAR_LEFT: return Qt::LeftToolBarArea;
    case AFX_IDW_DOCKBAR_RIGHT: return Qt::RightToolBarArea;
    case AFX_IDW_DOCKBAR_BOTTOM: return Qt::BottomToolBarArea;
    default: return Qt::TopToolBarArea;
    }
}

UINT SideOfStyle(DWORD style)
{
    if (style & CBRS_ALIGN_TOP) return AFX_IDW_DOCKBAR_TOP;
    if (style & CBRS_ALIGN_LEFT) return AFX_IDW_DOCKBAR_LEFT;
    if (style & CBRS_ALIGN_RIGHT) return AFX_IDW_DOCKBAR_RIGHT;
    if (style & CBRS_ALIGN_BOTTOM) return AFX_IDW_DOCKBAR_BOTTOM;
    return AFX_IDW_DOCKBAR_TOP;
}

QRect GlobalRect(QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

} // namespace

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    auto* main = qobject_cast<QMainWindow*>(GetQWidget());
    auto* tb = pBar ? qobject_cast<QToolBar*>(pBar->GetQWidget()) : nullptr;
    if (!main || !tb)
        return;
    const UINT side = nDockBarID ? nDockBarID : SideOfStyle(pBar->GetBarStyle());
    const bool vertical = side == AFX_IDW_DOCKBAR_LEFT || side == AFX_IDW_DOCKBAR_RIGHT;
    RecalcLayout();
    TakeOutOfDockRows(m_dockRows, pBar);
    std::vector<std::vector<CControlBar*>>& rows = m_dockRows[side];
    if (!lpRect) {
        // Without a rectangle the bar takes a row of its own after the others.
        rows.push_back({ pBar });
    } else {
        // The rectangle's middle (screen coordinates) names the row and the place in it, as the
        // dock bars of the frame find it: above every row makes a new first row.
        const int midAcross = vertical ? (lpRect->left + lpRect->right) / 2 : (lpRect->top + lpRect->bottom) / 2;
        const int midAlong = vertical ? (lpRect->top + lpRect->bottom) / 2 : (lpRect->left + lpRect->right) / 2;
        size_t rowIndex = rows.size();
        bool inRow = false;
        for (size_t r = 0; r < rows.size(); ++r) {
            int lo = INT_MAX, hi = INT_MIN;
            for (CControlBar* b : rows[r]) {
                QWidget* w = b->GetQWidget();
                if (!w || !w->isVisible())
                    continue;
                QRect g = GlobalRect(w);
                lo = std::min(lo, vertical ? g.left() : g.top());
                hi = std::max(hi, vertical ? g.right() : g.bottom());
            }
            if (lo > hi)
                continue; // nothing shown in this row: it has no place on the screen
            if (midAcross < lo) {
                rowIndex = r;
                break;
            }
            if (midAcross <= hi) {
                rowIndex = r;
                inRow = true;
                break;
            }
        }
        if (!inRow) {
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(std::min(rowIndex, rows.size())), std::vector<CControlBar*>{ pBar });
        } else {
            std::vector<CControlBar*>& row = rows[rowIndex];
            size_t at = row.size();
            for (size_t i = 0; i < row.size(); ++i) {
                QWidget* w = row[i]->GetQWidget();
                if (!w || !w->isVisible())
                    continue;
                QRect g = GlobalRect(w);
                if ((vertical ? g.center().y() : g.center().x()) > midAlong) {
                    at = i;
                    break;
                }
            }
            row.insert(row.begin() + static_cast<std::ptrdiff_t>(at), pBar);
        }
    }
    // Lay the side out again: bars never docked keep a line of their own first, then the rows in
    // order, each row's bars in order.
    const Qt::ToolBarArea area = AreaOfSide(side);
    std::vector<QToolBar*> loose;
    for (QToolBar* w : main->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (main->toolBarArea(w) != area)
            continue;
        bool docked = false;
        for (const auto& row : rows)
            for (CControlBar* b : row)
                if (b->GetQWidget() == w)
                    docked = true;
        if (!docked)
            loose.push_back(w);
        main->removeToolBarBreak(w);
        main->removeToolBar(w);
    }
    for (QToolBar* w : loose) {
        main->addToolBar(area, w);
        w->setVisible(true);
        if (CWnd* b = UiWndFromWidget(w))
            w->setVisible((b->GetStyle() & WS_VISIBLE) != 0);
    }
    bool first = loose.empty();
    for (const auto& row : rows) {
        if (!first)
            main->addToolBarBreak(area);
        first = false;
        for (CControlBar* b : row)
            if (auto* w = qobject_cast<QToolBar*>(b->GetQWidget())) {
                main->addToolBar(area, w);
                w->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
                w->setVisible((b->GetStyle() & WS_VISIBLE) != 0);
            }
    }
    pBar->m_nDockSide = side;
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (!pBar)
        return;
    pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD)
{
    auto* tb = pBar ? qobject_cast<QToolBar*>(pBar->GetQWidget()) : nullptr;
    if (!tb)
        return;
    tb->setWindowFlags(Qt::Tool);
    tb->move(point.x, point.y);
    tb->show();
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (auto* main = qobject_cast<QMainWindow*>(GetQWidget()))
        if (main->layout())
            main->layout()->activate();
    if (auto* client = dynamic_cast<CFrameClient*>(m_pClientWidget))
        client->FitPanes();
}

void CFrameWnd::UpdateControlBars()
{
    for (CControlBar* b : std::vector<CControlBar*>(m_bars))
        if (UiIsLive(b) && b->m_hWnd)
            b->OnUpdateCmdUI(this, m_bAutoMenuEnable);
}

CMenu* CFrameWnd::GetMenu() const
{
    // An MDI frame shows the menu of its active child's document kind while one is active.
    if (auto* mdi = dynamic_cast<const CMDIFrameWnd*>(this))
        if (CMDIChildWnd* child = mdi->MDIGetActive(); child && child->m_menu.m_hMenu)
            return &child->m_menu;
    return m_menu.m_hMenu ? const_cast<CMenu*>(&m_menu) : nullptr;
}

void CFrameWnd::SetMenu(CMenu* pMenu)
{
    if (!pMenu) {
        m_menu.DestroyMenu();
    } else if (pMenu != &m_menu) {
        m_menu.CreateMenu();
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i) {
            CMenu::Item* it = pMenu->FindItem(i, MF_BYPOSITION);
            if (it->popup) {
                auto* copy = new CMenu;
                copy->CreatePopupMenu();
                for (UINT j = 0; j < it->popup->GetMenuItemCount(); ++j) {
                    CMenu::Item* sub = it->popup->FindItem(j, MF_BYPOSITION);
                    copy->AppendMenu(sub->flags & ~MF_POPUP, sub->id, sub->text);
                }
                m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(copy->m_hMenu), it->text);
            } else {
                m_menu.AppendMenu(it->flags, it->id, it->text);
            }
        }
    }
    RefreshMenuBar();
}

void CFrameWnd::RefreshMenuBar()
{
    auto* main = qobject_cast<QMainWindow*>(GetQWidget());
    if (!main || dynamic_cast<CMDIChildWnd*>(this))
        return;
    QMenuBar* bar = main->menuBar();
    bar->clear();
    // The popups of the menu shown before go with it.
    for (QMenu* old : bar->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        old->deleteLater();
    CMenu* menu = GetMenu();
    m_pMenuShown = menu;
    m_menuRevisionShown = menu ? menu->Revision() : 0;
    if (!menu)
        return;
    for (UINT i = 0; i < menu->GetMenuItemCount(); ++i) {
        CMenu::Item* it = menu->FindItem(i, MF_BYPOSITION);
        QString label, shortcut;
        SplitItemText(it->text, label, shortcut);
        if (it->popup)
            BindPopup(bar->addMenu(label), it->popup.get(), this);
        else
            PostCommandOnTrigger(bar->addAction(label), this, it->id);
    }
}

void CFrameWnd::DrawMenuBar()
{
    RefreshMenuBar();
}

void CFrameWnd::OnDropFiles(void* hDropInfo)
{
    SetActiveWindow();
    const UINT count = DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    CWinApp* app = AfxGetApp();
    for (UINT i = 0; app && i < count; ++i) {
        char name[_MAX_PATH];
        DragQueryFile(hDropInfo, i, name, _MAX_PATH);
        app->OpenDocumentFile(name);
    }
    DragFinish(hDropInfo);
}

void CFrameWnd::UpdateFrameMenu()
{
    CMenu* menu = GetMenu();
    if (menu != m_pMenuShown || (menu && menu->Revision() != m_menuRevisionShown))
        RefreshMenuBar();
}

BOOL CFrameWnd::TranslateAccelerator(MSG* pMsg)
{
    return TranslateAccelerator(pMsg, m_nAccelId);
}

BOOL CFrameWnd::TranslateAccelerator(MSG* pMsg, UINT nAccelId)
{
    if (!nAccelId || (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    const std::vector<CResAccel>* table = CResources::Get().FindAccelerators(nAccelId);
    if (!table)
        return FALSE;
    const UINT vk = static_cast<UINT>(pMsg->wParam);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    for (const CResAccel& a : *table) {
        if (!(a.fVirt & FVIRTKEY))
            continue; // character accelerators match WM_CHAR, which we do not translate
        if (a.key != vk || ((a.fVirt & FCONTROL) != 0) != ctrl || ((a.fVirt & FSHIFT) != 0) != shift
            || ((a.fVirt & FALT) != 0) != alt)
            continue;
        // A command whose menu item is disabled is not sent, as the accelerator's translation checks.
        if (!CommandEnabled(this, a.cmd))
            return TRUE;
        SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(a.cmd), 1), 0);
        return TRUE;
    }
    return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // The accelerators of the top-level frame act, whichever window has the keyboard; in
        // an MDI frame those of the active child's document kind come first.
        CFrameWnd* top = GetTopLevelFrame();
        if (top == this || !top) {
            if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(this))
                if (CMDIChildWnd* child = mdi->MDIGetActive(); child && child->m_nAccelId)
                    if (TranslateAccelerator(pMsg, child->m_nAccelId))
                        return TRUE;
            if (TranslateAccelerator(pMsg))
                return TRUE;
            // The MDI area's own keys come after the accelerators, as the window system's.
            if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(this))
                return TranslateMDISysKeys(mdi, pMsg) ? TRUE : FALSE;
            return FALSE;
        }
    }
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The active view (and through it the document), then the frame, then the application.
    CView* view = GetActiveView();
    if (view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (!GetParentFrame()) {
        // Only the outermost frame passes commands to the application.
        if (CWinApp* app = AfxGetApp())
            if (app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                return TRUE;
    }
    return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A command from a menu, button or accelerator is refused when its update handler disables it.
    if (lParam == 0 && !CommandEnabled(this, LOWORD(static_cast<DWORD>(wParam))))
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        if (!UiIsLive(this))
            return;
        DestroyWindow();
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    if (doc) {
        // The last frame of a document closes the document, which destroys the frame.
        int frames = 0;
        for (CView* v : doc->m_viewList)
            if (v->GetParentFrame() && v->GetParentFrame() != this)
                ++frames;
        if (frames == 0) {
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    for (CControlBar* b : m_bars)
        b->m_pDockSite = nullptr;
    m_bars.clear();
    m_pStatusBar = nullptr;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    if (!m_bInDestructor)
        delete this;
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (CView* v = GetActiveView())
        v->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// ---------------------------------------------------------------------------------------------
// MDI client, frame and child

void CMDIClientWnd::Bind(QWidget* area, CWnd* frame)
{
    Attach(area, frame, 0xE900 /* AFX_IDW_PANE_FIRST of the client */);
    m_pState->ownsWidget = false;
}

LRESULT CMDIClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* area = qobject_cast<QMdiArea*>(GetQWidget());
    auto* frame = dynamic_cast<CMDIFrameWnd*>(m_pParent);
    switch (message) {
    case WM_MDITILE:
        if (area) {
            // Vertical tiling puts the windows side by side, horizontal one above the other; the
            // MDI area's own tiling fills a grid, which is what one or two windows look like.
            // Minimised windows stay icons, as the area's own tiling leaves them.
            QList<QMdiSubWindow*> wins;
            for (QMdiSubWindow* w : area->subWindowList())
                if (!w->isMinimized())
                    wins.append(w);
            if (wins.size() <= 1 || wins.size() > 3) {
                area->tileSubWindows();
            } else {
                QSize s = area->viewport()->size();
                int n = static_cast<int>(wins.size());
                for (int i = 0; i < n; ++i) {
                    QMdiSubWindow* w = wins[i];
                    if (w->isMaximized())
                        w->showNormal();
                    if (wParam & MDITILE_HORIZONTAL)
                        w->setGeometry(0, i * s.height() / n, s.width(), s.height() / n);
                    else
                        w->setGeometry(i * s.width() / n, 0, s.width() / n, s.height());
                }
            }
        }
        return TRUE;
    case WM_MDICASCADE:
        if (area) {
            // The window system's cascade: bottom window first, so that the active one, on
            // top, ends lowest and rightmost; minimised windows stay icons. The area's own
            // cascade sizes each window to its content's hint, which a view does not give.
            int n = 0;
            for (QMdiSubWindow* w : area->subWindowList(QMdiArea::StackingOrder)) {
                if (w->isMinimized() || w->isHidden())
                    continue;
                if (w->isMaximized())
                    w->showNormal();
                w->setGeometry(CascadePlace(area, n++));
            }
            if (QMdiSubWindow* active = area->activeSubWindow())
                active->raise();
        }
        return TRUE;
    case WM_MDIACTIVATE:
        if (frame) {
            CWnd* child = FromHandle(reinterpret_cast<HWND>(wParam));
            frame->MDIActivate(child);
        }
        return 0;
    case WM_MDIGETACTIVE:
        if (frame) {
            CMDIChildWnd* c = frame->MDIGetActive();
            return reinterpret_cast<LRESULT>(c ? c->m_hWnd : nullptr);
        }
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTile)
    ON_COMMAND(ID_WINDOW_TILE_VERT, OnWindowTileVert)
    ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
    ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowArrange)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

CMDIFrameWnd::~CMDIFrameWnd()
{
    m_bInDestructor = TRUE;
    if (m_hWnd)
        DestroyWindow();
}

QWidget* CMDIFrameWnd::CreateNativeWidget(QWidget* parent)
{
    auto* w = new CFrameWindow(this, parent);
    auto* area = new QMdiArea(w);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    w->setCentralWidget(area);
    SetFrameClient(this, area);
    w->resize(800, 600);
    if (!parent)
        w->setProperty(kDefaultPlacement, true);
    CMDIFrameWnd* self = this;
    QObject::connect(area, &QMdiArea::subWindowActivated, area, [self](QMdiSubWindow* sub) {
        if (!UiIsLive(self) || !sub)
            return;
        for (CMDIChildWnd* c : self->GetChildFrames())
            if (c->m_pSubWindow == sub) {
                self->NoteActiveChild(c);
                return;
            }
    });
    return w;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    auto* area = qobject_cast<QMdiArea*>(m_pClientWidget);
    if (!area)
        return FALSE;
    m_wndMDIClient.Bind(area, this);
    // The area's own events are not the frame's: messages to the client go to the client window.
    UiUnregisterWidget(area);
    UiRegisterWidget(area, &m_wndMDIClient);
    UiRegisterWidget(area->viewport(), &m_wndMDIClient);
    m_hWndMDIClient = m_wndMDIClient.m_hWnd;
    return TRUE;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetChildFrames() const
{
    std::vector<CMDIChildWnd*> out;
    auto* area = qobject_cast<QMdiArea*>(m_pClientWidget);
    if (!area)
        return out;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder))
        if (auto* c = dynamic_cast<CMDIChildWnd*>(UiWndFromWidget(sub->widget())))
            if (UiIsLive(c) && c->m_hWnd)
                out.push_back(c);
    return out;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    CMDIChildWnd* c = UiIsLive(m_pActiveChild) && m_pActiveChild->m_hWnd ? m_pActiveChild : nullptr;
    if (pbMaximized)
        *pbMaximized = c && c->m_pSubWindow && c->m_pSubWindow->isMaximized();
    return c;
}

void CMDIFrameWnd::NoteActiveChild(CMDIChildWnd* pChild)
{
    CMDIChildWnd* old = MDIGetActive();
    if (old == pChild)
        return;
    m_pActiveChild = pChild;
    UpdateFrameMenu();
    // The views learn of the change as WM_MDIACTIVATE tells the frames.
    if (old) {
        if (CView* v = old->GetActiveView())
            v->OnActivateView(FALSE, pChild ? pChild->GetActiveView() : nullptr, v);
    }
    if (pChild) {
        if (CView* v = pChild->GetActiveView())
            v->OnActivateView(TRUE, v, old ? old->GetActiveView() : nullptr);
    }
    OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    auto* child = dynamic_cast<CMDIChildWnd*>(pWndActivate);
    auto* area = qobject_cast<QMdiArea*>(m_pClientWidget);
    if (!child || !area || !child->m_pSubWindow)
        return;
    area->setActiveSubWindow(static_cast<QMdiSubWindow*>(child->m_pSubWindow));
    NoteActiveChild(child);
    // The window activated takes the keys, as the window system gives them to it.
    if (CView* v = child->GetActiveView(); v && UiIsLive(v))
        v->SetFocus();
}

void CMDIFrameWnd::MDITile()
{
    m_wndMDIClient.SendMessage(WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    m_wndMDIClient.SendMessage(WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDICascade()
{
    m_wndMDIClient.SendMessage(WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDINext()
{
    if (auto* area = qobject_cast<QMdiArea*>(m_pClientWidget))
        area->activateNextSubWindow();
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* c = MDIGetActive();
    return c ? static_cast<CFrameWnd*>(c) : this;
}

CView* CMDIFrameWnd::GetActiveView() const
{
    // The MDI frame's active view is the active child's.
    CMDIChildWnd* c = MDIGetActive();
    return c ? c->GetActiveView() : nullptr;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The active child frame first (view, document, child frame), then this frame, then the app.
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWinApp* app = AfxGetApp())
        if (app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    return FALSE;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString title = m_strTitle;
    // A maximised child's title stands in brackets after the program's, as the window system
    // shows it; the MDI area's own would add it to a title that already holds it.
    BOOL maximized = FALSE;
    if (bAddToTitle && (m_style & FWS_ADDTOTITLE))
        if (CMDIChildWnd* c = MDIGetActive(&maximized))
            if (CDocument* doc = c->GetActiveDocument())
                title += maximized ? " - [" + doc->GetTitle() + "]" : " - " + doc->GetTitle();
    CWnd::SetWindowText(title);
}

void CMDIFrameWnd::OnWindowTile() { MDITile(MDITILE_HORIZONTAL); }
void CMDIFrameWnd::OnWindowTileVert() { MDITile(MDITILE_VERTICAL); }
void CMDIFrameWnd::OnWindowCascade() { MDICascade(); }
void CMDIFrameWnd::OnWindowArrange() { MDICascade(); }
void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd()
{
    m_bInDestructor = TRUE;
    if (m_hWnd)
        DestroyWindow();
}

QWidget* CMDIChildWnd::CreateNativeWidget(QWidget*)
{
    auto* sub = new CChildWindow(this);
    auto* client = new CFrameClient(nullptr);
    sub->setWidget(client);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    CMDIChildWnd* self = this;
    // After the MDI area has set its own title for the new state.
    QObject::connect(
        sub, &QMdiSubWindow::windowStateChanged, sub,
        [self](Qt::WindowStates, Qt::WindowStates) {
            if (UiIsLive(self) && UiIsLive(self->m_pMDIFrame))
                self->m_pMDIFrame->OnUpdateFrameTitle(TRUE);
        },
        Qt::QueuedConnection);
    m_pSubWindow = sub;
    SetFrameClient(this, client);
    if (m_pMDIFrame)
        if (auto* area = qobject_cast<QMdiArea*>(m_pMDIFrame->m_pClientWidget)) {
            // A window made without a place of its own takes the next place of a cascade,
            // counted by the windows already there.
            const int before = static_cast<int>(area->subWindowList().size());
            area->addSubWindow(sub);
            sub->setGeometry(CascadePlace(area, before));
        }
    return client;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd)
        return FALSE;
    m_pMDIFrame = pParentWnd;
    if (!CWnd::Create(lpszClassName, lpszWindowName, (dwStyle | WS_CHILD) & ~WS_VISIBLE, rect, pParentWnd,
                      0, pContext))
        return FALSE;
    // The child window's widget is the sub-window's content; the frame itself is the sub-window.
    if (m_pSubWindow)
        UiRegisterWidget(m_pSubWindow, this);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    m_strTitle = FirstLineOfString(nIDResource);
    m_menu.LoadMenu(nIDResource);
    if (CResources::Get().FindAccelerators(nIDResource))
        m_nAccelId = nIDResource;
    CRect rect(0, 0, 0, 0);
    if (!Create(nullptr, m_strTitle, dwDefaultStyle, rect, dynamic_cast<CMDIFrameWnd*>(pParentWnd), pContext))
        return FALSE;
    SetFrameIcon(m_pSubWindow, nIDResource);
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    // A window shown while the active one is maximised comes up maximised as well.
    BOOL maximized = FALSE;
    if (nCmdShow == -1 && m_pMDIFrame && UiIsLive(m_pMDIFrame) && m_pMDIFrame->MDIGetActive(&maximized) != this
        && maximized)
        nCmdShow = SW_SHOWMAXIMIZED;
    if (m_pSubWindow) {
        auto* sub = static_cast<QMdiSubWindow*>(m_pSubWindow);
        if (nCmdShow == SW_SHOWMAXIMIZED)
            sub->showMaximized();
        else if (nCmdShow == SW_HIDE)
            sub->hide();
        else
            sub->show();
    }
    if (nCmdShow != SW_HIDE)
        MDIActivate();
}

void CMDIChildWnd::MDIActivate()
{
    if (m_pMDIFrame)
        m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_pSubWindow)
        m_pSubWindow->showMaximized();
}

void CMDIChildWnd::MDIRestore()
{
    if (m_pSubWindow)
        m_pSubWindow->showNormal();
}

void CMDIChildWnd::GetWindowRect(LPRECT lpRect) const
{
    QWidget* w = m_pSubWindow ? m_pSubWindow : GetQWidget();
    QRect g(w->mapToGlobal(QPoint(0, 0)), w->size());
    *lpRect = RECT{ g.left(), g.top(), g.left() + g.width(), g.top() + g.height() };
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString title = m_strTitle;
    if (bAddToTitle)
        if (CDocument* doc = GetActiveDocument())
            title = doc->GetTitle();
    if (m_pSubWindow)
        m_pSubWindow->setWindowTitle(ScreenTextToQ(title));
    if (m_pMDIFrame && UiIsLive(m_pMDIFrame))
        m_pMDIFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* frame = m_pMDIFrame;
    bool wasActive = frame && UiIsLive(frame) && frame->m_pActiveChild == this;
    CFrameWnd::OnDestroy();
    if (m_pSubWindow) {
        auto* sub = static_cast<CChildWindow*>(m_pSubWindow);
        UiUnregisterWidget(sub);
        sub->m_closing = true;
        sub->hide();
        if (frame && UiIsLive(frame))
            if (auto* area = qobject_cast<QMdiArea*>(frame->m_pClientWidget))
                area->removeSubWindow(sub);
        sub->deleteLater();
        m_pSubWindow = nullptr;
    }
    if (wasActive) {
        frame->m_pActiveChild = nullptr;
        std::vector<CMDIChildWnd*> rest = frame->GetChildFrames();
        rest.erase(std::remove(rest.begin(), rest.end(), this), rest.end());
        if (!rest.empty()) {
            frame->MDIActivate(rest.back());
        } else {
            frame->UpdateFrameMenu();
            frame->OnUpdateFrameTitle(TRUE);
        }
    }
}
