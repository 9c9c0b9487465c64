// CCatalogueSource: the catalogue's list files as read from the working "res"
// folder, parsed but not yet shown: the index document and one document per
// category file it names. Reading needs neither widgets nor the user-interface
// thread, so the station tree reads the files on a worker and builds its items
// from them on the user-interface thread (CCatalogue::Build). Owns its
// documents; not copyable.
#pragma once

#include "MyString.h"
#include "MyXmlDom.h"

#include <map>
#include <memory>
#include <string>

class CCatalogueSource
{
public:
    // Reads the index file and every category file it names. A file that
    // cannot be read or parsed is left out.
    static std::unique_ptr<CCatalogueSource> Read(const CMyString& strIndexFile);
    // Reads and parses one scrambled list file of the working "res" folder;
    // false unless it has a root element, and for a name that is not a plain
    // file name.
    static bool ReadListFile(const CMyString& strName, CMyXmlDom& dom);

    CCatalogueSource() = default;
    CCatalogueSource(const CCatalogueSource&) = delete;
    CCatalogueSource& operator=(const CCatalogueSource&) = delete;

    // The index document's root, or null when the index could not be read.
    const CXmlNode* GetIndex() const { return m_bIndexRead ? m_index.GetRoot() : nullptr; }
    // The root of a category file, or null when it could not be read.
    const CXmlNode* GetCategory(const CMyString& strName) const;

private:
    void ReadCategories();

    CMyXmlDom m_index;
    bool m_bIndexRead = false;
    std::map<std::string, std::unique_ptr<CMyXmlDom>> m_categories;
};
