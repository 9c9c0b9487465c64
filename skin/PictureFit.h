// Where an unstretched picture lands: the fit rule that shrinks a picture into
// its box, and the centring of the fitted picture in the box.
#pragma once

#include <QRect>
#include <QSize>

// Fits a picture of size picture into box. A box smaller than 1 x 1 becomes
// 0 x 0 and keeps the picture's size; a box larger in both directions keeps it
// too; otherwise the picture is scaled by the smaller of the two ratios (single
// precision, truncated), keeping its proportions.
QSize FitPicture(QSize& box, QSize picture);

// The rectangle an unstretched picture is drawn into: the fitted size at the
// top-left of rect, moved right and down by half of what the box has to spare.
QRect PlaceFitted(const QRect& rect, QSize box, QSize picture);
