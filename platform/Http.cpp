#include "Http.h"

#include "Logging.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct CurlDeleter
{
    void operator()(CURL* pCurl) const { curl_easy_cleanup(pCurl); }
};
struct SlistDeleter
{
    void operator()(curl_slist* pList) const { curl_slist_free_all(pList); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

CurlHandle NewHandle()
{
    static std::once_flag s_initialised;
    std::call_once(s_initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    CurlHandle handle(curl_easy_init());
    if (handle) {
        // Signals would reach the wrong thread in a program with workers.
        curl_easy_setopt(handle.get(), CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    }
    return handle;
}

struct Transfer
{
    CURL* pCurl;
    const CHttp::Sink* pSink;
    bool bRefused = false; // a status other than 200, or the sink said stop
};

// Hands on the body of a 200 reply only: the body of an error page is no data.
size_t OnBody(char* pData, size_t uSize, size_t uCount, void* pContext)
{
    auto* pTransfer = static_cast<Transfer*>(pContext);
    long nStatus = 0;
    curl_easy_getinfo(pTransfer->pCurl, CURLINFO_RESPONSE_CODE, &nStatus);
    const size_t uBytes = uSize * uCount;
    if (nStatus != 200 || !(*pTransfer->pSink)(pData, uBytes)) {
        pTransfer->bRefused = true;
        return 0; // ends the transfer
    }
    return uBytes;
}

} // namespace

CMyString CHttp::NormaliseUrl(const CMyString& strUrl)
{
    std::string strText = strUrl.GetText();
    const size_t uScheme = strText.find("://");
    const std::string strScheme = uScheme == std::string::npos ? "" : strText.substr(0, uScheme);
    if (CMyString(strScheme.c_str()).EqualsNoCase("http") ||
        CMyString(strScheme.c_str()).EqualsNoCase("https")) {
        const size_t uEnd = strText.find_first_of("?#", uScheme + 3);
        for (size_t i = uScheme + 3; i < strText.size() && i < uEnd; ++i) {
            if (strText[i] == '\\') {
                strText[i] = '/';
            }
        }
    }
    return CMyString(strText.c_str());
}

bool CHttp::Get(const CMyString& strUrl, bool bReload, const Sink& sink, const HttpLimits& limits)
{
    CurlHandle handle = NewHandle();
    if (!handle || strUrl.IsEmpty()) {
        return false;
    }
    CURL* pCurl = handle.get();
    HeaderList headers(curl_slist_append(nullptr, "Accept: */*"));
    if (bReload) {
        headers.reset(curl_slist_append(headers.release(), "Cache-Control: no-cache"));
        headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
    }
    const CMyString strAddress = NormaliseUrl(strUrl);
    Transfer transfer{pCurl, &sink};
    curl_easy_setopt(pCurl, CURLOPT_URL, strAddress.GetText());
    curl_easy_setopt(pCurl, CURLOPT_USERAGENT, "Kestova");
    curl_easy_setopt(pCurl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(pCurl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(pCurl, CURLOPT_MAXREDIRS, limits.nMaxRedirects);
    curl_easy_setopt(pCurl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(pCurl, CURLOPT_CONNECTTIMEOUT_MS, limits.nConnectMs);
    curl_easy_setopt(pCurl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(pCurl, CURLOPT_LOW_SPEED_TIME, limits.nLowSpeedSeconds);
    curl_easy_setopt(pCurl, CURLOPT_TIMEOUT, limits.nTotalSeconds);
    curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(pCurl, CURLOPT_WRITEDATA, &transfer);
    const CURLcode result = curl_easy_perform(pCurl);
    long nStatus = 0;
    curl_easy_getinfo(pCurl, CURLINFO_RESPONSE_CODE, &nStatus);
    if (result != CURLE_OK || nStatus != 200) {
        qCDebug(lcNetwork, "GET %s: %s, status %ld", strAddress.GetText(), curl_easy_strerror(result),
                nStatus);
        return false;
    }
    return !transfer.bRefused;
}

bool CHttp::CheckConnection(const CMyString& strUrl, long nTimeoutMs)
{
    CurlHandle handle = NewHandle();
    if (!handle || strUrl.IsEmpty()) {
        return false;
    }
    const CMyString strAddress = NormaliseUrl(strUrl);
    curl_easy_setopt(handle.get(), CURLOPT_URL, strAddress.GetText());
    curl_easy_setopt(handle.get(), CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(handle.get(), CURLOPT_CONNECTTIMEOUT_MS, nTimeoutMs);
    curl_easy_setopt(handle.get(), CURLOPT_TIMEOUT_MS, nTimeoutMs);
    return curl_easy_perform(handle.get()) == CURLE_OK;
}
