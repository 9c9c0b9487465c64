#include "NowPlaying.h"

void CNowPlaying::Reset()
{
    *this = CNowPlaying();
}

CMyString CNowPlaying::Update(const CMyString& strStreamTitle, const CMyString& strTitle,
                              const CMyString& strArtist)
{
    const CMyString& strLatestTitle = m_title.Update(strTitle);
    const CMyString& strLatestArtist = m_artist.Update(strArtist);
    if (!strStreamTitle.IsEmpty())
        return strStreamTitle;
    if (strLatestTitle.IsEmpty() || strLatestArtist.IsEmpty())
        return strLatestTitle;
    CMyString strBoth = strLatestArtist;
    strBoth += " - ";
    strBoth += strLatestTitle;
    return strBoth;
}

const CMyString& CNowPlaying::Tag::Update(const CMyString& strReported)
{
    if (strReported == m_strReported)
        return m_strLatest;
    const auto uBefore = m_strReported.GetLength();
    const bool bGrew = uBefore > 0 && strReported.GetLength() > uBefore &&
                       strReported.GetAt(uBefore) == ';' &&
                       strReported.Mid(0, static_cast<int>(uBefore)) == m_strReported;
    const auto nAdded = static_cast<int>(strReported.GetLength() - uBefore - 1);
    m_strLatest = bGrew ? strReported.Mid(static_cast<int>(uBefore) + 1, nAdded) : strReported;
    m_strReported = strReported;
    return m_strLatest;
}
