// CMacroStatement: construction and the values it owns.
#include "macro/MacroStatement.h"

#include "macro/OwnedList.h"
#include "macro/Quantity.h"

CMacroStatement::CMacroStatement(const CString& nodeText, int nodeCode, int nodeIndent)
    : text(nodeText), code(nodeCode), parent(nullptr), valueFlags(6), split(0), firstChildOffset(0),
      unit(nullptr), outputUnit(nullptr), depth(0), forInit(0), indent(static_cast<std::int16_t>(nodeIndent))
{
}

CMacroStatement::~CMacroStatement()
{
    ClearValues();
}

CQuantity* CMacroStatement::Value(int index) const
{
    if (index < 0 || index >= values.GetSize())
        return nullptr;
    return static_cast<CQuantity*>(values[index]);
}

void CMacroStatement::RemoveValues(int first, int last)
{
    if (first < 0 || first > last || last >= values.GetSize())
        return;
    for (int i = last; i >= first; --i) {
        delete static_cast<CQuantity*>(values[i]);
        values.RemoveAt(i);
    }
}

void CMacroStatement::ClearValues()
{
    DeleteOwned<CQuantity>(values);
}
