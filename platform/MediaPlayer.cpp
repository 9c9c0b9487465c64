#include "MediaPlayer.h"

#include "ArrayString.h"
#include "Browser.h"
#include "MpvEngine.h"
#include "Process.h"
#include "VideoSurface.h"

#include <QPainter>

CMediaPlayer::CMediaPlayer(QWidget* pParent)
    : CMediaControl(pParent), m_pEngine(std::make_unique<CMpvEngine>())
{
    setContextMenuPolicy(Qt::NoContextMenu);
    m_pSurface = new CVideoSurface(*m_pEngine, this);
    m_pSurface->SetLeaveHandler([this] { put_fullScreen(false); });
    m_pEngine->SetVolume(m_nVolume);
    PlaceSurface();
}

CMediaPlayer::~CMediaPlayer()
{
    // The surface lets go of the engine's drawing before the engine goes; in
    // full screen it is not a child that the widget would delete.
    delete m_pSurface;
}

bool CMediaPlayer::IsEngineReady() const
{
    return m_pEngine->IsReady();
}

CMyString CMediaPlayer::ReadEngineProperty(const char* pName) const
{
    return m_pEngine->ReadProperty(pName);
}

void CMediaPlayer::put_URL(const CMyString& strUrl)
{
    m_strUrl = strUrl;
    if (m_bAutoStart && !m_strUrl.IsEmpty())
        m_pEngine->Load(m_strUrl);
}

bool CMediaPlayer::IsActive() const
{
    const int nState = get_playState();
    return nState == kPlaying || nState == kBuffering || nState == kConnecting;
}

void CMediaPlayer::play()
{
    // Right after put_URL with autoStart the address is already on its way.
    if (m_strUrl.IsEmpty() || (IsActive() && m_pEngine->GetLoadedUrl() == m_strUrl))
        return;
    m_pEngine->Load(m_strUrl);
}

void CMediaPlayer::stop()
{
    put_fullScreen(false);
    m_pEngine->Stop();
}

void CMediaPlayer::close()
{
    stop();
    m_strUrl.Empty();
}

int CMediaPlayer::get_playState() const
{
    return m_pEngine->GetState().GetPlayState();
}

CMyString CMediaPlayer::get_status() const
{
    return m_pEngine->GetState().GetStatus();
}

void CMediaPlayer::put_fullScreen(bool bFullScreen)
{
    if (bFullScreen == m_bFullScreen)
        return;
    m_bFullScreen = bFullScreen;
    if (bFullScreen) {
        m_pSurface->setParent(nullptr);
        m_pSurface->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        m_pSurface->showFullScreen();
        m_pSurface->activateWindow();
        m_pSurface->setFocus();
    } else {
        m_pSurface->hide();
        // A full-screen state kept from this time would make the next
        // showFullScreen a no-op: the window would open at its own size.
        m_pSurface->setWindowState(Qt::WindowNoState);
        m_pSurface->setParent(this, Qt::Widget);
        PlaceSurface();
        m_pSurface->show();
    }
}

void CMediaPlayer::put_stretchToFit(bool bStretch)
{
    m_pEngine->SetStretchToFit(bStretch);
}

bool CMediaPlayer::launchURL(const CMyString& strUrl)
{
    if (strUrl.IsEmpty())
        return false;
    CArrayString arguments;
    arguments.Add(strUrl);
    return StartDetached(CBrowser::Detect().GetProgram(), arguments);
}

void CMediaPlayer::put_volume(int nVolume)
{
    m_nVolume = nVolume < 0 ? 0 : (nVolume > 100 ? 100 : nVolume);
    m_pEngine->SetVolume(m_nVolume);
}

void CMediaPlayer::put_mute(bool bMute)
{
    m_bMute = bMute;
    m_pEngine->SetMute(bMute);
}

void CMediaPlayer::resizeEvent(QResizeEvent* pEvent)
{
    CMediaControl::resizeEvent(pEvent);
    PlaceSurface();
}

void CMediaPlayer::paintEvent(QPaintEvent*)
{
    // The empty control-bar strip, and the frame while no video shows.
    QPainter(this).fillRect(rect(), Qt::black);
}

void CMediaPlayer::PlaceSurface()
{
    if (!m_bFullScreen)
        m_pSurface->setGeometry(0, 0, width(), qMax(0, height() - kControlBarHeight));
}
