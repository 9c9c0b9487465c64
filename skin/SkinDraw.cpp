#include "SkinDraw.h"

#include "ColourConvert.h"

#include <QLinearGradient>
#include <QPainter>

void FillGradient(QPainter& painter, const QRect& rect, COLORREF crTop, COLORREF crBottom)
{
    if (rect.isEmpty())
        return;
    QLinearGradient gradient(0, rect.top(), 0, rect.top() + rect.height());
    gradient.setColorAt(0.0, ToQColor(crTop));
    gradient.setColorAt(1.0, ToQColor(crBottom));
    painter.fillRect(rect, gradient);
}

void DrawFlatRect(QPainter& painter, const QRect& rect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    if (rect.isEmpty())
        return;
    const QColor topLeft = ToQColor(crTopLeft);
    const QColor bottomRight = ToQColor(crBottomRight);
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
}

void DrawPushFrame(QPainter& painter, const QRect& rect, COLORREF crFace, const CFrameState& state)
{
    if (rect.width() < 2 || rect.height() < 2)
        return;
    const QColor face = ToQColor(crFace);
    const QColor border = state.bDisabled ? face.darker(130) : face.darker(190);
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, border);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, border);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), border);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), border);
    if (state.bDisabled || rect.width() < 4 || rect.height() < 4)
        return;
    // One pixel inside the border: a light top edge when raised, a dark one
    // when sunken, so that a press reads as a press on any face colour.
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    const bool bSunken = state.bPushed || state.bChecked;
    const QColor edge = bSunken ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 45);
    painter.fillRect(inner.left(), inner.top(), inner.width(), 1, edge);
}

void DrawSunkenLine(QPainter& painter, int nX, int nTop, int nBottom)
{
    if (nBottom <= nTop)
        return;
    painter.fillRect(nX, nTop, 1, nBottom - nTop, QColor(0, 0, 0, 110));
    painter.fillRect(nX + 1, nTop, 1, nBottom - nTop, QColor(255, 255, 255, 50));
}
