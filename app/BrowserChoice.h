// The browser that the install and uninstall pages are opened with, chosen once
// at start by DetectDefaultBrowser (platform/Browser.h has the rule) and read
// afterwards on the user-interface thread. Until then it is the fall-back
// browser.
#pragma once

#include "MyString.h"

// The shared browser state.
struct CBrowserState
{
    CMyString m_strProgram;
    bool m_bFirefox = false; // the user's browser is Firefox
    bool m_bFallback = true; // pages go to the fall-back browser
};

// Chooses the browser from the user's and the desktop's setting.
void DetectDefaultBrowser();
const CBrowserState& GetBrowserState();
// Starts the browser program with the address as its only argument; false when
// the address is empty or the program could not be started.
bool OpenInBrowser(const CMyString& strUrl);
