// Statement execution: the node list walked downward by index with the block stacks, each node
// evaluated from its children, assignments stored into variables, drawing commands queued, the
// loop limits enforced, and the results written back behind their lines.
#include "macro/MacroInterpreter.h"

#include "app/ZelkApp.h"
#include "geometry/Numeric.h"
#include "macro/MacroCommandItem.h"
#include "macro/MacroExecuteMessages.h"
#include "macro/MacroNumbers.h"
#include "macro/MacroStatement.h"
#include "macro/MacroVariable.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"
#include "platform/core/Services.h"

namespace {

// The for loop's closing braces count against this many times the while limit.
constexpr int kForLimitFactor = 100;

void SetStack(CArray<int, int>& stack, int index, int value)
{
    if (index >= 0)
        stack.SetAtGrow(index, value);
}

int StackAt(const CArray<int, int>& stack, int index)
{
    return index >= 0 && index < stack.GetSize() ? stack[index] : 0;
}

} // namespace

// Where the line holding node `head` begins in execution order.
int CMacroInterpreter::FirstNodeOfLineOf(int head) const
{
    for (int i = head + 1; i < m_statements.GetSize(); ++i) {
        if (Statement(i)->code == 1)
            return i - 1;
    }
    return m_statements.GetSize() - 1;
}

// Counts one pass of a while (45) or for (46) loop; true, with the message shown, once the
// loop limit is passed. for loops have a counter and a limit of their own.
bool CMacroInterpreter::CountPass(int kind, LoopCounters& counters)
{
    const int limit = g_pApp ? g_pApp->m_macroLoopLimit : 200;
    if (kind == 45 && ++counters.whilePasses > limit) {
        AfxMessageBox(macro_exec::kWhileLimitHead + IntToString(limit) + macro_exec::kLoopLimitTail);
        return true;
    }
    if (kind == 46 && ++counters.forPasses > kForLimitFactor * limit) {
        AfxMessageBox(macro_exec::kForLimitHead + IntToString(kForLimitFactor * limit) + macro_exec::kLoopLimitTail);
        return true;
    }
    return false;
}

// Closes the innermost block; a while or for jumps back to its line. Returns -1 to go on, 1 when
// a loop limit has been passed (its message shown).
int CMacroInterpreter::CloseBlock(LoopCounters& counters, int& next)
{
    m_forReentry = 0;
    const int kind = StackAt(m_kindStack, m_depth - 1);
    const int head = StackAt(m_headStack, m_depth - 1);
    if (CountPass(kind, counters))
        return 1;
    if (kind == 45 || kind == 46)
        next = FirstNodeOfLineOf(head);
    if (kind == 46)
        m_forReentry = 1;
    m_depth -= 1;
    return -1;
}

int CMacroInterpreter::FoldAssignment(int index, CMacroStatement* node, CMacroStatement* child, CString& pending,
                                      int drawingText)
{
    const bool variable = (child->valueFlags & 8) != 0;
    CString childName = child->text;
    childName.TrimRight();
    if (!(child->valueFlags & 0x0C)) {
        pending = variable ? childName : CString();
        return -1;
    }
    CQuantity* left = node->Value(0);
    const CQuantity& right = *child->Value(0);
    CQuantity copy(*left);
    auto refuse = [&](const char* message) { return Refuse(message, index, 0, drawingText); };
    switch (child->code) {
    case 6:
        node->valueFlags = child->valueFlags;
        copy.Assign(right);
        break;
    case 7:
        // A number written as the target refuses the value, also when the value is a variable.
        if (node->valueFlags & 4)
            return refuse(macro_exec::kNumberToNumber);
        if (variable)
            node->valueFlags = child->valueFlags;
        copy.Assign(right);
        break;
    case 8:
        copy.Multiply(right);
        break;
    case 9:
        copy.Divide(right);
        break;
    case 10:
        if (!copy.unit.SameDimension(right.unit))
            return refuse(macro_exec::kRemainderAssignDimension);
        copy.value = std::fmod(copy.value, right.value);
        break;
    case 11:
        if (!copy.unit.SameDimension(right.unit))
            return refuse(macro_exec::kAddAssignDimension);
        copy.Add(right);
        break;
    default:
        if (!copy.unit.SameDimension(right.unit))
            return refuse(macro_exec::kSubtractAssignDimension);
        copy.Subtract(right);
        break;
    }
    left->value = copy.value;
    // The result is named by what was assigned: the unit the target held before, or a unit letter
    // its name happens to end in (fx, dw), would show a force as a length. Only a unit written
    // after the statement in parentheses stays, as it names every result of the statement.
    if (!node->unit || left->unit.name.IsEmpty())
        left->unit.Assign(copy.unit);
    left->kind = copy.kind;
    if (!pending.IsEmpty()) {
        CString message;
        const int stored = AssignNumericVariable(pending, copy.value, copy.unit, message);
        if (stored < 0) {
            if (!message.IsEmpty())
                AfxMessageBox(message);
            // Nothing was assigned, so the line gets no " = value" that would say otherwise.
            node->assignmentRefused = true;
            return -1;
        }
        static_cast<CMacroVariable*>(g_pApp->m_variableTable[stored])->valid = 1;
    }
    pending = variable ? childName : CString();
    return -1;
}

int CMacroInterpreter::FoldBlockKeyword(int index, CMacroStatement* node, CMacroStatement* child, int drawingText,
                                        LoopCounters& counters, int& next, bool& stop)
{
    const int code = child->code;
    const CQuantity* tested = child->Value(code == 46 && child->ValueCount() >= 2 ? 1 : 0);
    const bool number = tested && tested->kind == 2;
    const bool truth = number && !NearlyEqual(tested->value, 0.0);
    auto refuse = [&](const char* message) { return Refuse(message, index, 0, drawingText); };
    auto open = [&](int kind, bool taken) {
        SetStack(m_kindStack, m_depth, kind);
        SetStack(m_headStack, m_depth, index);
        SetStack(m_takenStack, m_depth, taken ? 1 : 0);
        m_skipBlock = taken ? 0 : 1;
        if (taken)
            m_depth = node->depth + 1;
    };
    switch (code) {
    case 42:
    case 45:
    case 46:
        if (!number)
            return refuse(code == 42 ? macro_exec::kIfUnassigned
                          : code == 45 ? macro_exec::kWhileUnassigned : macro_exec::kForCondition);
        m_seenAtDepth = 0;
        open(code, truth);
        if (code == 46)
            m_forReentry = 0;
        return -1;
    case 43:
    case 44:
        if (code == 43 && !number)
            return refuse(macro_exec::kElseIfUnassigned);
        m_seenAtDepth = 0;
        if (m_depth >= m_takenStack.GetSize() || m_takenStack[m_depth] == -1)
            return refuse(code == 43 ? macro_exec::kElseIfWithoutIf : macro_exec::kElseWithoutIf);
        if (m_takenStack[m_depth] == 1) {
            m_skipBlock = 1;
            return -1;
        }
        if (code == 43) {
            open(43, truth);
        } else {
            m_skipBlock = 0;
            SetStack(m_takenStack, m_depth, -1);
            SetStack(m_headStack, m_depth, index);
            SetStack(m_kindStack, m_depth, 44);
            m_depth = node->depth + 1;
        }
        return -1;
    case 47:
    case 48: {
        int loop = -1;
        for (int i = m_depth - 1; i >= 0; --i) {
            const int kind = StackAt(m_kindStack, i);
            if (kind == 45 || kind == 46) {
                loop = i;
                break;
            }
        }
        if (loop < 0)
            return -1;
        if (code == 47) {
            m_depth = loop + 1;
            if (CloseBlock(counters, next) == 1)
                stop = true;
        } else {
            // Leaving the loop goes back to its head's line: that step counts as a pass, so
            // that a break met again on the way cannot go round for ever.
            if (CountPass(StackAt(m_kindStack, loop), counters)) {
                stop = true;
                return -1;
            }
            m_depth = loop;
            next = StackAt(m_headStack, loop) - 1;
            m_skipBlock = 1;
        }
        counters.jumped = true;
        return -1;
    }
    default:
        return -1;
    }
}

void CMacroInterpreter::QueueCommand(CMacroStatement* child)
{
    const int code = child->code;
    if (code == 101 || code == 102 || code == 114) {
        m_commandQueue.Add(new CMacroCommandItem(code, child->texts.GetSize() > 0 ? child->texts[0] : CString()));
    } else if (code == 103 || code == 104) {
        m_commandQueue.Add(new CMacroCommandItem(code, CString(), &child->values));
        child->ClearValues();
    } else {
        m_commandQueue.Add(new CMacroCommandItem(code));
    }
}

int CMacroInterpreter::Execute(int drawingText, int writeBack, int play, int target)
{
    LoopCounters counters;
    bool macro = false;
    const int count = m_statements.GetSize();
    if (m_currentNode >= count)
        m_currentNode = count - 1;
    while (m_currentNode >= 0) {
        const int index = m_currentNode;
        CMacroStatement* node = Statement(index);
        int next = index - 1;
        counters.jumped = false;
        if (IsCommentStatement(node)) {
            m_currentNode = next;
            continue;
        }
        const int header = node->text.Find("ZelkMacro");
        if (header >= 0) {
            if (index != count - 1)
                return Refuse(macro_exec::kHeaderNotFirst, index, 0, drawingText);
            if (!m_document) {
                AfxMessageBox(macro_exec::kNoDrawing);
                return 0;
            }
            macro = true;
            m_headerText = node->text.Mid(header + 9);
            m_currentNode = next;
            continue;
        }
        if (m_forReentry) {
            if (node->forInit) {
                m_currentNode = next;
                continue;
            }
            if (node->code == 46)
                node->ClearValues();
        }
        bool stop = false;
        const int d = node->depth;
        if (d == m_depth) {
            m_seenAtDepth = 1;
            if (node->text == "}") {
                if (CloseBlock(counters, next) == 1) {
                    stop = true;
                } else {
                    m_currentNode = next;
                    continue;
                }
            }
        } else if (m_seenAtDepth && d == m_depth - 1) {
            for (int i = m_depth; i < m_takenStack.GetSize(); ++i)
                SetStack(m_takenStack, i, -1);
            for (int i = m_depth; i < m_kindStack.GetSize(); ++i)
                SetStack(m_kindStack, i, 0);
            for (int i = m_depth; i < m_headStack.GetSize(); ++i)
                SetStack(m_headStack, i, -1);
            if (m_depth - 1 < 0 || m_depth - 1 >= m_kindStack.GetSize())
                return Refuse(macro_exec::kWhileReturnUnknown, index, 0, drawingText);
            // A loop closed by a piece of its own line goes back like one closed by "}"; its
            // passes count too, or such a loop would never end.
            if (CloseBlock(counters, next) == 1)
                stop = true;
        } else if (!m_skipBlock && d == m_depth + 1) {
            SetStack(m_takenStack, m_depth, -1);
            SetStack(m_kindStack, m_depth, 0);
            SetStack(m_headStack, m_depth, -1);
            m_depth += 1;
            m_forReentry = 0;
        } else {
            m_currentNode = next;
            continue;
        }
        if (stop) {
            if (macro)
                break;
            return ReportSyntaxError(index, 0, drawingText);
        }
        int result = -1;
        if (node->children.GetSize() == 0)
            result = ExecuteLeaf(index, node, drawingText);
        else
            result = FoldChildren(index, node, drawingText, counters, next, stop);
        if (result >= 0)
            return result;
        if (stop) {
            if (macro)
                break;
            return ReportSyntaxError(index, 0, drawingText);
        }
        m_currentNode = next;
    }
    if (macro && play) {
        PlayCommandQueue();
        return -1;
    }
    if (!writeBack)
        return -1;
    const int written = WriteBackResults(target);
    if (g_pApp) {
        if (written == -1)
            g_pApp->ShowMessage(macro_exec::kInterpreted, 0);
        else if (written == 0)
            g_pApp->ShowMessage(macro_exec::kRecordingIncomplete, 0);
    }
    return written;
}
