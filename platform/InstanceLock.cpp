#include "InstanceLock.h"

#include "XdgFolders.h"

CInstanceLock::CInstanceLock(const CMyString& strName) : m_strName(strName) {}

CFileLock::Result CInstanceLock::TryLock()
{
    if (m_strName.IsEmpty())
        return CFileLock::Result::Failed;
    return m_lock.Lock(GetLockFilePath().GetText(), CFileLock::Mode::Exclusive, false);
}

CMyString CInstanceLock::GetLockFilePath() const
{
    // The name is one file name: a "/" in it must not reach another folder.
    CMyString strFileName(m_strName);
    strFileName.Replace("/", "_");
    CMyString strPath = GetRuntimeFolder();
    strPath += "/";
    strPath += strFileName;
    strPath += ".lock";
    return strPath;
}
