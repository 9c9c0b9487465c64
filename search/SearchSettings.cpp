#include "SearchSettings.h"

#include "FileHandler.h"
#include "MyXmlDom.h"
#include "SearchEngines.h"
#include "Settings.h"
#include "WorkingFolder.h"

bool LoadSearchSettings(CSearchEngines& engines)
{
    engines.RemoveAll();
    CMyString strPath = GetResFolder();
    strPath += kSearchSettingsFile;
    CMyString strText;
    if (!CFileHandler::ReadScrambledFile(strPath, strText, CFileHandler::kListFileKey))
        return false;
    CMyXmlDom dom;
    if (!dom.Load(strText) || dom.GetRoot() == nullptr)
        return false;
    const CXmlNode* pRoot = dom.GetRoot();
    if (const CXmlNode* pVersion = pRoot->FindChild("VERSION"))
        Settings().SetSearchSettings(pVersion->GetText());
    return engines.Load(pRoot->FindChild("LIST_OF_SEARCH_ENGINES"));
}
