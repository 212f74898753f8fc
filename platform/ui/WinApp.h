// CWinApp: the application object (one per program; a plug-in's never replaces the host's),
// its start-up and message loop, document templates, the recent-file list, profile settings
// in the registry stand-in and the command line.
#pragma once

#include "platform/ui/CmdTarget.h"

#include <vector>

class CWnd;
class CDocTemplate;
class CDocument;
class CFrameWnd;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 } m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    virtual ~CCommandLineInfo() = default;
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
};

// The list of recently used files, newest first, kept in the profile's "Recent File List".
class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize);
    virtual ~CRecentFileList() = default;
    int GetSize() const { return m_nSize; }
    const CString& operator[](int nIndex) const { return m_arrNames[static_cast<size_t>(nIndex)]; }
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // Shows the names on the menu items ID_FILE_MRU_FILE1 ... of a menu.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    int CountNames() const;

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nSize;
    std::vector<CString> m_arrNames;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = 1; // SW_SHOWNORMAL
    LPTSTR m_lpCmdLine = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    // TRUE for an application object living in a plug-in.
    BOOL m_bDllApp = FALSE;

    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop; returns ExitInstance's result.
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Document templates and documents
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    const std::vector<CDocTemplate*>& DocTemplates() const { return m_templates; }
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // A file dialog for open or save; TRUE with the chosen name.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);

    // Command line and shell
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL bCompat = FALSE) { (void)bCompat; }
    BOOL Enable3dControls() { return TRUE; }
    void EnableControlContainer() {}

    // Profile (registry stand-in)
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HICON LoadIcon(UINT nIDResource) const;
    void DoWaitCursor(int nCode);
    // Opens a help page (a file relative to the program folder) with the desktop's viewer.
    virtual void WinHelp(DWORD dwData, UINT nCmd = 0);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    // Set when a profile write failed (the previous profile then stays as it was).
    BOOL m_bProfileWriteFailed = FALSE;

    // The command-line arguments given to the program.
    std::vector<CString> m_args;
    // The file holding the profile (UTF-8 path); empty until the registry key is set.
    std::string ProfilePath() const;

protected:
    DECLARE_MESSAGE_MAP()
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    std::vector<CDocTemplate*> m_templates;
    CString m_strRegistryKey;
    CString m_strAppName;
    int m_nWaitCursorCount = 0;
    int m_nExitCode = 0;

    friend int AfxWinMain(int argc, char** argv);
};

CWinApp* AfxGetApp();
// Application objects of plug-ins made since the last call (a library just loaded), in order.
std::vector<CWinApp*> AfxTakeNewDllApps();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCTSTR AfxGetAppName();
// Starts the program: the window system, the real services, InitInstance and the message loop.
// With ZELK_QUIT_AT_START set in the environment the loop ends as soon as it runs.
int AfxWinMain(int argc, char** argv);
// Tells the user why something the program could not do failed: always a line on standard error,
// and a message box when there is a display to show it on.
void AfxReportFailure(const CString& text);
// Ends the message loop (WM_QUIT).
void PostQuitMessage(int nExitCode);
// Message boxes with the program's name as caption, through the services.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
