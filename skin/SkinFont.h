// Fonts by the names the program's controls ask for. "Arial", "Tahoma" and
// "MS Sans Serif" are looked up among the installed fonts that share their
// metrics (Liberation Sans, DejaVu Sans), so that texts measure as the layout
// expects. A negative height is the character height in pixels, a positive one
// the cell height; weights run from 100 to 900 (400 normal, 700 bold).
#pragma once

#include <QFont>

QFont MakeSkinFont(const char* pFace, int nHeight, int nWeight);
