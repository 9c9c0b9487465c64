// CMediaControl: what the player view asks of its media player, the control
// that plays a station's stream inside the view. CMediaPlayer plays with the
// media engine; CMediaPlayerStandIn only records, for tests that need no
// engine. Members keep the control's names: put_/get_ pairs for its
// properties, play and stop for its controls, and the settings volume, mute,
// autoStart, enableErrorDialogs and enableContextMenu. Widgets are not
// copyable.
#pragma once

#include "MyString.h"

#include <QWidget>
#include <functional>

class CMediaControl : public QWidget
{
public:
    // What get_playState answers.
    enum PlayState : int
    {
        kUndefined = 0,
        kStopped = 1,
        kPaused = 2,
        kPlaying = 3,
        kBuffering = 6,
        kConnecting = 7,
        kMediaEnded = 8,
        kReconnecting = 11,
        kError = 12,
    };

    using QWidget::QWidget;

    // The address to play. With autoStart on, setting it starts playing it.
    virtual void put_URL(const CMyString& strUrl) = 0;
    virtual CMyString get_URL() const = 0;
    // The controls: play (again) the address, or stop playing it.
    virtual void play() = 0;
    virtual void stop() = 0;
    // Stops and lets go of the address.
    virtual void close() = 0;
    virtual int get_playState() const = 0;
    // A short text for the user: "Playing", "Buffering (45%)", "Error: ...";
    // empty before anything was played.
    virtual CMyString get_status() const = 0;
    virtual void put_fullScreen(bool bFullScreen) = 0;
    virtual bool get_fullScreen() const = 0;
    // Shows video fitted to the control (true) or at its own size.
    virtual void put_stretchToFit(bool bStretch) = 0;
    virtual void put_enableContextMenu(bool bEnable) = 0;
    // Opens the address in the user's web browser; false when it could not.
    virtual bool launchURL(const CMyString& strUrl) = 0;

    // The settings.
    virtual void put_volume(int nVolume) = 0; // 0 to 100
    virtual int get_volume() const = 0;
    virtual void put_mute(bool bMute) = 0;
    virtual bool get_mute() const = 0;
    virtual void put_autoStart(bool bAutoStart) = 0;
    virtual void put_enableErrorDialogs(bool bEnable) = 0;

    // Loads in the background what the first play needs, so that the first
    // station starts at once; a host calls it once its window is up.
    virtual void Prepare() {}

    // The title the station sends for what plays now; empty when it sends
    // none or nothing plays.
    virtual CMyString GetNowPlaying() const { return {}; }

    // Whom to tell, on the user-interface thread, whenever get_status or
    // get_playState may answer anew, so that a host follows the player
    // without polling it.
    void SetChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

protected:
    void NotifyChanged() const
    {
        if (m_changed)
            m_changed();
    }

private:
    std::function<void()> m_changed;
};
