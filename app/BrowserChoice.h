// The browser that the install and uninstall pages are opened with, chosen
// (platform/Browser.h has the rule) when it is first asked for, and read on
// the user-interface thread.
#pragma once

#include "MyString.h"

// The shared browser state.
struct CBrowserState
{
    CMyString m_strProgram;
    bool m_bFirefox = false; // the user's browser is Firefox
    bool m_bFallback = true; // pages go to the fall-back browser
};

// Chooses the browser from the user's and the desktop's setting, now.
void DetectDefaultBrowser();
// The chosen browser; the first call chooses it.
const CBrowserState& GetBrowserState();
// Starts the browser program with the address as its only argument; false when
// the address is empty or the program could not be started.
bool OpenInBrowser(const CMyString& strUrl);
