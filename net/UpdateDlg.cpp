#include "UpdateDlg.h"

#include "ColourConvert.h"
#include "DialogUnits.h"
#include "FileHandler.h"
#include "Messages.h"
#include "MyDownload.h"
#include "MyMessageBox.h"
#include "MyXmlDom.h"
#include "Process.h"
#include "QtText.h"
#include "Settings.h"
#include "SkinDraw.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "WorkingFolder.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>
#include <filesystem>
#include <memory>

namespace {

constexpr QSize kTemplateSize(264, 63);
constexpr QRect kStatusRect(7, 10, 249, 16);
constexpr QRect kProgressRect(7, 40, 185, 11);
constexpr QRect kCancelRect(207, 39, 50, 14);

constexpr unsigned kOk = 0;
constexpr unsigned kOkCancel = 1;
constexpr unsigned kYesNo = 4;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;

constexpr char kManifestFetchedMessage[] = "Kestova_MESSAGE_MANIFEST_FETCHED";
constexpr char kFirstRunCaption[] = "Getting Lists";
constexpr char kFirstRunStatus[] =
    "Please wait while getting the lists from DIAPLAY_TITLE Server for the first time...";
constexpr char kFailedText[] = "Update check failed\nCheck connection to the internet";
constexpr char kQuestionText[] = "Updates Are Available.\nWhould You Like To Update Now?";
constexpr char kUpToDateText[] = "You Run The Most Updated Settings.";
constexpr char kSuccessText[] = "Update Success\nClick Ok To Restart The Application";

bool StartAgain()
{
    CArrayString arguments;
    arguments.Add("reopen");
    return StartDetached(GetExecutablePath(), arguments);
}

} // namespace

CUpdateDlg::CUpdateDlg(QWidget* pParent)
    : QDialog(pParent), m_status(this), m_progress(this), m_btnCancel(this),
      m_fetch(this, kManifestFetchedMessage), m_messageBox(CMyMessageBox::Show), m_restart(StartAgain)
{
    const CSkinInfo& skin = GetSkinInfo();
    m_crGradientTop = skin.m_crDialogGradientTop;
    m_crGradientBottom = skin.m_crDialogGradientBottom;
    m_crText = skin.m_crDialogText;
    setWindowTitle(QStringLiteral("Check For Updates"));
    setModal(true);
    setFont(MakeSkinFont("MS Sans Serif", -11, 400));
    setFixedSize(CDialogUnits::ToPixels(kTemplateSize));

    SetUpStatusLine();
    SetUpProgressBar(skin);
    SetUpCancelButton(skin);
    m_messageMap.Add(m_fetch.GetMessage(), [this](uintptr_t, intptr_t) {
        OnManifestFetched();
        return 0;
    });
    m_messageMap.Add(
        RegisterWindowMessage(kBufferDownloadCompleteMessage),
        [this](uintptr_t wParam, intptr_t lParam) { return OnBufferDownloadComplete(wParam, lParam); });
}

// Transparent, in the skin's dialog text colour.
void CUpdateDlg::SetUpStatusLine()
{
    m_status.setObjectName(QString::number(kStatusId));
    m_status.setGeometry(CDialogUnits::ToPixels(kStatusRect));
    m_status.setText(QStringLiteral("Please Wait While Downloading Updates..."));
    QPalette palette = m_status.palette();
    palette.setColor(QPalette::WindowText, ToQColor(m_crText));
    m_status.setPalette(palette);
    m_status.setAutoFillBackground(false);
}

// The bar in the skin's colours: the tree's background, filled with its selection colour.
void CUpdateDlg::SetUpProgressBar(const CSkinInfo& skin)
{
    m_progress.setObjectName(QString::number(kProgressId));
    m_progress.setGeometry(CDialogUnits::ToPixels(kProgressRect));
    m_progress.setTextVisible(false);
    m_progress.setStyleSheet(QString("QProgressBar { background: %1; border: 1px solid %2; }"
                                     "QProgressBar::chunk { background: %3; }")
                                 .arg(ToQColor(skin.m_crTreeBg).name(), ToQColor(m_crText).name(),
                                      ToQColor(skin.m_crTreeSelectedBg).name()));
    m_progress.setRange(0, 1);
    m_progress.setValue(0);
}

void CUpdateDlg::SetUpCancelButton(const CSkinInfo& skin)
{
    m_btnCancel.Create("Cancel", CDialogUnits::ToPixels(kCancelRect), this, kCancelId);
    m_btnCancel.SetType(2);
    m_btnCancel.SetGradient(true);
    m_btnCancel.SetGradientInversion(0);
    m_btnCancel.SetColors(skin.m_toolbarButtons);
    connect(&m_btnCancel, &QAbstractButton::clicked, this, &CUpdateDlg::reject);
}

CUpdateDlg::~CUpdateDlg() = default;

int CUpdateDlg::DoModal()
{
    // The update starts once the dialog is up, so that the user sees it wait.
    QTimer::singleShot(0, this, [this] { OnInitDialog(); });
    return exec();
}

void CUpdateDlg::OnInitDialog()
{
    if (m_nFirstRun != 0) {
        setWindowTitle(QString::fromLatin1(kFirstRunCaption));
        CMyString strStatus(kFirstRunStatus);
        strStatus.Replace("DIAPLAY_TITLE", "Kestova");
        m_status.setText(ToQString(strStatus));
    }
    m_fetch.Start();
}

void CUpdateDlg::OnManifestFetched()
{
    if (m_bEnded)
        return;
    CMyString strManifest;
    CMyString strServer;
    if (!m_fetch.GetResult(strManifest, strServer) || !StartListDownloads(strManifest, strServer))
        OnUpdateFailed();
}

// No manifest: a first run goes on with the copied lists, and does not try
// again at the next start; a user who asked is told.
void CUpdateDlg::OnUpdateFailed()
{
    if (m_nFirstRun != 0) {
        Settings().SetCopySettings(false);
        m_nFailed = 1;
    } else {
        m_messageBox(kFailedText, kOk);
    }
    EndDialog(0);
}

bool CUpdateDlg::StartListDownloads(const CMyString& strManifest, const CMyString& strServer)
{
    CMyXmlDom dom;
    if (!dom.Load(strManifest) || dom.GetRoot() == nullptr)
        return false;
    const CXmlNode& root = *dom.GetRoot();
    for (int i = 0; i < root.GetChildCount() && !m_bEnded; ++i) {
        const CXmlNode& entry = *root.GetChild(i);
        // Lists only: a newer program is the silent check's news, never downloaded here.
        bool bIsProgram = false;
        if (!IsEntryNewer(entry, bIsProgram) || bIsProgram)
            continue;
        if (!ConfirmUpdate())
            return true;
        if (entry.FindChild("NAME") != nullptr)
            StartDownload(entry.GetChildText("NAME"), strServer);
    }
    m_nDownloadCount = static_cast<int>(m_pendingNames.GetCount());
    if (m_nDownloadCount == 0 && m_nFailedLists > 0) {
        OnUpdateFailed();
    } else if (m_nDownloadCount > 0) {
        m_progress.setRange(1, m_nDownloadCount);
        m_progress.setValue(1);
    } else if (m_nFirstRun == 0) {
        m_messageBox(kUpToDateText, kOk);
        EndDialog(0);
    } else {
        Settings().SetCopySettings(false);
        Restart(true);
    }
    return true;
}

// The question comes once, before the first download, and only in
// interactive mode. Anything but Yes closes the dialog.
bool CUpdateDlg::ConfirmUpdate()
{
    if (m_nFirstRun != 0 || m_bAsked)
        return true;
    m_bAsked = true;
    if (m_messageBox(kQuestionText, kYesNo) == kIdYes)
        return true;
    EndDialog(0);
    return false;
}

// A name that is not a plain file name is refused before anything is fetched,
// and counts as a failed list.
void CUpdateDlg::StartDownload(const CMyString& strName, const CMyString& strServer)
{
    if (!IsPlainFileName(strName)) {
        ++m_nFailedLists;
        return;
    }
    CMyString strUrl(strServer);
    strUrl += strName;
    m_pendingNames.Add(strName);
    m_requestedNames.Add(strName);
    // The download deletes itself; the name's place in the requests comes back as the cookie.
    auto* pDownload = new CMyDownload();
    pDownload->DownloadBuffer(strUrl, this, RegisterWindowMessage(kBufferDownloadCompleteMessage),
                              static_cast<intptr_t>(m_requestedNames.GetCount() - 1));
}

intptr_t CUpdateDlg::OnBufferDownloadComplete(uintptr_t wParam, intptr_t lParam)
{
    std::unique_ptr<CMyBuffer> pBuffer(reinterpret_cast<CMyBuffer*>(wParam));
    // After Cancel the lists that still arrive are dropped.
    if (lParam < 0 || static_cast<uint64_t>(lParam) >= m_requestedNames.GetCount() || m_bEnded)
        return 0;
    const CMyString strName = m_requestedNames.GetAt(static_cast<uint32_t>(lParam));
    if (pBuffer == nullptr || !StoreList(strName, *pBuffer))
        ++m_nFailedLists;
    for (uint32_t i = 0; i < m_pendingNames.GetCount(); ++i) {
        if (m_pendingNames.GetAt(i) == strName) {
            m_pendingNames.RemoveAt(i);
            break;
        }
    }
    m_progress.setValue(m_nDownloadCount - static_cast<int>(m_pendingNames.GetCount()));
    if (m_pendingNames.GetCount() == 0)
        FinishUpdate();
    return 0;
}

// Written beside the list and renamed over it, so that a broken write never
// leaves half a list in place of the old one.
bool CUpdateDlg::StoreList(const CMyString& strName, const CMyBuffer& buffer)
{
    if (!IsPlainFileName(strName))
        return false;
    CMyString strTarget = GetResFolder();
    strTarget += strName;
    CMyString strPartial(strTarget);
    strPartial += ".part";
    std::error_code error;
    if (CFileHandler::WriteFile(strPartial, buffer)) {
        std::filesystem::rename(CFileHandler::ToSystemPath(strPartial), CFileHandler::ToSystemPath(strTarget),
                                error);
        if (!error)
            return true;
    }
    std::filesystem::remove(CFileHandler::ToSystemPath(strPartial), error);
    return false;
}

// A list that could not be fetched or written makes the update a failure:
// the lists that did arrive are in place and take effect at the next start.
void CUpdateDlg::FinishUpdate()
{
    if (m_nFailedLists > 0) {
        OnUpdateFailed();
        return;
    }
    if (m_nFirstRun != 0) {
        Settings().SetCopySettings(false);
        Restart(true);
        return;
    }
    if (m_messageBox(kSuccessText, kOkCancel) == kIdOk)
        Restart(false);
    EndDialog(0);
}

// Starting again hands the new lists to a fresh instance. In first-run mode
// this one then ends without a window (the caller sees HasRestarted); from a
// running program it quits once the dialog has closed.
void CUpdateDlg::Restart(bool bExitNow)
{
    m_bRestarted = m_restart();
    if (bExitNow) {
        // When the program cannot be started again, this instance goes on with
        // what it has rather than ending with nothing on the screen.
        if (!m_bRestarted)
            m_nFailed = 1;
        EndDialog(0);
    } else if (m_bRestarted) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    } else {
        // The program goes on as it is; the user must know that the new lists wait.
        m_messageBox(kRestartFailedText, kOk);
    }
}

// The user closed the dialog. A first run then goes on with the copied lists
// instead of ending without a window; "Copy Settings" stays as it was, so
// the next start tries again.
void CUpdateDlg::reject()
{
    if (m_nFirstRun != 0 && !m_bRestarted)
        m_nFailed = 1;
    m_bEnded = true;
    QDialog::reject();
}

void CUpdateDlg::EndDialog(int nResult)
{
    m_bEnded = true;
    done(nResult);
}

bool CUpdateDlg::event(QEvent* pEvent)
{
    return m_messageMap.Dispatch(pEvent) || QDialog::event(pEvent);
}

void CUpdateDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FillGradient(painter, rect(), m_crGradientTop, m_crGradientBottom);
}
