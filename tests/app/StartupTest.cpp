#include "../support/ListFiles.h"
#include "../support/LocalHttpServer.h"
#include "../support/TestHome.h"
#include "InstanceLock.h"
#include "RavelinApp.h"
#include "Settings.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class StartupTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The browser is a script that records the address it was given.
        m_browser = m_home.Bin() / "firefox";
        m_opened = m_home.Root() / "opened.txt";
        std::ofstream(m_browser) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << m_opened.string() << "'\n";
        fs::permissions(m_browser, fs::perms::owner_all);
        // A copy of the program in a folder of its own with its own res/, so
        // that the shipped files of the build do not count.
        m_installFolder = m_home.Root() / "program";
        m_program = InstallCopy(m_installFolder);
    }

    static fs::path InstallCopy(const fs::path& folder)
    {
        fs::create_directories(folder / "res");
        return CopyProgram(folder);
    }

    static fs::path CopyProgram(const fs::path& folder)
    {
        fs::create_directories(folder);
        fs::copy_file(KESTOVA_PROGRAM, folder / "kestova", fs::copy_options::overwrite_existing);
        return folder / "kestova";
    }

    QProcessEnvironment Environment(bool bDisplay) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("BROWSER", QString::fromStdString(m_browser.string()));
        if (m_bAskTheDesktop) {
            // No $BROWSER: the desktop is asked, through stand-ins that note each call.
            environment.remove("BROWSER");
            environment.insert("PATH", QString::fromStdString(m_home.Bin().string()) + ":/usr/bin:/bin");
        }
        environment.insert("QT_LOGGING_RULES", "kestova.debug.debug=true");
        for (const char* pName : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(pName);
        }
        if (bDisplay) {
            environment.insert("QT_QPA_PLATFORM", "offscreen");
        }
        return environment;
    }

    // Runs the program to its end; its exit code, or -1 when it did not end in time.
    int RunToEnd(const QStringList& arguments, bool bDisplay = false)
    {
        QProcess process;
        process.setProcessEnvironment(Environment(bDisplay));
        process.start(QString::fromStdString(m_program.string()), arguments);
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Starts the program with a window and waits until it says the window is up.
    bool StartWithWindow(QProcess& process, const QStringList& arguments)
    {
        process.setProcessEnvironment(Environment(true));
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QString::fromStdString(m_program.string()), arguments);
        const QDeadlineTimer giveUp(20000);
        while (!m_strOutput.contains("main window: Kestova - 2.0.2.1") && !giveUp.hasExpired() &&
               process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(100);
            m_strOutput += QString::fromUtf8(process.readAll());
        }
        return m_strOutput.contains("main window: Kestova - 2.0.2.1");
    }

    // The addresses the stand-in browser was given, waiting a little for a detached start.
    std::string Opened(bool bExpectSomething = true) const
    {
        const auto giveUp = std::chrono::steady_clock::now() + (bExpectSomething ? 10s : 500ms);
        while (std::chrono::steady_clock::now() < giveUp) {
            if (fs::exists(m_opened) && fs::file_size(m_opened) > 0) {
                break;
            }
            std::this_thread::sleep_for(20ms);
        }
        return CTestHome::ReadFile(m_opened);
    }

    void WriteInstallSettings(const std::string& strContent)
    {
        WriteScrambledFile(m_installFolder / "res" / "InstallSettings.txt", strContent);
    }

    CTestHome m_home;
    fs::path m_browser;
    fs::path m_opened;
    fs::path m_installFolder;
    fs::path m_program;
    QString m_strOutput;
    bool m_bAskTheDesktop = false;
};

TEST_F(StartupTest, InstallAndUninstallOpenTheirPageWithoutAWindow)
{
    WriteInstallSettings("<INSTALL><INSTALL_URL>http://127.0.0.1:1/welcome</INSTALL_URL>"
                         "<UNINSTALL_URL>http://127.0.0.1:1/goodbye</UNINSTALL_URL></INSTALL>");
    struct Case
    {
        const char* pWord;
        const char* pPage;
    };
    for (const Case& c :
         {Case{"install", "welcome"}, Case{"INSTALL", "welcome"}, Case{"Uninstall", "goodbye"}}) {
        fs::remove(m_opened);
        EXPECT_EQ(RunToEnd({c.pWord}), 0) << c.pWord << ": no display is needed";
        EXPECT_EQ(Opened(), std::string("http://127.0.0.1:1/") + c.pPage + "\n") << c.pWord;
    }
    EXPECT_TRUE(Settings().GetVersion().IsEmpty()) << "the page runs stamp no version";
}

TEST_F(StartupTest, WithoutAnAddressThePageOfTheFirstAnsweringServerOpens)
{
    LocalHttpServer server;
    ASSERT_GT(server.Start(), 0);
    const std::string strRefused = "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/";
    WriteScrambledFile(m_home.Data() / "Kestova" / "res" / "ServerSettings.txt",
                       "<S><URL>" + strRefused + "</URL><URL>" + server.Url("/") + "</URL></S>");
    EXPECT_EQ(RunToEnd({"install"}), 0);
    EXPECT_EQ(Opened(), server.Url("/InstallPage.htm") + "\n");

    // No server answers: the first server's page all the same.
    server.Stop();
    fs::remove(m_opened);
    EXPECT_EQ(RunToEnd({"uninstall"}), 0);
    EXPECT_EQ(Opened(), strRefused + "UninstallPage.htm\n");
}

TEST_F(StartupTest, NoAddressAndNoServersOpensNothing)
{
    EXPECT_EQ(RunToEnd({"install"}), 0);
    EXPECT_EQ(Opened(false), "");
}

TEST_F(StartupTest, ASecondPlainStartEndsAtOnce)
{
    CInstanceLock lock(CRavelinApp::kMutexName);
    ASSERT_EQ(lock.TryLock(), CFileLock::Result::Locked);
    EXPECT_EQ(RunToEnd({}), 0) << "ends without a window, so without a display";
    EXPECT_EQ(RunToEnd({"/install"}), 0) << "a flag is not a command word";
    EXPECT_TRUE(Settings().GetVersion().IsEmpty());
}

TEST_F(StartupTest, ReopenStartsAWindowBesideARunningCopy)
{
    CInstanceLock lock(CRavelinApp::kMutexName);
    ASSERT_EQ(lock.TryLock(), CFileLock::Result::Locked);
    QProcess process;
    EXPECT_TRUE(StartWithWindow(process, {"reopen"})) << m_strOutput.toStdString();
    EXPECT_STREQ(Settings().GetVersion().GetText(), "2.0.2.1");
    process.kill();
    process.waitForFinished();
}

TEST_F(StartupTest, APlainStartHoldsTheLockAndStampsTheVersion)
{
    QProcess process;
    ASSERT_TRUE(StartWithWindow(process, {})) << m_strOutput.toStdString();
    EXPECT_STREQ(Settings().GetVersion().GetText(), "2.0.2.1");
    CInstanceLock probe(CRavelinApp::kMutexName);
    EXPECT_EQ(probe.TryLock(), CFileLock::Result::Busy);
    EXPECT_EQ(RunToEnd({}, true), 0) << "a second copy gives way";
    process.kill();
    process.waitForFinished();
    EXPECT_EQ(probe.TryLock(), CFileLock::Result::Locked) << "the kernel frees the lock of an ended copy";
}

// Asking the desktop for its browser runs a program: a plain start does not
// wait for it, only opening a page asks.
TEST_F(StartupTest, OnlyOpeningAPageAsksTheDesktopForItsBrowser)
{
    m_bAskTheDesktop = true;
    const fs::path asked = m_home.Root() / "asked";
    CTestHome::WriteScript(m_home.Bin() / "xdg-settings",
                           "echo x >> '" + asked.string() + "'\necho chromium.desktop\n");
    CTestHome::WriteScript(m_home.Bin() / "xdg-open",
                           "printf '%s\\n' \"$@\" >> '" + m_opened.string() + "'\n");
    QProcess process;
    ASSERT_TRUE(StartWithWindow(process, {})) << m_strOutput.toStdString();
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(fs::exists(asked));
    process.kill();
    process.waitForFinished();

    WriteInstallSettings("<INSTALL><INSTALL_URL>http://127.0.0.1:1/in</INSTALL_URL></INSTALL>");
    EXPECT_EQ(RunToEnd({"install"}), 0);
    EXPECT_EQ(Opened(), "http://127.0.0.1:1/in\n");
    EXPECT_EQ(CTestHome::ReadFile(asked), "x\n");
}

// A second copy of the program reads its own shipped files, not those of the
// copy whose folder the settings name: beside it as in a build tree, or in
// share/kestova of an installed tree.
TEST_F(StartupTest, EachCopyOfTheProgramReadsItsOwnShippedFiles)
{
    WriteInstallSettings("<INSTALL><INSTALL_URL>http://127.0.0.1:1/first</INSTALL_URL></INSTALL>");
    struct Case
    {
        const char* pProgramFolder;
        const char* pDataFolder;
    };
    for (const Case& c : {Case{"second", "second"}, Case{"usr/bin", "usr/share/kestova"}}) {
        SCOPED_TRACE(c.pProgramFolder);
        Settings().SetInstallPath(m_installFolder.c_str());
        m_program = CopyProgram(m_home.Root() / c.pProgramFolder);
        const fs::path data = m_home.Root() / c.pDataFolder;
        const std::string strUrl = std::string("http://127.0.0.1:1/") + c.pDataFolder;
        WriteScrambledFile(data / "res" / "InstallSettings.txt",
                           "<INSTALL><INSTALL_URL>" + strUrl + "</INSTALL_URL></INSTALL>");
        fs::remove(m_opened);
        EXPECT_EQ(RunToEnd({"install"}), 0);
        EXPECT_EQ(Opened(), strUrl + "\n");
        EXPECT_EQ(Settings().GetInstallPath().GetText(), data.string());
    }
}

TEST(CommandWord, FirstPlainArgument)
{
    struct Case
    {
        std::vector<const char*> arguments;
        const char* pWord;
    };
    const Case cases[] = {
        {{"kestova"}, ""},
        {{"kestova", "install"}, "install"},
        {{"kestova", "/install"}, ""},
        {{"kestova", "-x", "reopen"}, "reopen"},
        {{"kestova", "--flag", "/y", "Uninstall", "x"}, "Uninstall"},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv;
        for (const char* pArgument : c.arguments) {
            argv.push_back(const_cast<char*>(pArgument));
        }
        EXPECT_STREQ(CRavelinApp::GetCommandWord(static_cast<int>(argv.size()), argv.data()).GetText(),
                     c.pWord);
    }
    EXPECT_STREQ(CRavelinApp::GetWindowTitle().GetText(), "Kestova - 2.0.2.1");
}

} // namespace
