// Fuzzes the readers of the server list and the install settings: the input is
// stored, scrambled, as the working ServerSettings.txt and as an
// InstallSettings.txt, and read by Settings::LoadServerList and
// ReadInstallSettingsUrl. Checks against a plain walk of the same text: the
// servers are the non-empty URL children of the root in order; the stored
// "Server Settings" value reads back as the text of the last VERSION child
// (when that is UTF-8); an install address is the text of the first child of
// that name.
#include "ArrayString.h"
#include "FuzzSupport.h"
#include "MyXmlDom.h"
#include "ServerList.h"
#include "Settings.h"
#include "WorkingFolder.h"

#include <string>
#include <vector>

namespace {

std::string TextOfFirst(const CXmlNode* pRoot, const char* pName)
{
    for (int i = 0; pRoot != nullptr && i < pRoot->GetChildCount(); ++i) {
        if (NameIs(pRoot->GetChild(i), pName)) {
            return pRoot->GetChild(i)->GetText().GetText();
        }
    }
    return "";
}

void CheckServerList(const CXmlNode* pRoot)
{
    std::vector<std::string> expected;
    std::string strVersion;
    for (int i = 0; pRoot != nullptr && i < pRoot->GetChildCount(); ++i) {
        const CXmlNode* pChild = pRoot->GetChild(i);
        if (NameIs(pChild, "VERSION")) {
            strVersion = pChild->GetText().GetText();
        } else if (NameIs(pChild, "URL") && !pChild->GetText().IsEmpty()) {
            expected.push_back(pChild->GetText().GetText());
        }
    }
    CArrayString servers;
    Settings().LoadServerList(servers);
    Check(servers.GetCount() == expected.size(), "one server per non-empty URL");
    for (uint32_t i = 0; i < servers.GetCount(); ++i) {
        Check(expected[i] == servers.GetAt(i).GetText(), "the servers in file order");
    }
    // The store keeps UTF-8 text: malformed bytes come back replaced.
    const std::string strStored = Settings().GetServerSettings().GetText();
    Check(IsValidUtf8(strVersion) ? strStored == strVersion : IsValidUtf8(strStored),
          "the last VERSION is stored and reads back");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CFuzzHome::Get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    const CMyString strText = AsText(pData, uSize);
    CMyXmlDom dom;
    const CXmlNode* pRoot = dom.Load(strText) ? dom.GetRoot() : nullptr;

    CFuzzHome::Get().ForgetSettings();
    const std::string strBytes = strText.GetText();
    CFuzzHome::WriteScrambled(CFileHandler::ToSystemPath(GetResFolder()) / kServerSettingsFile, strBytes);
    CheckServerList(pRoot);

    const std::filesystem::path install = CFuzzHome::Get().Root() / kInstallSettingsFile;
    CFuzzHome::WriteScrambled(install, strBytes);
    for (const char* pElement : {"INSTALL_URL", "UNINSTALL_URL"}) {
        Check(TextOfFirst(pRoot, pElement) == ReadInstallSettingsUrl(install.c_str(), pElement).GetText(),
              "an install address is the text of the first child of its name");
    }
    return 0;
}
