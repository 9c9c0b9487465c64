// Owner-drawn buttons: styles, picture choice, which presses are reported to
// the notify window, keys, and what the button looks like where it matters.
#include "../support/TestHome.h"
#include "ButtonGeometry.h"
#include "ButtonPictures.h"
#include "ButtonStyle.h"
#include "MessageMap.h"
#include "Messages.h"
#include "MyOwnButton.h"
#include "MyStaticButton.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinMessages.h"
#include "SkinTestSupport.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

// Records every "QV WM_BUTTON_TWO_STATE_CLICKED" it receives.
class CNotifyWindow : public QObject
{
public:
    CNotifyWindow()
    {
        m_map.Add(RegisterWindowMessage(kButtonTwoStateClickedMessage), [this](uintptr_t wParam, intptr_t) {
            m_senders.push_back(wParam);
            return 0;
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QObject::event(pEvent); }

    std::vector<uintptr_t> m_senders;

private:
    CMessageMap m_map;
};

TEST(ButtonStyle, EachStyleSetsItsFlags)
{
    CButtonStyle style;
    ASSERT_TRUE(style.SetType(6));
    EXPECT_TRUE(style.IsPictureStyle() && style.IsSplit() && !style.IsDropDown());
    ASSERT_TRUE(style.SetType(12));
    EXPECT_TRUE(style.IsPictureStyle() && !style.IsSplit());
    ASSERT_TRUE(style.SetType(4));
    EXPECT_TRUE(style.IsPictureStyle() && style.IsDropDown());
    ASSERT_TRUE(style.SetType(0));
    EXPECT_TRUE(style.IsFrameless() && !style.IsPictureStyle());
    EXPECT_FALSE(style.SetType(13));
    EXPECT_EQ(style.GetType(), 0);
}

TEST(ButtonStyle, OnlyStylesSevenAndEightKeepTheCheckedState)
{
    CButtonStyle style;
    style.SetChecked(true);
    style.SetType(8);
    EXPECT_TRUE(style.IsChecked());
    style.SetType(7);
    EXPECT_TRUE(style.IsChecked());
    style.SetType(2);
    EXPECT_FALSE(style.IsChecked());
}

TEST(ButtonPictures, StateChoosesThePictureAndEmptyPathsFallBack)
{
    CButtonPictures pictures;
    pictures.Set("n.gif", "h.gif", "p.gif");
    EXPECT_EQ(pictures.Select(false, false), "n.gif");
    EXPECT_EQ(pictures.Select(false, true), "h.gif");
    EXPECT_EQ(pictures.Select(true, true), "p.gif");
    EXPECT_EQ(pictures.Select(true, false), "p.gif");
    pictures.Set("only.gif", "", "");
    EXPECT_EQ(pictures.Select(true, true), "only.gif");
    EXPECT_EQ(pictures.Select(false, true), "only.gif");
}

TEST(ButtonGeometry, PictureTallerThanTheButtonShrinksInProportion)
{
    EXPECT_EQ(PictureRect(QRect(0, 0, 60, 20), QSize(32, 32), 2), QRect(2, 2, 16, 16));
    EXPECT_EQ(PictureRect(QRect(0, 0, 60, 20), QSize(10, 12), 2), QRect(2, 2, 10, 12));
    EXPECT_EQ(PictureRect(QRect(0, 0, 17, 17), QSize(30, 34), 0), QRect(0, 0, 15, 17));
}

TEST(ButtonGeometry, ArrowPartIsTheRightmostEighteenPixels)
{
    EXPECT_FALSE(InArrowPart(100, 81));
    EXPECT_TRUE(InArrowPart(100, 82));
    EXPECT_TRUE(InArrowPart(100, 99));
    EXPECT_EQ(CaptionSpace(QRect(0, 0, 100, 20), 20, true, false, true), QRect(20, 0, 68, 20));
    EXPECT_EQ(CaptionSpace(QRect(0, 0, 100, 20), 20, false, true, false), QRect(25, 0, 69, 20));
    EXPECT_TRUE(CaptionSpace(QRect(0, 0, 30, 20), 20, true, false, true).isEmpty());
}

class ButtonTest : public CQtTest
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        g_strPath = PathText(m_home.Root());
        m_parent.resize(120, 60);
        m_parent.setAutoFillBackground(true);
        QPalette palette = m_parent.palette();
        palette.setColor(QPalette::Window, QColor(0, 255, 0));
        m_parent.setPalette(palette);
    }
    void TearDown() override { g_strPath.Empty(); }

    // A picture button at (10, 10) of 40 x 30 on the green parent.
    CMyOwnButton& PictureButton()
    {
        m_button.Create("", QRect(10, 10, 40, 30), &m_parent, 1026);
        m_button.SetType(12);
        m_button.SetBitmapBackground(true);
        return m_button;
    }

    CTestHome m_home;
    QWidget m_parent;
    CMyOwnButton m_button;
};

struct PressCase
{
    const char* pName;
    int nStyle;
    bool bNotify;
    int nX;
    size_t uExpected;
};

std::ostream& operator<<(std::ostream& stream, const PressCase& press)
{
    return stream << press.pName;
}

class ButtonPress : public ButtonTest, public ::testing::WithParamInterface<PressCase>
{
};

TEST_P(ButtonPress, ReportsToTheNotifyWindow)
{
    const PressCase& press = GetParam();
    CNotifyWindow window;
    m_button.Create("Search", QRect(0, 0, 100, 20), &m_parent, 1003);
    m_button.SetType(press.nStyle);
    m_button.SetNotify(press.bNotify);
    m_button.SetNotifyWindow(&window);
    int nClicks = 0;
    QObject::connect(&m_button, &QAbstractButton::clicked, [&nClicks] { ++nClicks; });
    Press(m_button, QPoint(press.nX, 10));
    ASSERT_EQ(window.m_senders.size(), press.uExpected);
    if (press.uExpected == 1) {
        EXPECT_EQ(window.m_senders[0], reinterpret_cast<uintptr_t>(&m_button));
    }
    Release(m_button, QPoint(press.nX, 10));
    EXPECT_EQ(nClicks, 1); // the click command still follows
    EXPECT_FALSE(m_button.IsArrowPressed());
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonPress,
                         ::testing::Values(PressCase{"PictureButton", 12, true, 50, 1},
                                           PressCase{"PictureButtonNotifyOff", 12, false, 50, 0},
                                           PressCase{"SplitArrowPart", 6, true, 90, 1},
                                           PressCase{"SplitCaptionPart", 6, true, 50, 0},
                                           PressCase{"GradientButton", 2, true, 90, 0}),
                         [](const ::testing::TestParamInfo<PressCase>& info) {
                             return std::string(info.param.pName);
                         });

TEST_F(ButtonTest, ArrowPressIsKeptUntilReleaseOrReset)
{
    m_button.Create("Search", QRect(0, 0, 100, 20), &m_parent, 1003);
    m_button.SetType(6);
    Press(m_button, QPoint(95, 10));
    EXPECT_TRUE(m_button.IsArrowPressed());
    m_button.ResetArrowState();
    EXPECT_FALSE(m_button.IsArrowPressed());
}

TEST_F(ButtonTest, NotifyWindowThatIsGoneIsNotReached)
{
    auto* pWindow = new CNotifyWindow;
    PictureButton().SetNotify(true);
    m_button.SetNotifyWindow(pWindow);
    delete pWindow;
    Press(m_button, QPoint(5, 5));
    Release(m_button, QPoint(5, 5));
    SUCCEED();
}

TEST_F(ButtonTest, KeysDoNotPressTheButton)
{
    m_button.Create("OK", QRect(0, 0, 60, 20), &m_parent, 1);
    m_button.SetType(2);
    int nClicks = 0;
    QObject::connect(&m_button, &QAbstractButton::clicked, [&nClicks] { ++nClicks; });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&m_button, &press);
    QApplication::sendEvent(&m_button, &release);
    EXPECT_EQ(nClicks, 0);
    EXPECT_EQ(m_button.focusPolicy(), Qt::NoFocus);
}

TEST_F(ButtonTest, HoverIsTrackedForPictureStylesOnly)
{
    m_button.Create("", QRect(0, 0, 60, 20), &m_parent, 1);
    m_button.SetType(1);
    Hover(m_button, QPoint(5, 5));
    EXPECT_FALSE(m_button.IsHovered());
    m_button.SetType(2);
    Hover(m_button, QPoint(5, 5));
    EXPECT_TRUE(m_button.IsHovered());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&m_button, &leave);
    EXPECT_FALSE(m_button.IsHovered());
}

TEST_F(ButtonTest, PressTakenByAModalWindowDoesNotStick)
{
    PictureButton();
    Press(m_button, QPoint(5, 5));
    EXPECT_TRUE(m_button.isDown());
    Hover(m_button, QPoint(6, 6)); // the release went elsewhere; the mouse is back, no button held
    EXPECT_FALSE(m_button.isDown());
}

TEST_F(ButtonTest, TransparentPicturePixelsShowTheParent)
{
    WriteSolidGif(m_home.Root() / "res" / "skin" / "b.gif", 40, 30, qRgb(0, 0, 255), true);
    PictureButton().SetImages("res\\Skin\\B.Gif", "", "");
    const QImage image = RenderWidget(m_parent);
    EXPECT_EQ(image.pixel(12, 20), qRgb(0, 255, 0)); // left half of the picture: transparent
    EXPECT_EQ(image.pixel(45, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(100, 50), qRgb(0, 255, 0));
}

TEST_F(ButtonTest, StateShowsItsPicture)
{
    const auto folder = m_home.Root() / "res" / "skin";
    WriteSolidGif(folder / "n.gif", 40, 30, qRgb(255, 0, 0));
    WriteSolidGif(folder / "h.gif", 40, 30, qRgb(0, 0, 255));
    WriteSolidGif(folder / "p.gif", 40, 30, qRgb(255, 255, 0));
    PictureButton().SetImages("res\\skin\\n.gif", "res\\skin\\h.gif", "res\\skin\\p.gif");
    EXPECT_EQ(RenderWidget(m_parent).pixel(30, 25), qRgb(255, 0, 0));
    Hover(m_button, QPoint(5, 5));
    EXPECT_EQ(RenderWidget(m_parent).pixel(30, 25), qRgb(0, 0, 255));
    Press(m_button, QPoint(5, 5));
    EXPECT_EQ(RenderWidget(m_parent).pixel(30, 25), qRgb(255, 255, 0));
}

TEST_F(ButtonTest, GradientRunsTopToBottomAndInversionTurnsItOver)
{
    m_button.Create("", QRect(0, 0, 60, 40), &m_parent, 1);
    m_button.SetType(2);
    m_button.SetGradient(true);
    CButtonColours colours;
    colours.crNormalTop = Rgb(255, 0, 0);
    colours.crNormalBottom = Rgb(0, 0, 255);
    m_button.SetColors(colours);
    QImage image = RenderWidget(m_button);
    EXPECT_GT(qRed(image.pixel(30, 2)), 200);
    EXPECT_GT(qBlue(image.pixel(30, 37)), 200);
    m_button.SetGradientInversion(2);
    image = RenderWidget(m_button);
    EXPECT_GT(qBlue(image.pixel(30, 2)), 200);
    EXPECT_GT(qRed(image.pixel(30, 37)), 200);
    m_button.SetGradientInversion(0);
    EXPECT_GT(qRed(RenderWidget(m_button).pixel(30, 2)), 200);
}

TEST_F(ButtonTest, HoverGradientReplacesTheNormalOne)
{
    m_button.Create("", QRect(0, 0, 60, 40), &m_parent, 1);
    m_button.SetType(2);
    m_button.SetGradient(true);
    CButtonColours colours;
    colours.crNormalTop = colours.crNormalBottom = Rgb(255, 0, 0);
    colours.crHoverTop = colours.crHoverBottom = Rgb(0, 0, 255);
    m_button.SetColors(colours);
    Hover(m_button, QPoint(5, 5));
    EXPECT_EQ(RenderWidget(m_button).pixel(30, 20), qRgb(0, 0, 255));
}

TEST_F(ButtonTest, CaptionIsDrawnInTheTextColour)
{
    m_button.Create("WWWW", QRect(0, 0, 80, 24), &m_parent, 1);
    m_button.SetType(2);
    m_button.SetGradient(true);
    CButtonColours colours;
    colours.crNormalTop = colours.crNormalBottom = Rgb(0, 0, 0);
    colours.crText = Rgb(255, 255, 0);
    m_button.SetColors(colours);
    const QImage image = RenderWidget(m_button);
    int nYellowish = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nYellowish += qRed(image.pixel(x, y)) > 128 && qGreen(image.pixel(x, y)) > 128 ? 1 : 0;
    EXPECT_GT(nYellowish, 10);
}

TEST(SkinFont, NamedFontsMapToMetricCompatibleOnes)
{
    EnsureApplication();
    for (const char* pFace : {"Arial", "MS Sans Serif"}) {
        const QFontInfo info(MakeSkinFont(pFace, -12, 400));
        EXPECT_TRUE(info.family() == "Liberation Sans" || info.family() == "Arimo")
            << pFace << " -> " << info.family().toStdString();
        EXPECT_EQ(info.pixelSize(), 12);
    }
    EXPECT_TRUE(QFontInfo(MakeSkinFont("Tahoma", -13, 400)).family().startsWith("DejaVu Sans"));
}

TEST(MyStaticButton, IsWhiteArialPlainText)
{
    EnsureApplication();
    CMyStaticButton title;
    title.SetWindowText("<b>Kestova</b>");
    EXPECT_EQ(title.GetTextColour(), Rgb(255, 255, 255));
    EXPECT_EQ(title.textFormat(), Qt::PlainText);
    EXPECT_EQ(title.GetWindowText(), "<b>Kestova</b>");
}

} // namespace
