#include "FirstRun.h"

#include "FileHandler.h"
#include "Process.h"
#include "Settings.h"
#include "WorkingFolder.h"

bool StartPendingInstall()
{
    if (!Settings().IsInstallNeeded())
        return false;
    CMyString strUpdater = GetResFolder();
    strUpdater += "Update.exe";
    if (!CFileHandler::FileExists(strUpdater))
        return false;
    return StartDetached(CFileHandler::ToSystemPath(strUpdater).c_str());
}

bool CopyShippedData()
{
    CMyString strSource = Settings().GetInstallPath();
    if (strSource.IsEmpty())
        return false;
    strSource += "\\res\\";
    return CFileHandler::CopyFolder(strSource, GetResFolder());
}
