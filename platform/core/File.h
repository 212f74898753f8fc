// Files as the program uses them: CFile (binary, unbuffered), CStdioFile (text lines with CR LF
// line ends), CMemFile (a growable block in memory), and the exceptions their failures raise.
// Paths are the program's own (CP932 bytes, '\' separators) and are mapped to the file system
// here. Exceptions are thrown by value: catch (CFileException& e) or catch (CException& e).
#pragma once

#include "platform/core/Object.h"
#include "platform/core/Runtime.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "platform/core/WinTypes.h"

#include <cstdio>
#include <functional>
#include <string>

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    // The program reports failures with its own texts; no message text is kept here.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    // Kept for code written in the framework's style; exceptions here are values, so it does nothing.
    void Delete() {}
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
    {
    }

    // The cause that matches a C library error number.
    static int ErrnoToException(int nErrno);
    static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName)
    {
    }

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);

struct CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    LONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[_MAX_PATH] = {};
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08,
                     directory = 0x10, archive = 0x20 };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static constexpr int hFileNull = -1;

    CFile();
    // Opens or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens the file; on failure returns FALSE and, when given, fills pError.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Reads up to nCount bytes; fewer at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);
    virtual DWORD GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    // The full path in the program's form, the file name with extension, and the name alone.
    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;
    CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Throw CFileException on failure.
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void Remove(LPCTSTR lpszFileName);

    BOOL IsOpen() const { return m_hFile != hFileNull; }

    int m_hFile;

protected:
    CString m_strFileName;
    BOOL m_bCloseOnDelete;
};

// Text streams: in text mode (the default) "\n" is written as CR LF and CR LF reads as "\n";
// a Ctrl-Z byte ends the readable text, as the Windows runtime treats it.
class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override;
    void SetLength(DWORD dwNewLen) override;
    DWORD GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // Writes the text; in text mode every "\n" becomes CR LF.
    virtual void WriteString(LPCTSTR lpsz);
    // Reads at most nMax - 1 bytes up to and including the line end; null at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // Reads one line without its line end; FALSE when the end of the file was reached first.
    virtual BOOL ReadString(CString& rString);

    FILE* m_pStream;

private:
    int ReadTextByte();
    void PutRaw(const char* p, size_t n);

    BOOL m_bText = TRUE;
    BOOL m_bEof = FALSE;
};

// A file in memory that grows in steps; Detach hands its block to the caller (free() it).
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    BYTE* Detach();

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override { return m_nFileSize; }
    void SetLength(DWORD dwNewLen) override;
    DWORD GetPosition() const override { return m_nPosition; }
    void Flush() override {}
    void Close() override;
    void Abort() override;

private:
    void GrowFile(DWORD dwNewLen);
    void FreeBlock();

    UINT m_nGrowBytes;
    DWORD m_nPosition = 0;
    DWORD m_nBufferSize = 0;
    DWORD m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE;
};

// Saves a file so that nothing is lost on the way: write fills a new file at the temporary path
// it is given (beside the file that path names, beside a symbolic link's final target so that
// the link stays a link), which then takes that file's place in one step with its permission
// bits. A file the user may not write, or that is not a plain file, is refused before write
// runs. FALSE when refused or when write returned FALSE or threw CFileException; the previous
// file is then untouched and no temporary file is left. A temporary file that an ended save
// left under the same name is removed before write runs.
BOOL SaveFileReplacing(LPCTSTR lpszPathName, const std::function<BOOL(const CString& temporary)>& write);
// FALSE when a save may not replace the file at a file-system path: it is not a plain file, is
// marked read-only or may not be written by the user. TRUE for a name not taken yet.
BOOL MayReplaceFile(const std::string& fileSystemPath);
