// The single-instance lock: a named lock that one process of the user holds for
// its lifetime, so that a second copy of the program can see that it is not the
// first. It is an flock on "<name>.lock" in $XDG_RUNTIME_DIR (else the temp
// folder); the kernel releases it when the holder ends, even when it crashes.
// Not copyable: it owns the lock.
#pragma once

#include "FileLock.h"
#include "MyString.h"

class CInstanceLock
{
public:
    explicit CInstanceLock(const CMyString& strName);

    // Takes the lock without waiting: Locked when this object holds it now,
    // Busy when another holder has it, Failed when the lock file cannot be made
    // (then nobody can be known to hold it).
    CFileLock::Result TryLock();
    bool IsHeld() const { return m_lock.IsLocked(); }
    void Release() { m_lock.Unlock(); }
    // The lock file: runtime folder + "/" + the name with "/" made "_" + ".lock".
    CMyString GetLockFilePath() const;

private:
    CMyString m_strName;
    CFileLock m_lock;
};
