// Where the station tree puts an item's icon and caption, and the narrowest
// width of its pane.
#include "TreeLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(TreeLayout, TextStartsBehindTheIconBoxOfItsLevel)
{
    const QRect row(0, 56, 300, 28);
    const QRect top = CTreeLayout::TextRect(row, 0);
    const QRect nested = CTreeLayout::TextRect(row, 2);
    EXPECT_EQ(top.left(), CTreeLayout::kIconMargin + CTreeLayout::kIconBox + CTreeLayout::kTextGap);
    EXPECT_EQ(nested.left(), top.left() + 2 * CTreeLayout::kIndent);
    EXPECT_EQ(top.top(), 56);
    EXPECT_EQ(top.bottom(), row.bottom());
    EXPECT_EQ(top.right(), row.right());
    // The caption sits one pixel left and six pixels up; the selection spans the row.
    EXPECT_EQ(CTreeLayout::CaptionRect(nested), nested.translated(-1, -6));
    EXPECT_EQ(CTreeLayout::SelectionRect(row, nested), QRect(0, 56, 300, 28));
}

TEST(TreeLayout, IconsAreCentredInTheBoxLeftOfTheText)
{
    const QRect text(40, 100, 200, 30); // (30 - 26) / 2 = 2: the box's top is 102
    struct Case
    {
        QSize picture;
        QRect expected;
    };
    for (const Case& check :
         {Case{QSize(26, 26), QRect(14, 102, 26, 26)}, Case{QSize(16, 16), QRect(19, 107, 16, 16)},
          Case{QSize(15, 9), QRect(19, 110, 15, 9)}, Case{QSize(32, 40), QRect(14, 102, 32, 40)}}) {
        EXPECT_EQ(CTreeLayout::IconRect(text, check.picture), check.expected)
            << check.picture.width() << "x" << check.picture.height();
    }
}

TEST(TreeLayout, ANarrowPaneSnapsBackTo180Pixels)
{
    int nTree = -1;
    int nOther = -1;
    EXPECT_FALSE(CTreeLayout::SnapWidths(180, 800, nTree, nOther));
    EXPECT_EQ(nTree, -1);
    EXPECT_TRUE(CTreeLayout::SnapWidths(179, 800, nTree, nOther));
    EXPECT_EQ(nTree, 180);
    EXPECT_EQ(nOther, 620);
    EXPECT_TRUE(CTreeLayout::SnapWidths(50, 100, nTree, nOther));
    EXPECT_EQ(nOther, 0);
}

} // namespace
