// The box of the text being placed: its four corners about the anchor, as the current text
// settings lay the text out, and the TAB expansion every text goes through before it is measured.
#include "commands/annotate/TextCommand.h"

#include "app/AppText.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"

namespace {

// The width factor of a text's box: its notation's and, for fixed-direction text, its layout's.
double BoxWidthRatio(const CString& text, int alignment, double angle, int showMessages)
{
    double r = 1.0;
    if (CTextCommand::HasNotationMarkers(text))
        r = CTextCommand::GetNotationWidthRatio(text, showMessages);
    if (DocTextSettings().m_formClass == 2)
        r *= LayoutWidthRatioAt(text, alignment, angle);
    return r;
}

}  // namespace

void ComputeBoxOfString(const CString& text, CPointD* corners)
{
    const CAppText& t = DocTextSettings();
    ComputeTextBoxCorners(t.m_logFont, t.m_widthTenths, t.m_heightTenths, t.m_anchor, text,
                          t.m_direction,
                          BoxWidthRatio(text, t.m_anchor, t.m_logFont.lfEscapement / 10.0, 0),
                          corners[0], corners[1], corners[2], corners[3]);
}

void CTextCommand::UpdateTextBox(int showNotationMessages)
{
    ComputeBoxForString(m_string, showNotationMessages);
}

void CTextCommand::ComputeBoxForString(const CString& text, int showNotationMessages)
{
    const CAppText& t = DocTextSettings();
    SetTextBox(t.m_logFont, t.m_widthTenths, t.m_heightTenths, t.m_anchor, text,
               BoxWidthRatio(text, t.m_anchor, m_angle, showNotationMessages));
}

void CTextCommand::SetTextBox(const LOGFONT& font, int width10, int height10, int alignment,
                              const CString& text, double ratio)
{
    ComputeTextBoxCorners(font, width10, height10, alignment, text, DocTextSettings().m_direction,
                          ratio, m_box[0], m_box[1], m_box[2], m_box[3]);
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
