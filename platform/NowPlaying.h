// CNowPlaying: the title of what plays now, worked out from the tags that the
// engine reports for a station. A radio server's stream title wins; else the
// piece's title, after its artist when there is one. The engine joins the tags
// of each new part of a chained Ogg stream to the earlier ones with ";", so a
// tag that grew that way counts only for what was added. Copying copies four
// short strings.
#pragma once

#include "MyString.h"

class CNowPlaying
{
public:
    // A new address: nothing reported yet.
    void Reset();
    // The tags now (empty: absent); returns the title to show, empty for none.
    CMyString Update(const CMyString& strStreamTitle, const CMyString& strTitle, const CMyString& strArtist);

private:
    struct Tag
    {
        CMyString m_strReported;
        CMyString m_strLatest;
        const CMyString& Update(const CMyString& strReported);
    };

    Tag m_title;
    Tag m_artist;
};
