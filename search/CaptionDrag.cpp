#include "CaptionDrag.h"

#include <QWidget>
#include <QWindow>

void CCaptionDrag::Start(const QWidget* pWindow, QPoint globalPos)
{
    m_start = globalPos;
    m_windowStart = pWindow != nullptr ? pWindow->pos() : QPoint();
    m_bDragging = true;
}

void CCaptionDrag::Move(QWidget* pWindow, QPoint globalPos, bool bLeftButtonDown)
{
    if (!m_bDragging)
        return;
    if (!bLeftButtonDown || pWindow == nullptr) {
        m_bDragging = false;
        return;
    }
    const QPoint offset = globalPos - m_start;
    if (offset.isNull())
        return;
    if (QWindow* pHandle = pWindow->windowHandle(); pHandle != nullptr && pHandle->startSystemMove()) {
        m_bDragging = false;
        return;
    }
    pWindow->move(m_windowStart + offset);
}
