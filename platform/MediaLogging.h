// Logging categories of the media player and the web view, silent below
// warnings like the rest of the program's (Logging.h).
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMedia) // kestova.media
Q_DECLARE_LOGGING_CATEGORY(lcWeb)   // kestova.web
