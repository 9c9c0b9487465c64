// A registered window message in flight: the event that PostMessage and
// SendMessage deliver. Its event type is the message id from
// RegisterWindowMessage; it carries the two parameters and, for a sent message,
// the result that the receiver hands back. Copying copies three numbers.
#pragma once

#include <QEvent>
#include <cstdint>

class CMessageEvent : public QEvent
{
public:
    CMessageEvent(unsigned uMessage, uintptr_t wParam, intptr_t lParam);

    // The message event inside a delivered event, or null for any other event.
    static CMessageEvent* FromEvent(QEvent* pEvent);

    unsigned GetMessage() const { return static_cast<unsigned>(type()); }
    uintptr_t GetWParam() const { return m_wParam; }
    intptr_t GetLParam() const { return m_lParam; }
    intptr_t GetResult() const { return m_lResult; }
    void SetResult(intptr_t lResult) { m_lResult = lResult; }

private:
    uintptr_t m_wParam;
    intptr_t m_lParam;
    intptr_t m_lResult = 0;
};
