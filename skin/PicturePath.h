// Where a picture named by a relative path is found: the path as it stands
// (against the current folder) first, then below the program folder g_strPath.
// Both tries go through CFileHandler's mapping, so "res\Skin\Play.Gif" finds
// "res/skin/play.gif".
#pragma once

#include "MyString.h"

// The path as it stands when a file exists there; else g_strPath joined with
// the path when that exists; else the path unchanged (it then loads nothing).
CMyString ResolvePicturePath(const CMyString& strPath);
