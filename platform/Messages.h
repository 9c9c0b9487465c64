// Registered window messages: how the program's windows and worker threads
// talk to each other. A message id comes from RegisterWindowMessage (one id per
// name for the life of the process; names match without regard to case); a
// window is any QObject. On the window's own thread the sender holds it as a
// QPointer, so that a destroyed window is seen as gone; another thread holds a
// CMessageTarget made on the window's thread, which is safe however the
// window's destruction and the hand-over interleave. Receivers dispatch in one
// place, their message map (MessageMap.h).
#pragma once

#include "MessageTarget.h"
#include "MyString.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>

// The id of the named message, the same for every call with that name; 0 for
// an empty name or when no more ids are left.
unsigned RegisterWindowMessage(const CMyString& strName);

// Queues the message for the target's thread and returns at once; safe from
// any thread. False when the target is gone or the id is not registered.
bool PostMessage(const QPointer<QObject>& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam);

// Delivers the message and returns the receiver's result. On the target's own
// thread it is handled at once; from another thread the call blocks until the
// target's thread has handled it (that thread must run its event loop), and
// the caller must make sure the window outlives the call (workers use the
// CMessageTarget form below). 0 when the target is gone, the id is not
// registered, or nobody handled it.
intptr_t SendMessage(const QPointer<QObject>& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam);

// From any thread: queues the message for the window's thread. When the
// window is gone, or dies before the message is handled, or has no handler
// for it, dropped runs (on whichever thread lets go of the message) so that
// what the parameters point at is freed. False when it was not queued (dropped
// has then run already).
bool PostMessage(const CMessageTarget& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam,
                 std::function<void()> dropped = {});

// From any thread: delivers the message on the window's thread and waits until
// it has been handled or dropped. The receiver's result; *pHandled (when given)
// tells whether a handler took it; when it did not, the sender still owns what
// the parameters point at.
intptr_t SendMessage(const CMessageTarget& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam,
                     bool* pHandled = nullptr);

// True while the window exists.
bool IsWindow(const QPointer<QObject>& target);
