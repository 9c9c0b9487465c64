#include "Browser.h"

#include "../support/TestHome.h"

#include <QCoreApplication>
#include "../support/CoreApp.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins only: no test ever starts a real browser or asks the real desktop.
class BrowserTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureCoreApplication();
    }

    void SetUp() override
    {
        ::setenv("PATH", (m_home.Bin().string() + ":/usr/bin:/bin").c_str(), 1);
        ::unsetenv("BROWSER");
    }

    void InstallFirefox() const { CTestHome::WriteScript(m_home.Bin() / "firefox", "exit 0\n"); }
    // A stand-in for xdg-settings that answers only the question the program asks.
    void InstallXdgSettings(const std::string& strAnswer) const
    {
        CTestHome::WriteScript(m_home.Bin() / "xdg-settings",
                               "[ \"$1 $2\" = 'get default-web-browser' ] || exit 1\n" + strAnswer);
    }

    CTestHome m_home;
};

TEST_F(BrowserTest, TheChoiceNamesFirefoxOrFallsBackToXdgOpen)
{
    InstallFirefox();
    const std::string strFirefoxPath = (m_home.Bin() / "firefox").string();
    struct Case
    {
        std::string strVariable;
        std::string strDesktop;
        std::string strProgram;
        bool bFirefox;
    };
    const Case cases[] = {
        {"", "firefox.desktop", "firefox", true},
        {"", "FIREFOX.DESKTOP", "firefox", true},
        {"", "firefox-esr.desktop", "firefox", true},
        {"", "org.mozilla.firefox.desktop", "firefox", true},
        {"", "chromium.desktop", "xdg-open", false},
        {"", "", "xdg-open", false},
        // $BROWSER is the user's word and comes before the desktop's.
        {"firefox", "chromium.desktop", "firefox", true},
        {"chromium", "firefox.desktop", "xdg-open", false},
        {"firefox %s:chromium", "", "firefox", true},
        {"chromium:firefox", "", "xdg-open", false},
        {strFirefoxPath, "", strFirefoxPath, true},
        {"/no/such/firefox", "", "xdg-open", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE("BROWSER=" + test.strVariable + " desktop=" + test.strDesktop);
        const CBrowser browser = CBrowser::Choose(test.strVariable.c_str(), test.strDesktop.c_str());
        EXPECT_EQ(browser.GetProgram().GetText(), test.strProgram);
        EXPECT_EQ(browser.IsFirefox(), test.bFirefox);
        EXPECT_EQ(browser.IsFallback(), !test.bFirefox);
    }
}

TEST_F(BrowserTest, AFirefoxThatIsNotInstalledIsNotChosen)
{
    ::setenv("PATH", m_home.Bin().c_str(), 1);
    const CBrowser browser = CBrowser::Choose("", "firefox.desktop");
    EXPECT_EQ(browser.GetProgram(), "xdg-open");
    EXPECT_TRUE(browser.IsFallback());
}

TEST_F(BrowserTest, TheDesktopIsAskedWithXdgSettings)
{
    InstallXdgSettings("echo firefox.desktop\n");
    EXPECT_EQ(CBrowser::QueryDesktopDefault(), "firefox.desktop");

    InstallXdgSettings("echo 'no desktop' >&2; exit 3\n");
    EXPECT_EQ(CBrowser::QueryDesktopDefault(), "");

    // A desktop that never answers is given up on.
    InstallXdgSettings("exec sleep 60\n");
    EXPECT_EQ(CBrowser::QueryDesktopDefault(200), "");

    std::filesystem::remove(m_home.Bin() / "xdg-settings");
    ::setenv("PATH", m_home.Bin().c_str(), 1);
    EXPECT_EQ(CBrowser::QueryDesktopDefault(), "");
}

TEST_F(BrowserTest, DetectTakesBrowserFromTheEnvironmentBeforeTheDesktop)
{
    InstallFirefox();
    InstallXdgSettings("echo firefox.desktop\n");
    EXPECT_TRUE(CBrowser::Detect().IsFirefox());

    ::setenv("BROWSER", "chromium", 1);
    EXPECT_EQ(CBrowser::Detect().GetProgram(), "xdg-open");

    ::setenv("BROWSER", "", 1);
    EXPECT_EQ(CBrowser::Detect().GetProgram(), "firefox");
}

} // namespace
