// Helpers for tests that need list files on disk: writes a text scrambled with
// the list-file key, as the program's lists are stored.
#pragma once

#include "FileHandler.h"

#include <filesystem>
#include <fstream>
#include <string>

// The text scrambled with the list-file key, as a server delivers a list.
inline std::string Scrambled(std::string strText)
{
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strText.data()), strText.size(),
                           CFileHandler::kListFileKey);
    return strText;
}

inline void WriteScrambledFile(const std::filesystem::path& path, const std::string& strText)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << Scrambled(strText);
}
