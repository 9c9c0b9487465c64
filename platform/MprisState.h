// CMprisState: what the desktop's media controls show of the program, handed to
// CMprisService::Update whenever any of it changes. A copy costs the copies of
// its three strings.
#pragma once

#include "MyString.h"

struct CMprisState
{
    // "Playing", else "Stopped": the program has no pause.
    bool m_bPlaying = false;
    // The now-playing title, or the station's caption.
    CMyString m_strTitle;
    // The station's caption, shown as album and artist. Empty: nothing is loaded,
    // and the controls show no track at all.
    CMyString m_strStation;
    // Local path of the station's icon; empty: no picture.
    CMyString m_strArtFile;
    // Changes with the station, so that the controls can tell one station from
    // the next even when two share a caption.
    int m_nTrack = 0;
    double m_dVolume = 0.5;
    bool m_bCanGoNext = false;
    bool m_bCanGoPrevious = false;
    bool m_bCanPlay = false;

    bool operator==(const CMprisState& other) const = default;
};
