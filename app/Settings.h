// The program's named settings, one pair of operations per value, each stored
// as a string value under "SOFTWARE\Kestova" in the user's settings store, and
// the paths that depend on them. Nothing is cached: every read goes to the
// store and every write reaches it at once. A missing value reads as its
// default. Booleans are the texts "TRUE" and "FALSE", compared exactly. Setters
// return the store's error code (0 on success); a failed write leaves the old
// value. Settings has no state: create one on the stack around a call.
#pragma once

#include "ArrayString.h"
#include "MyString.h"

class Settings
{
public:
    static constexpr char kProgramKey[] = "SOFTWARE\\Kestova";

    virtual ~Settings() = default;

    // The program's own version; GetVersionNumber is true whenever the value
    // exists, even empty.
    int SetVersion(const CMyString& strVersion);
    CMyString GetVersion();
    bool GetVersionNumber(CVersion& versionOut);

    // The versions of the installed lists. The ...Version reads are false when
    // the value is missing or empty.
    int SetSearchSettings(const CMyString& strVersion);
    CMyString GetSearchSettings();
    bool GetSearchSettingsVersion(CVersion& versionOut);
    int SetMoviesSettings(const CMyString& strVersion);
    CMyString GetMoviesSettings();
    bool GetMoviesSettingsVersion(CVersion& versionOut);
    int SetServerSettings(const CMyString& strVersion);
    CMyString GetServerSettings();
    bool GetServerSettingsVersion(CVersion& versionOut);
    // The version of a category list, stored under the list file's name.
    int SetListVersion(const CMyString& strValueName, const CMyString& strVersion);
    CMyString GetListVersion(const CMyString& strValueName);
    bool GetListVersionNumber(const CMyString& strValueName, CVersion& versionOut);

    // Whether the shipped lists still have to be copied: true unless the value
    // is exactly "FALSE".
    bool GetCopySettings();
    int SetCopySettings(bool bCopy);
    // True only for exactly "TRUE"; the value is set from outside the program.
    bool IsInstallNeeded();

    // The folder whose "res" holds the shipped data, without a trailing
    // separator: the running program's own (FindShippedDataFolder) when it has
    // one; else the stored "Install Path" while that folder exists; else the
    // folder of the running executable. What is not the stored value is then
    // stored. Empty when nothing is known.
    CMyString GetInstallPath();
    int SetInstallPath(const CMyString& strPath);

    // 0 to 100; 50 when missing, the integer reading of the text otherwise.
    int GetVolume();
    int SetVolume(int nVolume);
    // True only for exactly "TRUE".
    bool GetMute();
    int SetMute(bool bMute);

    // The uninstall page's address from the shipped InstallSettings.txt; empty
    // when there is none.
    CMyString GetUninstallUrl();
    // Where the image of an address is kept: the working resource folder (or
    // its "CacheIcons" folder, which is created) + the icon file name + ".gif".
    CMyString GetIconFilePath(const CMyString& strAddress);
    CMyString GetCachedIconFilePath(const CMyString& strAddress);

    // Appends the server base addresses of ServerSettings.txt, in file order:
    // the working copy, or the shipped copy when the working copy cannot be
    // read. Stores the list's VERSION as "Server Settings". (ServerList.cpp)
    void LoadServerList(CArrayString& servers);

private:
    int Write(const char* pValueName, const CMyString& strText);
    // True when the value exists; its text is then in strOut.
    bool Read(const char* pValueName, CMyString& strOut);
    CMyString ReadOrEmpty(const char* pValueName);
    // False when the value is missing or empty.
    bool ReadVersion(const char* pValueName, CVersion& versionOut);
};
