// CMediaState: the media player's play state and status text, worked out from
// what the engine reports while it opens and plays an address. It knows no
// engine: CMpvEngine feeds it, and tests feed it by hand. Copying copies two
// short strings.
#pragma once

#include "MediaControl.h"
#include "MyString.h"

class CMediaState
{
public:
    // The longest title shown, in bytes.
    static constexpr uint32_t kMaxTitleLength = 256;

    // Why the engine stopped playing an address.
    enum class EndReason
    {
        kEndOfStream,
        kStopped,
        kError,
        kPlaylist, // a playlist was opened: its first entry follows
    };

    // A new address is being opened.
    void OnOpening();
    // The address is open. A live stream comes without a size; when one ends,
    // the server has gone away, which is a failure rather than the end.
    void OnOpened(bool bLive);
    // Playback has (re)started after opening or seeking.
    void OnPlaybackStarted();
    // Playback waits for the network; nPercent of the wait is filled.
    void OnBuffering(bool bWaiting, int nPercent);
    // The title the station sends along with its stream (empty: none).
    void OnTitle(const CMyString& strTitle);
    // A line of the engine's log; the first one that names a cause of failure
    // is kept for the error text.
    void OnEngineMessage(const char* pText);
    // strError is the engine's own error text, used when the log named no cause.
    void OnEnded(EndReason reason, const CMyString& strError);
    // The user stopped playing: nothing changes when nothing was playing.
    void OnStopped();

    int GetPlayState() const { return m_nPlayState; }
    CMyString GetStatus() const;
    // The station's title for what plays now, as shown; empty for none.
    const CMyString& GetTitle() const { return m_strTitle; }

private:
    int m_nPlayState = CMediaControl::kUndefined;
    bool m_bLive = false;
    bool m_bStarted = false;
    int m_nBufferPercent = 0;
    CMyString m_strTitle;
    CMyString m_strCause;
    CMyString m_strError;
};
