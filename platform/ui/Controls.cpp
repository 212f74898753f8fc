// Controls on Qt widgets and their Windows control messages.
#include "platform/ui/Controls.h"

#include "platform/gdi/PainterDC.h"
#include "platform/ui/UiInternal.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QToolTip>
#include <QValidator>

namespace {

constexpr int kBytesRole = Qt::UserRole + 1; // the item's Shift-JIS bytes
constexpr int kDataRole = Qt::UserRole + 2;  // the item data

CControl* ControlOf(QWidget* w)
{
    return dynamic_cast<CControl*>(UiWndFromWidget(w));
}

CString ItemText(const QVariant& bytes)
{
    QByteArray b = bytes.toByteArray();
    return CString(b.constData(), static_cast<int>(b.size()));
}

QByteArray Bytes(const CString& s)
{
    return QByteArray(s.GetString(), s.GetLength());
}

// The search of combo and list boxes: round the list from the item after startAfter (from the
// top when startAfter is out of range) to the first item `matches` accepts; -1, which is both
// CB_ERR and LB_ERR, when none does.
template <typename Matches>
int SearchItems(int count, int startAfter, Matches matches)
{
    for (int k = 1; k <= count; ++k) {
        int i = (startAfter < -1 || startAfter >= count) ? k - 1 : (startAfter + k + count) % count;
        if (matches(i))
            return i;
    }
    return -1;
}

// Where a sorted box puts a new item: after every item it does not sort before. The box is kept
// in order, so halving finds the place that a search from the top would; a box of tens of
// thousands of items (colors of a damaged settings archive) is filled in a moment.
template <typename SortsBefore>
int SortedPosition(int count, SortsBefore newSortsBefore)
{
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (newSortsBefore(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// Ignoring case, the whole text or only its beginning.
bool TextMatches(const CString& text, const CString& key, bool exact)
{
    return exact ? text.CompareNoCase(key) == 0
                 : (text.GetLength() >= key.GetLength() && text.Left(key.GetLength()).CompareNoCase(key) == 0);
}

// Draws an owner-drawn item through the program's DrawItem into an image of the item's size.
QImage DrawOwnerItem(CWnd* wnd, UINT ctlType, int itemID, UINT state, DWORD_PTR data, QSize size,
                     const std::function<void(LPDRAWITEMSTRUCT)>& draw)
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(Qt::white);
    CPainterDC dc(&img);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ctlType;
    dis.CtlID = static_cast<UINT>(wnd->GetDlgCtrlID());
    dis.itemID = static_cast<UINT>(itemID);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = wnd->m_hWnd;
    dis.hDC = reinterpret_cast<HDC>(static_cast<CDC*>(&dc));
    dis.rcItem = RECT{ 0, 0, size.width(), size.height() };
    dis.itemData = data;
    draw(&dis);
    return img;
}

// The comparison a sorted owner-drawn list asks of the program: a new item against item i.
COMPAREITEMSTRUCT NewItemComparison(UINT ctlType, CWnd* control, DWORD_PTR data, int i, DWORD_PTR other)
{
    COMPAREITEMSTRUCT cis{};
    cis.CtlType = ctlType;
    cis.CtlID = static_cast<UINT>(control->GetDlgCtrlID());
    cis.hwndItem = control->m_hWnd;
    cis.itemID1 = static_cast<UINT>(-1);
    cis.itemData1 = data;
    cis.itemID2 = static_cast<UINT>(i);
    cis.itemData2 = other;
    return cis;
}

class CQtCombo;

// Paints the items of an owner-drawn combo or list box through the program's DrawItem, at the
// height its MeasureItem gave.
class COwnerDelegate : public QStyledItemDelegate {
public:
    COwnerDelegate(QWidget* owner, UINT ctlType, int itemHeight)
        : QStyledItemDelegate(owner), m_owner(owner), m_ctlType(ctlType), m_itemHeight(itemHeight)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QWidget* m_owner;
    UINT m_ctlType;
    int m_itemHeight;
};

class CQtCombo : public QComboBox {
public:
    explicit CQtCombo(QWidget* parent) : QComboBox(parent) {}
    bool m_ownerDraw = false;
    int m_itemHeight = 16;

    void showPopup() override
    {
        if (CControl* c = ControlOf(this))
            c->NotifyParent(CBN_DROPDOWN);
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (CControl* c = ControlOf(this))
            c->NotifyParent(CBN_CLOSEUP);
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (!m_ownerDraw) {
            QComboBox::paintEvent(e);
            return;
        }
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText.clear();
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        auto* combo = dynamic_cast<CComboBox*>(UiWndFromWidget(this));
        int cur = currentIndex();
        if (!combo || cur < 0)
            return;
        QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        DWORD_PTR data = static_cast<DWORD_PTR>(itemData(cur, kDataRole).toULongLong());
        UINT state = ODS_COMBOBOXEDIT | (hasFocus() ? ODS_FOCUS | ODS_SELECTED : 0);
        QImage img = DrawOwnerItem(combo, ODT_COMBOBOX, cur, state, data, r.size(),
                                   [combo](LPDRAWITEMSTRUCT d) { combo->DrawItem(d); });
        p.drawImage(r.topLeft(), img);
    }
};

void COwnerDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    CWnd* wnd = UiWndFromWidget(m_owner);
    auto* combo = dynamic_cast<CComboBox*>(wnd);
    auto* list = dynamic_cast<CListBox*>(wnd);
    if (!combo && !list) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    UINT state = (option.state & QStyle::State_Selected) ? ODS_SELECTED : 0;
    if (list && (option.state & QStyle::State_HasFocus))
        state |= ODS_FOCUS;
    DWORD_PTR data = static_cast<DWORD_PTR>(index.data(kDataRole).toULongLong());
    QImage img = DrawOwnerItem(wnd, m_ctlType, index.row(), state, data, option.rect.size(), [combo, list](LPDRAWITEMSTRUCT d) {
        if (combo)
            combo->DrawItem(d);
        else
            list->DrawItem(d);
    });
    painter->drawImage(option.rect.topLeft(), img);
}

QSize COwnerDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(m_itemHeight);
    return s;
}

// Refuses text beyond a byte limit, as an edit control with a limit does (with a beep).
class CByteLimit : public QValidator {
public:
    CByteLimit(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
    State validate(QString& input, int&) const override
    {
        if (m_limit > 0 && FromQ(input).GetLength() > m_limit) {
            Services().MessageBeep(0);
            return Invalid;
        }
        return Acceptable;
    }
    int m_limit;
};

} // namespace

// ---------------------------------------------------------------------------------------------

void CControl::NotifyParent(UINT nCode)
{
    CWnd* parent = GetParent();
    if (parent && UiIsLive(parent))
        parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(m_nID), static_cast<WORD>(nCode)),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

CWnd* CControl::CreateFromTemplate(const char* kind, DWORD style)
{
    CString k(kind);
    if (k.CompareNoCase("BUTTON") == 0)
        return new CButton;
    if (k.CompareNoCase("EDIT") == 0)
        return new CEdit;
    if (k.CompareNoCase("COMBOBOX") == 0)
        return new CComboBox;
    if (k.CompareNoCase("LISTBOX") == 0)
        return new CListBox;
    (void)style;
    return new CStatic;
}

// ---------------------------------------------------------------------------------------------
// Buttons

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_style = dwStyle;
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

namespace {
class COwnerButton : public QPushButton {
public:
    explicit COwnerButton(QWidget* parent) : QPushButton(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        auto* b = dynamic_cast<CButton*>(UiWndFromWidget(this));
        if (!b)
            return;
        UINT state = (isDown() ? ODS_SELECTED : 0) | (hasFocus() ? ODS_FOCUS : 0) | (!isEnabled() ? ODS_DISABLED : 0);
        QImage img = DrawOwnerItem(b, ODT_BUTTON, 0, state, 0, size(), [b](LPDRAWITEMSTRUCT d) { b->DrawItem(d); });
        QPainter p(this);
        p.drawImage(0, 0, img);
    }
};
} // namespace

QWidget* CButton::CreateNativeWidget(QWidget* parent)
{
    const DWORD kind = m_style & 0x0F;
    QAbstractButton* button = nullptr;
    switch (kind) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case 0x0005: // BS_3STATE
    case 0x0006: // BS_AUTO3STATE
        button = new QCheckBox(parent);
        break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        auto* r = new QRadioButton(parent);
        r->setAutoExclusive(false); // groups follow WS_GROUP, below
        button = r;
        break;
    }
    case BS_GROUPBOX:
        return new QGroupBox(parent);
    case BS_OWNERDRAW:
        button = new COwnerButton(parent);
        break;
    default: {
        auto* p = new QPushButton(parent);
        p->setDefault(kind == BS_DEFPUSHBUTTON);
        p->setAutoDefault(false);
        button = p;
        break;
    }
    }
    QAbstractButton* self = button;
    QObject::connect(button, &QAbstractButton::clicked, button, [self, kind]() {
        auto* b = dynamic_cast<CButton*>(UiWndFromWidget(self));
        if (!b)
            return;
        if (kind == BS_CHECKBOX || kind == BS_RADIOBUTTON) {
            // A plain check box or radio button changes only when the program checks it.
            QSignalBlocker block(self);
            self->setChecked(!self->isChecked());
        } else if (kind == BS_AUTORADIOBUTTON) {
            // Checking one automatic radio button clears the others of its group.
            CWnd* parentWnd = b->GetParent();
            QWidget* pw = self->parentWidget();
            if (pw && parentWnd) {
                std::vector<CButton*> siblings;
                for (QObject* o : pw->children())
                    if (auto* w = qobject_cast<QRadioButton*>(o))
                        if (auto* sb = dynamic_cast<CButton*>(UiWndFromWidget(w)))
                            siblings.push_back(sb);
                auto me = std::find(siblings.begin(), siblings.end(), b);
                auto first = me;
                while (first != siblings.begin() && !((*first)->GetStyle() & WS_GROUP))
                    --first;
                for (auto it = first; it != siblings.end(); ++it) {
                    if (it != first && ((*it)->GetStyle() & WS_GROUP))
                        break;
                    if (*it != b)
                        (*it)->SetCheck(0);
                }
            }
            self->setChecked(true);
        }
        b->NotifyParent(BN_CLICKED);
    });
    return button;
}

int CButton::GetCheck() const
{
    return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int nCheck)
{
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL bHighlight)
{
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* button = qobject_cast<QAbstractButton*>(GetQWidget());
    switch (message) {
    case BM_GETCHECK:
        if (auto* cb = qobject_cast<QCheckBox*>(button))
            return cb->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE : cb->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        if (button) {
            QSignalBlocker block(button);
            if (auto* cb = qobject_cast<QCheckBox*>(button)) {
                cb->setTristate(wParam == BST_INDETERMINATE || cb->isTristate());
                cb->setCheckState(wParam == BST_INDETERMINATE ? Qt::PartiallyChecked : wParam ? Qt::Checked : Qt::Unchecked);
            } else {
                button->setCheckable(true);
                button->setChecked(wParam != 0);
            }
        }
        return 0;
    case BM_GETSTATE:
        return (button && button->isDown() ? 0x0004 : 0) | (button && button->isChecked() ? 1 : 0);
    case BM_SETSTATE:
        if (button)
            button->setDown(wParam != 0);
        return 0;
    case BM_CLICK:
        if (button)
            button->click();
        return 0;
    case WM_SETTEXT:
        SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
        return TRUE;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    m_nBitmaps[0] = nIDBitmapResource;
    m_nBitmaps[1] = nIDBitmapResourceSel;
    m_nBitmaps[2] = nIDBitmapResourceFocus;
    m_nBitmaps[3] = nIDBitmapResourceDisabled;
    if (QWidget* w = GetQWidget())
        w->update();
    return !UiLoadBitmap(nIDBitmapResource).isNull();
}

QWidget* CBitmapButton::CreateNativeWidget(QWidget* parent)
{
    m_style = (m_style & ~0x0Fu) | BS_OWNERDRAW;
    return CButton::CreateNativeWidget(parent);
}

void CBitmapButton::SizeToContent()
{
    QImage img = UiLoadBitmap(m_nBitmaps[0]);
    if (QWidget* w = GetQWidget(); w && !img.isNull())
        w->resize(img.size());
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    UINT id = m_nBitmaps[0];
    if ((lpDIS->itemState & ODS_SELECTED) && m_nBitmaps[1])
        id = m_nBitmaps[1];
    else if ((lpDIS->itemState & ODS_FOCUS) && m_nBitmaps[2])
        id = m_nBitmaps[2];
    else if ((lpDIS->itemState & ODS_DISABLED) && m_nBitmaps[3])
        id = m_nBitmaps[3];
    QImage img = UiLoadBitmap(id);
    auto* dc = dynamic_cast<CPainterDC*>(CDCFromHandle(lpDIS->hDC));
    if (img.isNull() || !dc || !dc->GetPainter())
        return;
    dc->GetPainter()->drawImage(QPoint(lpDIS->rcItem.left, lpDIS->rcItem.top), img);
}

// ---------------------------------------------------------------------------------------------
// Static and edit

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_style = dwStyle;
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

QWidget* CStatic::CreateNativeWidget(QWidget* parent)
{
    auto* l = new QLabel(parent);
    if (m_style & 0x0001)
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    else if (m_style & 0x0002)
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    else
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_style = dwStyle;
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

QWidget* CEdit::CreateNativeWidget(QWidget* parent)
{
    if (m_style & ES_MULTILINE) {
        auto* e = new QPlainTextEdit(parent);
        e->setReadOnly((m_style & ES_READONLY) != 0);
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [e]() {
            if (CControl* c = ControlOf(e))
                c->NotifyParent(EN_CHANGE);
        });
        return e;
    }
    auto* e = new QLineEdit(parent);
    e->setReadOnly((m_style & ES_READONLY) != 0);
    e->setFrame(true);
    QObject::connect(e, &QLineEdit::textChanged, e, [e]() {
        if (CControl* c = ControlOf(e))
            c->NotifyParent(EN_CHANGE);
    });
    return e;
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD r = static_cast<DWORD>(const_cast<CEdit*>(this)->SendMessage(EM_GETSEL));
    nStartChar = LOWORD(r);
    nEndChar = HIWORD(r);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::LimitText(int nChars)
{
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars));
}

void CEdit::SetReadOnly(BOOL bReadOnly)
{
    SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly));
}

namespace {
// Selection and text operations shared by edit fields and a combo box's edit field.
LRESULT LineEditMessage(QLineEdit* e, UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    QString t = e ? e->text() : QString();
    switch (message) {
    case EM_GETSEL:
    case CB_GETEDITSEL: {
        if (!e)
            return 0;
        int s = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
        int en = e->hasSelectedText() ? s + static_cast<int>(e->selectedText().size()) : s;
        return MAKELONG(static_cast<WORD>(UiQtToBytePos(t, s)), static_cast<WORD>(UiQtToBytePos(t, en)));
    }
    case EM_SETSEL:
    case CB_SETEDITSEL: {
        if (!e)
            return FALSE;
        int start = message == EM_SETSEL ? static_cast<int>(wParam) : static_cast<short>(LOWORD(static_cast<DWORD>(lParam)));
        int end = message == EM_SETSEL ? static_cast<int>(lParam) : static_cast<short>(HIWORD(static_cast<DWORD>(lParam)));
        if (start < 0) {
            e->deselect();
            return TRUE;
        }
        int qs = UiByteToQtPos(t, start);
        int qe = end < 0 ? static_cast<int>(t.size()) : UiByteToQtPos(t, end);
        e->setSelection(qs, qe - qs);
        if (qe < qs)
            e->setSelection(qe, qs - qe);
        return TRUE;
    }
    case EM_REPLACESEL:
        if (e)
            e->insert(ToQ(reinterpret_cast<LPCTSTR>(lParam)));
        return 0;
    case EM_LIMITTEXT:
    case CB_LIMITTEXT:
        if (e) {
            delete e->validator();
            e->setValidator(new CByteLimit(static_cast<int>(wParam), e));
        }
        return TRUE;
    case EM_SETREADONLY:
        if (e)
            e->setReadOnly(wParam != 0);
        return TRUE;
    case WM_CUT:
        if (e)
            e->cut();
        return 0;
    case WM_COPY:
        if (e)
            e->copy();
        return 0;
    case WM_PASTE:
        if (e)
            e->paste();
        return 0;
    case WM_CLEAR:
        if (e)
            e->del();
        return 0;
    case WM_UNDO:
        if (e)
            e->undo();
        return TRUE;
    default:
        *handled = false;
        return 0;
    }
}
} // namespace

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* line = qobject_cast<QLineEdit*>(GetQWidget());
    auto* multi = qobject_cast<QPlainTextEdit*>(GetQWidget());
    if (line) {
        bool handled = false;
        LRESULT r = LineEditMessage(line, message, wParam, lParam, &handled);
        if (handled)
            return r;
    } else if (multi) {
        switch (message) {
        case WM_CUT: multi->cut(); return 0;
        case WM_COPY: multi->copy(); return 0;
        case WM_PASTE: multi->paste(); return 0;
        case EM_SETREADONLY: multi->setReadOnly(wParam != 0); return TRUE;
        case EM_REPLACESEL: multi->insertPlainText(ToQ(reinterpret_cast<LPCTSTR>(lParam))); return 0;
        default: break;
        }
    }
    LRESULT r = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETFOCUS)
        NotifyParent(EN_SETFOCUS);
    else if (message == WM_KILLFOCUS)
        NotifyParent(EN_KILLFOCUS);
    return r;
}

// ---------------------------------------------------------------------------------------------
// Combo box

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_style = dwStyle;
    // The rectangle's height includes the dropped-down list; the box itself is one line high.
    RECT r = rect;
    if (!CWnd::Create("COMBOBOX", nullptr, dwStyle, r, pParentWnd, nID))
        return FALSE;
    if (QWidget* w = GetQWidget())
        w->setFixedHeight(w->sizeHint().height());
    return TRUE;
}

QWidget* CComboBox::CreateNativeWidget(QWidget* parent)
{
    auto* c = new CQtCombo(parent);
    const DWORD kind = m_style & 0x03;
    c->setEditable(kind == CBS_DROPDOWN || kind == CBS_SIMPLE);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(30);
    if (m_style & (CBS_OWNERDRAWFIXED | 0x0020 /* CBS_OWNERDRAWVARIABLE */)) {
        c->m_ownerDraw = true;
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_COMBOBOX;
        mis.CtlID = m_nID;
        mis.itemHeight = 16;
        MeasureItem(&mis);
        c->m_itemHeight = static_cast<int>(mis.itemHeight);
        c->setItemDelegate(new COwnerDelegate(c, ODT_COMBOBOX, c->m_itemHeight));
    }
    if (QLineEdit* e = c->lineEdit()) {
        QObject::connect(e, &QLineEdit::textEdited, e, [c]() {
            if (CControl* cc = ControlOf(c)) {
                cc->NotifyParent(CBN_EDITUPDATE);
                if (ControlOf(c))
                    cc->NotifyParent(CBN_EDITCHANGE);
            }
        });
    }
    QObject::connect(c, qOverload<int>(&QComboBox::activated), c, [c](int) {
        if (CControl* cc = ControlOf(c)) {
            cc->NotifyParent(CBN_SELCHANGE);
            if (ControlOf(c))
                cc->NotifyParent(CBN_SELENDOK);
        }
    });
    return c;
}

QWidget* CComboBox::GetClientWidget() const
{
    return CWnd::GetClientWidget();
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }

int CComboBox::InsertItem(int index, const CString& text, DWORD_PTR data, bool sorted)
{
    auto* c = qobject_cast<QComboBox*>(GetQWidget());
    if (!c)
        return CB_ERR;
    const bool ownerNoStrings = (m_style & CBS_OWNERDRAWFIXED) && !(m_style & CBS_HASSTRINGS);
    int count = c->count();
    if (sorted) {
        index = SortedPosition(count, [&](int i) {
            if (ownerNoStrings) {
                COMPAREITEMSTRUCT cis = NewItemComparison(ODT_COMBOBOX, this, data, i,
                                                          static_cast<DWORD_PTR>(c->itemData(i, kDataRole).toULongLong()));
                return CompareItem(&cis) < 0;
            }
            CString other = ItemText(c->itemData(i, kBytesRole));
            return MbsCompareNoCase(text.GetString(), text.GetLength(), other.GetString(), other.GetLength()) < 0;
        });
    } else if (index < 0 || index > count) {
        if (index > count)
            return CB_ERR;
        index = count;
    }
    QSignalBlocker block(c);
    const int selected = c->currentIndex();
    const QString editText = c->isEditable() ? c->currentText() : QString();
    QString shown = ownerNoStrings ? QString() : ToQ(text);
    c->insertItem(index, shown);
    c->setItemData(index, Bytes(text), kBytesRole);
    c->setItemData(index, QVariant::fromValue<qulonglong>(data), kDataRole);
    // Inserting must not select: a Windows list keeps its selection (and edit text) unchanged.
    if (selected < 0) {
        c->setCurrentIndex(-1);
        if (c->isEditable())
            c->setEditText(editText);
    }
    return index;
}

LRESULT CComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* c = qobject_cast<QComboBox*>(GetQWidget());
    if (!c)
        return CWnd::WindowProc(message, wParam, lParam);
    const bool ownerNoStrings = (m_style & CBS_OWNERDRAWFIXED) && !(m_style & CBS_HASSTRINGS);
    auto textOf = [&](int i) { return ItemText(c->itemData(i, kBytesRole)); };
    auto find = [&](int startAfter, const char* s, bool exact) -> int {
        if (c->count() == 0 || !s)
            return CB_ERR;
        // A list without strings holds item data where the text would be.
        CString key(ownerNoStrings ? "" : s);
        return SearchItems(c->count(), startAfter, [&](int i) {
            if (ownerNoStrings)
                return static_cast<DWORD_PTR>(c->itemData(i, kDataRole).toULongLong()) == reinterpret_cast<DWORD_PTR>(s);
            return TextMatches(textOf(i), key, exact);
        });
    };
    switch (message) {
    case CB_ADDSTRING:
        return InsertItem(-1, ownerNoStrings ? CString() : CString(reinterpret_cast<LPCTSTR>(lParam)),
                          ownerNoStrings ? static_cast<DWORD_PTR>(lParam) : 0, (m_style & CBS_SORT) != 0);
    case CB_INSERTSTRING:
        return InsertItem(static_cast<int>(wParam), ownerNoStrings ? CString() : CString(reinterpret_cast<LPCTSTR>(lParam)),
                          ownerNoStrings ? static_cast<DWORD_PTR>(lParam) : 0, false);
    case CB_DELETESTRING: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= c->count())
            return CB_ERR;
        QSignalBlocker block(c);
        QString text = c->currentText();
        c->removeItem(i);
        if (c->isEditable())
            c->setEditText(text);
        return c->count();
    }
    case CB_RESETCONTENT: {
        QSignalBlocker block(c);
        c->clear();
        if (c->isEditable())
            c->setEditText(QString());
        return 0; // CB_OKAY
    }
    case CB_GETCOUNT:
        return c->count();
    case CB_GETCURSEL:
        return c->currentIndex() < 0 ? CB_ERR : c->currentIndex();
    case CB_SETCURSEL: {
        int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        QSignalBlocker block(c);
        if (i < 0 || i >= c->count()) {
            c->setCurrentIndex(-1);
            if (c->isEditable())
                c->setEditText(QString());
            return CB_ERR;
        }
        c->setCurrentIndex(i);
        if (c->isEditable())
            c->setEditText(ToQ(textOf(i)));
        return i;
    }
    case CB_GETLBTEXT: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= c->count())
            return CB_ERR;
        CString t = textOf(i);
        if (ownerNoStrings) {
            *reinterpret_cast<DWORD_PTR*>(lParam) = static_cast<DWORD_PTR>(c->itemData(i, kDataRole).toULongLong());
            return sizeof(DWORD_PTR);
        }
        std::memcpy(reinterpret_cast<char*>(lParam), t.GetString(), static_cast<size_t>(t.GetLength()) + 1);
        return t.GetLength();
    }
    case CB_GETLBTEXTLEN: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= c->count())
            return CB_ERR;
        return textOf(i).GetLength();
    }
    case CB_FINDSTRING:
        return find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam), false);
    case CB_FINDSTRINGEXACT:
        return find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam), true);
    case CB_SELECTSTRING: {
        int i = find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam), false);
        if (i != CB_ERR)
            SendMessage(CB_SETCURSEL, static_cast<WPARAM>(i));
        return i;
    }
    case CB_SETITEMDATA: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= c->count())
            return CB_ERR;
        c->setItemData(i, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)), kDataRole);
        return TRUE;
    }
    case CB_GETITEMDATA: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= c->count())
            return CB_ERR;
        return static_cast<LRESULT>(c->itemData(i, kDataRole).toULongLong());
    }
    case CB_SHOWDROPDOWN:
        if (wParam)
            c->showPopup();
        else
            c->hidePopup();
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return c->view() && c->view()->isVisible();
    default:
        break;
    }
    if (c->lineEdit()) {
        bool handled = false;
        LRESULT r = LineEditMessage(c->lineEdit(), message, wParam, lParam, &handled);
        if (handled)
            return r;
    } else if (message == CB_GETEDITSEL || message == CB_SETEDITSEL || message == CB_LIMITTEXT) {
        return CB_ERR;
    }
    LRESULT r = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETFOCUS)
        NotifyParent(CBN_SETFOCUS);
    else if (message == WM_KILLFOCUS)
        NotifyParent(CBN_KILLFOCUS);
    return r;
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter),
                                                                       reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                                                       reinterpret_cast<LPARAM>(lpszFind)));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int len = GetLBTextLen(nIndex);
    if (len == CB_ERR) {
        rString.Empty();
        return;
    }
    std::vector<char> buf(static_cast<size_t>(std::max(len, 8)) + 1);
    const_cast<CComboBox*>(this)->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buf.data()));
    rString = CString(buf.data(), len);
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(const_cast<CComboBox*>(this)->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(nStartChar), static_cast<WORD>(nEndChar))));
}

// ---------------------------------------------------------------------------------------------
// List box

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_style = dwStyle;
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

QWidget* CListBox::CreateNativeWidget(QWidget* parent)
{
    auto* l = new QListWidget(parent);
    if (m_style & LBS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = m_nID;
        mis.itemHeight = 16;
        MeasureItem(&mis);
        l->setItemDelegate(new COwnerDelegate(l, ODT_LISTBOX, static_cast<int>(mis.itemHeight)));
        l->setUniformItemSizes(true);
    }
    if (m_style & LBS_MULTIPLESEL)
        l->setSelectionMode(QAbstractItemView::MultiSelection);
    else if (m_style & LBS_EXTENDEDSEL)
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    else
        l->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(l, &QListWidget::itemSelectionChanged, l, [l]() {
        CControl* c = ControlOf(l);
        if (c && (c->GetStyle() & LBS_NOTIFY) && !l->signalsBlocked())
            c->NotifyParent(LBN_SELCHANGE);
    });
    QObject::connect(l, &QListWidget::itemDoubleClicked, l, [l]() {
        CControl* c = ControlOf(l);
        if (c && (c->GetStyle() & LBS_NOTIFY))
            c->NotifyParent(LBN_DBLCLK);
    });
    return l;
}

LRESULT CListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* l = qobject_cast<QListWidget*>(GetQWidget());
    if (!l)
        return CWnd::WindowProc(message, wParam, lParam);
    const bool ownerNoStrings = (m_style & LBS_OWNERDRAWFIXED) && !(m_style & LBS_HASSTRINGS);
    auto textOf = [&](int i) { return ItemText(l->item(i)->data(kBytesRole)); };
    auto dataOf = [&](int i) { return static_cast<DWORD_PTR>(l->item(i)->data(kDataRole).toULongLong()); };
    auto find = [&](int startAfter, const char* s, bool exact) -> int {
        if (l->count() == 0 || (!s && !ownerNoStrings))
            return LB_ERR;
        // A list without strings holds item data where the text would be.
        if (ownerNoStrings)
            return SearchItems(l->count(), startAfter, [&](int i) { return dataOf(i) == reinterpret_cast<DWORD_PTR>(s); });
        CString key(s);
        return SearchItems(l->count(), startAfter, [&](int i) { return TextMatches(textOf(i), key, exact); });
    };
    auto valid = [&](WPARAM i) { return static_cast<int>(i) >= 0 && static_cast<int>(i) < l->count(); };
    QSignalBlocker block(l);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const DWORD_PTR data = ownerNoStrings ? static_cast<DWORD_PTR>(lParam) : 0;
        CString text(ownerNoStrings ? "" : reinterpret_cast<LPCTSTR>(lParam));
        int index = message == LB_ADDSTRING ? l->count() : static_cast<int>(static_cast<INT_PTR>(wParam));
        if (message == LB_ADDSTRING && (m_style & LBS_SORT)) {
            index = SortedPosition(l->count(), [&](int i) {
                if (ownerNoStrings) {
                    COMPAREITEMSTRUCT cis = NewItemComparison(ODT_LISTBOX, this, data, i, dataOf(i));
                    return CompareItem(&cis) < 0;
                }
                CString t = textOf(i);
                return MbsCompareNoCase(text.GetString(), text.GetLength(), t.GetString(), t.GetLength()) < 0;
            });
        }
        if (index < 0)
            index = l->count();
        if (index > l->count())
            return LB_ERR;
        auto* item = new QListWidgetItem(ToQ(text));
        item->setData(kBytesRole, Bytes(text));
        item->setData(kDataRole, QVariant::fromValue<qulonglong>(data));
        l->insertItem(index, item);
        return index;
    }
    case LB_DELETESTRING:
        if (!valid(wParam))
            return LB_ERR;
        delete l->takeItem(static_cast<int>(wParam));
        return l->count();
    case LB_RESETCONTENT:
        l->clear();
        return 0;
    case LB_GETCOUNT:
        return l->count();
    case LB_GETCURSEL:
        return l->currentRow() < 0 || !l->currentItem()->isSelected() ? LB_ERR : l->currentRow();
    case LB_SETCURSEL:
        if (!valid(wParam)) {
            l->clearSelection();
            l->setCurrentRow(-1);
            return LB_ERR;
        }
        l->setCurrentRow(static_cast<int>(wParam));
        return static_cast<LRESULT>(wParam);
    case LB_GETTEXT: {
        if (!valid(wParam))
            return LB_ERR;
        if (ownerNoStrings) {
            *reinterpret_cast<DWORD_PTR*>(lParam) = dataOf(static_cast<int>(wParam));
            return sizeof(DWORD_PTR);
        }
        CString t = textOf(static_cast<int>(wParam));
        std::memcpy(reinterpret_cast<char*>(lParam), t.GetString(), static_cast<size_t>(t.GetLength()) + 1);
        return t.GetLength();
    }
    case LB_GETTEXTLEN:
        return valid(wParam) ? textOf(static_cast<int>(wParam)).GetLength() : LB_ERR;
    case LB_FINDSTRING:
        return find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam), false);
    case LB_FINDSTRINGEXACT:
        return find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam), true);
    case LB_SELECTSTRING: {
        int i = find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam), false);
        if (i != LB_ERR)
            l->setCurrentRow(i);
        return i;
    }
    case LB_GETSEL:
        return valid(wParam) ? (l->item(static_cast<int>(wParam))->isSelected() ? 1 : 0) : LB_ERR;
    case LB_SETSEL: {
        int i = static_cast<int>(static_cast<INT_PTR>(lParam));
        if (i == -1) {
            for (int k = 0; k < l->count(); ++k)
                l->item(k)->setSelected(wParam != 0);
            return 0;
        }
        if (i < 0 || i >= l->count())
            return LB_ERR;
        l->item(i)->setSelected(wParam != 0);
        return 0;
    }
    case LB_GETSELCOUNT:
        return static_cast<LRESULT>(l->selectedItems().size());
    case LB_GETSELITEMS: {
        auto* out = reinterpret_cast<int*>(lParam);
        int n = 0;
        for (int i = 0; i < l->count() && n < static_cast<int>(wParam); ++i)
            if (l->item(i)->isSelected())
                out[n++] = i;
        return n;
    }
    case LB_SETITEMDATA:
        if (!valid(wParam))
            return LB_ERR;
        l->item(static_cast<int>(wParam))->setData(kDataRole, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)));
        return TRUE;
    case LB_GETITEMDATA:
        return valid(wParam) ? static_cast<LRESULT>(l->item(static_cast<int>(wParam))->data(kDataRole).toULongLong()) : LB_ERR;
    case LB_GETTOPINDEX:
        return std::max(0, l->indexAt(QPoint(1, 1)).row());
    case LB_SETTOPINDEX:
        if (!valid(wParam))
            return LB_ERR;
        l->scrollToItem(l->item(static_cast<int>(wParam)), QAbstractItemView::PositionAtTop);
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int len = GetTextLen(nIndex);
    if (len == LB_ERR) {
        rString.Empty();
        return;
    }
    // Room for the item data a list without strings gives instead.
    std::vector<char> buf(static_cast<size_t>(std::max(len, 8)) + 1);
    const_cast<CListBox*>(this)->SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buf.data()));
    rString = CString(buf.data(), len);
}

int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::GetSel(int nIndex) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETSEL, static_cast<WPARAM>(nIndex)));
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(bSelect), static_cast<LPARAM>(nIndex)));
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETSELCOUNT));
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(const_cast<CListBox*>(this)->SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }

int CListBox::GetTopIndex() const
{
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETTOPINDEX));
}

int CListBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
}

// ---------------------------------------------------------------------------------------------
// Tool tips

namespace {
constexpr UINT_PTR kTipShowTimer = 1;
constexpr UINT_PTR kTipPopTimer = 2;
}

QWidget* CToolTipCtrl::CreateNativeWidget(QWidget* parent)
{
    auto* l = new QLabel(parent, Qt::ToolTip);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setStyleSheet(QStringLiteral("background: #ffffe1; color: black; padding: 1px;"));
    l->hide();
    return l;
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    CRect r(0, 0, 0, 0);
    if (!CWnd::Create("TOOLTIPS", nullptr, (dwStyle & ~WS_VISIBLE) | WS_POPUP, r, pParentWnd, 0))
        return FALSE;
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (!pWnd)
        return FALSE;
    Tool t;
    t.wnd = pWnd;
    t.id = static_cast<UINT>(nIDTool);
    if (lpRectTool)
        t.rect = *lpRectTool;
    else
        pWnd->GetClientRect(&t.rect);
    t.text = lpszText ? lpszText : "";
    m_tools.push_back(t);
    return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    for (size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].wnd == pWnd && m_tools[i].id == nIDTool) {
            if (m_shown == static_cast<int>(i))
                Pop();
            m_tools.erase(m_tools.begin() + static_cast<std::ptrdiff_t>(i));
            m_pending = -1;
            m_shown = -1;
            return;
        }
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    for (size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].wnd == pWnd && m_tools[i].id == nIDTool) {
            m_tools[i].text = lpszText ? lpszText : "";
            if (m_shown == static_cast<int>(i))
                if (auto* l = qobject_cast<QLabel*>(GetQWidget()))
                    l->setText(ToQ(m_tools[i].text));
        }
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    for (Tool& t : m_tools)
        if (t.wnd == pWnd && t.id == nIDTool && lpRect)
            t.rect = *lpRect;
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    m_bActive = bActivate;
    if (!bActivate)
        Pop();
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    // The automatic setting derives the others as Windows does.
    m_delays[TTDT_INITIAL] = static_cast<int>(nDelay);
    m_delays[TTDT_RESHOW] = static_cast<int>(nDelay / 5);
    m_delays[TTDT_AUTOPOP] = static_cast<int>(nDelay * 10);
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    if (dwDuration == TTDT_AUTOMATIC)
        SetDelayTime(static_cast<UINT>(iTime));
    else if (dwDuration <= TTDT_INITIAL)
        m_delays[dwDuration] = iTime;
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
{
    return dwDuration <= TTDT_INITIAL ? m_delays[dwDuration] : 0;
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    if (!lpMsg || !m_hWnd)
        return;
    const UINT m = lpMsg->message;
    if (m != WM_MOUSEMOVE && !(m >= WM_LBUTTONDOWN && m <= WM_MBUTTONDBLCLK))
        return;
    CWnd* wnd = CWnd::FromHandle(lpMsg->hwnd);
    CPoint pt(static_cast<short>(LOWORD(static_cast<DWORD>(lpMsg->lParam))), static_cast<short>(HIWORD(static_cast<DWORD>(lpMsg->lParam))));
    int hit = -1;
    for (size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].wnd == wnd && m_tools[i].rect.PtInRect(pt)) {
            hit = static_cast<int>(i);
            break;
        }
    // A button press hides the tip; moving into another tool starts its wait again.
    if (m != WM_MOUSEMOVE) {
        Pop();
        return;
    }
    m_lastPoint = pt;
    if (hit == m_shown && hit >= 0)
        return;
    if (m_shown >= 0)
        Pop();
    if (hit < 0 || !m_bActive) {
        m_pending = -1;
        KillTimer(kTipShowTimer);
        return;
    }
    if (hit != m_pending) {
        m_pending = hit;
        SetTimer(kTipShowTimer, static_cast<UINT>(m_delays[TTDT_INITIAL]), nullptr);
    }
}

void CToolTipCtrl::Pop()
{
    KillTimer(kTipShowTimer);
    KillTimer(kTipPopTimer);
    m_shown = -1;
    m_pending = -1;
    if (QWidget* w = GetQWidget())
        w->hide();
}

void CToolTipCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTipShowTimer) {
        KillTimer(kTipShowTimer);
        if (m_pending < 0 || m_pending >= static_cast<int>(m_tools.size()) || !m_bActive)
            return;
        m_shown = m_pending;
        const Tool& t = m_tools[static_cast<size_t>(m_shown)];
        if (auto* l = qobject_cast<QLabel*>(GetQWidget())) {
            l->setText(ToQ(t.text));
            if (m_maxWidth > 0)
                l->setMaximumWidth(m_maxWidth);
            l->adjustSize();
            CPoint p = m_lastPoint;
            if (UiIsLive(t.wnd))
                t.wnd->ClientToScreen(&p);
            l->move(p.x, p.y + 20);
            l->show();
        }
        SetTimer(kTipPopTimer, static_cast<UINT>(m_delays[TTDT_AUTOPOP]), nullptr);
        return;
    }
    if (nIDEvent == kTipPopTimer) {
        Pop();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}
