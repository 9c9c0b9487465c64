// What the fuzz targets share: a broken rule aborts with its message (so that
// the fuzzer keeps the input), input bytes as program text, a walk over a
// parsed tree, and a private home folder for the targets that read list files
// and write settings.
#pragma once

#include "FileHandler.h"
#include "MyString.h"
#include "MyXmlDom.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

inline void Check(bool bHolds, const char* pRule)
{
    if (!bHolds) {
        std::fprintf(stderr, "broken rule: %s\n", pRule);
        std::abort();
    }
}

// The bytes as a CMyString: the text ends at the first zero byte, as every
// reader of the program sees it.
inline CMyString AsText(const uint8_t* pData, size_t uSize)
{
    return CMyString(reinterpret_cast<const char*>(pData), static_cast<uint32_t>(uSize));
}

// ASCII letters to lower case, other bytes as they are.
inline std::string AsciiLower(std::string strText)
{
    for (char& chByte : strText) {
        if (chByte >= 'A' && chByte <= 'Z') {
            chByte = static_cast<char>(chByte - 'A' + 'a');
        }
    }
    return strText;
}

// The value atoi reads (white space, a sign, digits) where atoi has one:
// false when the number does not fit in an int.
inline bool ReadAtoi(const std::string& strText, int& nValue)
{
    std::size_t uPos = strText.find_first_not_of(" \t\n\v\f\r");
    uPos = uPos == std::string::npos ? strText.size() : uPos;
    const bool bNegative = uPos < strText.size() && strText[uPos] == '-';
    if (uPos < strText.size() && (strText[uPos] == '-' || strText[uPos] == '+')) {
        ++uPos;
    }
    int64_t nMagnitude = 0;
    for (; uPos < strText.size() && strText[uPos] >= '0' && strText[uPos] <= '9'; ++uPos) {
        nMagnitude = nMagnitude * 10 + (strText[uPos] - '0');
        if (nMagnitude > int64_t{INT32_MAX}) {
            return false;
        }
    }
    nValue = static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
    return true;
}

// The number of bytes that follow a UTF-8 lead byte, or -1 for a byte that cannot lead.
inline int FollowingBytes(unsigned char uLead)
{
    if (uLead < 0x80) {
        return 0;
    }
    if (uLead >= 0xC2 && uLead <= 0xDF) {
        return 1;
    }
    if (uLead >= 0xE0 && uLead <= 0xEF) {
        return 2;
    }
    return uLead >= 0xF0 && uLead <= 0xF4 ? 3 : -1;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool IsValidUtf8(const std::string& strText)
{
    static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    for (std::size_t i = 0; i < strText.size();) {
        const auto uLead = static_cast<unsigned char>(strText[i]);
        const int nMore = FollowingBytes(uLead);
        if (nMore < 0 || strText.size() - i <= static_cast<std::size_t>(nMore)) {
            return false;
        }
        uint32_t uCode = nMore == 0 ? uLead : uLead & (0x3Fu >> nMore);
        for (int n = 1; n <= nMore; ++n) {
            const auto uNext = static_cast<unsigned char>(strText[i + static_cast<std::size_t>(n)]);
            if ((uNext & 0xC0) != 0x80) {
                return false;
            }
            uCode = (uCode << 6) | (uNext & 0x3Fu);
        }
        if (uCode < kSmallest[nMore] || uCode > 0x10FFFF || (uCode >= 0xD800 && uCode <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(nMore) + 1;
    }
    return true;
}

inline bool NameIs(const CXmlNode* pNode, const char* pName)
{
    return AsciiLower(pNode->GetName().GetText()) == AsciiLower(pName);
}

// The last child of that name (ASCII case-insensitive) found by a plain scan,
// or null: what FindChild promises, without its index.
inline const CXmlNode* LastChildNamed(const CXmlNode* pNode, const char* pName)
{
    const CXmlNode* pFound = nullptr;
    for (int i = 0; i < pNode->GetChildCount(); ++i) {
        if (NameIs(pNode->GetChild(i), pName)) {
            pFound = pNode->GetChild(i);
        }
    }
    return pFound;
}

// Calls visit(node, depth) for every node, the root at depth 1, in document
// order. No recursion: a document may be CMyXmlDom::kMaxDepth deep.
template <typename Visit> void ForEachNode(const CXmlNode* pRoot, Visit visit)
{
    if (pRoot == nullptr) {
        return;
    }
    std::vector<std::pair<const CXmlNode*, int>> stack{{pRoot, 1}};
    while (!stack.empty()) {
        const auto [pNode, nDepth] = stack.back();
        stack.pop_back();
        visit(pNode, nDepth);
        for (int i = pNode->GetChildCount() - 1; i >= 0; --i) {
            stack.emplace_back(pNode->GetChild(i), nDepth + 1);
        }
    }
}

// A temporary folder that $HOME and the XDG folders point at for the whole
// run, so that the working folder and the settings store of the program are
// the fuzzer's own. Removed when the process ends normally. Every web address
// is sent to a closed local port: a fuzzed list must never make the program
// fetch anything from the network.
class CFuzzHome
{
public:
    static const CFuzzHome& Get()
    {
        static const CFuzzHome s_home;
        return s_home;
    }

    const std::filesystem::path& Root() const { return m_root; }
    // The settings store, so that no value of one input is seen by the next.
    void ForgetSettings() const
    {
        std::error_code error;
        std::filesystem::remove_all(m_root / "config" / "Kestova", error);
    }
    // Writes the bytes as they are, replacing the file.
    static void WriteBytes(const std::filesystem::path& path, const std::string& strBytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << strBytes;
    }
    // Writes the bytes scrambled with the list-file key, as a list is stored.
    static void WriteScrambled(const std::filesystem::path& path, std::string strBytes)
    {
        CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strBytes.data()), strBytes.size(),
                               CFileHandler::kListFileKey);
        WriteBytes(path, strBytes);
    }

    CFuzzHome(const CFuzzHome&) = delete;
    CFuzzHome& operator=(const CFuzzHome&) = delete;

private:
    CFuzzHome()
    {
        const char* pTemp = std::getenv("TMPDIR");
        std::string strTemplate =
            std::string(pTemp != nullptr && pTemp[0] == '/' ? pTemp : "/tmp") + "/kestova-fuzz-XXXXXX";
        Check(::mkdtemp(strTemplate.data()) != nullptr, "a temporary home can be made");
        m_root = strTemplate;
        for (const char* pName : {"config", "data", "runtime"}) {
            std::filesystem::create_directories(m_root / pName);
        }
        std::filesystem::permissions(m_root / "runtime", std::filesystem::perms::owner_all);
        ::setenv("HOME", m_root.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
        for (const char* pName : {"http_proxy", "https_proxy", "all_proxy"}) {
            ::setenv(pName, "http://127.0.0.1:9", 1);
        }
        for (const char* pName : {"no_proxy", "NO_PROXY", "HTTPS_PROXY", "ALL_PROXY"}) {
            ::unsetenv(pName);
        }
    }
    ~CFuzzHome()
    {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }

    std::filesystem::path m_root;
};
