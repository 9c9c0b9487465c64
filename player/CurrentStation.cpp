#include "CurrentStation.h"

#include "CatalogItem.h"

void CCurrentStation::Assign(const CCatalogItem* pItem)
{
    if (pItem == nullptr)
        return;
    m_nHasStation = pItem->m_nKind;
    m_nWeb = pItem->m_nWeb;
    m_strName = pItem->GetCaptionPath();
    m_strAddress = pItem->m_strAddress;
    m_strIconFile = pItem->m_strIconFile;
}

bool CCurrentStation::Set(const CMyString& strAddress, const CMyString& strName, bool bWeb)
{
    if (strAddress.IsEmpty() || strName.IsEmpty())
        return false;
    m_nHasStation = 1;
    m_strAddress = strAddress;
    m_nWeb = bWeb ? 1 : 0;
    m_strName = strName;
    m_strIconFile.Empty();
    return true;
}

CMyString CCurrentStation::GetPlayAddress() const
{
    const int nAmpersand = m_strAddress.Find('&');
    return nAmpersand < 0 ? m_strAddress : m_strAddress.Mid(0, nAmpersand);
}
