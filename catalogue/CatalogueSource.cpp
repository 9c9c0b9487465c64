#include "CatalogueSource.h"

#include "FileHandler.h"
#include "WorkingFolder.h"

std::unique_ptr<CCatalogueSource> CCatalogueSource::Read(const CMyString& strIndexFile)
{
    auto pSource = std::make_unique<CCatalogueSource>();
    pSource->m_bIndexRead = ReadListFile(strIndexFile, pSource->m_index);
    if (pSource->m_bIndexRead) {
        pSource->ReadCategories();
    }
    return pSource;
}

bool CCatalogueSource::ReadListFile(const CMyString& strName, CMyXmlDom& dom)
{
    // A list names its category files: only files of the "res" folder are
    // read, never a path that leads elsewhere (a device would never end).
    if (!IsPlainFileName(strName)) {
        return false;
    }
    CMyString strPath = GetResFolder();
    strPath += strName;
    CMyString strText;
    return CFileHandler::ReadScrambledFile(strPath, strText, CFileHandler::kListFileKey) &&
           dom.Load(strText) && dom.GetRoot() != nullptr;
}

// The files named by the FILE_NAME of each CATEGORY below MOVIES, each read once.
void CCatalogueSource::ReadCategories()
{
    const CXmlNode* pMovies = m_index.GetRoot()->FindChild("MOVIES");
    for (int i = 0; pMovies != nullptr && i < pMovies->GetChildCount(); ++i) {
        const CXmlNode* pChild = pMovies->GetChild(i);
        const CXmlNode* pFile = pChild->GetName().EqualsNoCase("CATEGORY") ? pChild->FindChild("FILE_NAME") : nullptr;
        if (pFile == nullptr || m_categories.count(pFile->GetText().GetText()) != 0) {
            continue;
        }
        auto pDom = std::make_unique<CMyXmlDom>();
        if (ReadListFile(pFile->GetText(), *pDom)) {
            m_categories.emplace(pFile->GetText().GetText(), std::move(pDom));
        }
    }
}

const CXmlNode* CCatalogueSource::GetCategory(const CMyString& strName) const
{
    const auto it = m_categories.find(strName.GetText());
    return it == m_categories.end() ? nullptr : it->second->GetRoot();
}
