// CManifestFetch: CUpdateCheck::GetManifest on a worker thread of its own, so
// that a slow or silent server never blocks a window. When the fetch has
// ended, the worker posts the window's registered message; the window then
// reads the outcome with GetResult on its own thread. Once this object is
// destroyed the window hears nothing more, even when the worker ends later
// (its network calls all have time-outs). Not copyable.
#pragma once

#include "MyString.h"

#include <QObject>
#include <memory>

class CManifestFetch
{
public:
    // pMessageName: the registered message posted to pWindow when done.
    CManifestFetch(QObject* pWindow, const char* pMessageName);
    ~CManifestFetch();
    CManifestFetch(const CManifestFetch&) = delete;
    CManifestFetch& operator=(const CManifestFetch&) = delete;

    // Starts the fetch; only the first call does anything.
    void Start();
    unsigned GetMessage() const;
    // After the message: whether a manifest arrived, with its text and the
    // base address of the server that gave it. False while the fetch runs.
    bool GetResult(CMyString& strManifest, CMyString& strServer) const;

private:
    struct CShared;
    std::shared_ptr<CShared> m_pShared;
    bool m_bStarted = false;
};
