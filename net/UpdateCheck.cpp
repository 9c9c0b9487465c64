#include "UpdateCheck.h"

#include "MyDownload.h"
#include "MyXmlDom.h"
#include "ServerList.h"
#include "Settings.h"

namespace {

// Newer when the installed version cannot be read, or is older.
bool IsNewer(bool bInstalledRead, const CVersion& installed, const CVersion& server)
{
    return !bInstalledRead || installed.Compare(server) == -1;
}

} // namespace

bool CUpdateCheck::GetManifest(CMyString& strManifest, CMyString& strServer)
{
    const CMyString strBase = FindAnsweringServer(kManifestName);
    if (strBase.IsEmpty()) {
        return false;
    }
    CMyString strUrl(strBase);
    strUrl += kManifestName;
    strServer = strBase;
    // The manifest is a few lines: a server that has not sent it within a few
    // seconds is treated as not answering, and the program goes on with the
    // lists it has (the first start waits for this before its window).
    HttpLimits limits;
    limits.nConnectMs = kManifestConnectMs;
    limits.nLowSpeedSeconds = kManifestSeconds;
    limits.nTotalSeconds = kManifestSeconds;
    CMyDownload download;
    if (download.DownloadToBuffer(strUrl, limits) && download.GetBuffer().GetData() != nullptr) {
        strManifest = CMyString(download.GetBuffer().GetData(), download.GetBuffer().GetSize());
    }
    return !strManifest.IsEmpty();
}

bool CUpdateCheck::CheckForUpdates(int& nFlags, CMyString& strName)
{
    nFlags = 0;
    CMyString strManifest;
    CMyString strServer;
    return GetManifest(strManifest, strServer) && CompareManifest(strManifest, nFlags, strName);
}

bool CUpdateCheck::CompareManifest(const CMyString& strManifest, int& nFlags, CMyString& strName)
{
    nFlags = 0;
    CMyXmlDom dom;
    if (!dom.Load(strManifest) || dom.GetRoot() == nullptr) {
        return false;
    }
    bool bListsNewer = false;
    bool bProgramNewer = false;
    for (int i = 0; i < dom.GetRoot()->GetChildCount(); ++i) {
        const CXmlNode& entry = *dom.GetRoot()->GetChild(i);
        bool bIsProgram = false;
        if (!IsEntryNewer(entry, bIsProgram)) {
            continue;
        }
        if (bIsProgram) {
            strName = entry.GetChildText("NAME");
            bProgramNewer = true;
        } else {
            bListsNewer = true;
        }
    }
    if (bListsNewer) {
        nFlags |= kListsNewer;
    }
    if (bProgramNewer) {
        nFlags |= kProgramNewer;
    }
    return bListsNewer || bProgramNewer;
}

bool CUpdateCheck::IsEntryNewer(const CXmlNode& entry, bool& bIsProgram)
{
    const CXmlNode* pVersion = entry.FindChild("VERSION");
    if (pVersion == nullptr) {
        return false;
    }
    const CVersion server(pVersion->GetText());
    const CMyString strName = entry.GetName();
    const bool bHasName = entry.FindChild("NAME") != nullptr;
    Settings settings;
    CVersion installed;
    bIsProgram = false;
    if (strName.EqualsNoCase("SEARCH_SETTINGS")) {
        return IsNewer(settings.GetSearchSettingsVersion(installed), installed, server);
    }
    if (strName.EqualsNoCase("MOVIES_SETTINGS")) {
        return IsNewer(settings.GetMoviesSettingsVersion(installed), installed, server);
    }
    if (strName.EqualsNoCase("SERVERS")) {
        return IsNewer(settings.GetServerSettingsVersion(installed), installed, server);
    }
    if (strName.EqualsNoCase("CATEGORY") && bHasName) {
        const bool bRead = settings.GetListVersionNumber(entry.GetChildText("NAME"), installed);
        return IsNewer(bRead, installed, server);
    }
    if (strName.EqualsNoCase("EXE_UPDATE") && bHasName) {
        bIsProgram = true;
        return IsNewer(settings.GetVersionNumber(installed), installed, server);
    }
    return false;
}
