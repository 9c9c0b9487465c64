// A registered window message in flight: the event that PostMessage and
// SendMessage deliver. Its event type is the message id from
// RegisterWindowMessage; it carries the two parameters and, for a sent message,
// the result that the receiver hands back. An event that dies unhandled (its
// window was destroyed first, or has no handler for it) runs its "dropped"
// call, which frees what the parameters pointed at; a message sent from
// another thread reports its outcome to the waiting sender when it dies,
// handled or not. Not copyable.
#pragma once

#include <QEvent>
#include <QSemaphore>
#include <cstdint>
#include <functional>
#include <memory>

class CMessageEvent : public QEvent
{
public:
    // What the sender of a message from another thread waits for.
    struct CReply
    {
        QSemaphore done;
        intptr_t lResult = 0;
        bool bHandled = false;
    };

    CMessageEvent(unsigned uMessage, uintptr_t wParam, intptr_t lParam, std::function<void()> dropped = {},
                  std::shared_ptr<CReply> pReply = {});
    ~CMessageEvent() override;
    CMessageEvent(const CMessageEvent&) = delete;
    CMessageEvent& operator=(const CMessageEvent&) = delete;

    // The message event inside a delivered event, or null for any other event.
    static CMessageEvent* FromEvent(QEvent* pEvent);

    unsigned GetMessage() const { return static_cast<unsigned>(type()); }
    uintptr_t GetWParam() const { return m_wParam; }
    intptr_t GetLParam() const { return m_lParam; }
    intptr_t GetResult() const { return m_lResult; }
    // A handler has taken the message (and what its parameters own).
    void SetResult(intptr_t lResult)
    {
        m_lResult = lResult;
        m_bHandled = true;
    }
    bool IsHandled() const { return m_bHandled; }

private:
    uintptr_t m_wParam;
    intptr_t m_lParam;
    intptr_t m_lResult = 0;
    bool m_bHandled = false;
    std::function<void()> m_dropped;
    std::shared_ptr<CReply> m_pReply;
};
