// The program's one boundary to the file system, and its byte buffer.
//
// Paths inside the program are CMyString values that may use "\" as well as
// "/" (they are joined with CMyString::AppendPath). CFileHandler turns every "\"
// into "/" at the system call and, when a path does not exist as written,
// resolves it component by component without regard to ASCII case, so that
// "res\Skin\X.Gif" finds "res/skin/x.gif". Every other file access of the
// program goes through this mapping.
//
// Files are read and written as bytes, with one exception: ReadTextFile
// delivers CR LF as LF. List files are scrambled by XOR with a 32-bit key in
// little-endian words aligned to 1024-byte blocks; the operation is its own
// inverse.
//
// CFileHandler has no state; its operations are static. Failures are false.
//
// CMyBuffer is a byte block that grows by 1 MiB steps and always keeps a zero
// byte after its data, so the data reads as zero-terminated text.
// A copy costs an allocation of the whole capacity.
#pragma once

#include "MyString.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

class CMyBuffer
{
public:
    static constexpr uint32_t kGrowStep = 0x100000;

    CMyBuffer() = default;
    CMyBuffer(const CMyBuffer& other);
    CMyBuffer& operator=(const CMyBuffer& other);
    virtual ~CMyBuffer();

    // Allocates on first use, and grows by kGrowStep when size + uBytes would
    // reach the capacity (by as many steps as one large request needs). A size
    // that would not fit in 32 bits fails the assertion.
    void EnsureRoom(uint32_t uBytes);
    void Append(const void* pData, uint32_t uBytes);
    const char* GetData() const { return m_pData; }
    uint32_t GetSize() const { return m_uSize; }
    uint32_t GetCapacity() const { return m_uCapacity; }

private:
    char* m_pData = nullptr;
    uint32_t m_uSize = 0;
    uint32_t m_uCapacity = 0;
};

class CFileHandler
{
public:
    // The key every list file of the program is scrambled with.
    static constexpr uint32_t kListFileKey = 0x7c4e2a9;
    static constexpr std::size_t kScrambleBlock = 1024;

    virtual ~CFileHandler() = default;

    // Appends the file's text to strOut, CR LF read as LF; a zero byte ends the
    // text of its 1023-byte block. True when the file could be opened.
    static bool ReadTextFile(const CMyString& strPath, CMyString& strOut);
    // Appends the unscrambled text of the file to strOut; a zero byte ends the
    // text of its 1024-byte block. True when the file could be opened.
    static bool ReadScrambledFile(const CMyString& strPath, CMyString& strOut, uint32_t uKey);
    // Writes the buffer's bytes and one zero byte behind them, replacing the
    // file. False when the file cannot be written or the buffer is empty (the
    // file is then left empty).
    static bool WriteFile(const CMyString& strPath, const CMyBuffer& buffer);
    // True for a file or a folder.
    static bool FileExists(const CMyString& strPath);
    // False when the source does not exist, or the destination exists and
    // bOverwrite is false.
    static bool CopyFile(const CMyString& strSource, const CMyString& strDestination, bool bOverwrite);
    // Creates each missing folder of the path from the left; the path may mix
    // "\" and "/". True when it exists already or every missing folder could be
    // created.
    static bool CreateDirectories(const CMyString& strPath);
    // As CreateDirectories, but the folders get the names as written even
    // beside a folder whose name differs only in case, for a folder that must
    // be its own. True when the folder exists as written afterwards.
    static bool CreateDirectoriesAsWritten(const CMyString& strPath);
    // Creates the destination, then copies the source tree into it without
    // overwriting: files already in the destination are kept. Links to folders
    // are not followed, and a destination inside the source is not copied into
    // itself. Returns whether the destination could be created.
    static bool CopyFolder(const CMyString& strSource, const CMyString& strDestination);

    // XORs data in place with uKey, in little-endian words aligned to
    // kScrambleBlock-byte blocks; a partial last word uses the key's low bytes.
    static void Scramble(unsigned char* pData, std::size_t uSize, uint32_t uKey);
    // The system path for a program path: "\" becomes "/", and components that
    // do not exist as written are matched without regard to case.
    static std::filesystem::path ToSystemPath(const CMyString& strPath);
};
