// CRavelinApp: the program's start-up. From the command line it decides
// whether this run only opens the install or uninstall page and ends, whether it
// gives way to a copy that is already running, or whether it builds the main
// window; it stamps the program's version into the settings and holds the
// single-instance lock for the life of the process.
//
// The command word is the first argument that does not begin with "/" or "-":
// "install", "uninstall" (open the page, end with exit code 0, no window, no
// display needed) or "reopen" (start even though another copy runs). Any other
// word is ignored. A plain second start brings the running copy's window to
// the front and ends.
#pragma once

#include "InstanceLock.h"
#include "MyString.h"
#include "PlayerControls.h"

#include <QPointer>
#include <memory>

class QApplication;
class QWidget;
class CRavelinDoc;

class CRavelinApp
{
public:
    static constexpr const char* kVersion = "2.0.2.1";
    static constexpr const char* kMutexName = "Kestova_MUTEX";
    static constexpr const char* kInstallPage = "InstallPage.htm";
    static constexpr const char* kUninstallPage = "UninstallPage.htm";
    // The installed desktop file's name without ".desktop", and the window class.
    static constexpr const char* kDesktopFileName = "kestova";

    enum class Page
    {
        Install,
        Uninstall
    };

    CRavelinApp(int& argc, char** argv);
    ~CRavelinApp();
    CRavelinApp(const CRavelinApp&) = delete;
    CRavelinApp& operator=(const CRavelinApp&) = delete;

    // Start-up, then the event loop; the process's exit code.
    int Run();
    // The start-up steps; false when this run ends without a window.
    bool InitInstance();

    // True when another copy holds the lock. Otherwise this object now holds it.
    bool IsAnotherInstanceRunning();
    void OpenInstallPage();
    void OpenUninstallPage();
    // The page on the first server that answers; the first server's page when
    // none answers; empty without servers.
    static CMyString FindReachablePage(Page page);
    // "Kestova - 2.0.2.1".
    static CMyString GetWindowTitle();
    // The first argument that does not begin with "/" or "-"; empty when none.
    static CMyString GetCommandWord(int argc, char** argv);

private:
    void OpenPage(Page page);
    void RaiseRunningCopy();
    bool CreateMainWindow();

    int& m_argc;
    char** m_argv;
    CInstanceLock m_instanceLock{kMutexName};
    std::unique_ptr<QApplication> m_pApplication;
    std::unique_ptr<CRavelinDoc> m_pDocument;
    std::unique_ptr<QWidget> m_pMainWindow;
    int m_nFailureCode = 1;
};
