// An exclusive lock on a file of a folder, held by one open of it at a time across processes:
// how running instances agree which of them looks after the files they would otherwise share.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CFolderLock {
public:
    CFolderLock() = default;
    ~CFolderLock();
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

    // Takes the lock on the file (a program path, created when missing) without waiting. TRUE
    // when this object holds it now; another holder, in this process or another, makes it FALSE.
    BOOL Acquire(const CString& path);
    void Release();
    BOOL IsHeld() const { return m_fd >= 0; }
    const CString& GetPath() const { return m_path; }

private:
    int m_fd = -1;
    CString m_path;
};
