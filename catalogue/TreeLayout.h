// CTreeLayout: where the station tree puts things in a row, and the narrowest
// the tree pane may be. A row holds, left to right: the indentation of its
// level, a 26 x 26 box for the item's icon and the item's text rectangle,
// which runs to the right edge. Pure arithmetic; no state.
#pragma once

#include <QRect>
#include <QSize>

class CTreeLayout
{
public:
    static constexpr int kIndent = 19;
    static constexpr int kIconBox = 26;
    // From the start of a level to the icon box, and from the box to the text.
    static constexpr int kIconMargin = 2;
    static constexpr int kTextGap = 2;
    static constexpr int kMinimumWidth = 180;

    // The text rectangle of an item at nDepth (0 for the top level) in row.
    static QRect TextRect(const QRect& row, int nDepth);
    // Where a picture of that size goes: at its own size, in the icon box whose
    // right edge is the text's left edge, vertically centred on the row; a
    // picture smaller than the box is centred in it (integer halves).
    static QRect IconRect(const QRect& text, QSize picture);
    // The caption is drawn one pixel left of and six pixels above the text
    // rectangle, centred vertically in it.
    static QRect CaptionRect(const QRect& text);
    // The selection band: from the left edge of the tree to the row's right
    // edge, as high as the text rectangle.
    static QRect SelectionRect(const QRect& row, const QRect& text);
    // When the pane is narrower than kMinimumWidth, the widths that put it back
    // (nOther: what the other pane gets of nTotal). False when it is wide enough.
    static bool SnapWidths(int nWidth, int nTotal, int& nTree, int& nOther);
};
