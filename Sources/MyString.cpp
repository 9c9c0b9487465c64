#include "MyString.h"

#include "Assert.h"
#include "EntityDecoder.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

uint32_t TextLength(const char* pText)
{
    return pText ? static_cast<uint32_t>(std::strlen(pText)) : 0;
}

int Sign(int nValue)
{
    return (nValue > 0) - (nValue < 0);
}

bool IsSeparator(char chValue)
{
    return chValue == '\\' || chValue == '/';
}

// The single-byte white-space test; UTF-8 lead and continuation bytes are never white space.
bool IsWhiteSpace(char chValue)
{
    return std::isspace(static_cast<unsigned char>(chValue)) != 0;
}

} // namespace

CMyString::CMyString(const char* pText)
{
    Assign(pText, TextLength(pText));
}

CMyString::CMyString(const char* pData, uint32_t uLength)
{
    const void* pZero = pData ? std::memchr(pData, '\0', uLength) : nullptr;
    const auto uReal = pData == nullptr ? 0u
                       : pZero          ? static_cast<uint32_t>(static_cast<const char*>(pZero) - pData)
                                        : uLength;
    Assign(pData, uReal);
}

CMyString::CMyString(const CMyString& other)
{
    Assign(other.GetBuffer(), other.IsEmpty() ? 0 : other.m_uCount);
}

CMyString::CMyString(CMyString&& other) noexcept
    : m_uCount(other.m_uCount), m_uCapacity(other.m_uCapacity), m_pText(other.m_pText)
{
    other.m_uCount = other.m_uCapacity = 0;
    other.m_pText = nullptr;
}

CMyString::~CMyString()
{
    Empty();
}

CMyString& CMyString::operator=(const CMyString& other)
{
    if (m_pText != other.m_pText) {
        Assign(other.GetBuffer(), other.IsEmpty() ? 0 : other.m_uCount);
    }
    return *this;
}

CMyString& CMyString::operator=(CMyString&& other) noexcept
{
    if (this != &other) {
        Empty();
        m_uCount = other.m_uCount;
        m_uCapacity = other.m_uCapacity;
        m_pText = other.m_pText;
        other.m_uCount = other.m_uCapacity = 0;
        other.m_pText = nullptr;
    }
    return *this;
}

CMyString& CMyString::operator=(const char* pText)
{
    if (pText != m_pText) {
        // The source may point into this string's own buffer: copy it first.
        CMyString copy(pText);
        *this = std::move(copy);
    }
    return *this;
}

void CMyString::Assign(const char* pData, uint32_t uLength)
{
    Empty();
    if (uLength == 0) {
        return;
    }
    m_pText = static_cast<char*>(std::malloc(uLength + 1));
    KESTOVA_ASSERT(m_pText != nullptr);
    std::memcpy(m_pText, pData, uLength);
    m_pText[uLength] = '\0';
    m_uCount = m_uCapacity = uLength;
}

void CMyString::Reserve(uint32_t uLength)
{
    KESTOVA_ASSERT(uLength < UINT32_MAX);
    if (m_pText != nullptr && uLength < m_uCapacity) {
        return;
    }
    char* pNew = static_cast<char*>(std::realloc(m_pText, uLength + 1));
    KESTOVA_ASSERT(pNew != nullptr);
    if (m_pText == nullptr) {
        pNew[0] = '\0';
        m_uCount = 0;
    }
    m_pText = pNew;
    m_uCapacity = uLength;
}

void CMyString::Append(const char* pData, uint32_t uLength)
{
    if (uLength == 0) {
        return;
    }
    KESTOVA_ASSERT(uLength <= UINT32_MAX - 1 - m_uCount);
    const uint32_t uNew = m_uCount + uLength;
    Reserve(uNew);
    std::memmove(m_pText + m_uCount, pData, uLength);
    m_pText[uNew] = '\0';
    m_uCount = uNew;
}

void CMyString::Empty()
{
    std::free(m_pText);
    m_pText = nullptr;
    m_uCount = m_uCapacity = 0;
}

char CMyString::GetAt(uint32_t uIndex) const
{
    KESTOVA_ASSERT(uIndex < m_uCount);
    return m_pText[uIndex];
}

void CMyString::SetAt(uint32_t uIndex, char chValue)
{
    KESTOVA_ASSERT(uIndex < m_uCount);
    m_pText[uIndex] = chValue;
}

int CMyString::ToInt() const
{
    return IsEmpty() ? 0 : std::atoi(m_pText);
}

int CMyString::Find(char chValue) const
{
    return Find(chValue, 0);
}

int CMyString::Find(const char* pText) const
{
    return Find(pText, 0);
}

int CMyString::Find(char chValue, int nStart) const
{
    if (IsEmpty() || nStart < 0 || nStart >= static_cast<int>(m_uCount)) {
        return -1;
    }
    const char* pFound = std::strchr(m_pText + nStart, chValue);
    return (pFound && chValue != '\0') ? static_cast<int>(pFound - m_pText) : -1;
}

int CMyString::Find(const char* pText, int nStart) const
{
    if (IsEmpty() || pText == nullptr || nStart < 0 || nStart >= static_cast<int>(m_uCount)) {
        return -1;
    }
    const char* pFound = std::strstr(m_pText + nStart, pText);
    return pFound ? static_cast<int>(pFound - m_pText) : -1;
}

int CMyString::ReverseFind(char chValue) const
{
    if (IsEmpty() || chValue == '\0') {
        return -1;
    }
    const char* pFound = std::strrchr(m_pText, chValue);
    return pFound ? static_cast<int>(pFound - m_pText) : -1;
}

int CMyString::FindNoCase(const char* pType) const
{
    KESTOVA_ASSERT(pType != NULL);
    if (IsEmpty()) {
        return -1;
    }
    CMyString strHaystack(*this);
    CMyString strNeedle(pType);
    strHaystack.MakeLower();
    strNeedle.MakeLower();
    return strHaystack.Find(strNeedle.GetText());
}

int CMyString::Compare(const CMyString& other) const
{
    if (IsEmpty() || other.IsEmpty()) {
        return static_cast<int>(!IsEmpty()) - static_cast<int>(!other.IsEmpty());
    }
    // strcmp compares as unsigned char, which is the ordinal byte order.
    return Sign(std::strcmp(m_pText, other.m_pText));
}

int CMyString::CompareNoCase(const CMyString& other) const
{
    if (IsEmpty() || other.IsEmpty()) {
        return static_cast<int>(!IsEmpty()) - static_cast<int>(!other.IsEmpty());
    }
    const auto* p = reinterpret_cast<const unsigned char*>(m_pText);
    const auto* q = reinterpret_cast<const unsigned char*>(other.m_pText);
    for (;; ++p, ++q) {
        const int nDiff = std::tolower(*p) - std::tolower(*q);
        if (nDiff != 0 || *p == '\0') {
            return nDiff;
        }
    }
}

bool CMyString::operator==(const char* pText) const
{
    if (IsEmpty()) {
        return pText == nullptr || pText[0] == '\0';
    }
    return pText != nullptr && std::strcmp(m_pText, pText) == 0;
}

CMyString& CMyString::operator+=(const char* pText)
{
    const bool bAliases = m_pText && pText >= m_pText && pText <= m_pText + m_uCount;
    if (bAliases) {
        // Growing may move the buffer that pText points into.
        const CMyString copy(pText);
        Append(copy.GetText(), copy.GetLength());
    } else {
        Append(pText, TextLength(pText));
    }
    return *this;
}

CMyString& CMyString::operator+=(const CMyString& other)
{
    return *this += other.GetBuffer();
}

void CMyString::AppendChar(char chValue)
{
    if (chValue != '\0') {
        Append(&chValue, 1);
    }
}

void CMyString::AppendInt(int nValue)
{
    *this += std::to_string(nValue).c_str();
}

void CMyString::AppendPath(const char* pComponent)
{
    if (pComponent == nullptr || pComponent[0] == '\0') {
        return;
    }
    const int nLast = static_cast<int>(m_uCount) - 1;
    const bool bEndsWithSeparator = ReverseFind('/') == nLast || ReverseFind('\\') == nLast;
    if (IsSeparator(pComponent[0])) {
        if (bEndsWithSeparator) {
            ++pComponent;
        }
    } else if (!bEndsWithSeparator) {
        AppendChar('\\');
    }
    *this += pComponent;
}

CMyString CMyString::LeftUtf8(uint32_t uMaxBytes) const
{
    if (m_uCount <= uMaxBytes)
        return *this;
    uint32_t uLength = uMaxBytes;
    while (uLength > 0 && (static_cast<unsigned char>(m_pText[uLength]) & 0xC0) == 0x80)
        --uLength;
    return Mid(0, static_cast<int>(uLength));
}

CMyString CMyString::Mid(int nStart, int nCount) const
{
    if (nStart < 0 || nCount <= 0 || static_cast<int64_t>(nStart) + nCount > static_cast<int64_t>(m_uCount)) {
        return CMyString();
    }
    return CMyString(m_pText + nStart, static_cast<uint32_t>(nCount));
}

int CMyString::Replace(const char* pOld, const char* pNew)
{
    const uint32_t uOld = TextLength(pOld);
    if (IsEmpty() || uOld == 0) {
        return 0;
    }
    const uint32_t uNew = TextLength(pNew);
    std::string strResult;
    int nCount = 0;
    const char* pScan = m_pText;
    for (const char* pHit = std::strstr(pScan, pOld); pHit; pHit = std::strstr(pScan, pOld)) {
        strResult.append(pScan, pHit);
        strResult.append(pNew ? pNew : "", uNew);
        pScan = pHit + uOld;
        ++nCount;
    }
    if (nCount > 0) {
        strResult.append(pScan);
        Assign(strResult.data(), static_cast<uint32_t>(strResult.size()));
    }
    return nCount;
}

void CMyString::MakeLower()
{
    for (uint32_t i = 0; i < m_uCount; ++i) {
        m_pText[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(m_pText[i])));
    }
}

void CMyString::TrimLeft()
{
    if (IsEmpty()) {
        return;
    }
    uint32_t uSkip = 0;
    while (uSkip < m_uCount && IsWhiteSpace(m_pText[uSkip])) {
        ++uSkip;
    }
    if (uSkip > 0) {
        std::memmove(m_pText, m_pText + uSkip, m_uCount - uSkip + 1);
        m_uCount = TextLength(m_pText);
    }
}

void CMyString::TrimRight()
{
    if (IsEmpty()) {
        return;
    }
    uint32_t uEnd = m_uCount;
    while (uEnd > 0 && IsWhiteSpace(m_pText[uEnd - 1])) {
        --uEnd;
    }
    m_pText[uEnd] = '\0';
    m_uCount = uEnd;
}

void CMyString::Trim()
{
    TrimLeft();
    TrimRight();
}

void CMyString::UnescapeXml()
{
    if (IsEmpty()) {
        return;
    }
    if (Find("&#") >= 0) {
        const std::string strDecoded = CEntityDecoder::Decode(std::string(m_pText, m_uCount));
        Assign(strDecoded.data(), static_cast<uint32_t>(strDecoded.size()));
    }
    // "&amp;" goes before "&lt;" and "&gt;", so "&amp;lt;" ends as "<".
    Replace("&apos;", "'");
    Replace("&amp;", "&");
    Replace("&quot;", "\"");
    Replace("&lt;", "<");
    Replace("&gt;", ">");
}
