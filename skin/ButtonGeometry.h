// Where the parts of an owner-drawn button go: the picture, the arrow part of a
// split button and the caption's space. Pure arithmetic on the button's
// rectangle.
#pragma once

#include <QRect>
#include <QSize>

// The width of a split button's arrow part that takes presses.
inline constexpr int kArrowHitWidth = 18;

// The rectangle a picture of size picture is drawn into: its own size with its
// top-left nMargin pixels inside item, scaled down to the item's height less
// both margins (width in proportion, truncated) when it is taller than that.
QRect PictureRect(const QRect& item, QSize picture, int nMargin);

// True when x (client pixels) lies in the rightmost kArrowHitWidth pixels.
bool InArrowPart(int nButtonWidth, int nX);

// The horizontal span left for the caption: from the picture's right edge (5
// further when the text is not centred) to the client's right edge less 6 for a
// drop-down or 12 for a split button. Empty when nothing is left.
QRect CaptionSpace(const QRect& client, int nPictureRight, bool bCentred, bool bDropDown, bool bSplit);
