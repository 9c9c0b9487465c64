// The volume slider: its arithmetic, its drag and the notifications and the
// stored setting that come of it, and how it draws its knob.
#include "../support/TestHome.h"
#include "MessageMap.h"
#include "Messages.h"
#include "MySlider.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "SkinTestSupport.h"
#include "SliderScale.h"

#include <gtest/gtest.h>

namespace {

CSliderScale ScaleOf(int nHeight)
{
    CSliderScale scale;
    scale.SetHeight(nHeight);
    return scale;
}

TEST(SliderScale, MainWindowSliderMovesInStepsOfFour)
{
    const CSliderScale scale = ScaleOf(63);
    EXPECT_DOUBLE_EQ(scale.GetScale(), 4.0);
    EXPECT_EQ(scale.PositionOf(100), 21);
    EXPECT_EQ(scale.PositionOf(0), 46);
    EXPECT_EQ(scale.PositionOf(50), 33);
    EXPECT_EQ(scale.ValueAt(33), 52);
    for (int nPosition = 21; nPosition <= 46; ++nPosition)
        EXPECT_EQ(scale.ValueAt(nPosition), 100 - 4 * (nPosition - 21));
}

TEST(SliderScale, CursorIsKeptOnTheTrack)
{
    const CSliderScale scale = ScaleOf(63);
    EXPECT_EQ(scale.PositionForCursor(-40), 21);
    EXPECT_EQ(scale.PositionForCursor(20), 25);
    EXPECT_EQ(scale.PositionForCursor(200), 46);
}

TEST(SliderScale, EdgeCasesStaySound)
{
    // Heights whose track does not divide 100 still reach silence at the bottom.
    const CSliderScale tall = ScaleOf(100);
    EXPECT_EQ(tall.ValueAt(tall.GetBottom()), 0);
    EXPECT_EQ(tall.ValueAt(21), 100);
    // Stored volumes outside 0 to 100 keep the knob on the track.
    const CSliderScale scale = ScaleOf(63);
    EXPECT_EQ(scale.PositionOf(250), 21);
    EXPECT_EQ(scale.PositionOf(-7), 46);
    // A control too short for a track has no scale and never divides by it.
    const CSliderScale tiny = ScaleOf(30);
    EXPECT_EQ(tiny.GetScale(), 0.0);
    EXPECT_EQ(tiny.PositionOf(0), 21);
    EXPECT_EQ(tiny.PositionForCursor(50), 21);
    EXPECT_EQ(tiny.ValueAt(21), 100);
}

// The main frame's part: collects the volume notifications posted to it.
class CFrame : public QWidget
{
public:
    CFrame()
    {
        m_map.Add(RegisterWindowMessage(kMainFrameMessage), [this](uintptr_t wParam, intptr_t lParam) {
            if (wParam == kVolumeChangedCode)
                m_values.push_back(static_cast<int>(lParam));
            return 0;
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QWidget::event(pEvent); }

    std::vector<int> m_values;

private:
    CMessageMap m_map;
};

class SliderTest : public CQtTest
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        g_strPath = PathText(m_home.Root());
        m_frame.resize(60, 80);
        m_slider.Create("", QRect(10, 10, 19, 63), &m_frame, 1067);
        m_slider.SetType(12);
        m_slider.SetBitmapBackground(true);
        m_slider.SetValue(50);
    }
    void TearDown() override { g_strPath.Empty(); }

    std::vector<int> Posted()
    {
        QCoreApplication::sendPostedEvents();
        return m_frame.m_values;
    }
    void Drag(int nY) { SendMouse(m_slider, QEvent::MouseMove, QPoint(9, nY), Qt::NoButton, Qt::LeftButton); }

    CTestHome m_home;
    CFrame m_frame;
    CMySlider m_slider;
};

TEST_F(SliderTest, PressAndReleaseStoreTheUnchangedValue)
{
    Press(m_slider, QPoint(9, 30));
    EXPECT_TRUE(m_slider.IsDragging());
    EXPECT_EQ(m_slider.GetKnobPosition(), 33);
    Release(m_slider, QPoint(9, 30));
    EXPECT_FALSE(m_slider.IsDragging());
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(Settings().GetVolume(), 52);
}

TEST_F(SliderTest, DragNotifiesEachNewPositionOnceAndStoresAtTheEnd)
{
    Press(m_slider, QPoint(9, 28));
    Drag(20);  // knob 25: 84
    Drag(-30); // knob 21: 100
    Drag(-80); // still 21: nothing new
    Drag(100); // knob 46: 0
    EXPECT_EQ(Posted(), (std::vector<int>{84, 100, 0}));
    EXPECT_EQ(Settings().GetVolume(), 50); // nothing stored while dragging
    Release(m_slider, QPoint(9, 100));
    EXPECT_EQ(Settings().GetVolume(), 0);
}

TEST_F(SliderTest, MoveWithoutButtonsEndsTheDrag)
{
    Press(m_slider, QPoint(9, 28));
    Drag(20);
    SendMouse(m_slider, QEvent::MouseMove, QPoint(9, 40), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(m_slider.IsDragging());
    EXPECT_EQ(Settings().GetVolume(), 84);
    EXPECT_EQ(Posted(), (std::vector<int>{84}));
}

TEST_F(SliderTest, DoubleClickStartsNothing)
{
    SendMouse(m_slider, QEvent::MouseButtonDblClick, QPoint(9, 30), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(m_slider.IsDragging());
}

TEST_F(SliderTest, KnobIsDrawnRightAlignedWithItsBottomAtTheKnobPosition)
{
    const auto folder = m_home.Root() / "res" / "skin";
    WriteSolidGif(folder / "track.gif", 19, 63, qRgb(0, 0, 255), true);
    WriteSolidGif(folder / "knob.gif", 10, 8, qRgb(255, 0, 0));
    m_slider.SetImages("res\\Skin\\Track.gif", "res\\Skin\\Knob.gif", "");
    m_slider.SetValue(100); // knob bottom at 21: rows 13 to 20
    QPalette palette = m_frame.palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    m_frame.setPalette(palette);
    m_frame.setAutoFillBackground(true);
    const QImage image = RenderWidget(m_frame);
    const QPoint origin(10, 10);
    EXPECT_EQ(image.pixel(origin + QPoint(14, 20)), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(origin + QPoint(14, 21)), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(origin + QPoint(14, 12)), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(origin + QPoint(8, 17)), qRgb(0, 255, 0)); // transparent track shows the frame
}

TEST_F(SliderTest, KnobThatCannotLoadLeavesTheTrack)
{
    WriteSolidGif(m_home.Root() / "track.gif", 19, 63, qRgb(0, 0, 255));
    m_slider.SetImages(PathText(m_home.Root() / "track.gif"), "missing.gif", "");
    const QImage image = RenderWidget(m_slider);
    EXPECT_EQ(image.pixel(14, 30), qRgb(0, 0, 255));
}

} // namespace
