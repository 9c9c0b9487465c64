// CUpdateDlg: the small modal dialog that brings the list files of the working
// folder up to the versions in the server's manifest. When it opens it fetches
// the manifest, then downloads every newer list at once in the background
// under a progress bar, writes each list into the working "res" folder as it
// arrives (scrambled, as the server delivers it), and when all have ended
// starts the program again with "reopen" so that the new lists are loaded.
// The manifest is fetched on a worker thread, so the dialog stays responsive
// (and Cancel works) even when the server is slow.
//
// It runs in one of two modes, set before DoModal:
// - first run: right after the shipped lists were copied into a new working
//   folder. It asks nothing, marks the copy as done ("Copy Settings" FALSE)
//   and restarts; when the manifest cannot be fetched (or the user cancels) it
//   sets the failed flag and the caller goes on with the copied lists.
// - interactive: from the search bar's lists notice. It asks before
//   downloading and tells the user the outcome.
//
// Only list entries of the manifest are downloaded, never the program. A list
// whose download fails is skipped and stays older for the next check. Widgets
// are not copyable.
#pragma once

#include "ArrayString.h"
#include "Colour.h"
#include "ManifestFetch.h"
#include "MessageMap.h"
#include "MyOwnButton.h"
#include "MyString.h"
#include "UpdateCheck.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <functional>

class CMyBuffer;
class CSkinInfo;

class CUpdateDlg : public QDialog, public CUpdateCheck
{
public:
    // Shown when the program cannot be started again after the user asked for it.
    static constexpr char kRestartFailedText[] =
        "Kestova could not be started again.\nThe new lists take effect at the next start.";
    static constexpr int kTemplateId = 154;
    static constexpr int kStatusId = 1007;
    static constexpr int kProgressId = 1005;
    static constexpr int kCancelId = 2;

    // Shows a message box of the given type and returns the button pressed.
    using MessageBoxFunction = std::function<int(const CMyString& strText, unsigned uType)>;
    // Starts the program again with "reopen"; false when it could not be started.
    using RestartFunction = std::function<bool()>;

    explicit CUpdateDlg(QWidget* pParent = nullptr);
    ~CUpdateDlg() override;

    void SetFirstRun(bool bFirstRun) { m_nFirstRun = bFirstRun ? 1 : 0; }
    // First-run mode only: the manifest could not be fetched or the user
    // cancelled, so this instance goes on with the copied lists.
    bool IsFailed() const { return m_nFailed != 0; }
    // Whether the program was started again; a first-run caller then ends.
    bool HasRestarted() const { return m_bRestarted; }

    // Opens the dialog, which starts the update, and returns when it has closed.
    int DoModal();
    // Starts one download per newer list of the manifest, from the server
    // base; false when the manifest has no root element.
    bool StartListDownloads(const CMyString& strManifest, const CMyString& strServer);

    // Stand-ins for tests; by default the skinned message box and a real restart.
    void SetMessageBox(MessageBoxFunction messageBox) { m_messageBox = std::move(messageBox); }
    void SetRestart(RestartFunction restart) { m_restart = std::move(restart); }

    const QLabel& GetStatusControl() const { return m_status; }
    const QProgressBar& GetProgress() const { return m_progress; }
    CMyOwnButton& GetCancelButton() { return m_btnCancel; }
    int GetDownloadCount() const { return m_nDownloadCount; }

    void reject() override;

protected:
    bool event(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void SetUpStatusLine();
    void SetUpProgressBar(const CSkinInfo& skin);
    void SetUpCancelButton(const CSkinInfo& skin);
    void OnInitDialog();
    void OnManifestFetched();
    void OnUpdateFailed();
    bool ConfirmUpdate();
    void StartDownload(const CMyString& strName, const CMyString& strServer);
    intptr_t OnBufferDownloadComplete(uintptr_t wParam, intptr_t lParam);
    bool StoreList(const CMyString& strName, const CMyBuffer& buffer);
    void FinishUpdate();
    void Restart(bool bExitNow);
    void EndDialog(int nResult);

    int m_nFirstRun = 0;
    int m_nFailed = 0;
    int m_nDownloadCount = 0;
    bool m_bAsked = false;
    bool m_bEnded = false;
    bool m_bRestarted = false;
    CArrayString m_pendingNames;   // NAME of each download not ended yet
    CArrayString m_requestedNames; // NAME of each download started; the cookie is the index
    int m_nFailedLists = 0;        // refused, not fetched, or not written
    COLORREF m_crGradientTop;
    COLORREF m_crGradientBottom;
    COLORREF m_crText;
    QLabel m_status;
    QProgressBar m_progress;
    CMyOwnButton m_btnCancel;
    CManifestFetch m_fetch;
    CMessageMap m_messageMap;
    MessageBoxFunction m_messageBox;
    RestartFunction m_restart;
};
