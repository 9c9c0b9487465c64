// Dialog units: the program's dialogs and bars are laid out in the units of
// their font, "MS Sans Serif" 8 point, whose average character is 6 x 13
// pixels at 96 dots per inch. A horizontal unit is a quarter of the average
// width and a vertical unit an eighth of the height; conversions round to the
// nearest pixel. Every dialog-unit size of the program goes through here.
#pragma once

#include <QRect>
#include <QSize>

class CDialogUnits
{
public:
    static constexpr int kBaseWidth = 6;
    static constexpr int kBaseHeight = 13;

    static int ToPixelsX(int nUnits);
    static int ToPixelsY(int nUnits);
    static QSize ToPixels(QSize units);
    static QRect ToPixels(const QRect& units);
};

// nNumber * nNumerator / nDenominator, rounded half away from zero; 0 for a zero
// denominator.
int MulDiv(int nNumber, int nNumerator, int nDenominator);
