// The entry points of macro text: lines from the text window, a file or a recording, and the
// flagged texts of a drawing. Each resets the interpreter, checks and parses the lines and
// prepares the run.
#include "macro/MacroInterpreter.h"

#include "geometry/Numeric.h"
#include "macro/MacroFrontEndMessages.h"
#include "macro/MacroStatement.h"
#include "platform/core/Services.h"

#include <unordered_map>

int CMacroInterpreter::ParseStatements(bool drawingText, int& line, int& column)
{
    std::unordered_map<const CMacroStatement*, int> stored;
    for (int i = 0; i < m_statements.GetSize(); ++i)
        stored[Statement(i)] = i;
    CPtrArray output;
    const int parsed = Parse(output, line, column);
    const CWordArray storedOrder = m_lineOrder;
    m_statements.RemoveAll();
    m_statements.Append(output);
    m_lineOrder.RemoveAll();
    for (int i = 0; i < m_statements.GetSize(); ++i) {
        const CMacroStatement* node = Statement(i);
        WORD order = 0;
        const auto found = stored.find(node);
        if (found != stored.end()) {
            const int index = found->second;
            if (!drawingText)
                order = static_cast<WORD>(index + 1);
            else if (index < storedOrder.GetSize())
                order = storedOrder[index];
        }
        m_lineOrder.Add(order);
    }
    PrepareExecution();
    return parsed;
}

void CMacroInterpreter::PrepareExecution()
{
    m_currentNode = m_statements.GetSize() - 1;
    m_depth = 0;
    m_takenStack.RemoveAll();
    m_kindStack.RemoveAll();
    m_headStack.RemoveAll();
    m_seenAtDepth = 0;
    m_skipBlock = 0;
    m_forReentry = 0;
}

int CMacroInterpreter::RunDrawingText(CZelkDoc* doc)
{
    Reset();
    m_document = doc;
    if (!PrepareDrawingText(doc))
        return 0;
    int line = 0;
    int column = 0;
    if (!ParseStatements(true, line, column)) {
        ReportSyntaxError(line, column, 1);
        return 0;
    }
    return 1;
}

int CMacroInterpreter::RunLines(CZelkDoc* doc, const CStringArray& lines, bool play)
{
    (void)play;
    Reset();
    m_document = doc;
    for (int i = lines.GetSize() - 1; i >= 0; --i) {
        if (!lines[i].IsEmpty())
            m_lines.Add(lines[i]);
    }
    BuildStatementNodes();
    const int count = m_lines.GetSize();
    int line = 0;
    int column = 0;
    if (!PreCheckLines(line, column)) {
        AfxMessageBox(" " + IntToString(count - line) + macro_text::kSyntaxProblemLine);
        return 0;
    }
    if (!CheckBraces(line, column, 0)) {
        AfxMessageBox(" " + IntToString(count - line) + macro_text::kScopeProblemLine);
        return 0;
    }
    if (!ParseStatements(false, line, column)) {
        ReportSyntaxError(line, column, 0);
        return 0;
    }
    return 1;
}
