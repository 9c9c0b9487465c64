#include "MyXmlDom.h"

namespace {
constexpr uint32_t kChildIndexBuckets = 10;
}

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
    return static_cast<CXmlNode*>(static_cast<CSeed*>(pChild));
}

CMyString CXmlNode::GetChildText(const CMyString& strName) const
{
    const CXmlNode* pChild = FindChild(strName);
    return pChild ? pChild->GetText() : CMyString();
}

// The index is built with the first child: most elements of a list file hold
// only text, and an index for each of them would cost memory for nothing.
void CXmlNode::AddChild(CXmlNode* pChild)
{
    m_arrChildren.Add(static_cast<CSeed*>(pChild));
    if (!m_mapChildren.IsInitialised()) {
        m_mapChildren.InitHashTable(kChildIndexBuckets);
    }
    CMyString strKey(pChild->m_strName);
    strKey.MakeLower();
    m_mapChildren.SetAt(strKey, static_cast<CSeed*>(pChild));
}
