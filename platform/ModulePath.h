// Where the program's own modules (the web view's, the media engine's) and
// helper programs (the web host) are looked for: beside the program, then in
// the library folders of the build tree (lib/) and of the installed tree
// (lib/kestova/). Always by a full path from the program's own folder, never
// through the loader's search path, which another copy's module could be on.
#pragma once

#include <QLibrary>
#include <QLoggingCategory>
#include <QStringList>

// The full paths to try, in order, for one of the program's own files (a
// module or a helper program) of the given name.
QStringList ProgramFileCandidates(const QString& strFile);
// The full paths to try, in order, for the module of the given base name.
QStringList ModuleCandidates(const char* pBaseName);
// The entry point of the first candidate that loads and has it, or null; each
// candidate that does not is logged in the category, at debug level.
QFunctionPointer ResolveModuleEntry(const char* pBaseName, const char* pSymbol,
                                    const QLoggingCategory& category);
