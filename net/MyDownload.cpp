#include "MyDownload.h"

#include "DownloadPool.h"
#include "Http.h"
#include "Messages.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <memory>

namespace {

struct FileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForWriting(const CMyString& strPath)
{
    return FilePtr(std::fopen(CFileHandler::ToSystemPath(strPath).c_str(), "wb"));
}

} // namespace

std::string HostOf(const CMyString& strUrl)
{
    std::string strHost = strUrl.GetText();
    const size_t uScheme = strHost.find("://");
    strHost.erase(0, uScheme == std::string::npos ? 0 : uScheme + 3);
    strHost.erase(std::min(strHost.size(), strHost.find_first_of("/\\?#")));
    std::transform(strHost.begin(), strHost.end(), strHost.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return strHost;
}

int CMyDownload::DownloadFile(const CMyString& strUrl, const CMyString& strFile, QObject* pNotify,
                              unsigned uMessage, intptr_t nCookie)
{
    m_strUrl = strUrl;
    m_strFile = strFile;
    m_notifyWindow = CMessageTarget(pNotify);
    m_uNotifyMessage = uMessage;
    m_nCookie = nCookie;
    m_nReload = 1;
    CDownloadPool::Instance().Run(CDownloadPool::Lane::Icons, HostOf(strUrl), [this] { RunFileDownload(); });
    return 1;
}

int CMyDownload::DownloadBuffer(const CMyString& strUrl, QObject* pNotify, unsigned uMessage,
                                intptr_t nCookie)
{
    m_strUrl = strUrl;
    m_notifyWindow = CMessageTarget(pNotify);
    m_uNotifyMessage = uMessage;
    m_nCookie = nCookie;
    CDownloadPool::Instance().Run(CDownloadPool::Lane::Lists, HostOf(strUrl), [this] { RunBufferDownload(); });
    return 1;
}

bool CMyDownload::DownloadToBuffer(const CMyString& strUrl, const HttpLimits& limits)
{
    if (strUrl.IsEmpty()) {
        return false;
    }
    m_strUrl = strUrl;
    m_notifyWindow = CMessageTarget();
    m_uNotifyMessage = 0;
    m_nCookie = 0;
    return Download(false, true, limits);
}

bool CMyDownload::Download(bool bToFile, bool bToBuffer, const HttpLimits& limits)
{
    m_buffer = CMyBuffer();
    FilePtr file;
    bool bFileFailed = false;
    auto openFile = [&] {
        if (bToFile && !file && !bFileFailed) {
            file = OpenForWriting(m_strFile);
            bFileFailed = !file;
        }
        return !bFileFailed;
    };
    // The file is opened with the first byte of a 200 reply, so an error reply leaves none.
    const bool bReceived = CHttp::Get(m_strUrl, m_nReload != 0, [&](const char* pData, std::size_t uSize) {
        if (!openFile() || (file && std::fwrite(pData, 1, uSize, file.get()) != uSize)) {
            return false;
        }
        if (bToBuffer) {
            m_buffer.Append(pData, static_cast<uint32_t>(uSize));
        }
        return true;
    }, limits);
    // An empty 200 reply still makes an (empty) file.
    if (bReceived && !openFile()) {
        return false;
    }
    const bool bFlushed = !file || std::fflush(file.get()) == 0;
    return bReceived && bFlushed;
}

void CMyDownload::RunFileDownload()
{
    const bool bDone = Download(true, false);
    SendMessage(m_notifyWindow, m_uNotifyMessage, bDone ? 1 : 0, m_nCookie);
    delete this;
}

void CMyDownload::RunBufferDownload()
{
    CMyBuffer* pResult = Download(false, true) ? new CMyBuffer(m_buffer) : nullptr;
    // A receiver that handles the message owns the buffer; otherwise (gone,
    // or gone before it got to it) the buffer is freed here.
    bool bHandled = false;
    SendMessage(m_notifyWindow, m_uNotifyMessage, reinterpret_cast<uintptr_t>(pResult), m_nCookie, &bHandled);
    if (!bHandled) {
        delete pResult;
    }
    delete this;
}
