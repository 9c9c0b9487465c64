#include "PicturePath.h"

#include "FileHandler.h"
#include "SkinInfo.h"

CMyString ResolvePicturePath(const CMyString& strPath)
{
    // A system path (the working folder's icons) is never below the program folder.
    const bool bAbsolute = !strPath.IsEmpty() && strPath.GetAt(0) == '/';
    if (bAbsolute || strPath.IsEmpty() || g_strPath.IsEmpty())
        return strPath;
    CMyString strInProgram(g_strPath);
    strInProgram.AppendPath(strPath.GetText());
    return CFileHandler::FileExists(strInProgram) ? strInProgram : strPath;
}
