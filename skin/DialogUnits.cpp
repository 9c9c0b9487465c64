#include "DialogUnits.h"

#include <cstdint>

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return 0;
    const int64_t nProduct = static_cast<int64_t>(nNumber) * nNumerator;
    const int64_t nHalf = (nDenominator < 0 ? -nDenominator : nDenominator) / 2;
    const bool bNegative = (nProduct < 0) != (nDenominator < 0);
    const int64_t nMagnitude = ((nProduct < 0 ? -nProduct : nProduct) + nHalf) /
                               (nDenominator < 0 ? -static_cast<int64_t>(nDenominator) : nDenominator);
    return static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
}

int CDialogUnits::ToPixelsX(int nUnits)
{
    return MulDiv(nUnits, kBaseWidth, 4);
}

int CDialogUnits::ToPixelsY(int nUnits)
{
    return MulDiv(nUnits, kBaseHeight, 8);
}

QSize CDialogUnits::ToPixels(QSize units)
{
    return QSize(ToPixelsX(units.width()), ToPixelsY(units.height()));
}

QRect CDialogUnits::ToPixels(const QRect& units)
{
    return QRect(ToPixelsX(units.x()), ToPixelsY(units.y()), ToPixelsX(units.width()),
                 ToPixelsY(units.height()));
}
