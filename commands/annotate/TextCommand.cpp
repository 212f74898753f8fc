// The text command object, and the notation routines the document's text adders use.
#include "commands/annotate/TextCommand.h"

#include <algorithm>

#include "app/AppText.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"

CTextCommand::CTextCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "P" : "#P"), m_angle(0),
      m_pendingText(0)
{
}

void ComputeBoxOfString(const CString& text, CPointD* corners)
{
    const CAppText& t = DocTextSettings();
    double r = 1.0;
    if (CTextCommand::HasNotationMarkers(text))
        r = CTextCommand::GetNotationWidthRatio(text, 0);
    if (t.m_formClass == 2)
        r *= ComputeTextWidthRatio(text, t.m_logFont, t.m_widthTenths, t.m_heightTenths,
                                   t.m_anchor, t.m_charSpacing, t.m_rightToLeft,
                                   t.m_logFont.lfEscapement / 10.0, t.m_direction);
    CPointD far;
    ComputeTextBoxCorners(t.m_logFont, t.m_widthTenths, t.m_heightTenths, t.m_anchor, text,
                          t.m_direction, r, corners[0], corners[1], corners[2], far);
}

void CTextCommand::UpdateTextBox(int)
{
    ComputeBoxForString(m_string);
}

void CTextCommand::ComputeBoxForString(const CString& text)
{
    ComputeBoxOfString(text, m_box);
}

bool ExpandTabs(CString& text)
{
    CString spaces(' ', DocTabWidth());
    CString out;
    bool found = false;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '\t') {
            out += spaces;
            found = true;
        } else {
            out += text[i];
        }
    }
    text = out;
    return found;
}

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
    // the other kind of set it is plain text, with a message.
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
        piece += rest[i];
        ++i;
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
        if (kinds->GetSize() > 0)
            kinds->InsertAt(kinds->GetSize() - 1, static_cast<WORD>(0));
        else
            kinds->Add(0);
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
        int len = pieces[i].GetLength();
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

void CTextCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
