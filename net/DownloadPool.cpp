#include "DownloadPool.h"

#include <thread>

CDownloadPool& CDownloadPool::Instance()
{
    // Never destroyed: detached workers may still use it while the process ends.
    static CDownloadPool* s_pPool = new CDownloadPool;
    return *s_pPool;
}

CDownloadPool::CDownloadPool()
{
    for (int i = 0; i < kWorkers; ++i) {
        std::thread([this] { WorkerLoop(); }).detach();
    }
}

void CDownloadPool::Run(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wakeUp.notify_one();
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

void CDownloadPool::WorkerLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wakeUp.wait(lock, [this] { return !m_jobs.empty(); });
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        ++m_nBusy;
        m_nPeakBusy = std::max(m_nPeakBusy, m_nBusy);
        lock.unlock();
        job();
        lock.lock();
        --m_nBusy;
    }
}
