// Folding a node's children into its value: the operators, the built-in functions, RGB, the two
// power forms and the conditional operator, each with the dimension rule it enforces.
#include "macro/MacroInterpreter.h"

#include "geometry/Numeric.h"
#include "macro/MacroExecuteMessages.h"
#include "macro/MacroNumbers.h"
#include "macro/MacroStatement.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"

#include <cmath>

namespace {

bool HasValue(const CQuantity* q)
{
    return q && q->kind != 1;
}

bool HasDimension(const CUnit& unit)
{
    return !unit.IsDimensionless();
}

// The refusal of a child that carries several values where its operator takes one.
const char* MultipleTermMessage(const CMacroStatement* node, const CMacroStatement* child)
{
    const int mine = node->ValueCount();
    const int its = child->ValueCount();
    if (node->code == 39 && its >= 2)
        return macro_exec::kMultiPowArgument;
    if (child->code == 40)
        return its >= 3 ? macro_exec::kMultiPowForm : nullptr;
    if (child->code == 13 || child->code == 14)
        return its >= 2 || mine >= 4 ? macro_exec::kMultiConditional : nullptr;
    if (its < 2 && mine < 2)
        return nullptr;
    const int c = child->code;
    if (c >= 7 && c <= 12)
        return macro_exec::kMultiAssign;
    if (c == 15 || c == 16)
        return macro_exec::kMultiLogical;
    if (c == 17 || c == 18)
        return macro_exec::kMultiBitwise;
    if (c >= 19 && c <= 24)
        return macro_exec::kMultiRelational;
    if (c == 25 || c == 26)
        return macro_exec::kMultiAdditive;
    if (c >= 27 && c <= 29)
        return macro_exec::kMultiMultiplicative;
    if (c == 30)
        return macro_exec::kMultiNot;
    if (c >= 31 && c <= 36)
        return macro_exec::kMultiTrig;
    if (c == 37)
        return macro_exec::kMultiFabs;
    if (c == 38)
        return macro_exec::kMultiSqrt;
    if (c == 42)
        return macro_exec::kMultiIf;
    if (c == 43)
        return macro_exec::kMultiElseIf;
    if (c == 45)
        return macro_exec::kMultiWhile;
    return nullptr;
}

void Take(CQuantity& into, const CQuantity& from)
{
    into.value = from.value;
    into.unit.Assign(from.unit);
    into.kind = from.kind;
}

} // namespace

// The node's value built from its children in list order; the first child is tested against the
// empty unit, every later one against the accumulated value's unit.
int CMacroInterpreter::FoldChildren(int index, CMacroStatement* node, int drawingText, LoopCounters& counters,
                                    int& next, bool& stop)
{
    node->ClearValues();
    node->assignmentRefused = false;
    CUnit start;
    if (node->unit)
        start.Assign(*node->unit);
    CQuantity* accumulated = AppendNodeValue(node, 0.0, start, 5);
    accumulated->kind = 1;
    CString pending;
    for (int i = 0; i < node->children.GetSize(); ++i) {
        CMacroStatement* child = node->Child(i);
        const CUnit tested = i == 0 ? CUnit() : node->Value(0)->unit;
        if (const char* message = MultipleTermMessage(node, child))
            return Refuse(message, index, 0, drawingText);
        if (child->ValueCount() == 0 && child->valueFlags != 0x40 && child->valueFlags != 9)
            return Refuse(macro_exec::kMissingTerm, index, 0, drawingText);
        const int code = child->code;
        int result = -1;
        if (code >= 6 && code <= 12) {
            if (child->ValueCount() > 0)
                result = FoldAssignment(index, node, child, pending, drawingText);
        } else if (code >= 42 && code <= 48) {
            result = FoldBlockKeyword(index, node, child, drawingText, counters, next, stop);
            if (counters.jumped || stop)
                return result;
        } else if (code >= 101 && code <= 114) {
            QueueCommand(child);
        } else if (child->ValueCount() > 0) {
            result = FoldOperator(index, node, child, tested, drawingText);
        }
        if (result >= 0)
            return result;
    }
    return -1;
}

// Folds one child (codes 2 to 5, 13 to 40, 49 to 51) into the node's accumulated value.
int CMacroInterpreter::FoldOperator(int index, CMacroStatement* node, CMacroStatement* child, const CUnit& tested,
                                    int drawingText)
{
    CQuantity* left = node->Value(0);
    const CQuantity* right = child->Value(0);
    const int code = child->code;
    auto refuse = [&](const char* message, int column = 0) { return Refuse(message, index, column, drawingText); };
    auto firstOf = [&](char c) {
        const int at = node->text.Find(c);
        return at < 0 ? 0 : at;
    };

    switch (code) {
    case 2:
    case 3:
    case 50:
    case 51:
    case 25:
        if (code == 25 && (!HasValue(left) || !HasValue(right)))
            return refuse(macro_exec::kAddUnassigned);
        if (node->valueFlags != 5)
            return -1;
        if (HasDimension(tested) && !tested.SameDimension(right->unit))
            return refuse(macro_exec::kAddDimension);
        if (code == 25) {
            if (left->Add(*right) == 1)
                return refuse(macro_exec::kAddRefused, firstOf('+'));
            return -1;
        }
        if (code == 2) {
            if (right->kind != 1)
                Take(*left, *right);
            left->kind = 1;
            return -1;
        }
        Take(*left, *right);
        if (code == 50)
            left->kind = 4;
        else if (code == 51)
            left->kind = 5;
        for (int i = 1; i < child->ValueCount(); ++i)
            node->values.Add(new CQuantity(*child->Value(i)));
        return -1;
    case 4:
    case 5:
        for (int i = 0; i < child->ValueCount(); ++i) {
            auto* copy = new CQuantity(*child->Value(i));
            if (child->valueFlags == 0x40)
                copy->kind = 3;
            node->values.Add(copy);
        }
        node->valueFlags = 6;
        return -1;
    case 26:
        if ((child->valueFlags & 8) && !HasValue(right))
            return refuse(macro_exec::kSubtractUnassigned);
        if ((node->valueFlags & 8) && !HasValue(left))
            return refuse(macro_exec::kSubtractUnassigned);
        if (node->valueFlags != 5)
            return -1;
        if (HasDimension(tested) && !tested.SameDimension(right->unit))
            return refuse(macro_exec::kSubtractDimension);
        if (HasValue(left)) {
            if (left->Subtract(*right) == 1)
                return refuse(macro_exec::kSubtractRefused, firstOf('-'));
        } else {
            Take(*left, *right);
            left->value = -right->value;
        }
        return -1;
    case 27:
    case 28:
    case 29:
        if (!HasValue(left) || !HasValue(right))
            return refuse(code == 27   ? macro_exec::kRemainderUnassigned
                          : code == 28 ? macro_exec::kMultiplyUnassigned
                                       : macro_exec::kDivideUnassigned);
        if (code == 28) {
            left->Multiply(*right);
        } else if (code == 29) {
            if (right->value == 0.0)
                return refuse(macro_exec::kDivideByZero);
            left->Divide(*right);
        } else {
            if (right->value == 0.0)
                return refuse(macro_exec::kRemainderByZero);
            if (!left->unit.SameDimension(right->unit))
                return refuse(macro_exec::kRemainderDimension);
            left->value = std::fmod(left->value, right->value);
        }
        return -1;
    case 19: case 20: case 21: case 22: case 23: case 24: {
        if (!left->unit.SameDimension(right->unit))
            return refuse(macro_exec::kRelationDimension);
        if (!HasValue(left) || !HasValue(right))
            return refuse(macro_exec::kRelationUnassigned);
        const bool equal = NearlyEqual(left->value, right->value) != 0;
        const bool less = !equal && left->value < right->value;
        const bool greater = !equal && left->value > right->value;
        const bool holds = code == 19 ? less : code == 20 ? greater : code == 21 ? less || equal
                         : code == 22 ? greater || equal : code == 23 ? equal : !equal;
        left->value = holds ? 1.0 : 0.0;
        return -1;
    }
    case 15: case 16: case 17: case 18: {
        const bool logical = code <= 16;
        if (!HasValue(left) || !HasValue(right))
            return refuse(logical ? macro_exec::kLogicalUnassigned : macro_exec::kBitwiseUnassigned);
        if (HasDimension(left->unit) || HasDimension(right->unit))
            return refuse(logical ? macro_exec::kLogicalUnit : macro_exec::kBitwiseUnit);
        const int a = TruncateToInt(left->value);
        const int b = TruncateToInt(right->value);
        const int r = code == 15 ? (a != 0 && b != 0) : code == 16 ? (a != 0 || b != 0) : code == 17 ? (a & b) : (a | b);
        left->value = r;
        return -1;
    }
    case 30:
        if (!HasValue(right))
            return refuse(macro_exec::kNotUnassigned);
        if (HasDimension(right->unit))
            return refuse(macro_exec::kNotUnit);
        left->value = NearlyEqual(right->value, 0.0) ? 1.0 : 0.0;
        left->unit.Reset();
        left->kind = 2;
        return -1;
    case 31: case 32: case 33: case 34: case 35: case 36: {
        const int f = code - 31;
        if (!HasValue(right))
            return refuse(macro_exec::kTrigUnassigned[f]);
        const double x = right->value;
        if (f >= 3 && f <= 4 && (x > 1.0 || x < -1.0))
            return refuse(f == 3 ? macro_exec::kAsinRange : macro_exec::kAcosRange);
        if (HasDimension(right->unit))
            return refuse(macro_exec::kTrigDimension[f]);
        double r = 0.0;
        // The stored number of an angle is in degrees whatever its unit is named: a typed
        // 1.5708rad was multiplied into degrees when it was read.
        switch (f) {
        case 0: r = RoundToDecimals(std::sin(DegToRad(x)), 12); break;
        case 1: r = RoundToDecimals(std::cos(DegToRad(x)), 12); break;
        case 2: r = RoundToDecimals(std::tan(DegToRad(x)), 12); break;
        case 3: r = RadToDeg(std::asin(x)); break;
        case 4: r = RadToDeg(std::acos(x)); break;
        default: r = RadToDeg(std::atan(x)); break;
        }
        left->value = r;
        left->unit.Assign(right->unit);
        left->kind = 2;
        return -1;
    }
    case 37:
        if (!HasValue(right))
            return refuse(macro_exec::kFabsUnassigned);
        Take(*left, *right);
        left->value = std::fabs(right->value);
        left->kind = 2;
        return -1;
    case 38: {
        if (!HasValue(right))
            return refuse(macro_exec::kSqrtUnassigned);
        if (right->value < 0.0)
            return refuse(macro_exec::kSqrtNegative);
        CQuantity root(*right);
        root.kind = 2;
        if (!root.Sqrt())
            return refuse(macro_exec::kSqrtOddDimension);
        Take(*left, root);
        return -1;
    }
    case 39:
    case 40:
        return FoldPower(index, node, child, drawingText);
    case 49: {
        if (child->ValueCount() != 3 || child->valueFlags == 5)
            return refuse(macro_exec::kRgbArguments);
        int rgb[3];
        for (int i = 0; i < 3; ++i)
            rgb[i] = TruncateToInt(child->Value(i)->value);
        for (int c : rgb) {
            if (c < 0)
                return refuse(macro_exec::kRgbNegativeComponent);
        }
        for (int c : rgb) {
            if (c > 255)
                return refuse(macro_exec::kRgbComponentOver);
        }
        left->value = rgb[0] + 256.0 * rgb[1] + 65536.0 * rgb[2];
        left->unit.Reset();
        left->kind = 2;
        return -1;
    }
    case 13:
        if (node->ValueCount() == 1) {
            node->values.Add(new CQuantity(*right));
            node->valueFlags = 5;
            return -1;
        }
        if (!HasValue(right))
            return refuse(macro_exec::kConditionalUnassigned);
        node->values.Add(new CQuantity(*right));
        return -1;
    case 14: {
        if (!HasValue(right))
            return refuse(macro_exec::kConditionalUnassigned);
        if (node->ValueCount() >= 3) {
            const bool taken = TruncateToInt(node->Value(1)->value) != 0;
            Take(*left, taken ? *node->Value(2) : *right);
            node->RemoveValues(1, 2);
        }
        return -1;
    }
    default:
        return -1;
    }
}

int CMacroInterpreter::FoldPower(int index, CMacroStatement* node, CMacroStatement* child, int drawingText)
{
    const int form = child->code == 39 ? 0 : 1;
    auto refuse = [&](const char* message) { return Refuse(message, index, 0, drawingText); };
    if (child->ValueCount() != 2 || child->valueFlags == 5)
        return refuse(macro_exec::kPowArguments);
    const CQuantity& x = *child->Value(0);
    const CQuantity& y = *child->Value(1);
    if (x.value == 0.0 && y.value < 0.0)
        return refuse(macro_exec::kPowZeroNegative[form]);
    const double magnitude = std::fabs(y.value);
    if (x.value < 0.0 && magnitude != static_cast<double>(TruncateToInt(magnitude)))
        return refuse(macro_exec::kPowNegativeFraction[form]);
    if (x.value * y.value != 0.0 && y.value * std::log10(std::fabs(x.value)) * 3.322 > 64.0)
        return refuse(macro_exec::kPowTooLarge[form]);
    if (HasDimension(y.unit))
        return refuse(macro_exec::kPowExponentUnit);
    CQuantity power(x);
    const int raised = power.Pow(y.value);
    if (raised == 0)
        return refuse(macro_exec::kPowNoValue[form]);
    if (raised == -1)
        return refuse(macro_exec::kPowFractionalDimension[form]);
    if (node->unit) {
        power.value *= node->unit->ratio;
        power.unit.Assign(*node->unit);
    }
    CQuantity* left = node->Value(0);
    Take(*left, power);
    left->kind = 2;
    return -1;
}
