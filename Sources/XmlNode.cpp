#include "MyXmlDom.h"

namespace {
constexpr uint32_t kChildIndexBuckets = 10;
// The index is rebuilt larger once it averages this many children a bucket.
constexpr uint32_t kChildrenPerBucket = 4;
} // namespace

CXmlNode::CXmlNode(const CMyString& strName) : m_strName(strName)
{
}

CXmlNode::~CXmlNode()
{
    if (m_arrChildren.GetCount() > 0) {
        m_arrChildren.RemoveRange(0, m_arrChildren.GetCount(), true);
    }
    m_mapChildren.RemoveAll(false);
}

CXmlNode* CXmlNode::GetChild(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetChildCount()) {
        return nullptr;
    }
    return static_cast<CXmlNode*>(static_cast<CSeed*>(m_arrChildren.GetAt(static_cast<uint32_t>(nIndex))));
}

CXmlNode* CXmlNode::FindChild(const CMyString& strName) const
{
    if (!m_mapChildren.IsInitialised()) {
        return nullptr;
    }
    CMyString strKey(strName);
    strKey.MakeLower();
    void* pChild = nullptr;
    if (!m_mapChildren.Lookup(strKey, &pChild)) {
        return nullptr;
    }
    auto* pFound = static_cast<CXmlNode*>(static_cast<CSeed*>(pChild));
    if (pFound->m_strName.EqualsNoCase(strName)) {
        return pFound;
    }
    // The index keys children by the hash of their name, and two names can
    // share one: the last child that really has the name is looked for.
    for (int i = GetChildCount() - 1; i >= 0; --i) {
        if (GetChild(i)->m_strName.EqualsNoCase(strName)) {
            return GetChild(i);
        }
    }
    return nullptr;
}

CMyString CXmlNode::GetChildText(const CMyString& strName) const
{
    const CXmlNode* pChild = FindChild(strName);
    return pChild ? pChild->GetText() : CMyString();
}

// The index is built with the first child: most elements of a list file hold
// only text, and an index for each of them would cost memory for nothing. The
// index grows with the number of children (as the array does), so that a list
// of a million siblings reads in linear time.
void CXmlNode::AddChild(CXmlNode* pChild)
{
    const uint32_t uCount = m_arrChildren.GetCount();
    m_arrChildren.Add(static_cast<CSeed*>(pChild));
    if (!m_mapChildren.IsInitialised()) {
        m_mapChildren.InitHashTable(kChildIndexBuckets);
        m_uIndexBuckets = kChildIndexBuckets;
    } else if (uCount >= m_uIndexBuckets * kChildrenPerBucket) {
        RebuildIndex(uCount);
    }
    IndexChild(pChild);
}

void CXmlNode::IndexChild(CXmlNode* pChild)
{
    CMyString strKey(pChild->m_strName);
    strKey.MakeLower();
    m_mapChildren.SetAt(strKey, static_cast<CSeed*>(pChild));
}

// Entered again in document order, so that of several children with one name
// the last is still the one found.
void CXmlNode::RebuildIndex(uint32_t uChildren)
{
    m_mapChildren.RemoveAll(false);
    m_uIndexBuckets = uChildren;
    m_mapChildren.InitHashTable(m_uIndexBuckets);
    for (uint32_t i = 0; i + 1 < m_arrChildren.GetCount(); ++i) {
        IndexChild(static_cast<CXmlNode*>(static_cast<CSeed*>(m_arrChildren.GetAt(i))));
    }
}
