#include "ArrayString.h"

#include "Assert.h"

#include <cstring>

CArrayPtr::CArrayPtr(uint32_t uGrowBy)
{
    SetGrowBy(uGrowBy);
}

CArrayPtr::~CArrayPtr()
{
    delete[] m_ppElements;
}

void CArrayPtr::SetGrowBy(uint32_t uGrowBy)
{
    KESTOVA_ASSERT((uGrowBy < 0xff000000) && (uGrowBy > 0));
    m_uGrowBy = uGrowBy;
}

void* CArrayPtr::GetAt(uint32_t uIndex) const
{
    KESTOVA_ASSERT(uIndex < m_uCount);
    return m_ppElements[uIndex];
}

void CArrayPtr::EnsureRoom(uint32_t uNeeded)
{
    if (uNeeded < m_uCapacity) {
        return;
    }
    const uint64_t uWanted = uint64_t{m_uCapacity} + m_uGrowBy + uNeeded;
    KESTOVA_ASSERT(uWanted < UINT32_MAX);
    void** ppNew = new void*[uWanted];
    if (m_uCount > 0) {
        std::memcpy(ppNew, m_ppElements, m_uCount * sizeof(void*));
    }
    delete[] m_ppElements;
    m_ppElements = ppNew;
    m_uCapacity = static_cast<uint32_t>(uWanted);
}

uint32_t CArrayPtr::Add(void* pElement)
{
    EnsureRoom(m_uCount + 1);
    m_ppElements[m_uCount] = pElement;
    return m_uCount++;
}

void CArrayPtr::InsertAt(uint32_t uIndex, void* pElement)
{
    KESTOVA_ASSERT(uIndex <= m_uCount);
    EnsureRoom(m_uCount + 1);
    std::memmove(m_ppElements + uIndex + 1, m_ppElements + uIndex, (m_uCount - uIndex) * sizeof(void*));
    m_ppElements[uIndex] = pElement;
    ++m_uCount;
}

void* CArrayPtr::RemoveAt(uint32_t uIndex)
{
    KESTOVA_ASSERT(uIndex < m_uCount);
    void* pRemoved = m_ppElements[uIndex];
    std::memmove(m_ppElements + uIndex, m_ppElements + uIndex + 1, (m_uCount - uIndex - 1) * sizeof(void*));
    --m_uCount;
    return pRemoved;
}

void CArrayPtr::RemoveRange(uint32_t uStart, uint32_t uNumber, bool bDelete)
{
    KESTOVA_ASSERT(uStart < m_uCount);
    const uint32_t uEnd = (uNumber > m_uCount - uStart) ? m_uCount : uStart + uNumber;
    if (bDelete) {
        for (uint32_t i = uStart; i < uEnd; ++i) {
            delete static_cast<CSeed*>(m_ppElements[i]);
        }
    }
    std::memmove(m_ppElements + uStart, m_ppElements + uEnd, (m_uCount - uEnd) * sizeof(void*));
    m_uCount -= uEnd - uStart;
}
