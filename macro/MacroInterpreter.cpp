// CMacroInterpreter: construction, reset and destruction, and the lookups in the application's
// unit and variable tables that every run and every typed value goes through.
#include "macro/MacroInterpreter.h"

#include "app/ZelkApp.h"
#include "geometry/ElemCandidate.h"
#include "macro/MacroCommandItem.h"
#include "macro/MacroStatement.h"
#include "macro/MacroVariable.h"
#include "macro/OwnedList.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"

namespace {

const CPtrArray* Units()
{
    return g_pApp ? &g_pApp->m_unitTable : nullptr;
}

CPtrArray* Variables()
{
    return g_pApp ? &g_pApp->m_variableTable : nullptr;
}

CMacroVariable* VariableAt(int index)
{
    return static_cast<CMacroVariable*>((*Variables())[index]);
}

} // namespace

CMacroInterpreter::CMacroInterpreter()
    : m_document(nullptr), m_currentNode(0), m_depth(0), m_seenAtDepth(0), m_skipBlock(0), m_forReentry(0),
      m_silent(0), m_queuePosition(0), m_handInputCount(0)
{
}

CMacroInterpreter::~CMacroInterpreter()
{
    Reset();
}

void CMacroInterpreter::Reset()
{
    DeleteOwned<CMacroCommandItem>(m_commandQueue);
    m_queuePosition = 0;
    m_handInputCount = 0;
    DeleteOwned<CElemCandidate>(m_gatheredTexts);
    m_lineOrder.RemoveAll();
    m_lines.RemoveAll();
    DeleteOwned<CMacroStatement>(m_statements);
    DeleteOwned<CQuantity>(m_results);
    m_silent = 0;
}

const CUnit* CMacroInterpreter::GetUnit(int index)
{
    const CPtrArray* units = Units();
    if (!units || index < 0 || index >= units->GetSize())
        return nullptr;
    return static_cast<const CUnit*>((*units)[index]);
}

int CMacroInterpreter::FindUnitByName(const CString& text)
{
    const CPtrArray* units = Units();
    if (!units)
        return -1;
    for (int i = 0; i < units->GetSize(); ++i) {
        if (GetUnit(i)->name == text)
            return i;
    }
    return -1;
}

int CMacroInterpreter::FindUnitForQuantity(const CUnit& unit)
{
    const CPtrArray* units = Units();
    if (!units)
        return -1;
    const int count = units->GetSize();
    // A value named by a suffix letter keeps it; an unnamed value finds the unnamed entry.
    for (int i = 1; i <= 19 && i < count; ++i) {
        if (GetUnit(i)->name == unit.name)
            return i;
    }
    for (int i = 0; i < count; ++i) {
        if (i >= 1 && i <= 19)
            continue;
        if (GetUnit(i)->SameDimension(unit))
            return i;
    }
    return -1;
}

int CMacroInterpreter::FindVariable(const CString& name)
{
    const CPtrArray* vars = Variables();
    if (!vars)
        return -1;
    for (int i = 0; i < vars->GetSize(); ++i) {
        if (VariableAt(i)->name == name)
            return i;
    }
    return -1;
}

int CMacroInterpreter::AppendVariable(const CString& name, double value, const CUnit* unit)
{
    CPtrArray* vars = Variables();
    if (name.IsEmpty() || !vars)
        return -1;
    return vars->Add(new CMacroVariable(name, value, unit ? *unit : CUnit(), 1, CString()));
}

int CMacroInterpreter::AssignNumericVariable(const CString& name, double value, const CUnit& unit, CString& message)
{
    if (name.IsEmpty())
        return -1;
    message.Empty();
    const int index = FindVariable(name);
    if (index < 0)
        return AppendVariable(name, value, &unit);
    CMacroVariable* var = VariableAt(index);
    if (var->assignable == 0) {
        message = "定数 " + name + " に値を代入しようとしました";
        return -1;
    }
    if (var->holdsText)
        message = "文字変数 " + name + " を数値変数に書き換えました";
    var->value = value;
    var->holdsText = 0;
    var->unit.Assign(unit);
    return index;
}
