// The program's containers.
//
// CSeed is the root of every object that a container may destroy: containers
// hold untyped pointers and delete them through CSeed's virtual destructor, so
// store such objects as `static_cast<CSeed*>(p)`.
//
// CArrayPtr is a growable array of untyped pointers that does not own them
// unless told to (RemoveRange with bDelete). It grows to old capacity + grow-by
// + needed slots, so adding n pointers one by one costs O(log n) copies.
//
// CArrayString owns heap copies of CMyString values; GetAt returns a copy.
//
// CMapPtr is a chained hash table from 32-bit keys to untyped pointers. A string
// key is reduced to its hash and not stored, so two strings with equal hashes are
// the same key. The table must be initialised with a bucket count before use.
//
// None of these may be copied: they hold raw storage.
#pragma once

#include "MyString.h"

#include <cstdint>

class CSeed
{
public:
    virtual ~CSeed() = default;
};

class CArrayPtr : public CSeed
{
public:
    explicit CArrayPtr(uint32_t uGrowBy = 10);
    ~CArrayPtr() override;
    CArrayPtr(const CArrayPtr&) = delete;
    CArrayPtr& operator=(const CArrayPtr&) = delete;

    // Precondition: 0 < uGrowBy < 0xff000000.
    void SetGrowBy(uint32_t uGrowBy);
    uint32_t GetCount() const { return m_uCount; }
    uint32_t GetCapacity() const { return m_uCapacity; }
    // Precondition: uIndex < GetCount().
    void* GetAt(uint32_t uIndex) const;
    // Returns the index of the new element.
    uint32_t Add(void* pElement);
    // Precondition: uIndex <= GetCount(); later elements move up by one.
    void InsertAt(uint32_t uIndex, void* pElement);
    // Removes and returns the element (not deleted); precondition uIndex < GetCount().
    void* RemoveAt(uint32_t uIndex);
    // Removes uNumber elements from uStart (clipped to the count), destroying each
    // non-null one through CSeed when bDelete is set. Precondition: uStart < GetCount().
    void RemoveRange(uint32_t uStart, uint32_t uNumber, bool bDelete);

private:
    void EnsureRoom(uint32_t uNeeded);

    uint32_t m_uCount = 0;
    uint32_t m_uCapacity = 0;
    uint32_t m_uGrowBy = 10;
    void** m_ppElements = nullptr;
};

class CArrayString : public CSeed
{
public:
    CArrayString() = default;
    ~CArrayString() override;
    CArrayString(const CArrayString&) = delete;
    CArrayString& operator=(const CArrayString&) = delete;

    uint32_t Add(const CMyString& str);
    // A copy of the string; precondition uIndex < GetCount().
    CMyString GetAt(uint32_t uIndex) const;
    // Destroys the string at uIndex and closes the gap; returns an empty string.
    CMyString RemoveAt(uint32_t uIndex);
    uint32_t GetCount() const { return m_arrStrings.GetCount(); }

private:
    CArrayPtr m_arrStrings{10};
};

class CMapPtr : public CSeed
{
public:
    CMapPtr() = default;
    ~CMapPtr() override;
    CMapPtr(const CMapPtr&) = delete;
    CMapPtr& operator=(const CMapPtr&) = delete;

    // Precondition: not initialised yet (or emptied by RemoveAll).
    void InitHashTable(uint32_t uSize);
    bool IsInitialised() const { return m_puTable != nullptr; }
    // Number of entries added; replacing a value does not count.
    uint32_t GetCount() const { return m_uCount; }

    // Preconditions for the four below: initialised.
    // Replaces the value of a present key (the old value is not destroyed).
    void SetAt(uint32_t uKey, void* pValue);
    bool Lookup(uint32_t uKey, void** ppValue = nullptr) const;
    void SetAt(const CMyString& strKey, void* pValue) { SetAt(HashKey(strKey.GetBuffer()), pValue); }
    bool Lookup(const CMyString& strKey, void** ppValue = nullptr) const
    {
        return Lookup(HashKey(strKey.GetBuffer()), ppValue);
    }

    // Frees every bucket (destroying the values through CSeed when bDelete is
    // set); the map is uninitialised afterwards.
    void RemoveAll(bool bDelete);

    // hash = hash * 33 + byte, each byte taken as a signed char; 0 for null.
    static uint32_t HashKey(const char* pText);

private:
    struct Pair
    {
        uint32_t uKey;
        void* pValue;
    };

    Pair* FindPair(uint32_t uKey) const;

    uint32_t m_uCount = 0;
    uint32_t m_uGrowBy = 1;
    uint32_t m_uTableSize = 0;
    uint32_t* m_puTable = nullptr; // in use per bucket, then allocated per bucket
    Pair** m_ppBuckets = nullptr;
};
