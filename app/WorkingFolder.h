// Where the program keeps its files. The working folder ("main folder") is
// "Kestova" in the user's data folder ($XDG_DATA_HOME, else ~/.local/share);
// its "res" folder holds the working copies of the list files and the
// downloaded icons. The shipped copies lie in a "res" folder beside the
// program in a build tree, and in "../share/kestova/res" from the program's
// folder in an installed tree. Paths are written in the program's style, joined
// with "\", and the folders end in "\"; CFileHandler maps them to the system's
// paths.
#pragma once

#include "MyString.h"

#include <cstdint>

inline constexpr char kInstallSettingsFile[] = "InstallSettings.txt";
// Where an installed tree keeps the shipped data, below the prefix whose "bin"
// holds the program; the same folder as KESTOVA_INSTALL_DATADIR in the build.
inline constexpr char kInstalledDataFolder[] = "share/kestova";

// The folder part of a path: cut before its last "\", or else its last "/";
// empty when it has neither.
CMyString FolderOf(const CMyString& strPath);
// The folder whose "res" holds the shipped data of the program in
// strProgramFolder: that folder itself (a build tree), else
// kInstalledDataFolder below its parent (an installed tree). Empty when neither
// has a "res" folder, or when strProgramFolder is empty.
CMyString FindShippedDataFolder(const CMyString& strProgramFolder);

// The user's data folder + "\Kestova\", created; empty when the user has no
// data folder.
CMyString GetMainFolder();
// GetMainFolder + "res\", created; the relative "res\" (below the current
// folder) when there is no main folder.
CMyString GetResFolder();
// Whether a list's name, as a server or a list gives it, is a plain file name
// of the "res" folder: not empty, no "/" or "\", not "." or "..". Nothing else
// is read or written there, so no name can lead out of the folder.
bool IsPlainFileName(const CMyString& strName);
// The install page's address from the shipped InstallSettings.txt; empty when
// there is none.
CMyString GetInstallUrl();
// The text of the first child of the root named pElement (without regard to
// case) in a scrambled InstallSettings.txt; empty when the file cannot be read
// or parsed or holds no such child.
CMyString ReadInstallSettingsUrl(const CMyString& strFile, const char* pElement);
// The local file name of an image address: each "\", "/", ":", ".", ",", "?",
// "<", ">", "]", "[", "}" and "{" becomes "_". A name longer than
// kMaxIconFileName bytes is cut and ends in a hash of the whole name, so that
// every address still has a file name of its own that the system accepts.
inline constexpr uint32_t kMaxIconFileName = 200;
CMyString GetIconFileName(const CMyString& strAddress);
