// The macro parser: every line statement is cut into pieces by a fixed series of levels, each
// splitting a piece at one family of operators found outside parentheses and string literals.
// Pieces keep their text and the code of what stands before them; the executor walks the flat
// list that results. Sweeps repeat until no level cuts anything more.
#include "macro/MacroInterpreter.h"

#include "macro/MacroFrontEndMessages.h"
#include "macro/MacroStatement.h"
#include "macro/MacroTextWalk.h"
#include "macro/Unit.h"
#include "platform/core/Services.h"

#include <algorithm>
#include <functional>
#include <cstring>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kMaxBracesPerCall = 20;
constexpr int kMaxAssignmentSteps = 100;

// One operator found at the top level of a stripped text.
struct Operator {
    int position;
    int length;
    int code;
};

void FindOperators(const CString& text, int length, MacroTokenList operators, MacroTokenList notAfter,
                   MacroTokenList notBefore, int codeBase, std::vector<Operator>& found)
{
    CWordArray positions, codes;
    CMacroInterpreter::FindTopLevelOperators(text, length, operators, notAfter, notBefore, positions, codes, codeBase);
    for (int i = 0; i < positions.GetSize(); ++i)
        found.push_back({positions[i], length, codes[i]});
    std::stable_sort(found.begin(), found.end(),
                     [](const Operator& a, const Operator& b) { return a.position < b.position; });
}

// The pieces between the operators; the first piece gets firstCode.
std::vector<MacroCut> CutsBetween(const CString& text, const std::vector<Operator>& ops, int firstCode)
{
    std::vector<MacroCut> cuts;
    int start = 0;
    int code = firstCode;
    for (const Operator& op : ops) {
        cuts.push_back({start, op.position, code});
        start = op.position + op.length;
        code = op.code;
    }
    cuts.push_back({start, text.GetLength(), code});
    return cuts;
}

// A stripped copy of a node's text and the characters the strip removed at its left.
struct Stripped {
    explicit Stripped(const CString& original) : text(original), left(CMacroInterpreter::StripPiece(text)) {}
    CString text;
    int left;
};

} // namespace

CMacroStatement* CMacroInterpreter::MakePiece(CMacroStatement* node, const CString& text, int code, int offset)
{
    auto* piece = new CMacroStatement(text, code, 0);
    piece->parent = node;
    piece->depth = node->depth;
    piece->parentOffset = offset;
    node->children.Add(piece);
    m_passPieces.push_back(piece);
    return piece;
}

// Inserts pieces of the stripped text directly after the node in the work list.
int CMacroInterpreter::InsertCuts(CMacroStatement* node, const CString& stripped, int left,
                                  const std::vector<MacroCut>& cuts, CPtrArray& work, int index)
{
    int at = index + 1;
    for (const MacroCut& cut : cuts) {
        CMacroStatement* piece = MakePiece(node, stripped.Mid(cut.start, cut.end - cut.start), cut.code, left + cut.start);
        work.InsertAt(at++, piece);
    }
    node->firstChildOffset = left;
    node->split = 1;
    return static_cast<int>(cuts.size());
}

int CMacroInterpreter::SplitBlocks(CMacroStatement* node, int& added, CPtrArray& work)
{
    added = 0;
    const CString& text = node->text;
    const int len = text.GetLength();
    int parens = 0;
    int fault = -1;
    const char* message = nullptr;
    std::vector<int> braces;
    ForEachOutsideStrings(text, [&](int i, char c) {
        if (c == '(') {
            ++parens;
        } else if (c == ')') {
            if (--parens < 0)
                message = macro_text::kTooFewOpening;
        } else if (c == '{' || c == '}') {
            if (parens != 0)
                message = macro_text::kBraceInParentheses;
            braces.push_back(i);
        }
        if (message)
            fault = i;
        return message == nullptr;
    });
    if (message) {
        AfxMessageBox(message);
        return fault;
    }
    if (parens != 0) {
        AfxMessageBox(macro_text::kParenthesesWrong);
        return len;
    }
    if (braces.empty())
        return -1;
    int depth = node->depth;
    int start = 0;
    const int taken = std::min(static_cast<int>(braces.size()), kMaxBracesPerCall);
    for (int k = 0; k < taken; ++k) {
        const int at = braces[static_cast<size_t>(k)];
        const CString before = text.Mid(start, at - start);
        int code = 2;
        if (text[at] == '}') {
            CString blank = before;
            blank.Trim();
            code = blank.IsEmpty() ? 2 : 3;
        }
        CMacroStatement* piece = MakePiece(node, before, code, start);
        piece->depth = depth;
        work.Add(piece);
        ++added;
        depth += text[at] == '{' ? 1 : -1;
        start = at + 1;
    }
    if (start < len) {
        CMacroStatement* piece = MakePiece(node, text.Mid(start), 2, start);
        piece->depth = depth;
        work.Add(piece);
        ++added;
    }
    node->split = 1;
    return -1;
}

int CMacroInterpreter::SplitSeparators(CMacroStatement* node, int& added, CPtrArray& work)
{
    added = 0;
    const Stripped s(node->text);
    std::vector<Operator> ops;
    FindOperators(s.text, 1, {",", ";"}, {}, {}, 4, ops);
    if (ops.empty())
        return -1;
    const std::vector<MacroCut> cuts = CutsBetween(s.text, ops, 3);
    std::vector<CMacroStatement*> pieces;
    for (const MacroCut& cut : cuts)
        pieces.push_back(MakePiece(node, s.text.Mid(cut.start, cut.end - cut.start), cut.code, s.left + cut.start));
    if (node->code == 46)
        pieces.front()->forInit = 1;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        work.Add(*it);
    added = static_cast<int>(pieces.size());
    node->firstChildOffset = s.left;
    node->split = 1;
    return -1;
}

int CMacroInterpreter::SplitPowerSuffix(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    const CString& text = s.text;
    const int close = text.ReverseFind(')');
    if (close < 0 || text.IsEmpty() || text[0] != '(' || text.Find('(', 1) >= 0)
        return -1;
    int depth = 0;
    for (int i = 0; i <= close; ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')' && --depth < 0) {
            AfxMessageBox(macro_text::kTooFewOpening);
            return s.left + i;
        }
    }
    if (depth != 0) {
        AfxMessageBox(macro_text::kParenthesesWrong);
        return s.left + close + 1;
    }
    CString exponent = text.Mid(close + 1);
    int unitIndex = -1;
    if (SplitUnitSuffix(exponent, unitIndex) == 0)
        node->unit = GetUnit(unitIndex);
    if (IsNumberText(exponent) != -1)
        return -1;
    CString base = text.Left(close + 1);
    const int removed = StripPiece(base);
    CMacroStatement* piece = MakePiece(node, base + "," + exponent, 40, s.left + removed);
    work.InsertAt(index + 1, piece);
    node->firstChildOffset = s.left;
    node->split = 1;
    added = 1;
    return -1;
}

int CMacroInterpreter::SplitAssignment(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    CMacroStatement* current = node;
    int at = index;
    int base = 0;
    for (int step = 0; step < kMaxAssignmentSteps; ++step) {
        const Stripped s(current->text);
        if (HasTopLevelChar(s.text, ",;"))
            break;
        std::vector<Operator> ops;
        FindOperators(s.text, 1, {"="}, {"<", ">", "!", "=", "*", "/", "%", "+", "-"}, {"="}, 7, ops);
        FindOperators(s.text, 2, {"*=", "/=", "%=", "+=", "-="}, {}, {}, 8, ops);
        if (ops.empty())
            break;
        const Operator& op = ops.front();
        if (op.position == 0) {
            AfxMessageBox(macro_text::kLeadingAssignment);
            return base + s.left;
        }
        const std::vector<MacroCut> cuts = {{0, op.position, 6}, {op.position + op.length, s.text.GetLength(), op.code}};
        added += InsertCuts(current, s.text, s.left, cuts, work, at);
        CMacroStatement* value = static_cast<CMacroStatement*>(work[at + 2]);
        base += value->parentOffset;
        current = value;
        at += 2;
    }
    return -1;
}

int CMacroInterpreter::SplitConditional(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;"))
        return -1;
    std::vector<Operator> ops;
    FindOperators(s.text, 1, {"?", ":"}, {}, {}, 13, ops);
    if (ops.empty())
        return -1;
    if (ops[0].position == 0) {
        AfxMessageBox(macro_text::kLeadingConditional);
        return s.left;
    }
    if (ops.size() == 1) {
        AfxMessageBox(macro_text::kConditionalTooFew);
        return s.left + ops[0].position;
    }
    if (ops.size() >= 3) {
        AfxMessageBox(macro_text::kConditionalTooMany);
        return s.left + ops[2].position;
    }
    for (size_t k = 0; k < 2; ++k) {
        if (ops[k].code != static_cast<int>(13 + k)) {
            AfxMessageBox(macro_text::kConditionalOrder);
            return s.left + ops[k].position;
        }
    }
    added = InsertCuts(node, s.text, s.left, CutsBetween(s.text, ops, 13), work, index);
    return -1;
}

// The levels whose operators all cut at once into a flat list of pieces in text order.
int CMacroInterpreter::CutFlat(CMacroStatement* node, int& added, CPtrArray& work, int index, const CString& stripped,
                               int left, const std::vector<MacroCut>& cuts)
{
    added = InsertCuts(node, stripped, left, cuts, work, index);
    return -1;
}

namespace {

// A level with a fault for a leading operator: the pieces start with code 3.
int LeadingFault(const char* message, int left)
{
    AfxMessageBox(message);
    return left;
}

} // namespace

int CMacroInterpreter::SplitLogical(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;"))
        return -1;
    std::vector<Operator> ops;
    FindOperators(s.text, 2, {"&&", "||"}, {}, {}, 15, ops);
    if (ops.empty())
        return -1;
    if (ops[0].position == 0)
        return LeadingFault(macro_text::kLeadingLogical, s.left);
    return CutFlat(node, added, work, index, s.text, s.left, CutsBetween(s.text, ops, 3));
}

int CMacroInterpreter::SplitBitwise(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;"))
        return -1;
    std::vector<Operator> ops;
    FindOperators(s.text, 1, {"&", "|"}, {"&", "|"}, {"&", "|"}, 17, ops);
    if (ops.empty())
        return -1;
    if (ops[0].position == 0)
        return LeadingFault(macro_text::kLeadingBitwise, s.left);
    return CutFlat(node, added, work, index, s.text, s.left, CutsBetween(s.text, ops, 3));
}

int CMacroInterpreter::SplitRelational(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;+-*/"))
        return -1;
    std::vector<Operator> ops;
    FindOperators(s.text, 1, {"<", ">"}, {}, {"="}, 19, ops);
    FindOperators(s.text, 2, {"<=", ">=", "==", "!="}, {}, {}, 21, ops);
    if (ops.empty())
        return -1;
    if (ops[0].position == 0)
        return LeadingFault(macro_text::kLeadingRelational, s.left);
    return CutFlat(node, added, work, index, s.text, s.left, CutsBetween(s.text, ops, 3));
}

int CMacroInterpreter::SplitAdditive(CMacroStatement* node, int& added, CPtrArray& work, int index, int mode)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;="))
        return -1;
    std::vector<Operator> ops;
    if (mode == 0)
        FindOperators(s.text, 2, {"++", "--"}, {"e", "E"}, {}, 25, ops);
    else
        FindOperators(s.text, 1, {"+", "-"}, {"+", "-", "e", "E"}, {"+", "-"}, 25, ops);
    if (ops.empty())
        return -1;
    std::vector<MacroCut> cuts = CutsBetween(s.text, ops, 3);
    if (ops[0].position == 0) {
        // A prefix operator: no first piece; the operand's code says what stood before it.
        cuts.erase(cuts.begin());
        const bool plus = ops[0].code == 25;
        if (mode == 0)
            cuts.front().code = plus ? 50 : 51;
        else
            cuts.front().code = plus ? 3 : 26;
    }
    return CutFlat(node, added, work, index, s.text, s.left, cuts);
}

int CMacroInterpreter::SplitMultiplicative(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;=+-"))
        return -1;
    std::vector<Operator> found;
    FindOperators(s.text, 1, {"%", "*", "/"}, {"*", "/"}, {"*", "/"}, 27, found);
    if (found.empty())
        return -1;
    if (found[0].position == 0)
        return LeadingFault(macro_text::kLeadingMultiplicative, s.left);
    // A "/" inside a registered unit name such as m/s divides nothing.
    std::vector<Operator> ops;
    int pieceStart = 0;
    for (const Operator& op : found) {
        bool inUnit = false;
        if (op.code == 29) {
            for (int u = 0; const CUnit* unit = GetUnit(u); ++u) {
                const int q = unit->name.Find('/');
                const int start = op.position - q;
                if (q < 0 || start < pieceStart)
                    continue;
                if (s.text.Mid(start, unit->name.GetLength()) == unit->name) {
                    inUnit = true;
                    break;
                }
            }
        }
        if (inUnit)
            continue;
        ops.push_back(op);
        pieceStart = op.position + op.length;
    }
    if (ops.empty())
        return -1;
    // A unit written after the last factor belongs to the whole product.
    int pieceBegin = 0;
    for (const Operator& op : ops) {
        if (op.code != 27) {
            // The factor before the operator is looked at without its blanks, as its operand
            // will be: "10mm * 10mm" is a product of two lengths.
            CString before = s.text.Mid(pieceBegin, op.position - pieceBegin);
            before.TrimRight();
            CString rest = s.text.Mid(op.position + op.length);
            int beforeUnit = -1;
            int restUnit = -1;
            if (SplitUnitSuffix(before, beforeUnit) != 0 && SplitUnitSuffix(rest, restUnit) == 0) {
                node->unit = GetUnit(restUnit);
                s.text = s.text.Left(op.position + op.length) + rest;
            }
        }
        pieceBegin = op.position + op.length;
    }
    return CutFlat(node, added, work, index, s.text, s.left, CutsBetween(s.text, ops, 3));
}

int CMacroInterpreter::SplitNot(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;+-*/%"))
        return -1;
    std::vector<Operator> ops;
    FindOperators(s.text, 1, {"!"}, {}, {}, 30, ops);
    if (ops.empty())
        return -1;
    std::vector<MacroCut> cuts = CutsBetween(s.text, ops, 3);
    if (ops[0].position == 0)
        cuts.erase(cuts.begin());
    return CutFlat(node, added, work, index, s.text, s.left, cuts);
}

namespace {

// Keywords in matching order with their codes.
const char* const kKeywordNames[] = {
    "sin", "cos", "tan", "asin", "acos", "atan", "fabs", "sqrt", "pow", "if", "else if", "else", "while", "for",
    "continue", "break", "CommandMenu", "StatusMessage", "InputPoint", "InputValue", "CommandPoint", "CommandLine",
    "CommandCircle", "CommandArc", "CommandText", "CommandDimension", "CommandLoop", "CommandDrag", "RGB",
    "CommandPattern"};
const int kKeywordCodes[] = {31, 32, 33, 34, 35, 36, 37, 38, 39, 42, 43, 44, 45, 46, 47,
                             48, 101, 102, 103, 104, 105, 106, 107, 108, 110, 111, 112, 113, 49, 114};
static_assert(sizeof kKeywordNames / sizeof kKeywordNames[0] == sizeof kKeywordCodes / sizeof kKeywordCodes[0]);

} // namespace

int CMacroInterpreter::SplitKeyword(CMacroStatement* node, int& added, CPtrArray& work, int index)
{
    added = 0;
    const Stripped s(node->text);
    if (HasTopLevelChar(s.text, ",;+-*/%!"))
        return -1;
    int keyword = -1;
    for (int k = 0; k < static_cast<int>(sizeof kKeywordNames / sizeof kKeywordNames[0]); ++k) {
        if (s.text.Left(static_cast<int>(std::strlen(kKeywordNames[k]))) == kKeywordNames[k]) {
            keyword = k;
            break;
        }
    }
    if (keyword < 0)
        return -1;
    const int nameLength = static_cast<int>(std::strlen(kKeywordNames[keyword]));
    CString argument = s.text.Mid(nameLength);
    const int pair = StripEnclosingParens(argument);
    CMacroStatement* piece = MakePiece(node, argument, kKeywordCodes[keyword], s.left + nameLength + pair);
    work.InsertAt(index + 1, piece);
    node->firstChildOffset = s.left + pair;
    node->split = 1;
    added = 1;
    return -1;
}

int CMacroInterpreter::SplitUnitSuffixes(CPtrArray& work)
{
    int added = 0;
    for (int i = 0; i < work.GetSize(); ++i) {
        auto* node = static_cast<CMacroStatement*>(work[i]);
        if (node->split)
            continue;
        CString t = node->text;
        const int lead = TrimLeftCount(t);
        t.TrimRight();
        if (t.IsEmpty() || t[0] != '(')
            continue;
        const int close = t.ReverseFind(')');
        if (close < 0 || close == t.GetLength() - 1)
            continue;
        const int unitIndex = FindUnitByName(t.Mid(close + 1));
        if (unitIndex < 0)
            continue;
        CString inner = t.Left(close + 1);
        const int removed = StripPiece(inner);
        CMacroStatement* piece = MakePiece(node, inner, 3, lead + removed);
        piece->indent = static_cast<std::int16_t>(removed);
        piece->unit = GetUnit(unitIndex);
        node->unit = piece->unit;
        node->split = 1;
        work.InsertAt(i + 1, piece);
        ++i;
        ++added;
    }
    return added;
}

int CMacroInterpreter::SweepLevels(CPtrArray& work, int& failing)
{
    using Level = std::function<int(CMacroStatement*, int&, CPtrArray&, int)>;
    const Level levels[] = {
        [this](CMacroStatement* n, int& a, CPtrArray& w, int) { return SplitBlocks(n, a, w); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int) { return SplitSeparators(n, a, w); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitPowerSuffix(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitAssignment(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitConditional(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitLogical(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitBitwise(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitRelational(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitAdditive(n, a, w, i, 0); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitAdditive(n, a, w, i, 1); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitMultiplicative(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitNot(n, a, w, i); },
        [this](CMacroStatement* n, int& a, CPtrArray& w, int i) { return SplitKeyword(n, a, w, i); },
    };
    for (;;) {
        int sweepAdded = 0;
        for (const Level& level : levels) {
            std::unordered_set<const CMacroStatement*> made;
            for (int i = 0; i < work.GetSize(); ++i) {
                auto* node = static_cast<CMacroStatement*>(work[i]);
                if (node->split || made.count(node))
                    continue;
                m_passPieces.clear();
                int added = 0;
                const int fault = level(node, added, work, i);
                made.insert(m_passPieces.begin(), m_passPieces.end());
                sweepAdded += added;
                if (fault != -1) {
                    failing = i;
                    return fault;
                }
            }
        }
        sweepAdded += SplitUnitSuffixes(work);
        if (sweepAdded == 0)
            return -1;
    }
}

int CMacroInterpreter::Parse(CPtrArray& output, int& line, int& column)
{
    for (int i = m_statements.GetSize() - 1; i >= 0; --i) {
        CMacroStatement* statement = Statement(i);
        if (IsCommentStatement(statement)) {
            output.InsertAt(0, statement);
            continue;
        }
        CPtrArray work;
        work.Add(statement);
        int failing = 0;
        int fault = statement->ApplyOutputUnit();
        if (fault == -1)
            fault = SweepLevels(work, failing);
        if (fault != -1) {
            for (int j = i - 1; j >= 0; --j)
                work.Add(Statement(j));
            output.InsertAt(0, &work);
            line = failing;
            column = fault;
            return 0;
        }
        output.InsertAt(0, &work);
    }
    return 1;
}
