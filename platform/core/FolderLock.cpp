// File locks on the file system: flock, which ends with the open file (and with the process).
#include "platform/core/FolderLock.h"

#include "platform/core/ProgramFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CFolderLock::~CFolderLock()
{
    Release();
}

BOOL CFolderLock::Acquire(const CString& path)
{
    Release();
    m_path = path;
    const int fd = ::open(FileSystemPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return FALSE;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return FALSE;
    }
    m_fd = fd;
    return TRUE;
}

void CFolderLock::Release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}
