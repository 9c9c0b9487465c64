#include "FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CFileLock::~CFileLock()
{
    Unlock();
}

CFileLock::Result CFileLock::Lock(const char* pPath, Mode mode, bool bWait)
{
    Unlock();
    if (pPath == nullptr || pPath[0] == '\0')
        return Result::Failed;
    const int nDescriptor = ::open(pPath, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (nDescriptor < 0)
        return Result::Failed;
    const int nOperation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | (bWait ? 0 : LOCK_NB);
    int nResult;
    do {
        nResult = ::flock(nDescriptor, nOperation);
    } while (nResult != 0 && errno == EINTR);
    if (nResult != 0) {
        const bool bBusy = errno == EWOULDBLOCK;
        ::close(nDescriptor);
        return bBusy ? Result::Busy : Result::Failed;
    }
    m_nDescriptor = nDescriptor;
    return Result::Locked;
}

void CFileLock::Unlock()
{
    if (m_nDescriptor < 0)
        return;
    // Closing the descriptor releases the lock.
    ::close(m_nDescriptor);
    m_nDescriptor = -1;
}
