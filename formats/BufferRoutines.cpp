// Buffer, string and text-file routines of the file formats.
#include "formats/BufferRoutines.h"

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/File.h"
#include "platform/core/Runtime.h"
#include "platform/core/Services.h"

#include <cstring>
#include <new>
#include <vector>

int SplitString(const CString& text, char separator, CStringArray& out)
{
    out.RemoveAll();
    int count = 0;
    CString rest = text;
    for (;;) {
        int at = rest.Find(separator);
        if (separator == '\t' && at == 0) {
            rest = rest.Mid(1);
            continue;
        }
        if (at < 0)
            break;
        out.Add(rest.Left(at));
        ++count;
        rest = rest.Mid(at + 1);
    }
    out.Add(rest);
    return count + 1;
}

namespace {

const char kMsgBackupNotWritten[] = " にバックアップを書き込めませんでした";

void PutRaw(int capacity, BYTE* buffer, const void* bytes, int n, int& position)
{
    if (buffer_detail::Fits(capacity, buffer, position, n))
        std::memcpy(buffer + position, bytes, static_cast<size_t>(n));
    position += n;
}

} // namespace

void PutLine(int capacity, BYTE* buffer, const CString& text, int& position)
{
    int n = text.GetLength();
    if (buffer_detail::Fits(capacity, buffer, position, n + 2)) {
        std::memcpy(buffer + position, text.GetString(), static_cast<size_t>(n));
        buffer[position + n] = '\r';
        buffer[position + n + 1] = '\n';
    }
    position += n + 2;
}

void PutText(int capacity, BYTE* buffer, const CString& text, int& position)
{
    PutRaw(capacity, buffer, text.GetString(), text.GetLength(), position);
}

void GetBytes(const BYTE* data, int length, int& position, void* destination, int count)
{
    if (count <= 0)
        return;
    if (position < 0 || static_cast<long long>(position) + count > length) {
        position = length + 1;
        return;
    }
    std::memcpy(destination, data + position, static_cast<size_t>(count));
    position += count;
}

CString GetText(const BYTE* data, int length, int& position, int count)
{
    if (count <= 0)
        return CString();
    if (position < 0 || static_cast<long long>(position) + count > length) {
        position = length + 1;
        return CString();
    }
    CString text(reinterpret_cast<const char*>(data + position), count);
    position += count;
    return text;
}

void AppendLineFeed(char* buffer)
{
    size_t n = std::strlen(buffer);
    buffer[n] = '\n';
    buffer[n + 1] = '\0';
}

int ReadBufferLine(const BYTE* data, int length, int& position, char* line)
{
    int copied = 0;
    int p = position < 0 ? 0 : position;
    while (copied < 1023) {
        if (p >= length) {
            line[copied] = '\0';
            position = length + 2;
            return 0;
        }
        if (data[p] == '\r') {
            line[copied] = '\0';
            position = p + 2;
            return 1;
        }
        line[copied++] = static_cast<char>(data[p++]);
    }
    line[copied] = '\0';
    position = p + 2;
    return 0;
}

int ReadBufferLineString(const BYTE* data, int length, int& position, CString& line)
{
    char buffer[1024];
    int result = ReadBufferLine(data, length, position, buffer);
    line = buffer;
    return result;
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
        return 1;
    } catch (CException&) {
        return 0;
    }
}

int WriteTextFileLines(const CStringArray& lines, const CString& path)
{
    try {
        CStdioFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText))
            return 0;
        for (int i = 0; i < lines.GetSize(); ++i)
        {
            // Cut at a character boundary: half a double-byte character would corrupt the text.
            const CString& line = lines.GetAt(i);
            file.WriteString(line.Left(MbSafeCutLength(line, line.GetLength(), 1022)) + "\n");
        }
        file.Close();
        return 1;
    } catch (CException&) {
        return 0;
    }
}

int MakeBackupCopy(const CString& path)
{
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char fname[_MAX_FNAME];
    char ext[_MAX_EXT];
    _splitpath(path, drive, dir, fname, ext);
    const CString backup = CString(drive) + dir + fname + "-Back" + ext;
    // No file, or none that can be opened (a folder in the way): nothing to keep, and the save
    // that follows meets the same path and says so.
    CFile source;
    if (!source.Open(path, CFile::modeRead | CFile::typeBinary))
        return 1;
    std::vector<BYTE> data;
    bool read = false;
    try {
        const DWORD size = source.GetLength();
        if (size <= 0x7FFFFFFFu) {
            data.resize(size);
            read = size == 0 || source.Read(data.data(), size) == size;
        }
        source.Close();
    } catch (CFileException&) {
        read = false;
    } catch (const std::bad_alloc&) {
        read = false;
    }
    // Written beside the backup and put in its place whole, as the drawing itself is: a full
    // disk used to cost the previous backup and leave a cut one.
    if (read && SaveFileReplacing(backup, [&data](const CString& temporary) {
            CFile copy(temporary, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
            copy.Write(data.data(), static_cast<UINT>(data.size()));
            copy.Close();
            return TRUE;
        }))
        return 1;
    AfxMessageBox(backup + kMsgBackupNotWritten);
    return 0;
}
