// CMediaPlayer: the media player control on the media engine (libmpv). One
// engine per player, made on the user-interface thread after its module
// (MediaEngine.h) has loaded: in the background once the host calls Prepare,
// else when the player is first asked to play (or for one of its properties).
// Without the module a play shows kNoEngineText. The video surface, and with it
// an OpenGL context, is made only when a file with video is about to play, or
// for full screen. The widget shows the video in its upper part; its lowest
// kControlBarHeight pixels are where a control bar would sit, kept empty, so
// that a host that pushes that strip out of sight loses no picture. Full screen
// moves the video to a window of its own; Esc or a double-click there brings it
// back. The engine never shows dialogs or menus, so enableErrorDialogs and
// enableContextMenu only keep their values.
//
// A stream that played and then stopped on its own (the server went away, the
// network dropped, the stream stalled past the engine's time-out) is opened
// again by itself, on the back-off of CReconnectPlan, with the status
// "Reconnecting (n)..." meanwhile; put_URL, play, stop and close end the
// attempts at once. An address that never played shows its error as it is.
// Widgets are not copyable.
#pragma once

#include "MediaControl.h"
#include "ReconnectPlan.h"

#include <QElapsedTimer>
#include <QTimer>
#include <memory>

class CMediaEngine;
class CVideoOutput;

class CMediaPlayer : public CMediaControl
{
public:
    static constexpr int kControlBarHeight = 66;
    // The status of a play when the media engine cannot be loaded or started.
    static constexpr char kNoEngineText[] = "Error: The media engine cannot be started";

    explicit CMediaPlayer(QWidget* pParent = nullptr);
    ~CMediaPlayer() override;

    // False when the engine could not be made: the player then plays nothing.
    bool IsEngineReady() const;
    // A property of the engine as text ("volume", "mute", "path"), or empty;
    // for diagnostics and tests.
    CMyString ReadEngineProperty(const char* pName) const;
    // Null until a video (or full screen) needed one.
    CVideoOutput* GetVideoSurface() const { return m_pSurface; }
    // Whether the engine has been started.
    bool HasEngine() const { return m_pEngine != nullptr; }

    void put_URL(const CMyString& strUrl) override;
    CMyString get_URL() const override { return m_strUrl; }
    void play() override;
    void stop() override;
    void close() override;
    int get_playState() const override;
    CMyString GetNowPlaying() const override;
    CMyString get_status() const override;
    void put_fullScreen(bool bFullScreen) override;
    bool get_fullScreen() const override { return m_bFullScreen; }
    void put_stretchToFit(bool bStretch) override;
    void put_enableContextMenu(bool bEnable) override { m_bContextMenu = bEnable; }
    bool launchURL(const CMyString& strUrl) override;
    void put_volume(int nVolume) override;
    int get_volume() const override { return m_nVolume; }
    void put_mute(bool bMute) override;
    bool get_mute() const override { return m_bMute; }
    void put_autoStart(bool bAutoStart) override { m_bAutoStart = bAutoStart; }
    void put_enableErrorDialogs(bool bEnable) override { m_bErrorDialogs = bEnable; }
    // Loads the engine's module on a worker thread.
    void Prepare() override;

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void PlaceSurface();
    bool IsActive() const;
    // Null when the engine's module cannot be loaded.
    CMediaEngine* Engine();
    void MakeSurface();
    // False when there is no engine to make one.
    bool EnsureSurface();
    void Load();
    void LoadEngineInBackground();
    void OnEngineChanged();
    void ScheduleReconnect();
    void CancelReconnect();

    std::unique_ptr<CMediaEngine> m_pEngine;
    bool m_bEngineTried = false;
    bool m_bStretchToFit = true;
    CVideoOutput* m_pSurface = nullptr;
    CMyString m_strUrl;
    int m_nVolume = 50;
    bool m_bMute = false;
    bool m_bAutoStart = true;
    bool m_bErrorDialogs = false;
    bool m_bContextMenu = false;
    bool m_bFullScreen = false;
    // The address now open has played: should it stop on its own, it is a drop.
    bool m_bHeard = false;
    bool m_bReconnecting = false;
    // The last play found no engine to play with.
    bool m_bNoEngine = false;
    CReconnectPlan m_reconnectPlan;
    QElapsedTimer m_sinceDrop;
    QTimer m_reconnectTimer;
};
