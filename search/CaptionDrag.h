// CCaptionDrag: the window drag of a caption strip. A press starts it at the
// cursor's screen position; each move with the left button still down puts
// the window where it was at the press plus how far the cursor has gone on the
// screen, so the window follows the cursor (screen positions do not change
// with the window, while positions inside it lag behind a window that is still
// being moved). Where the window system moves windows itself (and on Wayland
// only it may) the drag is handed over to it. A move without the button, or
// the release, ends the drag. Copying copies a flag and two points.
#pragma once

#include <QPoint>

class QWidget;

class CCaptionDrag
{
public:
    // A press at globalPos (screen coordinates) on pWindow.
    void Start(const QWidget* pWindow, QPoint globalPos);
    // Moves pWindow for a cursor at globalPos while the left button is down;
    // ends the drag when it is not.
    void Move(QWidget* pWindow, QPoint globalPos, bool bLeftButtonDown);
    void End() { m_bDragging = false; }
    bool IsDragging() const { return m_bDragging; }

private:
    bool m_bDragging = false;
    QPoint m_start;
    QPoint m_windowStart;
};
