// CUpdateCheck: the server's manifest and the rule that tells, entry by entry,
// whether the server has something newer than what is installed.
//
// The manifest "UpdateSettings.txt" is plain (not scrambled) markup: one child
// of the root per published item (SEARCH_SETTINGS, MOVIES_SETTINGS, SERVERS,
// CATEGORY, EXE_UPDATE), each with a VERSION and a NAME. An item is newer when
// its installed version cannot be read or is older by CVersion::Compare.
//
// No widget here: the silent check runs on a worker thread. Both operations
// block on the network (within the time-outs of CHttp). The update dialog
// derives from this class and uses the same operations.
#pragma once

#include "MyString.h"

class CXmlNode;

class CUpdateCheck
{
public:
    static constexpr const char* kManifestName = "UpdateSettings.txt";
    // Bits of CheckForUpdates' flags: the server offers newer lists, a newer program.
    static constexpr int kListsNewer = 1;
    static constexpr int kProgramNewer = 2;
    // Bounds of the manifest fetch.
    static constexpr long kManifestConnectMs = 3000;
    static constexpr long kManifestSeconds = 4;

    virtual ~CUpdateCheck() = default;

    // Fetches the manifest from the first answering server. True when a
    // non-empty text arrived; strServer is that server's base address.
    static bool GetManifest(CMyString& strManifest, CMyString& strServer);
    // Compares the manifest with the installed versions. True when anything is
    // newer; nFlags gets kListsNewer when a list is, and kProgramNewer and
    // strName the EXE_UPDATE NAME when the program is.
    static bool CheckForUpdates(int& nFlags, CMyString& strName);
    // The comparison on a manifest already fetched; CheckForUpdates uses it.
    static bool CompareManifest(const CMyString& strManifest, int& nFlags, CMyString& strName);

protected:
    // Whether this entry of the manifest is newer than what is installed; false
    // for entries that are not compared.
    static bool IsEntryNewer(const CXmlNode& entry, bool& bIsProgram);
};
