// Creating drawings through the drawing template, counting them and finding an open one.
#include "app/ZelkApp.h"

#include "document/ZelkDoc.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"

namespace {

// The framework's prompt for a document that could not be created.
constexpr UINT kFailedToCreateDoc = 61700;

}  // namespace

CZelkDoc* CZelkApp::CreateDrawingDoc(const CString& name, const CString& title, BOOL visible)
{
    CDocument* created = m_pDocTemplate ? m_pDocTemplate->CreateNewDocument() : nullptr;
    auto* doc = dynamic_cast<CZelkDoc*>(created);
    if (!doc) {
        delete created;
        AfxMessageBox(kFailedToCreateDoc);
        return nullptr;
    }
    doc->m_name = name;
    doc->SetTitle(title);
    doc->CDocument::SetTitle(title);
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
    // Showing the first drawing runs its start-up notices, and the library chosen there closes
    // the empty drawings, this one among them.
    if (!IsDrawingDocument(doc))
        return nullptr;
    return doc;
}

namespace {

// The first open drawing that `match` accepts.
template <class Match>
CZelkDoc* FindDrawing(const CMultiDocTemplate* docTemplate, Match match)
{
    if (!docTemplate)
        return nullptr;
    POSITION pos = docTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = dynamic_cast<CZelkDoc*>(docTemplate->GetNextDoc(pos));
        if (doc && match(doc))
            return doc;
    }
    return nullptr;
}

}  // namespace

CZelkDoc* CZelkApp::FindDrawingDocByPath(const CString& path) const
{
    return FindDrawing(m_pDocTemplate, [&](CZelkDoc* doc) { return doc->m_path == path; });
}

CZelkDoc* CZelkApp::FindDrawingDocByName(const CString& name) const
{
    return FindDrawing(m_pDocTemplate, [&](CZelkDoc* doc) { return doc->m_name == name; });
}

int CZelkApp::CountDrawingDocs() const
{
    if (!m_pDocTemplate)
        return 0;
    int n = 0;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        m_pDocTemplate->GetNextDoc(pos);
        ++n;
    }
    return n;
}

// The last of the open drawings that hold no elements.
CZelkDoc* CZelkApp::FindEmptyDrawingDoc() const
{
    if (!m_pDocTemplate)
        return nullptr;
    CZelkDoc* found = nullptr;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (doc && !doc->HasData())
            found = doc;
    }
    return found;
}
