// SplitString and ReadTextFileLines.
#include "formats/TextFiles.h"

#include "platform/core/File.h"

int SplitString(const CString& text, char separator, CStringArray& out)
{
    out.RemoveAll();
    CString rest = text;
    int count = 0;
    for (;;) {
        const int pos = rest.Find(separator);
        if (pos < 0)
            break;
        if (separator == '\t' && pos == 0) {
            rest = rest.Mid(1);
            continue;
        }
        out.Add(rest.Left(pos));
        ++count;
        rest = rest.Mid(pos + 1);
    }
    out.Add(rest);
    return count + 1;
}

int ReadTextFileLines(CStringArray& lines, const CString& path)
{
    try {
        CStdioFile file;
        if (!file.Open(path, CFile::modeRead | CFile::typeText))
            return 0;
        CString line;
        while (file.ReadString(line))
            lines.Add(line);
        file.Close();
    } catch (CException&) {
        return 0;
    }
    return 1;
}
