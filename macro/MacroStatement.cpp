// CMacroStatement: construction and the values it owns.
#include "macro/MacroStatement.h"

#include "macro/MacroFrontEndMessages.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroTextWalk.h"
#include "macro/OwnedList.h"
#include "macro/Quantity.h"
#include "platform/core/Services.h"

CMacroStatement::CMacroStatement(const CString& nodeText, int nodeCode, int nodeIndent)
    : text(nodeText), code(nodeCode), parent(nullptr), valueFlags(6), split(0), firstChildOffset(0),
      unit(nullptr), outputUnit(nullptr), depth(0), forInit(0), indent(static_cast<std::int16_t>(nodeIndent)),
      parentOffset(0)
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

int CMacroStatement::CountBraces(int& column) const
{
    column = 0;
    int count = 0;
    ForEachOutsideStrings(text, [&](int i, char c) {
        if (c == '{') {
            ++count;
        } else if (c == '}') {
            --count;
            column = i;
        }
        return true;
    });
    return count;
}

int CMacroStatement::ApplyOutputUnit()
{
    const int at = text.Find("unit(");
    if (at < 0)
        return -1;
    CString tail = text.Mid(at + 5);
    tail.TrimRight();
    if (tail.IsEmpty() || tail[tail.GetLength() - 1] != ')') {
        AfxMessageBox(macro_text::kOutputUnitForm);
        return at + tail.GetLength();
    }
    const int index = CMacroInterpreter::FindUnitByName(tail.Left(tail.GetLength() - 1));
    if (index < 0) {
        AfxMessageBox(macro_text::kUnitNotRegistered);
        return at + 5;
    }
    outputUnit = CMacroInterpreter::GetUnit(index);
    text = text.Left(at);
    return -1;
}
