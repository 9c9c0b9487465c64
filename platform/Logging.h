// The program's few diagnostic lines go to logging categories named
// "kestova.*", silent unless enabled, e.g. with
// QT_LOGGING_RULES="kestova.*.debug=true".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDebug)    // kestova.debug: OutputDebugString
Q_DECLARE_LOGGING_CATEGORY(lcRegistry) // kestova.registry
Q_DECLARE_LOGGING_CATEGORY(lcMessages) // kestova.messages
Q_DECLARE_LOGGING_CATEGORY(lcProcess)  // kestova.process
Q_DECLARE_LOGGING_CATEGORY(lcBrowser)  // kestova.browser
Q_DECLARE_LOGGING_CATEGORY(lcNetwork)  // kestova.network
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)  // kestova.desktop: the desktop's media controls
// kestova.user: what the window tells the user (status line, message boxes, when it
// is ready), so that a bug report or a test driving the program from outside can
// follow it.
Q_DECLARE_LOGGING_CATEGORY(lcUser)
// kestova.timing: "<what> <nanoseconds>" on the system's monotonic clock at a few
// moments a benchmark measures from outside (first paint, play, engine load).
Q_DECLARE_LOGGING_CATEGORY(lcTiming)

// One kestova.timing line for the moment now; nothing when the category is off.
void MarkTime(const char* pWhat);

// One debug line for whoever is listening; null is ignored.
void OutputDebugString(const char* pText);
