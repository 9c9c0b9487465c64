#include "MyString.h"

#include <cstring>
#include <string>

// UTF-8 <-> UTF-16 conversion for the one code page the program uses. Malformed
// input is not an error: each bad sequence becomes U+FFFD, as the system
// converters of other platforms do without their strict flag.
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at p (p < pEnd) and advances p past it.
char32_t DecodeUtf8(const unsigned char*& p, const unsigned char* pEnd)
{
    const unsigned char uLead = *p++;
    if (uLead < 0x80) {
        return uLead;
    }
    int nMore = 0;
    char32_t cp = 0;
    char32_t cpMin = 0;
    if (uLead >= 0xC2 && uLead <= 0xDF) {
        nMore = 1, cp = uLead & 0x1F, cpMin = 0x80;
    } else if (uLead >= 0xE0 && uLead <= 0xEF) {
        nMore = 2, cp = uLead & 0x0F, cpMin = 0x800;
    } else if (uLead >= 0xF0 && uLead <= 0xF4) {
        nMore = 3, cp = uLead & 0x07, cpMin = 0x10000;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < nMore; ++i) {
        if (p == pEnd || (*p & 0xC0) != 0x80) {
            return kReplacement; // the maximal bad subpart is replaced once
        }
        cp = (cp << 6) | (*p++ & 0x3F);
    }
    const bool bSurrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return (cp < cpMin || cp > 0x10FFFF || bSurrogate) ? kReplacement : cp;
}

std::u16string Utf8ToUtf16(const char* pText, uint32_t uLength)
{
    std::u16string strOut;
    strOut.reserve(uLength);
    const auto* p = reinterpret_cast<const unsigned char*>(pText);
    const auto* pEnd = p + uLength;
    while (p < pEnd) {
        const char32_t cp = DecodeUtf8(p, pEnd);
        if (cp >= 0x10000) {
            strOut += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            strOut += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            strOut += static_cast<char16_t>(cp);
        }
    }
    return strOut;
}

void AppendUtf8(std::string& strOut, char32_t cp)
{
    if (cp < 0x80) {
        strOut += static_cast<char>(cp);
    } else if (cp < 0x800) {
        strOut += static_cast<char>(0xC0 | (cp >> 6));
        strOut += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        strOut += static_cast<char>(0xE0 | (cp >> 12));
        strOut += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        strOut += static_cast<char>(0xF0 | (cp >> 18));
        strOut += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        strOut += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(const char16_t* pText)
{
    std::string strOut;
    for (const char16_t* p = pText; *p; ++p) {
        char32_t cp = *p;
        const bool bHigh = cp >= 0xD800 && cp <= 0xDBFF;
        if (bHigh && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(strOut, cp);
    }
    return strOut;
}

} // namespace

bool CMyString::FromWide(const char16_t* pWide, unsigned uCodePage)
{
    Empty();
    if (pWide == nullptr || uCodePage != CP_UTF8_CODE_PAGE) {
        return false;
    }
    const std::string strText = Utf16ToUtf8(pWide);
    *this = CMyString(strText.data(), static_cast<uint32_t>(strText.size()));
    return true;
}

char16_t* CMyString::ToWide(unsigned uCodePage) const
{
    if (IsEmpty() || uCodePage != CP_UTF8_CODE_PAGE) {
        return nullptr;
    }
    const std::u16string strWide = Utf8ToUtf16(m_pText, m_uCount);
    auto* pOut = new char16_t[strWide.size() + 1];
    std::memcpy(pOut, strWide.c_str(), (strWide.size() + 1) * sizeof(char16_t));
    return pOut;
}

CMyStringW::CMyStringW(const CMyString& source)
{
    Assign(source, CP_UTF8_CODE_PAGE);
}

CMyStringW::CMyStringW(const CMyStringW& other)
{
    *this = other;
}

CMyStringW& CMyStringW::operator=(const CMyStringW& other)
{
    if (m_pText == other.m_pText) {
        return *this;
    }
    Free();
    if (!other.IsEmpty()) {
        m_pText = new char16_t[other.m_uLength + 1];
        std::memcpy(m_pText, other.m_pText, (other.m_uLength + 1) * sizeof(char16_t));
        m_uLength = other.m_uLength;
    }
    return *this;
}

CMyStringW::~CMyStringW()
{
    Free();
}

bool CMyStringW::Assign(const CMyString& source, unsigned uCodePage)
{
    Free();
    if (uCodePage != CP_UTF8_CODE_PAGE) {
        return false;
    }
    m_pText = source.ToWide(uCodePage);
    m_uLength = m_pText ? static_cast<uint32_t>(std::char_traits<char16_t>::length(m_pText)) : 0;
    return true;
}

void CMyStringW::Free()
{
    delete[] m_pText;
    m_pText = nullptr;
    m_uLength = 0;
}
