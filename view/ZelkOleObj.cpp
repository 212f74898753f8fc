// Repainting of an embedded object's area in the views of its drawing.
#include "view/ZelkOleObj.h"

#include "document/ZelkDoc.h"
#include "view/ZelkView.h"

void CZelkOleObj::Invalidate()
{
    if (!m_document)
        return;
    for (CZelkView* view : m_document->GetViews())
        view->InvalidateObject(this);
}
