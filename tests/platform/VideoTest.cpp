// Video from the real engine inside the player's widget, on a virtual display
// (with-display), and full screen moving it to a window of its own and back.
#include "../support/TestHome.h"
#include "MediaPlayer.h"
#include "MediaServer.h"
#include "MediaTestSupport.h"
#include "VideoSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>
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

    // The colour in the middle of the video, as the surface last drew it.
    QRgb Centre()
    {
        const QImage image = m_player.GetVideoSurface()->grabFramebuffer();
        return image.pixel(image.width() / 2, image.height() / 2);
    }

    bool WaitForRed()
    {
        return ProcessEventsUntil([&] {
            const QRgb rgb = Centre();
            return qRed(rgb) > 200 && qGreen(rgb) < 60 && qBlue(rgb) < 60;
        });
    }

    void LeaveWith(QEvent::Type type)
    {
        CVideoSurface* pSurface = m_player.GetVideoSurface();
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
    m_player.put_URL(m_server.Url("/red.mkv").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying)) << StatusOf(m_player);
    ASSERT_TRUE(m_player.GetVideoSurface()->HasRenderContext());
    EXPECT_TRUE(WaitForRed());
    EXPECT_EQ(m_player.GetVideoSurface()->geometry(), QRect(0, 0, 320, 240));
}

TEST_F(VideoTest, FullScreenShowsTheVideoInAWindowOfItsOwnUntilEscOrADoubleClick)
{
    m_player.put_URL(m_server.Url("/red.mkv").c_str());
    ASSERT_TRUE(WaitForState(m_player, CMediaControl::kPlaying));
    CVideoSurface* pSurface = m_player.GetVideoSurface();
    for (QEvent::Type leave : {QEvent::KeyPress, QEvent::MouseButtonDblClick}) {
        m_player.put_fullScreen(true);
        EXPECT_TRUE(m_player.get_fullScreen());
        EXPECT_TRUE(pSurface->isWindow());
        EXPECT_TRUE(pSurface->windowState() & Qt::WindowFullScreen);
        // The video goes on in the new window.
        EXPECT_TRUE(WaitForRed());
        LeaveWith(leave);
        EXPECT_FALSE(m_player.get_fullScreen());
        EXPECT_EQ(pSurface->parentWidget(), &m_player);
        EXPECT_TRUE(WaitForRed());
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

} // namespace
