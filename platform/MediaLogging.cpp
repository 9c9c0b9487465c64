#include "MediaLogging.h"

Q_LOGGING_CATEGORY(lcMedia, "kestova.media", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWeb, "kestova.web", QtWarningMsg)
