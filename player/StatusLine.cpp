#include "StatusLine.h"

bool CStatusLine::NextStationText(const CMyString& strShown, bool bHasStation, const CMyString& strName,
                                  CMyString& strText)
{
    CMyString strTrimmed(strShown);
    strTrimmed.Trim();
    if (bHasStation && !strName.IsEmpty()) {
        if (strTrimmed == strName)
            return false;
        strText = kStationPrefix;
        strText += strName;
        return true;
    }
    if (!bHasStation && !strTrimmed.IsEmpty()) {
        strText.Empty();
        return true;
    }
    return false;
}

bool CStatusLine::NextStatusText(const CMyString& strStatus, CMyString& strText)
{
    const CMyString strShown = strStatus.IsEmpty() ? CMyString(kEmptyStatus) : strStatus;
    if (strShown == m_strLastStatus)
        return false;
    m_strLastStatus = strShown;
    strText = kStatusPrefix;
    strText += strShown;
    return true;
}
