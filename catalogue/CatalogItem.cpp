#include "CatalogItem.h"

#include <vector>

CMyString CCatalogItem::GetCaptionPath() const
{
    if (m_nKind != kStation) {
        return {};
    }
    // The captions from this record up to, not including, its category.
    std::vector<const CMyString*> captions{&m_strCaption};
    const CCatalogItem* pCategory = nullptr;
    for (const CCatalogItem* pFolder = m_pParent; pFolder != nullptr; pFolder = pFolder->m_pParent) {
        if (pFolder->m_pParent == nullptr) {
            pCategory = pFolder;
            break;
        }
        captions.push_back(&pFolder->m_strCaption);
    }
    CMyString strPath = pCategory != nullptr ? pCategory->m_strPathRoot : CMyString();
    for (auto it = captions.rbegin(); it != captions.rend(); ++it) {
        strPath.AppendPath((*it)->GetText());
    }
    return strPath;
}
