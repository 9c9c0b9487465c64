#include "SettingsTool.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kUsageText[] = "usage: kestova-settings get KEY NAME\n"
                              "       kestova-settings set KEY NAME TEXT\n"
                              "       kestova-settings set-dword KEY NAME NUMBER\n"
                              "       kestova-settings list [KEY]\n"
                              "       kestova-settings delete KEY [NAME]\n"
                              "KEY is written as the program writes it, e.g. 'SOFTWARE\\Kestova'.\n"
                              "NUMBER is a 32-bit unsigned number, decimal or 0x hexadecimal.\n";

// Decimal, or hexadecimal after "0x"; nothing else may follow.
bool ParseNumber(const char* pText, uint32_t& uOut)
{
    const bool bHex = pText[0] == '0' && (pText[1] == 'x' || pText[1] == 'X');
    const char* pDigits = bHex ? pText + 2 : pText;
    const unsigned char chFirst = static_cast<unsigned char>(*pDigits);
    // strtoull would also take white space and a sign.
    if (!(bHex ? std::isxdigit(chFirst) : std::isdigit(chFirst)))
        return false;
    char* pEnd = nullptr;
    errno = 0;
    const unsigned long long uValue = std::strtoull(pDigits, &pEnd, bHex ? 16 : 10);
    if (errno != 0 || *pEnd != '\0' || uValue > 0xffffffffull)
        return false;
    uOut = static_cast<uint32_t>(uValue);
    return true;
}

} // namespace

CSettingsTool::CSettingsTool(const CRegistry& registry, std::FILE* pOut, std::FILE* pErr)
    : m_registry(registry), m_pOut(pOut), m_pErr(pErr)
{
}

int CSettingsTool::Run(int nArgs, const char* const* ppArgs)
{
    if (nArgs < 2)
        return Usage();
    const char* pCommand = ppArgs[1];
    const int nOperands = nArgs - 2;
    const char* const* ppOperands = ppArgs + 2;
    if (std::strcmp(pCommand, "get") == 0 && nOperands == 2)
        return Get(ppOperands[0], ppOperands[1]);
    if (std::strcmp(pCommand, "set") == 0 && nOperands == 3)
        return Set(ppOperands[0], ppOperands[1], ppOperands[2]);
    if (std::strcmp(pCommand, "set-dword") == 0 && nOperands == 3)
        return SetDword(ppOperands[0], ppOperands[1], ppOperands[2]);
    if (std::strcmp(pCommand, "list") == 0 && nOperands <= 1)
        return List(nOperands == 1 ? ppOperands[0] : "");
    if (std::strcmp(pCommand, "delete") == 0 && (nOperands == 1 || nOperands == 2))
        return Delete(ppOperands[0], nOperands == 2 ? ppOperands[1] : nullptr);
    if (std::strcmp(pCommand, "--help") == 0 || std::strcmp(pCommand, "help") == 0) {
        std::fputs(kUsageText, m_pOut);
        return kDone;
    }
    return Usage();
}

int CSettingsTool::Get(const char* pKey, const char* pName)
{
    CRegistry::Value value;
    if (m_registry.GetValue(pKey, pName, value) != CRegistry::kSuccess) {
        std::fprintf(m_pErr, "kestova-settings: no value '%s' in key '%s'\n", pName, pKey);
        return kMissing;
    }
    if (value.bNumber)
        std::fprintf(m_pOut, "%u\n", value.uNumber);
    else
        std::fprintf(m_pOut, "%s\n", value.strText.GetText());
    return kDone;
}

int CSettingsTool::Set(const char* pKey, const char* pName, const char* pText)
{
    return Result(m_registry.SetString(pKey, pName, pText), pKey);
}

int CSettingsTool::SetDword(const char* pKey, const char* pName, const char* pNumber)
{
    uint32_t uNumber = 0;
    if (!ParseNumber(pNumber, uNumber)) {
        std::fprintf(m_pErr, "kestova-settings: '%s' is not a 32-bit unsigned number\n", pNumber);
        return kUsage;
    }
    return Result(m_registry.SetDword(pKey, pName, uNumber), pKey);
}

int CSettingsTool::List(const char* pKey)
{
    const CMyString strText = m_registry.Export(pKey);
    if (strText.IsEmpty() && pKey[0] != '\0') {
        std::fprintf(m_pErr, "kestova-settings: no key '%s'\n", pKey);
        return kMissing;
    }
    std::fputs(strText.GetText(), m_pOut);
    return kDone;
}

int CSettingsTool::Delete(const char* pKey, const char* pName)
{
    const int nResult = pName == nullptr ? m_registry.DeleteKey(pKey) : m_registry.DeleteValue(pKey, pName);
    if (nResult == CRegistry::kNotFound) {
        if (pName == nullptr)
            std::fprintf(m_pErr, "kestova-settings: no key '%s'\n", pKey);
        else
            std::fprintf(m_pErr, "kestova-settings: no value '%s' in key '%s'\n", pName, pKey);
        return kMissing;
    }
    return Result(nResult, pKey);
}

int CSettingsTool::Usage()
{
    std::fputs(kUsageText, m_pErr);
    return kUsage;
}

int CSettingsTool::Result(int nStoreResult, const char* pKey)
{
    if (nStoreResult == CRegistry::kSuccess)
        return kDone;
    if (nStoreResult == CRegistry::kBadPath) {
        std::fprintf(m_pErr, "kestova-settings: '%s' is not a key path\n", pKey);
        return kUsage;
    }
    std::fprintf(m_pErr, "kestova-settings: cannot write the settings store %s (error %d)\n",
                 m_registry.GetFilePath().GetText(), nStoreResult);
    return kCannotWrite;
}
