#include "RavelinApp.h"

#include "ArrayString.h"
#include "BrowserChoice.h"
#include "Http.h"
#include "Logging.h"
#include "MainFrame.h"
#include "MprisService.h"
#include "RavelinDoc.h"
#include "ServerList.h"
#include "Settings.h"
#include "WorkingFolder.h"

#include <QApplication>
#include <clocale>

CRavelinApp::CRavelinApp(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

// The main window goes before the application object, and the lock last.
CRavelinApp::~CRavelinApp()
{
    m_pMainWindow.reset();
    m_pDocument.reset();
    m_pApplication.reset();
    m_instanceLock.Release();
}

int CRavelinApp::Run()
{
    if (!InitInstance()) {
        return m_pApplication ? m_nFailureCode : 0; // no window could be made, or nothing was to be made
    }
    return m_pApplication->exec();
}

bool CRavelinApp::InitInstance()
{
    const CMyString strWord = GetCommandWord(m_argc, m_argv);
    if (strWord.EqualsNoCase("uninstall") || strWord.EqualsNoCase("install")) {
        OpenPage(strWord.EqualsNoCase("install") ? Page::Install : Page::Uninstall);
        return false;
    }
    if (IsAnotherInstanceRunning() && !strWord.EqualsNoCase("reopen")) {
        RaiseRunningCopy();
        return false; // the running copy is only brought to the front
    }
    Settings().SetVersion(kVersion);
    return CreateMainWindow();
}

bool CRavelinApp::CreateMainWindow()
{
    m_pApplication = std::make_unique<QApplication>(m_argc, m_argv);
    // The window's class (WM_CLASS on X11, the app id on Wayland) names the
    // desktop file, so that the panel shows the window under the program's
    // entry and icon whatever name the program was started by.
    QGuiApplication::setApplicationName(kDesktopFileName);
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    // The media engine reads numbers in the C locale; QApplication has just set the user's.
    std::setlocale(LC_NUMERIC, "C");
    m_pDocument = std::make_unique<CRavelinDoc>();
    auto pFrame = std::make_unique<CMainFrame>(m_pDocument.get(), CPlayerControls::Engines());
    if (!pFrame->Create()) {
        // A refused window hands over to another program: this run ends normally.
        m_nFailureCode = pFrame->IsCreationRefused() ? 0 : 1;
        return false;
    }
    m_pMainWindow = std::move(pFrame);
    const CMyString strTitle = GetWindowTitle();
    m_pMainWindow->setWindowTitle(QString::fromUtf8(strTitle.GetText()));
    m_pMainWindow->show();
    qCDebug(lcDebug, "main window: %s", strTitle.GetText());
    return true;
}

// Through the session bus, when there is one; the copy that runs shows its
// window in front, as users expect of a program that runs once.
void CRavelinApp::RaiseRunningCopy()
{
    const QCoreApplication application(m_argc, m_argv);
    if (CMprisService::RaiseRunningCopy())
        qCDebug(lcUser, "the copy that runs was brought to the front");
}

bool CRavelinApp::IsAnotherInstanceRunning()
{
    // A lock that cannot be made at all does not stop the program.
    return m_instanceLock.TryLock() == CFileLock::Result::Busy;
}

void CRavelinApp::OpenInstallPage()
{
    OpenPage(Page::Install);
}

void CRavelinApp::OpenUninstallPage()
{
    OpenPage(Page::Uninstall);
}

void CRavelinApp::OpenPage(Page page)
{
    CMyString strUrl = page == Page::Install ? GetInstallUrl() : Settings().GetUninstallUrl();
    if (strUrl.IsEmpty()) {
        strUrl = FindReachablePage(page);
    }
    if (!strUrl.IsEmpty()) {
        OpenInBrowser(strUrl);
    }
}

CMyString CRavelinApp::FindReachablePage(Page page)
{
    CArrayString servers;
    Settings().LoadServerList(servers);
    CMyString strFirst;
    for (uint32_t i = 0; i < servers.GetCount(); ++i) {
        CMyString strCandidate = servers.GetAt(i);
        strCandidate += page == Page::Install ? kInstallPage : kUninstallPage;
        if (strFirst.IsEmpty()) {
            strFirst = strCandidate;
        }
        if (CHttp::CheckConnection(strCandidate)) {
            return strCandidate;
        }
    }
    return strFirst;
}

CMyString CRavelinApp::GetWindowTitle()
{
    CMyString strTitle("Kestova");
    const CMyString strVersion(kVersion);
    if (!strVersion.IsEmpty()) {
        strTitle += " - ";
        strTitle += strVersion;
    }
    return strTitle;
}

CMyString CRavelinApp::GetCommandWord(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr && argv[i][0] != '/' && argv[i][0] != '-') {
            return CMyString(argv[i]);
        }
    }
    return CMyString();
}
