// Where a picture named by a relative path is found: below the program folder
// g_strPath first, then the path as it stands (against the current folder), so
// that a "res" folder wherever the program was started from cannot stand in for
// the program's own pictures. Both tries go through CFileHandler's mapping, so
// "res\Skin\Play.Gif" finds "res/skin/play.gif".
#pragma once

#include "MyString.h"

// A system path from the root ("/...") unchanged; else g_strPath joined with
// the path when a file exists there; else the path unchanged (found against the
// current folder, or it loads nothing).
CMyString ResolvePicturePath(const CMyString& strPath);
