// CDownloadPool: the few worker threads that run background downloads.
//
// A catalogue can ask for tens of thousands of icons at once; a thread each
// would exhaust the machine, so jobs wait for one of a few workers. There are
// two lanes, each with workers of its own: lists (and anything else the
// program waits for) never queue behind icons, however many icons wait or
// however slowly their server answers. Within a lane, no host gets more than
// kPerHost workers at once, so one silent server cannot hold a whole lane.
// Jobs of one host start in the order they were queued. Jobs cannot be
// cancelled and the pool is never torn down: its threads are detached and end
// with the process, like any download in flight.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>

class CDownloadPool
{
public:
    enum class Lane
    {
        Lists,
        Icons,
    };
    static constexpr int kListWorkers = 3;
    static constexpr int kIconWorkers = 4;
    static constexpr int kPerHost = 3;

    // The process's pool, started on first use.
    static CDownloadPool& Instance();

    // Queues the job for a request to strHost; a worker of the lane runs it as
    // soon as one is free and the host has fewer than kPerHost jobs running.
    void Run(Lane lane, const std::string& strHost, std::function<void()> job);

    // Jobs running right now in both lanes, and the most at once, for tests and diagnostics.
    int GetBusyCount() const;
    int GetPeakBusyCount() const;

private:
    struct CLane
    {
        std::condition_variable wakeUp;
        std::map<std::string, std::deque<std::function<void()>>> waiting; // by host
        std::map<std::string, int> running;                                // by host
    };

    CDownloadPool();
    void WorkerLoop(CLane& lane);
    // The host whose next job may start now, or the lane's end.
    static std::map<std::string, std::deque<std::function<void()>>>::iterator NextHost(CLane& lane);

    mutable std::mutex m_mutex;
    CLane m_lists;
    CLane m_icons;
    int m_nBusy = 0;
    int m_nPeakBusy = 0;
};
