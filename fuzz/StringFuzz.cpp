// Fuzzes CMyString: a sequence of searches, edits, comparisons and conversions
// chosen by the input, each applied to a CMyString and to a std::string that
// follows the rules of MyString.h. The two must agree after every step; the
// UTF-8 <-> UTF-16 conversions must give valid UTF-8 and keep valid input.
#include "FuzzSupport.h"
#include "MyString.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>

namespace {

// Strings are only ever doubled by the self-append below this size, so that
// a short input cannot ask for gigabytes.
constexpr std::size_t kMaxDoubling = 1 << 16;

int Sign(int nValue)
{
    return (nValue > 0) - (nValue < 0);
}

// A fuzzed string as the program would hold it: up to the first zero byte.
std::string TakeText(FuzzedDataProvider& input)
{
    const std::string strBytes = input.ConsumeRandomLengthString(64);
    return strBytes.substr(0, strBytes.find('\0'));
}

int Index(std::size_t uPos)
{
    return uPos == std::string::npos ? -1 : static_cast<int>(uPos);
}

bool IsSpace(char chByte)
{
    return std::isspace(static_cast<unsigned char>(chByte)) != 0;
}

bool IsSeparator(char chByte)
{
    return chByte == '\\' || chByte == '/';
}

std::string ReplaceEvery(const std::string& strText, const std::string& strOld, const std::string& strNew,
                         int& nCount)
{
    std::string strOut;
    std::size_t uFrom = 0;
    nCount = 0;
    for (std::size_t uHit = strText.find(strOld); uHit != std::string::npos;
         uHit = strText.find(strOld, uFrom)) {
        strOut += strText.substr(uFrom, uHit - uFrom) + strNew;
        uFrom = uHit + strOld.size();
        ++nCount;
    }
    return strOut + strText.substr(uFrom);
}

// "dir" + "x" gives "dir\x", "dir/" + "\x" gives "dir/x", "" + "\x" gives "x".
std::string JoinPath(const std::string& strPath, const std::string& strComponent)
{
    if (strComponent.empty()) {
        return strPath;
    }
    const bool bPathEnds = strPath.empty() || IsSeparator(strPath.back());
    if (bPathEnds && IsSeparator(strComponent[0])) {
        return strPath + strComponent.substr(1);
    }
    if (!bPathEnds && !IsSeparator(strComponent[0])) {
        return strPath + "\\" + strComponent;
    }
    return strPath + strComponent;
}

// Both ways through UTF-16: the result is valid UTF-8, and valid input comes back unchanged.
void CheckWide(const CMyString& strText)
{
    const std::unique_ptr<char16_t[]> pWide(strText.ToWide(CP_UTF8_CODE_PAGE));
    Check((pWide == nullptr) == strText.IsEmpty(), "ToWide is null exactly for the empty string");
    Check(strText.ToWide(CP_UTF8_CODE_PAGE + 1) == nullptr, "ToWide refuses other code pages");
    const CMyStringW wide(strText);
    const std::size_t uWideLength = pWide ? std::char_traits<char16_t>::length(pWide.get()) : 0;
    Check(wide.GetLength() == uWideLength, "CMyStringW and ToWide agree on the length");
    if (pWide == nullptr) {
        return;
    }
    CMyString strBack("old");
    Check(strBack.FromWide(pWide.get(), CP_UTF8_CODE_PAGE), "FromWide takes UTF-8");
    Check(IsValidUtf8(strBack.GetText()), "FromWide gives valid UTF-8");
    if (IsValidUtf8(strText.GetText())) {
        Check(strBack == strText, "valid UTF-8 survives the way through UTF-16");
    }
}

void CheckSearches(const CMyString& strText, const std::string& strRef, FuzzedDataProvider& input)
{
    const std::string strNeedle = TakeText(input);
    const char chValue = input.ConsumeIntegral<char>();
    const int nStart = input.ConsumeIntegralInRange<int>(-2, static_cast<int>(strRef.size()) + 2);
    const bool bInside = nStart >= 0 && static_cast<std::size_t>(nStart) < strRef.size();
    const int nChar =
        bInside && chValue != '\0' ? Index(strRef.find(chValue, static_cast<std::size_t>(nStart))) : -1;
    Check(strText.Find(chValue, nStart) == nChar, "Find(char, start)");
    const int nText = bInside ? Index(strRef.find(strNeedle, static_cast<std::size_t>(nStart))) : -1;
    Check(strText.Find(strNeedle.c_str(), nStart) == nText, "Find(text, start)");
    const int nFirst = strRef.empty() || chValue == '\0' ? -1 : Index(strRef.find(chValue));
    Check(strText.Find(chValue) == nFirst, "Find(char)");
    Check(strText.Find(strNeedle.c_str()) == (strRef.empty() ? -1 : Index(strRef.find(strNeedle))),
          "Find(text)");
    const int nLast = strRef.empty() || chValue == '\0' ? -1 : Index(strRef.rfind(chValue));
    Check(strText.ReverseFind(chValue) == nLast, "ReverseFind");
    const int nNoCase = strRef.empty() ? -1 : Index(AsciiLower(strRef).find(AsciiLower(strNeedle)));
    Check(strText.FindNoCase(strNeedle.c_str()) == nNoCase, "FindNoCase");
}

void CheckComparisons(const CMyString& strText, const std::string& strRef, FuzzedDataProvider& input)
{
    const std::string strOtherRef = TakeText(input);
    const CMyString strOther(strOtherRef.c_str());
    Check(strText.Compare(strOther) == Sign(strRef.compare(strOtherRef)), "Compare is the byte order");
    Check(strText.Compare(strOther) == -strOther.Compare(strText), "Compare is antisymmetric");
    const int nNoCase = Sign(AsciiLower(strRef).compare(AsciiLower(strOtherRef)));
    Check(Sign(strText.CompareNoCase(strOther)) == nNoCase, "CompareNoCase is the byte order of lower case");
    Check(Sign(strOther.CompareNoCase(strText)) == -nNoCase, "CompareNoCase is antisymmetric");
    Check((strText == strOther) == (strRef == strOtherRef), "operator== with a string");
    Check((strText == strOtherRef.c_str()) == (strRef == strOtherRef), "operator== with a C string");
}

// One edit, chosen by the input, on both strings.
void Edit(CMyString& strText, std::string& strRef, FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 11)) {
    case 0: {
        const std::string strMore = TakeText(input);
        strText += strMore.c_str();
        strRef += strMore;
        break;
    }
    case 1: {
        // Appends a piece of the string's own buffer, which growing may move.
        if (strText.IsEmpty() || strRef.size() > kMaxDoubling) {
            break;
        }
        const auto uFrom = input.ConsumeIntegralInRange<std::size_t>(0, strRef.size());
        strText += strText.GetText() + uFrom;
        strRef += strRef.substr(uFrom);
        break;
    }
    case 2: {
        const char chValue = input.ConsumeIntegral<char>();
        strText.AppendChar(chValue);
        strRef += chValue == '\0' ? std::string() : std::string(1, chValue);
        break;
    }
    case 3: {
        const int nValue = input.ConsumeIntegral<int>();
        strText.AppendInt(nValue);
        strRef += std::to_string(nValue);
        break;
    }
    case 4: {
        const std::string strComponent = TakeText(input);
        strText.AppendPath(strComponent.c_str());
        strRef = JoinPath(strRef, strComponent);
        break;
    }
    case 5: {
        const int nSize = static_cast<int>(strRef.size());
        const int nStart = input.ConsumeIntegralInRange(-2, nSize + 2);
        const int nCount = input.ConsumeIntegralInRange(-2, nSize + 2);
        const bool bFits = nStart >= 0 && nCount > 0 && nStart + nCount <= nSize;
        const std::string strMid =
            bFits ? strRef.substr(static_cast<std::size_t>(nStart), static_cast<std::size_t>(nCount)) : "";
        Check(strText.Mid(nStart, nCount) == strMid.c_str(),
              "Mid is the range, or empty when it does not fit");
        strText = strText.Mid(nStart, nCount);
        strRef = strMid;
        break;
    }
    case 6: {
        const std::string strOld = TakeText(input);
        const std::string strNew = TakeText(input);
        int nExpected = 0;
        const std::string strReplaced =
            strRef.empty() || strOld.empty() ? strRef : ReplaceEvery(strRef, strOld, strNew, nExpected);
        Check(strText.Replace(strOld.c_str(), strNew.c_str()) == nExpected,
              "Replace counts what it replaced");
        strRef = strReplaced;
        break;
    }
    case 7:
        strText.MakeLower();
        strRef = AsciiLower(strRef);
        break;
    case 8:
        strText.TrimLeft();
        strRef.erase(strRef.begin(), std::find_if_not(strRef.begin(), strRef.end(), IsSpace));
        break;
    case 9:
        strText.TrimRight();
        strRef.erase(std::find_if_not(strRef.rbegin(), strRef.rend(), IsSpace).base(), strRef.end());
        break;
    case 10: {
        // Assigns a piece of the string's own buffer.
        const auto uFrom = input.ConsumeIntegralInRange<std::size_t>(0, strRef.size());
        strText = strText.GetText() + uFrom;
        strRef = strRef.substr(uFrom);
        break;
    }
    default: {
        CMyString strCopy(strText);
        CMyString strMoved(std::move(strCopy));
        Check(strCopy.IsEmpty() && strMoved == strText, "a move takes the text and leaves the source empty");
        strText = strMoved;
        break;
    }
    }
}

void CheckState(const CMyString& strText, const std::string& strRef)
{
    Check(strText.GetLength() == strRef.size(), "GetLength is the byte count");
    Check(strText.IsEmpty() == strRef.empty(), "IsEmpty");
    Check((strText.GetBuffer() == nullptr) == strRef.empty(), "the empty string has no buffer");
    Check(strRef == strText.GetText(), "the text");
    int nValue = 0;
    if (ReadAtoi(strRef, nValue)) {
        Check(strText.ToInt() == nValue, "ToInt reads like atoi");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    FuzzedDataProvider input(pData, uSize);
    const std::string strBytes = input.ConsumeRandomLengthString(64);
    CMyString strText(strBytes.data(), static_cast<uint32_t>(strBytes.size()));
    std::string strRef = strBytes.substr(0, strBytes.find('\0'));
    while (input.remaining_bytes() > 0) {
        CheckState(strText, strRef);
        CheckSearches(strText, strRef, input);
        CheckComparisons(strText, strRef, input);
        CheckWide(strText);
        Edit(strText, strRef, input);
    }
    CheckState(strText, strRef);
    return 0;
}
