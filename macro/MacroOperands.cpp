// Operand evaluation: a leaf of the parsed text becomes a number with its unit, a variable's
// value, an unassigned name or a text; and the node value slots the executor fills.
#include "macro/MacroInterpreter.h"

#include "app/ZelkApp.h"
#include "geometry/Numeric.h"
#include "macro/MacroExecuteMessages.h"
#include "macro/MacroStatement.h"
#include "macro/MacroVariable.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"
#include "platform/core/Services.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const kReservedNames[] = {
    "sin",         "cos",         "tan",           "asin",       "acos",       "atan",          "fabs",
    "sqrt",        "pow",         "if",            "else if",    "else",       "while",         "for",
    "continue",    "break",       "CommandMenu",   "StatusMessage", "InputPoint", "InputValue", "CommandLine",
    "CommandCircle", "CommandArc", "CommandText",  "CommandDimension", "RGB"};

// Pieces and keywords that may stand without an operand.
bool MayBeEmpty(int code)
{
    switch (code) {
    case 2: case 3: case 4: case 5: case 44: case 47: case 48: case 50: case 51:
    case 105: case 106: case 107: case 108: case 110: case 111: case 112: case 113:
        return true;
    default:
        return false;
    }
}

CMacroVariable* VariableAt(int index)
{
    return static_cast<CMacroVariable*>(g_pApp->m_variableTable[index]);
}

} // namespace

CQuantity* CMacroInterpreter::AppendNodeValue(CMacroStatement* node, double value, const CUnit& unit, int flags)
{
    auto* q = new CQuantity(value, unit, 2);
    node->values.Add(q);
    if (flags != 0)
        node->valueFlags = static_cast<BYTE>(flags);
    return q;
}

CQuantity* CMacroInterpreter::SetNodeValue(CMacroStatement* node, double value, const CUnit& unit, int flags, int slot)
{
    const int kind = node->valueFlags == 0x40 ? 3 : 2;
    CQuantity* q = node->Value(slot);
    if (!q) {
        q = new CQuantity;
        if (slot < node->values.GetSize())
            node->values[slot] = q;
        else
            node->values.SetAtGrow(slot, q);
    }
    q->value = value;
    q->unit.Assign(unit);
    q->kind = kind;
    if (flags != 0)
        node->valueFlags = static_cast<BYTE>(flags);
    return q;
}

int CMacroInterpreter::CountLeadingBlanks(CString& text)
{
    return TrimLeftCount(text);
}

int CMacroInterpreter::ClassifyOperand(const CString& text, CString& message)
{
    if (text.IsEmpty())
        return -2;
    const char first = text[0];
    if ((first >= '0' && first <= '9') || first == '.')
        return 1;
    if (first == '"') {
        if (text.GetLength() >= 2 && text[text.GetLength() - 1] == '"')
            return 2;
        message = macro_exec::kUnclosedString;
        return -1;
    }
    for (const char* name : kReservedNames) {
        if (text == name) {
            message = macro_exec::kFunctionNameHead + text + macro_exec::kFunctionNameTail;
            return -1;
        }
    }
    return 1;
}

int CMacroInterpreter::CheckOperandRange(int index, int code, double value, int drawingText)
{
    const char* message = nullptr;
    switch (code) {
    case 29: case 27: case 9: case 10:
        if (value == 0.0)
            message = macro_exec::kDivideByZeroOperand;
        break;
    case 34:
        if (value > 1.0 || value < -1.0)
            message = macro_exec::kAsinRange;
        break;
    case 35:
        if (value > 1.0 || value < -1.0)
            message = macro_exec::kAcosRange;
        break;
    case 38:
        if (value < 0.0)
            message = macro_exec::kSqrtNegativeOperand;
        break;
    case 49:
        if (value < 0.0)
            message = macro_exec::kRgbNegative;
        else if (value > 255.4)
            message = macro_exec::kRgbOver;
        break;
    default:
        break;
    }
    if (!message)
        return -1;
    return Refuse(message, index, 0, drawingText);
}

int CMacroInterpreter::Refuse(const CString& message, int index, int column, int drawingText)
{
    AfxMessageBox(message);
    return ReportSyntaxError(index, column, drawingText);
}

int CMacroInterpreter::EvaluateOperand(int index, CMacroStatement* node, double& value, CString& text, CUnit& unit,
                                       int drawingText)
{
    value = 0.0;
    unit.Reset();
    CString copy = node->text;
    const int lead = CountLeadingBlanks(copy);
    copy = StripComments(copy);
    int unitIndex = -1;
    // A variable's own name is never read as a shorter name with a unit letter after it: dx or
    // fx, once assigned, is that variable, not d or f in the unit x.
    CString whole = copy;
    StripPiece(whole);
    if (FindVariable(whole) < 0 && SplitUnitSuffix(copy, unitIndex) == 0)
        unit.Assign(*GetUnit(unitIndex));
    const int stripped = StripPiece(copy);
    CString message;
    switch (ClassifyOperand(copy, message)) {
    case -2:
        if (MayBeEmpty(node->code)) {
            node->valueFlags = 0x40;
            return -1;
        }
        return Refuse(macro_exec::kNoOperand, index, 0, drawingText);
    case -1:
        return Refuse(message, index, lead + stripped, drawingText);
    case 2:
        text = copy.Mid(1, copy.GetLength() - 2);
        return -4;
    default:
        break;
    }
    const int variable = FindVariable(copy);
    if (variable >= 0) {
        const CMacroVariable* var = VariableAt(variable);
        if (var->holdsText) {
            text = var->text;
            return -5;
        }
        if (unitIndex >= 0) {
            if (!var->unit.IsDimensionless())
                return Refuse(macro_exec::kUnitOnUnitVariable, index, lead + stripped, drawingText);
            value = var->value * unit.ratio;
        } else {
            value = var->value;
            unit.Assign(var->unit);
        }
        return -2;
    }
    const int number = IsNumberText(copy);
    const int identifier = CheckIdentifier(copy);
    // A name that is no variable yet has no value; that holds for names that are also suffix
    // letters (x, y, r ...), which scripts use as variables.
    if (number == 0 && (identifier == -1 || identifier == 0))
        return -3;
    if (number == -1) {
        char digits[30] = {};
        std::strncpy(digits, copy.GetString(), 29);
        value = std::strtod(digits, nullptr) * unit.ratio;
        return -1;
    }
    const int at = number > 0 ? number : (identifier > 0 ? identifier : 0);
    return Refuse(macro_exec::kNotANumber, index, lead + stripped + at, drawingText);
}

int CMacroInterpreter::ExecuteLeaf(int index, CMacroStatement* node, int drawingText)
{
    double value = 0.0;
    CString text;
    CUnit unit;
    const int result = EvaluateOperand(index, node, value, text, unit, drawingText);
    if (result >= 0)
        return result;
    if (result == -1 || result == -2) {
        const int range = CheckOperandRange(index, node->code, value, drawingText);
        if (range >= 0)
            return range;
    }
    const CMacroStatement* parent = node->parent;
    if (parent && parent->unit && (node->code == 3 || node->code == 25 || node->code == 26) &&
        (result == -1 || result == -2)) {
        value *= parent->unit->ratio;
        unit.Assign(*parent->unit);
    }
    node->texts.RemoveAll();
    CQuantity* q = SetNodeValue(node, value, unit, 0, 0);
    switch (result) {
    case -1:
        node->valueFlags = 5;
        break;
    case -2:
        node->valueFlags = 9;
        q->kind = 2;
        break;
    case -3:
        node->valueFlags = 9;
        q->kind = 1;
        break;
    case -4:
    case -5:
        node->valueFlags = result == -4 ? 0x11 : 0x21;
        q->kind = 6;
        node->texts.Add(text);
        break;
    default:
        break;
    }
    return -1;
}
