// HTTP for the program, on libcurl: one GET at a time on the calling thread, and
// the reachability probe.
//
// Every call is bounded: a connect time-out, a low-speed limit that ends a
// stalled transfer and an overall cap, so no call can hang for ever. Redirects
// are followed (a few at most, and only to http and https). A "\" in the path
// of an http(s) address counts as "/", as browsers treat it. Only a final status
// of 200 succeeds; the body of any other reply is never handed on.
#pragma once

#include "MyString.h"

#include <cstddef>
#include <functional>

struct HttpLimits
{
    long nConnectMs = 10000;    // to reach the server
    long nLowSpeedSeconds = 20; // a transfer below 1 byte/s for this long has stalled
    long nTotalSeconds = 600;   // the whole transfer, a backstop for trickling servers
    long nMaxRedirects = 5;
};

class CHttp
{
public:
    // Receives the body in pieces; return false to abort the transfer.
    using Sink = std::function<bool(const char* pData, std::size_t uSize)>;

    // GETs the address with agent "Kestova" and "Accept: */*"; bReload adds
    // no-cache headers. True only when the final status is 200 and the whole body
    // arrived (an empty body included).
    static bool Get(const CMyString& strUrl, bool bReload, const Sink& sink, const HttpLimits& limits = {});

    // Whether a connection to the address's host and port can be made within
    // nTimeoutMs (the stand-in for a forced connection check). Nothing is sent.
    static bool CheckConnection(const CMyString& strUrl, long nTimeoutMs = 1500);

    // The address with "\" turned into "/" in its path, for http and https.
    static CMyString NormaliseUrl(const CMyString& strUrl);
};
