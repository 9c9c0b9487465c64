// The update dialog against a server of the test's own on 127.0.0.1: which
// lists it downloads, where it writes them, what it asks and tells in each
// mode, and when it starts the program again. Message boxes and the restart
// are stand-ins that record what they were asked.
#include "UpdateDlg.h"

#include "../support/CoreApp.h"
#include "../support/ListFiles.h"
#include "../support/LocalHttpServer.h"
#include "../support/TestHome.h"
#include "Settings.h"
#include "SkinInfo.h"
#include "WorkingFolder.h"

#include <QApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Entry(const std::string& strElement, const std::string& strVersion, const std::string& strName)
{
    return "<" + strElement + "><VERSION>" + strVersion + "</VERSION><NAME>" + strName + "</NAME></" +
           strElement + ">";
}

class UpdateDlgTest : public testing::Test
{
protected:
    UpdateDlgTest()
    {
        static int s_nArgc = 1;
        static char s_name[] = "update-test";
        static char* s_argv[] = {s_name, nullptr};
        if (QApplication::instance() == nullptr)
            new QApplication(s_nArgc, s_argv);
        g_strPath = KESTOVA_SOURCE_DIR;
        m_settings.SetMoviesSettings("1.0");
        m_settings.SetSearchSettings("1.0");
        m_settings.SetListVersion("Radio.txt", "1.0");
        m_settings.SetVersion("2.0.2.1");
        m_settings.SetCopySettings(true);
        CTestHome::WriteFile(Res() / "Radio.txt", "old radio");
    }
    ~UpdateDlgTest() override { g_strPath.Empty(); }

    static fs::path Res() { return CFileHandler::ToSystemPath(GetResFolder()); }
    // The server lists itself in the server list and publishes the manifest.
    void Publish(const std::string& strEntries)
    {
        m_server.Serve("/UpdateSettings.txt", "<UPDATE>" + strEntries + "</UPDATE>");
        ASSERT_GT(m_server.Start(), 0);
        WriteScrambledFile(Res() / "ServerSettings.txt",
                           "<SERVERS><URL>" + m_server.Url("/") + "</URL></SERVERS>");
    }
    // One newer list, which the server sends after nDelayMs.
    void PublishSlowList(int nDelayMs)
    {
        Publish(Entry("CATEGORY", "2.0", "Slow.txt"));
        m_server.Routes().Get("/Slow.txt", [nDelayMs](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(std::chrono::milliseconds(nDelayMs));
            response.set_content("slow", "text/plain");
        });
    }
    // Runs the dialog; the message boxes answer from the list, in order.
    void Run(bool bFirstRun, std::vector<int> answers = {})
    {
        m_pDialog = std::make_unique<CUpdateDlg>();
        m_pDialog->SetFirstRun(bFirstRun);
        m_pDialog->SetMessageBox([this, answers](const CMyString& strText, unsigned) {
            const size_t uAsked = m_messages.size();
            m_messages.push_back(strText.GetText());
            return uAsked < answers.size() ? answers[uAsked] : 1;
        });
        m_pDialog->SetRestart([this] {
            ++m_nRestarts;
            return m_bRestartWorks;
        });
        m_pDialog->DoModal();
    }
    static std::string Read(const std::string& strName) { return CTestHome::ReadFile(Res() / strName); }

    CTestHome m_home;
    Settings m_settings;
    LocalHttpServer m_server;
    std::unique_ptr<CUpdateDlg> m_pDialog;
    std::vector<std::string> m_messages;
    int m_nRestarts = 0;
    bool m_bRestartWorks = true;
};

// Downloaded lists are written as they arrive, with the file's closing zero byte.
std::string Written(const std::string& strBody)
{
    return strBody + std::string(1, '\0');
}

TEST_F(UpdateDlgTest, FirstRunFetchesEveryNewerListAndRestarts)
{
    m_server.Serve("/MoviesSettings.txt", "new index");
    m_server.Serve("/Radio.txt", "new radio");
    m_server.Serve("/News.txt", "news");
    Publish(Entry("MOVIES_SETTINGS", "1.1", "MoviesSettings.txt") +
            Entry("SEARCH_SETTINGS", "1.0", "SearchSettings.txt") + Entry("CATEGORY", "1.1", "Radio.txt") +
            Entry("CATEGORY", "1.0", "News.txt") + Entry("EXE_UPDATE", "9.0", "Kestova.exe"));
    Run(true);

    EXPECT_TRUE(m_messages.empty()) << "the first run asks nothing";
    EXPECT_EQ(m_nRestarts, 1);
    EXPECT_TRUE(m_pDialog->HasRestarted());
    EXPECT_FALSE(m_pDialog->IsFailed());
    EXPECT_FALSE(m_settings.GetCopySettings());
    EXPECT_EQ(Read("MoviesSettings.txt"), Written("new index"));
    EXPECT_EQ(Read("Radio.txt"), Written("new radio"));
    EXPECT_EQ(Read("News.txt"), Written("news")) << "a category new on the server";
    EXPECT_EQ(m_pDialog->GetDownloadCount(), 3);
    EXPECT_EQ(m_pDialog->GetProgress().value(), 3);
    EXPECT_EQ(m_server.RequestCount("/SearchSettings.txt"), 0) << "current lists stay";
    EXPECT_EQ(m_server.RequestCount("/Kestova.exe"), 0) << "the program is never downloaded";
    EXPECT_FALSE(fs::exists(Res() / "Radio.txt.part"));
}

TEST_F(UpdateDlgTest, FirstRunWithoutManifestGoesOnWithTheCopiedLists)
{
    Run(true);
    EXPECT_TRUE(m_pDialog->IsFailed());
    EXPECT_EQ(m_nRestarts, 0);
    EXPECT_FALSE(m_settings.GetCopySettings());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(UpdateDlgTest, FirstRunWithNothingNewerStillRestarts)
{
    Publish(Entry("MOVIES_SETTINGS", "1.0", "MoviesSettings.txt"));
    Run(true);
    EXPECT_EQ(m_nRestarts, 1);
    EXPECT_FALSE(m_pDialog->IsFailed());
    EXPECT_FALSE(m_settings.GetCopySettings());
}

TEST_F(UpdateDlgTest, InteractiveOutcomes)
{
    struct Case
    {
        const char* pWhat;
        bool bServer;
        std::vector<int> answers;
        std::vector<std::string> messages;
        int nRestarts;
        std::string strRadio; // the list's content afterwards
        bool bRestartWorks = true;
    };
    const std::string strOld = "old radio";
    const Case cases[] = {
        {"no server", false, {}, {"Update check failed\nCheck connection to the internet"}, 0, strOld},
        {"No to the question",
         true,
         {7},
         {"Updates Are Available.\nWhould You Like To Update Now?"},
         0,
         strOld},
        {"Yes, then OK",
         true,
         {6, 1},
         {"Updates Are Available.\nWhould You Like To Update Now?",
          "Update Success\nClick Ok To Restart The Application"},
         1,
         Written("new radio")},
        {"Yes, then OK, but the program cannot be started again",
         true,
         {6, 1},
         {"Updates Are Available.\nWhould You Like To Update Now?",
          "Update Success\nClick Ok To Restart The Application", CUpdateDlg::kRestartFailedText},
         1,
         Written("new radio"),
         false},
        {"Yes, then Cancel",
         true,
         {6, 2},
         {"Updates Are Available.\nWhould You Like To Update Now?",
          "Update Success\nClick Ok To Restart The Application"},
         0,
         Written("new radio")},
    };
    for (const Case& c : cases) {
        CTestHome home;
        Settings().SetListVersion("Radio.txt", "1.0");
        CTestHome::WriteFile(Res() / "Radio.txt", strOld);
        LocalHttpServer server;
        if (c.bServer) {
            server.Serve("/UpdateSettings.txt",
                         "<UPDATE>" + Entry("CATEGORY", "2.0", "Radio.txt") + "</UPDATE>");
            server.Serve("/Radio.txt", "new radio");
            ASSERT_GT(server.Start(), 0);
            WriteScrambledFile(Res() / "ServerSettings.txt", "<S><URL>" + server.Url("/") + "</URL></S>");
        }
        m_messages.clear();
        m_nRestarts = 0;
        m_bRestartWorks = c.bRestartWorks;
        Run(false, c.answers);
        EXPECT_EQ(m_messages, c.messages) << c.pWhat;
        EXPECT_EQ(m_nRestarts, c.nRestarts) << c.pWhat;
        EXPECT_EQ(Read("Radio.txt"), c.strRadio) << c.pWhat;
        EXPECT_TRUE(Settings().GetCopySettings()) << c.pWhat << ": only the first run marks the copy done";
    }
}

TEST_F(UpdateDlgTest, InteractiveWithOnlyANewerProgramHasNothingToDo)
{
    Publish(Entry("EXE_UPDATE", "9.0", "Kestova.exe") + Entry("CATEGORY", "1.0", "Radio.txt"));
    Run(false);
    EXPECT_EQ(m_messages, std::vector<std::string>{"You Run The Most Updated Settings."});
    EXPECT_EQ(m_pDialog->GetDownloadCount(), 0);
}

// A failed list counts as ended; a NAME that is a path is fetched but never
// written outside the working folder; the same file named twice is fetched twice.
// The same list twice is fetched twice; a list the server does not have is a
// failure; a NAME that is a path is refused without being fetched and is a
// failure too. The lists that arrived are written; the user is told that the
// update failed, and nothing restarts.
TEST_F(UpdateDlgTest, FailedDownloadsAndUnsafeNames)
{
    std::string strManifest;
    m_server.Routes().Get("/UpdateSettings.txt", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(strManifest, "text/plain");
    });
    m_server.Serve("/Radio.txt", "new radio");
    m_server.Serve("/Escaped.txt", "escaped");
    Publish("");
    for (const std::string strFailing :
         {"Missing.txt", "../Escaped.txt", "/Escaped.txt", "a\\..\\..\\Escaped.txt"}) {
        strManifest = "<UPDATE>" + Entry("CATEGORY", "2.0", "Radio.txt") + Entry("CATEGORY", "2.0", "Radio.txt") +
                      Entry("CATEGORY", "2.0", strFailing) + "</UPDATE>";
        for (const bool bFirstRun : {false, true}) {
            SCOPED_TRACE(strFailing + (bFirstRun ? " first run" : " asked"));
            m_messages.clear();
            fs::remove(Res() / "Radio.txt");
            Run(bFirstRun, {6, 1});
            EXPECT_EQ(Read("Radio.txt"), Written("new radio"));
            EXPECT_EQ(m_nRestarts, 0);
            if (bFirstRun) {
                EXPECT_TRUE(m_pDialog->IsFailed());
            } else {
                EXPECT_EQ(m_messages.back(), "Update check failed\nCheck connection to the internet");
            }
        }
    }
    EXPECT_EQ(m_server.RequestCount("/Escaped.txt"), 0);
    EXPECT_FALSE(fs::exists(m_home.Data() / "Kestova" / "Escaped.txt"));
}

TEST_F(UpdateDlgTest, FirstRunShowsItsOwnCaptionAndStatus)
{
    PublishSlowList(300);
    CUpdateDlg dialog;
    dialog.SetFirstRun(true);
    dialog.SetRestart([] { return true; });
    std::string strCaption, strStatus;
    QTimer::singleShot(100, [&] {
        strCaption = dialog.windowTitle().toStdString();
        strStatus = dialog.GetStatusControl().text().toStdString();
    });
    dialog.DoModal();
    EXPECT_EQ(strCaption, "Getting Lists");
    EXPECT_EQ(strStatus, "Please wait while getting the lists from Kestova Server for the first time...");
}

TEST_F(UpdateDlgTest, CancelOnTheFirstRunGoesOnWithTheCopiedLists)
{
    PublishSlowList(500);
    CUpdateDlg dialog;
    dialog.SetFirstRun(true);
    int nRestarts = 0;
    dialog.SetRestart([&] { return ++nRestarts > 0; });
    QTimer::singleShot(100, [&] { dialog.GetCancelButton().click(); });
    dialog.DoModal();
    EXPECT_TRUE(dialog.IsFailed());
    EXPECT_EQ(nRestarts, 0);
    EXPECT_TRUE(m_settings.GetCopySettings()) << "the next start tries again";
    ProcessEventsUntil([] { return false; }, 700);
    EXPECT_FALSE(fs::exists(Res() / "Slow.txt")) << "lists arriving after Cancel are dropped";
}

// The manifest is fetched off the window's thread: a server that keeps
// silent leaves the dialog responsive, and Cancel ends it at once.
TEST_F(UpdateDlgTest, CancelWorksWhileTheServerIsSilent)
{
    std::atomic<bool> bAnswered{false};
    m_server.Routes().Get("/UpdateSettings.txt", [&](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        response.set_content("<UPDATE/>", "text/plain");
        bAnswered = true;
    });
    ASSERT_GT(m_server.Start(), 0);
    WriteScrambledFile(Res() / "ServerSettings.txt", "<S><URL>" + m_server.Url("/") + "</URL></S>");
    CUpdateDlg dialog;
    dialog.SetFirstRun(true);
    QTimer::singleShot(200, [&] { dialog.GetCancelButton().click(); });
    dialog.DoModal();
    EXPECT_FALSE(bAnswered) << "the dialog waited for the server";
    EXPECT_TRUE(dialog.IsFailed());
}

} // namespace
