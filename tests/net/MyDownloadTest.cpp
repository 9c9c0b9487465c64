#include "DownloadPool.h"
#include "MessageMap.h"
#include "Messages.h"
#include "MyDownload.h"

#include "../support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include "../support/CoreApp.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A window that records the completion messages it gets.
class CRecorder : public QObject
{
public:
    struct Message
    {
        uintptr_t wParam;
        intptr_t lParam;
    };

    explicit CRecorder(unsigned uMessage)
    {
        m_map.Add(uMessage, [this](uintptr_t wParam, intptr_t lParam) {
            m_messages.push_back({wParam, lParam});
            return intptr_t{1};
        });
    }
    bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QObject::event(pEvent); }

    std::vector<Message> m_messages;

private:
    CMessageMap m_map;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

class MyDownloadTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureCoreApplication();
    }

    void SetUp() override
    {
        m_folder = fs::temp_directory_path() /
                   ("kestova-download-" + std::to_string(::getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
        m_server.Serve("/icon.gif", "GIF89a-data");
        m_server.Serve("/empty", "");
        m_server.Serve("/list.txt", std::string(3 * 1024 * 1024, 'x'));
        m_server.Routes().Get("/missing", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("no", "text/plain");
        });
        m_server.Routes().Get("/slow", [](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(300ms);
            response.set_content("slow", "text/plain");
        });
        ASSERT_GT(m_server.Start(), 0);
    }

    void TearDown() override { fs::remove_all(m_folder); }

    CMyString File(const char* pName) const { return (m_folder / pName).c_str(); }

    fs::path m_folder;
    LocalHttpServer m_server;
    const unsigned m_uFileMessage = RegisterWindowMessage(kFileDownloadCompleteMessage);
    const unsigned m_uBufferMessage = RegisterWindowMessage(kBufferDownloadCompleteMessage);
};

TEST_F(MyDownloadTest, DownloadToBuffer)
{
    CMyDownload download;
    EXPECT_FALSE(download.DownloadToBuffer(""));
    ASSERT_TRUE(download.DownloadToBuffer(m_server.Url("/icon.gif").c_str()));
    EXPECT_EQ(std::string(download.GetBuffer().GetData()), "GIF89a-data") << "zero-terminated behind the data";

    ASSERT_TRUE(download.DownloadToBuffer(m_server.Url("/list.txt").c_str()));
    EXPECT_EQ(download.GetBuffer().GetSize(), 3u * 1024 * 1024);
    EXPECT_EQ(download.GetBuffer().GetData()[3 * 1024 * 1024], '\0');

    ASSERT_TRUE(download.DownloadToBuffer(m_server.Url("/empty").c_str()));
    EXPECT_EQ(download.GetBuffer().GetSize(), 0u) << "each call starts from an empty buffer";
    EXPECT_FALSE(download.DownloadToBuffer(m_server.Url("/missing").c_str()));
}

TEST_F(MyDownloadTest, FileDownloadsReportSuccessAndFailure)
{
    CRecorder window(m_uFileMessage);
    (new CMyDownload)->DownloadFile(m_server.Url("/icon.gif").c_str(), File("a.gif"), &window, m_uFileMessage, 11);
    (new CMyDownload)->DownloadFile(m_server.Url("/missing").c_str(), File("b.gif"), &window, m_uFileMessage, 22);
    (new CMyDownload)->DownloadFile(m_server.Url("/empty").c_str(), File("c.gif"), &window, m_uFileMessage, 33);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.m_messages.size() == 3; }));

    std::map<intptr_t, uintptr_t> results;
    for (const auto& message : window.m_messages) {
        results[message.lParam] = message.wParam;
    }
    EXPECT_EQ(results, (std::map<intptr_t, uintptr_t>{{11, 1}, {22, 0}, {33, 1}}));
    EXPECT_EQ(ReadFile(m_folder / "a.gif"), "GIF89a-data");
    EXPECT_FALSE(fs::exists(m_folder / "b.gif")) << "an error reply creates no file";
    EXPECT_TRUE(fs::exists(m_folder / "c.gif")) << "an empty reply creates an empty file";
    EXPECT_EQ(fs::file_size(m_folder / "c.gif"), 0u);
}

TEST_F(MyDownloadTest, BufferDownloadsHandOverABufferOrNull)
{
    CRecorder window(m_uBufferMessage);
    (new CMyDownload)->DownloadBuffer(m_server.Url("/icon.gif").c_str(), &window, m_uBufferMessage, 1);
    (new CMyDownload)->DownloadBuffer(m_server.Url("/missing").c_str(), &window, m_uBufferMessage, 2);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.m_messages.size() == 2; }));
    for (const auto& message : window.m_messages) {
        std::unique_ptr<CMyBuffer> pBuffer(reinterpret_cast<CMyBuffer*>(message.wParam));
        if (message.lParam == 1) {
            ASSERT_NE(pBuffer, nullptr);
            EXPECT_EQ(std::string(pBuffer->GetData(), pBuffer->GetSize()), "GIF89a-data");
        } else {
            EXPECT_EQ(pBuffer, nullptr);
        }
    }
}

TEST_F(MyDownloadTest, AGoneWindowIsNotNotified)
{
    auto pWindow = std::make_unique<CRecorder>(m_uFileMessage);
    (new CMyDownload)->DownloadFile(m_server.Url("/slow").c_str(), File("s.gif"), pWindow.get(), m_uFileMessage, 1);
    pWindow.reset();
    // The file still arrives; nothing is sent to the destroyed window (a send would crash).
    ASSERT_TRUE(ProcessEventsUntil([&] { return fs::exists(m_folder / "s.gif") && fs::file_size(m_folder / "s.gif") == 4; }));
    ASSERT_TRUE(ProcessEventsUntil([] { return CDownloadPool::Instance().GetBusyCount() == 0; }));
}

TEST_F(MyDownloadTest, ManyDownloadsStayWithinThePool)
{
    CRecorder window(m_uFileMessage);
    const int nDownloads = 24;
    for (int i = 0; i < nDownloads; ++i) {
        const std::string strName = "icon" + std::to_string(i) + ".gif";
        (new CMyDownload)->DownloadFile(m_server.Url("/slow").c_str(), File(strName.c_str()), &window,
                                        m_uFileMessage, i);
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.m_messages.size() == nDownloads; }));
    EXPECT_LE(CDownloadPool::Instance().GetPeakBusyCount(), CDownloadPool::kPerHost) << "one host";
    EXPECT_EQ(m_server.RequestCount("/slow"), nDownloads);
}

// A silent icon server holds neither the lists nor the icons of other hosts:
// with four icon requests to it stalled, a list and an icon from another
// server both arrive while the stalled ones still wait.
TEST_F(MyDownloadTest, StalledIconsHoldNeitherListsNorOtherHosts)
{
    std::atomic<bool> bRelease{false};
    m_server.Routes().Get("/stall", [&](const httplib::Request&, httplib::Response& response) {
        for (int i = 0; i < 1000 && !bRelease; ++i)
            std::this_thread::sleep_for(10ms);
        response.set_content("late", "text/plain");
    });
    LocalHttpServer other;
    other.Serve("/icon.gif", "GIF89a-other");
    ASSERT_GT(other.Start(), 0);
    CRecorder icons(m_uFileMessage);
    CRecorder lists(m_uBufferMessage);
    for (int i = 0; i < 4; ++i)
        (new CMyDownload)->DownloadFile(m_server.Url("/stall").c_str(), File(("s" + std::to_string(i)).c_str()),
                                        &icons, m_uFileMessage, i);
    (new CMyDownload)->DownloadBuffer(m_server.Url("/icon.gif").c_str(), &lists, m_uBufferMessage, 7);
    (new CMyDownload)->DownloadFile(other.Url("/icon.gif").c_str(), File("other.gif"), &icons, m_uFileMessage, 8);

    EXPECT_TRUE(ProcessEventsUntil([&] { return lists.m_messages.size() == 1 && icons.m_messages.size() == 1; },
                                   5000));
    EXPECT_EQ(lists.m_messages.size(), 1u);
    ASSERT_EQ(icons.m_messages.size(), 1u);
    EXPECT_EQ(icons.m_messages[0].lParam, 8);
    for (const CRecorder::Message& message : lists.m_messages)
        delete reinterpret_cast<CMyBuffer*>(message.wParam);
    bRelease = true;
    ASSERT_TRUE(ProcessEventsUntil([&] { return icons.m_messages.size() == 5; }));
    ASSERT_TRUE(ProcessEventsUntil([] { return CDownloadPool::Instance().GetBusyCount() == 0; }));
}

// Many downloads finish while their windows are destroyed at random moments,
// as when the update dialog is cancelled as lists arrive or the program closes
// while icons download: nothing may reach a window that is going, and every
// buffer is freed by its window or, when the window was gone, by the download.
// Run under AddressSanitizer, a use after free or a lost buffer fails it.
TEST_F(MyDownloadTest, WindowsDestroyedWhileDownloadsFinishAreNeverTouched)
{
    class CBufferTaker : public QObject
    {
    public:
        explicit CBufferTaker(unsigned uMessage)
        {
            m_map.Add(uMessage, [](uintptr_t wParam, intptr_t) {
                delete reinterpret_cast<CMyBuffer*>(wParam);
                return intptr_t{0};
            });
        }
        bool event(QEvent* pEvent) override { return m_map.Dispatch(pEvent) || QObject::event(pEvent); }

    private:
        CMessageMap m_map;
    };
    std::mt19937 random(20261210);
    for (int nRound = 0; nRound < 400; ++nRound) {
        std::vector<std::unique_ptr<QObject>> windows;
        for (int i = 0; i < 4; ++i) {
            windows.push_back(std::make_unique<CBufferTaker>(m_uBufferMessage));
            windows.push_back(std::make_unique<CRecorder>(m_uFileMessage));
        }
        for (int i = 0; i < 8; ++i) {
            const std::string strUrl = m_server.Url("/icon.gif?" + std::to_string(nRound) + "-" + std::to_string(i));
            QObject* pWindow = windows[static_cast<size_t>(i)].get();
            if (i % 2 == 0)
                (new CMyDownload)->DownloadBuffer(strUrl.c_str(), pWindow, m_uBufferMessage, i);
            else
                (new CMyDownload)->DownloadFile(strUrl.c_str(), File(("f" + std::to_string(i)).c_str()), pWindow,
                                                m_uFileMessage, i);
        }
        // The windows go one by one, at random moments, while the downloads finish.
        std::shuffle(windows.begin(), windows.end(), random);
        while (!windows.empty()) {
            const auto uSpinUs = std::chrono::microseconds(random() % 1500);
            for (const auto start = std::chrono::steady_clock::now(); std::chrono::steady_clock::now() - start < uSpinUs;)
                QCoreApplication::processEvents();
            windows.pop_back();
        }
    }
    ASSERT_TRUE(ProcessEventsUntil([] { return CDownloadPool::Instance().GetBusyCount() == 0; }));
}

} // namespace
