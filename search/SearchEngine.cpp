#include "SearchEngine.h"

#include "EngineImage.h"
#include "MyXmlDom.h"

bool CSearchEngine::Load(const CXmlNode* pElement)
{
    m_nId = 0;
    if (pElement == nullptr)
        return false;
    if (pElement->GetName().EqualsNoCase("SEPARATOR")) {
        m_nSeparator = 1;
        return true;
    }
    m_nSeparator = 0;
    if (pElement->GetChildCount() == 0)
        return false;
    // The image is fetched once, for the last IMAGE_URL: earlier ones would be
    // replaced anyway.
    bool bHasImage = false;
    CMyString strImageUrl;
    for (int i = 0; i < pElement->GetChildCount(); ++i) {
        const CXmlNode* pChild = pElement->GetChild(i);
        const CMyString strName = pChild->GetName();
        if (strName.EqualsNoCase("PREFIX"))
            m_strPrefix = pChild->GetText();
        else if (strName.EqualsNoCase("SEARCH_TERM_TO_REPLACE"))
            m_strSearchTerm = pChild->GetText();
        else if (strName.EqualsNoCase("INPUT_CHARSET"))
            m_strInputCharset = pChild->GetText();
        else if (strName.EqualsNoCase("CAPTION"))
            m_strCaption = pChild->GetText();
        else if (strName.EqualsNoCase("IMAGE_URL")) {
            strImageUrl = pChild->GetText();
            bHasImage = true;
        } else if (strName.EqualsNoCase("EMPTY_SEARCH_URL"))
            m_strEmptySearchUrl = pChild->GetText();
    }
    if (bHasImage)
        m_strImage = FetchEngineImage(strImageUrl);
    return true;
}
