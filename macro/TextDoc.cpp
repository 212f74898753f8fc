// CTextDoc: the lines of a text window.
#include "macro/TextDoc.h"

int CTextDoc::SetLines(const CStringArray& lines)
{
    m_lines.RemoveAll();
    m_lines.Append(lines);
    SetModifiedFlag(TRUE);
    return 1;
}
