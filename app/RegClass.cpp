#include "RegClass.h"

#include <string>

RegClass::RegClass(const char* pKeyPath) : m_strKeyPath(pKeyPath) {}

int RegClass::SetString(const char* pSubKey, const char* pValueName, const char* pText)
{
    if (pSubKey == nullptr || pValueName == nullptr || pText == nullptr)
        return kSuccess;
    return m_registry.SetString(FullPath(pSubKey), pValueName, pText);
}

int RegClass::SetDword(const char* pSubKey, const char* pValueName, uint32_t uNumber)
{
    if (pSubKey == nullptr || pValueName == nullptr)
        return kSuccess;
    return m_registry.SetDword(FullPath(pSubKey), pValueName, uNumber);
}

int RegClass::GetString(const char* pSubKey, const char* pValueName, CMyString& strOut)
{
    if (pSubKey == nullptr || pValueName == nullptr)
        return kSuccess;
    const CMyString strPath = FullPath(pSubKey);
    const int nOpened = m_registry.CreateKey(strPath);
    if (nOpened != kSuccess)
        return nOpened;
    CRegistry::Value value;
    if (m_registry.GetValue(strPath, pValueName, value) != kSuccess || value.bNumber)
        return kNoMoreItems;
    strOut = value.strText;
    return kSuccess;
}

int RegClass::GetDword(const char* pSubKey, const char* pValueName, uint32_t& uOut)
{
    if (pSubKey == nullptr || pValueName == nullptr)
        return kSuccess;
    const CMyString strPath = FullPath(pSubKey);
    const int nOpened = m_registry.CreateKey(strPath);
    if (nOpened != kSuccess)
        return nOpened;
    CRegistry::Value value;
    // The store finds names in any case; a number value must match exactly.
    if (m_registry.GetValue(strPath, pValueName, value) != kSuccess || !value.bNumber ||
        !(value.strName == pValueName))
        return kNoMoreItems;
    uOut = value.uNumber;
    return kSuccess;
}

bool RegClass::ReadValue(const char* pKeyPath, const char* pValueName, CMyString& strOut)
{
    if (pKeyPath == nullptr || pValueName == nullptr)
        return false;
    CRegistry::Value value;
    if (CRegistry().GetValue(pKeyPath, pValueName, value) != CRegistry::kSuccess)
        return false;
    strOut = value.bNumber ? CMyString(std::to_string(value.uNumber).c_str()) : value.strText;
    return true;
}

CMyString RegClass::FullPath(const char* pSubKey) const
{
    // "%s\%s": an empty subkey names the key itself.
    CMyString strPath(m_strKeyPath);
    strPath += "\\";
    strPath += pSubKey;
    return strPath;
}
