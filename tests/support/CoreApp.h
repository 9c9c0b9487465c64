// For tests that need Qt's event machinery but no widget: the one
// QCoreApplication of the test process, made on first use, and a bounded event
// pump, so that a lost message fails a test instead of hanging it.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

inline void EnsureCoreApplication()
{
    static int s_nArgc = 1;
    static char s_name[] = "kestova-test";
    static char* s_argv[] = {s_name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(s_nArgc, s_argv);
    }
}

// Runs this thread's events until the condition holds or nMs have passed.
inline bool ProcessEventsUntil(const std::function<bool()>& condition, int nMs = 30000)
{
    const QDeadlineTimer giveUp(nMs);
    while (!condition() && !giveUp.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
}
