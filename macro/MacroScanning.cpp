// The scanning routines shared by the macro front end, the operand evaluation and the entry
// points. Positions are byte offsets: the parser's columns and the error reports add them up.
#include "macro/MacroInterpreter.h"

#include "geometry/Numeric.h"
#include "macro/Quantity.h"
#include "macro/Unit.h"

#include <cstring>

namespace {

// Bytes of the character at i: a lead byte followed by a second byte is one character.
int CharLength(const CString& text, int i)
{
    return MbCharLength(text.GetString(), i, text.GetLength());
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsExponentLetter(char c)
{
    return c == 'e' || c == 'E';
}

bool InList(char c, const char* list)
{
    return c != '\0' && std::strchr(list, c) != nullptr;
}

bool MatchesAt(const CString& text, int pos, const char* token)
{
    const int n = static_cast<int>(std::strlen(token));
    if (pos < 0 || pos + n > text.GetLength())
        return false;
    return std::memcmp(text.GetString() + pos, token, static_cast<size_t>(n)) == 0;
}

} // namespace

int CMacroInterpreter::HasTopLevelChar(const CString& text, const char* chars)
{
    const int len = text.GetLength();
    bool inString = false;
    int depth = 0;
    char previous = '\0';   // the previous character when it was a single byte
    for (int i = 0; i < len;) {
        const int n = CharLength(text, i);
        const char c = text[i];
        i += n;
        if (n == 2) {
            previous = '\0';
            continue;
        }
        if (c == '"') {
            inString = !inString;
        } else if (!inString) {
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                --depth;
            } else if (depth == 0 && InList(c, chars)) {
                // The sign of an exponent, as in 2.5e-3, stands at no level of its own.
                if (!((c == '+' || c == '-') && IsExponentLetter(previous)))
                    return 1;
            }
        }
        previous = c;
    }
    return 0;
}

int CMacroInterpreter::FindTopLevelOperators(const CString& text, int length, MacroTokenList operators,
                                             MacroTokenList notAfter, MacroTokenList notBefore,
                                             CWordArray& positions, CWordArray& codes, int codeBase)
{
    const int len = text.GetLength();
    bool inString = false;
    int depth = 0;
    char previous = '\0';
    for (int i = 0; i < len;) {
        const int n = CharLength(text, i);
        const char c = text[i];
        const int at = i;
        i += n;
        const char before = previous;
        previous = n == 2 ? '\0' : c;
        if (n == 2)
            continue;
        if (c == '"') {
            inString = !inString;
            continue;
        }
        if (inString)
            continue;
        if (c == '(') {
            ++depth;
            continue;
        }
        if (c == ')') {
            if (--depth < 0)
                return 0;
            continue;
        }
        if (depth > 0)
            continue;
        if (at + length > len)
            continue;
        if (at + length < len) {
            bool excluded = false;
            if (at > 0) {
                for (const char* entry : notAfter) {
                    const size_t k = std::strlen(entry);
                    if (k > 0 && before != '\0' && before == entry[k - 1])
                        excluded = true;
                }
            }
            const char next = text[at + length];
            for (const char* entry : notBefore) {
                if (entry[0] != '\0' && next == entry[0])
                    excluded = true;
            }
            if (excluded)
                continue;
        }
        int j = 0;
        for (const char* op : operators) {
            if (static_cast<int>(std::strlen(op)) == length && MatchesAt(text, at, op)) {
                const int index = InsertSortedWord(positions, static_cast<WORD>(at));
                codes.InsertAt(index, static_cast<WORD>(codeBase + j));
                break;
            }
            ++j;
        }
    }
    return depth == 0 ? 1 : 0;
}

int CMacroInterpreter::StripEnclosingParens(CString& text)
{
    const int len = text.GetLength();
    if (len == 0 || text[0] != '(')
        return 0;
    bool inString = false;
    int depth = 0;
    int i = 0;
    while (i < len - 1) {
        const int n = CharLength(text, i);
        const char c = text[i];
        i += n;
        if (n == 1) {
            if (c == '"')
                inString = !inString;
            else if (!inString && c == '(')
                ++depth;
            else if (!inString && c == ')')
                --depth;
        }
        if (depth == 0)
            return 0;
    }
    // The walk must stop at the last byte: a double-byte character there is no ")".
    if (i == len - 1 && depth > 0 && text[len - 1] == ')') {
        text = text.Mid(1, len - 2);
        return 1;
    }
    return 0;
}

int CMacroInterpreter::TrimLeftCount(CString& text)
{
    const int before = text.GetLength();
    text.TrimLeft();
    return before - text.GetLength();
}

int CMacroInterpreter::TrimRightCount(CString& text)
{
    const int before = text.GetLength();
    text.TrimRight();
    return before - text.GetLength();
}

int CMacroInterpreter::StripPiece(CString& text)
{
    // Comments are cut wherever they stand, also inside a string literal.
    const int comment = text.Find("//");
    if (comment >= 0)
        text = text.Left(comment);
    text.TrimRight();
    const int close = text.Find("*/");
    if (close >= 0 && close == text.GetLength() - 2) {
        const int open = text.Find("/*");
        if (open >= 0)
            text = text.Left(open);
    }
    int removed = 0;
    for (;;) {
        const int left = TrimLeftCount(text);
        const int right = TrimRightCount(text);
        const int pair = StripEnclosingParens(text);
        removed += left + pair;
        if (left == 0 && right == 0 && pair == 0)
            break;
    }
    return removed;
}

int CMacroInterpreter::MatchKeyword(const CString& text, MacroTokenList keywords, int& index)
{
    int i = 0;
    for (const char* keyword : keywords) {
        if (MatchesAt(text, 0, keyword)) {
            index = i;
            return 1;
        }
        ++i;
    }
    return 0;
}

int CMacroInterpreter::IndexOfNode(const CPtrArray& nodes, const void* node)
{
    for (int i = 0; i < nodes.GetSize(); ++i) {
        if (nodes[i] == node)
            return i;
    }
    return -1;
}

void CMacroInterpreter::NormaliseExponentText(CString& text)
{
    CString result;
    bool exponent = false;
    const int len = text.GetLength();
    for (int i = 0; i < len;) {
        const int n = CharLength(text, i);
        if (n == 2) {
            result += text.Mid(i, 2);
            i += 2;
            continue;
        }
        const char c = text[i++];
        if (IsExponentLetter(c)) {
            exponent = true;
        } else if (c >= '1' && c <= '9') {
            exponent = false;
        } else if (exponent && c == '0') {
            continue;
        } else if (exponent && c == '.') {
            return;
        }
        result += c;
    }
    text = result;
}

void CMacroInterpreter::GetResultKinds(CWordArray& kinds) const
{
    for (int i = 0; i < m_results.GetSize(); ++i) {
        const auto* q = static_cast<const CQuantity*>(m_results[i]);
        if (q->kind == 1 || q->kind == 3)
            kinds.Add(1);
        else
            kinds.Add(static_cast<WORD>(q->unit.SuffixKind(q->kind == 4 || q->kind == 5)));
    }
}

int CMacroInterpreter::SplitUnitSuffix(CString& text, int& unitIndex)
{
    if (text.IsEmpty())
        return -1;
    int best = -1;
    int bestStart = 0;
    for (int i = 0;; ++i) {
        const CUnit* unit = GetUnit(i);
        if (!unit)
            break;
        if (unit->name.IsEmpty())
            continue;
        const int start = text.Find(unit->name.GetString());
        if (start < 0 || start + unit->name.GetLength() != text.GetLength())
            continue;
        const CString rest = text.Left(start);
        const bool allowed = IsNumberText(rest) != 0 || CheckIdentifier(rest) != -1 ||
                             (!rest.IsEmpty() && rest[rest.GetLength() - 1] == ' ');
        if (allowed && (best < 0 || start < bestStart)) {
            best = i;
            bestStart = start;
        }
    }
    if (best < 0)
        return -1;
    text = text.Left(bestStart);
    unitIndex = best;
    return 0;
}

int CMacroInterpreter::IsNumberText(const CString& text)
{
    const int len = text.GetLength();
    if (len == 0)
        return 0;
    for (int i = 0; i < len; ++i) {
        const char c = text[i];
        if (IsDigit(c) || c == '+' || c == '-' || c == '.')
            continue;
        if (IsExponentLetter(c) && i + 1 < len) {
            const char next = text[i + 1];
            if (IsDigit(next) || next == '+' || next == '-' || next == '.')
                continue;
        }
        return i;
    }
    return -1;
}

int CMacroInterpreter::CheckIdentifier(const CString& text)
{
    const int len = text.GetLength();
    if (len == 0)
        return -1;
    for (int i = 0; i < len; ++i) {
        const char c = text[i];
        if (IsAsciiLetter(c) || (i > 0 && IsDigit(c)))
            continue;
        return i;
    }
    return FindUnitByName(text) >= 0 ? 0 : -1;
}
