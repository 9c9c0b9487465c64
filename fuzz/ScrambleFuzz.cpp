// Fuzzes the list-file scrambling: CFileHandler::Scramble with a fuzzed key on
// fuzzed bytes, and ReadScrambledFile on a file of those bytes. Checks: byte i
// is XORed with byte i % 4 of the key (little-endian); scrambling twice gives
// the bytes back; reading the scrambled file appends the bytes with each
// 1024-byte block cut at its first zero byte.
#include "FileHandler.h"
#include "FuzzSupport.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

std::string XorByTheRule(std::string strBytes, uint32_t uKey)
{
    for (std::size_t i = 0; i < strBytes.size(); ++i) {
        strBytes[i] = static_cast<char>(strBytes[i] ^ static_cast<char>(uKey >> (8 * (i % 4))));
    }
    return strBytes;
}

std::string CutBlocksAtZero(const std::string& strBytes)
{
    std::string strOut;
    for (std::size_t uStart = 0; uStart < strBytes.size(); uStart += CFileHandler::kScrambleBlock) {
        const std::string strBlock = strBytes.substr(uStart, CFileHandler::kScrambleBlock);
        strOut += strBlock.substr(0, strBlock.find('\0'));
    }
    return strOut;
}

void Scramble(std::string& strBytes, uint32_t uKey)
{
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strBytes.data()), strBytes.size(), uKey);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    FuzzedDataProvider input(pData, uSize);
    const auto uKey = input.ConsumeIntegral<uint32_t>();
    const std::string strPlain = input.ConsumeRemainingBytesAsString();

    std::string strBytes = strPlain;
    Scramble(strBytes, uKey);
    Check(strBytes == XorByTheRule(strPlain, uKey), "Scramble XORs each byte with its byte of the key");
    const std::string strScrambled = strBytes;
    Scramble(strBytes, uKey);
    Check(strBytes == strPlain, "scrambling twice gives the bytes back");

    const std::filesystem::path file = CFuzzHome::Get().Root() / "scrambled";
    CFuzzHome::WriteBytes(file, strScrambled);
    CMyString strRead("kept ");
    Check(CFileHandler::ReadScrambledFile(file.c_str(), strRead, uKey), "an existing file can be read");
    Check(strRead == ("kept " + CutBlocksAtZero(strPlain)).c_str(),
          "the file reads as its bytes, each block cut at its first zero byte");
    return 0;
}
