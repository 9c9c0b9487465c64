// CMyDownload: one HTTP download into a file or into memory.
//
// Three ways to use it:
// - DownloadToBuffer: synchronous, on the calling thread (the manifest). The
//   object is an ordinary value and may be reused.
// - DownloadFile: in the background; the notify window then gets the message
//   with wParam 1 (success) or 0 and lParam the cookie, but only while it still
//   exists (item icons). Start these on the notify window's thread.
// - DownloadBuffer: in the background; the notify window gets the message with
//   wParam a new CMyBuffer* (which it owns and deletes once it handles the
//   message; a window that is gone first never sees it, and the buffer is freed
//   here) or 0 on failure, and lParam the cookie (list files).
// Background downloads run on CDownloadPool (file downloads in its icon lane,
// buffer downloads in its list lane), wait in the worker until the
// window has handled the message, and then delete the object: allocate it with
// new and never touch it after the start call. They cannot be cancelled.
//
// Only a 200 reply succeeds. A file is created only once the server has
// answered 200; a transfer broken off midway leaves the bytes so far.
#pragma once

#include "FileHandler.h"
#include "Http.h"
#include "MessageTarget.h"
#include "MyString.h"

#include <QObject>
#include <cstdint>
#include <string>

// The names of the two completion messages.
inline constexpr const char* kFileDownloadCompleteMessage = "Kestova_MESSAGE_FILE_DOWNLOAD_COMPLETE";
inline constexpr const char* kBufferDownloadCompleteMessage = "Kestova_MESSAGE_BUFFER_DOWNLOAD_COMPLETE";

// The host and port of an address, in lower case: what the download pool
// counts requests by.
std::string HostOf(const CMyString& strUrl);

class CMyDownload
{
public:
    CMyDownload() = default;
    virtual ~CMyDownload() = default;
    CMyDownload(const CMyDownload&) = delete;
    CMyDownload& operator=(const CMyDownload&) = delete;

    // Both return 1: the download has started.
    int DownloadFile(const CMyString& strUrl, const CMyString& strFile, QObject* pNotify, unsigned uMessage,
                     intptr_t nCookie);
    int DownloadBuffer(const CMyString& strUrl, QObject* pNotify, unsigned uMessage, intptr_t nCookie);

    // False at once for an empty address; the data is then in GetBuffer().
    bool DownloadToBuffer(const CMyString& strUrl, const HttpLimits& limits = HttpLimits());
    // The transfer itself, into the file, the buffer or both.
    bool Download(bool bToFile, bool bToBuffer, const HttpLimits& limits = HttpLimits());

    const CMyBuffer& GetBuffer() const { return m_buffer; }

private:
    void RunFileDownload();
    void RunBufferDownload();

    unsigned m_uNotifyMessage = 0;
    CMessageTarget m_notifyWindow;
    CMyString m_strUrl;
    int m_nReload = 0;
    CMyString m_strFile;
    intptr_t m_nCookie = 0;
    CMyBuffer m_buffer;
};
