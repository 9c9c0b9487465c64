#include "EnterKeyWatch.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool IsEnterKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

CEnterKeyWatch::CEnterKeyWatch()
{
    if (QCoreApplication* pApplication = QCoreApplication::instance())
        pApplication->installEventFilter(this);
}

CEnterKeyWatch::~CEnterKeyWatch()
{
    if (QCoreApplication* pApplication = QCoreApplication::instance())
        pApplication->removeEventFilter(this);
}

bool CEnterKeyWatch::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        // A held key repeats as release and press pairs; only the real ones count.
        if (IsEnterKey(*pKey) && !pKey->isAutoRepeat())
            m_bDown = pEvent->type() == QEvent::KeyPress;
        break;
    }
    case QEvent::ApplicationDeactivate:
        m_bDown = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(pWatched, pEvent);
}
