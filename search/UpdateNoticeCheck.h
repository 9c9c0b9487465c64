// CUpdateNoticeCheck: the silent update check of the search bar. Start fetches
// the manifest on a worker thread (CManifestFetch), so that the network never
// blocks the window, which gets "Kestova_MESSAGE_UPDATE_CHECK_DONE" when the
// fetch has ended; GetResult then compares the manifest with the installed
// versions on the window's thread. Once this object is destroyed the window
// hears nothing more. Not copyable.
#pragma once

#include "ManifestFetch.h"
#include "MyString.h"

#include <QObject>

inline constexpr char kUpdateCheckDoneMessage[] = "Kestova_MESSAGE_UPDATE_CHECK_DONE";

class CUpdateNoticeCheck
{
public:
    explicit CUpdateNoticeCheck(QObject* pWindow) : m_fetch(pWindow, kUpdateCheckDoneMessage) {}

    // Starts the check; only the first call does anything.
    void Start() { m_fetch.Start(); }
    // After the message: whether anything is newer, with the check's flags
    // (CUpdateCheck::kListsNewer, kProgramNewer) and the text of the newer
    // program. False while the check runs.
    bool GetResult(int& nFlags, CMyString& strName) const;

private:
    CManifestFetch m_fetch;
};
