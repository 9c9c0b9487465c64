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
    CRegistry::Value value;
    const int nResult = ReadStoredValue(pSubKey, pValueName, value);
    if (nResult != kSuccess || value.bNumber)
        return nResult == kSuccess ? kNoMoreItems : nResult;
    strOut = value.strText;
    return kSuccess;
}

int RegClass::GetDword(const char* pSubKey, const char* pValueName, uint32_t& uOut)
{
    if (pSubKey == nullptr || pValueName == nullptr)
        return kSuccess;
    CRegistry::Value value;
    const int nResult = ReadStoredValue(pSubKey, pValueName, value);
    // The store finds names in any case; a number value must match exactly.
    if (nResult != kSuccess || !value.bNumber || !(value.strName == pValueName))
        return nResult == kSuccess ? kNoMoreItems : nResult;
    uOut = value.uNumber;
    return kSuccess;
}

// Opens (and so creates) the key, then reads the value: kNoMoreItems when it
// is missing.
int RegClass::ReadStoredValue(const char* pSubKey, const char* pValueName, CRegistry::Value& valueOut)
{
    const CMyString strPath = FullPath(pSubKey);
    const int nOpened = m_registry.CreateKey(strPath);
    if (nOpened != kSuccess)
        return nOpened;
    return m_registry.GetValue(strPath, pValueName, valueOut) == kSuccess ? kSuccess : kNoMoreItems;
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
