// Helpers of the player view's tests: the list files that give the view its
// home page (the server list and the catalogue index in the working folder).
#pragma once

#include "../support/ListFiles.h"
#include "../support/TestHome.h"

#include <string>

inline std::filesystem::path ResFolder(const CTestHome& home)
{
    return home.Data() / "Kestova" / "res";
}

// The server list, one base address per server.
inline void WriteServerList(const CTestHome& home, std::initializer_list<std::string> servers)
{
    std::string strText = "<SERVERS><VERSION>1.0.0</VERSION>";
    for (const std::string& strServer : servers)
        strText += "<URL>" + strServer + "</URL>";
    WriteScrambledFile(ResFolder(home) / "ServerSettings.txt", strText + "</SERVERS>");
}

// The catalogue index with the FIRST_URL text (none when bWithFirstUrl is false).
inline void WriteCatalogueIndex(const CTestHome& home, const std::string& strFirstUrl,
                                bool bWithFirstUrl = true)
{
    const std::string strFirst = bWithFirstUrl ? "<FIRST_URL>" + strFirstUrl + "</FIRST_URL>" : "";
    WriteScrambledFile(ResFolder(home) / "MoviesSettings.txt", "<MOVIES_SETTINGS><VERSION>1.0.0</VERSION>" +
                                                                   strFirst +
                                                                   "<MOVIES></MOVIES></MOVIES_SETTINGS>");
}
