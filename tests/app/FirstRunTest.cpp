#include "FirstRun.h"

#include "Registry.h"
#include "Settings.h"
#include "../support/TestHome.h"

#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class FirstRunTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(Settings().SetInstallPath(m_program.c_str()), 0); }

    std::filesystem::path WorkingRes() const { return m_home.Data() / "Kestova" / "res"; }

    CTestHome m_home;
    const std::filesystem::path m_program = m_home.Root() / "program";
};

TEST_F(FirstRunTest, TheShippedListsAreCopiedWithoutReplacingTheUsersFiles)
{
    CTestHome::WriteFile(m_program / "res" / "MoviesSettings.txt", "shipped movies");
    CTestHome::WriteFile(m_program / "res" / "SearchSettings.txt", "shipped search");
    CTestHome::WriteFile(m_program / "res" / "Skin" / "SkinInfo.xml", "skin");
    CTestHome::WriteFile(WorkingRes() / "MoviesSettings.txt", "the user's movies");

    ASSERT_TRUE(CopyShippedData());
    EXPECT_EQ(CTestHome::ReadFile(WorkingRes() / "MoviesSettings.txt"), "the user's movies");
    EXPECT_EQ(CTestHome::ReadFile(WorkingRes() / "SearchSettings.txt"), "shipped search");
    EXPECT_EQ(CTestHome::ReadFile(WorkingRes() / "Skin" / "SkinInfo.xml"), "skin");
}

TEST_F(FirstRunTest, APendingInstallStartsTheUpdaterOnlyWhenAskedExactly)
{
    const std::filesystem::path marker = m_home.Root() / "updater-ran";
    CTestHome::WriteScript(WorkingRes() / "Update.exe", "touch '" + marker.string() + "'\n");
    CRegistry store;

    EXPECT_FALSE(StartPendingInstall());
    ASSERT_EQ(store.SetString(Settings::kProgramKey, "Install Needed", "true"), 0);
    EXPECT_FALSE(StartPendingInstall());

    ASSERT_EQ(store.SetString(Settings::kProgramKey, "Install Needed", "TRUE"), 0);
    ASSERT_TRUE(StartPendingInstall());
    const QDeadlineTimer giveUp(30000);
    while (!std::filesystem::exists(marker) && !giveUp.hasExpired())
        QThread::msleep(10);
    EXPECT_TRUE(std::filesystem::exists(marker));
}

TEST_F(FirstRunTest, AMissingOrBrokenUpdaterLeavesTheProgramRunning)
{
    ASSERT_EQ(CRegistry().SetString(Settings::kProgramKey, "Install Needed", "TRUE"), 0);
    EXPECT_FALSE(StartPendingInstall());
    // Present but not a program the system can start.
    CTestHome::WriteFile(WorkingRes() / "Update.exe", "MZ");
    EXPECT_FALSE(StartPendingInstall());
}

} // namespace
