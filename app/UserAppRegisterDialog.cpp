// The registration dialog's list, fields and buttons.
#include "app/UserAppRegisterDialog.h"

#include "app/ZelkApp.h"
#include "input/InputBar.h"
#include "platform/core/Services.h"
#include "userapp/UserAppManager.h"
#include "userapp/UserAppRecord.h"

namespace {

constexpr int IDC_APP_NAME = 1010;
constexpr int IDC_APP_FILE = 1011;
constexpr int IDC_APP_VERSION = 1012;
constexpr int IDC_APP_LIST = 1014;

const char* const kMsgAlreadyRegistered = "アプリケーション名称とファイル名の全く同じものが登録済みです";
const char* const kMsgSelectList = "リストを選択してください";
const char* const kMsgCloseUnregistered = "未登録のまま終了しても良いですか";
const char* const kMsgSeparator = "アプリケーションの名称、ファイル名とバージョンには / を使えません";

} // namespace

BEGIN_MESSAGE_MAP(CUserAppRegisterDialog, CDialog)
    ON_EN_CHANGE(IDC_APP_NAME, OnFieldChange)
    ON_EN_CHANGE(IDC_APP_FILE, OnFieldChange)
    ON_LBN_SELCHANGE(IDC_APP_LIST, OnSelectEntry)
    ON_BN_CLICKED(1016, OnInsert)
    ON_BN_CLICKED(1017, OnChange)
    ON_BN_CLICKED(1015, OnDelete)
END_MESSAGE_MAP()

void CUserAppRegisterDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_APP_LIST, m_list);
    DDX_Text(pDX, IDC_APP_FILE, m_fileName);
    DDV_MaxChars(pDX, m_fileName, 255);
    DDX_Text(pDX, IDC_APP_NAME, m_appName);
    DDV_MaxChars(pDX, m_appName, 255);
    DDX_Text(pDX, IDC_APP_VERSION, m_version);
    DDV_MaxChars(pDX, m_version, 5);
}

BOOL CUserAppRegisterDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    m_changed = 0;
    for (int i = 0; i < m_manager->GetAppCount(); ++i)
        m_list.AddString(m_manager->GetAppName(i));
    m_list.SetCurSel(m_list.AddString(""));
    m_appName = "Zelkアプリケーション";
    m_fileName = "any.dll";
    m_version = g_pApp ? g_pApp->m_interfaceVersion : CString();
    ShowFields();
    return TRUE;
}

void CUserAppRegisterDialog::ShowFields()
{
    m_showing = TRUE;
    UpdateData(FALSE);
    m_showing = FALSE;
}

void CUserAppRegisterDialog::Focus(int id)
{
    if (CWnd* control = GetDlgItem(id))
        GotoDlgCtrl(control);
}

void CUserAppRegisterDialog::OnFieldChange()
{
    if (!m_showing)
        m_changed = 1;
}

int CUserAppRegisterDialog::RecordOfEntry(int entry) const
{
    if (entry < 0)
        return -1;
    int shown = 0;
    for (int i = 0; i < m_manager->GetAppCount(); ++i) {
        if (m_manager->GetAppRecord(i)->m_editState == CUserAppRecord::kDeleted)
            continue;
        if (shown++ == entry)
            return i;
    }
    return -1;
}

BOOL CUserAppRegisterDialog::ReadFields()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_appName.IsEmpty() || m_fileName.IsEmpty() || m_version.IsEmpty()) {
        Focus(IDC_APP_NAME);
        return FALSE;
    }
    // "/" separates the fields of the registration file: such a name could not be read back.
    if (m_appName.Find('/') >= 0 || m_fileName.Find('/') >= 0 || m_version.Find('/') >= 0) {
        AfxMessageBox(kMsgSeparator, MB_OK);
        Focus(IDC_APP_NAME);
        return FALSE;
    }
    return TRUE;
}

void CUserAppRegisterDialog::OnSelectEntry()
{
    const int entry = m_list.GetCurSel();
    if (entry < 0)
        return;
    m_list.GetText(entry, m_appName);
    const int record = RecordOfEntry(entry);
    if (record >= 0) {
        m_fileName = m_manager->GetAppFileName(record);
        m_version = m_manager->GetAppVersion(record);
    }
    ShowFields();
    Focus(IDC_APP_NAME);
}

void CUserAppRegisterDialog::OnInsert()
{
    if (!ReadFields())
        return;
    int deletedPassed = 0;
    const int same = m_manager->FindAppByName(m_appName, deletedPassed);
    for (int i = same; i >= 0 && i < m_manager->GetAppCount(); ++i) {
        const CUserAppRecord* app = m_manager->GetAppRecord(i);
        if (app->m_editState == CUserAppRecord::kDeleted || app->m_name != m_appName || app->m_fileName != m_fileName)
            continue;
        AfxMessageBox(kMsgAlreadyRegistered, MB_OK);
        int entry = 0;
        for (int k = 0; k < i; ++k)
            if (m_manager->GetAppRecord(k)->m_editState != CUserAppRecord::kDeleted)
                ++entry;
        m_list.SetCurSel(entry);
        Focus(IDC_APP_NAME);
        return;
    }
    const int emptyLine = m_list.GetCount() - 1;
    int entry = m_list.GetCurSel();
    // Without a selection the new entry goes before the empty last line, where its record is.
    if (entry < 0)
        entry = emptyLine;
    const int position = entry == emptyLine ? m_manager->GetAppCount() : RecordOfEntry(entry);
    m_list.InsertString(entry, m_appName);
    m_manager->InsertApp(position, m_fileName, m_appName, m_version);
    m_changed = 0;
    Focus(IDOK);
    ShowFields();
}

void CUserAppRegisterDialog::OnChange()
{
    const int entry = m_list.GetCurSel();
    if (entry < 0) {
        AfxMessageBox(kMsgSelectList, MB_OK);
        Focus(IDC_APP_LIST);
        return;
    }
    CUserAppRecord* app = m_manager->GetAppRecord(RecordOfEntry(entry));
    if (!app || !ReadFields())
        return;
    app->m_name = m_appName;
    app->m_fileName = m_fileName;
    app->m_version = m_version;
    m_list.DeleteString(static_cast<UINT>(entry));
    m_list.InsertString(entry, m_appName);
    m_list.SetCurSel(entry);
    ShowFields();
    m_changed = 0;
}

void CUserAppRegisterDialog::OnDelete()
{
    const int entry = m_list.GetCurSel();
    if (entry < 0) {
        AfxMessageBox(kMsgSelectList, MB_OK);
        Focus(IDC_APP_LIST);
        return;
    }
    const int record = RecordOfEntry(entry);
    if (record < 0) {
        m_fileName.Empty();
        ShowFields();
        return;
    }
    m_fileName = m_manager->GetAppFileName(record);
    m_manager->MarkAppDeleted(record);
    m_list.DeleteString(static_cast<UINT>(entry));
    m_list.SetCurSel(entry);
    Focus(IDC_APP_LIST);
    ShowFields();
}

void CUserAppRegisterDialog::OnOK()
{
    if (m_changed && AfxMessageBox(kMsgCloseUnregistered, MB_OKCANCEL) == IDCANCEL)
        return;
    m_manager->CommitEdits();
    if (g_pApp && g_pApp->m_inputBar)
        g_pApp->m_inputBar->FillDefaultLists(5);
    EndDialog(IDOK);
}

void CUserAppRegisterDialog::OnCancel()
{
    m_manager->CancelEdits();
    EndDialog(IDCANCEL);
}
