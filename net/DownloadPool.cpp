#include "DownloadPool.h"

#include <algorithm>
#include <thread>

CDownloadPool& CDownloadPool::Instance()
{
    // Never destroyed: detached workers may still use it while the process ends.
    static CDownloadPool* s_pPool = new CDownloadPool;
    return *s_pPool;
}

CDownloadPool::CDownloadPool()
{
    for (int i = 0; i < kListWorkers; ++i) {
        std::thread([this] { WorkerLoop(m_lists); }).detach();
    }
    for (int i = 0; i < kIconWorkers; ++i) {
        std::thread([this] { WorkerLoop(m_icons); }).detach();
    }
}

void CDownloadPool::Run(Lane lane, const std::string& strHost, std::function<void()> job)
{
    CLane& target = lane == Lane::Lists ? m_lists : m_icons;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        target.waiting[strHost].push_back(std::move(job));
    }
    target.wakeUp.notify_one();
}

int CDownloadPool::GetBusyCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nBusy;
}

int CDownloadPool::GetPeakBusyCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nPeakBusy;
}

// A lane holds few hosts, however many jobs each has: the walk is short.
std::map<std::string, std::deque<std::function<void()>>>::iterator CDownloadPool::NextHost(CLane& lane)
{
    return std::find_if(lane.waiting.begin(), lane.waiting.end(),
                        [&lane](const auto& host) { return lane.running[host.first] < kPerHost; });
}

void CDownloadPool::WorkerLoop(CLane& lane)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        lane.wakeUp.wait(lock, [&] { return NextHost(lane) != lane.waiting.end(); });
        const auto host = NextHost(lane);
        const std::string strHost = host->first;
        std::function<void()> job = std::move(host->second.front());
        host->second.pop_front();
        if (host->second.empty()) {
            lane.waiting.erase(host);
        }
        ++lane.running[strHost];
        ++m_nBusy;
        m_nPeakBusy = std::max(m_nPeakBusy, m_nBusy);
        lock.unlock();
        job();
        lock.lock();
        --m_nBusy;
        if (--lane.running[strHost] == 0) {
            lane.running.erase(strHost);
        }
        // A job of this host may have waited for this one to end.
        lane.wakeUp.notify_one();
    }
}
