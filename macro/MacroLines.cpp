// Macro text as lines: the flagged drawing texts put in order by height, the lines stored last
// line first, one statement node per line, the checks made before parsing, and the report of
// where a fault lies (a message box for text lines, a pointer mark for drawing texts).
#include "macro/MacroInterpreter.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/ElemCandidate.h"
#include "geometry/Numeric.h"
#include "macro/MacroFrontEndMessages.h"
#include "macro/MacroStatement.h"
#include "macro/MacroTextWalk.h"
#include "platform/core/Services.h"

#include <cmath>

namespace {

bool IsCommentLine(const CString& text)
{
    return text.GetLength() >= 2 && text[0] == '/' && text[1] == '/';
}

CText* TextOf(CZelkDoc* doc, const CElemCandidate& candidate)
{
    if (!doc || candidate.m_block < 0 || candidate.m_block >= doc->m_textBlocks.GetSize())
        return nullptr;
    auto* block = static_cast<CTexts*>(doc->m_textBlocks[candidate.m_block]);
    if (candidate.m_slot < 0 || candidate.m_slot >= CTexts::SlotCount)
        return nullptr;
    return &block->m_slots[candidate.m_slot];
}

} // namespace

bool CMacroInterpreter::IsCommentStatement(const CMacroStatement* node)
{
    return IsCommentLine(node->text);
}

CMacroStatement* CMacroInterpreter::Statement(int index) const
{
    if (index < 0 || index >= m_statements.GetSize())
        return nullptr;
    return static_cast<CMacroStatement*>(m_statements[index]);
}

void CMacroInterpreter::GatherFlaggedTexts()
{
    if (!m_document)
        return;
    for (int b = 0; b < m_document->m_textBlocks.GetSize(); ++b) {
        auto* block = static_cast<CTexts*>(m_document->m_textBlocks[b]);
        for (int s = 0; s < block->m_count && s < CTexts::SlotCount; ++s) {
            const CText& text = block->m_slots[s];
            if (!(text.m_mark & 0x08))
                continue;
            auto* candidate = new CElemCandidate;
            candidate->Init(0, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s), text.m_state, text.m_mark, 0);
            candidate->m_distanceKey = text.m_underlineStart.m_y;
            candidate->m_sizeKey = text.m_underlineStart.m_x;
            m_gatheredTexts.Add(candidate);
        }
    }
}

int CMacroInterpreter::OrderTextsByHeight()
{
    const int count = m_gatheredTexts.GetSize();
    if (count == 0)
        return 0;
    auto height = [this](int number) { return static_cast<CElemCandidate*>(m_gatheredTexts[number - 1])->m_distanceKey; };
    m_lineOrder.RemoveAll();
    m_lineOrder.Add(1);
    for (int i = 1; i < count; ++i) {
        const double y = static_cast<CElemCandidate*>(m_gatheredTexts[i])->m_distanceKey;
        int at = m_lineOrder.GetSize();
        for (int j = 0; j < m_lineOrder.GetSize(); ++j) {
            const double other = height(m_lineOrder[j]);
            if (NearlyEqual(y, other)) {
                AfxMessageBox(IntToString(i) + macro_text::kSameHeight);
                return 0;
            }
            if (other > y) {
                at = j;
                break;
            }
        }
        m_lineOrder.InsertAt(at, static_cast<WORD>(i + 1));
    }
    return 1;
}

void CMacroInterpreter::CopyTextsToLines()
{
    for (int i = 0; i < m_lineOrder.GetSize(); ++i) {
        const auto* candidate = static_cast<CElemCandidate*>(m_gatheredTexts[m_lineOrder[i] - 1]);
        const CText* text = TextOf(m_document, *candidate);
        m_lines.Add(text ? text->m_text : CString());
    }
}

void CMacroInterpreter::BuildStatementNodes()
{
    for (int i = 0; i < m_lines.GetSize(); ++i) {
        CString text = m_lines[i];
        const int indent = TrimLeftCount(text);
        m_statements.Add(new CMacroStatement(text, 1, indent));
    }
}

int CMacroInterpreter::CheckForbiddenSpellings(const CString& text)
{
    static const char* const kForbidden[] = {"=*", "=/", "=%", "=<", "=>", "elseif", "else  if", "else　if"};
    for (const char* notation : kForbidden) {
        const int at = text.Find(notation);
        if (at < 0)
            continue;
        MessageBeep(MB_ICONASTERISK);
        const bool elseIf = std::string(notation).rfind("else", 0) == 0;
        AfxMessageBox(CString(notation) + (elseIf ? macro_text::kElseIfSpacing : macro_text::kNotUsable));
        return at;
    }
    return -1;
}

int CMacroInterpreter::CheckParenthesisCount(const CString& text)
{
    int count = 0;
    int last = -1;
    ForEachOutsideStrings(text, [&](int i, char c) {
        if (c == '(' || c == ')') {
            count += c == '(' ? 1 : -1;
            last = i;
        }
        return true;
    });
    if (count == 0)
        return -1;
    AfxMessageBox(macro_text::kParenthesisCount);
    return last;
}

int CMacroInterpreter::PreCheckLines(int& line, int& column)
{
    for (int i = 0; i < m_statements.GetSize(); ++i) {
        const CMacroStatement* node = Statement(i);
        if (IsCommentStatement(node))
            continue;
        int at = CheckForbiddenSpellings(node->text);
        if (at == -1)
            at = CheckParenthesisCount(node->text);
        if (at != -1) {
            line = i;
            column = at;
            return 0;
        }
    }
    return 1;
}

int CMacroInterpreter::CheckBraces(int& line, int& column, int report)
{
    int depth = 0;
    int lastChanging = -1;
    int lastColumn = 0;
    for (int i = m_statements.GetSize() - 1; i >= 0; --i) {
        CMacroStatement* node = Statement(i);
        if (IsCommentStatement(node))
            continue;
        node->depth = depth;
        const int net = node->CountBraces(lastColumn);
        if (net == 0)
            continue;
        depth += net;
        lastChanging = i;
        if (depth < 0) {
            line = i;
            column = lastColumn;
            if (report)
                AfxMessageBox(macro_text::kTooManyClosingBraces);
            return 0;
        }
    }
    if (depth > 0) {
        line = lastChanging;
        column = lastColumn;
        if (report)
            AfxMessageBox(macro_text::kTooFewClosingBraces);
        return 0;
    }
    return 1;
}

int CMacroInterpreter::ReportSyntaxError(int node, int column, int mark)
{
    CMacroStatement* current = Statement(node);
    if (!current)
        return 0;
    int top = node;
    while (current->parent) {
        const int parentIndex = IndexOfNode(m_statements, current->parent);
        if (parentIndex < 0)
            break;
        column += current->parentOffset;
        current = current->parent;
        top = parentIndex;
    }
    if (current->code != 1)
        return column;
    if (mark) {
        MarkErrorInDrawing(top, column);
        return column;
    }
    if (!m_silent) {
        const int order = top < m_lineOrder.GetSize() ? m_lineOrder[top] : 0;
        const int lineNumber = m_lines.GetSize() - order + 1;
        AfxMessageBox(" " + IntToString(lineNumber) + macro_text::kPositionLine + IntToString(column) +
                      macro_text::kPositionColumn);
    }
    return column;
}

void CMacroInterpreter::MarkErrorInDrawing(int node, int column)
{
    const CMacroStatement* statement = Statement(node);
    if (column == -1 || !statement || statement->code != 1 || node >= m_lineOrder.GetSize())
        return;
    const int order = m_lineOrder[node];
    if (order == 0 || order > m_gatheredTexts.GetSize() || !m_document)
        return;
    const auto* candidate = static_cast<CElemCandidate*>(m_gatheredTexts[order - 1]);
    const CText* text = TextOf(m_document, *candidate);
    if (!text)
        return;
    const auto* block = static_cast<CTexts*>(m_document->m_textBlocks[candidate->m_block]);
    const CTypeFont* font = block->m_pen >= 0 && block->m_pen < m_document->m_fonts.GetSize()
                                ? static_cast<CTypeFont*>(m_document->m_fonts[block->m_pen])
                                : nullptr;
    double a = 0.0;
    CPointD offset;
    if (font) {
        a = font->m_angle * (PI / 180.0);
        const double h = font->m_logFont.lfHeight;
        offset.Init(h * std::cos(a + PI / 2), h * std::sin(a + PI / 2));
    }
    CPointD p1 = text->m_underlineStart;
    CPointD p2 = text->m_underlineEnd;
    if ((a > PI / 2 && !NearlyEqual(a, PI / 2)) || NearlyEqual(a, -PI / 2) || a < -PI / 2) {
        const CPointD swap = p1;
        p1 = p2;
        p2 = swap;
    }
    const int length = text->m_text.GetLength();
    const double r = column < length ? static_cast<double>(column) / length : 1.0;
    auto* markPoint = new CPointD;
    markPoint->Init(p1.m_x + r * (p2.m_x - p1.m_x) + offset.m_x, p1.m_y + r * (p2.m_y - p1.m_y) + offset.m_y);
    m_document->m_pointerMarks.Add(markPoint);
}

int CMacroInterpreter::PrepareDrawingText(CZelkDoc* doc)
{
    m_document = doc;
    GatherFlaggedTexts();
    if (!OrderTextsByHeight())
        return 0;
    CopyTextsToLines();
    BuildStatementNodes();
    int line = 0;
    int column = 0;
    const int checked = PreCheckLines(line, column);
    if (!checked)
        ReportSyntaxError(line, column, 1);
    const int braces = CheckBraces(line, column, checked ? 0 : 1);
    if (!braces && checked)
        ReportSyntaxError(line, column, 1);
    if (g_pApp)
        g_pApp->ClearSelectionMarks(doc, 8);
    return checked && braces ? 1 : 0;
}
