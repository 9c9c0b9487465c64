// CSearchEngines: the web search engines of SearchSettings.txt, in menu order,
// as one contiguous array of entries numbered 1, 2, 3 ... (separators
// included). The built-in catalogue search is not part of it. Copying copies
// every entry.
#pragma once

#include "SearchEngine.h"

#include <vector>

class CMenuXP;
class CXmlNode;

class CSearchEngines
{
public:
    // Entries past this many are not loaded: id 100 belongs to the built-in
    // engine, so a hundredth entry could not be told apart from it.
    static constexpr int kMaxEntries = CSearchEngine::kBuiltInId - 1;

    virtual ~CSearchEngines() = default;

    // Builds the list from a "LIST_OF_SEARCH_ENGINES" element: one entry per
    // "SEARCH_ENGINE" or "SEPARATOR" child that loads. False, with an empty
    // list, when none does.
    bool Load(const CXmlNode* pList);
    void RemoveAll() { m_engines.clear(); }

    int GetCount() const { return static_cast<int>(m_engines.size()); }
    // Null when the index is out of range.
    const CSearchEngine* GetAt(int nIndex) const;

    // Appends one entry per engine to the menu: a separator line, or a text
    // entry with the engine's id, caption and picture. False for an empty list.
    bool AppendToMenu(CMenuXP& menu) const;

private:
    static bool IsEntryElement(const CXmlNode& element);

    std::vector<CSearchEngine> m_engines;
};
