// CMediaPlayerStandIn: a media player control that plays nothing. It keeps what
// it is told, writes every call into a log ("URL http://x", "play", "stop",
// "close", "fullScreen 1", "volume 40", ...) and reports the play state and
// status that a test gives it, so that a host of the control can be tested
// without the media engine. Widgets are not copyable.
#pragma once

#include "MediaControl.h"

#include <vector>

class CMediaPlayerStandIn : public CMediaControl
{
public:
    using CMediaControl::CMediaControl;

    // What the control reports from now on.
    void SetPlayState(int nState)
    {
        m_nPlayState = nState;
        NotifyChanged();
    }
    void SetStatus(const CMyString& strStatus)
    {
        m_strStatus = strStatus;
        NotifyChanged();
    }
    // The calls so far, one entry each; ClearCalls forgets them.
    const std::vector<CMyString>& GetCalls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    // The calls joined with "; ", for comparing in one piece.
    CMyString GetCallText() const;

    void put_URL(const CMyString& strUrl) override;
    CMyString get_URL() const override { return m_strUrl; }
    void play() override { Log("play"); }
    void stop() override { Log("stop"); }
    void close() override { Log("close"); }
    int get_playState() const override { return m_nPlayState; }
    CMyString get_status() const override { return m_strStatus; }
    void put_fullScreen(bool bFullScreen) override;
    bool get_fullScreen() const override { return m_bFullScreen; }
    void put_stretchToFit(bool bStretch) override { Log("stretchToFit", bStretch); }
    void put_enableContextMenu(bool bEnable) override { Log("enableContextMenu", bEnable); }
    bool launchURL(const CMyString& strUrl) override;
    void put_volume(int nVolume) override;
    int get_volume() const override { return m_nVolume; }
    void put_mute(bool bMute) override;
    bool get_mute() const override { return m_bMute; }
    void put_autoStart(bool bAutoStart) override { Log("autoStart", bAutoStart); }
    void put_enableErrorDialogs(bool bEnable) override { Log("enableErrorDialogs", bEnable); }

private:
    void Log(const char* pCall, const CMyString& strValue = CMyString());
    void Log(const char* pCall, int nValue);

    std::vector<CMyString> m_calls;
    CMyString m_strUrl;
    CMyString m_strStatus;
    int m_nPlayState = kUndefined;
    int m_nVolume = 50;
    bool m_bMute = false;
    bool m_bFullScreen = false;
};
