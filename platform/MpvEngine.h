// CMpvEngine: one instance of the media engine (libmpv) and what it reports,
// on the user-interface thread. The engine runs threads of its own; its wake-up
// call only posts an event to this object, and the event drains the engine's
// queue here, so that every engine call and every state change happens on the
// thread that made the object. Options for the whole process (ao=null, vo=null
// for tests and benchmarks) come from the KESTOVA_MPV_OPTIONS environment
// variable, "name=value" pairs separated by commas, applied over the defaults.
// Not copyable.
#pragma once

#include "MediaState.h"
#include "MyString.h"
#include "NowPlaying.h"

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>

struct mpv_handle;
struct mpv_event;
struct mpv_node;

class CMpvEngine : public QObject
{
public:
    static constexpr char kOptionsVariable[] = "KESTOVA_MPV_OPTIONS";

    explicit CMpvEngine(QObject* pParent = nullptr);
    ~CMpvEngine() override;
    CMpvEngine(const CMpvEngine&) = delete;
    CMpvEngine& operator=(const CMpvEngine&) = delete;

    // False when the engine could not be made: every call is then ignored.
    bool IsReady() const { return m_pHandle != nullptr; }
    // The handle for the video surface's render context; null when not ready.
    mpv_handle* GetHandle() const { return m_pHandle; }

    // Opens and plays the address, replacing whatever played.
    void Load(const CMyString& strUrl);
    void Stop();
    void SetPaused(bool bPaused);
    void SetVolume(int nVolume);
    void SetMute(bool bMute);
    void SetStretchToFit(bool bStretch);
    // Starts the video again, after the surface it draws on was made anew;
    // while a load waits for its first surface, lets that load go on.
    void ReloadVideo();
    // Whom to ask for a surface when a file that is about to play has video
    // and there is nothing to draw it on yet. The load waits, before its
    // decoders start, until ReloadVideo or ContinueLoad is called.
    void SetVideoWantedHandler(std::function<void()> handler) { m_videoWanted = std::move(handler); }
    // Lets a waiting load go on, with or without a surface.
    void ContinueLoad();
    // Whether the engine draws video through a surface at all (not so with a
    // video output given for tests or benchmarks).
    bool DrawsIntoSurface() const { return m_bDrawsIntoSurface; }

    const CMediaState& GetState() const { return m_state; }
    // Called on this object's thread after the state may have changed: a
    // load, a stop, or a batch of the engine's events.
    void SetChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }
    // The address last opened; empty after Stop.
    const CMyString& GetLoadedUrl() const { return m_strLoaded; }
    // A property of the engine as text, or empty; for diagnostics and tests.
    CMyString ReadProperty(const char* pName) const;

protected:
    bool event(QEvent* pEvent) override;

private:
    static void OnWakeup(void* pContext);
    bool Initialise();
    void ApplyOptions();
    void Command(const char** ppArgs);
    void Drain();
    void TellChanged() const;
    void Handle(const mpv_event& event);
    void HandleProperty(const mpv_event& event);
    void HandleEndFile(const mpv_event& event);
    void OnMetadata(const mpv_node* pTags);
    void HandleHook(const mpv_event& event);
    bool HasVideoTrack() const;
    bool IsLive() const;

    mpv_handle* m_pHandle = nullptr;
    CMediaState m_state;
    CNowPlaying m_nowPlaying;
    CMyString m_strLoaded;
    // The engine's id of the playlist entry that plays now; events of earlier
    // entries still in the queue are ignored.
    int64_t m_nEntryId = -1;
    // A load was asked for and its start has not been reported yet.
    bool m_bLoadPending = false;
    // The engine's last word on waiting for the network.
    bool m_bWaitingForCache = false;
    int m_nCachePercent = 0;
    std::atomic<bool> m_bWakePosted{false};
    std::function<void()> m_changed;
    std::function<void()> m_videoWanted;
    // The engine's id of the hook that a load waits in for a surface; 0 for none.
    uint64_t m_nHeldHook = 0;
    bool m_bDrawsIntoSurface = false;
};
