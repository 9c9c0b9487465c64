// CMpvEngine: the media engine (MediaEngine.h) on libmpv, one instance of the
// engine and what it reports, on the user-interface thread. It lives in the
// engine's module (libkestova_mpv.so) with the video output. The engine runs
// threads of its own; its wake-up call only posts an event to this object, and
// the event drains the engine's queue here, so that every engine call and every
// state change happens on the thread that made the object. Options for the
// whole process (ao=null, vo=null for tests and benchmarks) come from the
// KESTOVA_MPV_OPTIONS environment variable, "name=value" pairs separated by
// commas, applied over the defaults. Not copyable.
#pragma once

#include "MediaEngine.h"
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

class CMpvEngine : public QObject, public CMediaEngine
{
public:
    static constexpr char kOptionsVariable[] = "KESTOVA_MPV_OPTIONS";

    explicit CMpvEngine(QObject* pParent = nullptr);
    ~CMpvEngine() override;

    bool IsReady() const override { return m_pHandle != nullptr; }
    // The handle for the video surface's render context; null when not ready.
    mpv_handle* GetHandle() const { return m_pHandle; }

    void Load(const CMyString& strUrl) override;
    void Stop() override;
    void SetVolume(int nVolume) override;
    void SetMute(bool bMute) override;
    void SetStretchToFit(bool bStretch) override;
    // Starts the video again, after the surface it draws on was made anew;
    // while a load waits for its first surface, lets that load go on.
    void ReloadVideo();
    void SetVideoWantedHandler(std::function<void()> handler) override { m_videoWanted = std::move(handler); }
    void ContinueLoad() override;
    CVideoOutput* CreateVideoOutput(QWidget* pParent) override;

    const CMediaState& GetState() const override { return m_state; }
    void SetChangeHandler(std::function<void()> handler) override { m_changed = std::move(handler); }
    const CMyString& GetLoadedUrl() const override { return m_strLoaded; }
    CMyString ReadProperty(const char* pName) const override;

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
