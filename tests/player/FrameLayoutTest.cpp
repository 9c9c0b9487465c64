#include "FrameSkin.h"
#include "MainFrameLayout.h"

#include <gtest/gtest.h>
#include <map>

namespace {

TEST(MainFrameLayout, WindowIsCentredAndClippedToTheWorkArea)
{
    struct Case
    {
        QRect workArea;
        QRect expected;
    };
    const Case cases[] = {
        {QRect(0, 0, 1280, 1024), QRect(135, 192, 1010, 640)},
        {QRect(0, 0, 1010, 640), QRect(0, 0, 1010, 640)},
        {QRect(0, 0, 800, 600), QRect(0, 0, 800, 600)},
        {QRect(0, 30, 1280, 994), QRect(135, 207, 1010, 640)},     // a panel along the top
        {QRect(1280, 0, 1920, 1080), QRect(1735, 220, 1010, 640)}, // a second screen
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CMainFrameLayout::WindowGeometry(c.workArea), c.expected);
    }
}

TEST(MainFrameLayout, SplitterPresetsAndControls)
{
    EXPECT_EQ(CMainFrameLayout::SplitterRect(QSize(1010, 640)), QRect(20, 30, 970, 526));
    EXPECT_EQ(CMainFrameLayout::PresetTop(640), 570);
    EXPECT_EQ(CMainFrameLayout::ControlTop(640), 575);
    EXPECT_EQ(CMainFrameLayout::PresetLeft(4, 29), 15 + 4 * 32);
    // Five presets of 29-pixel buttons end at 172; Stop starts at 177.
    EXPECT_EQ(CMainFrameLayout::FirstControlLeft(CMainFrameLayout::PresetLeft(4, 29) + 29), 177);
    EXPECT_EQ(CMainFrameLayout::FirstControlLeft(-1), 35) << "no presets";
}

// The default skin's proportions: corners 44 high, edges 20 wide.
QSize SkinSize(CFrameSkin::Picture picture)
{
    static const std::map<CFrameSkin::Picture, QSize> sizes = {
        {CFrameSkin::BarLeft, {20, 30}},     {CFrameSkin::BarRight, {20, 30}},
        {CFrameSkin::BarTop, {8, 30}},       {CFrameSkin::CornerLeft, {20, 44}},
        {CFrameSkin::CornerRight, {20, 44}}, {CFrameSkin::Bottom, {8, 44}},
        {CFrameSkin::Left3, {20, 40}},       {CFrameSkin::Right3, {20, 40}},
        {CFrameSkin::MidLeft, {20, 10}},     {CFrameSkin::MidRight, {20, 10}},
        {CFrameSkin::MidTop, {8, 10}},       {CFrameSkin::Left2, {20, 8}},
        {CFrameSkin::Right2, {20, 8}},
    };
    return sizes.at(picture);
}

TEST(FrameSkin, PiecesMirrorAndFrameTheBottomStrip)
{
    const QSize client(1004, 580);
    const auto pieces = CFrameSkin::Pieces(client, SkinSize);
    EXPECT_EQ(CFrameSkin::StripFill(client, SkinSize), QRect(20, 496, 964, 40)) << "B = 536, B - 40 = 496";
    EXPECT_EQ(pieces[CFrameSkin::CornerRight].rect, QRect(984, 536, 20, 44));
    EXPECT_EQ(pieces[CFrameSkin::Bottom].rect, QRect(20, 536, 964, 44));
    EXPECT_EQ(pieces[CFrameSkin::MidTop].rect, QRect(20, 486, 964, 10));
    EXPECT_EQ(pieces[CFrameSkin::Left2].rect, QRect(0, 30, 20, 456));
    // Every right-hand piece mirrors its left-hand sister.
    const std::pair<CFrameSkin::Picture, CFrameSkin::Picture> sisters[] = {
        {CFrameSkin::BarLeft, CFrameSkin::BarRight}, {CFrameSkin::CornerLeft, CFrameSkin::CornerRight},
        {CFrameSkin::Left3, CFrameSkin::Right3},     {CFrameSkin::MidLeft, CFrameSkin::MidRight},
        {CFrameSkin::Left2, CFrameSkin::Right2},
    };
    for (const auto& [left, right] : sisters) {
        const QRect l = pieces[left].rect;
        const QRect r = pieces[right].rect;
        EXPECT_EQ(r.top(), l.top());
        EXPECT_EQ(r.size(), l.size());
        EXPECT_EQ(client.width() - 1 - r.right(), l.left()) << CFrameSkin::FileName(right);
    }
}

TEST(FrameSkin, AMissingPictureLeavesItsPlaceEmpty)
{
    const auto withoutBarTop = [](CFrameSkin::Picture picture) {
        return picture == CFrameSkin::BarTop ? QSize(0, 0) : SkinSize(picture);
    };
    const auto pieces = CFrameSkin::Pieces(QSize(1004, 580), withoutBarTop);
    EXPECT_TRUE(pieces[CFrameSkin::BarTop].rect.isEmpty());
    EXPECT_EQ(pieces[CFrameSkin::BarRight].rect, QRect(984, 0, 20, 30));
}

} // namespace
