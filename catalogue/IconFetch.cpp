#include "IconFetch.h"

#include "FileHandler.h"

#include <filesystem>

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

