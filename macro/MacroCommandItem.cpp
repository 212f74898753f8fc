// CMacroCommandItem: the copies of the statement's arguments it owns.
#include "macro/MacroCommandItem.h"

#include "macro/OwnedList.h"
#include "macro/Quantity.h"

CMacroCommandItem::CMacroCommandItem(int itemCode, const CString& itemText, const CPtrArray* itemValues)
    : code(itemCode), text(itemText)
{
    if (!itemValues)
        return;
    for (int i = 0; i < itemValues->GetSize(); ++i) {
        const auto* v = static_cast<const CQuantity*>((*itemValues)[i]);
        if (v)
            values.Add(new CQuantity(*v));
    }
}

CMacroCommandItem::~CMacroCommandItem()
{
    DeleteOwned<CQuantity>(values);
}
