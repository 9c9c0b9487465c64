#include "UpdateNoticeCheck.h"

#include "Messages.h"
#include "UpdateCheck.h"

#include <QPointer>
#include <mutex>
#include <thread>

// What the worker and the window share. The worker posts only under the lock
// and only while the window's side still lives, so it never posts to a window
// that is being destroyed.
struct CUpdateNoticeCheck::CShared
{
    std::mutex mutex;
    QPointer<QObject> window;
    unsigned uMessage = 0;
    bool bListening = true;
    bool bDone = false;
    bool bNewer = false;
    int nFlags = 0;
    CMyString strName;
};

CUpdateNoticeCheck::CUpdateNoticeCheck(QObject* pWindow) : m_pShared(std::make_shared<CShared>())
{
    m_pShared->window = pWindow;
    m_pShared->uMessage = RegisterWindowMessage(kUpdateCheckDoneMessage);
}

CUpdateNoticeCheck::~CUpdateNoticeCheck()
{
    std::lock_guard<std::mutex> lock(m_pShared->mutex);
    m_pShared->bListening = false;
}

void CUpdateNoticeCheck::Start()
{
    if (m_bStarted)
        return;
    m_bStarted = true;
    std::thread([pShared = m_pShared] {
        int nFlags = 0;
        CMyString strName;
        const bool bNewer = CUpdateCheck::CheckForUpdates(nFlags, strName);
        std::lock_guard<std::mutex> lock(pShared->mutex);
        pShared->bDone = true;
        pShared->bNewer = bNewer;
        pShared->nFlags = nFlags;
        pShared->strName = strName;
        if (pShared->bListening)
            PostMessage(pShared->window, pShared->uMessage, 0, 0);
    }).detach();
}

bool CUpdateNoticeCheck::GetResult(int& nFlags, CMyString& strName) const
{
    std::lock_guard<std::mutex> lock(m_pShared->mutex);
    nFlags = m_pShared->nFlags;
    strName = m_pShared->strName;
    return m_pShared->bDone && m_pShared->bNewer;
}
