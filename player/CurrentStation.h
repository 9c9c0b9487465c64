// CCurrentStation: the station the player view plays next. Other parts set it
// and then ask the view to play it; playing does not clear it. Copying copies
// two strings.
#pragma once

#include "MyString.h"

#include <cstdint>

struct CCatalogItem;

struct CCurrentStation
{
    int32_t m_nHasStation = 0; // from a catalogue item's kind: a folder clears it
    int32_t m_nWeb = 0;        // 1: a page for the browser; 0: a stream
    CMyString m_strName;       // shown in the station label
    CMyString m_strAddress;
    CMyString m_strIconFile; // the station's cached icon, when the catalogue has one

    // Takes the item's kind, web flag, caption path and address; null is ignored.
    void Assign(const CCatalogItem* pItem);
    // Sets a station; false, changing nothing, when the address or name is empty.
    bool Set(const CMyString& strAddress, const CMyString& strName, bool bWeb);
    bool CanPlay() const { return m_nHasStation != 0 && !m_strAddress.IsEmpty(); }
    bool IsWeb() const { return m_nWeb != 0; }
    // The address handed to the controls: everything before its first "&".
    CMyString GetPlayAddress() const;
};
