// One button colour set of the skin: the two gradients (normal and hover), the
// caption colour and the optional shadow copy of the caption. A plain value;
// copying it copies seven numbers. Buttons take a whole set at once.
#pragma once

#include "Colour.h"

#include <cstdint>

struct CButtonColours
{
    COLORREF crNormalTop = Rgb(188, 219, 255);
    COLORREF crNormalBottom = Rgb(127, 137, 144);
    COLORREF crHoverTop = Rgb(240, 255, 255);
    COLORREF crHoverBottom = Rgb(165, 178, 187);
    // 1: the caption is drawn twice, the second text colour as its shadow.
    uint32_t uDoubleText = 0;
    COLORREF crText = Rgb(0, 0, 0);
    COLORREF crText2 = Rgb(255, 255, 255);
};
