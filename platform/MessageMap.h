// A receiver's message map: the one place where a window dispatches the
// registered messages it handles. The window keeps one as a member, adds a
// handler per message id, and calls Dispatch first in its event() override:
//
//   bool CMainFrame::event(QEvent* pEvent)
//   {
//       return m_messageMap.Dispatch(pEvent) || QWidget::event(pEvent);
//   }
//
// A handler gets the two parameters and returns the result that SendMessage
// hands back to the sender. Copying copies the handlers.
#pragma once

#include <QEvent>
#include <cstdint>
#include <functional>
#include <map>

class CMessageMap
{
public:
    using Handler = std::function<intptr_t(uintptr_t wParam, intptr_t lParam)>;

    // Replaces an earlier handler of the same message; id 0 is ignored.
    void Add(unsigned uMessage, Handler handler);
    // True when the event is a registered message that has a handler here; the
    // handler has then run and its result is stored in the event.
    bool Dispatch(QEvent* pEvent) const;

private:
    std::map<unsigned, Handler> m_handlers;
};
