#include "Http.h"

#include "../support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// What a GET delivered: its result and the body the sink saw.
struct Reply
{
    bool bOk = false;
    std::string strBody;
};

Reply Get(const std::string& strUrl, bool bReload = false, const HttpLimits& limits = {})
{
    Reply reply;
    reply.bOk = CHttp::Get(strUrl.c_str(), bReload, [&](const char* pData, std::size_t uSize) {
        reply.strBody.append(pData, uSize);
        return true;
    }, limits);
    return reply;
}

class HttpTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_server.Serve("/ok", "hello");
        m_server.Serve("/empty", "");
        m_server.Serve("/dir/file.txt", "in a folder");
        m_server.Routes().Get("/missing", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("not here", "text/plain");
        });
        m_server.Routes().Get("/redirect", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/ok");
        });
        m_server.Routes().Get("/redirect-ftp", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("ftp://127.0.0.1/file");
        });
        m_server.Routes().Get("/loop", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/loop");
        });
        m_server.Routes().Get("/headers", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.get_header_value("User-Agent") + "|" + request.get_header_value("Accept") +
                                     "|" + request.get_header_value("Pragma"),
                                 "text/plain");
        });
        // Announces 100 bytes, sends 10 and hangs up.
        m_server.Routes().Get("/broken", [](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(100, "text/plain", [](size_t uOffset, size_t, httplib::DataSink& sink) {
                if (uOffset == 0) {
                    sink.write("0123456789", 10);
                    return true;
                }
                return false;
            });
        });
        // Answers, then sends nothing until the client gives up.
        m_server.Routes().Get("/stall", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(100, "text/plain", [this](size_t, size_t, httplib::DataSink&) {
                for (int i = 0; i < 200 && !m_bStop; ++i) {
                    std::this_thread::sleep_for(50ms);
                }
                return false;
            });
        });
        ASSERT_GT(m_server.Start(), 0);
    }

    void TearDown() override
    {
        m_bStop = true;
        m_server.Stop();
    }

    LocalHttpServer m_server;
    std::atomic<bool> m_bStop{false};
};

TEST_F(HttpTest, OnlyA200ReplySucceeds)
{
    struct Case
    {
        const char* pPath;
        bool bOk;
        const char* pBody;
    };
    const Case cases[] = {
        {"/ok", true, "hello"},
        {"/empty", true, ""},
        {"/missing", false, ""}, // the error page is never handed on
        {"/redirect", true, "hello"},
        {"/redirect-ftp", false, ""},
        {"/loop", false, ""},
        {"/broken", false, "0123456789"},
    };
    for (const Case& c : cases) {
        const Reply reply = Get(m_server.Url(c.pPath));
        EXPECT_EQ(reply.bOk, c.bOk) << c.pPath;
        EXPECT_EQ(reply.strBody, c.pBody) << c.pPath;
    }
}

TEST_F(HttpTest, SendsTheProgramsHeaders)
{
    EXPECT_EQ(Get(m_server.Url("/headers")).strBody, "Kestova|*/*|");
    EXPECT_EQ(Get(m_server.Url("/headers"), true).strBody, "Kestova|*/*|no-cache");
}

TEST_F(HttpTest, BackslashesInThePathAreSlashes)
{
    EXPECT_EQ(Get(m_server.Url("\\dir\\file.txt")).strBody, "in a folder");
    EXPECT_STREQ(CHttp::NormaliseUrl("HTTPS://h\\a\\b?q=\\x").GetText(), "HTTPS://h/a/b?q=\\x");
    EXPECT_STREQ(CHttp::NormaliseUrl("file:///a\\b").GetText(), "file:///a\\b");
}

TEST_F(HttpTest, SinkCanStopTheTransfer)
{
    const bool bOk = CHttp::Get(m_server.Url("/ok").c_str(), false, [](const char*, std::size_t) { return false; });
    EXPECT_FALSE(bOk);
}

TEST_F(HttpTest, AStalledTransferEnds)
{
    HttpLimits limits;
    limits.nLowSpeedSeconds = 1;
    const auto start = std::chrono::steady_clock::now();
    const Reply reply = Get(m_server.Url("/stall"), false, limits);
    EXPECT_FALSE(reply.bOk);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s) << "the low-speed limit ends a stalled transfer";
}

TEST_F(HttpTest, RefusedAndUnknownAddressesFail)
{
    const std::string strClosed = "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/x";
    EXPECT_FALSE(Get(strClosed).bOk);
    EXPECT_FALSE(Get("").bOk);
    EXPECT_FALSE(Get("ftp://127.0.0.1/x").bOk);
}

TEST_F(HttpTest, CheckConnectionConnectsWithoutRequesting)
{
    EXPECT_TRUE(CHttp::CheckConnection(m_server.Url("/UpdateSettings.txt").c_str()));
    EXPECT_EQ(m_server.RequestCount("/UpdateSettings.txt"), 0);
    const std::string strClosed = "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/";
    EXPECT_FALSE(CHttp::CheckConnection(strClosed.c_str()));
    EXPECT_FALSE(CHttp::CheckConnection(""));
}

} // namespace
