#include "MediaError.h"

#include <cstdlib>
#include <cstring>

namespace {

struct HttpStatusText
{
    int nStatus;
    const char* pText;
};

constexpr HttpStatusText kHttpStatusTexts[] = {
    {400, "Bad request"},
    {401, "Not authorised"},
    {403, "Forbidden"},
    {404, "Not found"},
    {410, "Gone"},
    {500, "Server error"},
    {502, "Bad gateway"},
    {503, "Service unavailable"},
    {504, "Gateway timeout"},
};

// Texts of the network layer, matched without regard to case.
struct LogCause
{
    const char* pNeedle;
    const char* pCause;
};

constexpr LogCause kLogCauses[] = {
    {"connection refused", "Connection refused"},       {"connection timed out", "Connection timed out"},
    {"failed to resolve hostname", "Server not found"}, {"name or service not known", "Server not found"},
    {"network is unreachable", "Network unreachable"},  {"connection reset by peer", "Connection reset"},
};

CMyString HttpCause(const CMyString& strLine)
{
    const char kMarker[] = "http error ";
    const int nAt = strLine.FindNoCase(kMarker);
    if (nAt < 0)
        return {};
    const int nStatus = std::atoi(strLine.GetText() + nAt + std::strlen(kMarker));
    return nStatus > 0 ? DescribeHttpStatus(nStatus) : CMyString();
}

} // namespace

CMyString DescribeHttpStatus(int nStatus)
{
    CMyString strText;
    for (const HttpStatusText& entry : kHttpStatusTexts) {
        if (entry.nStatus == nStatus) {
            strText = entry.pText;
            strText += " (";
            strText.AppendInt(nStatus);
            strText += ")";
            return strText;
        }
    }
    strText = "HTTP error ";
    strText.AppendInt(nStatus);
    return strText;
}

CMyString ErrorFromEngineLog(const char* pText)
{
    if (pText == nullptr)
        return {};
    const CMyString strLine(pText);
    CMyString strCause = HttpCause(strLine);
    if (!strCause.IsEmpty())
        return strCause;
    for (const LogCause& cause : kLogCauses) {
        if (strLine.FindNoCase(cause.pNeedle) >= 0)
            return cause.pCause;
    }
    return {};
}
