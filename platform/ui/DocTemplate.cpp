// Document templates: creating documents, their frames and views.
#include "platform/ui/DocTemplate.h"

#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiInternal.h"

#include <QWidget>
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    AfxLoadString(nIDResource, m_strDocStrings);
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::SetServerInfo(UINT nIDOleEmbedding, UINT, CRuntimeClass*, CRuntimeClass*)
{
    m_nIDServerResource = nIDOleEmbedding;
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    // Fields separated by "\n" in the template's string resource.
    int field = 0;
    int start = 0;
    const CString& s = m_strDocStrings;
    for (int i = 0; i <= s.GetLength(); ++i) {
        if (i == s.GetLength() || s[i] == '\n') {
            if (field == static_cast<int>(index)) {
                rString = s.Mid(start, i - start);
                return TRUE;
            }
            ++field;
            start = i + 1;
        }
    }
    return FALSE;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    auto* doc = UiCreateObjectOf<CDocument>(m_pDocClass);
    if (!doc)
        return nullptr;
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* frame = UiCreateObjectOf<CFrameWnd>(m_pFrameClass);
    if (!frame)
        return nullptr;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        if (UiIsLive(frame) && !frame->m_hWnd)
            delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* doc = GetNextDoc(pos);
        if (doc && !doc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // Closing a document takes it out of the list, so the first is closed until none is left.
    for (int guard = 0; guard < 100000; ++guard) {
        POSITION pos = GetFirstDocPosition();
        if (!pos)
            break;
        CDocument* doc = GetNextDoc(pos);
        if (!doc)
            break;
        doc->OnCloseDocument();
    }
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    CString path(lpszPathName ? lpszPathName : "");
    while (pos) {
        CDocument* doc = GetNextDoc(pos);
        if (doc && !path.IsEmpty() && doc->GetPathName().CompareNoCase(path) == 0) {
            rpDocMatch = doc;
            return yesAlreadyOpen;
        }
    }
    CString ext;
    if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
        if (path.GetLength() >= ext.GetLength() && path.Right(ext.GetLength()).CompareNoCase(ext) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

// ---------------------------------------------------------------------------------------------

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open at the end belong to the template.
    std::vector<CDocument*> docs = m_docList;
    m_docList.clear();
    for (CDocument* d : docs) {
        d->m_pDocTemplate = nullptr;
        delete d;
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return UiFirstPosition(m_docList);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return UiNextAt(m_docList, rPos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString base;
    if (!GetDocString(base, docName) || base.IsEmpty())
        base = "Untitled";
    CString title;
    title.Format("%s%u", base.GetString(), m_nUntitledCount + 1);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE; // a failed frame must not delete the document underneath us
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!lpszPathName || !*lpszPathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
