// The per-user settings store that stands in for the registry: keys in a
// hierarchy ("SOFTWARE\Kestova\Stations\2") holding string values and 32-bit
// number values. A number and a string of the same text are different values.
// Key and value names are case-insensitive and case-preserving; keys and values
// enumerate in the order they were first written.
//
// The store is one text file, $XDG_CONFIG_HOME/Kestova/registry.conf (format in
// RegistryData.h), that a person or an installer can read and edit. Nothing is
// cached: every call reads the file. Every change takes an flock on a lock file
// beside it, reads the file again, and replaces it by a new one (temporary file,
// fsync, rename) before the call returns, so two processes may write at once
// without losing each other's values, and a reader never sees half a file. A
// damaged file is reported once on stderr, kept aside as "registry.conf.damaged",
// and the store starts afresh.
//
// Results are the registry's error codes. A CRegistry holds only the file's
// path: it is cheap to create and to copy.
#pragma once

#include "ArrayString.h"
#include "MyString.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class CRegistryData;

class CRegistry
{
public:
    static constexpr int kSuccess = 0;
    static constexpr int kNotFound = 2;       // no such key or value
    static constexpr int kBadPath = 161;      // an empty key path
    static constexpr int kNoMoreItems = 259;  // an enumeration ran out
    static constexpr int kCannotWrite = 1013; // the store cannot be written

    struct Value
    {
        CMyString strName;
        bool bNumber = false;
        CMyString strText;    // of a string value
        uint32_t uNumber = 0; // of a number value
    };

    // The store of the current user.
    CRegistry();
    explicit CRegistry(const CMyString& strFilePath);
    // $XDG_CONFIG_HOME/Kestova/registry.conf; empty when no config folder is known.
    static CMyString GetDefaultFilePath();
    // Where a damaged settings file was set aside in this process (its
    // readable values kept), once: later calls give empty until the next one.
    static CMyString TakeDamagedCopy();
    const CMyString& GetFilePath() const { return m_strFile; }

    // Writes create the key and its parents. A value of the same name in any
    // case is replaced in place and keeps the spelling it was first written with.
    int SetString(const CMyString& strKey, const CMyString& strName, const CMyString& strText);
    int SetDword(const CMyString& strKey, const CMyString& strName, uint32_t uNumber);
    // Sets several string values of one key in a single write: one trip to the
    // disk instead of one for each value.
    int SetStrings(const CMyString& strKey, const std::vector<std::pair<CMyString, CMyString>>& values);
    int CreateKey(const CMyString& strKey);
    int DeleteValue(const CMyString& strKey, const CMyString& strName);
    // Deletes the key with every key below it.
    int DeleteKey(const CMyString& strKey);

    bool KeyExists(const CMyString& strKey) const;
    // kSuccess and the value, or kNotFound when the key or the value is missing.
    int GetValue(const CMyString& strKey, const CMyString& strName, Value& valueOut) const;
    // The key's values in store order; false when the key is missing.
    bool GetValues(const CMyString& strKey, std::vector<Value>& valuesOut) const;
    // The full paths of the keys directly below strKey, in store order.
    bool GetSubKeys(const CMyString& strKey, CArrayString& pathsOut) const;
    // The key and every key below it in the file's format ("" for the whole
    // store); empty when the key is missing.
    CMyString Export(const CMyString& strKey) const;

private:
    // The change returns a result code and sets bChanged when there is
    // anything to write.
    using Change = std::function<int(CRegistryData& data, bool& bChanged)>;

    int Modify(const Change& change) const;
    void Load(CRegistryData& data) const;
    bool LoadLocked(CRegistryData& data) const;
    bool WriteLocked(const CRegistryData& data) const;
    // Links the file to a new ".damaged" name; false when that cannot be done.
    bool MoveDamagedAside() const;
    void ReportUnmovable(int nError) const;
    CMyString LockPath() const;

    CMyString m_strFile;
};
