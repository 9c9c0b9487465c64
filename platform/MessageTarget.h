// CMessageTarget: a window as a worker thread sees it. It is made on the
// window's own thread and then copied to workers; it turns "gone" the moment
// the window begins to be destroyed, and hands a message to the window only
// while holding a lock that the window's destruction also takes, so a worker
// never touches a window that is being freed. Copies share one small handle
// (all targets of one window share one); copying costs a reference count.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class CMessageTarget
{
public:
    // No window: always gone.
    CMessageTarget() = default;
    // Call on pWindow's thread, while it lives.
    explicit CMessageTarget(QObject* pWindow);

    bool IsGone() const;
    // Runs call with the window while it cannot be destroyed; false, without
    // running it, when the window is gone. The call must not wait for the
    // window's thread.
    bool WithWindow(const std::function<void(QObject* pWindow)>& call) const;

private:
    struct CBox;
    std::shared_ptr<CBox> m_pBox;
};
