#include "Settings.h"

#include "FileHandler.h"
#include "Process.h"
#include "RegClass.h"
#include "WorkingFolder.h"

namespace {

constexpr char kVersion[] = "Version";
constexpr char kSearchSettings[] = "Search Settings";
constexpr char kMoviesSettings[] = "Movies Settings";
constexpr char kServerSettings[] = "Server Settings";
constexpr char kCopySettings[] = "Copy Settings";
constexpr char kInstallNeeded[] = "Install Needed";
constexpr char kInstallPath[] = "Install Path";
constexpr char kVolume[] = "Volume";
constexpr char kMute[] = "Mute";

constexpr char kTrue[] = "TRUE";
constexpr char kFalse[] = "FALSE";
constexpr int kDefaultVolume = 50;

} // namespace

int Settings::SetVersion(const CMyString& strVersion)
{
    return Write(kVersion, strVersion);
}

CMyString Settings::GetVersion()
{
    return ReadOrEmpty(kVersion);
}

bool Settings::GetVersionNumber(CVersion& versionOut)
{
    CMyString strText;
    if (!Read(kVersion, strText))
        return false;
    versionOut.Set(strText);
    return true;
}

int Settings::SetSearchSettings(const CMyString& strVersion)
{
    return Write(kSearchSettings, strVersion);
}

CMyString Settings::GetSearchSettings()
{
    return ReadOrEmpty(kSearchSettings);
}

bool Settings::GetSearchSettingsVersion(CVersion& versionOut)
{
    return ReadVersion(kSearchSettings, versionOut);
}

int Settings::SetMoviesSettings(const CMyString& strVersion)
{
    return Write(kMoviesSettings, strVersion);
}

CMyString Settings::GetMoviesSettings()
{
    return ReadOrEmpty(kMoviesSettings);
}

bool Settings::GetMoviesSettingsVersion(CVersion& versionOut)
{
    return ReadVersion(kMoviesSettings, versionOut);
}

int Settings::SetServerSettings(const CMyString& strVersion)
{
    return Write(kServerSettings, strVersion);
}

CMyString Settings::GetServerSettings()
{
    return ReadOrEmpty(kServerSettings);
}

bool Settings::GetServerSettingsVersion(CVersion& versionOut)
{
    return ReadVersion(kServerSettings, versionOut);
}

int Settings::SetListVersion(const CMyString& strValueName, const CMyString& strVersion)
{
    return Write(strValueName.GetText(), strVersion);
}

CMyString Settings::GetListVersion(const CMyString& strValueName)
{
    return ReadOrEmpty(strValueName.GetText());
}

bool Settings::GetListVersionNumber(const CMyString& strValueName, CVersion& versionOut)
{
    return ReadVersion(strValueName.GetText(), versionOut);
}

bool Settings::GetCopySettings()
{
    return !(ReadOrEmpty(kCopySettings) == kFalse);
}

int Settings::SetCopySettings(bool bCopy)
{
    return Write(kCopySettings, bCopy ? kTrue : kFalse);
}

bool Settings::IsInstallNeeded()
{
    return ReadOrEmpty(kInstallNeeded) == kTrue;
}

// The running program's own shipped data wins whenever it has some, beside it
// or in its installed tree: a stored folder of another copy must not hand this
// copy its skin and lists. A stored folder that is gone (the program moved) is
// computed afresh.
CMyString Settings::GetInstallPath()
{
    const CMyString strProgram = FolderOf(GetExecutablePath());
    const CMyString strShipped = FindShippedDataFolder(strProgram);
    CMyString strStored;
    if (Read(kInstallPath, strStored) && !strStored.IsEmpty() && CFileHandler::FileExists(strStored) &&
        (strShipped.IsEmpty() || strStored == strShipped))
        return strStored;
    const CMyString strOwn = strShipped.IsEmpty() ? strProgram : strShipped;
    if (!strOwn.IsEmpty())
        SetInstallPath(strOwn);
    return strOwn;
}

int Settings::SetInstallPath(const CMyString& strPath)
{
    return Write(kInstallPath, strPath);
}

int Settings::GetVolume()
{
    CMyString strText;
    return Read(kVolume, strText) ? strText.ToInt() : kDefaultVolume;
}

int Settings::SetVolume(int nVolume)
{
    CMyString strText;
    strText.AppendInt(nVolume);
    return Write(kVolume, strText);
}

bool Settings::GetMute()
{
    return ReadOrEmpty(kMute) == kTrue;
}

int Settings::SetMute(bool bMute)
{
    return Write(kMute, bMute ? kTrue : kFalse);
}

CMyString Settings::GetUninstallUrl()
{
    CMyString strFile = GetInstallPath();
    if (!strFile.IsEmpty())
        strFile.AppendPath("res\\");
    strFile += kInstallSettingsFile;
    return ReadInstallSettingsUrl(strFile, "UNINSTALL_URL");
}

CMyString Settings::GetIconFilePath(const CMyString& strAddress)
{
    CMyString strPath = GetResFolder();
    strPath += GetIconFileName(strAddress);
    strPath += ".gif";
    return strPath;
}

CMyString Settings::GetCachedIconFilePath(const CMyString& strAddress)
{
    CMyString strPath = GetResFolder();
    strPath += "CacheIcons";
    strPath += "\\";
    CFileHandler::CreateDirectories(strPath);
    strPath += GetIconFileName(strAddress);
    strPath += ".gif";
    return strPath;
}

int Settings::Write(const char* pValueName, const CMyString& strText)
{
    return RegClass(kProgramKey).SetString("", pValueName, strText.GetText());
}

bool Settings::Read(const char* pValueName, CMyString& strOut)
{
    return RegClass(kProgramKey).GetString("", pValueName, strOut) == RegClass::kSuccess;
}

CMyString Settings::ReadOrEmpty(const char* pValueName)
{
    CMyString strText;
    Read(pValueName, strText);
    return strText;
}

bool Settings::ReadVersion(const char* pValueName, CVersion& versionOut)
{
    CMyString strText;
    if (!Read(pValueName, strText) || strText.IsEmpty())
        return false;
    versionOut.Set(strText);
    return true;
}
