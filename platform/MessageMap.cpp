#include "MessageMap.h"

#include "MessageEvent.h"

void CMessageMap::Add(unsigned uMessage, Handler handler)
{
    if (uMessage != 0 && handler)
        m_handlers[uMessage] = std::move(handler);
}

bool CMessageMap::Dispatch(QEvent* pEvent) const
{
    CMessageEvent* pMessage = CMessageEvent::FromEvent(pEvent);
    if (pMessage == nullptr)
        return false;
    const auto it = m_handlers.find(pMessage->GetMessage());
    if (it == m_handlers.end())
        return false;
    pMessage->SetResult(it->second(pMessage->GetWParam(), pMessage->GetLParam()));
    return true;
}
