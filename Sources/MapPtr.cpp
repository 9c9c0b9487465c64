#include "ArrayString.h"

#include "Assert.h"

#include <cstring>

CMapPtr::~CMapPtr()
{
    RemoveAll(false);
}

void CMapPtr::InitHashTable(uint32_t uSize)
{
    KESTOVA_ASSERT(m_puTable == NULL);
    KESTOVA_ASSERT(uSize > 0);
    m_uTableSize = uSize;
    m_puTable = new uint32_t[2 * uSize]();
    m_ppBuckets = new Pair*[uSize]();
}

CMapPtr::Pair* CMapPtr::FindPair(uint32_t uKey) const
{
    const uint32_t uBucket = uKey % m_uTableSize;
    Pair* pPairs = m_ppBuckets[uBucket];
    // From the last entry to the first: of two equal keys the later would win.
    for (uint32_t i = m_puTable[uBucket]; i > 0; --i) {
        if (pPairs[i - 1].uKey == uKey) {
            return &pPairs[i - 1];
        }
    }
    return nullptr;
}

void CMapPtr::SetAt(uint32_t uKey, void* pValue)
{
    KESTOVA_ASSERT(m_puTable != NULL);
    if (Pair* pPair = FindPair(uKey)) {
        pPair->pValue = pValue;
        return;
    }
    const uint32_t uBucket = uKey % m_uTableSize;
    uint32_t& uUsed = m_puTable[uBucket];
    uint32_t& uAllocated = m_puTable[m_uTableSize + uBucket];
    if (uUsed == uAllocated) {
        Pair* pNew = new Pair[uAllocated + m_uGrowBy];
        if (uUsed > 0) {
            std::memcpy(pNew, m_ppBuckets[uBucket], uUsed * sizeof(Pair));
        }
        delete[] m_ppBuckets[uBucket];
        m_ppBuckets[uBucket] = pNew;
        uAllocated += m_uGrowBy;
    }
    m_ppBuckets[uBucket][uUsed++] = Pair{uKey, pValue};
    ++m_uCount;
}

bool CMapPtr::Lookup(uint32_t uKey, void** ppValue) const
{
    KESTOVA_ASSERT(m_puTable != NULL);
    const Pair* pPair = FindPair(uKey);
    if (pPair && ppValue) {
        *ppValue = pPair->pValue;
    }
    return pPair != nullptr;
}

void CMapPtr::RemoveAll(bool bDelete)
{
    for (uint32_t uBucket = 0; uBucket < m_uTableSize; ++uBucket) {
        for (uint32_t i = 0; bDelete && i < m_puTable[uBucket]; ++i) {
            delete static_cast<CSeed*>(m_ppBuckets[uBucket][i].pValue);
        }
        delete[] m_ppBuckets[uBucket];
    }
    delete[] m_ppBuckets;
    delete[] m_puTable;
    m_ppBuckets = nullptr;
    m_puTable = nullptr;
    m_uTableSize = 0;
    m_uCount = 0;
}

uint32_t CMapPtr::HashKey(const char* pText)
{
    uint32_t uHash = 0;
    for (const char* p = pText; p && *p; ++p) {
        uHash = uHash * 33 + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
    }
    return uHash;
}
