// The desktop's colours under the numbers the skin's defaults and the
// controls' drawing are written with. They come from the application palette,
// so they follow the desktop theme; read them after the QApplication exists.
#pragma once

#include "Colour.h"

enum SystemColourIndex
{
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
};

// The colour of that number; black for a number the palette has no role for.
COLORREF GetSysColor(int nIndex);
