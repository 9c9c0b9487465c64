// CMprisHost: what the desktop's media controls (a panel applet, the media keys,
// a lock screen) ask of the program through CMprisService. The program
// implements it; every call arrives on the user-interface thread.
#pragma once

class CMprisHost
{
public:
    virtual ~CMprisHost() = default;

    // Brings the main window to the front.
    virtual void Raise() = 0;
    virtual void Quit() = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void PlayPause() = 0;
    // The next or previous station.
    virtual void Next() = 0;
    virtual void Previous() = 0;
    // dVolume is already clamped to 0..1. The controls show the new volume
    // once the program hands it back through CMprisService::Update.
    virtual void SetVolume(double dVolume) = 0;
};
