#include "MediaPlayer.h"

#include "ArrayString.h"
#include "Browser.h"
#include "MediaEngine.h"
#include "MediaLogging.h"
#include "ModulePath.h"
#include "Process.h"
#include "VideoOutput.h"

#include <QApplication>
#include <QOpenGLContext>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <mutex>

namespace {

// A video load waits for its surface's first OpenGL set-up; should that never
// come (a player out of sight), it goes on without a picture after this long.
constexpr int kSurfaceWaitMs = 3000;

// Whether this platform draws with OpenGL at all; asked only when the first
// video is about to play, since asking loads the OpenGL driver.
bool CanDrawVideo()
{
    static const bool s_bOpenGL = [] {
        QOpenGLContext probe;
        const bool bMade = probe.create();
        if (!bMade)
            qCWarning(lcMedia) << "no OpenGL here: video plays without its picture";
        return bMade;
    }();
    return s_bOpenGL;
}

CreateMediaEngineFunction LoadModule()
{
    auto create = reinterpret_cast<CreateMediaEngineFunction>(
        ResolveModuleEntry(kMediaEngineModuleName, kCreateMediaEngineSymbol, lcMedia()));
    if (create == nullptr)
        qCWarning(lcMedia) << "the media engine module cannot be loaded; nothing plays";
    return create;
}

// The module is loaded once, by whoever asks first: the worker that Prepare
// starts, or the first play, which then waits for that worker.
CreateMediaEngineFunction LoadEngineModule()
{
    static std::once_flag s_once;
    static CreateMediaEngineFunction s_create = nullptr;
    std::call_once(s_once, [] { s_create = LoadModule(); });
    return s_create;
}

} // namespace

CMediaPlayer::CMediaPlayer(QWidget* pParent) : CMediaControl(pParent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    m_reconnectTimer.setSingleShot(true);
    QObject::connect(&m_reconnectTimer, &QTimer::timeout, this, [this] {
        qCInfo(lcMedia, "reconnecting: attempt %d", m_reconnectPlan.GetAttempt());
        if (CMediaEngine* pEngine = Engine())
            pEngine->Load(m_strUrl);
    });
}

CMediaPlayer::~CMediaPlayer()
{
    // The surface lets go of the engine's drawing before the engine goes; in
    // full screen it is not a child that the widget would delete.
    delete m_pSurface;
}

CMediaEngine* CMediaPlayer::Engine()
{
    if (m_bEngineTried)
        return m_pEngine.get();
    m_bEngineTried = true;
    const CreateMediaEngineFunction create = LoadEngineModule();
    if (create == nullptr)
        return nullptr;
    m_pEngine.reset(create());
    m_pEngine->SetChangeHandler([this] { OnEngineChanged(); });
    m_pEngine->SetVideoWantedHandler([this] { MakeSurface(); });
    m_pEngine->SetVolume(m_nVolume);
    m_pEngine->SetMute(m_bMute);
    m_pEngine->SetStretchToFit(m_bStretchToFit);
    return m_pEngine.get();
}

// The surface sets up OpenGL when it first shows, and then lets the waiting
// load go on (CVideoWindow::initializeGL). Without OpenGL the load goes on at
// once, with sound only.
void CMediaPlayer::MakeSurface()
{
    if (!CanDrawVideo() || (m_pSurface != nullptr && m_pSurface->HasRenderContext())) {
        m_pEngine->ContinueLoad();
        return;
    }
    if (m_pSurface == nullptr) {
        EnsureSurface();
        PlaceSurface();
        m_pSurface->show();
    }
    QTimer::singleShot(kSurfaceWaitMs, this, [this] { m_pEngine->ContinueLoad(); });
}

bool CMediaPlayer::EnsureSurface()
{
    if (m_pSurface != nullptr)
        return true;
    if (Engine() == nullptr)
        return false;
    m_pSurface = m_pEngine->CreateVideoOutput(this);
    m_pSurface->SetLeaveHandler([this] { put_fullScreen(false); });
    return true;
}

void CMediaPlayer::Prepare()
{
    // The module loads on a worker (the application waits for the pool's work
    // as it ends); the engine is then made on this thread, before any click.
    // The worker starts once the window has painted what it has just been
    // given: while it loads, the loader is locked, and a plugin that the
    // window's first paint needs (the icons' picture format) would wait.
    if (m_bEngineTried)
        return;
    QTimer::singleShot(0, this, [this] { LoadEngineInBackground(); });
}

void CMediaPlayer::LoadEngineInBackground()
{
    if (m_bEngineTried)
        return;
    QThreadPool::globalInstance()->start([pSelf = QPointer<CMediaPlayer>(this)]() mutable {
        LoadEngineModule();
        QMetaObject::invokeMethod(
            qApp,
            [pPlayer = std::move(pSelf)] {
                if (pPlayer != nullptr)
                    pPlayer->Engine();
            },
            Qt::QueuedConnection);
    });
}

bool CMediaPlayer::IsEngineReady() const
{
    const CMediaEngine* pEngine = const_cast<CMediaPlayer*>(this)->Engine();
    return pEngine != nullptr && pEngine->IsReady();
}

CMyString CMediaPlayer::ReadEngineProperty(const char* pName) const
{
    const CMediaEngine* pEngine = const_cast<CMediaPlayer*>(this)->Engine();
    return pEngine != nullptr ? pEngine->ReadProperty(pName) : CMyString();
}

void CMediaPlayer::put_URL(const CMyString& strUrl)
{
    CancelReconnect();
    m_strUrl = strUrl;
    if (m_bAutoStart && !m_strUrl.IsEmpty())
        Load();
}

// A load the user asked for: whatever dropped before is forgotten.
void CMediaPlayer::Load()
{
    CancelReconnect();
    m_bHeard = false;
    CMediaEngine* pEngine = Engine();
    m_bNoEngine = pEngine == nullptr || !pEngine->IsReady();
    if (m_bNoEngine)
        NotifyChanged();
    else
        pEngine->Load(m_strUrl);
}

void CMediaPlayer::OnEngineChanged()
{
    const int nState = m_pEngine->GetState().GetPlayState();
    if (nState == kPlaying) {
        if (m_bReconnecting)
            qCInfo(lcMedia, "the stream is back after %lld ms",
                   static_cast<long long>(m_sinceDrop.elapsed()));
        m_bReconnecting = false;
        m_bHeard = true;
    } else if (nState == kError && m_bHeard && !m_reconnectTimer.isActive()) {
        ScheduleReconnect();
    }
    NotifyChanged();
}

void CMediaPlayer::ScheduleReconnect()
{
    if (!m_bReconnecting) {
        qCInfo(lcMedia, "the stream stopped on its own (%s): reconnecting", get_status().GetText());
        m_bReconnecting = true;
        m_reconnectPlan.Start();
        m_sinceDrop.start();
    }
    const int64_t nDelay = m_reconnectPlan.NextDelayMs(m_sinceDrop.elapsed());
    if (nDelay < 0) {
        qCInfo(lcMedia, "the stream did not come back: reconnecting given up");
        m_bReconnecting = false;
        m_bHeard = false;
        return;
    }
    m_reconnectTimer.start(static_cast<int>(nDelay));
}

void CMediaPlayer::CancelReconnect()
{
    m_reconnectTimer.stop();
    m_bReconnecting = false;
}

bool CMediaPlayer::IsActive() const
{
    const int nState = get_playState();
    return nState == kPlaying || nState == kBuffering || nState == kConnecting;
}

void CMediaPlayer::play()
{
    // Right after put_URL with autoStart the address is already on its way.
    // Only an engine makes the player active.
    if (m_strUrl.IsEmpty() || (IsActive() && m_pEngine->GetLoadedUrl() == m_strUrl))
        return;
    Load();
}

void CMediaPlayer::stop()
{
    CancelReconnect();
    m_bHeard = false;
    m_bNoEngine = false;
    put_fullScreen(false);
    if (m_pEngine != nullptr)
        m_pEngine->Stop();
}

void CMediaPlayer::close()
{
    stop();
    m_strUrl.Empty();
}

int CMediaPlayer::get_playState() const
{
    if (m_bReconnecting)
        return kReconnecting;
    if (m_bNoEngine)
        return kError;
    return m_pEngine != nullptr ? m_pEngine->GetState().GetPlayState() : kUndefined;
}

CMyString CMediaPlayer::GetNowPlaying() const
{
    if (m_bReconnecting || m_pEngine == nullptr || m_pEngine->GetState().GetPlayState() != kPlaying)
        return {};
    return m_pEngine->GetState().GetTitle();
}

CMyString CMediaPlayer::get_status() const
{
    if (m_bReconnecting) {
        CMyString strStatus("Reconnecting (");
        strStatus.AppendInt(m_reconnectPlan.GetAttempt());
        strStatus += ")...";
        return strStatus;
    }
    if (m_bNoEngine)
        return kNoEngineText;
    return m_pEngine != nullptr ? m_pEngine->GetState().GetStatus() : CMyString();
}

void CMediaPlayer::put_fullScreen(bool bFullScreen)
{
    // Sound only so far: the full-screen window is a surface all the same.
    if (bFullScreen == m_bFullScreen || !EnsureSurface())
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
    m_bStretchToFit = bStretch;
    if (m_pEngine != nullptr)
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
    if (m_pEngine != nullptr)
        m_pEngine->SetVolume(m_nVolume);
}

void CMediaPlayer::put_mute(bool bMute)
{
    m_bMute = bMute;
    if (m_pEngine != nullptr)
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
    if (m_pSurface != nullptr && !m_bFullScreen)
        m_pSurface->setGeometry(0, 0, width(), qMax(0, height() - kControlBarHeight));
}
