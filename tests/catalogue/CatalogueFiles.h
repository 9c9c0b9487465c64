// Catalogue fixtures for the tests: list files written as plain text and
// scrambled into the working "res" folder with kestova-lists, as the shipped
// lists are made, and a few builders for their elements.
#pragma once

#include "../support/TestHome.h"
#include "FileHandler.h"
#include "ListsTool.h"
#include "WorkingFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The working "res" folder of the current test home.
inline fs::path ResFolder()
{
    return CFileHandler::ToSystemPath(GetResFolder());
}

// Writes the text as res/<name>, scrambled by the list tool.
inline void WriteListFile(const std::string& strName, const std::string& strText)
{
    const fs::path plain = ResFolder() / (strName + ".plain");
    CTestHome::WriteFile(plain, strText);
    std::ostringstream errors;
    ASSERT_EQ(kestova::RunListsTool({"scramble", plain.string(), (ResFolder() / strName).string()}, errors),
              0)
        << errors.str();
    fs::remove(plain);
}

inline std::string Element(const std::string& strName, const std::string& strContent)
{
    return "<" + strName + ">" + strContent + "</" + strName + ">";
}

inline std::string Station(const std::string& strCaption, const std::string& strUrl,
                           const std::string& strExtra = "")
{
    return Element("MENU_ITEM", Element("CAPTION", strCaption) + Element("URL", strUrl) + strExtra);
}

inline std::string Menu(const std::string& strCaption, const std::string& strChildren)
{
    return Element("MENU", Element("CAPTION", strCaption) + strChildren);
}

inline std::string Category(const std::string& strName, const std::string& strFile,
                            const std::string& strExtra = "")
{
    return Element("CATEGORY", Element("NAME", strName) + Element("FILE_NAME", strFile) + strExtra);
}

// An index file: the version, then the children of MOVIES.
inline std::string IndexFile(const std::string& strVersion, const std::string& strMovies)
{
    return Element("MOVIES_SETTINGS", Element("VERSION", strVersion) + Element("MOVIES", strMovies));
}

// A category file with its top menu.
inline std::string CategoryFile(const std::string& strVersion, const std::string& strTopCaption,
                                const std::string& strChildren)
{
    return Element("CATEGORY_LIST", Element("VERSION", strVersion) + Menu(strTopCaption, strChildren));
}

// A server list naming the given base addresses.
inline void WriteServerList(const std::vector<std::string>& servers)
{
    std::string strText = Element("VERSION", "1.0.0.0");
    for (const std::string& strServer : servers) {
        strText += Element("URL", strServer);
    }
    WriteListFile("ServerSettings.txt", Element("SERVER_SETTINGS", strText));
}
