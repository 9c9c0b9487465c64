#include "IconFetch.h"

#include "FileHandler.h"
#include "Http.h"

#include <filesystem>
#include <fstream>

bool IsHttpAddress(const CMyString& strUrl)
{
    return strUrl.Mid(0, 7).EqualsNoCase("http://") || strUrl.Mid(0, 8).EqualsNoCase("https://");
}

CMyString PartialFileOf(const CMyString& strFile)
{
    CMyString strPartial = strFile;
    strPartial += kPartialSuffix;
    return strPartial;
}

bool FinishDownload(const CMyString& strFile, bool bComplete)
{
    const std::filesystem::path partial = CFileHandler::ToSystemPath(PartialFileOf(strFile));
    std::error_code error;
    if (!bComplete) {
        std::filesystem::remove(partial, error);
        return false;
    }
    std::filesystem::rename(partial, CFileHandler::ToSystemPath(strFile), error);
    return !error;
}

bool DownloadFileNow(const CMyString& strUrl, const CMyString& strFile)
{
    if (!IsHttpAddress(strUrl) || strFile.IsEmpty()) {
        return false;
    }
    // The window waits for this download: a small icon gets a few seconds, not
    // the minutes a list file may need.
    HttpLimits limits;
    limits.nConnectMs = 3000;
    limits.nLowSpeedSeconds = 3;
    limits.nTotalSeconds = 10;
    std::ofstream file(CFileHandler::ToSystemPath(PartialFileOf(strFile)),
                       std::ios::binary | std::ios::trunc);
    const bool bReceived = file && CHttp::Get(
                                       strUrl, false,
                                       [&file](const char* pData, std::size_t uSize) {
                                           file.write(pData, static_cast<std::streamsize>(uSize));
                                           return file.good();
                                       },
                                       limits);
    file.close();
    return FinishDownload(strFile, bReceived && !file.fail());
}
