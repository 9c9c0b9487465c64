// CDownloadPool: the few worker threads that run background downloads.
//
// A catalogue can ask for tens of thousands of icons at once; a thread each
// would exhaust the machine, so jobs wait in a queue for one of kWorkers
// threads. Jobs cannot be cancelled and the pool is never torn down: its
// threads are detached and end with the process, like any download in flight.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

class CDownloadPool
{
public:
    static constexpr int kWorkers = 4;

    // The process's pool, started on first use.
    static CDownloadPool& Instance();

    // Queues the job; one of the workers runs it as soon as it is free.
    void Run(std::function<void()> job);

    // Jobs running right now, for tests and diagnostics.
    int GetBusyCount() const;
    int GetPeakBusyCount() const;

private:
    CDownloadPool();
    void WorkerLoop();

    mutable std::mutex m_mutex;
    std::condition_variable m_wakeUp;
    std::deque<std::function<void()>> m_jobs;
    int m_nBusy = 0;
    int m_nPeakBusy = 0;
};
