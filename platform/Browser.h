// The web browser that pages are opened with. The user's choice is $BROWSER
// when it is set (the xdg-utils convention: a ":"-separated list of commands,
// the first one counts), else the desktop's default browser as
// `xdg-settings get default-web-browser` names it. A choice that names Firefox
// opens pages with Firefox itself; anything else, or nothing at all, opens them
// with xdg-open in the role of the fall-back browser, which hands them to the
// desktop's default. Copying copies one string.
#pragma once

#include "MyString.h"

class CBrowser
{
public:
    // How long the desktop's answer is waited for.
    static constexpr int kQueryTimeoutMs = 3000;

    // The browser for the user's choice, asking the desktop when $BROWSER is not set.
    static CBrowser Detect(int nTimeoutMs = kQueryTimeoutMs);
    // The browser for a choice: strBrowserVariable is the value of $BROWSER
    // (empty when unset), strDesktopDefault the desktop's default browser (a
    // desktop file name such as "firefox.desktop", or empty). A Firefox that
    // cannot be found in $PATH is not chosen.
    static CBrowser Choose(const CMyString& strBrowserVariable, const CMyString& strDesktopDefault);
    // The desktop's default browser, or empty when the desktop does not answer
    // within the time (or has no xdg-settings).
    static CMyString QueryDesktopDefault(int nTimeoutMs = kQueryTimeoutMs);

    const CMyString& GetProgram() const { return m_strProgram; }
    bool IsFirefox() const { return m_bFirefox; }
    bool IsFallback() const { return !m_bFirefox; }

private:
    CBrowser(const CMyString& strProgram, bool bFirefox) : m_strProgram(strProgram), m_bFirefox(bFirefox) {}

    CMyString m_strProgram;
    bool m_bFirefox;
};
