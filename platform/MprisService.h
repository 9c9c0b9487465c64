// CMprisService: the program's entry on the desktop's media controls (MPRIS 2).
// It owns the name org.mpris.MediaPlayer2.kestova on the session bus and serves
// the object /org/mpris/MediaPlayer2 from the state the program last handed it,
// passing the controls' requests on to a CMprisHost. Without a session bus it
// stays unregistered and the program runs as it would without it.
// Not copyable: it owns the bus name and the object.
#pragma once

#include "MprisState.h"

#include <memory>

class CMprisHost;
class CMprisObject;

class CMprisService
{
public:
    static constexpr char kBusName[] = "org.mpris.MediaPlayer2.kestova";
    static constexpr char kObjectPath[] = "/org/mpris/MediaPlayer2";

    // The host must outlive the service; it is called on the user-interface
    // thread, the thread that makes the service.
    explicit CMprisService(CMprisHost& host);
    ~CMprisService();
    CMprisService(const CMprisService&) = delete;
    CMprisService& operator=(const CMprisService&) = delete;

    // Connects to the session bus, serves the object and takes the bus name.
    // False, after one log line, when there is no session bus or the name is
    // someone else's.
    bool Register();
    bool IsRegistered() const { return m_bRegistered; }
    // Keeps the state and, when registered, tells the controls which of the
    // player's properties changed.
    void Update(const CMprisState& state);

    // For a second start of the program: asks the copy that owns the bus name to
    // raise its window. True when it answered within two seconds.
    static bool RaiseRunningCopy();

private:
    bool RequestBusName();
    void Unregister();

    CMprisState m_state;
    std::unique_ptr<CMprisObject> m_pObject;
    bool m_bRegistered = false;
};
