#include "SearchEngines.h"

#include "MenuXP.h"
#include "MenuXPText.h"
#include "MyXmlDom.h"

bool CSearchEngines::IsEntryElement(const CXmlNode& element)
{
    const CMyString strName = element.GetName();
    return strName.EqualsNoCase("SEARCH_ENGINE") || strName.EqualsNoCase("SEPARATOR");
}

bool CSearchEngines::Load(const CXmlNode* pList)
{
    m_engines.clear();
    if (pList == nullptr)
        return false;
    // Entries are numbered by position among those that load; an engine
    // element that does not load leaves no gap.
    for (int i = 0; i < pList->GetChildCount() && GetCount() < kMaxEntries; ++i) {
        const CXmlNode* pChild = pList->GetChild(i);
        if (!IsEntryElement(*pChild))
            continue;
        CSearchEngine engine;
        if (!engine.Load(pChild))
            continue;
        engine.m_nId = GetCount() + 1;
        m_engines.push_back(std::move(engine));
    }
    return !m_engines.empty();
}

const CSearchEngine* CSearchEngines::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return &m_engines[static_cast<size_t>(nIndex)];
}

bool CSearchEngines::AppendToMenu(CMenuXP& menu) const
{
    if (m_engines.empty())
        return false;
    for (const CSearchEngine& engine : m_engines) {
        if (engine.IsSeparator())
            menu.AppendSeparator();
        else
            menu.AppendItem(0,
                            new CMenuXPText(engine.m_nId, engine.m_strCaption, QIcon(), engine.m_strImage));
    }
    return true;
}
