// Opening a new drawing: one made in context-help mode opens nothing.
#include "document/ZelkDoc.h"

BOOL CZelkDoc::OnNewDocument()
{
    return m_hasContents && CDocument::OnNewDocument();
}
