#include "MessageEvent.h"

CMessageEvent::CMessageEvent(unsigned uMessage, uintptr_t wParam, intptr_t lParam)
    : QEvent(static_cast<QEvent::Type>(uMessage)), m_wParam(wParam), m_lParam(lParam)
{
}

CMessageEvent* CMessageEvent::FromEvent(QEvent* pEvent)
{
    // Registered ids lie above QEvent::User: the cheap test spares the cast for
    // the many system events a window receives.
    if (pEvent == nullptr || pEvent->type() < QEvent::User)
        return nullptr;
    return dynamic_cast<CMessageEvent*>(pEvent);
}
