// The splash window and the dialog bar base.
#include "BaseDialogBar.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"
#include "SplashDlg.h"
#include "TestHome.h"

#include <gtest/gtest.h>

namespace {

TEST(SplashDlg, ShowsTheWaitLineCentredOnTheDialogGradient)
{
    EnsureApplication();
    CTestHome home;
    CTestHome::WriteFile(home.Root() / "res" / "Skin" / "SkinInfo.xml",
                         "<SKIN_INFO><COLORS><T>255,0,0</T><B>0,0,255</B><W>0,255,0</W></COLORS><DIALOGS>"
                         "<GRADIENT_TOP>T</GRADIENT_TOP><GRADIENT_BOTTOM>B</GRADIENT_BOTTOM><TEXT_COLOR>W"
                         "</TEXT_COLOR></DIALOGS></SKIN_INFO>");
    g_strPath = PathText(home.Root());
    CSplashDlg splash;
    EXPECT_EQ(CSplashDlg::GetLine(), "Please Wait While Loading Kestova...");
    EXPECT_EQ(splash.size(), QSize(279, 102));
    const QRect text = splash.GetTextRect();
    EXPECT_EQ(text.top(), (splash.height() - text.height()) / 2);
    EXPECT_EQ(text.width(), splash.width());

    const QImage image = RenderWidget(splash);
    EXPECT_GT(qRed(image.pixel(1, 1)), 240);
    EXPECT_GT(qBlue(image.pixel(1, splash.height() - 2)), 240);
    int nLeft = splash.width();
    int nRight = -1;
    for (int y = text.top(); y <= text.bottom(); ++y) {
        for (int x = 0; x < splash.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qGreen(pixel) > 150 && qRed(pixel) < 100) {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
            }
        }
    }
    ASSERT_GE(nRight, 0) << "the line is drawn in the dialog text colour";
    EXPECT_NEAR(nLeft, splash.width() - 1 - nRight, 3);
}

class CTestBar : public BaseDialogBar
{
public:
    bool OnInitDialogBar() override
    {
        ++m_nInits;
        return m_bInitResult && BaseDialogBar::OnInitDialogBar();
    }
    int m_nInits = 0;
    bool m_bInitResult = true;
};

TEST(BaseDialogBar, CreationRunsTheInitialisationOnce)
{
    EnsureApplication();
    QWidget frame;
    CTestBar bar;
    EXPECT_FALSE(bar.Create(nullptr, 144, 0x50002834, 1));
    EXPECT_EQ(bar.m_nInits, 0);
    EXPECT_TRUE(bar.Create(&frame, 144, 0x50002834, 1));
    EXPECT_EQ(bar.m_nInits, 1);
    EXPECT_EQ(bar.parentWidget(), &frame);
    EXPECT_FALSE(bar.isHidden());
    EXPECT_EQ(bar.GetDlgCtrlID(), 1);

    CTestBar failing;
    failing.m_bInitResult = false;
    EXPECT_FALSE(failing.Create(&frame, "IDD_BAR", 0, 2));
    EXPECT_TRUE(failing.isHidden());
}

} // namespace
