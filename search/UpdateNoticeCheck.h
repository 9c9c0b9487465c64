// CUpdateNoticeCheck: the silent update check of the search bar. Start runs
// CUpdateCheck::CheckForUpdates on a worker thread of its own, so that the
// network never blocks the window, and hands the outcome back by posting
// "Kestova_MESSAGE_UPDATE_CHECK_DONE" to the window; the window then reads it
// with GetResult on its own thread. Once this object is destroyed the window
// hears nothing more, even when the worker ends later. Not copyable.
#pragma once

#include "MyString.h"

#include <QObject>
#include <memory>

inline constexpr char kUpdateCheckDoneMessage[] = "Kestova_MESSAGE_UPDATE_CHECK_DONE";

class CUpdateNoticeCheck
{
public:
    explicit CUpdateNoticeCheck(QObject* pWindow);
    ~CUpdateNoticeCheck();
    CUpdateNoticeCheck(const CUpdateNoticeCheck&) = delete;
    CUpdateNoticeCheck& operator=(const CUpdateNoticeCheck&) = delete;

    // Starts the check; only the first call does anything.
    void Start();
    // After the message: whether anything is newer, with the check's flags
    // and the text of the newer program. False while the check runs.
    bool GetResult(int& nFlags, CMyString& strName) const;

private:
    struct CShared;
    std::shared_ptr<CShared> m_pShared;
    bool m_bStarted = false;
};
