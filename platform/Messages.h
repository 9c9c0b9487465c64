// Registered window messages: how the program's windows and worker threads
// talk to each other. A message id comes from RegisterWindowMessage (one id per
// name for the life of the process; names match without regard to case); a
// window is any QObject, held by the sender as a QPointer so that a destroyed
// window is seen as gone. Receivers dispatch in one place, their message map
// (MessageMap.h).
#pragma once

#include "MyString.h"

#include <QObject>
#include <QPointer>
#include <cstdint>

// The id of the named message, the same for every call with that name; 0 for
// an empty name or when no more ids are left.
unsigned RegisterWindowMessage(const CMyString& strName);

// Queues the message for the target's thread and returns at once; safe from
// any thread. False when the target is gone or the id is not registered.
bool PostMessage(const QPointer<QObject>& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam);

// Delivers the message and returns the receiver's result. On the target's own
// thread it is handled at once; from another thread the call blocks until the
// target's thread has handled it (that thread must run its event loop). 0 when
// the target is gone, the id is not registered, or nobody handled it.
intptr_t SendMessage(const QPointer<QObject>& target, unsigned uMessage, uintptr_t wParam, intptr_t lParam);

// True while the window exists.
bool IsWindow(const QPointer<QObject>& target);
