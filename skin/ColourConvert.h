// The one place where a skin colour becomes a Qt colour and back.
#pragma once

#include "Colour.h"

#include <QColor>

QColor ToQColor(COLORREF cr);
// The colour's red, green and blue; alpha is dropped.
COLORREF FromQColor(const QColor& colour);
