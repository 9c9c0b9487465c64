#include "EngineImage.h"

#include "DownloadPool.h"
#include "FileHandler.h"
#include "Http.h"
#include "MyDownload.h"
#include "Settings.h"

#include <filesystem>
#include <fstream>
#include <string>

CMyString FetchEngineImage(const CMyString& strUrl)
{
    if (strUrl.IsEmpty())
        return CMyString();
    const CMyString strFile = Settings().GetIconFilePath(strUrl);
    if (!CFileHandler::FileExists(strFile)) {
        // Nothing waits for it: the menu and the button read the file when they draw.
        CDownloadPool::Instance().Run(CDownloadPool::Lane::Icons, HostOf(strUrl),
                                      [strUrl, strFile] { DownloadEngineImage(strUrl, strFile); });
    }
    return strFile;
}

bool DownloadEngineImage(const CMyString& strUrl, const CMyString& strFile)
{
    HttpLimits limits;
    limits.nConnectMs = kEngineImageConnectMs;
    limits.nTotalSeconds = kEngineImageTotalSeconds;
    std::string strBytes;
    const bool bReceived = CHttp::Get(
        strUrl, false,
        [&strBytes](const char* pData, std::size_t uSize) {
            if (strBytes.size() + uSize > kMaxEngineImageBytes)
                return false;
            strBytes.append(pData, uSize);
            return true;
        },
        limits);
    if (!bReceived || strBytes.empty())
        return false;
    // Written beside the target and renamed over it, so that a broken write
    // never leaves a part of an image that would be taken as cached.
    const std::filesystem::path target = CFileHandler::ToSystemPath(strFile);
    std::filesystem::path partial = target;
    partial += ".part";
    {
        std::ofstream stream(partial, std::ios::binary | std::ios::trunc);
        stream.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
        if (!stream.flush()) {
            stream.close();
            std::error_code error;
            std::filesystem::remove(partial, error);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, target, error);
    if (!error)
        return true;
    std::filesystem::remove(partial, error);
    return false;
}
