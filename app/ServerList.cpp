#include "ServerList.h"

#include "ArrayString.h"
#include "FileHandler.h"
#include "Http.h"
#include "MyXmlDom.h"
#include "Settings.h"
#include "WorkingFolder.h"

namespace {

// The working copy when it can be read, else the copy shipped beside the program.
bool ReadServerFile(CMyString& strText)
{
    CMyString strWorking = GetResFolder();
    strWorking += kServerSettingsFile;
    if (CFileHandler::ReadScrambledFile(strWorking, strText, CFileHandler::kListFileKey)) {
        return true;
    }
    CMyString strShipped = Settings().GetInstallPath();
    strShipped.AppendPath("res\\");
    strShipped += kServerSettingsFile;
    return CFileHandler::ReadScrambledFile(strShipped, strText, CFileHandler::kListFileKey);
}

} // namespace

void Settings::LoadServerList(CArrayString& servers)
{
    CMyString strText;
    CMyXmlDom dom;
    if (!ReadServerFile(strText) || !dom.Load(strText) || dom.GetRoot() == nullptr) {
        return;
    }
    const CXmlNode* pRoot = dom.GetRoot();
    for (int i = 0; i < pRoot->GetChildCount(); ++i) {
        const CXmlNode* pChild = pRoot->GetChild(i);
        if (pChild->GetName().EqualsNoCase("VERSION")) {
            SetServerSettings(pChild->GetText());
        } else if (pChild->GetName().EqualsNoCase("URL") && !pChild->GetText().IsEmpty()) {
            servers.Add(pChild->GetText());
        }
    }
}

CMyString FindAnsweringServer(const CMyString& strProbeFile)
{
    CArrayString servers;
    Settings().LoadServerList(servers);
    for (uint32_t i = 0; i < servers.GetCount(); ++i) {
        CMyString strProbe = servers.GetAt(i);
        strProbe += strProbeFile;
        if (CHttp::CheckConnection(strProbe)) {
            return servers.GetAt(i);
        }
    }
    return CMyString();
}
