// The manifest of a home server, "UpdateSettings.txt", made from the plain
// sources of the lists that the server publishes: one entry per list, named
// after the kind of list its root element tells (MOVIES_SETTINGS,
// SEARCH_SETTINGS, SERVERS, CATEGORY), with the list's VERSION and, as NAME,
// the file name the program asks for (the source's name without ".xml"). Lists
// of other kinds (the install settings) are not published and are left out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestova {

// The manifest's text; false, with a message on err, when a source cannot be
// read or has no root element or no VERSION.
bool MakeManifest(const std::vector<std::string>& sources, std::string& strManifest, std::ostream& err);

} // namespace kestova
