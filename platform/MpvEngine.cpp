#include "MpvEngine.h"

#include "Logging.h"
#include "MediaLogging.h"
#include "QtText.h"
#include "VideoSurface.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <clocale>
#include <mpv/client.h>

namespace {

const QEvent::Type kWakeupEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
constexpr uint64_t kLoadReply = 1;
// Run by the engine once a file is open, before its tracks are chosen and its
// decoders started: the one moment to make a surface for its video.
constexpr char kPreloadedHook[] = "on_preloaded";

// Embedded use: no configuration files, scripts, key bindings or on-screen
// display of the engine's own, and bounded waits and caches for live streams.
constexpr const char* kDefaultOptions[][2] = {
    {"config", "no"},
    {"load-scripts", "no"},
    // The built-in scripts load whatever load-scripts says; each is a Lua
    // state of its own, memory that a player without an on-screen display
    // never uses.
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"ytdl", "no"},
    {"osc", "no"},
    {"input-default-bindings", "no"},
    {"idle", "yes"},
    {"keep-open", "no"},
    {"osd-level", "0"},
    {"audio-display", "no"},
    {"audio-client-name", "Kestova"},
    // Video is drawn through the render API into the player's own widget; a
    // machine without a graphics card still shows it with software OpenGL.
    {"vo", "libmpv"},
    {"gpu-sw", "yes"},
    {"hwdec", "no"},
    // A stalled stream ends instead of waiting for ever.
    {"network-timeout", "15"},
    {"demuxer-max-bytes", "16MiB"},
    {"demuxer-max-back-bytes", "4MiB"},
};

CMyString ErrorText(int nError)
{
    switch (nError) {
    case MPV_ERROR_LOADING_FAILED:
        return "Cannot open the station";
    case MPV_ERROR_UNKNOWN_FORMAT:
        return "Unrecognised format";
    case MPV_ERROR_NOTHING_TO_PLAY:
        return "Nothing to play";
    case MPV_ERROR_AO_INIT_FAILED:
        return "No sound output";
    default:
        return mpv_error_string(nError);
    }
}

// The value of a key of the engine's metadata map, whatever its case.
CMyString MetadataValue(const mpv_node& map, const char* pKey)
{
    if (map.format != MPV_FORMAT_NODE_MAP || map.u.list == nullptr)
        return {};
    const mpv_node_list& list = *map.u.list;
    for (int i = 0; i < list.num; ++i) {
        if (qstricmp(list.keys[i], pKey) == 0 && list.values[i].format == MPV_FORMAT_STRING)
            return CMyString(list.values[i].u.string);
    }
    return {};
}

CMediaState::EndReason ToEndReason(mpv_end_file_reason reason)
{
    switch (reason) {
    case MPV_END_FILE_REASON_EOF:
        return CMediaState::EndReason::kEndOfStream;
    case MPV_END_FILE_REASON_ERROR:
        return CMediaState::EndReason::kError;
    case MPV_END_FILE_REASON_REDIRECT:
        return CMediaState::EndReason::kPlaylist;
    default:
        return CMediaState::EndReason::kStopped;
    }
}

} // namespace

CMpvEngine::CMpvEngine(QObject* pParent) : QObject(pParent)
{
    if (!Initialise() && m_pHandle != nullptr) {
        mpv_terminate_destroy(m_pHandle);
        m_pHandle = nullptr;
    }
}

CMpvEngine::~CMpvEngine()
{
    if (m_pHandle == nullptr)
        return;
    // Wake-ups queued before this point die with the object.
    mpv_set_wakeup_callback(m_pHandle, nullptr, nullptr);
    mpv_terminate_destroy(m_pHandle);
}

bool CMpvEngine::Initialise()
{
    // The engine refuses to start under a locale that writes numbers with a comma.
    std::setlocale(LC_NUMERIC, "C");
    m_pHandle = mpv_create();
    if (m_pHandle == nullptr) {
        qCWarning(lcMedia) << "the media engine could not be created";
        return false;
    }
    ApplyOptions();
    if (mpv_initialize(m_pHandle) < 0) {
        qCWarning(lcMedia) << "the media engine could not be initialised";
        return false;
    }
    mpv_request_log_messages(m_pHandle, "warn");
    mpv_observe_property(m_pHandle, 0, "paused-for-cache", MPV_FORMAT_FLAG);
    mpv_observe_property(m_pHandle, 0, "cache-buffering-state", MPV_FORMAT_INT64);
    mpv_observe_property(m_pHandle, 0, "metadata", MPV_FORMAT_NODE);
    m_bDrawsIntoSurface = ReadProperty("options/vo") == "libmpv";
    if (m_bDrawsIntoSurface)
        mpv_hook_add(m_pHandle, 0, kPreloadedHook, 0);
    mpv_set_wakeup_callback(m_pHandle, &CMpvEngine::OnWakeup, this);
    return true;
}

void CMpvEngine::ApplyOptions()
{
    for (const auto& option : kDefaultOptions)
        mpv_set_option_string(m_pHandle, option[0], option[1]);
    const QStringList extra = qEnvironmentVariable(kOptionsVariable).split(u',', Qt::SkipEmptyParts);
    for (const QString& strPair : extra) {
        const QByteArray name = strPair.section(u'=', 0, 0).trimmed().toUtf8();
        const QByteArray value = strPair.section(u'=', 1).trimmed().toUtf8();
        if (mpv_set_option_string(m_pHandle, name.constData(), value.constData()) < 0)
            qCWarning(lcMedia) << "media engine option not taken:" << strPair;
    }
}

void CMpvEngine::OnWakeup(void* pContext)
{
    // Called on one of the engine's threads: only post, and only once until handled.
    auto* pEngine = static_cast<CMpvEngine*>(pContext);
    if (!pEngine->m_bWakePosted.exchange(true))
        QCoreApplication::postEvent(pEngine, new QEvent(kWakeupEvent));
}

bool CMpvEngine::event(QEvent* pEvent)
{
    if (pEvent->type() != kWakeupEvent)
        return QObject::event(pEvent);
    m_bWakePosted = false;
    Drain();
    return true;
}

void CMpvEngine::Drain()
{
    bool bHandled = false;
    while (m_pHandle != nullptr) {
        const mpv_event* pEvent = mpv_wait_event(m_pHandle, 0);
        if (pEvent->event_id == MPV_EVENT_NONE)
            break;
        Handle(*pEvent);
        bHandled = true;
    }
    if (bHandled)
        TellChanged();
}

void CMpvEngine::TellChanged() const
{
    if (m_changed)
        m_changed();
}

void CMpvEngine::Command(const char** ppArgs)
{
    if (m_pHandle != nullptr)
        mpv_command_async(m_pHandle, 0, ppArgs);
}

void CMpvEngine::Load(const CMyString& strUrl)
{
    if (m_pHandle == nullptr)
        return;
    ContinueLoad();
    m_strLoaded = strUrl;
    m_bLoadPending = true;
    m_state.OnOpening();
    m_nowPlaying.Reset();
    const char* args[] = {"loadfile", strUrl.GetText(), "replace", nullptr};
    MarkTime("loadfile");
    mpv_command_async(m_pHandle, kLoadReply, args);
    TellChanged();
}

void CMpvEngine::Stop()
{
    ContinueLoad();
    const char* args[] = {"stop", nullptr};
    Command(args);
    m_strLoaded.Empty();
    m_bLoadPending = false;
    m_state.OnStopped();
    TellChanged();
}

void CMpvEngine::SetVolume(int nVolume)
{
    double dVolume = nVolume < 0 ? 0.0 : (nVolume > 100 ? 100.0 : nVolume);
    if (m_pHandle != nullptr)
        mpv_set_property_async(m_pHandle, 0, "volume", MPV_FORMAT_DOUBLE, &dVolume);
}

void CMpvEngine::SetMute(bool bMute)
{
    int nFlag = bMute ? 1 : 0;
    if (m_pHandle != nullptr)
        mpv_set_property_async(m_pHandle, 0, "mute", MPV_FORMAT_FLAG, &nFlag);
}

void CMpvEngine::SetStretchToFit(bool bStretch)
{
    int nUnscaled = bStretch ? 0 : 1;
    if (m_pHandle != nullptr)
        mpv_set_property_async(m_pHandle, 0, "video-unscaled", MPV_FORMAT_FLAG, &nUnscaled);
}

void CMpvEngine::ReloadVideo()
{
    if (m_nHeldHook != 0) {
        ContinueLoad();
        return;
    }
    if (m_strLoaded.IsEmpty())
        return;
    const char* args[] = {"video-reload", nullptr};
    Command(args);
}

CVideoOutput* CMpvEngine::CreateVideoOutput(QWidget* pParent)
{
    return new CVideoSurface(*this, pParent);
}

void CMpvEngine::ContinueLoad()
{
    if (m_nHeldHook == 0 || m_pHandle == nullptr)
        return;
    mpv_hook_continue(m_pHandle, m_nHeldHook);
    m_nHeldHook = 0;
}

// A load with video waits in the hook until there is a surface; anything
// else goes on at once.
void CMpvEngine::HandleHook(const mpv_event& event)
{
    const auto* pHook = static_cast<const mpv_event_hook*>(event.data);
    ContinueLoad();
    m_nHeldHook = pHook->id;
    if (QByteArray(pHook->name) == kPreloadedHook && m_videoWanted && HasVideoTrack())
        m_videoWanted();
    else
        ContinueLoad();
}

bool CMpvEngine::HasVideoTrack() const
{
    int64_t nCount = 0;
    if (mpv_get_property(m_pHandle, "track-list/count", MPV_FORMAT_INT64, &nCount) < 0)
        return false;
    for (int64_t i = 0; i < nCount; ++i) {
        const QByteArray prefix = "track-list/" + QByteArray::number(static_cast<qint64>(i)) + "/";
        if (ReadProperty((prefix + "type").constData()) == "video" &&
            ReadProperty((prefix + "albumart").constData()) != "yes")
            return true;
    }
    return false;
}

CMyString CMpvEngine::ReadProperty(const char* pName) const
{
    if (m_pHandle == nullptr)
        return {};
    char* pValue = mpv_get_property_string(m_pHandle, pName);
    const CMyString strValue(pValue);
    mpv_free(pValue);
    return strValue;
}

bool CMpvEngine::IsLive() const
{
    // Asked as the address opens. A radio stream comes without a size. An HLS
    // stream has the size of its playlist, and is live unless the playlist is
    // finished: the demuxer seeks only in finished ones.
    int64_t nSize = 0;
    if (mpv_get_property(m_pHandle, "file-size", MPV_FORMAT_INT64, &nSize) < 0 || nSize <= 0)
        return true;
    return ReadProperty("file-format") == "hls" && ReadProperty("seekable") != "yes";
}

void CMpvEngine::Handle(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_nEntryId = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        m_bLoadPending = false;
        m_state.OnOpening();
        break;
    case MPV_EVENT_FILE_LOADED:
        if (!m_bLoadPending)
            m_state.OnOpened(IsLive());
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (!m_bLoadPending)
            m_state.OnPlaybackStarted();
        break;
    case MPV_EVENT_END_FILE:
        HandleEndFile(event);
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        HandleProperty(event);
        break;
    case MPV_EVENT_HOOK:
        HandleHook(event);
        break;
    case MPV_EVENT_LOG_MESSAGE:
        m_state.OnEngineMessage(static_cast<const mpv_event_log_message*>(event.data)->text);
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata == kLoadReply && event.error < 0 && m_bLoadPending) {
            m_bLoadPending = false;
            m_state.OnEnded(CMediaState::EndReason::kError, ErrorText(event.error));
        }
        break;
    default:
        break;
    }
}

void CMpvEngine::HandleProperty(const mpv_event& event)
{
    const auto* pProperty = static_cast<const mpv_event_property*>(event.data);
    const QByteArray name(pProperty->name);
    // Changes that belong to the station before a pending load are not shown.
    if (name == "metadata") {
        if (!m_bLoadPending)
            OnMetadata(pProperty->format == MPV_FORMAT_NODE ? static_cast<const mpv_node*>(pProperty->data)
                                                            : nullptr);
        return;
    }
    if (name == "paused-for-cache" && pProperty->format == MPV_FORMAT_FLAG)
        m_bWaitingForCache = *static_cast<int*>(pProperty->data) != 0;
    else if (name == "cache-buffering-state" && pProperty->format == MPV_FORMAT_INT64)
        m_nCachePercent = static_cast<int>(*static_cast<int64_t*>(pProperty->data));
    else
        return;
    if (!m_bLoadPending)
        m_state.OnBuffering(m_bWaitingForCache, m_nCachePercent);
}

// The station's tags (null: none): a radio server's stream title (ICY), the
// comments of Ogg and Opus streams, tags of files and timed metadata of HLS.
void CMpvEngine::OnMetadata(const mpv_node* pTags)
{
    if (pTags == nullptr) {
        m_nowPlaying.Reset();
        m_state.OnTitle({});
        return;
    }
    m_state.OnTitle(m_nowPlaying.Update(MetadataValue(*pTags, "icy-title"), MetadataValue(*pTags, "title"),
                                        MetadataValue(*pTags, "artist")));
}

void CMpvEngine::HandleEndFile(const mpv_event& event)
{
    const auto* pEnd = static_cast<const mpv_event_end_file*>(event.data);
    // The end of an entry that a newer load has already replaced.
    if (pEnd->playlist_entry_id != m_nEntryId || m_bLoadPending)
        return;
    m_state.OnEnded(ToEndReason(pEnd->reason),
                    pEnd->reason == MPV_END_FILE_REASON_ERROR ? ErrorText(pEnd->error) : CMyString());
    if (pEnd->reason != MPV_END_FILE_REASON_REDIRECT)
        m_strLoaded.Empty();
}
