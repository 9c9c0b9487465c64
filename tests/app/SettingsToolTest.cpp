#include "Registry.h"
#include "Settings.h"
#include "../support/TestHome.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CToolRun
{
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

class SettingsToolTest : public ::testing::Test
{
protected:
    // Runs kestova-settings in this test's home, as an installer would.
    static CToolRun Run(const QStringList& arguments)
    {
        QProcess process;
        process.start(KESTOVA_SETTINGS_TOOL, arguments);
        CToolRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.nExit = process.exitCode();
        run.strOut = process.readAllStandardOutput().toStdString();
        run.strErr = process.readAllStandardError().toStdString();
        return run;
    }

    CTestHome m_home;
};

TEST_F(SettingsToolTest, TheToolAndTheProgramShareOneStore)
{
    ASSERT_EQ(Run({"set", "SOFTWARE\\Kestova", "Install Needed", "TRUE"}).nExit, 0);
    EXPECT_TRUE(Settings().IsInstallNeeded());

    ASSERT_EQ(Settings().SetVolume(75), 0);
    const CToolRun get = Run({"get", "software\\kestova", "VOLUME"});
    EXPECT_EQ(get.nExit, 0);
    EXPECT_EQ(get.strOut, "75\n");

    ASSERT_EQ(Run({"set-dword", "SOFTWARE\\Kestova\\Stations\\1", "Index", "0x2a"}).nExit, 0);
    CRegistry::Value value;
    ASSERT_EQ(CRegistry().GetValue("SOFTWARE\\Kestova\\Stations\\1", "Index", value), 0);
    EXPECT_TRUE(value.bNumber);
    EXPECT_EQ(value.uNumber, 42u);
    EXPECT_EQ(Run({"get", "SOFTWARE\\Kestova\\Stations\\1", "Index"}).strOut, "42\n");
}

TEST_F(SettingsToolTest, ListShowsAKeyAndTheKeysBelowIt)
{
    ASSERT_EQ(Settings().SetMute(true), 0);
    ASSERT_EQ(Run({"set-dword", "SOFTWARE\\Kestova\\Stations\\1", "Index", "4294967295"}).nExit, 0);
    ASSERT_EQ(Run({"set", "SOFTWARE\\Other", "Name", "x"}).nExit, 0);

    const CToolRun list = Run({"list", "SOFTWARE\\Kestova"});
    EXPECT_EQ(list.nExit, 0);
    EXPECT_EQ(list.strOut, "[SOFTWARE\\Kestova]\n\"Mute\"=\"TRUE\"\n\n[SOFTWARE\\Kestova\\Stations]\n\n"
                           "[SOFTWARE\\Kestova\\Stations\\1]\n\"Index\"=dword:ffffffff\n");
    EXPECT_NE(Run({"list"}).strOut.find("[SOFTWARE\\Other]\n\"Name\"=\"x\"\n"), std::string::npos);
}

TEST_F(SettingsToolTest, DeleteRemovesAValueOrAWholeKey)
{
    ASSERT_EQ(Settings().SetMute(true), 0);
    ASSERT_EQ(Settings().SetVolume(20), 0);
    ASSERT_EQ(Run({"set", "SOFTWARE\\Kestova\\Stations\\1", "Name", "One"}).nExit, 0);

    EXPECT_EQ(Run({"delete", "SOFTWARE\\Kestova", "mute"}).nExit, 0);
    EXPECT_FALSE(Settings().GetMute());
    EXPECT_EQ(Settings().GetVolume(), 20);
    EXPECT_EQ(Run({"delete", "SOFTWARE\\Kestova\\Stations"}).nExit, 0);
    EXPECT_FALSE(CRegistry().KeyExists("SOFTWARE\\Kestova\\Stations\\1"));
}

TEST_F(SettingsToolTest, MissingValuesAndWrongUsageFailWithAMessage)
{
    struct Case
    {
        QStringList arguments;
        int nExit;
    };
    const Case cases[] = {
        {{"get", "SOFTWARE\\Kestova", "Missing"}, 1},
        {{"delete", "SOFTWARE\\Kestova", "Missing"}, 1},
        {{"delete", "SOFTWARE\\Missing"}, 1},
        {{"list", "SOFTWARE\\Missing"}, 1},
        {{}, 2},
        {{"get", "SOFTWARE\\Kestova"}, 2},
        {{"set", "SOFTWARE\\Kestova", "Volume"}, 2},
        {{"remove", "SOFTWARE\\Kestova"}, 2},
        {{"set", "\\", "Volume", "1"}, 2},
        {{"set-dword", "SOFTWARE\\Kestova", "Index", "-1"}, 2},
        {{"set-dword", "SOFTWARE\\Kestova", "Index", "4294967296"}, 2},
        {{"set-dword", "SOFTWARE\\Kestova", "Index", "12abc"}, 2},
        {{"set-dword", "SOFTWARE\\Kestova", "Index", " 1"}, 2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.arguments.join(u' ').toStdString());
        const CToolRun run = Run(test.arguments);
        EXPECT_EQ(run.nExit, test.nExit);
        EXPECT_FALSE(run.strErr.empty());
        EXPECT_EQ(run.strOut, "");
    }
    EXPECT_FALSE(CRegistry().KeyExists("SOFTWARE\\Kestova\\Index"));
    CRegistry::Value value;
    EXPECT_NE(CRegistry().GetValue("SOFTWARE\\Kestova", "Index", value), 0);
}

TEST_F(SettingsToolTest, AStoreThatCannotBeWrittenIsReported)
{
    CTestHome::WriteFile(m_home.Root() / "not-a-folder", "x");
    ::setenv("XDG_CONFIG_HOME", (m_home.Root() / "not-a-folder").c_str(), 1);
    const CToolRun run = Run({"set", "SOFTWARE\\Kestova", "Install Needed", "TRUE"});
    EXPECT_EQ(run.nExit, 3);
    EXPECT_NE(run.strErr.find("cannot write"), std::string::npos);
}

} // namespace
