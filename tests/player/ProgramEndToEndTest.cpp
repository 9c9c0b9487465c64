// The kestova program itself as a user drives it, on a virtual display of its
// own with the real media engine: start it on a prepared catalogue, click a
// station in the tree, press Play on a local stream, store the station in
// preset 2, close the window, start the program again and play the station
// from the preset. Clicks and keys go in through xdotool; what the window shows
// comes back through the program's "kestova.user" log lines.
#include "../catalogue/CatalogueFiles.h"
#include "../platform/MediaServer.h"
#include "../platform/MediaTestSupport.h"
#include "../support/ListFiles.h"
#include "ProgramDriver.h"
#include "Registry.h"
#include "Settings.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class ProgramEndToEndTest : public CQtTest
{
protected:
    ProgramEndToEndTest()
    {
        WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("Radio", "r.txt")));
        WriteListFile("r.txt", CategoryFile("1.0", "Radio", Station("Evening Radio", StreamUrl())));
    }
    std::string StreamUrl() const { return m_server.Url("/live.mp3"); }
    std::filesystem::path LogFile() const { return m_home.Root() / "kestova.log"; }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

TEST_F(ProgramEndToEndTest, PickPlayPresetRestartAndPlayFromThePreset)
{
    ASSERT_TRUE(m_server.IsRunning());
    {
        CProgram program(LogFile());
        ASSERT_TRUE(program.Start()) << program.Log();
        // Row 0 is the category, row 1 its station.
        program.Click(target::TreeRow(1));
        ASSERT_TRUE(program.WaitForLine("station line: \" Radio\\Evening Radio\"")) << program.Log();
        program.Click(target::Control(1));
        ASSERT_TRUE(program.WaitForLine("status line: \"  Playing\"")) << program.Log();

        program.Click(target::PresetButton(2).center());
        ASSERT_TRUE(program.WaitForLine("message box: \"The Station Was Pre-Set Successfully\""))
            << program.Log();
        ASSERT_TRUE(program.AnswerMessageBox()) << program.Log();
        program.Click(target::Control(0));
        ASSERT_TRUE(program.WaitForLine("status line: \"  Stopped\"")) << program.Log();
        ASSERT_TRUE(program.Close()) << program.Log();
    }
    CRegistry::Value url;
    ASSERT_EQ(CRegistry().GetValue("SOFTWARE\\Kestova\\Stations\\2", "Url", url), CRegistry::kSuccess);
    EXPECT_EQ(std::string(url.strText.GetText()), StreamUrl());

    CProgram again(LogFile());
    ASSERT_TRUE(again.Start()) << again.Log();
    again.Click(target::StationButton(2));
    ASSERT_TRUE(again.WaitForLine("play " + StreamUrl())) << again.Log();
    ASSERT_TRUE(again.WaitForLine("status line: \"  Playing\"")) << again.Log();
    EXPECT_TRUE(again.Close()) << again.Log();
}

TEST_F(ProgramEndToEndTest, SearchTheStationsAndMoveTheWindow)
{
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    // The edit box is the first control of the search bar.
    program.Click(
        {CSearchBarLayout::kGroupLeft + 20, CSearchBarLayout::kGroupTop + CSearchBarLayout::kEditHeight / 2});
    program.Type("evening");
    ASSERT_TRUE(program.WaitForLine("station line: \" Radio\\Evening Radio\"")) << program.Log();

    // The search bar is the title bar: dragging its empty middle moves the window.
    const QPoint before = program.Origin();
    program.Drag({CMainFrameLayout::kWidth / 2, CSearchBarLayout::kGroupTop + 4}, {-100, -40});
    ASSERT_TRUE(program.ReadOrigin());
    EXPECT_EQ(program.Origin() - before, QPoint(-100, -40));
    EXPECT_TRUE(program.Close()) << program.Log();
}

// A first start copies the shipped lists, fetches the newer ones from the home
// server, and starts the program again, which then shows the fetched lists.
TEST_F(ProgramEndToEndTest, FirstRunFetchesTheListsFromTheHomeServerAndStartsAgain)
{
    LocalHttpServer& server = m_server.Server();
    server.Serve("/UpdateSettings.txt",
                 "<UPDATE>"
                 "<MOVIES_SETTINGS><VERSION>2.0</VERSION><NAME>MoviesSettings.txt</NAME>"
                 "</MOVIES_SETTINGS>"
                 "<CATEGORY><VERSION>2.0</VERSION><NAME>r.txt</NAME></CATEGORY>"
                 "</UPDATE>");
    server.Serve("/MoviesSettings.txt", Scrambled(IndexFile("2.0", Category("Radio", "r.txt"))));
    server.Serve("/r.txt", Scrambled(CategoryFile("2.0", "Radio", Station("Night Radio", StreamUrl()))));
    WriteScrambledFile(ResFolder() / "ServerSettings.txt",
                       "<SERVERS><VERSION>1.0</VERSION><URL>" + m_server.Url("/") + "</URL></SERVERS>");
    ASSERT_TRUE(Settings().GetCopySettings());

    CProgram first(LogFile());
    CProgram restarted(LogFile());
    ASSERT_TRUE(first.Launch());
    ASSERT_TRUE(first.WaitForExit()) << "the first run ends once it has started the program again\n"
                                     << first.Log();
    EXPECT_EQ(m_server.RequestCount("/r.txt"), 1);
    EXPECT_FALSE(Settings().GetCopySettings());

    ASSERT_TRUE(restarted.WaitForWindow()) << restarted.Log();
    restarted.Click(target::TreeRow(1));
    ASSERT_TRUE(restarted.WaitForLine("station line: \" Radio\\Night Radio\"")) << restarted.Log();
    restarted.Click(target::Control(1));
    ASSERT_TRUE(restarted.WaitForLine("status line: \"  Playing\"")) << restarted.Log();
    EXPECT_TRUE(restarted.Close()) << restarted.Log();
}

// A station whose server goes away is tried again by itself, as the status
// line shows, and plays again once the server is back; Stop ends the attempts.
TEST_F(ProgramEndToEndTest, AStationWhoseServerGoesAwayComesBackByItself)
{
    auto pServer = std::make_unique<MediaServer>(MediaFolder());
    const int nPort = pServer->Port();
    WriteListFile("r.txt",
                  CategoryFile("1.0", "Radio", Station("Steady Radio", pServer->Url("/steady.mp3"))));
    CProgram program(LogFile());
    ASSERT_TRUE(program.Start()) << program.Log();
    ASSERT_TRUE(program.ClickUntil(target::TreeRow(1), "station line: \" Radio\\Steady Radio\""))
        << program.Log();
    program.Click(target::Control(1));
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing: Evening Tones\"")) << program.Log();

    program.Mark();
    pServer.reset();
    ASSERT_TRUE(program.WaitForLine("status line: \"  Reconnecting (1)...\"")) << program.Log();
    ASSERT_TRUE(program.WaitForLine("status line: \"  Reconnecting (2)...\"")) << program.Log();
    pServer = std::make_unique<MediaServer>(MediaFolder(), nPort);
    ASSERT_TRUE(pServer->IsRunning());
    ASSERT_TRUE(program.WaitForLine("status line: \"  Playing: Evening Tones\"")) << program.Log();
    EXPECT_EQ(pServer->RequestCount("/steady.mp3"), 1);

    program.Mark();
    pServer.reset();
    ASSERT_TRUE(program.WaitForLine("status line: \"  Reconnecting (1)...\"")) << program.Log();
    program.Click(target::Control(0));
    ASSERT_TRUE(program.WaitForLine("status line: \"  Stopped\"")) << program.Log();
    pServer = std::make_unique<MediaServer>(MediaFolder(), nPort);
    ProcessEventsUntil([] { return false; }, 4000);
    EXPECT_EQ(pServer->RequestCount("/steady.mp3"), 0);
    EXPECT_TRUE(program.Close()) << program.Log();
}

} // namespace
