#include "Logging.h"

// Warnings and above only by default: debug and info lines stay silent.
Q_LOGGING_CATEGORY(lcDebug, "kestova.debug", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRegistry, "kestova.registry", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMessages, "kestova.messages", QtWarningMsg)
Q_LOGGING_CATEGORY(lcProcess, "kestova.process", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBrowser, "kestova.browser", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNetwork, "kestova.network", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUser, "kestova.user", QtWarningMsg)

void OutputDebugString(const char* pText)
{
    if (pText != nullptr)
        qCDebug(lcDebug, "%s", pText);
}
