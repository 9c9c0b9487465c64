// The element-document reader for every list file, the manifest and the skin.
//
// The markup is small on purpose: elements, end tags, empty-element tags and
// text, nothing else. There are no attributes (everything between "<" and ">"
// is the name), no declaration, no comments. Names match without regard to ASCII
// case; texts are entity-decoded, names are not; white space between tags is
// dropped; a text keeps its trailing white space. Whatever follows the root's
// end tag is not read.
//
// CMyXmlDom owns the tree of CXmlNode; nodes are not copyable. Loading never
// recurses, and a document nested deeper than kMaxDepth elements fails to load,
// so that no input can exhaust the stack of the reader or of a caller that walks
// the tree recursively.
#pragma once

#include "ArrayString.h"
#include "MyString.h"

class CXmlNode : public CSeed
{
public:
    explicit CXmlNode(const CMyString& strName = CMyString());
    ~CXmlNode() override;
    CXmlNode(const CXmlNode&) = delete;
    CXmlNode& operator=(const CXmlNode&) = delete;

    CMyString GetName() const { return m_strName; }
    // The last text piece read inside the element, decoded; empty when none.
    CMyString GetText() const { return m_strText; }
    int GetChildCount() const { return static_cast<int>(m_arrChildren.GetCount()); }
    // Null when nIndex is negative or not less than the count.
    CXmlNode* GetChild(int nIndex) const;
    // The last child of that name (ASCII case-insensitive), or null.
    CXmlNode* FindChild(const CMyString& strName) const;
    // The text of FindChild(strName), or empty.
    CMyString GetChildText(const CMyString& strName) const;

private:
    friend class CXmlParser;

    void AddChild(CXmlNode* pChild);
    void IndexChild(CXmlNode* pChild);
    void RebuildIndex(uint32_t uChildren);

    CMyString m_strName;
    CMyString m_strText;
    CArrayPtr m_arrChildren{10};
    CMapPtr m_mapChildren; // lower-cased name hash -> child; built with the first child
    uint32_t m_uIndexBuckets = 0;
};

class CMyXmlDom
{
public:
    // Deepest element nesting that loads, the root counting as depth 1.
    static constexpr int kMaxDepth = 1000;

    CMyXmlDom() = default;
    virtual ~CMyXmlDom();
    CMyXmlDom(const CMyXmlDom&) = delete;
    CMyXmlDom& operator=(const CMyXmlDom&) = delete;

    // Parses the whole text. On failure the previous tree stays and the result is false.
    bool Load(const CMyString& strText);
    // Reads a plain text file (CFileHandler::ReadTextFile) and loads it.
    bool LoadFile(const CMyString& strPath);
    CXmlNode* GetRoot() const { return m_pRoot; }

private:
    CXmlNode* m_pRoot = nullptr;
};
