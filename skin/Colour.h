// Colours as the skin stores them: 32-bit values with red in the low byte,
// then green, then blue, and a zero high byte. The skin keeps colours in this
// form; ToQColor (ColourConvert.h) turns one into a QColor where it is drawn.
#pragma once

#include <cstdint>

using COLORREF = uint32_t;

constexpr COLORREF Rgb(int nRed, int nGreen, int nBlue)
{
    return static_cast<COLORREF>(nRed & 255) | (static_cast<COLORREF>(nGreen & 255) << 8) |
           (static_cast<COLORREF>(nBlue & 255) << 16);
}

constexpr int GetRValue(COLORREF cr)
{
    return static_cast<int>(cr & 255);
}

constexpr int GetGValue(COLORREF cr)
{
    return static_cast<int>((cr >> 8) & 255);
}

constexpr int GetBValue(COLORREF cr)
{
    return static_cast<int>((cr >> 16) & 255);
}
