#include "MessageEvent.h"

CMessageEvent::CMessageEvent(unsigned uMessage, uintptr_t wParam, intptr_t lParam, std::function<void()> dropped,
                             std::shared_ptr<CReply> pReply)
    : QEvent(static_cast<QEvent::Type>(uMessage)), m_wParam(wParam), m_lParam(lParam),
      m_dropped(std::move(dropped)), m_pReply(std::move(pReply))
{
}

CMessageEvent::~CMessageEvent()
{
    if (!m_bHandled && m_dropped)
        m_dropped();
    if (m_pReply) {
        m_pReply->lResult = m_lResult;
        m_pReply->bHandled = m_bHandled;
        m_pReply->done.release();
    }
}

CMessageEvent* CMessageEvent::FromEvent(QEvent* pEvent)
{
    // Registered ids lie above QEvent::User: the cheap test spares the cast for
    // the many system events a window receives.
    if (pEvent == nullptr || pEvent->type() < QEvent::User)
        return nullptr;
    return dynamic_cast<CMessageEvent*>(pEvent);
}
