// The drawing's item for other programs, made when first asked for.
#include "document/ZelkDoc.h"

#include "view/ZelkSrvrItem.h"

CZelkSrvrItem* CZelkDoc::GetEmbeddedItem()
{
    if (!m_embeddedItem)
        m_embeddedItem = OnGetEmbeddedItem();
    return m_embeddedItem;
}

CZelkSrvrItem* CZelkDoc::OnGetEmbeddedItem()
{
    auto* item = new CZelkSrvrItem(this);
    m_quietClose = 1;
    return item;
}
