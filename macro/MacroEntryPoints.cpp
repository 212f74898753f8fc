// The entry points of macro text: lines from the text window, a file or a recording, and the
// flagged texts of a drawing. Each resets the interpreter, checks and parses the lines and
// prepares the run.
#include "macro/MacroInterpreter.h"

#include "app/ZelkApp.h"
#include "geometry/Numeric.h"
#include "macro/BuiltInUnits.h"
#include "macro/MacroFrontEndMessages.h"
#include "macro/MacroStatement.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"
#include "platform/core/Services.h"

#include <unordered_map>
#include <vector>

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
    return Execute(1, 1, 1, 1) < 0 ? 1 : 0;
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
    return Execute(0, 1, play ? 1 : 0, 0) < 0 ? 1 : 0;
}

int CMacroInterpreter::EvaluateExpression(const CString& text, CWordArray& kinds)
{
    Reset();
    m_silent = 1;
    m_document = g_pApp ? g_pApp->GetActiveDrawingDoc() : nullptr;
    if (!m_document)
        return 0;
    // A single registered unit written at the end applies to the whole expression: 3+4mm is
    // seven millimetres. The suffix letters never do this.
    CString expression = text;
    int found = 0;
    const CUnit* suffix = nullptr;
    for (int i = 0; const CUnit* unit = GetUnit(i); ++i) {
        if ((i >= 1 && i < kBuiltInUnitCount) || unit->name.IsEmpty())
            continue;
        if (text.Find(unit->name.GetString()) >= 0) {
            ++found;
            suffix = unit;
        }
    }
    if (found == 1 && text.Find('=') < 0) {
        const int at = text.Find(suffix->name.GetString());
        if (at + suffix->name.GetLength() == text.GetLength())
            expression = "(" + text.Left(at) + ")" + suffix->name;
    }
    m_lines.Add(expression);
    BuildStatementNodes();
    int line = 0;
    int column = 0;
    if (!ParseStatements(false, line, column))
        return ReportSyntaxError(line, column, 0);
    const int executed = Execute(0, 0, 1, 1);
    if (executed >= 0)
        return executed;
    for (int i = 0; i < m_statements.GetSize(); ++i) {
        const CMacroStatement* node = Statement(i);
        if (node->code != 1)
            continue;
        for (int v = 0; v < node->ValueCount(); ++v) {
            const CQuantity& value = *node->Value(v);
            const CUnit* unit = node->unit ? node->unit : GetUnit(FindUnitForQuantity(value.unit));
            m_results.Add(new CQuantity(value.value, unit ? *unit : value.unit, value.kind));
        }
    }
    GetResultKinds(kinds);
    return -1;
}

int CMacroInterpreter::ParseTextAttributeSpec(const CString& text, double& height, double& width, int& alignment,
                                              int& italic, int& underline, int& strikeOut, CString& faceName,
                                              int& mask)
{
    alignment = italic = underline = strikeOut = mask = 0;
    CString attributes = text;
    const int comment = attributes.Find("//");
    if (comment >= 0)
        attributes = attributes.Left(comment);
    attributes.TrimRight();
    const int close = attributes.Find("*/");
    if (close >= 0 && close == attributes.GetLength() - 2) {
        const int open = attributes.Find("/*");
        if (open >= 0)
            attributes = attributes.Left(open);
    }
    struct Term {
        CString text;
        int start;
    };
    std::vector<Term> terms;
    int commas = 0;
    int start = 0;
    for (;;) {
        const int comma = attributes.Find(',', start);
        if (comma >= 0 && ++commas >= 8)
            return comma;
        CString term = comma >= 0 ? attributes.Mid(start, comma - start) : attributes.Mid(start);
        term.Trim();
        if (comma >= 0 || !term.IsEmpty() || commas == 0)
            terms.push_back({term, start});
        if (comma < 0)
            break;
        start = comma + 1;
    }
    if (terms.size() == 1 && terms.front().text.IsEmpty())
        return -1;
    static const struct {
        const char* code;
        int alignment;
    } kAlignments[] = {{"LB", 8}, {"CB", 14}, {"RB", 10}, {"LC", 32}, {"CC", 38},
                       {"RC", 34}, {"LT", 0},  {"CT", 6},  {"RT", 2}};
    for (Term& term : terms) {
        CString& t = term.text;
        t.MakeUpper();
        const bool off = t.Find('!') >= 0;
        const int h = t.Find('H');
        const int w = t.Find('W');
        if (h >= 0 || w >= 0) {
            const int at = h >= 0 ? h : w;
            const CString number = t.Left(at);
            if (at != t.GetLength() - 1 || IsNumberText(number) != -1)
                return term.start;
            (h >= 0 ? height : width) = StringToDouble(number);
            mask |= h >= 0 ? 1 : 2;
        } else if (t.Find('/') >= 0) {
            italic = off ? 0 : 1;
            mask |= off ? 16 : 8;
        } else if (t.Find('_') >= 0) {
            underline = off ? 0 : 1;
            mask |= off ? 64 : 32;
        } else if (t.Find('=') >= 0) {
            strikeOut = off ? 0 : 1;
            mask |= off ? 256 : 128;
        } else {
            bool aligned = false;
            for (const auto& a : kAlignments) {
                if (t.Find(a.code) >= 0) {
                    alignment = a.alignment;
                    mask |= 4;
                    aligned = true;
                    break;
                }
            }
            if (!aligned) {
                faceName = t;
                mask |= 512;
            }
        }
    }
    return -1;
}
