#include "MediaPlayerStandIn.h"

CMyString CMediaPlayerStandIn::GetCallText() const
{
    CMyString strText;
    for (const CMyString& strCall : m_calls) {
        if (!strText.IsEmpty())
            strText += "; ";
        strText += strCall;
    }
    return strText;
}

void CMediaPlayerStandIn::put_URL(const CMyString& strUrl)
{
    m_strUrl = strUrl;
    Log("URL", strUrl);
}

void CMediaPlayerStandIn::put_fullScreen(bool bFullScreen)
{
    m_bFullScreen = bFullScreen;
    Log("fullScreen", bFullScreen);
}

bool CMediaPlayerStandIn::launchURL(const CMyString& strUrl)
{
    Log("launchURL", strUrl);
    return !strUrl.IsEmpty();
}

void CMediaPlayerStandIn::put_volume(int nVolume)
{
    m_nVolume = nVolume;
    Log("volume", nVolume);
}

void CMediaPlayerStandIn::put_mute(bool bMute)
{
    m_bMute = bMute;
    Log("mute", bMute);
}

void CMediaPlayerStandIn::Log(const char* pCall, const CMyString& strValue)
{
    CMyString strEntry(pCall);
    if (!strValue.IsEmpty()) {
        strEntry += " ";
        strEntry += strValue;
    }
    m_calls.push_back(strEntry);
}

void CMediaPlayerStandIn::Log(const char* pCall, int nValue)
{
    CMyString strValue;
    strValue.AppendInt(nValue);
    Log(pCall, strValue);
}
