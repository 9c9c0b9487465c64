#include "CaptionDrag.h"

#include <QWidget>
#include <QWindow>

void CCaptionDrag::Start(QPoint pos)
{
    m_start = pos;
    m_bDragging = true;
}

void CCaptionDrag::Move(QWidget* pWindow, QPoint pos, bool bLeftButtonDown)
{
    if (!m_bDragging)
        return;
    if (!bLeftButtonDown || pWindow == nullptr) {
        m_bDragging = false;
        return;
    }
    const QPoint offset = pos - m_start;
    if (offset.isNull())
        return;
    if (QWindow* pHandle = pWindow->windowHandle(); pHandle != nullptr && pHandle->startSystemMove()) {
        m_bDragging = false;
        return;
    }
    pWindow->move(pWindow->pos() + offset);
}
