#include "Logging.h"

#include <time.h>

// Warnings and above only by default: debug and info lines stay silent.
Q_LOGGING_CATEGORY(lcDebug, "kestova.debug", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRegistry, "kestova.registry", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMessages, "kestova.messages", QtWarningMsg)
Q_LOGGING_CATEGORY(lcProcess, "kestova.process", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBrowser, "kestova.browser", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNetwork, "kestova.network", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDesktop, "kestova.desktop", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUser, "kestova.user", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTiming, "kestova.timing", QtWarningMsg)

void OutputDebugString(const char* pText)
{
    if (pText != nullptr)
        qCDebug(lcDebug, "%s", pText);
}

void MarkTime(const char* pWhat)
{
    if (!lcTiming().isDebugEnabled())
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    qCDebug(lcTiming, "%s %lld", pWhat, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
}
