#include "UpdateNoticeCheck.h"

#include "UpdateCheck.h"

bool CUpdateNoticeCheck::GetResult(int& nFlags, CMyString& strName) const
{
    nFlags = 0;
    CMyString strManifest;
    CMyString strServer;
    return m_fetch.GetResult(strManifest, strServer) &&
           CUpdateCheck::CompareManifest(strManifest, nFlags, strName);
}
