// Video from the real engine inside the player's widget, on a virtual display
// (with-display), and full screen moving it to a window of its own and back.
// The test video is red above and blue below; what the screen shows is read
// back from the display, so a picture drawn upside down fails.
#include "../support/TestHome.h"
#include "MediaPlayer.h"
#include "MediaServer.h"
#include "MediaTestSupport.h"
#include "VideoOutput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class VideoTest : public CQtTest
{
protected:
    VideoTest()
    {
        m_player.setGeometry(0, 0, 320, 240 + CMediaPlayer::kControlBarHeight);
        m_player.show();
    }

    // What the screen shows at a fraction of the surface's height, in the
    // middle of its width.
    static QRgb ScreenPixel(const QWidget* pSurface, double dHeight)
    {
        const QPoint at = pSurface->mapToGlobal(
            QPoint(pSurface->width() / 2, static_cast<int>(pSurface->height() * dHeight)));
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixel(0, 0);
    }

    static bool IsRed(QRgb rgb) { return qRed(rgb) > 200 && qGreen(rgb) < 60 && qBlue(rgb) < 60; }
    static bool IsBlue(QRgb rgb) { return qBlue(rgb) > 200 && qRed(rgb) < 60 && qGreen(rgb) < 60; }

    // Waits until the screen shows the video upright: red near the top, blue near the bottom.
    bool WaitForUprightVideo()
    {
        const CVideoOutput* pSurface = m_player.GetVideoSurface();
        return ProcessEventsUntil(
            [&] { return IsRed(ScreenPixel(pSurface, 0.15)) && IsBlue(ScreenPixel(pSurface, 0.85)); });
    }

    void LeaveWith(QEvent::Type type)
    {
        CVideoOutput* pSurface = m_player.GetVideoSurface();
        if (type == QEvent::KeyPress) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(pSurface, &key);
        } else {
            const QPointF at(10, 10);
            QMouseEvent click(type, at, pSurface->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(pSurface, &click);
        }
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
    CMediaPlayer m_player;
};

TEST_F(VideoTest, VideoIsDrawnInsideThePlayerAboveTheControlBarStrip)
{
    m_player.put_URL(m_server.Url("/updown.mkv").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    ASSERT_TRUE(m_player.GetVideoSurface()->HasRenderContext());
    EXPECT_TRUE(WaitForUprightVideo());
    EXPECT_EQ(m_player.GetVideoSurface()->geometry(), QRect(0, 0, 320, 240));
}

TEST_F(VideoTest, FullScreenShowsTheVideoInAWindowOfItsOwnUntilEscOrADoubleClick)
{
    m_player.put_URL(m_server.Url("/updown.mkv").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying));
    CVideoOutput* pSurface = m_player.GetVideoSurface();
    for (QEvent::Type leave : {QEvent::KeyPress, QEvent::MouseButtonDblClick}) {
        m_player.put_fullScreen(true);
        EXPECT_TRUE(m_player.get_fullScreen());
        EXPECT_TRUE(pSurface->isWindow());
        EXPECT_TRUE(pSurface->windowState() & Qt::WindowFullScreen);
        // The video goes on in the new window.
        EXPECT_TRUE(WaitForUprightVideo());
        LeaveWith(leave);
        EXPECT_FALSE(m_player.get_fullScreen());
        EXPECT_EQ(pSurface->parentWidget(), &m_player);
        EXPECT_TRUE(WaitForUprightVideo());
    }
    // Esc inside the window does nothing to a player that is not full screen.
    LeaveWith(QEvent::KeyPress);
    EXPECT_EQ(pSurface->parentWidget(), &m_player);
    // Stopping leaves full screen.
    m_player.put_fullScreen(true);
    m_player.stop();
    EXPECT_FALSE(m_player.get_fullScreen());
    EXPECT_FALSE(pSurface->isWindow());
}

// A player that only ever plays sound starts no OpenGL: no engine until the
// first play, and no video surface for a stream without video. The next video
// still gets its surface, and its picture.
TEST_F(VideoTest, OnlyVideoMakesASurfaceAndOnlyPlayingStartsTheEngine)
{
    m_player.put_volume(40);
    m_player.put_mute(true);
    EXPECT_FALSE(m_player.HasEngine());
    m_player.put_URL(m_server.Url("/tone.mp3").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    EXPECT_EQ(m_player.GetVideoSurface(), nullptr);
    EXPECT_EQ(m_player.ReadEngineProperty("volume").GetText(), std::string("40.000000"));
    EXPECT_EQ(m_player.ReadEngineProperty("mute").GetText(), std::string("yes"));
    m_player.put_URL(m_server.Url("/updown.mkv").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    ASSERT_NE(m_player.GetVideoSurface(), nullptr);
    EXPECT_TRUE(WaitForUprightVideo());
}

} // namespace
