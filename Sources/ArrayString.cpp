#include "ArrayString.h"

#include "Assert.h"

// The strings are plain heap objects, not CSeed, so they are deleted here.
CArrayString::~CArrayString()
{
    for (uint32_t i = 0; i < m_arrStrings.GetCount(); ++i) {
        delete static_cast<CMyString*>(m_arrStrings.GetAt(i));
    }
}

uint32_t CArrayString::Add(const CMyString& str)
{
    return m_arrStrings.Add(new CMyString(str));
}

CMyString CArrayString::GetAt(uint32_t uIndex) const
{
    const auto* pString = static_cast<const CMyString*>(m_arrStrings.GetAt(uIndex));
    return pString ? *pString : CMyString();
}

CMyString CArrayString::RemoveAt(uint32_t uIndex)
{
    delete static_cast<CMyString*>(m_arrStrings.RemoveAt(uIndex));
    return CMyString();
}
