#include "ArrayString.h"
#include "ServerList.h"
#include "Settings.h"

#include "../support/ListFiles.h"
#include "../support/LocalHttpServer.h"
#include "../support/TestHome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ServerListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_program = m_home.Root() / "program";
        fs::create_directories(m_program / "res");
        Settings().SetInstallPath(m_program.c_str());
    }

    fs::path WorkingCopy() const { return m_home.Data() / "Kestova" / "res" / "ServerSettings.txt"; }
    fs::path ShippedCopy() const { return m_program / "res" / "ServerSettings.txt"; }

    static std::vector<std::string> Load()
    {
        CArrayString servers;
        Settings().LoadServerList(servers);
        std::vector<std::string> list;
        for (uint32_t i = 0; i < servers.GetCount(); ++i) {
            list.push_back(servers.GetAt(i).GetText());
        }
        return list;
    }

    CTestHome m_home;
    fs::path m_program;
};

TEST_F(ServerListTest, ReadsUrlsInOrderAndStoresTheVersion)
{
    WriteScrambledFile(WorkingCopy(), "<SERVERS><VERSION>3</VERSION><URL>a/</URL><URL></URL><url>b/</url>"
                                      "<OTHER>x/</OTHER><Version>4.1</Version></SERVERS>");
    EXPECT_EQ(Load(), (std::vector<std::string>{"a/", "b/"}));
    EXPECT_STREQ(Settings().GetServerSettings().GetText(), "4.1") << "the last VERSION read stays";
}

TEST_F(ServerListTest, WhichCopyIsRead)
{
    WriteScrambledFile(ShippedCopy(), "<S><URL>shipped/</URL></S>");
    EXPECT_EQ(Load(), (std::vector<std::string>{"shipped/"})) << "no working copy: the shipped one";

    WriteScrambledFile(WorkingCopy(), "<S><URL>working/</URL>");
    EXPECT_TRUE(Load().empty()) << "a working copy that does not parse gives no servers";

    WriteScrambledFile(WorkingCopy(), "<S><URL>working/</URL></S>");
    EXPECT_EQ(Load(), (std::vector<std::string>{"working/"}));
}

TEST_F(ServerListTest, FindAnsweringServerTakesTheFirstThatAnswers)
{
    EXPECT_TRUE(FindAnsweringServer("UpdateSettings.txt").IsEmpty()) << "no list at all";

    LocalHttpServer first;
    LocalHttpServer second;
    ASSERT_GT(first.Start(), 0);
    ASSERT_GT(second.Start(), 0);
    const std::string strRefused = "http://127.0.0.1:" + std::to_string(LocalHttpServer::ClosedPort()) + "/";
    WriteScrambledFile(WorkingCopy(), "<S><URL>" + strRefused + "</URL><URL>" + second.Url("/") + "</URL><URL>" +
                                          first.Url("/") + "</URL></S>");
    EXPECT_EQ(std::string(FindAnsweringServer("UpdateSettings.txt").GetText()), second.Url("/"));
    EXPECT_EQ(second.RequestCount("/UpdateSettings.txt"), 0) << "the probe only connects";

    second.Stop();
    EXPECT_EQ(std::string(FindAnsweringServer("UpdateSettings.txt").GetText()), first.Url("/"));
    first.Stop();
    EXPECT_TRUE(FindAnsweringServer("UpdateSettings.txt").IsEmpty());
}

} // namespace
