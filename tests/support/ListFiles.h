// Helpers for tests that need list files on disk: writes a text scrambled with
// the list-file key, as the program's lists are stored.
#pragma once

#include "FileHandler.h"

#include <filesystem>
#include <fstream>
#include <string>

inline void WriteScrambledFile(const std::filesystem::path& path, std::string strText)
{
    std::filesystem::create_directories(path.parent_path());
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strText.data()), strText.size(),
                           CFileHandler::kListFileKey);
    std::ofstream(path, std::ios::binary) << strText;
}
