// Dialogs from templates, their modal run through the services, and the common dialogs.
#include "platform/ui/Dialog.h"

#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/UiServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>

#include <filesystem>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

class CDialogWidget : public QDialog {
public:
    CDialogWidget(CDialog* dlg, QWidget* parent) : QDialog(parent), m_dlg(dlg) {}

protected:
    void closeEvent(QCloseEvent* e) override
    {
        // The close box is Cancel, as the dialog manager makes it.
        e->ignore();
        if (UiIsLive(m_dlg) && m_dlg->m_hWnd)
            m_dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
    }
    void keyPressEvent(QKeyEvent* e) override { e->ignore(); } // Enter and Escape are ours

private:
    CDialog* m_dlg;
};

} // namespace

// The modal dialog as the services' script sees it.
class CDialogSession : public IModalSession {
public:
    explicit CDialogSession(CDialog* dlg) : m_dlg(dlg) {}
    UINT TemplateId() const override { return m_dlg->m_nIDTemplate; }
    CString Caption() const override
    {
        CString s;
        m_dlg->GetWindowText(s);
        return s;
    }
    void SetItemText(int nID, const CString& text) override
    {
        if (CWnd* w = m_dlg->GetDlgItem(nID))
            w->SetWindowText(text);
    }
    CString GetItemText(int nID) const override
    {
        CString s;
        m_dlg->GetDlgItemText(nID, s);
        return s;
    }
    void SetCheck(int nID, int check) override
    {
        if (CWnd* w = m_dlg->GetDlgItem(nID))
            w->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
    }
    int GetCheck(int nID) const override
    {
        CWnd* w = m_dlg->GetDlgItem(nID);
        return w ? static_cast<int>(w->SendMessage(BM_GETCHECK)) : 0;
    }
    void SelectItem(int nID, int index) override
    {
        CWnd* w = m_dlg->GetDlgItem(nID);
        if (auto* c = dynamic_cast<CComboBox*>(w)) {
            c->SetCurSel(index);
            c->NotifyParent(CBN_SELCHANGE);
        } else if (auto* l = dynamic_cast<CListBox*>(w)) {
            l->SetCurSel(index);
            if (l->GetStyle() & LBS_NOTIFY)
                l->NotifyParent(LBN_SELCHANGE);
        }
    }
    void Press(int nID) override
    {
        CWnd* w = m_dlg->GetDlgItem(nID);
        if (auto* b = dynamic_cast<CButton*>(w)) {
            if (b->IsWindowEnabled())
                b->SendMessage(BM_CLICK);
            return;
        }
        m_dlg->SendMessage(WM_COMMAND, static_cast<WPARAM>(nID), 0);
    }
    void FocusItem(int nID) override
    {
        if (CWnd* w = m_dlg->GetDlgItem(nID))
            m_dlg->GotoDlgCtrl(w);
    }
    BOOL IsOpen() const override { return UiIsLive(m_dlg) && m_dlg->m_bModalOpen; }

private:
    CDialog* m_dlg;
};

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    m_bInDestructor = TRUE;
    if (m_hWnd)
        DestroyWindow();
}

QWidget* CDialog::CreateNativeWidget(QWidget* parent)
{
    QWidget* owner = parent ? parent->window() : nullptr;
    auto* w = new CDialogWidget(this, owner);
    w->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    return w;
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd)
{
    UiEnsureApplication();
    const CResDialog* res = CResources::Get().FindDialog(m_nIDTemplate);
    if (!res)
        return FALSE;
    QFont font = QApplication::font();
    if (!res->fontName.IsEmpty())
        font.setFamily(ToQ(res->fontName));
    font.setPointSize(res->fontSize > 0 ? res->fontSize : 9);
    QFontMetrics fm(font);
    // The dialog base units of the template's font.
    m_baseX = (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    m_baseY = fm.height();
    CRect rc(res->x, res->y, res->x + res->cx, res->y + res->cy);
    MapDialogRect(&rc);
    m_pParent = nullptr;
    m_pOwner = pParentWnd;
    CRect none(0, 0, 0, 0);
    if (!CWnd::Create(nullptr, res->caption, (res->style | WS_POPUP) & ~WS_VISIBLE, none, nullptr, 0))
        return FALSE;
    m_pOwner = pParentWnd;
    QWidget* w = GetQWidget();
    w->setFont(font);
    w->setFixedSize(rc.Width(), rc.Height());
    for (const CResDialogItem& item : res->items) {
        std::unique_ptr<CWnd> ctl(CControl::CreateFromTemplate(item.kind, item.style));
        ctl->m_style = item.style;
        CRect r(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(&r);
        if (!ctl->CWnd::Create(item.kind, item.text, item.style & ~WS_VISIBLE, r, this, static_cast<UINT>(item.id)))
            return FALSE;
        if (auto* combo = dynamic_cast<CComboBox*>(ctl.get()))
            combo->GetQWidget()->setFixedHeight(combo->GetQWidget()->sizeHint().height());
        ctl->GetQWidget()->setVisible((item.style & WS_VISIBLE) != 0);
        CWnd* raw = ctl.get();
        m_templateControls.push_back({ std::move(ctl), raw });
    }
    return TRUE;
}

std::vector<CWnd*> AfxDialogControls(CDialog* pDialog)
{
    std::vector<CWnd*> out;
    for (const auto& c : pDialog->m_templateControls)
        if (c.wnd && UiIsLive(c.wnd) && c.wnd->m_hWnd)
            out.push_back(c.wnd);
    return out;
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    lpRect->left = lpRect->left * m_baseX / 4;
    lpRect->right = lpRect->right * m_baseX / 4;
    lpRect->top = lpRect->top * m_baseY / 8;
    lpRect->bottom = lpRect->bottom * m_baseY / 8;
}

INT_PTR CDialog::DoModal()
{
    if (!CreateFromTemplate(m_pParentWnd))
        return -1;
    m_nModalResult = -1;
    m_bModalOpen = TRUE;
    // WM_INITDIALOG: the data go into the controls before the dialog shows.
    if (OnInitDialog() && UiIsLive(this)) {
        if (CWnd* first = AfxDialogControls(this).empty() ? nullptr : AfxDialogControls(this).front())
            (void)first;
    }
    if (UiIsLive(this) && m_bModalOpen) {
        CenterWindow(m_pParentWnd);
        QWidget* w = GetQWidget();
        w->setWindowModality(Qt::ApplicationModal);
        w->show();
        CDialogSession session(this);
        UiServices().RunModal(session);
    }
    if (!UiIsLive(this))
        return m_nModalResult;
    m_bModalOpen = FALSE;
    INT_PTR result = m_nModalResult;
    DestroyWindow();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    if (!CreateFromTemplate(pParentWnd))
        return FALSE;
    OnInitDialog();
    if (!UiIsLive(this) || !m_hWnd)
        return TRUE;
    m_bModeless = TRUE;
    std::vector<CString> texts;
    for (CWnd* control : AfxDialogControls(this)) {
        CString text;
        control->GetWindowText(text);
        texts.push_back(text);
    }
    UiServices().ModelessCreated(m_nIDTemplate, texts);
    const CResDialog* res = CResources::Get().FindDialog(nIDTemplate);
    if (res && (res->style & WS_VISIBLE)) {
        QWidget* w = GetQWidget();
        w->show();
        // A notice made just before the program waits must be on the screen while it waits.
        w->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return TRUE;
}

BOOL CDialog::DestroyWindow()
{
    if (m_bModeless) {
        m_bModeless = FALSE;
        UiServices().ModelessDestroyed(m_nIDTemplate);
    }
    return CWnd::DestroyWindow();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnClose()
{
    OnCancel();
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModalOpen) {
        m_bModalOpen = FALSE;
        if (QWidget* w = GetQWidget())
            w->hide();
    } else {
        // A modeless dialog's EndDialog only hides it; the program destroys it.
        if (QWidget* w = GetQWidget())
            w->hide();
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        pWndCtrl->SetFocus();
}

void CDialog::NextDlgCtrl()
{
    if (QWidget* f = QApplication::focusWidget())
        if (QWidget* next = f->nextInFocusChain())
            next->setFocus(Qt::TabFocusReason);
}

void CDialog::PrevDlgCtrl()
{
    if (QWidget* f = QApplication::focusWidget())
        if (QWidget* prev = f->previousInFocusChain())
            prev->setFocus(Qt::BacktabFocusReason);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CWnd::PreTranslateMessage(pMsg);
    CWnd* target = CWnd::FromHandle(pMsg->hwnd);
    if (pMsg->wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    if (pMsg->wParam == VK_RETURN) {
        // Enter in a multi-line field is a new line; elsewhere it presses the default button.
        if (target && dynamic_cast<CEdit*>(target) && (target->GetStyle() & ES_MULTILINE))
            return FALSE;
        if (auto* b = dynamic_cast<CButton*>(target); b && (b->GetStyle() & 0x0F) <= BS_DEFPUSHBUTTON) {
            b->SendMessage(BM_CLICK);
            return TRUE;
        }
        int def = IDOK;
        for (CWnd* c : AfxDialogControls(this))
            if (dynamic_cast<CButton*>(c) && (c->GetStyle() & 0x0F) == BS_DEFPUSHBUTTON)
                def = c->GetDlgCtrlID();
        CWnd* button = GetDlgItem(def);
        if (button && !button->IsWindowEnabled())
            return TRUE;
        SendMessage(WM_COMMAND, static_cast<WPARAM>(def), reinterpret_cast<LPARAM>(button ? button->m_hWnd : nullptr));
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL AfxSubclassDlgItem(CWnd& control, UINT nID, CWnd* pParent)
{
    CWnd* old = pParent ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
    if (!old || old == &control || control.m_hWnd)
        return FALSE;
    // The program's object takes the window over: widget, state and place in the family.
    CWndState* state = old->m_pState;
    QWidget* widget = state ? state->widget.data() : nullptr;
    old->m_pState = nullptr;
    old->m_hWnd = nullptr;
    delete control.m_pState;
    control.m_pState = state;
    if (state)
        state->wnd = &control;
    control.m_pParent = old->m_pParent;
    control.m_nID = old->m_nID;
    control.m_style = old->m_style;
    control.m_hWnd = reinterpret_cast<HWND>(&control);
    if (widget)
        UiRegisterWidget(widget, &control);
    bool owned = false;
    if (auto* dlg = dynamic_cast<CDialog*>(pParent)) {
        for (auto& c : dlg->m_templateControls)
            if (c.wnd == old) {
                // The program's object keeps the control's place in the template order.
                c.wnd = &control;
                if (c.owned.get() == old) {
                    c.owned.reset();
                    owned = true;
                }
                break;
            }
    }
    (void)owned; // a control made elsewhere stays its maker's to delete
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Common dialogs

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
                         CWnd*)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFileName(lpszFileName ? lpszFileName : ""), m_strFilter(lpszFilter ? lpszFilter : "")
{
    m_ofn.Flags = dwFlags;
}

INT_PTR CFileDialog::DoModal()
{
    for (;;) {
        CFileDialogRequest req;
        req.bOpen = m_bOpenFileDialog;
        req.flags = m_ofn.Flags;
        req.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
        req.defaultExt = m_strDefExt;
        req.fileName = m_strFileName;
        req.filter = m_strFilter;
        req.initialDir = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "";
        req.filterIndex = static_cast<int>(m_ofn.nFilterIndex);
        if (!UiServices().FileDialog(req) || req.chosen.empty())
            return IDCANCEL;
        // A name without an extension takes the default one.
        if (!m_strDefExt.IsEmpty())
            for (CString& p : req.chosen) {
                int slash = std::max(p.ReverseFind('\\'), p.ReverseFind('/'));
                if (p.Mid(slash + 1).Find('.') < 0)
                    p += "." + m_strDefExt;
            }
        if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT)) {
            std::error_code ec;
            if (std::filesystem::exists(UiPathToFs(req.chosen.front()), ec)) {
                CString text = req.chosen.front() + " は既に存在します。\n上書きしますか?";
                if (AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                    continue; // the dialog asks again
            }
        }
        m_chosen = req.chosen;
        m_strFileName = req.chosen.front();
        m_ofn.nFilterIndex = static_cast<DWORD>(req.filterIndex);
        return IDOK;
    }
}

CString CFileDialog::GetPathName() const
{
    return m_chosen.empty() ? m_strFileName : m_chosen.front();
}

CString CFileDialog::GetFileName() const
{
    CString p = GetPathName();
    int slash = std::max(p.ReverseFind('\\'), p.ReverseFind('/'));
    return p.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString n = GetFileName();
    int dot = n.ReverseFind('.');
    return dot < 0 ? CString() : n.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString n = GetFileName();
    int dot = n.ReverseFind('.');
    return dot < 0 ? n : n.Left(dot);
}

POSITION CFileDialog::GetStartPosition() const
{
    return UiFirstPosition(m_chosen);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    return UiNextAt(m_chosen, pos);
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd*)
{
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags | (clrInit != 0 ? CC_RGBINIT : 0);
}

INT_PTR CColorDialog::DoModal()
{
    COLORREF c = m_cc.rgbResult;
    if (!UiServices().ColorDialog(c, m_cc.Flags, m_cc.lpCustColors))
        return IDCANCEL;
    m_cc.rgbResult = c;
    return IDOK;
}

CFontDialog::CFontDialog(LOGFONT* lplfInitial, DWORD dwFlags, void*, CWnd*)
{
    std::memset(&m_lf, 0, sizeof m_lf);
    if (lplfInitial) {
        m_lf = *lplfInitial;
        dwFlags |= CF_INITTOLOGFONTSTRUCT;
    }
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
}

INT_PTR CFontDialog::DoModal()
{
    LOGFONT lf = m_lf;
    COLORREF color = m_cf.rgbColors;
    if (!UiServices().FontDialog(lf, color, m_cf.Flags))
        return IDCANCEL;
    m_lf = lf;
    m_cf.rgbColors = color;
    // Point size in tenths, from the height in pixels at the screen's 96 dots per inch.
    m_cf.iPointSize = std::abs(lf.lfHeight) * 720 / 96;
    return IDOK;
}
