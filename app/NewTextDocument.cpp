// New text windows: through the text template when there is one; otherwise the document is
// kept by the application, without a window, until exit. Listing results go to one of them.
#include "app/ZelkApp.h"

#include "macro/TextDoc.h"
#include "platform/ui/DocTemplate.h"

CTextDoc* CZelkApp::NewTextDocument(int kind)
{
    CTextDoc* doc = nullptr;
    if (m_pTextTemplate) {
        doc = dynamic_cast<CTextDoc*>(m_pTextTemplate->OpenDocumentFile(nullptr));
    } else {
        doc = new CTextDoc;
        m_windowlessTextDocs.Add(doc);
    }
    if (doc)
        doc->m_kind = kind;
    return doc;
}

void CZelkApp::ShowResultsInTextWindow(const CStringArray& lines)
{
    if (!m_measureToTextWindow)
        return;
    CTextDoc* doc = NewTextDocument(0);
    if (!doc)
        return;
    doc->SetPathName("Devide", FALSE);
    doc->SetTitle("Devide.txt");
    doc->SetLines(lines);
}

void CZelkApp::DeleteWindowlessTextDocs()
{
    for (int i = 0; i < m_windowlessTextDocs.GetSize(); ++i)
        delete static_cast<CTextDoc*>(m_windowlessTextDocs[i]);
    m_windowlessTextDocs.RemoveAll();
}
