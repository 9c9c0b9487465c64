#include "QueryUrl.h"

#include "SearchEngine.h"

#include <cstring>

namespace {

bool StartsWithNoCase(const CMyString& strText, const char* pPrefix)
{
    const uint32_t uLength = static_cast<uint32_t>(std::strlen(pPrefix));
    return strText.GetLength() >= uLength && strText.Mid(0, static_cast<int>(uLength)).EqualsNoCase(pPrefix);
}

bool IsAlphanumeric(unsigned char chByte)
{
    return (chByte >= 'a' && chByte <= 'z') || (chByte >= 'A' && chByte <= 'Z') ||
           (chByte >= '0' && chByte <= '9');
}

} // namespace

CMyString MakeQueryUrl(const CSearchEngine& engine, const CMyString& strText)
{
    if (engine.m_nId == CSearchEngine::kBuiltInId || IsAddress(strText))
        return strText;
    if (strText.IsEmpty())
        return engine.m_strEmptySearchUrl;
    const CMyString strEncoded = UrlEncode(strText);
    if (engine.m_strPrefix.IsEmpty())
        return strEncoded;
    CMyString strUrl = engine.m_strPrefix;
    if (!engine.m_strSearchTerm.IsEmpty())
        strUrl.Replace(engine.m_strSearchTerm.GetText(), strEncoded.GetText());
    return strUrl;
}

bool IsAddress(const CMyString& strText)
{
    if (strText.IsEmpty() || strText.Find(' ') >= 0)
        return false;
    return strText.FindNoCase("ftp://") >= 0 || StartsWithNoCase(strText, "http://") ||
           StartsWithNoCase(strText, "https://") || StartsWithNoCase(strText, "www.");
}

void CutToSiteRoot(CMyString& strUrl)
{
    const int nSlashes = strUrl.FindNoCase("//");
    const int nStart = nSlashes >= 0 ? nSlashes + 2 : 0;
    int nCut = strUrl.Find('/', nStart);
    if (nCut < 0)
        nCut = strUrl.Find('?', nStart);
    if (nCut < 0)
        nCut = strUrl.Find(':', nStart);
    if (nCut >= 0)
        strUrl = strUrl.Mid(0, nCut);
}

CMyString UrlEncode(const CMyString& strText)
{
    static const char kHexDigits[] = "0123456789ABCDEF";
    CMyString strEncoded;
    for (uint32_t i = 0; i < strText.GetLength(); ++i) {
        const auto chByte = static_cast<unsigned char>(strText.GetAt(i));
        if (IsAlphanumeric(chByte)) {
            strEncoded.AppendChar(static_cast<char>(chByte));
        } else if (chByte == ' ') {
            strEncoded.AppendChar('+');
        } else {
            strEncoded.AppendChar('%');
            strEncoded.AppendChar(kHexDigits[chByte >> 4]);
            strEncoded.AppendChar(kHexDigits[chByte & 15]);
        }
    }
    return strEncoded;
}

bool IsWebAddress(const CMyString& strText)
{
    const bool bHttp = StartsWithNoCase(strText, "http://") && strText.GetLength() > 7;
    const bool bHttps = StartsWithNoCase(strText, "https://") && strText.GetLength() > 8;
    if (!bHttp && !bHttps)
        return false;
    // White space and control bytes have no place in an address.
    for (uint32_t i = 0; i < strText.GetLength(); ++i) {
        if (static_cast<unsigned char>(strText.GetAt(i)) <= ' ' || strText.GetAt(i) == '\x7f')
            return false;
    }
    return true;
}
