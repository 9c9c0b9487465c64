// CDesktopControls: the main window on the desktop's media controls (media
// keys, the panel's sound menu, the lock screen), through the MPRIS service
// on the session bus. It shows what the player view plays, the station and the
// volume, and turns what the user asks there into the frame's own commands,
// so that a press on the desktop does what the same press on the window does.
// Without a session bus it does nothing. Not copyable.
#pragma once

#include "MprisHost.h"
#include "MprisService.h"
#include "MyString.h"

class CMainFrame;

class CDesktopControls : public CMprisHost
{
public:
    explicit CDesktopControls(CMainFrame& frame);
    CDesktopControls(const CDesktopControls&) = delete;
    CDesktopControls& operator=(const CDesktopControls&) = delete;

    // Takes the program's name on the session bus; false without one.
    bool Start();
    // Hands the controls what the window shows now.
    void Refresh();

    void Raise() override;
    void Quit() override;
    void Play() override;
    void Stop() override;
    void PlayPause() override;
    void Next() override;
    void Previous() override;
    void SetVolume(double dVolume) override;

private:
    CMprisState MakeState();
    bool IsPlaying() const;

    CMainFrame& m_frame;
    CMprisService m_service;
    // The station last shown, and its number for the controls' track id.
    CMyString m_strStationAddress;
    int m_nTrack = 0;
};
