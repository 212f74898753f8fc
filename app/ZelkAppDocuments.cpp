// The application's opening of drawings: by file name (command line, recent files, dropped
// files), through the open dialog, into a new window or into an empty one, and the lookups of
// the open drawings these need.
#include "app/ZelkApp.h"

#include "app/WaitCursorScope.h"
#include "document/ZelkDoc.h"
#include "formats/FileDialogs.h"
#include "input/InputBar.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "view/ZelkView.h"

namespace {

constexpr UINT kFailedToCreateDoc = 61700;

// The drawing's first view, with its document known to it.
CZelkView* FirstDrawingView(CZelkDoc* doc)
{
    for (CView* v : doc->m_viewList)
        if (auto* view = dynamic_cast<CZelkView*>(v)) {
            view->m_document = doc;
            return view;
        }
    return nullptr;
}

void SetDrawingPath(CZelkDoc* doc, const CString& path)
{
    doc->m_path = path;
    doc->m_strPathName = path;
}

void SetDrawingTitle(CZelkDoc* doc, const CString& title)
{
    doc->CDocument::SetTitle(title);
    doc->SetTitle(title);
}

} // namespace

CDocument* CZelkApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CWaitCursorScope wait;
    const CString path = lpszFileName ? lpszFileName : "";
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(path, nullptr, nullptr, fname, ext);
    CString upper = ext;
    upper.MakeUpper();
    if (upper == ".ZEL")
        return OpenDrawingFile(path, fname, 2);
    if (upper == ".DXF")
        return OpenDrawingFile(path, fname, 4);
    // Text windows come with the text document; until then a text file cannot be opened.
    AfxMessageBox("テキストファイルはオープンできませんでした");
    return nullptr;
}

void CZelkApp::OnFileOpen()
{
    if (m_contextHelpMode == 11) {
        ShowHelpPage("Help\\HID_FILE_OPEN.htm");
        m_contextHelpMode = 0;
        return;
    }
    OpenDrawingsWithDialog();
    m_lastCommandId = ID_FILE_OPEN;
}

int CZelkApp::OpenDrawingsWithDialog()
{
    CStringArray paths;
    if (!ChooseFileNames(paths, 1))
        return 0;
    return OpenDrawingFiles(paths);
}

int CZelkApp::OpenDrawingFiles(const CStringArray& paths)
{
    for (int i = 0; i < paths.GetSize(); ++i) {
        char fname[_MAX_FNAME];
        char ext[_MAX_EXT];
        _splitpath(paths[i], nullptr, nullptr, fname, ext);
        CString lower = ext;
        lower.MakeLower();
        if (lower == ".zel")
            OpenDrawingFile(paths[i], fname, 2);
        else if (lower == ".dxf")
            OpenDrawingFile(paths[i], fname, 4);
    }
    return 1;
}

CZelkDoc* CZelkApp::OpenDrawingFile(const CString& path, const CString& name, int kind)
{
    CZelkDoc* doc = FindEmptyDrawingDoc();
    const bool reused = doc != nullptr;
    if (reused) {
        SetDrawingPath(doc, path);
        doc->m_name = name;
        SetDrawingTitle(doc, path);
    } else {
        if (FindDrawingDocByPath(path)) {
            AfxMessageBox(path + " はすでに開かれています");
            return nullptr;
        }
        doc = CreateDrawingDoc(name, path, TRUE);
        if (!doc)
            return nullptr;
        SetDrawingPath(doc, path);
    }
    if (CountDrawingDocs() == 1)
        TileDrawingWindows();
    CZelkView* view = FirstDrawingView(doc);
    if (!view) {
        AfxMessageBox(path + " はオープンできませんでした");
        return nullptr;
    }
    if (m_inputBar)
        m_inputBar->SelectList(1, 0, 1);
    view->SetFocus();
    const int read = kind == 4 ? view->ReadDxfFile(path) : view->ReadNativeFile(path);
    if (!read) {
        AfxMessageBox(path + " はオープンできませんでした");
        return nullptr;
    }
    if (reused) {
        doc->UpdateAllViews(nullptr);
        view->SendPaint();
    }
    return doc;
}

int CZelkApp::CountDrawingDocs() const
{
    int count = 0;
    if (!m_pDocTemplate)
        return 0;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos)
        if (m_pDocTemplate->GetNextDoc(pos))
            ++count;
    return count;
}

CZelkDoc* CZelkApp::FindEmptyDrawingDoc() const
{
    CZelkDoc* found = nullptr;
    if (!m_pDocTemplate)
        return nullptr;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (doc && !doc->HasData())
            found = doc;
    }
    return found;
}

CZelkDoc* CZelkApp::FindDrawingDocByPath(const CString& path) const
{
    if (!m_pDocTemplate)
        return nullptr;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (doc && doc->m_path == path)
            return doc;
    }
    return nullptr;
}

CZelkDoc* CZelkApp::CreateDrawingDoc(const CString& name, const CString& title, BOOL visible)
{
    if (!m_pDocTemplate)
        return nullptr;
    auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->CreateNewDocument());
    if (!doc) {
        AfxMessageBox(kFailedToCreateDoc);
        return nullptr;
    }
    doc->m_name = name;
    SetDrawingTitle(doc, title);
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = m_pDocTemplate->CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        AfxMessageBox(kFailedToCreateDoc);
        delete doc;
        return nullptr;
    }
    m_pDocTemplate->InitialUpdateFrame(frame, doc, visible);
    return doc;
}
