#include "Messages.h"

#include "Logging.h"
#include "MessageEvent.h"

#include <QCoreApplication>
#include <QThread>
#include <memory>
#include <map>
#include <mutex>
#include <set>
#include <string>

namespace {

struct Registry
{
    std::mutex mutex;
    std::map<std::string, unsigned> ids; // lower-case name -> id
    std::set<unsigned> known;
};

Registry& MessageIds()
{
    static Registry s_registry;
    return s_registry;
}

bool IsRegistered(unsigned uMessage)
{
    Registry& registry = MessageIds();
    std::lock_guard<std::mutex> guard(registry.mutex);
    return registry.known.count(uMessage) != 0;
}

intptr_t Deliver(QObject* pTarget, unsigned uMessage, uintptr_t wParam, intptr_t lParam)
{
    CMessageEvent event(uMessage, wParam, lParam);
    QCoreApplication::sendEvent(pTarget, &event);
    return event.GetResult();
}

} // namespace

unsigned RegisterWindowMessage(const CMyString& strName)
{
    if (strName.IsEmpty())
        return 0;
    CMyString strKey(strName);
    strKey.MakeLower();
    Registry& registry = MessageIds();
    std::lock_guard<std::mutex> guard(registry.mutex);
    const auto it = registry.ids.find(strKey.GetText());
    if (it != registry.ids.end())
        return it->second;
    const int nType = QEvent::registerEventType();
    if (nType < 0)
        return 0;
    const unsigned uMessage = static_cast<unsigned>(nType);
    registry.ids.emplace(strKey.GetText(), uMessage);
    registry.known.insert(uMessage);
    qCDebug(lcMessages) << "registered" << strName.GetText() << "as" << uMessage;
    return uMessage;
}

bool PostMessage(const QPointer<QObject>& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam)
{
    if (target.isNull() || !IsRegistered(uMessage))
        return false;
    // The queue owns the event and deletes it after delivery.
    QCoreApplication::postEvent(target.data(), new CMessageEvent(uMessage, wParam, lParam));
    return true;
}

intptr_t SendMessage(const QPointer<QObject>& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam)
{
    QObject* pTarget = target.data();
    if (pTarget == nullptr || !IsRegistered(uMessage))
        return 0;
    QThread* pThread = pTarget->thread();
    if (pThread == QThread::currentThread())
        return Deliver(pTarget, uMessage, wParam, lParam);
    if (pThread == nullptr || pThread->isFinished())
        return 0;
    // The call runs on the target's thread, and only while the target lives:
    // if it is destroyed first, Qt drops the call and releases the wait.
    intptr_t lResult = 0;
    QMetaObject::invokeMethod(
        pTarget, [&] { lResult = Deliver(pTarget, uMessage, wParam, lParam); }, Qt::BlockingQueuedConnection);
    return lResult;
}

bool PostMessage(const CMessageTarget& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam,
                 std::function<void()> dropped)
{
    auto pEvent = std::make_unique<CMessageEvent>(uMessage, wParam, lParam, std::move(dropped));
    if (!IsRegistered(uMessage))
        return false;
    return target.WithWindow([&](QObject* pWindow) { QCoreApplication::postEvent(pWindow, pEvent.release()); });
}

intptr_t SendMessage(const CMessageTarget& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam,
                     bool* pHandled)
{
    auto pReply = std::make_shared<CMessageEvent::CReply>();
    auto pEvent = std::make_unique<CMessageEvent>(uMessage, wParam, lParam, std::function<void()>(), pReply);
    QObject* pOwnThreadWindow = nullptr;
    const bool bQueued = IsRegistered(uMessage) && target.WithWindow([&](QObject* pWindow) {
        if (pWindow->thread() == QThread::currentThread())
            pOwnThreadWindow = pWindow;
        else
            QCoreApplication::postEvent(pWindow, pEvent.release());
    });
    // On the window's own thread nothing else can destroy it: it is handled
    // at once, outside the lock, since the handler may destroy the window.
    if (pOwnThreadWindow != nullptr)
        QCoreApplication::sendEvent(pOwnThreadWindow, pEvent.get());
    // The event reports when it dies: handled, dropped with its window, or never queued.
    pEvent.reset();
    if (bQueued && pOwnThreadWindow == nullptr)
        pReply->done.acquire();
    if (pHandled != nullptr)
        *pHandled = bQueued && pReply->bHandled;
    return bQueued ? pReply->lResult : 0;
}

bool IsWindow(const QPointer<QObject>& target)
{
    return !target.isNull();
}
