#include "PicturePath.h"

#include "FileHandler.h"
#include "SkinInfo.h"

CMyString ResolvePicturePath(const CMyString& strPath)
{
    if (strPath.IsEmpty() || CFileHandler::FileExists(strPath) || g_strPath.IsEmpty())
        return strPath;
    CMyString strInProgram(g_strPath);
    strInProgram.AppendPath(strPath.GetText());
    return CFileHandler::FileExists(strInProgram) ? strInProgram : strPath;
}
