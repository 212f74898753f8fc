// CFile over a POSIX descriptor, CStdioFile over a C stream with the Windows runtime's text
// translation, CMemFile over a malloc'd block, and the file and archive exceptions.
#include "platform/core/File.h"

#include "platform/core/ProgramFolder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (lpszError != nullptr && nMaxError > 0)
        lpszError[0] = '\0';
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return FALSE;
}

int CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY: return removeCurrentDir;
    case ESPIPE:
    case EOVERFLOW: return badSeek;
    case EIO: return hardIO;
    case ETXTBSY: return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    default: return generic;
    }
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw CArchiveException(cause, lpszArchiveName);
}

namespace {

// The full path in the program's form: relative paths are taken from the current folder.
CString FullProgramPath(LPCTSTR lpszFileName)
{
    CString name(lpszFileName);
    if (name.IsEmpty())
        return name;
    bool absolute = name[0] == '\\' || name[0] == '/' || (name.GetLength() >= 2 && name[1] == ':');
    if (absolute)
        return name;
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr)
        return name;
    CString folder = ProgramPath(cwd);
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    return folder + name;
}

int OpenFlagsToPosix(UINT nOpenFlags)
{
    int flags = 0;
    switch (nOpenFlags & 3) {
    case CFile::modeWrite: flags = O_WRONLY; break;
    case CFile::modeReadWrite: flags = O_RDWR; break;
    default: flags = O_RDONLY; break;
    }
    if (nOpenFlags & CFile::modeCreate) {
        flags |= O_CREAT;
        if (!(nOpenFlags & CFile::modeNoTruncate))
            flags |= O_TRUNC;
    }
    // Handles are never inherited by programs this one starts.
    flags |= O_CLOEXEC;
    return flags;
}

// Sharing modes have no counterpart on this file system and are not enforced.

void FillStatus(const struct stat& st, CFileStatus& rStatus)
{
    rStatus.m_ctime = CTime(static_cast<std::time_t>(st.st_ctime));
    rStatus.m_mtime = CTime(static_cast<std::time_t>(st.st_mtime));
    rStatus.m_atime = CTime(static_cast<std::time_t>(st.st_atime));
    rStatus.m_size = st.st_size > INT32_MAX ? INT32_MAX : static_cast<LONG>(st.st_size);
    BYTE attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= CFile::directory;
    if (!(st.st_mode & S_IWUSR))
        attr |= CFile::readOnly;
    if (attr == 0)
        attr = CFile::archive;
    rStatus.m_attribute = attr;
}

} // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        throw e;
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_bCloseOnDelete = FALSE;
    m_hFile = hFileNull;
    m_strFileName = FullProgramPath(lpszFileName);
    if (lpszFileName == nullptr || *lpszFileName == '\0') {
        if (pError != nullptr)
            *pError = CFileException(CFileException::badPath, ENOENT, m_strFileName);
        return FALSE;
    }
    std::string path = FileSystemPath(lpszFileName);
    // Opening without blocking, then refusing anything but a plain file: a FIFO or a terminal
    // would otherwise hold the program until some other process writes to it.
    int fd = ::open(path.c_str(), OpenFlagsToPosix(nOpenFlags) | O_NONBLOCK, 0666);
    if (fd < 0) {
        int err = errno;
        if (pError != nullptr)
            *pError = CFileException(CFileException::ErrnoToException(err), err, m_strFileName);
        return FALSE;
    }
    struct stat st;
    const bool known = fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        int err = known && S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        if (pError != nullptr)
            *pError = CFileException(CFileException::accessDenied, err, m_strFileName);
        return FALSE;
    }
    int status = fcntl(fd, F_GETFL);
    if (status != -1)
        fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    m_hFile = fd;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    UINT done = 0;
    while (done < nCount) {
        ssize_t n = ::read(m_hFile, static_cast<char*>(lpBuf) + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(errno, m_strFileName);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    UINT done = 0;
    while (done < nCount) {
        ssize_t n = ::write(m_hFile, static_cast<const char*>(lpBuf) + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(errno, m_strFileName);
        }
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        done += static_cast<UINT>(n);
    }
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    int whence = nFrom == current ? SEEK_CUR : (nFrom == end ? SEEK_END : SEEK_SET);
    off_t pos = ::lseek(m_hFile, lOff, whence);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<LONG>(pos);
}

DWORD CFile::GetLength() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    struct stat st;
    if (fstat(m_hFile, &st) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    // A length past the 32-bit range is reported as the largest one, never wrapped to a small
    // one: a reader then refuses the file instead of taking its first bytes as all of it.
    if (static_cast<std::uint64_t>(st.st_size) > 0xFFFFFFFFu)
        return 0xFFFFFFFFu;
    return static_cast<DWORD>(st.st_size);
}

void CFile::SetLength(DWORD dwNewLen)
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    if (ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

DWORD CFile::GetPosition() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<DWORD>(pos);
}

void CFile::Flush()
{
    // Writes go straight to the system; nothing is held back here.
}

void CFile::Close()
{
    int fd = m_hFile;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (fd != hFileNull && ::close(fd) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::close(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const
{
    int len = m_strFileName.GetLength();
    int start = 0;
    for (int i = 0; i < len; ++i) {
        unsigned char c = static_cast<unsigned char>(m_strFileName[i]);
        if (_ismbblead(c) && i + 1 < len)
            ++i;
        else if (c == '\\' || c == '/' || c == ':')
            start = i + 1;
    }
    return m_strFileName.Mid(start);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = -1;
    for (int i = 0; i < name.GetLength(); ++i) {
        if (_ismbblead(static_cast<unsigned char>(name[i])) && i + 1 < name.GetLength())
            ++i;
        else if (name[i] == '.')
            dot = i;
    }
    return dot >= 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    std::memset(rStatus.m_szFullName, 0, sizeof rStatus.m_szFullName);
    std::strncpy(rStatus.m_szFullName, m_strFileName, _MAX_PATH - 1);
    struct stat st;
    if (m_hFile == hFileNull || fstat(m_hFile, &st) != 0)
        return FALSE;
    FillStatus(st, rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    CString full = FullProgramPath(lpszFileName);
    std::memset(rStatus.m_szFullName, 0, sizeof rStatus.m_szFullName);
    std::strncpy(rStatus.m_szFullName, full, _MAX_PATH - 1);
    struct stat st;
    if (lpszFileName == nullptr || ::stat(FileSystemPath(lpszFileName).c_str(), &st) != 0)
        return FALSE;
    FillStatus(st, rStatus);
    return TRUE;
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    std::string from = FileSystemPath(lpszOldName);
    std::string to = FileSystemPath(lpszNewName);
    // Windows refuses to rename onto an existing file; keep that.
    struct stat st;
    if (::stat(to.c_str(), &st) == 0)
        AfxThrowFileException(CFileException::accessDenied, EEXIST, lpszOldName);
    if (::rename(from.c_str(), to.c_str()) != 0)
        CFileException::ThrowErrno(errno, lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (::unlink(FileSystemPath(lpszFileName).c_str()) != 0)
        CFileException::ThrowErrno(errno, lpszFileName);
}

// ---------------------------------------------------------------------------------------------

CStdioFile::CStdioFile() : m_pStream(nullptr)
{
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        throw e;
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_pStream = nullptr;
    m_bEof = FALSE;
    m_bText = (nOpenFlags & typeBinary) ? FALSE : TRUE;
    // Writing without creating, or creating without truncating, appends as the runtime's "a" mode.
    bool append = ((nOpenFlags & modeCreate) && (nOpenFlags & modeNoTruncate)) ||
                  (!(nOpenFlags & modeCreate) && (nOpenFlags & modeWrite));
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;
    const char* mode = "rb";
    switch (nOpenFlags & 3) {
    case modeWrite: mode = append ? "ab" : "wb"; break;
    case modeReadWrite: mode = append ? "a+b" : "r+b"; break;
    default: mode = "rb"; break;
    }
    if (append) {
        int fl = fcntl(m_hFile, F_GETFL);
        if (fl >= 0)
            fcntl(m_hFile, F_SETFL, fl | O_APPEND);
    }
    m_pStream = fdopen(m_hFile, mode);
    if (m_pStream == nullptr) {
        int err = errno;
        CFile::Abort();
        if (pError != nullptr)
            *pError = CFileException(CFileException::ErrnoToException(err), err, m_strFileName);
        return FALSE;
    }
    return TRUE;
}

// The next byte as text mode delivers it: CR LF reads as LF, Ctrl-Z ends the text; EOF at the end.
int CStdioFile::ReadTextByte()
{
    if (m_bEof)
        return EOF;
    int c = std::getc(m_pStream);
    if (c == EOF) {
        if (std::ferror(m_pStream)) {
            std::clearerr(m_pStream);
            AfxThrowFileException(CFileException::generic, errno, m_strFileName);
        }
        return EOF;
    }
    if (!m_bText)
        return c;
    if (c == 0x1A) {
        m_bEof = TRUE;
        return EOF;
    }
    if (c == '\r') {
        int next = std::getc(m_pStream);
        if (next == '\n')
            return '\n';
        if (next != EOF)
            std::ungetc(next, m_pStream);
    }
    return c;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    char* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    if (!m_bText) {
        done = static_cast<UINT>(std::fread(out, 1, nCount, m_pStream));
        if (done < nCount && std::ferror(m_pStream)) {
            std::clearerr(m_pStream);
            AfxThrowFileException(CFileException::generic, errno, m_strFileName);
        }
        return done;
    }
    while (done < nCount) {
        int c = ReadTextByte();
        if (c == EOF)
            break;
        out[done++] = static_cast<char>(c);
    }
    return done;
}

void CStdioFile::PutRaw(const char* p, size_t n)
{
    if (n > 0 && std::fwrite(p, 1, n, m_pStream) != n) {
        int err = errno;
        std::clearerr(m_pStream);
        CFileException::ThrowErrno(err != 0 ? err : EIO, m_strFileName);
    }
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    const char* p = static_cast<const char*>(lpBuf);
    if (!m_bText) {
        PutRaw(p, nCount);
        return;
    }
    size_t start = 0;
    for (size_t i = 0; i < nCount; ++i) {
        if (p[i] == '\n') {
            PutRaw(p + start, i - start);
            PutRaw("\r\n", 2);
            start = i + 1;
        }
    }
    PutRaw(p + start, nCount - start);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        return;
    Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    UINT n = 0;
    while (n + 1 < nMax) {
        int c = ReadTextByte();
        if (c == EOF)
            break;
        lpsz[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    lpsz[n] = '\0';
    return n == 0 && nMax > 1 ? nullptr : lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    std::string line;
    bool any = false;
    for (;;) {
        int c = ReadTextByte();
        if (c == EOF)
            break;
        any = true;
        if (c == '\n')
            break;
        line += static_cast<char>(c);
    }
    rString = CString(std::move(line));
    return any ? TRUE : FALSE;
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    int whence = nFrom == current ? SEEK_CUR : (nFrom == end ? SEEK_END : SEEK_SET);
    if (std::fseek(m_pStream, lOff, whence) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    m_bEof = FALSE;
    return static_cast<LONG>(std::ftell(m_pStream));
}

DWORD CStdioFile::GetLength() const
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    std::fflush(m_pStream);
    struct stat st;
    if (fstat(fileno(m_pStream), &st) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    // A length past the 32-bit range is reported as the largest one, never wrapped to a small
    // one: a reader then refuses the file instead of taking its first bytes as all of it.
    if (static_cast<std::uint64_t>(st.st_size) > 0xFFFFFFFFu)
        return 0xFFFFFFFFu;
    return static_cast<DWORD>(st.st_size);
}

void CStdioFile::SetLength(DWORD dwNewLen)
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    std::fflush(m_pStream);
    if (ftruncate(fileno(m_pStream), static_cast<off_t>(dwNewLen)) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

DWORD CStdioFile::GetPosition() const
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, EBADF, m_strFileName);
    long pos = std::ftell(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<DWORD>(pos);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_hFile = hFileNull; // the stream owns the descriptor
    m_bCloseOnDelete = FALSE;
    if (stream != nullptr && std::fclose(stream) != 0)
        CFileException::ThrowErrno(errno != 0 ? errno : EIO, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

// ---------------------------------------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    FreeBlock();
}

void CMemFile::FreeBlock()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    FreeBlock();
    m_nGrowBytes = nGrowBytes;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    // A growable block starts empty; a fixed one is read as it is.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* block = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return block;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* pError)
{
    // A memory file has no name to open.
    if (pError != nullptr)
        *pError = CFileException(CFileException::generic);
    return FALSE;
}

void CMemFile::GrowFile(DWORD dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || !m_bAutoDelete)
        AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
    DWORD newSize = m_nBufferSize;
    while (newSize < dwNewLen) {
        DWORD next = newSize + m_nGrowBytes;
        if (next < newSize)
            AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        newSize = next;
    }
    BYTE* grown = static_cast<BYTE*>(std::realloc(m_lpBuffer, newSize));
    if (grown == nullptr)
        AfxThrowFileException(CFileException::diskFull, ENOMEM, m_strFileName);
    m_lpBuffer = grown;
    m_nBufferSize = newSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    UINT n = static_cast<UINT>(std::min<DWORD>(nCount, m_nFileSize - m_nPosition));
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD endPos = m_nPosition + nCount;
    if (endPos < m_nPosition)
        AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
    GrowFile(endPos);
    // A write after a seek past the end leaves zeros in the gap.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endPos;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
    long long base = nFrom == current ? m_nPosition : (nFrom == end ? m_nFileSize : 0);
    long long pos = base + lOff;
    if (pos < 0 || pos > 0xFFFFFFFFLL)
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    m_nPosition = static_cast<DWORD>(pos);
    return static_cast<LONG>(m_nPosition);
}

void CMemFile::SetLength(DWORD dwNewLen)
{
    GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    m_nFileSize = dwNewLen;
    if (m_nPosition > dwNewLen)
        m_nPosition = dwNewLen;
}

void CMemFile::Close()
{
    FreeBlock();
}

void CMemFile::Abort()
{
    FreeBlock();
}

// ---------------------------------------------------------------------------------------------
// Saving in place of an existing file

namespace {

// The file a path finally names: symbolic links followed (a dangling one to where it points).
// Empty when the links loop.
std::string FinalTarget(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
        ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0)
            return std::string();
        link.resize(static_cast<size_t>(n));
        if (link.empty() || link[0] != '/') {
            size_t slash = path.rfind('/');
            link = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + link;
        }
        path = link;
    }
    errno = ELOOP;
    return std::string();
}

} // namespace

BOOL MayReplaceFile(const std::string& fileSystemPath)
{
    struct stat st;
    if (::stat(fileSystemPath.c_str(), &st) != 0)
        return errno == ENOENT;
    // A file marked read-only stays so even for the administrator, as the read-only attribute
    // does where the program comes from.
    return S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) != 0 &&
           ::access(fileSystemPath.c_str(), W_OK) == 0;
}

BOOL SaveFileReplacing(LPCTSTR lpszPathName, const std::function<BOOL(const CString& temporary)>& write)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0')
        return FALSE;
    const std::string target = FinalTarget(FileSystemPath(lpszPathName));
    if (target.empty())
        return FALSE;
    if (!MayReplaceFile(target))
        return FALSE;
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;

    const std::string temporary = target + ".tmp~";
    const CString temporaryName = ProgramPath(temporary);
    // One left by a save that was ended in its write goes first: it may be read-only, or a
    // link that the new file would be written through.
    ::unlink(temporary.c_str());
    BOOL written = FALSE;
    try {
        written = write(temporaryName);
    } catch (CFileException&) {
        written = FALSE;
    }
    // A full disk may only show when the data reach it: the file goes in place once they have.
    if (written) {
        int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::fsync(fd) != 0)
            written = FALSE;
        if (fd >= 0)
            ::close(fd);
    }
    // The new file takes the old one's permission bits; a new name gets the usual ones.
    if (written && exists && ::chmod(temporary.c_str(), st.st_mode & 07777) != 0)
        written = FALSE;
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0)
        written = FALSE;
    if (!written)
        ::unlink(temporary.c_str());
    return written;
}
