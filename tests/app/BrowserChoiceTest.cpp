#include "BrowserChoice.h"

#include "../support/TestHome.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include "../support/CoreApp.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins only: no test ever starts a real browser or asks the real desktop.
class BrowserChoiceTest : public ::testing::Test
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
        CTestHome::WriteScript(m_home.Bin() / "xdg-settings", "echo chromium.desktop\n");
    }

    CTestHome m_home;
};

TEST_F(BrowserChoiceTest, TheStateFollowsTheUsersBrowser)
{
    DetectDefaultBrowser();
    EXPECT_EQ(GetBrowserState().m_strProgram, "xdg-open");
    EXPECT_TRUE(GetBrowserState().m_bFallback);
    EXPECT_FALSE(GetBrowserState().m_bFirefox);

    CTestHome::WriteScript(m_home.Bin() / "firefox", "exit 0\n");
    CTestHome::WriteScript(m_home.Bin() / "xdg-settings", "echo firefox.desktop\n");
    DetectDefaultBrowser();
    EXPECT_EQ(GetBrowserState().m_strProgram, "firefox");
    EXPECT_TRUE(GetBrowserState().m_bFirefox);
    EXPECT_FALSE(GetBrowserState().m_bFallback);
}

TEST_F(BrowserChoiceTest, APageOpensInTheChosenBrowserWithItsAddressAsTheOnlyArgument)
{
    const std::filesystem::path output = m_home.Root() / "opened";
    const std::filesystem::path browser = m_home.Bin() / "firefox";
    CTestHome::WriteScript(browser, "echo \"$#:$1\" > '" + output.string() + ".tmp'\nmv '" + output.string() +
                                        ".tmp' '" + output.string() + "'\n");
    ::setenv("BROWSER", browser.c_str(), 1);
    DetectDefaultBrowser();

    EXPECT_FALSE(OpenInBrowser(""));
    ASSERT_TRUE(OpenInBrowser("http://server/InstallPage.htm?a=1&b=2"));
    const QDeadlineTimer giveUp(30000);
    while (!std::filesystem::exists(output) && !giveUp.hasExpired())
        QThread::msleep(10);
    EXPECT_EQ(CTestHome::ReadFile(output), "1:http://server/InstallPage.htm?a=1&b=2\n");
}

} // namespace
