// The media player on the real engine, playing from a local server; sound and
// video go nowhere (KESTOVA_MPV_OPTIONS=ao=null,vo=null in the environment).
#include "MediaPlayer.h"

#include "../support/TestHome.h"
#include "MediaServer.h"
#include "MediaState.h"
#include "MediaTestSupport.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

namespace {

class MediaPlayerTest : public CQtTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsRunning());
        ASSERT_TRUE(m_player.IsEngineReady());
    }

    CMyString Url(const std::string& strPath) const { return m_server.Url(strPath).c_str(); }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
    CMediaPlayer m_player;
};

TEST_F(MediaPlayerTest, PlaysALiveStationAndShowsTheTitleItSends)
{
    for (const char* pPath : {"/live.mp3", "/station.m3u"}) {
        m_player.put_URL(Url(pPath));
        m_player.play();
        ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << pPath << ": " << StatusOf(m_player);
    }
    // The .m3u's tone has no title; the live stream's title shows with its status.
    EXPECT_EQ(StatusOf(m_player), "Playing");
    m_player.put_URL(Url("/live.mp3"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Playing: Evening Tones"; }))
        << StatusOf(m_player);
    EXPECT_EQ(m_player.ReadEngineProperty("path"), Url("/live.mp3"));
}

TEST_F(MediaPlayerTest, PlayOpensTheAddressOnlyWhenItIsNotPlayingAlready)
{
    // Switching from another station, as the view does: the address, then play.
    m_player.put_URL(Url("/live.mp3"));
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying));
    m_player.put_URL(Url("/tone.mp3"));
    m_player.play();
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying));
    // Every address the engine opens becomes a playlist entry with an id of its
    // own; the entry of the station before goes once it has closed.
    ASSERT_TRUE(ProcessEventsUntil([&] { return m_player.ReadEngineProperty("playlist/count") == "1"; }));
    const CMyString strEntry = m_player.ReadEngineProperty("playlist/0/id");
    m_player.play();
    ProcessEventsUntil([] { return false; }, 300);
    EXPECT_EQ(m_player.ReadEngineProperty("playlist/0/id").ToInt(), strEntry.ToInt());
    EXPECT_EQ(m_player.get_playState(), CMediaControl::kPlaying);
    // With autoStart off only play starts it.
    m_player.stop();
    m_player.put_autoStart(false);
    m_player.put_URL(Url("/tone.ogg"));
    ProcessEventsUntil([] { return false; }, 300);
    EXPECT_EQ(m_server.RequestCount("/tone.ogg"), 0);
    m_player.play();
    EXPECT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
}

struct FailureCase
{
    const char* pName;
    const char* pPath; // null: a port that refuses connections
    const char* pStatus;
};

void PrintTo(const FailureCase& failure, std::ostream* pStream)
{
    *pStream << failure.pName;
}

class MediaPlayerFailure : public MediaPlayerTest, public ::testing::WithParamInterface<FailureCase>
{
};

// A station that never played shows its error and is not tried again.
TEST_P(MediaPlayerFailure, ShowsWhyAStationCannotPlay)
{
    const char* pPath = GetParam().pPath;
    const std::string strUrl =
        pPath != nullptr ? m_server.Url(pPath)
                         : "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/radio.mp3";
    m_player.put_URL(strUrl.c_str());
    std::set<int> seen;
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kError, &seen)) << StatusOf(m_player);
    EXPECT_EQ(StatusOf(m_player), GetParam().pStatus);
    ProcessEventsUntil([] { return false; }, 1500);
    EXPECT_EQ(StatusOf(m_player), GetParam().pStatus);
    if (pPath != nullptr) {
        EXPECT_EQ(m_server.RequestCount(pPath), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, MediaPlayerFailure,
    ::testing::Values(FailureCase{"NotFound", "/missing.mp3", "Error: Not found (404)"},
                      FailureCase{"Refused", nullptr, "Error: Connection refused"},
                      FailureCase{"NotMedia", "/notes.txt", "Error: Unrecognised format"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.pName); });

// What plays now follows the station: radio stream titles as the server sends
// them, and the comments of each part of a chained Ogg stream, as plain text.
TEST_F(MediaPlayerTest, TheStatusFollowsTheTitlesTheStationSends)
{
    m_player.put_URL(Url("/titles.mp3"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Playing: Morning Tones"; }))
        << StatusOf(m_player);
    EXPECT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Playing: Evening Tones"; }))
        << StatusOf(m_player);
    m_player.put_URL(Url("/titles.opus"));
    EXPECT_TRUE(ProcessEventsUntil([&] {
        return StatusOf(m_player) == "Playing: Kestova Choir - Morning Song";
    })) << StatusOf(m_player);
    // The second part's title: 10 KB with a tab, a control character and a line break.
    const std::string strSecond =
        "Playing: " +
        ("Kestova Band - Tab here bell " + std::string(10240, 'y')).substr(0, CMediaState::kMaxTitleLength);
    EXPECT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == strSecond; }))
        << StatusOf(m_player).substr(0, 80);
}

// A server that ends a stream, or goes away, is tried again on a back-off until
// it is back; Stop ends the attempts.
TEST_F(MediaPlayerTest, AStreamThatDropsComesBackByItself)
{
    m_player.put_URL(Url("/ending.mp3"));
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    ASSERT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Reconnecting (1)..."; }, 20000))
        << StatusOf(m_player);
    EXPECT_EQ(m_player.get_playState(), CMediaControl::kReconnecting);
    EXPECT_TRUE(ProcessEventsUntil([&] { return m_server.RequestCount("/ending.mp3") == 2; }, 3000));

    auto pServer = std::make_unique<MediaServer>(MediaFolder());
    const int nPort = pServer->Port();
    m_player.put_URL(pServer->Url("/steady.mp3").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    pServer.reset();
    ASSERT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Reconnecting (2)..."; }, 20000))
        << StatusOf(m_player);
    pServer = std::make_unique<MediaServer>(MediaFolder(), nPort);
    ASSERT_TRUE(pServer->IsRunning());
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying, nullptr, 20000)) << StatusOf(m_player);
    std::cout << "playing again " << back.elapsed() << " ms after the server came back\n";
    EXPECT_EQ(pServer->RequestCount("/steady.mp3"), 1);

    pServer.reset();
    ASSERT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Reconnecting (1)..."; }, 20000));
    m_player.stop();
    EXPECT_EQ(StatusOf(m_player), "Stopped");
    pServer = std::make_unique<MediaServer>(MediaFolder(), nPort);
    ProcessEventsUntil([] { return false; }, 4000);
    EXPECT_EQ(pServer->RequestCount("/steady.mp3"), 0);
    EXPECT_EQ(StatusOf(m_player), "Stopped");
}

// A live HLS stream whose playlist has gone has dropped, though its engine
// sees an end of file.
TEST_F(MediaPlayerTest, ALiveHlsStreamThatEndsIsADrop)
{
    m_player.put_URL(Url("/live.m3u8"));
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    ASSERT_TRUE(ProcessEventsUntil([&] { return StatusOf(m_player) == "Reconnecting (1)..."; }, 30000))
        << StatusOf(m_player);
    const int nAsked = m_server.RequestCount("/live.m3u8");
    EXPECT_TRUE(ProcessEventsUntil([&] { return m_server.RequestCount("/live.m3u8") > nAsked; }, 5000));
}

// A recording that ends has finished: it is not opened again.
TEST_F(MediaPlayerTest, ARecordingThatEndsIsNotReconnected)
{
    m_player.put_URL(Url("/tone.ogg"));
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kMediaEnded, nullptr, 40000)) << StatusOf(m_player);
    ProcessEventsUntil([] { return false; }, 1500);
    EXPECT_EQ(StatusOf(m_player), "Finished");
}

TEST_F(MediaPlayerTest, StopKeepsTheAddressForTheNextPlay)
{
    m_player.put_URL(Url("/live.mp3"));
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying));
    m_player.stop();
    EXPECT_EQ(m_player.get_playState(), CMediaControl::kStopped);
    // Reports of the stopped stream still on their way change nothing.
    ProcessEventsUntil([] { return false; }, 500);
    EXPECT_EQ(StatusOf(m_player), "Stopped");
    EXPECT_EQ(m_player.ReadEngineProperty("path"), "");
    m_player.play();
    EXPECT_TRUE(WaitForState(m_player, CMediaControl::kPlaying));
    // close forgets it.
    m_player.close();
    EXPECT_EQ(m_player.get_URL(), "");
    m_player.play();
    ProcessEventsUntil([] { return false; }, 300);
    EXPECT_EQ(m_player.get_playState(), CMediaControl::kStopped);
}

TEST_F(MediaPlayerTest, VolumeAndMuteReachTheEngine)
{
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return m_player.ReadEngineProperty("volume").ToInt() == 50; }, 3000));
    const struct
    {
        int nPut;
        int nEngine;
    } volumes[] = {{0, 0}, {37, 37}, {100, 100}, {150, 100}, {-5, 0}};
    for (const auto& volume : volumes) {
        m_player.put_volume(volume.nPut);
        EXPECT_TRUE(ProcessEventsUntil(
            [&] { return m_player.ReadEngineProperty("volume").ToInt() == volume.nEngine; }, 3000))
            << volume.nPut;
        EXPECT_EQ(m_player.get_volume(), volume.nEngine);
    }
    m_player.put_mute(true);
    EXPECT_TRUE(ProcessEventsUntil([&] { return m_player.ReadEngineProperty("mute") == "yes"; }, 3000));
    m_player.put_mute(false);
    EXPECT_TRUE(ProcessEventsUntil([&] { return m_player.ReadEngineProperty("mute") == "no"; }, 3000));
}

TEST_F(MediaPlayerTest, LaunchUrlHandsTheAddressToTheUsersBrowser)
{
    const std::filesystem::path browser = m_home.Bin() / "browser";
    const std::filesystem::path record = m_home.Root() / "opened";
    CTestHome::WriteScript(browser, "echo \"$1\" > " + record.string() + "\n");
    ::setenv("BROWSER", browser.c_str(), 1);
    EXPECT_TRUE(m_player.launchURL("http://127.0.0.1:1/search?q=a&b=c"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return std::filesystem::exists(record); }, 5000));
    ProcessEventsUntil([] { return false; }, 100);
    EXPECT_EQ(CTestHome::ReadFile(record), "http://127.0.0.1:1/search?q=a&b=c\n");
    EXPECT_FALSE(m_player.launchURL(""));
}

} // namespace
