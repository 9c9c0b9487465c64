// CStatusLine: what the two labels of the player view's status line read
// after a tick of its timer. The station label shows " " + the current
// station's name; the status label shows "  " + the player's status, "Ready"
// when the player has none, and is written only when that text changes.
// Copying copies the last status.
#pragma once

#include "MyString.h"

class CStatusLine
{
public:
    static constexpr char kEmptyStatus[] = "Ready";
    static constexpr char kStatusPrefix[] = "  ";
    static constexpr char kStationPrefix[] = " ";

    // The station label's next text, given what it shows now: true and the
    // text in strText when the label has to change.
    static bool NextStationText(const CMyString& strShown, bool bHasStation, const CMyString& strName,
                                CMyString& strText);
    // The status label's next text for the player's status: true and the text
    // in strText when it differs from the status last shown.
    bool NextStatusText(const CMyString& strStatus, CMyString& strText);

private:
    CMyString m_strLastStatus;
};
