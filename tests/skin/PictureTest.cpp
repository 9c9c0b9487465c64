// Pictures: the fit rule, decoding (transparency, first frame, icons), path
// resolution below the program folder, and drawing.
#include "Picture.h"

#include "../support/TestHome.h"
#include "MyPicture.h"
#include "PictureFit.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct FitCase
{
    QSize box;
    QSize picture;
    QRect expected; // placed in a rectangle at (0, 0)
};

class FitRule : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(FitRule, PlacesThePicture)
{
    const FitCase& fit = GetParam();
    EXPECT_EQ(PlaceFitted(QRect(0, 0, 100, 100), fit.box, fit.picture), fit.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FitRule,
                         ::testing::Values(FitCase{QSize(16, 16), QSize(32, 32), QRect(0, 0, 16, 16)},
                                           FitCase{QSize(64, 64), QSize(32, 32), QRect(16, 16, 32, 32)},
                                           FitCase{QSize(64, 16), QSize(32, 32), QRect(24, 0, 16, 16)},
                                           FitCase{QSize(0, 0), QSize(32, 20), QRect(0, 0, 32, 20)},
                                           FitCase{QSize(32, 32), QSize(32, 32), QRect(0, 0, 32, 32)},
                                           FitCase{QSize(100, 10), QSize(50, 20), QRect(37, 0, 25, 10)},
                                           FitCase{QSize(30, 30), QSize(7, 3), QRect(11, 13, 7, 3)},
                                           FitCase{QSize(0, 30), QSize(40, 10), QRect(0, 10, 40, 10)},
                                           FitCase{QSize(10, 10), QSize(0, 0), QRect(5, 5, 0, 0)}));

class PictureTest : public CQtTest
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        g_strPath = PathText(m_home.Root() / "program");
    }
    void TearDown() override { g_strPath.Empty(); }

    // A 4 x 2 picture: its left half transparent, its right half the colour.
    std::filesystem::path WriteHalfTransparent(const std::filesystem::path& relative, QRgb colour)
    {
        const auto path = m_home.Root() / "program" / relative;
        WriteSolidGif(path, 4, 2, colour, true);
        return path;
    }

    CTestHome m_home;
};

TEST_F(PictureTest, MissingFileIsAnEmptyPicture)
{
    CPicture picture;
    picture.Load(PathText(m_home.Root() / "none.gif"));
    int nWidth = -1;
    int nHeight = -1;
    EXPECT_FALSE(picture.GetSize(nWidth, nHeight));
    EXPECT_EQ(nWidth, 0);
    EXPECT_EQ(nHeight, 0);
    QImage target(8, 8, QImage::Format_ARGB32);
    QPainter painter(&target);
    EXPECT_FALSE(picture.Render(painter, QRect(0, 0, 8, 8), true));
}

TEST_F(PictureTest, TransparentPixelsLeaveTheTargetAlone)
{
    const auto path = WriteHalfTransparent("p.gif", qRgb(0, 0, 255));
    CPicture picture;
    picture.Load(PathText(path));
    QImage target(4, 2, QImage::Format_ARGB32);
    target.fill(qRgb(255, 0, 0));
    QPainter painter(&target);
    ASSERT_TRUE(picture.Render(painter, QRect(0, 0, 4, 2), true));
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(3, 1), qRgb(0, 0, 255));
}

TEST_F(PictureTest, AnimatedGifShowsItsFirstFrame)
{
    const auto path = m_home.Root() / "anim.gif";
    WriteBytes(path, MakeGif(2, 2, {qRgb(0, 0, 0), qRgb(0, 255, 0), qRgb(255, 0, 255)},
                             {{1, 1, 1, 1}, {2, 2, 2, 2}}, -1));
    CPicture picture;
    picture.Load(PathText(path));
    QImage target(2, 2, QImage::Format_ARGB32);
    QPainter painter(&target);
    ASSERT_TRUE(picture.Render(painter, QRect(0, 0, 2, 2), true));
    painter.end();
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 255, 0));
}

TEST_F(PictureTest, IconFilesLoad)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgb(10, 200, 30));
    const auto path = m_home.Root() / "icon.ico";
    ASSERT_TRUE(icon.save(QString::fromStdString(path.string()), "ICO"));
    CPicture picture;
    picture.Load(PathText(path));
    int nWidth = 0;
    int nHeight = 0;
    ASSERT_TRUE(picture.GetSize(nWidth, nHeight));
    EXPECT_EQ(nWidth, 16);
    EXPECT_EQ(nHeight, 16);
}

TEST_F(PictureTest, RelativePathIsFoundBelowTheProgramFolderWhateverItsCase)
{
    WriteHalfTransparent("res/skin/knob.gif", qRgb(0, 0, 255));
    CPicture picture;
    picture.Load("RES\\Skin\\Knob.Gif");
    int nWidth = 0;
    int nHeight = 0;
    EXPECT_TRUE(picture.GetSize(nWidth, nHeight));
    EXPECT_EQ(nWidth, 4);
}

// A "res" folder below the folder the program was started from (a source or
// build tree, say) is used only for pictures the program's own folder lacks.
TEST_F(PictureTest, TheProgramFoldersPictureWinsOverTheCurrentFolders)
{
    const std::filesystem::path elsewhere = m_home.Root() / "elsewhere";
    WriteSolidGif(elsewhere / "res" / "skin" / "knob.gif", 6, 3, qRgb(255, 0, 0));
    WriteSolidGif(elsewhere / "res" / "skin" / "only.gif", 6, 3, qRgb(255, 0, 0));
    WriteHalfTransparent("res/skin/knob.gif", qRgb(0, 0, 255));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere);
    const std::pair<const char*, int> cases[] = {
        {"res\\skin\\knob.gif", 4}, {"\\res\\skin\\knob.gif", 4}, {"res\\skin\\only.gif", 6}};
    for (const auto& [pPath, nExpectedWidth] : cases) {
        CPicture picture;
        picture.Load(pPath);
        int nWidth = 0;
        int nHeight = 0;
        EXPECT_TRUE(picture.GetSize(nWidth, nHeight)) << pPath;
        EXPECT_EQ(nWidth, nExpectedWidth) << pPath;
    }
    std::filesystem::current_path(previous);
}

TEST_F(PictureTest, UnstretchedPictureIsFittedAndCentredInItsBox)
{
    const auto path = m_home.Root() / "big.gif";
    WriteSolidGif(path, 32, 32, qRgb(0, 0, 255));
    CPicture picture(64, 16);
    picture.Load(PathText(path));
    QImage target(64, 16, QImage::Format_ARGB32);
    target.fill(qRgb(255, 0, 0));
    QPainter painter(&target);
    ASSERT_TRUE(picture.Render(painter, QRect(0, 0, 64, 16), false));
    painter.end();
    EXPECT_EQ(target.pixel(23, 8), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(24, 8), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(39, 8), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(40, 8), qRgb(255, 0, 0));
}

TEST_F(PictureTest, MyPictureDrawsAtItsOwnSizeOrStretched)
{
    WriteHalfTransparent("res/skin/corner.gif", qRgb(0, 0, 255));
    CMyPicture picture;
    picture.Load("res\\skin\\Corner.gif");
    QImage target(20, 10, QImage::Format_ARGB32);
    target.fill(qRgb(255, 0, 0));
    QPainter painter(&target);
    ASSERT_TRUE(picture.DrawAt(painter, 10, 5));
    EXPECT_EQ(target.pixel(13, 6), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(14, 6), qRgb(255, 0, 0));
    ASSERT_TRUE(picture.Render(painter, QRect(0, 0, 8, 4), true));
    painter.end();
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(6, 3), qRgb(0, 0, 255));

    CMyPicture missing;
    missing.Load("res\\skin\\Missing.gif");
    QPainter again(&target);
    EXPECT_FALSE(missing.DrawAt(again, 0, 0));
}

} // namespace
