// Fuzzes the entity decoding: CEntityDecoder::Decode and DecodeSlowly on any
// bytes, and CMyString::UnescapeXml on the text up to the first zero byte.
// Each is checked against the plain procedure of EntityDecoder.h written out
// again below; a difference aborts.
#include "EntityDecoder.h"
#include "FuzzSupport.h"
#include "MyString.h"

#include <string>

namespace {

// Every occurrence of strOld, left to right, without reading inserted text again.
std::string ReplaceEvery(const std::string& strText, const std::string& strOld, const std::string& strNew)
{
    std::string strOut;
    std::size_t uFrom = 0;
    for (std::size_t uHit = strText.find(strOld); uHit != std::string::npos;
         uHit = strText.find(strOld, uFrom)) {
        strOut += strText.substr(uFrom, uHit - uFrom) + strNew;
        uFrom = uHit + strOld.size();
    }
    return strOut + strText.substr(uFrom);
}

// The rule of EntityDecoder.h, step by step.
std::string DecodeByTheRule(std::string strText)
{
    for (;;) {
        const std::size_t uStart = strText.find("&#");
        const std::size_t uEnd = uStart == std::string::npos ? uStart : strText.find(';', uStart);
        if (uEnd == std::string::npos) {
            return strText;
        }
        const bool bWindowFits = uStart + 5 <= strText.size();
        // Three bytes hold no number that overflows.
        int nValue = 0;
        if (bWindowFits) {
            ReadAtoi(strText.substr(uStart + 2, 3), nValue);
        }
        const int nByte = ((nValue % 256) + 256) % 256;
        const std::string strByte = nByte == 0 ? "" : std::string(1, static_cast<char>(nByte));
        strText = ReplaceEvery(strText, strText.substr(uStart, uEnd - uStart + 1), strByte);
    }
}

// UnescapeXml: the references first, then the named entities, "&amp;" before
// "&lt;" and "&gt;".
std::string UnescapeByTheRule(const std::string& strText)
{
    std::string strOut = DecodeByTheRule(strText);
    for (const auto& [pName, pValue] :
         {std::pair{"&apos;", "'"}, std::pair{"&amp;", "&"}, std::pair{"&quot;", "\""},
          std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}}) {
        strOut = ReplaceEvery(strOut, pName, pValue);
    }
    return strOut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    const std::string strBytes(reinterpret_cast<const char*>(pData), uSize);
    const std::string strExpected = DecodeByTheRule(strBytes);
    Check(CEntityDecoder::Decode(strBytes) == strExpected, "Decode follows the rule");
    Check(CEntityDecoder::DecodeSlowly(strBytes) == strExpected, "DecodeSlowly follows the rule");

    CMyString strText = AsText(pData, uSize);
    const std::string strUnescaped = UnescapeByTheRule(strText.GetText());
    strText.UnescapeXml();
    Check(strUnescaped == strText.GetText(), "UnescapeXml follows the rule");
    return 0;
}
