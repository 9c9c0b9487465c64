#include "PlayerControls.h"

#include "MediaPlayer.h"
#include "MediaPlayerStandIn.h"
#include "WebView.h"
#include "WebViewStandIn.h"

CPlayerControls CPlayerControls::Engines()
{
    CPlayerControls controls;
    controls.m_createMediaPlayer = [](QWidget* pParent) -> CMediaControl* {
        auto* pPlayer = new CMediaPlayer(pParent);
        if (pPlayer->IsEngineReady())
            return pPlayer;
        delete pPlayer; // the engine is not installed: no media player
        return nullptr;
    };
    controls.m_createWebBrowser = [](QWidget* pParent) -> CWebControl* { return new CWebView(pParent); };
    return controls;
}

CPlayerControls CPlayerControls::StandIns()
{
    CPlayerControls controls;
    controls.m_createMediaPlayer = [](QWidget* pParent) -> CMediaControl* {
        return new CMediaPlayerStandIn(pParent);
    };
    controls.m_createWebBrowser = [](QWidget* pParent) -> CWebControl* {
        return new CWebViewStandIn(pParent);
    };
    return controls;
}
