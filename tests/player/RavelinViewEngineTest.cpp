// The player view with the real engines on a virtual display: streams from a
// local server play in the media player (sound going nowhere), web stations
// show in the web engine.
#include "../platform/MediaServer.h"
#include "../platform/MediaTestSupport.h"
#include "MediaControl.h"
#include "MediaPlayer.h"
#include "PlayerTestSupport.h"
#include "RavelinDoc.h"
#include "RavelinView.h"
#include "WebView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class RavelinViewEngineTest : public CQtTest
{
protected:
    RavelinViewEngineTest()
    {
        WriteServerList(m_home, {m_server.Url("/")});
        WriteCatalogueIndex(m_home, "home.html");
        m_pView = new CRavelinView(&m_doc, &m_window);
        m_pView->SetHomeServer(m_server.Url("/").c_str());
        m_window.resize(770, 526);
        m_pView->resize(770, 526);
        m_window.show();
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsRunning());
        ASSERT_NE(Media(), nullptr);
        ASSERT_NE(Web(), nullptr);
    }

    CMediaPlayer* Media() const { return dynamic_cast<CMediaPlayer*>(m_pView->GetMediaPlayer()); }
    CWebView* Web() const { return dynamic_cast<CWebView*>(m_pView->GetWebBrowser()); }
    std::string StatusLabel() const { return m_pView->GetStatusLabel()->text().toStdString(); }

    void PlayStream(const std::string& strPath, const char* pName = "Radio")
    {
        m_pView->SetStation(m_server.Url(strPath).c_str(), pName, false);
        m_pView->Play();
    }

    bool WaitForStatusLabel(const std::string& strText, bool* pSawPlaying = nullptr)
    {
        return ProcessEventsUntil([&] {
            if (pSawPlaying != nullptr && StatusLabel().rfind("  Playing", 0) == 0)
                *pSawPlaying = true;
            return StatusLabel() == strText;
        });
    }

    bool PageColourShows()
    {
        return ProcessEventsUntil([&] {
            const QPoint middle = m_pView->mapToGlobal(m_pView->rect().center());
            const QRgb rgb = QGuiApplication::primaryScreen()
                                 ->grabWindow(0, middle.x(), middle.y(), 1, 1)
                                 .toImage()
                                 .pixel(0, 0);
            return qRed(rgb) == MediaServer::kPageRed && qGreen(rgb) == MediaServer::kPageGreen &&
                   qBlue(rgb) == MediaServer::kPageBlue;
        });
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
    CRavelinDoc m_doc;
    QWidget m_window;
    CRavelinView* m_pView = nullptr;
};

TEST_F(RavelinViewEngineTest, PlaysMp3OggAndPlaylistStations)
{
    for (const char* pPath : {"/tone.mp3", "/tone.ogg", "/station.pls"}) {
        PlayStream(pPath, "Radio\\Tones");
        EXPECT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying)) << pPath << ": " << StatusOf(*Media());
        EXPECT_TRUE(WaitForStatusLabel(std::string(pPath) == "/station.pls" ? "  Playing: Evening Tones"
                                                                            : "  Playing"))
            << pPath << ": " << StatusLabel();
        EXPECT_EQ(m_pView->GetStationLabel()->text().toStdString(), " Radio\\Tones");
    }
}

TEST_F(RavelinViewEngineTest, AMissingStationShowsItsErrorAndNeverPlaying)
{
    PlayStream("/missing.mp3");
    bool bSawPlaying = false;
    EXPECT_TRUE(WaitForStatusLabel("  Error: Not found (404)", &bSawPlaying)) << StatusLabel();
    EXPECT_FALSE(bSawPlaying);
    EXPECT_NE(Media()->get_playState(), CMediaControl::kPlaying);
}

TEST_F(RavelinViewEngineTest, StopShowsStoppedAndKeepsTheStationForTheNextPlay)
{
    PlayStream("/live.mp3");
    ASSERT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying));
    m_pView->Stop();
    EXPECT_TRUE(WaitForStatusLabel("  Stopped")) << StatusLabel();
    EXPECT_TRUE(m_pView->GetStation().CanPlay());
    m_doc.UpdateAllViews(nullptr, CRavelinDoc::kHintPlaySelected, nullptr);
    EXPECT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying));
}

TEST_F(RavelinViewEngineTest, VolumeMuteAndTheCutAddressReachTheEngine)
{
    m_pView->SetVolume(30);
    m_pView->SetMute(true);
    PlayStream("/tone.mp3&token=secret");
    ASSERT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying)) << StatusOf(*Media());
    EXPECT_EQ(Media()->ReadEngineProperty("path"), CMyString(m_server.Url("/tone.mp3").c_str()));
    EXPECT_EQ(Media()->ReadEngineProperty("volume").ToInt(), 30);
    EXPECT_EQ(Media()->ReadEngineProperty("mute"), "yes");
    m_pView->SetMute(false);
    EXPECT_TRUE(ProcessEventsUntil([&] { return Media()->ReadEngineProperty("mute") == "no"; }, 3000));
}

TEST_F(RavelinViewEngineTest, AWebStationStopsAndHidesThePlayerAndShowsThePageAndBack)
{
    PlayStream("/live.mp3");
    ASSERT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying));
    m_pView->SetStation(m_server.Url("/page.html&ref=kestova").c_str(), "Web page", true);
    m_pView->Play();
    EXPECT_EQ(Media()->get_playState(), CMediaControl::kStopped);
    EXPECT_TRUE(Media()->isHidden());
    EXPECT_TRUE(Web()->isVisible());
    EXPECT_TRUE(ProcessEventsUntil([&] { return Web()->IsPageLoaded(); }));
    EXPECT_EQ(Web()->get_LocationURL(), CMyString(m_server.Url("/page.html").c_str()));
    EXPECT_TRUE(PageColourShows());
    // Back to the stream: the page goes home, out of sight.
    PlayStream("/live.mp3");
    EXPECT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying));
    EXPECT_FALSE(Media()->isHidden());
    EXPECT_TRUE(Web()->isHidden());
    EXPECT_EQ(Web()->get_LocationURL(), CMyString(m_server.Url("/home.html").c_str()));
}

TEST_F(RavelinViewEngineTest, FullScreenOnlyWhilePlaying)
{
    PlayStream("/live.mp3");
    m_pView->SetFullScreen(); // still connecting
    EXPECT_FALSE(Media()->get_fullScreen());
    ASSERT_TRUE(WaitForState(*Media(), CMediaControl::kPlaying));
    m_pView->SetFullScreen();
    EXPECT_TRUE(Media()->get_fullScreen());
    m_pView->Stop();
    EXPECT_FALSE(Media()->get_fullScreen());
    m_pView->SetFullScreen();
    EXPECT_FALSE(Media()->get_fullScreen());
}

} // namespace
