// CCaptionDrag: the window drag of a caption strip. A press starts it at the
// press position; each move with the left button still down moves the window
// by how far the cursor is from that position, so the window follows the
// cursor. Where the window system moves windows itself (and on Wayland only it
// may) the drag is handed over to it. A move without the button, or the
// release, ends the drag. Copying copies a flag and a point.
#pragma once

#include <QPoint>

class QWidget;

class CCaptionDrag
{
public:
    void Start(QPoint pos);
    // Moves pWindow for a cursor at pos (strip coordinates) while the left
    // button is down; ends the drag when it is not.
    void Move(QWidget* pWindow, QPoint pos, bool bLeftButtonDown);
    void End() { m_bDragging = false; }
    bool IsDragging() const { return m_bDragging; }

private:
    bool m_bDragging = false;
    QPoint m_start;
};
