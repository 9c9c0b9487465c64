#include "HomePage.h"

#include "FileHandler.h"
#include "MyXmlDom.h"
#include "WorkingFolder.h"

CMyString FindHomePage(const CMyString& strServer)
{
    if (strServer.IsEmpty())
        return {};
    CMyString strIndex = GetResFolder();
    strIndex += kCatalogueIndexFile;
    const CMyString strFirstUrl = ReadFirstUrl(strIndex);
    return strFirstUrl.IsEmpty() ? CMyString() : MakeHomePage(strServer, strFirstUrl);
}

CMyString ReadFirstUrl(const CMyString& strIndexFile)
{
    CMyString strText;
    CMyXmlDom dom;
    if (!CFileHandler::ReadScrambledFile(strIndexFile, strText, CFileHandler::kListFileKey) ||
        !dom.Load(strText) || dom.GetRoot() == nullptr) {
        return {};
    }
    const CXmlNode* pFirstUrl = dom.GetRoot()->FindChild("FIRST_URL");
    return pFirstUrl == nullptr ? CMyString() : pFirstUrl->GetText();
}

CMyString MakeHomePage(const CMyString& strServer, const CMyString& strFirstUrl)
{
    // An https address is an address too, not a path below the server.
    if (strFirstUrl.FindNoCase("http://") >= 0 || strFirstUrl.FindNoCase("https://") >= 0)
        return strFirstUrl;
    CMyString strPage = strServer;
    strPage.AppendPath(strFirstUrl.GetText());
    return strPage;
}
