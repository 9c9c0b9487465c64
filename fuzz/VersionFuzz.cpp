// Fuzzes CVersion on three version texts taken from the input. Checks: a text
// is a version exactly when it holds a "."; Compare gives -1, 0 or 1, is
// reflexive, antisymmetric and transitive, puts "no version" below every
// version and otherwise orders by the four numbers; operator< agrees; setting
// a new text forgets the old numbers.
#include "FuzzSupport.h"
#include "MyString.h"

#include <array>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

CVersion TakeVersion(FuzzedDataProvider& input)
{
    const std::string strBytes = input.ConsumeRandomLengthString(48);
    return CVersion(CMyString(strBytes.data(), static_cast<uint32_t>(strBytes.size())));
}

// The order of the four numbers, for two versions.
int CompareFields(const CVersion& left, const CVersion& right)
{
    for (int i = 0; i < 4; ++i) {
        if (left.GetField(i) != right.GetField(i)) {
            return left.GetField(i) < right.GetField(i) ? -1 : 1;
        }
    }
    return 0;
}

// Field i is the i-th "."-separated piece read like atoi, 0 when missing.
void CheckFields(const CVersion& version, const std::string& strText)
{
    std::size_t uStart = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t uDot = uStart > strText.size() ? std::string::npos : strText.find('.', uStart);
        const std::string strPiece =
            uStart > strText.size()
                ? ""
                : strText.substr(uStart, uDot == std::string::npos ? uDot : uDot - uStart);
        int nValue = 0;
        if (ReadAtoi(strPiece, nValue)) {
            Check(version.GetField(i) == nValue, "each field is its piece read like atoi");
        }
        uStart = uDot == std::string::npos ? strText.size() + 1 : uDot + 1;
    }
}

void CheckOne(const CVersion& version)
{
    const std::string strText = version.GetText().GetText();
    CheckFields(version, strText);
    Check(version.IsVersion() == (strText.find('.') != std::string::npos),
          "a version is a text with a \".\"");
    Check(version.Compare(version) == 0, "Compare is reflexive");
    CVersion again;
    again.Set("7.7.7.7");
    again.Set(version.GetText());
    for (int i = 0; i < 4; ++i) {
        Check(again.GetField(i) == version.GetField(i), "Set forgets the numbers of the old text");
    }
}

void CheckPair(const CVersion& left, const CVersion& right)
{
    const int nOrder = left.Compare(right);
    Check(nOrder >= -1 && nOrder <= 1, "Compare gives -1, 0 or 1");
    Check(nOrder == -right.Compare(left), "Compare is antisymmetric");
    Check((left < right) == (nOrder == -1), "operator< is Compare == -1");
    if (left.IsVersion() != right.IsVersion()) {
        Check(nOrder == (left.IsVersion() ? 1 : -1), "no version is older than any version");
    } else if (!left.IsVersion()) {
        Check(nOrder == 0, "no version equals no version");
    } else {
        Check(nOrder == CompareFields(left, right), "versions are ordered by their four numbers");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    FuzzedDataProvider input(pData, uSize);
    const std::array<CVersion, 3> versions = {TakeVersion(input), TakeVersion(input), TakeVersion(input)};
    for (const CVersion& version : versions) {
        CheckOne(version);
        for (const CVersion& other : versions) {
            CheckPair(version, other);
        }
    }
    // Transitivity over every ordering of the three.
    for (const CVersion& a : versions) {
        for (const CVersion& b : versions) {
            for (const CVersion& c : versions) {
                if (a.Compare(b) <= 0 && b.Compare(c) <= 0) {
                    Check(a.Compare(c) <= 0, "Compare is transitive");
                }
            }
        }
    }
    return 0;
}
