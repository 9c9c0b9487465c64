// Reading the search engine list: the scrambled "SearchSettings.txt" in the
// working resource folder. Its VERSION is stored as the "Search Settings"
// setting, which the update check compares with the server's manifest.
#pragma once

class CSearchEngines;

inline constexpr char kSearchSettingsFile[] = "SearchSettings.txt";

// Loads the list from the file into engines. False, leaving the list empty,
// when the file is missing, cannot be parsed or names no engine.
bool LoadSearchSettings(CSearchEngines& engines);
