// CDocument: views, title and path, and the open / save / close protocol.
#include "platform/ui/Document.h"

#include "platform/core/Archive.h"
#include "platform/core/CodePage.h"
#include "platform/core/File.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"

#include <QWidget>
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views still attached lose their document; the template forgets this one.
    for (CView* v : m_viewList)
        v->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    for (CView* v : m_viewList)
        if (CFrameWnd* f = v->GetParentFrame())
            f->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    // The title is the file's name without its folder.
    CString title = m_strPathName;
    int cut = -1;
    for (int i = 0; i < title.GetLength(); ++i) {
        int len = MbCharLength(title.GetString(), i, title.GetLength());
        if (len == 1 && (title[i] == '\\' || title[i] == '/' || title[i] == ':'))
            cut = i;
        i += len - 1;
    }
    SetTitle(title.Mid(cut + 1));
    if (bAddToMRU)
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (!pView || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // The last view gone closes the document.
    if (m_viewList.empty() && m_bAutoDelete)
        OnCloseDocument();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return UiFirstPosition(m_viewList);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return UiNextAt(m_viewList, rPosition);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    std::vector<CView*> views = m_viewList;
    for (CView* v : views)
        if (v != pSender && UiIsLive(v))
            v->OnUpdate(pSender, lHint, pHint);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, 0xF002 /* AFX_IDP_FAILED_TO_OPEN_DOC */);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    } catch (CException& e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(lpszPathName, &e, FALSE, 0xF002);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, 0xF003 /* AFX_IDP_INVALID_FILENAME */);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException& e) {
        file.Abort();
        ReportSaveLoadException(lpszPathName, &e, TRUE, 0xF004 /* AFX_IDP_FAILED_TO_SAVE_DOC */);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CObject*, BOOL, UINT nIDPDefault)
{
    CString text;
    if (!AfxLoadString(nIDPDefault, text) || text.IsEmpty())
        text = lpszPathName ? lpszPathName : "";
    else if (text.Find("%1") >= 0)
        text.Replace("%1", lpszPathName ? lpszPathName : "");
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Closing a frame may remove views from the list, so the loop works on a copy.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    std::vector<CView*> views = m_viewList;
    for (CView* v : views) {
        if (!UiIsLive(v))
            continue;
        if (CFrameWnd* frame = v->GetParentFrame()) {
            PreCloseFrame(frame);
            frame->DestroyWindow();
        }
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString prompt;
    // The framework's own question, unless the program's resources give another.
    if (!AfxLoadString(0xF105 /* AFX_IDP_ASK_TO_SAVE */, prompt) || prompt.IsEmpty())
        prompt = CString(Utf8ToCp932("%1 への変更を保存しますか?"));
    prompt.Replace("%1", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Another frame still showing this document lets the frame go without asking.
    for (CView* v : m_viewList) {
        CFrameWnd* f = v->GetParentFrame();
        if (f && f != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? lpszPathName : "";
    if (newName.IsEmpty()) {
        newName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        CWinApp* app = AfxGetApp();
        if (!app || !app->DoPromptFileName(newName, 0xF001 /* AFX_IDS_SAVEFILE */, 0x00000002 /* OFN_OVERWRITEPROMPT */,
                                           FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Then the template, after the document.
    if (m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}
