#include "FileHandler.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Text blocks are 1023 bytes: the reader kept one byte of its 1024-byte buffer
// for the terminator.
constexpr std::size_t kTextBlock = 1023;
static_assert(CFileHandler::kScrambleBlock % 4 == 0, "scramble words must not straddle blocks");

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

bool IsDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string LowerAscii(std::string strText)
{
    for (char& ch : strText) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch + ('a' - 'A'));
    }
    return strText;
}

// A folder's entries by their lower-case names. Of names that differ only in
// case, the byte-wise smallest wins, so that the choice does not depend on the
// order in which the folder lists them.
using NamesNoCase = std::map<std::string, std::string>;

NamesNoCase ListNoCase(const fs::path& folder)
{
    NamesNoCase entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string strName = it->path().filename().string();
        auto [found, bAdded] = entries.emplace(LowerAscii(strName), strName);
        if (!bAdded && strName < found->second)
            found->second = strName;
    }
    return entries;
}

// Case-insensitive lookups reuse a folder's listing while the folder is
// unchanged, so that many misses in a large folder (the icon cache) do not each
// read the whole folder. Modification times are coarse, and a file added in the
// same tick as the listing would go unseen: a listing is reused only when the
// folder had been quiet for a while before it was read. Safe for many threads.
class FolderListings
{
public:
    // The entry of the folder that equals strName without regard to case, or empty.
    std::string FindNoCase(const fs::path& folder, const std::string& strName)
    {
        std::error_code error;
        const fs::path key = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
        const fs::file_time_type modified = fs::last_write_time(key, error);
        if (error)
            return std::string();
        std::lock_guard<std::mutex> lock(m_mutex);
        const Listing& listing = Current(key, modified);
        const auto found = listing.names.find(LowerAscii(strName));
        return found == listing.names.end() ? std::string() : found->second;
    }

private:
    static constexpr std::size_t kMaxFolders = 64;
    static constexpr std::chrono::seconds kQuietTime{2};

    struct Listing
    {
        fs::file_time_type modified;
        bool bReusable = false;
        NamesNoCase names;
    };

    const Listing& Current(const fs::path& key, fs::file_time_type modified)
    {
        auto found = m_listings.find(key);
        if (found != m_listings.end() && found->second.bReusable && found->second.modified == modified)
            return found->second;
        if (found == m_listings.end() && m_listings.size() >= kMaxFolders)
            m_listings.clear();
        const bool bQuiet = fs::file_time_type::clock::now() - modified > kQuietTime;
        Listing& listing = m_listings[key];
        listing = Listing{modified, bQuiet, ListNoCase(key)};
        return listing;
    }

    std::mutex m_mutex;
    std::map<fs::path, Listing> m_listings;
};

// Never destroyed: download workers may still resolve paths while the program ends.
FolderListings& Listings()
{
    static FolderListings* s_pListings = new FolderListings;
    return *s_pListings;
}

std::vector<std::string> SplitAtSlash(const std::string& strPath)
{
    std::vector<std::string> parts;
    std::size_t uStart = 0;
    while (uStart <= strPath.size()) {
        std::size_t uEnd = strPath.find('/', uStart);
        if (uEnd == std::string::npos)
            uEnd = strPath.size();
        if (uEnd > uStart)
            parts.push_back(strPath.substr(uStart, uEnd - uStart));
        uStart = uEnd + 1;
    }
    return parts;
}

// Walks the path from the left, taking each component as written when it exists
// and otherwise the entry that matches it without regard to case. From the
// first component that matches nothing on, the rest stays as written, so that
// files and folders can still be created under it.
fs::path ResolveNoCase(const std::string& strSlashed)
{
    const std::vector<std::string> parts = SplitAtSlash(strSlashed);
    fs::path resolved = strSlashed.front() == '/' ? fs::path("/") : fs::path();
    std::size_t uIndex = 0;
    for (; uIndex < parts.size(); ++uIndex) {
        fs::path candidate = resolved / parts[uIndex];
        if (!Exists(candidate)) {
            const std::string strMatch = Listings().FindNoCase(resolved, parts[uIndex]);
            if (strMatch.empty())
                break;
            candidate = resolved / strMatch;
        }
        resolved = std::move(candidate);
    }
    for (; uIndex < parts.size(); ++uIndex)
        resolved /= parts[uIndex];
    if (strSlashed.back() == '/' && !parts.empty())
        resolved += "/";
    return resolved;
}

// Reads the whole file as bytes in one go. False when it cannot be opened or
// read, or is too large for a CMyString.
bool ReadBytes(const fs::path& path, std::string& bytes)
{
    if (IsDirectory(path))
        return false;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff nSize = in.tellg();
    if (nSize >= static_cast<std::streamoff>(UINT32_MAX))
        return false;
    in.seekg(0);
    try {
        bytes.resize(nSize > 0 ? static_cast<std::size_t>(nSize) : 0);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        // Files that report no size (or grew meanwhile) are read on to their end.
        char chunk[65536];
        while (in && bytes.size() < UINT32_MAX) {
            in.read(chunk, sizeof chunk);
            bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return !in.bad() && bytes.size() < UINT32_MAX;
}

// CR LF becomes LF, so that files written on Windows read as they did there; a
// lone CR stays.
void JoinLineEnds(std::string& text)
{
    std::size_t uRead = text.find('\r');
    if (uRead == std::string::npos)
        return;
    std::size_t uWrite = uRead;
    for (; uRead < text.size(); ++uRead) {
        if (text[uRead] == '\r' && uRead + 1 < text.size() && text[uRead + 1] == '\n')
            continue;
        text[uWrite++] = text[uRead];
    }
    text.resize(uWrite);
}

// A zero byte ends the text of its block: the rest of that block is dropped.
void CutBlocksAtZero(std::string& text, std::size_t uBlock)
{
    if (std::memchr(text.data(), 0, text.size()) == nullptr)
        return;
    std::size_t uWrite = 0;
    for (std::size_t uStart = 0; uStart < text.size(); uStart += uBlock) {
        const char* pBlock = text.data() + uStart;
        const std::size_t uLength = std::min(uBlock, text.size() - uStart);
        const void* pZero = std::memchr(pBlock, 0, uLength);
        const std::size_t uKeep = pZero ? static_cast<const char*>(pZero) - pBlock : uLength;
        std::memmove(text.data() + uWrite, pBlock, uKeep);
        uWrite += uKeep;
    }
    text.resize(uWrite);
}

// Builds the CMyString once from the whole text. False when the result would
// not fit in a CMyString.
bool AppendText(CMyString& strOut, const std::string& text)
{
    if (text.empty())
        return true;
    if (text.size() >= UINT32_MAX - strOut.GetLength())
        return false;
    CMyString strText(text.data(), static_cast<uint32_t>(text.size()));
    if (strOut.IsEmpty())
        strOut = std::move(strText);
    else
        strOut += strText;
    return true;
}

// True when the folder exists afterwards, whether made now or before.
bool MakeFolder(const fs::path& folder)
{
    std::error_code error;
    if (Exists(folder))
        return IsDirectory(folder);
    fs::create_directory(folder, error);
    return IsDirectory(folder);
}

fs::path MatchNoCase(const fs::path& folder, const NamesNoCase& entries, const std::string& strName)
{
    if (Exists(folder / strName))
        return folder / strName;
    const auto found = entries.find(LowerAscii(strName));
    return folder / (found == entries.end() ? strName : found->second);
}

// Real folders are entered; a link to a folder is not, so that a link back up
// the tree cannot make the copy endless. The destination itself is skipped when
// it lies inside the source, for the same reason.
bool IsFolderToEnter(const fs::directory_entry& entry, const fs::path& topDestination)
{
    std::error_code error;
    if (!entry.is_directory(error) || entry.is_symlink(error))
        return false;
    return !fs::equivalent(entry.path(), topDestination, error);
}

// Copies the files of the tree that the destination lacks; existing files are
// kept. Folders that cannot be read or created are left out.
void CopyTree(const fs::path& source, const fs::path& destination, const fs::path& topDestination)
{
    const NamesNoCase existing = ListNoCase(destination);
    std::error_code error;
    fs::directory_iterator it(source, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path target = MatchNoCase(destination, existing, it->path().filename().string());
        if (IsFolderToEnter(*it, topDestination)) {
            if (MakeFolder(target))
                CopyTree(it->path(), target, topDestination);
            continue;
        }
        std::error_code copyError;
        fs::copy_file(it->path(), target, fs::copy_options::none, copyError);
    }
}

} // namespace

bool CFileHandler::ReadTextFile(const CMyString& strPath, CMyString& strOut)
{
    std::string text;
    if (!ReadBytes(ToSystemPath(strPath), text))
        return false;
    JoinLineEnds(text);
    CutBlocksAtZero(text, kTextBlock);
    return AppendText(strOut, text);
}

bool CFileHandler::ReadScrambledFile(const CMyString& strPath, CMyString& strOut, uint32_t uKey)
{
    std::string text;
    if (!ReadBytes(ToSystemPath(strPath), text))
        return false;
    Scramble(reinterpret_cast<unsigned char*>(text.data()), text.size(), uKey);
    CutBlocksAtZero(text, kScrambleBlock);
    return AppendText(strOut, text);
}

bool CFileHandler::WriteFile(const CMyString& strPath, const CMyBuffer& buffer)
{
    std::ofstream out(ToSystemPath(strPath), std::ios::binary | std::ios::trunc);
    if (!out || buffer.GetSize() == 0)
        return false;
    out.write(buffer.GetData(), buffer.GetSize());
    out.put('\0');
    out.close();
    return !out.fail();
}

bool CFileHandler::FileExists(const CMyString& strPath)
{
    return !strPath.IsEmpty() && Exists(ToSystemPath(strPath));
}

bool CFileHandler::CopyFile(const CMyString& strSource, const CMyString& strDestination, bool bOverwrite)
{
    const fs::path source = ToSystemPath(strSource);
    if (!Exists(source))
        return false;
    const auto options = bOverwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
    std::error_code error;
    return fs::copy_file(source, ToSystemPath(strDestination), options, error) && !error;
}

bool CFileHandler::CreateDirectories(const CMyString& strPath)
{
    if (FileExists(strPath))
        return true;
    // Program paths mix both separators ("$XDG_DATA_HOME" + "\Kestova\").
    const std::string strText = strPath.GetText();
    for (std::size_t uEnd = strText.find_first_of("\\/");; uEnd = strText.find_first_of("\\/", uEnd + 1)) {
        const std::size_t uLength = uEnd == std::string::npos ? strText.size() : uEnd + 1;
        if (!MakeFolder(ToSystemPath(strText.substr(0, uLength).c_str())))
            return false;
        if (uLength == strText.size())
            return true;
    }
}

bool CFileHandler::CreateDirectoriesAsWritten(const CMyString& strPath)
{
    std::string strSlashed = strPath.GetText();
    std::replace(strSlashed.begin(), strSlashed.end(), '\\', '/');
    if (strSlashed.empty())
        return false;
    std::error_code error;
    fs::create_directories(strSlashed, error);
    return IsDirectory(strSlashed);
}

bool CFileHandler::CopyFolder(const CMyString& strSource, const CMyString& strDestination)
{
    if (!CreateDirectories(strDestination))
        return false;
    const fs::path destination = ToSystemPath(strDestination);
    CopyTree(ToSystemPath(strSource), destination, destination);
    return true;
}

void CFileHandler::Scramble(unsigned char* pData, std::size_t uSize, uint32_t uKey)
{
    // Blocks are a multiple of the word size, so the words run on from the start
    // of the data; eight bytes at a time for speed.
    unsigned char keyBytes[8];
    for (int i = 0; i < 8; ++i)
        keyBytes[i] = static_cast<unsigned char>(uKey >> (8 * (i % 4)));
    uint64_t uKey64 = 0;
    std::memcpy(&uKey64, keyBytes, sizeof uKey64);
    std::size_t uIndex = 0;
    for (; uIndex + 8 <= uSize; uIndex += 8) {
        uint64_t uWord = 0;
        std::memcpy(&uWord, pData + uIndex, 8);
        uWord ^= uKey64;
        std::memcpy(pData + uIndex, &uWord, 8);
    }
    for (; uIndex < uSize; ++uIndex)
        pData[uIndex] ^= keyBytes[uIndex % 4];
}

fs::path CFileHandler::ToSystemPath(const CMyString& strPath)
{
    std::string strSlashed = strPath.GetText();
    std::replace(strSlashed.begin(), strSlashed.end(), '\\', '/');
    fs::path asWritten(strSlashed);
    if (strSlashed.empty() || Exists(asWritten))
        return asWritten;
    return ResolveNoCase(strSlashed);
}
