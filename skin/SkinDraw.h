// Drawing shared by the skinned controls and dialogs: the vertical two-colour
// gradient and the frames of the owner-drawn buttons.
#pragma once

#include "Colour.h"

class QPainter;
class QRect;

// Fills rect from crTop at its top edge to crBottom at its bottom edge.
void FillGradient(QPainter& painter, const QRect& rect, COLORREF crTop, COLORREF crBottom);

struct CFrameState
{
    bool bPushed = false;
    bool bChecked = false;
    bool bDisabled = false;
};

// The frame of a push button around rect, one pixel wide, in shades of crFace
// (the colour the frame surrounds): raised when up, sunken when pushed or
// checked, flat and faint when disabled.
void DrawPushFrame(QPainter& painter, const QRect& rect, COLORREF crFace, const CFrameState& state);

// A flat one-pixel rectangle: crTopLeft on the top and left edges, crBottomRight
// on the others.
void DrawFlatRect(QPainter& painter, const QRect& rect, COLORREF crTopLeft, COLORREF crBottomRight);

// A vertical groove two pixels wide from (nX, nTop) to (nX, nBottom): a dark
// line and a light line beside it, readable on any background.
void DrawSunkenLine(QPainter& painter, int nX, int nTop, int nBottom);
