#include "Assert.h"
#include "FileHandler.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The largest capacity that is a whole number of grow steps and fits in 32 bits.
constexpr uint32_t kMaxCapacity = UINT32_MAX / CMyBuffer::kGrowStep * CMyBuffer::kGrowStep;

// A block whose first byte is zero. Only the byte behind the data is kept
// zero, not the whole block: zero-filling a fresh megabyte for every download
// cost more than the download itself.
char* AllocateBlock(uint32_t uBytes)
{
    auto* pBlock = static_cast<char*>(std::malloc(uBytes));
    KESTOVA_ASSERT(pBlock != nullptr);
    pBlock[0] = '\0';
    return pBlock;
}

} // namespace

CMyBuffer::CMyBuffer(const CMyBuffer& other)
{
    if (other.m_uSize == 0)
        return;
    // The data and the zero byte behind it.
    m_pData = AllocateBlock(other.m_uCapacity);
    std::memcpy(m_pData, other.m_pData, other.m_uSize + 1);
    m_uSize = other.m_uSize;
    m_uCapacity = other.m_uCapacity;
}

CMyBuffer& CMyBuffer::operator=(const CMyBuffer& other)
{
    CMyBuffer copy(other);
    std::swap(m_pData, copy.m_pData);
    std::swap(m_uSize, copy.m_uSize);
    std::swap(m_uCapacity, copy.m_uCapacity);
    return *this;
}

CMyBuffer::~CMyBuffer()
{
    std::free(m_pData);
}

void CMyBuffer::EnsureRoom(uint32_t uBytes)
{
    // Growing past 32 bits would wrap the size and overrun the block.
    KESTOVA_ASSERT(uBytes < kMaxCapacity - m_uSize);
    const uint32_t uNeeded = m_uSize + uBytes;
    if (m_pData != nullptr && uNeeded < m_uCapacity)
        return;
    // Whole steps, enough to keep a zero byte behind the data even when one
    // append is larger than a step.
    const uint32_t uCapacity = (uNeeded / kGrowStep + 1) * kGrowStep;
    char* pBlock = AllocateBlock(uCapacity);
    if (m_pData != nullptr)
        std::memcpy(pBlock, m_pData, m_uSize + 1);
    std::free(m_pData);
    m_pData = pBlock;
    m_uCapacity = uCapacity;
}

void CMyBuffer::Append(const void* pData, uint32_t uBytes)
{
    EnsureRoom(uBytes);
    if (uBytes == 0)
        return;
    KESTOVA_ASSERT(pData != nullptr);
    std::memcpy(m_pData + m_uSize, pData, uBytes);
    m_uSize += uBytes;
    m_pData[m_uSize] = '\0';
}
