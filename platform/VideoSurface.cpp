#include "VideoSurface.h"

#include "VideoWindow.h"

#include <QCoreApplication>
#include <QKeyEvent>

CVideoSurface::CVideoSurface(CMpvEngine& engine, QWidget* pParent)
    : CVideoOutput(pParent), m_pWindow(new CVideoWindow(engine))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    // The container owns the window from here on.
    m_pContainer = QWidget::createWindowContainer(m_pWindow, this);
    m_pContainer->setGeometry(rect());
    // Keys that reach the picture take the way of keys pressed on this widget,
    // up to the player's host, as a widget's unused keys do.
    m_pWindow->SetKeyHandler([this](QKeyEvent* pEvent) { QCoreApplication::sendEvent(this, pEvent); });
    m_pWindow->SetDoubleClickHandler([this] { Leave(); });
}

// The window goes with its container, a child of this widget.
CVideoSurface::~CVideoSurface() = default;

bool CVideoSurface::HasRenderContext() const
{
    return m_pWindow->HasRenderContext();
}

void CVideoSurface::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    m_pContainer->setGeometry(rect());
}

void CVideoSurface::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() != Qt::Key_Escape || !Leave())
        QWidget::keyPressEvent(pEvent);
}

void CVideoSurface::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (!Leave())
        QWidget::mouseDoubleClickEvent(pEvent);
}
