// CSearchEngine: one entry of the search engine list, filled from a
// "SEARCH_ENGINE" or "SEPARATOR" element of SearchSettings.txt. Its image is
// fetched once into the working resource folder and used from there on (see
// EngineImage.h). The built-in catalogue search is an entry too, with id 100.
// A plain record: copying copies six strings.
#pragma once

#include "MyString.h"

#include <cstdint>

class CXmlNode;

class CSearchEngine
{
public:
    // The id of the built-in catalogue search, and of its menu command.
    static constexpr int32_t kBuiltInId = 100;

    CSearchEngine() = default;
    virtual ~CSearchEngine() = default;

    // Fills the entry from an element: a "SEPARATOR" is a separator entry; a
    // "SEARCH_ENGINE" takes its children's texts (names without regard to
    // case, the last of a name wins) and fetches its image. False for a null
    // element or an engine element without children. The id is set to 0; the
    // list numbers its entries.
    bool Load(const CXmlNode* pElement);

    bool IsSeparator() const { return m_nSeparator != 0; }

    CMyString m_strCaption;
    // The address template into which the encoded search text is put.
    CMyString m_strPrefix;
    CMyString m_strEmptySearchUrl;
    // Kept with the entry; the search text is always sent as UTF-8.
    CMyString m_strInputCharset;
    // Full path of the engine's image file, or empty when there is none.
    CMyString m_strImage;
    // The placeholder in the prefix that the encoded text replaces.
    CMyString m_strSearchTerm;
    int32_t m_nSeparator = 0;
    // 1-based position among the entries loaded; 100 for the built-in engine.
    int32_t m_nId = 0;
};
