// The application object, its message loop and profile, templates and recent files.
#include "platform/ui/WinApp.h"

#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/QtServices.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* g_app = nullptr;
std::vector<CWinApp*> g_newDllApps;
}

std::vector<CWinApp*> AfxTakeNewDllApps()
{
    std::vector<CWinApp*> out;
    out.swap(g_newDllApps);
    return out;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 15, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName)
        m_strAppName = lpszAppName;
    // A plug-in's application object finds the host's in place and stays out of its way.
    if (g_app) {
        m_bDllApp = TRUE;
        g_newDllApps.push_back(this);
    } else {
        g_app = this;
    }
    m_pszAppName = m_strAppName.GetString();
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    for (CDocTemplate* t : m_templates)
        delete t;
    m_templates.clear();
    if (g_app == this)
        g_app = nullptr;
    g_newDllApps.erase(std::remove(g_newDllApps.begin(), g_newDllApps.end(), this), g_newDllApps.end());
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app ? g_app->m_hInstance : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

LPCTSTR AfxGetAppName()
{
    return g_app ? g_app->m_pszAppName : "";
}

int CWinApp::ExitInstance()
{
    if (!m_bDllApp && m_pRecentFileList)
        SaveStdProfileSettings();
    return m_nExitCode;
}

BOOL CWinApp::OnIdle(LONG)
{
    // Idle time keeps the tool bars and status panes in step with their update handlers.
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        if (UiIsLive(frame) && frame->m_hWnd) {
            frame->UpdateControlBars();
            if (CFrameWnd* active = frame->GetActiveFrame(); active && active != frame)
                active->UpdateControlBars();
        }
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG*)
{
    return FALSE;
}

int CWinApp::Run()
{
    UiEnsureApplication();
    QTimer idle;
    idle.setInterval(100);
    QObject::connect(&idle, &QTimer::timeout, [this]() { OnIdle(0); });
    idle.start();
    if (std::getenv("ZELK_QUIT_AT_START"))
        QTimer::singleShot(0, QApplication::instance(), []() { QApplication::quit(); });
    int code = QApplication::exec();
    m_nExitCode = code;
    return ExitInstance();
}

void AfxReportFailure(const CString& text)
{
    std::fprintf(stderr, "%s\n", UiCp932ToUtf8(text.GetString(), text.GetLength()).c_str());
    std::fflush(stderr);
    // Offscreen and minimal platforms have no one to answer a box: it would wait for ever.
    const QString platform = QGuiApplication::platformName();
    if (QApplication::instance() && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}

void PostQuitMessage(int nExitCode)
{
    if (QApplication::instance())
        QApplication::exit(nExitCode);
}

int AfxWinMain(int argc, char** argv)
{
    static int s_argc = argc;
    QApplication* qapp = nullptr;
    if (!QApplication::instance())
        qapp = new QApplication(s_argc, argv);
    UiEnsureApplication();
    static CQtServices real;
    SetServices(&real);
    SetUiServices(&real);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    for (int i = 1; i < argc; ++i)
        app->m_args.push_back(UiUtf8ToCp932(argv[i]));
    int result = 0;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && UiIsLive(app->m_pMainWnd))
            app->m_pMainWnd->DestroyWindow();
        // A start that failed ends with a failure status whatever ExitInstance answers.
        result = app->ExitInstance();
        if (result == 0)
            result = 1;
    } else {
        result = app->Run();
    }
    SetUiServices(nullptr);
    SetServices(nullptr);
    delete qapp;
    return result;
}

// ---------------------------------------------------------------------------------------------
// Templates and documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return UiFirstPosition(m_templates);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return UiNextAt(m_templates, pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templates.empty())
        return nullptr;
    CDocTemplate* best = nullptr;
    CDocument* open = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (CDocTemplate* t : m_templates) {
        CDocument* match = nullptr;
        CDocTemplate::Confidence c = t->MatchDocType(lpszFileName, match);
        if (c > bestMatch) {
            bestMatch = c;
            best = t;
        }
        if (c == CDocTemplate::yesAlreadyOpen) {
            open = match;
            break;
        }
    }
    if (open) {
        // An open document is brought forward instead of being read again.
        if (!open->m_viewList.empty())
            if (CFrameWnd* frame = open->m_viewList.front()->GetParentFrame())
                frame->ActivateFrame();
        return open;
    }
    if (!best)
        best = m_templates.front();
    return best->OpenDocumentFile(lpszFileName);
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocTemplate* t : m_templates)
        if (!t->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* t : m_templates)
        t->CloseAllDocuments(bEndSession);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    CFileDialogRequest req;
    req.bOpen = bOpenFileDialog;
    req.flags = lFlags;
    AfxLoadString(nIDSTitle, req.title);
    req.fileName = fileName;
    std::vector<CDocTemplate*> list;
    if (pTemplate)
        list.push_back(pTemplate);
    else
        list = m_templates;
    for (CDocTemplate* t : list) {
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && t->GetDocString(ext, CDocTemplate::filterExt)
            && !name.IsEmpty() && !ext.IsEmpty()) {
            req.filter += name + "|*" + ext + "|";
            if (req.defaultExt.IsEmpty())
                req.defaultExt = ext.Mid(ext.GetAt(0) == '.' ? 1 : 0);
        }
    }
    req.filter += "*.*|*.*||";
    if (!UiServices().FileDialog(req) || req.chosen.empty())
        return FALSE;
    fileName = req.chosen.front();
    return TRUE;
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, 0xF000 /* AFX_IDS_OPENFILE */, 0, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && UiIsLive(m_pMainWnd))
        m_pMainWnd->SendMessage(WM_CLOSE, 0, 0);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (!OpenDocumentFile(path))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (!m_pRecentFileList) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Command line

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        CString p(pszParam);
        if (p.CompareNoCase("Embedding") == 0 || p.CompareNoCase("-Embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (p.CompareNoCase("Automation") == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        } else if (p.CompareNoCase("p") == 0) {
            m_nShellCommand = FilePrint;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (size_t i = 0; i < m_args.size(); ++i) {
        const CString& a = m_args[i];
        BOOL flag = a.GetLength() > 1 && (a[0] == '/' || a[0] == '-') && !(a[0] == '/' && a.Find('/', 1) >= 0);
        CString param = flag ? a.Mid(1) : a;
        // A path argument of the file system becomes a program path.
        if (!flag)
            param = UiPathFromFs(UiCp932ToUtf8(param.GetString(), param.GetLength()));
        rCmdInfo.ParseParam(param, flag, i + 1 == m_args.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        return TRUE;
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

// ---------------------------------------------------------------------------------------------
// Profile

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = m_strRegistryKey.GetString();
}

std::string CWinApp::ProfilePath() const
{
    CString key = m_strRegistryKey.IsEmpty() ? CString("Zelk") : m_strRegistryKey;
    return FileSystemPath(ProgramFolder() + key + ".ini");
}

namespace {
QString ProfileKey(LPCTSTR section, LPCTSTR entry)
{
    return ToQ(section ? section : "") + QLatin1Char('/') + ToQ(entry ? entry : "");
}
} // namespace

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    QSettings s(QString::fromStdString(ProfilePath()), QSettings::IniFormat);
    QVariant v = s.value(ProfileKey(lpszSection, lpszEntry));
    if (!v.isValid())
        return static_cast<UINT>(nDefault);
    bool ok = false;
    int i = v.toString().toInt(&ok);
    return ok ? static_cast<UINT>(i) : static_cast<UINT>(nDefault);
}

namespace {

// One change of the profile. QSettings writes a complete new file beside the profile and renames
// it into place, so a failure leaves the previous profile; one marked read-only is left alone.
BOOL ChangeProfile(CWinApp& app, const std::function<void(QSettings&)>& change)
{
    const std::string path = app.ProfilePath();
    if (MayReplaceFile(path)) {
        QSettings s(QString::fromStdString(path), QSettings::IniFormat);
        change(s);
        s.sync();
        if (s.status() == QSettings::NoError)
            return TRUE;
    }
    app.m_bProfileWriteFailed = TRUE;
    return FALSE;
}

} // namespace

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return ChangeProfile(*this, [&](QSettings& s) {
        s.setValue(ProfileKey(lpszSection, lpszEntry), QString::number(nValue));
    });
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    QSettings s(QString::fromStdString(ProfilePath()), QSettings::IniFormat);
    QVariant v = s.value(ProfileKey(lpszSection, lpszEntry));
    if (!v.isValid())
        return CString(lpszDefault ? lpszDefault : "");
    return FromQ(v.toString());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    return ChangeProfile(*this, [&](QSettings& s) {
        if (!lpszEntry)
            s.remove(ToQ(lpszSection ? lpszSection : ""));
        else if (!lpszValue)
            s.remove(ProfileKey(lpszSection, lpszEntry));
        else
            s.setValue(ProfileKey(lpszSection, lpszEntry), ToQ(lpszValue));
    });
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
        return;
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(std::min<UINT>(nMaxMRU, 16)));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(lpszCursorName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(nIDResource));
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0)
        UiBeginWaitCursor();
    else if (nCode < 0)
        UiEndWaitCursor();
    else
        UiRestoreWaitCursor();
}

void CWinApp::WinHelp(DWORD, UINT) {}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text, nType);
}

// ---------------------------------------------------------------------------------------------
// Recent files

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nSize(nSize),
      m_arrNames(static_cast<size_t>(nSize))
{
}

int CRecentFileList::CountNames() const
{
    int n = 0;
    for (const CString& s : m_arrNames)
        if (!s.IsEmpty())
            ++n;
    return n;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize <= 0)
        return;
    CString path(lpszPathName);
    // The same file (compared without case, as Windows names are) moves to the top.
    int found = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i)
        if (m_arrNames[static_cast<size_t>(i)].CompareNoCase(path) == 0) {
            found = i;
            break;
        }
    for (int i = found; i > 0; --i)
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i - 1)];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i + 1)];
    m_arrNames[static_cast<size_t>(m_nSize - 1)].Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat.GetString(), i + 1);
        m_arrNames[static_cast<size_t>(i)] = app->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    // The list goes into the profile in one change, so that it is never left half written.
    ChangeProfile(*app, [this](QSettings& s) {
        s.remove(ToQ(m_strSectionName));
        for (int i = 0; i < m_nSize; ++i) {
            if (m_arrNames[static_cast<size_t>(i)].IsEmpty())
                continue;
            CString entry;
            entry.Format(m_strEntryFormat.GetString(), i + 1);
            s.setValue(ProfileKey(m_strSectionName, entry), ToQ(m_arrNames[static_cast<size_t>(i)]));
        }
    });
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* menu = pCmdUI->m_pMenu;
    if (!menu) {
        pCmdUI->Enable(CountNames() > 0);
        return;
    }
    // The first item stands for the whole list: it becomes one item per name.
    UINT first = pCmdUI->m_nID;
    for (int i = 1; i < m_nSize; ++i)
        menu->DeleteMenu(first + static_cast<UINT>(i), MF_BYCOMMAND);
    if (CountNames() == 0) {
        pCmdUI->Enable(FALSE);
        return;
    }
    UINT pos = pCmdUI->m_nIndex;
    for (int i = 0; i < m_nSize; ++i) {
        const CString& name = m_arrNames[static_cast<size_t>(i)];
        if (name.IsEmpty())
            break;
        CString text;
        text.Format("&%d %s", (i + 1) % 10, ScreenPathText(name).GetString());
        if (i == 0)
            menu->ModifyMenu(pos, MF_BYPOSITION | MF_STRING, first, text);
        else
            menu->InsertMenu(pos + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, first + static_cast<UINT>(i), text);
    }
    pCmdUI->m_nIndexMax = menu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
