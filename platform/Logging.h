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
// kestova.user: what the window tells the user (status line, message boxes, when it
// is ready), so that a bug report or a test driving the program from outside can
// follow it.
Q_DECLARE_LOGGING_CATEGORY(lcUser)

// One debug line for whoever is listening; null is ignored.
void OutputDebugString(const char* pText);
