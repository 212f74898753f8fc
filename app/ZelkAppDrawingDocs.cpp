// Creating drawings through the drawing template and finding the open ones by path.
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
    return doc;
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
