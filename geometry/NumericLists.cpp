// Splitting text at delimiters, and the sorted 16-bit index lists and reference lookups the
// elements and parsers share.
#include "geometry/ElemRef.h"
#include "geometry/Numeric.h"
#include "platform/core/Arrays.h"

namespace {

// The first character of s (one or two bytes) when it is one of the characters of set.
int LeadingCharInSet(const CString& s, const char* set)
{
    if (s.IsEmpty() || set == nullptr) {
        return 0;
    }
    int len = MbCharLength(s.GetString(), 0, s.GetLength());
    return s.Left(len).FindOneOf(set) == 0 ? len : 0;
}

} // namespace

void SplitTokens(CString text, const char* delimiters, const char* prefixes, CStringArray& out)
{
    // Ten cuts at most: further delimiters stay inside the last piece.
    for (int pass = 0; pass < 10; ++pass) {
        int pos = text.FindOneOf(delimiters);
        if (pos < 0) {
            break;
        }
        CString piece = text.Left(pos);
        int delimiterLength = static_cast<unsigned char>(text.GetAt(pos)) == 0x81 ? 2 : 1;
        text = text.Mid(pos + delimiterLength);
        TrimBlanks(piece);
        int prefix = LeadingCharInSet(piece, prefixes);
        if (prefix > 0) {
            out.Add(piece.Left(prefix));
            piece = piece.Mid(prefix);
        }
        if (!piece.IsEmpty()) {
            out.Add(piece);
        }
    }
    TrimBlanks(text);
    if (text.IsEmpty()) {
        return;
    }
    for (int i = 0; i < 20; ++i) {
        int prefix = LeadingCharInSet(text, prefixes);
        if (prefix == 0) {
            break;
        }
        out.Add(text.Left(prefix));
        text = text.Mid(prefix);
    }
    if (!text.IsEmpty()) {
        out.Add(text);
    }
}

int InsertSortedWord(CWordArray& list, WORD v)
{
    int n = list.GetSize();
    for (int i = 0; i < n; ++i) {
        if (list[i] == v) {
            return i;
        }
        if (list[i] > v) {
            list.InsertAt(i, v);
            return i;
        }
    }
    return list.Add(v);
}

int FindWord(const CWordArray& list, WORD v)
{
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i] == v) {
            return i;
        }
    }
    return -1;
}

CElemRef* FindRefByBlockSlot(const CPtrArray& refs, short block, short slot, int& index)
{
    for (int i = 0; i < refs.GetSize(); ++i) {
        CElemRef* r = static_cast<CElemRef*>(refs[i]);
        if (r != nullptr && r->m_block == block && r->m_slot == slot) {
            index = i;
            return r;
        }
    }
    index = -1;
    return nullptr;
}
