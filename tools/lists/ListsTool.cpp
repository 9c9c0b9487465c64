#include "ListsTool.h"

#include "FileHandler.h"
#include "Manifest.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kestova {
namespace {

constexpr char kUsage[] = "usage: kestova-lists scramble|unscramble IN OUT\n"
                          "       kestova-lists manifest OUT SOURCE...";
// A whole number of scramble blocks, so that every piece starts on a word.
constexpr std::size_t kPieceSize = 1024 * CFileHandler::kScrambleBlock;

struct FileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool Fail(std::ostream& err, const char* pAction, const std::string& strPath)
{
    const int nError = errno;
    err << "kestova-lists: cannot " << pAction << " " << strPath << ": " << std::strerror(nError) << '\n';
    return false;
}

// Streams the bytes of pIn through the scramble into pOut.
bool ScrambleStream(std::FILE* pIn, const std::string& strIn, std::FILE* pOut, const std::string& strOut,
                    std::ostream& err)
{
    std::vector<unsigned char> piece(kPieceSize);
    while (true) {
        const std::size_t uRead = std::fread(piece.data(), 1, piece.size(), pIn);
        if (std::ferror(pIn))
            return Fail(err, "read", strIn);
        CFileHandler::Scramble(piece.data(), uRead, CFileHandler::kListFileKey);
        if (std::fwrite(piece.data(), 1, uRead, pOut) != uRead)
            return Fail(err, "write", strOut);
        if (uRead < piece.size())
            return true;
    }
}

// Writes beside the destination and renames over it, so that the input may be
// the output and a failure leaves the destination as it was.
bool ScrambleFile(const std::string& strIn, const std::string& strOut, std::ostream& err)
{
    FilePtr in(std::fopen(strIn.c_str(), "rb"));
    if (!in)
        return Fail(err, "read", strIn);
    const std::string strTemporary = strOut + ".kestova-lists-part";
    FilePtr out(std::fopen(strTemporary.c_str(), "wb"));
    if (!out)
        return Fail(err, "write", strOut);
    bool bDone = ScrambleStream(in.get(), strIn, out.get(), strOut, err);
    if (bDone && std::fclose(out.release()) != 0)
        bDone = Fail(err, "write", strOut);
    if (bDone && std::rename(strTemporary.c_str(), strOut.c_str()) != 0)
        bDone = Fail(err, "write", strOut);
    if (!bDone) {
        out.reset();
        std::remove(strTemporary.c_str());
    }
    return bDone;
}

// Writes the manifest beside OUT and renames it over OUT when complete.
int WriteManifest(const std::vector<std::string>& arguments, std::ostream& err)
{
    const std::string& strOut = arguments[1];
    std::string strManifest;
    if (!MakeManifest({arguments.begin() + 2, arguments.end()}, strManifest, err))
        return kListsToolFileError;
    const std::string strTemporary = strOut + ".kestova-lists-part";
    FilePtr out(std::fopen(strTemporary.c_str(), "wb"));
    bool bWritten =
        out && std::fwrite(strManifest.data(), 1, strManifest.size(), out.get()) == strManifest.size();
    bWritten = out && std::fclose(out.release()) == 0 && bWritten;
    if (bWritten && std::rename(strTemporary.c_str(), strOut.c_str()) == 0)
        return kListsToolOk;
    Fail(err, "write", strOut);
    std::remove(strTemporary.c_str());
    return kListsToolFileError;
}

} // namespace

int RunListsTool(const std::vector<std::string>& arguments, std::ostream& err)
{
    if (arguments.size() >= 2 && arguments[0] == "manifest")
        return WriteManifest(arguments, err);
    if (arguments.size() != 3 || (arguments[0] != "scramble" && arguments[0] != "unscramble")) {
        err << kUsage << '\n';
        return kListsToolUsage;
    }
    return ScrambleFile(arguments[1], arguments[2], err) ? kListsToolOk : kListsToolFileError;
}

} // namespace kestova
