// The command line of kestova-lists, which turns a plain list file into the
// scrambled form the program reads, and back:
//
//   kestova-lists scramble IN OUT
//   kestova-lists unscramble IN OUT
//   kestova-lists manifest OUT SOURCE...
//
// The first two use the list-file key; the XOR is its own inverse, so the two
// verbs do the same and exist for readable scripts. Files are processed as
// bytes, of any size and content, in pieces, and OUT may be IN: the result is
// written beside OUT and renamed over it only when complete. "manifest" writes
// a home server's UpdateSettings.txt for the plain list sources (Manifest.h).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestova {

// Exit codes of the tool.
enum ListsToolExit
{
    kListsToolOk = 0,
    kListsToolFileError = 1,
    kListsToolUsage = 2,
};

// Runs the tool on the arguments behind the program name; messages go to err.
int RunListsTool(const std::vector<std::string>& arguments, std::ostream& err);

} // namespace kestova
