// The kestova program on the desktop's media controls, on a private session
// bus and a virtual display of its own: real clients (gdbus, playerctl) read
// what it plays and drive it, and what they do shows in the program's log, in
// the local server's requests and in the settings, as it would for a user
// pressing media keys or using the panel's sound menu.
#include "../catalogue/CatalogueFiles.h"
#include "../platform/MediaServer.h"
#include "../platform/MediaTestSupport.h"
#include "../support/ListFiles.h"
#include "ProgramDriver.h"
#include "Settings.h"

#include <gtest/gtest.h>

namespace {

// Runs a client of the bus; what it printed, trimmed, or "<failed>".
std::string Client(const QString& strProgram, const QStringList& arguments)
{
    QProcess client;
    client.start(strProgram, arguments);
    if (!client.waitForFinished(10000) || client.exitCode() != 0)
        return "<failed>";
    return client.readAllStandardOutput().trimmed().toStdString();
}

std::string Playerctl(const QStringList& arguments)
{
    return Client("playerctl", QStringList{"--player=kestova"} + arguments);
}

std::string GetProperty(const QString& strInterface, const QString& strName)
{
    return Client("gdbus", {"call", "--session", "--dest", "org.mpris.MediaPlayer2.kestova", "--object-path",
                            "/org/mpris/MediaPlayer2", "--method", "org.freedesktop.DBus.Properties.Get",
                            strInterface, strName});
}

class DesktopControlsTest : public CQtTest
{
protected:
    DesktopControlsTest()
    {
        WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("Radio", "r.txt")));
        WriteListFile("r.txt", CategoryFile("1.0", "Radio",
                                            Station("Evening Radio", m_server.Url("/live.mp3")) +
                                                Station("Title Radio", m_server.Url("/titles.mp3"))));
    }
    std::filesystem::path LogFile() const { return m_home.Root() / "kestova.log"; }

    // Waits until the program's name is on the bus.
    static bool WaitForService()
    {
        return ProcessEventsUntil(
            [] { return GetProperty("org.mpris.MediaPlayer2", "Identity") == "(<'Kestova'>,)"; }, kWaitMs);
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

TEST_F(DesktopControlsTest, ShowWhatPlaysAndPlayTheNextStationSetTheVolumeAndStop)
{
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    ASSERT_TRUE(WaitForService()) << program.Log();
    EXPECT_EQ(GetProperty("org.mpris.MediaPlayer2", "DesktopEntry"), "(<'kestova'>,)");
    QProcess monitor;
    monitor.start("gdbus", {"monitor", "--session", "--dest", "org.mpris.MediaPlayer2.kestova"});
    ASSERT_TRUE(monitor.waitForStarted());

    ASSERT_TRUE(program.ClickUntil(target::TreeRow(1), "station line: \" Radio\\Evening Radio\""))
        << program.Log();
    program.Click(target::Control(1));
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing: Evening Tones\"")) << program.Log();
    program.Mark();
    EXPECT_TRUE(ProcessEventsUntil([] {
        return Playerctl({"metadata", "--format", "{{title}}|{{album}}|{{artist}}|{{status}}"}) ==
               "Evening Tones|Evening Radio|Evening Radio|Playing";
    })) << Playerctl({"metadata"});

    // Next plays the tree's next station, whose title then changes.
    EXPECT_EQ(Playerctl({"next"}), "");
    ASSERT_TRUE(program.WaitForLine("station line: \" Radio\\Title Radio\"")) << program.Log();
    EXPECT_TRUE(ProcessEventsUntil([&] { return m_server.RequestCount("/titles.mp3") == 1; }));
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing: Morning Tones\"")) << program.Log();
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing: Evening Tones\"")) << program.Log();
    std::string strSignals;
    EXPECT_TRUE(ProcessEventsUntil([&] {
        strSignals += monitor.readAllStandardOutput().toStdString();
        const size_t uMorning = strSignals.find("PropertiesChanged ('org.mpris.MediaPlayer2.Player', "
                                                "{'Metadata': <{'mpris:trackid'");
        return uMorning != std::string::npos &&
               strSignals.find("'Morning Tones'", uMorning) != std::string::npos &&
               strSignals.find("'xesam:title': <'Evening Tones'>", strSignals.find("'Morning Tones'")) !=
                   std::string::npos;
    })) << strSignals;

    // The volume, as the slider keeps it, and back from the bus.
    EXPECT_EQ(Playerctl({"volume", "0.3"}), "");
    EXPECT_TRUE(ProcessEventsUntil([] { return Settings().GetVolume() == 30; })) << Settings().GetVolume();
    EXPECT_TRUE(ProcessEventsUntil([] { return Playerctl({"volume"}) == "0.300000"; }))
        << Playerctl({"volume"});

    EXPECT_EQ(Playerctl({"stop"}), "");
    ASSERT_TRUE(program.WaitForLine("status line: \"  Stopped\"")) << program.Log();
    EXPECT_TRUE(ProcessEventsUntil([] { return Playerctl({"status"}) == "Stopped"; }));
    program.Mark();
    EXPECT_EQ(Playerctl({"play-pause"}), "");
    EXPECT_TRUE(program.WaitForLine("status line: \"  Playing: Evening Tones\"")) << program.Log();
    monitor.kill();
    monitor.waitForFinished();
    EXPECT_TRUE(program.Close()) << program.Log();
}

// A second plain start brings the running window back to the front and ends.
TEST_F(DesktopControlsTest, ASecondStartRaisesTheRunningWindow)
{
    CWindowManager manager(m_home.Root() / "wm-ready");
    ASSERT_TRUE(manager.IsReady());
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    ASSERT_TRUE(WaitForService()) << program.Log();
    const QString strWindow = QString::number(program.Window());
    ASSERT_TRUE(Xdo({"windowminimize", "--sync", strWindow})) << program.Log();
    ASSERT_FALSE(Xdo({"search", "--onlyvisible", "--name", "^Kestova - "}));

    CProgram second(LogFile());
    ASSERT_TRUE(second.Launch());
    EXPECT_TRUE(second.WaitForExit()) << second.Log();
    EXPECT_TRUE(program.WaitForLine("the copy that runs was brought to the front")) << program.Log();
    EXPECT_TRUE(ProcessEventsUntil(
        [] {
            return Xdo({"search", "--onlyvisible", "--name", "^Kestova - "}).has_value();
        },
        kWaitMs))
        << program.Log();
    EXPECT_TRUE(program.IsRunning());
    EXPECT_TRUE(program.Close()) << program.Log();
}

} // namespace
