// Access to one key of the user's settings store, the program's stand-in for
// the registry of the current user. Each operation names a subkey relative to
// the key ("" for the key itself) and returns the registry's error code: 0 on
// success, kNoMoreItems (259) when a value is missing, another code when the
// store cannot be written. A missing key is created by the first read or write.
// String value names match without regard to case, number value names exactly.
// Callers create one on the stack around a call; a copy costs a string copy.
#pragma once

#include "MyString.h"
#include "Registry.h"

#include <cstdint>

class RegClass
{
public:
    static constexpr int kSuccess = CRegistry::kSuccess;
    static constexpr int kNoMoreItems = CRegistry::kNoMoreItems;

    explicit RegClass(const char* pKeyPath);
    virtual ~RegClass() = default;

    // A null argument does nothing and returns 0.
    int SetString(const char* pSubKey, const char* pValueName, const char* pText);
    int SetDword(const char* pSubKey, const char* pValueName, uint32_t uNumber);
    // A null argument returns 0 and leaves the output untouched. A number value
    // of that name is not a string: kNoMoreItems.
    int GetString(const char* pSubKey, const char* pValueName, CMyString& strOut);
    // Only a number value whose name is written exactly so.
    int GetDword(const char* pSubKey, const char* pValueName, uint32_t& uOut);

    // Reads a value of an existing key without creating anything: a string as
    // it is, a number as its decimal text. The value name "" is the key's
    // default value. False when the key or the value is missing.
    static bool ReadValue(const char* pKeyPath, const char* pValueName, CMyString& strOut);

private:
    // The key path and the subkey joined with "\".
    CMyString FullPath(const char* pSubKey) const;
    int ReadStoredValue(const char* pSubKey, const char* pValueName, CRegistry::Value& valueOut);

    CMyString m_strKeyPath;
    CRegistry m_registry;
};
