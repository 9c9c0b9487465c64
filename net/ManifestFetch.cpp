#include "ManifestFetch.h"

#include "Messages.h"
#include "UpdateCheck.h"

#include <mutex>
#include <thread>

// What the worker and the window share. The worker posts only under the lock
// and only while the window's side still lives, so it never posts to a window
// that is being destroyed.
struct CManifestFetch::CShared
{
    std::mutex mutex;
    CMessageTarget window;
    unsigned uMessage = 0;
    bool bListening = true;
    bool bDone = false;
    bool bFetched = false;
    CMyString strManifest;
    CMyString strServer;
};

CManifestFetch::CManifestFetch(QObject* pWindow, const char* pMessageName)
    : m_pShared(std::make_shared<CShared>())
{
    m_pShared->window = CMessageTarget(pWindow);
    m_pShared->uMessage = RegisterWindowMessage(pMessageName);
}

CManifestFetch::~CManifestFetch()
{
    std::lock_guard<std::mutex> lock(m_pShared->mutex);
    m_pShared->bListening = false;
}

void CManifestFetch::Start()
{
    if (m_bStarted)
        return;
    m_bStarted = true;
    std::thread([pShared = m_pShared] {
        CMyString strManifest;
        CMyString strServer;
        const bool bFetched = CUpdateCheck::GetManifest(strManifest, strServer);
        std::lock_guard<std::mutex> lock(pShared->mutex);
        pShared->bDone = true;
        pShared->bFetched = bFetched;
        pShared->strManifest = strManifest;
        pShared->strServer = strServer;
        if (pShared->bListening)
            PostMessage(pShared->window, pShared->uMessage, 0, 0);
    }).detach();
}

unsigned CManifestFetch::GetMessage() const
{
    return m_pShared->uMessage;
}

bool CManifestFetch::GetResult(CMyString& strManifest, CMyString& strServer) const
{
    std::lock_guard<std::mutex> lock(m_pShared->mutex);
    strManifest = m_pShared->strManifest;
    strServer = m_pShared->strServer;
    return m_pShared->bDone && m_pShared->bFetched;
}
