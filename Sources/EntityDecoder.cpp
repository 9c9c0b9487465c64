#include "EntityDecoder.h"

#include "DecodeRun.h"

#include <cstdlib>
#include <string>

std::string CEntityDecoder::Decode(const std::string& strText)
{
    // Most texts hold no reference at all: they need none of the machinery.
    const std::size_t uStart = strText.find("&#");
    if (uStart == std::string::npos || strText.find(';', uStart) == std::string::npos) {
        return strText;
    }
    return entity_decoder::CDecodeRun(strText).Run();
}

namespace {

std::string ReplaceAll(const std::string& strText, const std::string& strOld, const std::string& strNew)
{
    std::string strResult;
    std::size_t uFrom = 0;
    for (std::size_t uHit = strText.find(strOld); uHit != std::string::npos;
         uHit = strText.find(strOld, uFrom)) {
        strResult.append(strText, uFrom, uHit - uFrom);
        strResult += strNew;
        uFrom = uHit + strOld.size();
    }
    strResult.append(strText, uFrom, std::string::npos);
    return strResult;
}

} // namespace

std::string CEntityDecoder::DecodeSlowly(const std::string& strText)
{
    std::string strResult = strText;
    for (;;) {
        const std::size_t uStart = strResult.find("&#");
        if (uStart == std::string::npos) {
            return strResult;
        }
        const std::size_t uEnd = strResult.find(';', uStart);
        if (uEnd == std::string::npos) {
            return strResult;
        }
        const std::string strReference = strResult.substr(uStart, uEnd - uStart + 1);
        // The window is never clipped: when it runs past the end it is empty.
        const std::string strWindow = uStart + 5 <= strResult.size() ? strResult.substr(uStart + 2, 3) : "";
        const auto uByte = static_cast<unsigned char>(std::atoi(strWindow.c_str()));
        const std::string strByte = uByte == 0 ? "" : std::string(1, static_cast<char>(uByte));
        strResult = ReplaceAll(strResult, strReference, strByte);
    }
}
