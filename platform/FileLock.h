// An advisory lock (flock) on a lock file, shared or exclusive. The lock belongs
// to the open file, so two CFileLock objects exclude each other even inside one
// process, and the kernel drops the lock when the process ends, however it
// ends. Not copyable: it owns a file descriptor.
#pragma once

class CFileLock
{
public:
    enum class Mode
    {
        Shared,
        Exclusive
    };

    enum class Result
    {
        Locked,
        Busy,  // someone else holds a conflicting lock (only without waiting)
        Failed // the lock file cannot be opened
    };

    CFileLock() = default;
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Opens the lock file (creating it with mode 0600) and takes the lock,
    // waiting for it when bWait is set. A lock already held by this object is
    // released first.
    Result Lock(const char* pPath, Mode mode, bool bWait);
    void Unlock();
    bool IsLocked() const { return m_nDescriptor >= 0; }

private:
    int m_nDescriptor = -1;
};
