// CMediaEngine: the media engine as the media player sees it. The engine
// (libmpv and the libraries it pulls in, some two hundred) is large and only
// needed once a station plays, so it lives in a module of its own
// (libkestova_mpv.so) that CMediaPlayer loads the first time it plays; this
// header is all that the two share. Every call is made on the user-interface
// thread, and every report comes back there. Not copyable.
#pragma once

#include "MediaState.h"
#include "MyString.h"

#include <functional>

class CVideoOutput;
class QWidget;

class CMediaEngine
{
public:
    CMediaEngine() = default;
    virtual ~CMediaEngine() = default;
    CMediaEngine(const CMediaEngine&) = delete;
    CMediaEngine& operator=(const CMediaEngine&) = delete;

    // False when the engine could not be made: every call is then ignored.
    virtual bool IsReady() const = 0;
    // Opens and plays the address, replacing whatever played.
    virtual void Load(const CMyString& strUrl) = 0;
    virtual void Stop() = 0;
    virtual void SetVolume(int nVolume) = 0; // 0 to 100
    virtual void SetMute(bool bMute) = 0;
    virtual void SetStretchToFit(bool bStretch) = 0;

    // Whom to ask for a surface when a file that is about to play has video
    // and there is nothing to draw it on yet. The load waits, before its
    // decoders start, until the video output has its drawing set up, or until
    // ContinueLoad is called.
    virtual void SetVideoWantedHandler(std::function<void()> handler) = 0;
    // Lets a waiting load go on, with or without a surface.
    virtual void ContinueLoad() = 0;
    // A widget the engine draws its video into, as a child of pParent.
    virtual CVideoOutput* CreateVideoOutput(QWidget* pParent) = 0;

    virtual const CMediaState& GetState() const = 0;
    // Called after the state may have changed: a load, a stop, or a batch of
    // the engine's events.
    virtual void SetChangeHandler(std::function<void()> handler) = 0;
    // The address last opened; empty after Stop.
    virtual const CMyString& GetLoadedUrl() const = 0;
    // A property of the engine as text, or empty; for diagnostics and tests.
    virtual CMyString ReadProperty(const char* pName) const = 0;
};

// The module's one entry point: makes an engine (check IsReady).
using CreateMediaEngineFunction = CMediaEngine* (*)();
inline constexpr char kCreateMediaEngineSymbol[] = "KestovaCreateMediaEngine";
// The module's base name; the system's library naming is added to it.
inline constexpr char kMediaEngineModuleName[] = "kestova_mpv";
