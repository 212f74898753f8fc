// The text notation: stacked small texts (a base, an upper and a lower text between three
// subscript markers) and readings (a base and its reading between three furigana markers), how a
// text splits into them and how wide its box is.
#include "commands/annotate/TextCommand.h"

#include <algorithm>

#include "app/AppText.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"

bool CTextCommand::HasNotationMarkers(const CString& text)
{
    const CAppText& t = DocTextSettings();
    return (!t.m_subscriptMarker.IsEmpty() && text.Find(t.m_subscriptMarker) >= 0) ||
           (!t.m_rubyMarker.IsEmpty() && text.Find(t.m_rubyMarker) >= 0);
}

namespace {

bool MarkerAt(const CString& text, int i, const CString& marker)
{
    return !marker.IsEmpty() && i + marker.GetLength() <= text.GetLength() &&
           text.Mid(i, marker.GetLength()) == marker;
}

}  // namespace

void CTextCommand::SplitNotation(const CString& text, CStringArray* pieces, CWordArray* kinds,
                                 int futureTense, int showMessages)
{
    const CAppText& t = DocTextSettings();
    const CString& m1 = t.m_subscriptMarker;
    const CString& m2 = t.m_rubyMarker;
    int s = 0;
    CString piece;
    CString rest = text;
    // A marker closes the current piece and steps its set's states (first -> second -> 0); inside
    // the other kind of set it is plain text, with a message. Returns where scanning goes on, or
    // -1 when the marker does not start at i.
    auto atMarker = [&](int i, const CString& marker, int firstState, int otherA, int otherB,
                        const char* future, const char* past) {
        if (!MarkerAt(rest, i, marker))
            return -1;
        if (s == otherA || s == otherB) {
            if (showMessages)
                DocShowMessage(futureTense ? future : past, 1);
            piece += marker;
            return i + marker.GetLength();
        }
        pieces->Add(piece);
        kinds->Add(static_cast<WORD>(s));
        piece.Empty();
        s = s == 0 ? firstState : (s == firstState ? firstState * 2 : 0);
        rest = rest.Mid(i + marker.GetLength());
        return 0;
    };
    int i = 0;
    while (i < rest.GetLength()) {
        int next = atMarker(i, m1, 1, 4, 8, "振り仮名に付けられた添え字は無視します",
                            "振り仮名に付けられた添え字は無視しました");
        if (next < 0)
            next = atMarker(i, m2, 4, 1, 2, "添え字に付けられた振り仮名は無視します",
                            "添え字に付けられた振り仮名は無視しました");
        if (next >= 0) {
            i = next;
            continue;
        }
        // A double-byte character is taken whole: its trail byte may equal a marker's first
        // byte (0x5E '^' follows 0x83 in a katakana) without starting one.
        const int n = MbCharLength(rest.GetString(), i, rest.GetLength());
        piece += rest.Mid(i, n);
        i += n;
    }
    if (!piece.IsEmpty()) {
        pieces->Add(piece);
        kinds->Add(static_cast<WORD>(s));
    }
    if (s == 1) {
        if (showMessages)
            DocShowMessage(futureTense ? "添え字の指示文字(" + m1 + ")は３組で使用した場合(100" +
                                             m1 + "+0.1" + m1 + "-0.1" + m1 + ")に機能します"
                                       : CString("添え字の指示文字の数は一組３個として扱いました"),
                           1);
        pieces->Add(CString());
        kinds->Add(2);
    } else if (s == 4) {
        if (showMessages)
            DocShowMessage(futureTense ? "振り仮名の指示文字(" + m2 + ")は３組で使用した場合(･･･" +
                                             m2 + "漢字" + m2 + "ｶﾝｼﾞ" + m2 + "･･･)に機能します"
                                       : CString("振り仮名の指示文字の数は一組３個として扱いました"),
                           1);
        // The base of an unclosed set is plain text; its kind is replaced rather than a kind
        // inserted, so that kinds and pieces stay one to one.
        (*kinds)[kinds->GetSize() - 1] = 0;
    }
}

double CTextCommand::GetNotationWidthRatio(const CString& text, int showMessages)
{
    if (text.IsEmpty())
        return 1.0;
    CStringArray pieces;
    CWordArray kinds;
    SplitNotation(text, &pieces, &kinds, 1, showMessages);
    int plain = 0, c = 0;
    double stacked = 0;
    for (int i = 0; i < pieces.GetSize() && i < kinds.GetSize(); ++i) {
        const int len = pieces[i].GetLength();
        switch (kinds[i]) {
        case 0:
        case 4:
            plain += len;
            break;
        case 1:
            c = len;
            break;
        case 2:
            stacked += std::max(c, len);
            c = 0;
            break;
        default:
            break;
        }
    }
    return (stacked * DocTextSettings().m_layoutRatio2 + plain) / text.GetLength();
}

double LayoutWidthRatioAt(const CString& text, int alignment, double angle)
{
    const CAppText& t = DocTextSettings();
    return ComputeTextWidthRatio(text, t.m_logFont, t.m_widthTenths, t.m_heightTenths, alignment,
                                 t.m_charSpacing, t.m_rightToLeft, angle, t.m_direction);
}

double CTextCommand::GetLayoutWidthRatio(const CString& text, int alignment) const
{
    return LayoutWidthRatioAt(text, alignment, m_angle);
}
