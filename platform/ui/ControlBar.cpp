// Tool bars on QToolBar and the status bar on QStatusBar.
#include "platform/ui/ControlBar.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <map>

namespace {

// A bitmap resource, with the button-face gray of tool-bar pictures made transparent.
QImage LoadBarBitmap(UINT id)
{
    QImage img = UiLoadBitmap(id);
    if (!img.isNull()) {
        img = img.convertToFormat(QImage::Format_ARGB32);
        const QRgb face = qRgb(192, 192, 192);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] & 0xFFFFFF) == (face & 0xFFFFFF))
                    line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return img;
}

class CBarWidget : public QToolBar {
public:
    explicit CBarWidget(QWidget* parent) : QToolBar(parent)
    {
        setMovable(false);
        setFloatable(false);
    }
};

// Enables and checks tool-bar buttons as update handlers ask.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* bar = static_cast<CToolBar*>(m_pOther);
        UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex));
        bar->SetButtonStyle(static_cast<int>(m_nIndex), bOn ? (style & ~0x00040000u) : (style | 0x00040000u));
    }
    void SetCheck(int nCheck) override
    {
        auto* bar = static_cast<CToolBar*>(m_pOther);
        UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(0x00010000u | 0x01000000u);
        if (nCheck == 1)
            style |= 0x00010000u; // TBBS_CHECKED
        else if (nCheck == 2)
            style |= 0x01000000u; // TBBS_INDETERMINATE
        bar->SetButtonStyle(static_cast<int>(m_nIndex), style | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};

class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        SetPaneStyleBit(SBPS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override { SetPaneStyleBit(SBPS_POPOUT, nCheck != 0); }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText);
    }

private:
    // The pane keeps its id and width; only the one style bit changes.
    void SetPaneStyleBit(UINT bit, bool on)
    {
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        UINT id, style;
        int width;
        bar->GetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
        bar->SetPaneInfo(static_cast<int>(m_nIndex), id, on ? (style | bit) : (style & ~bit), width);
    }
};

constexpr UINT TBBS_CHECKED = 0x00010000;
constexpr UINT TBBS_DISABLED = 0x00040000;

} // namespace

// ---------------------------------------------------------------------------------------------

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_pDockSite && UiIsLive(m_pDockSite))
        m_pDockSite->RemoveControlBar(this);
}

void CControlBar::AttachToFrame(CWnd* pParentWnd)
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(pParentWnd)) {
        m_pDockSite = frame;
        frame->AddControlBar(this);
    }
}

void CControlBar::OnDestroy()
{
    if (m_pDockSite && UiIsLive(m_pDockSite))
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
        LRESULT result = 0;
        if (control && UiIsLive(control) && control->OnChildNotify(message, wParam, lParam, &result))
            return result;
        CWnd* owner = GetOwner();
        if (owner && UiIsLive(owner) && owner != this)
            return owner->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------

CToolBar::CToolBar() = default;
CToolBar::~CToolBar() = default;

QWidget* CToolBar::CreateNativeWidget(QWidget*)
{
    auto* bar = new CBarWidget(nullptr);
    bar->setIconSize(QSize(m_sizeImage.cx, m_sizeImage.cy));
    return bar;
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwBarStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(nullptr, nullptr, (dwStyle & ~WS_VISIBLE) | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    AttachToFrame(pParentWnd);
    if (auto* main = pParentWnd ? qobject_cast<QMainWindow*>(pParentWnd->GetQWidget()) : nullptr) {
        Qt::ToolBarArea area = (dwStyle & CBRS_ALIGN_BOTTOM) ? Qt::BottomToolBarArea
                             : (dwStyle & CBRS_ALIGN_LEFT) ? Qt::LeftToolBarArea
                             : (dwStyle & CBRS_ALIGN_RIGHT) ? Qt::RightToolBarArea
                                                            : Qt::TopToolBarArea;
        main->addToolBar(area, static_cast<QToolBar*>(GetQWidget()));
    }
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    else
        GetQWidget()->hide();
    return TRUE;
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, RECT, UINT nID)
{
    return Create(pParentWnd, dwStyle, nID);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    m_nBitmap = nIDResource;
    Rebuild();
    return !LoadBarBitmap(nIDResource).isNull();
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    m_buttons.clear();
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        Button b;
        if (!lpIDArray) {
            b.style = TBBS_SEPARATOR;
        } else if (lpIDArray[i] == ID_SEPARATOR) {
            b.style = TBBS_SEPARATOR;
            b.width = 6;
        } else {
            b.id = lpIDArray[i];
            b.image = image++;
        }
        m_buttons.push_back(b);
    }
    Rebuild();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (auto* bar = qobject_cast<QToolBar*>(GetQWidget()))
        bar->setIconSize(QSize(sizeImage.cx, sizeImage.cy));
    Rebuild();
}

UINT CToolBar::GetItemID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    const Button& b = m_buttons[static_cast<size_t>(nIndex)];
    return (b.style & TBBS_SEPARATOR) ? ID_SEPARATOR : b.id;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_buttons[static_cast<size_t>(i)].id == nIDFind)
            return i;
    return -1;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    const Button& b = m_buttons.at(static_cast<size_t>(nIndex));
    nID = b.id;
    nStyle = b.style;
    iImage = (b.style & TBBS_SEPARATOR) ? b.width : b.image;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Button& b = m_buttons[static_cast<size_t>(nIndex)];
    b.id = nID;
    b.style = nStyle;
    if (nStyle & TBBS_SEPARATOR)
        b.width = iImage;
    else
        b.image = iImage;
    b.imageBitmap = 0;
    Rebuild();
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    return m_buttons[static_cast<size_t>(nIndex)].style;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Button& b = m_buttons[static_cast<size_t>(nIndex)];
    if (b.style == nStyle)
        return;
    b.style = nStyle;
    auto* bar = qobject_cast<QToolBar*>(GetQWidget());
    if (!bar)
        return;
    QList<QAction*> actions = bar->actions();
    if (nIndex < actions.size()) {
        QAction* a = actions[nIndex];
        a->setEnabled(!(nStyle & TBBS_DISABLED));
        a->setCheckable((nStyle & TBBS_CHECKBOX) != 0);
        a->setChecked((nStyle & TBBS_CHECKED) != 0);
    }
}

BOOL CToolBar::SetButtonImage(int nIndex, UINT nIDBitmap, int iImageInBitmap)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Button& b = m_buttons[static_cast<size_t>(nIndex)];
    b.imageBitmap = nIDBitmap;
    b.image = iImageInBitmap;
    Rebuild();
    return !LoadBarBitmap(nIDBitmap).isNull();
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    auto* bar = qobject_cast<QToolBar*>(GetQWidget());
    *lpRect = RECT{ 0, 0, 0, 0 };
    if (!bar || nIndex < 0 || nIndex >= GetCount())
        return;
    QList<QAction*> actions = bar->actions();
    if (nIndex >= actions.size())
        return;
    QRect g = bar->actionGeometry(actions[nIndex]);
    if (g.isEmpty()) {
        // Not laid out yet: the position the fixed button sizes give.
        int x = 0;
        for (int i = 0; i < nIndex; ++i) {
            const Button& b = m_buttons[static_cast<size_t>(i)];
            x += (b.style & TBBS_SEPARATOR) ? b.width : m_sizeButton.cx;
        }
        const Button& b = m_buttons[static_cast<size_t>(nIndex)];
        g = QRect(x, 0, (b.style & TBBS_SEPARATOR) ? b.width : m_sizeButton.cx, m_sizeButton.cy);
    }
    *lpRect = RECT{ g.left(), g.top(), g.left() + g.width(), g.top() + g.height() };
}

void CToolBar::PlaceControl(int nIndex, CWnd* pControl)
{
    if (nIndex < 0 || nIndex >= GetCount() || !pControl)
        return;
    m_buttons[static_cast<size_t>(nIndex)].control = pControl;
    Rebuild();
}

void CToolBar::Rebuild()
{
    auto* bar = qobject_cast<QToolBar*>(GetQWidget());
    if (!bar)
        return;
    // Controls placed over separators survive the rebuild.
    for (Button& b : m_buttons)
        if (b.control && UiIsLive(b.control) && b.control->GetQWidget())
            b.control->GetQWidget()->setParent(bar);
    bar->clear();
    QImage strip = LoadBarBitmap(m_nBitmap);
    CToolBar* self = this;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        Button& b = m_buttons[i];
        if (b.style & TBBS_SEPARATOR) {
            if (b.control && UiIsLive(b.control) && b.control->GetQWidget()) {
                QWidget* w = b.control->GetQWidget();
                w->setMinimumWidth(b.width);
                w->setMaximumWidth(b.width);
                bar->addWidget(w)->setVisible(true);
                w->show();
            } else {
                auto* space = new QWidget;
                space->setFixedSize(std::max(1, b.width), m_sizeButton.cy);
                bar->addWidget(space);
            }
            continue;
        }
        QImage source = b.imageBitmap ? LoadBarBitmap(b.imageBitmap) : strip;
        QIcon icon;
        if (!source.isNull()) {
            QImage pic = source.copy(b.image * m_sizeImage.cx, 0, m_sizeImage.cx, std::min<int>(m_sizeImage.cy, source.height()));
            icon = QIcon(QPixmap::fromImage(pic));
        }
        CString tip;
        AfxLoadString(b.id, tip);
        int nl = tip.Find('\n');
        QAction* a = bar->addAction(icon, ToQ(nl >= 0 ? tip.Mid(nl + 1) : CString()));
        if (nl >= 0)
            a->setStatusTip(ToQ(tip.Left(nl)));
        a->setEnabled(!(b.style & TBBS_DISABLED));
        a->setCheckable((b.style & TBBS_CHECKBOX) != 0);
        a->setChecked((b.style & TBBS_CHECKED) != 0);
        UINT id = b.id;
        a->setData(id);
        QObject::connect(a, &QAction::triggered, a, [self, id]() {
            if (!UiIsLive(self))
                return;
            // A button's command goes to the frame, as the bar's owner receives it.
            CWnd* owner = self->GetOwner();
            if (owner && UiIsLive(owner))
                owner->PostMessage(WM_COMMAND, id, 0);
        });
    }
}


void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI ui;
    ui.m_pOther = this;
    ui.m_nIndexMax = static_cast<UINT>(m_buttons.size());
    for (UINT i = 0; i < ui.m_nIndexMax; ++i) {
        const Button& b = m_buttons[i];
        if (b.style & TBBS_SEPARATOR)
            continue;
        ui.m_nIndex = i;
        ui.m_nID = b.id;
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    // Controls placed on the bar update themselves too.
    for (const Button& b : m_buttons)
        if (b.control && UiIsLive(b.control))
            b.control->OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

// ---------------------------------------------------------------------------------------------

CStatusBar::CStatusBar() = default;
CStatusBar::~CStatusBar() = default;

QWidget* CStatusBar::CreateNativeWidget(QWidget*)
{
    return new QStatusBar(nullptr);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwBarStyle = dwStyle & (CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY);
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(nullptr, nullptr, (dwStyle & ~WS_VISIBLE) | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    AttachToFrame(pParentWnd);
    if (auto* main = pParentWnd ? qobject_cast<QMainWindow*>(pParentWnd->GetQWidget()) : nullptr)
        main->setStatusBar(static_cast<QStatusBar*>(GetQWidget()));
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i) {
        Pane p;
        p.id = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
        if (p.id != ID_SEPARATOR && !AfxLoadString(p.id, p.text)) {
            // The lock-key indicators read as the framework's own texts when no resource names them.
            if (p.id == ID_INDICATOR_CAPS)
                p.text = "CAP";
            else if (p.id == ID_INDICATOR_NUM)
                p.text = "NUM";
            else if (p.id == ID_INDICATOR_SCRL)
                p.text = "SCRL";
            else if (p.id == ID_INDICATOR_KANA)
                p.text = "KANA";
        }
        p.style = (i == 0 && p.id == ID_SEPARATOR) ? (SBPS_NOBORDERS | SBPS_STRETCH) : SBPS_NORMAL;
        p.width = p.id == ID_SEPARATOR ? 0 : std::max(24, p.text.GetLength() * 7 + 8);
        m_panes.push_back(p);
    }
    if (!m_panes.empty() && m_panes[0].id == ID_SEPARATOR)
        AfxLoadString(AFX_IDS_IDLEMESSAGE, m_panes[0].text);
    Rebuild();
    return TRUE;
}

void CStatusBar::Rebuild()
{
    auto* bar = qobject_cast<QStatusBar*>(GetQWidget());
    if (!bar)
        return;
    for (QLabel* l : bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        bar->removeWidget(l);
        l->deleteLater();
    }
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& p = m_panes[i];
        // A pane shows the paths in its text as the user knows them; the text itself is kept.
        auto* label = new QLabel(ScreenTextToQ(p.text));
        label->setObjectName(QStringLiteral("pane%1").arg(i));
        if (!(p.style & SBPS_NOBORDERS))
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setEnabled(!(p.style & SBPS_DISABLED));
        if (p.style & SBPS_STRETCH) {
            // A long message is cut at the pane's edge; it never widens the window.
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(label, 1);
        }
        else {
            label->setMinimumWidth(p.width);
            bar->addPermanentWidget(label);
        }
    }
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& p = m_panes[static_cast<size_t>(nIndex)];
    p.text = lpszNewText ? lpszNewText : "";
    if (auto* bar = qobject_cast<QStatusBar*>(GetQWidget()))
        if (auto* label = bar->findChild<QLabel*>(QStringLiteral("pane%1").arg(nIndex)))
            label->setText(ScreenTextToQ(p.text));
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return m_panes[static_cast<size_t>(nIndex)].text;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& p = m_panes[static_cast<size_t>(nIndex)];
    bool changed = p.id != nID || p.style != nStyle || p.width != cxWidth;
    p.id = nID;
    p.style = nStyle;
    p.width = cxWidth;
    if (!changed)
        return;
    if (auto* bar = qobject_cast<QStatusBar*>(GetQWidget()))
        if (auto* label = bar->findChild<QLabel*>(QStringLiteral("pane%1").arg(nIndex))) {
            // A disabled indicator shows nothing, as its key is off.
            label->setText((nStyle & SBPS_DISABLED) && nIndex > 0 ? QString() : ScreenTextToQ(p.text));
            if (!(nStyle & SBPS_STRETCH))
                label->setMinimumWidth(cxWidth);
        }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane& p = m_panes.at(static_cast<size_t>(nIndex));
    nID = p.id;
    nStyle = p.style;
    cxWidth = p.width;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].id == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].id : 0;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI ui;
    ui.m_pOther = this;
    ui.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (UINT i = 0; i < ui.m_nIndexMax; ++i) {
        UINT id = m_panes[i].id;
        if (id == ID_SEPARATOR)
            continue;
        ui.m_nIndex = i;
        ui.m_nID = id;
        // Indicators of the lock keys follow the keyboard when no handler speaks for them.
        if (!ui.DoUpdate(pTarget, FALSE)) {
            int vk = id == ID_INDICATOR_CAPS ? VK_CAPITAL : id == ID_INDICATOR_NUM ? VK_NUMLOCK
                   : id == ID_INDICATOR_SCRL ? VK_SCROLL : id == ID_INDICATOR_KANA ? VK_KANA : 0;
            if (vk)
                ui.Enable((GetKeyState(vk) & 1) != 0);
        }
    }
}
