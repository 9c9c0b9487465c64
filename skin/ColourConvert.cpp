#include "ColourConvert.h"

QColor ToQColor(COLORREF cr)
{
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

COLORREF FromQColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return Rgb(rgb.red(), rgb.green(), rgb.blue());
}
