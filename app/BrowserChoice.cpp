#include "BrowserChoice.h"

#include "ArrayString.h"
#include "Browser.h"
#include "Process.h"

namespace {

CBrowserState& SharedState()
{
    static CBrowserState s_state{CMyString("xdg-open"), false, true};
    return s_state;
}

bool s_bDetected = false;

} // namespace

void DetectDefaultBrowser()
{
    s_bDetected = true;
    const CBrowser browser = CBrowser::Detect();
    CBrowserState& state = SharedState();
    state.m_strProgram = browser.GetProgram();
    state.m_bFirefox = browser.IsFirefox();
    state.m_bFallback = browser.IsFallback();
}

// Asking the desktop takes a noticeable time (it runs a program), and only
// opening a page needs the answer: it is asked then, once.
const CBrowserState& GetBrowserState()
{
    if (!s_bDetected)
        DetectDefaultBrowser();
    return SharedState();
}

bool OpenInBrowser(const CMyString& strUrl)
{
    if (strUrl.IsEmpty())
        return false;
    CArrayString arguments;
    arguments.Add(strUrl);
    return StartDetached(GetBrowserState().m_strProgram, arguments);
}
