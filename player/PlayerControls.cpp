#include "PlayerControls.h"

#include "MediaPlayer.h"
#include "MediaPlayerStandIn.h"
#include "WebView.h"
#include "WebViewStandIn.h"

CPlayerControls CPlayerControls::Engines()
{
    CPlayerControls controls;
    // The engine itself comes later (CMediaPlayer::Prepare), after the window is up.
    controls.m_createMediaPlayer = [](QWidget* pParent) -> CMediaControl* {
        return new CMediaPlayer(pParent);
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
